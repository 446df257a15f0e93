// Saves one kind of file over and over, alternating between contents A and B,
// until it is killed. With a third argument "A" or "B" it saves that content
// once and ends. Once the first save (of B) is complete it prints "ready" and
// how long that save took, in microseconds.
#include "CrashContents.h"
#include "mainwindow/IniFile.h"
#include "table/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

namespace
{

int Fail(const QString &why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    TCrashKind kind;
    if (args.size() < 3 || args.size() > 4 || !ParseCrashKind(args[1], &kind) ||
        (args.size() == 4 && args[3] != u"A" && args[3] != u"B"))
        return Fail(QStringLiteral("usage: crash_writer localities|settings|table folder [A|B]"));
    const QDir folder(args[2]);
    const QString path = folder.filePath(CrashFileName(kind));
    const int once = args.size() == 4 ? (args[3] == u"A" ? 0 : 1) : -1;

    // Everything is prepared before the loop, so a save is the only work in it.
    TLocalityFile localityFile(path);
    TLocalityList localities[2];
    QList<TCrashSetting> settings[2];
    QString tables[2];
    for (int v = 0; v < 2; ++v) {
        switch (kind) {
        case TCrashKind::Localities:
            localities[v] = CrashLocalities(v);
            break;
        case TCrashKind::Settings:
            settings[v] = CrashSettings(v);
            break;
        case TCrashKind::Table:
            tables[v] = CrashTableText(v);
            break;
        }
    }
    if (kind == TCrashKind::Localities) {
        // Start as the program does: on the file that is there, if any. A
        // file left by a killed save must read as complete.
        TLocalityList found;
        const TLoadStatus status = localityFile.Load(found);
        if (status == TLoadStatus::Damaged)
            return Fail(QStringLiteral("%1 is damaged at start").arg(path));
        QString error;
        if (status == TLoadStatus::Missing &&
            !localityFile.StartFromSkeleton(folder.path(), &error))
            return Fail(error);
    }

    for (int round = 0;; ++round) {
        // B first: the duration of the longer save is the one reported.
        const int v = once >= 0 ? once : 1 - round % 2;
        QString error;
        bool saved = false;
        QElapsedTimer clock;
        clock.start();
        switch (kind) {
        case TCrashKind::Localities:
            saved = localityFile.Save(localities[v], &error);
            break;
        case TCrashKind::Settings: {
            TIniFile ini(path);
            for (const TCrashSetting &s : settings[v])
                ini.WriteInteger(s.Section, s.Key, s.Value);
            saved = ini.UpdateFile(&error);
            break;
        }
        case TCrashKind::Table:
            saved = SaveTableText(path, tables[v], &error);
            break;
        }
        if (!saved)
            return Fail(QStringLiteral("save %1 failed: %2").arg(round).arg(error));
        if (once >= 0)
            return 0;
        if (round == 0) {
            // The test spreads its kill moments over a few saves of this length.
            std::printf("ready %lld\n", clock.nsecsElapsed() / 1000);
            std::fflush(stdout);
        }
    }
}
