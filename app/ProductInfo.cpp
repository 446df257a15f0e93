#include "app/ProductInfo.h"

#include <QDir>

namespace ProductInfo
{

namespace
{

int Clamped(int language)
{
    return language >= 0 && language < 3 ? language : 0;
}

} // namespace

QUrl LocalHelpUrl(int language)
{
    return QUrl::fromLocalFile(
        QDir::current().absoluteFilePath(QString::fromLatin1(LocalHelpPage[Clamped(language)])));
}

QUrl OnlineHelpUrl(int language)
{
    const QString address = QString::fromUtf8(OnlineHelpAddress[Clamped(language)]);
    return address.isEmpty() ? LocalHelpUrl(language) : QUrl(address);
}

QString WebLinkText(int language)
{
    const QString address = QString::fromUtf8(WebAddress);
    return address.isEmpty() ? QString::fromLatin1(LocalHelpPage[Clamped(language)]) : address;
}

QUrl WebLinkUrl(int language)
{
    const QString address = QString::fromUtf8(WebAddress);
    return address.isEmpty() ? LocalHelpUrl(language) : QUrl(address);
}

} // namespace ProductInfo
