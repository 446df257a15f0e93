// The system's "open" action for help pages and web addresses.
#pragma once

#include <QUrl>
#include <functional>

struct TShell {
    // Opens a page in the user's browser. Replaceable so that tests can see
    // what would be opened without starting one; the program never examines
    // the result and shows no message when nothing opens.
    static std::function<bool(const QUrl &)> Open;
};
