// vantu-cli: the Sun's events of a place on the command line. No window, and
// it never writes lokality.xml or vantu.ini.
#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/CliWait.h"

#include "common/FileLocations.h"
#include "common/SystemClock.h"
#include "common/Version.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantu-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTU_VERSION));
    // The locality file the program uses, portable or installed.
    UseFileLocations(DecideFileLocations(QCoreApplication::applicationDirPath()));

    const TCliResult r = CliMain(QCoreApplication::arguments(), qEnvironmentVariable("LANG"),
                                 TSystemClock::Today(), QLocale::system());
    if (!r.Error.isEmpty())
        std::fprintf(stderr, "vantu-cli: %s\n", r.Error.toUtf8().constData());
    // --wait: the line when its moment comes; nothing when a signal ends it.
    if (r.WakeAtMs) {
        QString reason;
        const int code = WaitUntil(*r.WakeAtMs, &reason);
        if (!reason.isEmpty())
            std::fprintf(stderr, "vantu-cli: %s\n",
                         TextIn(CliText::CannotWait, r.Language).arg(reason).toUtf8().constData());
        if (code != CliExitOk)
            return code;
    }
    // The whole output at once, and only when it is complete; --poll answers
    // with its light's code.
    const bool answered =
        r.ExitCode == CliExitOk || r.ExitCode == CliExitTwilight || r.ExitCode == CliExitNight;
    if (answered && !r.Out.isEmpty()) {
        if (std::fwrite(r.Out.constData(), 1, size_t(r.Out.size()), stdout) !=
                size_t(r.Out.size()) ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "vantu-cli: %s\n",
                         TextIn(CliText::CannotWrite, r.Language).toUtf8().constData());
            return CliExitFailure;
        }
    }
    return r.ExitCode;
}
