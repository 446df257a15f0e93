#include "app/ProductInfo.h"

#include "common/FileLocations.h"

#include <QDir>

namespace ProductInfo
{

QUrl LocalHelpUrl(TLanguage language)
{
    // Where the pictures are: the working folder, beside the program or the
    // package's data folder.
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(
        FileLocations().DataFile(QString::fromLatin1(ForLanguage(LocalHelpPage, language)))));
}

QUrl OnlineHelpUrl(TLanguage language)
{
    const QString address = QString::fromUtf8(ForLanguage(OnlineHelpAddress, language));
    return address.isEmpty() ? LocalHelpUrl(language) : QUrl(address);
}

QString WebLinkText(TLanguage language)
{
    const QString address = QString::fromUtf8(WebAddress);
    return address.isEmpty() ? QString::fromLatin1(ForLanguage(LocalHelpPage, language)) : address;
}

QUrl WebLinkUrl(TLanguage language)
{
    const QString address = QString::fromUtf8(WebAddress);
    return address.isEmpty() ? LocalHelpUrl(language) : QUrl(address);
}

} // namespace ProductInfo
