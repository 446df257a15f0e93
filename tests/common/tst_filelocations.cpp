// Portable or installed: where vantu.ini, lokality.xml, the pictures and the
// help pages are, by the program folder's permissions and the marker file.
#include "common/FileLocations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFileLocations : public QObject
{
    Q_OBJECT

private slots:
    void decide_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("ownPictures"); // grafika/ beside the program
        QTest::newRow("writable folder") << true << false << false << false;
        QTest::newRow("read-only folder") << false << false << true << false;
        QTest::newRow("read-only folder with marker") << false << true << false << false;
        QTest::newRow("read-only portable copy") << false << false << true << true;
    }
    void decide()
    {
        QFETCH(bool, writable);
        QFETCH(bool, marker);
        QFETCH(bool, installed);
        QFETCH(bool, ownPictures);
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        if (ownPictures)
            QVERIFY(QDir().mkpath(QDir(bin).filePath(QStringLiteral("grafika"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("usr/share/vantu/grafika"))));
        if (marker)
            QVERIFY(QFile(QDir(bin).filePath(QStringLiteral("vantu.portable")))
                        .open(QIODevice::WriteOnly));
        // By the permission bits, which hold for root too.
        QVERIFY(QFile::setPermissions(bin, writable ? QFile::Permissions(0x7755)
                                                    : QFile::Permissions(0x5555)));
        qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("home/.config")).toUtf8());
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("home/.local/share")).toUtf8());
        qputenv("XDG_DATA_DIRS", root.filePath(QStringLiteral("usr/share")).toUtf8());

        const TFileLocations l = DecideFileLocations(bin);
        QVERIFY(QFile::setPermissions(bin, QFile::Permissions(0x7755)));
        QCOMPARE(l.Installed, installed);
        if (installed) {
            QCOMPARE(l.SettingsFile, root.filePath(QStringLiteral("home/.config/vantu/vantu.ini")));
            QCOMPARE(l.LocalityFile,
                     root.filePath(QStringLiteral("home/.local/share/vantu/lokality.xml")));
            QCOMPARE(l.DataFile(QStringLiteral("grafika/svet.gif")),
                     root.filePath(ownPictures
                                       ? QStringLiteral("usr/bin/grafika/svet.gif")
                                       : QStringLiteral("usr/share/vantu/grafika/svet.gif")));
            QVERIFY(PrepareFolders(l));
            QVERIFY(QFileInfo(root.filePath(QStringLiteral("home/.config/vantu"))).isDir());
        } else {
            QCOMPARE(l.SettingsFile, bin + QStringLiteral("/vantu.ini"));
            QCOMPARE(l.LocalityFile, QStringLiteral("lokality.xml"));
            QCOMPARE(l.DataFile(QStringLiteral("grafika/svet.gif")),
                     QStringLiteral("grafika/svet.gif"));
        }
    }

    // A folder programs are installed into is never portable, whoever runs it.
    void systemFolderIsInstalled()
    {
        QVERIFY(DecideFileLocations(QStringLiteral("/usr/bin")).Installed);
    }
};

QTEST_GUILESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
