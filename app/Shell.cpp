#include "app/Shell.h"

#include <QDesktopServices>

std::function<bool(const QUrl &)> TShell::Open = [](const QUrl &url) {
    return QDesktopServices::openUrl(url);
};
