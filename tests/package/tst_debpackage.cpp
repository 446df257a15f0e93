// The Debian package: built with cpack, checked with lintian and the desktop
// and AppStream validators, unpacked, and used in installed mode: settings
// and places in a fresh home's XDG folders and nowhere else, pictures and
// help from the package's data folder, vantu-cli answering.
#include "PackageSupport.h"
#include "TestSupport.h"
#include "common/FileLocations.h"
#include "common/Version.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

namespace
{

const QString DebName = QStringLiteral("vantu_" VANTU_VERSION "-1_amd64.deb");

} // namespace

class TestDebPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(FOutput.isValid() && FRoot.isValid() && FHome.isValid());
        const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const TRun cpack = Run(QStringLiteral(VANTU_CPACK_COMMAND),
                               {"-G", "DEB", "--config", VANTU_CPACK_CONFIG, "-B", FOutput.path()},
                               env, QString(), 300000);
        QVERIFY2(cpack.Finished && cpack.ExitCode == 0, qPrintable(cpack.Output));
        FDeb = FOutput.filePath(DebName);
        QVERIFY2(QFileInfo(FDeb).isFile(), qPrintable(cpack.Output));
        const TRun unpack = Run(QStringLiteral("dpkg-deb"), {"-x", FDeb, FRoot.path()}, env);
        QVERIFY2(unpack.Finished && unpack.ExitCode == 0, qPrintable(unpack.Output));
    }

    // lintian without errors, the desktop entry and the AppStream file valid.
    void packageChecks()
    {
        const TRun check = Run(QStringLiteral(VANTU_SOURCE_DIR "/packaging/check_deb.sh"), {FDeb},
                               QProcessEnvironment::systemEnvironment(), QString(), 300000);
        QVERIFY2(check.Finished && check.ExitCode == 0, qPrintable(check.Output));
    }

    // Qt's translations recommended; twilights, the Year of the Sun and vantu-cli described.
    void control()
    {
        const auto field = [this](const char *name) {
            return Run(QStringLiteral("dpkg-deb"), {"-f", FDeb, name},
                       QProcessEnvironment::systemEnvironment())
                .Output;
        };
        QVERIFY(field("Recommends").contains(QStringLiteral("qt6-translations-l10n")));
        for (const char *part : {"twilight", "Year of the", "vantu-cli"})
            QVERIFY2(field("Description").contains(QString::fromLatin1(part)), part);
    }

    void contents_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path :
             {"usr/bin/vantu", "usr/bin/vantu-cli", "usr/share/vantu/grafika/svet.gif",
              "usr/share/vantu/grafika/15.gif", "usr/share/vantu/help/vantu_en.htm",
              "usr/share/vantu/help/examples/horizont-vratna.txt",
              "usr/share/applications/vantu.desktop",
              "usr/share/icons/hicolor/48x48/apps/vantu.png",
              "usr/share/icons/hicolor/256x256/apps/vantu.png", "usr/share/man/man1/vantu.1.gz",
              "usr/share/man/man1/vantu-cli.1.gz", "usr/share/doc/vantu/copyright"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void contents()
    {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo::exists(FRoot.filePath(path)), qPrintable(path));
    }

    // The unpacked program folder is read-only: installed mode, the user's
    // folders of a fresh home, the package's data folder.
    void installedMode()
    {
        const QString bin = FRoot.filePath(QStringLiteral("usr/bin"));
        QVERIFY(QFile::setPermissions(bin, QFile::Permissions(0x5555)));
        qputenv("HOME", FHome.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", FRoot.filePath(QStringLiteral("usr/share")).toUtf8());
        const TFileLocations locations = DecideFileLocations(bin);
        QVERIFY(locations.Installed);
        ResetTestHooks();
        UseFileLocations(locations);

        TScratchFolder working;
        {
            TBoxAnswerer missing({QMessageBox::Ok}); // the first start builds the nine towns
            TfrmVantu w;
            QCOMPARE(missing.Seen().size(), 1);
            // A map and a Moon picture come from the package's data folder.
            w.findChild<QAction *>(QStringLiteral("mnuSvet"))->trigger();
            auto *map = w.findChild<QWidget *>(QStringLiteral("frmSvet"));
            QVERIFY(map && map->isVisible());
            QVERIFY(!map->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
            int moonShown = 0;
            MessageTestHook::SetModalHandler([&moonShown](QDialog &) {
                ++moonShown;
                return 0;
            });
            w.findChild<QAction *>(QStringLiteral("mnuFazaMesiaca"))->trigger();
            QCOMPARE(moonShown, 1);
            // So do the help pages.
            QUrl help;
            TShell::Open = [&help](const QUrl &url) { return !(help = url).isEmpty(); };
            w.findChild<QAction *>(QStringLiteral("mnuPomoc"))->trigger();
            QCOMPARE(help.toLocalFile(),
                     FRoot.filePath(QStringLiteral("usr/share/vantu/help/vantu.htm")));
            QCOMPARE(missing.Seen().size(), 1); // no picture was missing
            QVERIFY(w.close());
        }
        const QString config = FHome.filePath(QStringLiteral(".config/vantu/vantu.ini"));
        const QString places = FHome.filePath(QStringLiteral(".local/share/vantu/lokality.xml"));
        QVERIFY(QFileInfo(config).isFile());
        QVERIFY(QFileInfo(places).isFile());
        for (const QString &nowhere : {QDir(bin).filePath(QStringLiteral("vantu.ini")),
                                       working.File(QStringLiteral("lokality.xml")),
                                       working.File(QStringLiteral("vantu.ini")),
                                       FHome.filePath(QStringLiteral("lokality.xml"))})
            QVERIFY2(!QFileInfo::exists(nowhere), qPrintable(nowhere));

        // The packaged command-line tool reads the same places.
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), FHome.path());
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        const TRun cli =
            Run(QDir(bin).filePath(QStringLiteral("vantu-cli")),
                {"--place", "SK - Bratislava", "--date", "2026-06-21"}, env, QString(), 30000);
        // The packaged program itself starts on those files, with no message to answer.
        QTemporaryDir runtime;
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(working.Path());
        program.start(QDir(bin).filePath(QStringLiteral("vantu")), {});
        QVERIFY(program.waitForStarted());
        QVERIFY2(!program.waitForFinished(3000), qPrintable(program.readAll()));
        program.kill();
        program.waitForFinished();
        QVERIFY(!QFileInfo::exists(working.File(QStringLiteral("lokality.xml"))));

        QVERIFY(QFile::setPermissions(bin, QFile::Permissions(0x7755)));
        QVERIFY2(cli.Finished && cli.ExitCode == 0, qPrintable(cli.Output));
        QVERIFY2(cli.Output.startsWith(QStringLiteral("SK - Bratislava, 21.Jun.2026")),
                 qPrintable(cli.Output));
        ResetTestHooks();
    }

private:
    QTemporaryDir FOutput, FRoot, FHome;
    QString FDeb;
};

QTEST_MAIN(TestDebPackage)
#include "tst_debpackage.moc"
