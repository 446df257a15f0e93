// Horizon profile files: what is read, and one line naming the file and
// the line for whatever is not, never a partial profile.
#include "FileSupport.h"

#include "common/HorizonFile.h"

#include <QtTest>

class TestHorizonFile : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
};

void TestHorizonFile::files_data()
{
    // Files by name in a scratch folder: "profile.txt" is the one read.
    QTest::addColumn<QByteArrayList>("files"); // name, content, name, content ...
    QTest::addColumn<QString>("read");         // the file given
    QTest::addColumn<QString>("points");       // "az/alt ..." when read
    QTest::addColumn<QString>("error");        // part of the message otherwise
    const auto one = [](const QByteArray &content) {
        return QByteArrayList{"profile.txt", content};
    };
    QTest::newRow("spaces, tab, comma, comments")
        << one("# a valley\n0 2.5\n\n90\t10 # the ridge\r\n180,-1.5\n 270 , 3\n") << "profile.txt"
        << "0/2.5 90/10 180/-1.5 270/3"
        << "";
    QTest::newRow("a line that does not parse")
        << one("0 2\n90 ten\n") << "profile.txt"
        << ""
        << "profile.txt, line 2: expected an azimuth and an altitude: \"90 ten\"";
    QTest::newRow("three numbers") << one("0 2 3\n") << "profile.txt"
                                   << ""
                                   << "line 1:";
    QTest::newRow("azimuth 361") << one("0 2\n361 2\n") << "profile.txt"
                                 << ""
                                 << "line 2: azimuth 361 is not from 0 to 360";
    QTest::newRow("altitude 61") << one("0 2\n# x\n90 61\n") << "profile.txt"
                                 << ""
                                 << "line 3: altitude 61 is not from −5 to 60";
    QTest::newRow("altitude -5.5") << one("0 -5.5\n90 1\n") << "profile.txt"
                                   << ""
                                   << "line 1: altitude -5.5";
    QTest::newRow("one point") << one("# only\n0 2\n") << "profile.txt"
                               << ""
                               << "profile.txt: fewer than two points";
    QTest::newRow("empty") << one("") << "profile.txt"
                           << ""
                           << "fewer than two points";
    QTest::newRow("binary") << one(QByteArray("0 2\n\0\x01\x02", 7)) << "profile.txt"
                            << ""
                            << "not a text file";
    QTest::newRow("not UTF-8") << one("0 2\n90 3 \xff\n") << "profile.txt"
                               << ""
                               << "not a text file";
    QTest::newRow("over 1 MiB") << one(QByteArray("0 1\n").repeated(262145)) << "profile.txt"
                                << ""
                                << "larger than 1 MiB";
    QTest::newRow("missing") << QByteArrayList() << "profile.txt"
                             << ""
                             << "profile.txt: the file cannot be read";
    QTest::newRow("a folder") << QByteArrayList{"profile.txt/x", "0 1\n"} << "profile.txt"
                              << ""
                              << "cannot be read";
    // A polygonal landscape: its list in its angle mode, azimuths wrapped.
    QTest::newRow("landscape, zenith distances")
        << QByteArrayList{"landscape.ini",
                          "[landscape]\nname = Valley\ntype = polygonal\n"
                          "polygonal_horizon_list = horizon.txt\n"
                          "polygonal_horizon_list_mode = azDeg_zdDeg\n",
                          "horizon.txt", "# az zd\n-10 85\n90 80\n"}
        << "landscape.ini"
        << "350/5 90/10"
        << "";
    QTest::newRow("landscape, grads") << QByteArrayList{"landscape.ini",
                                                        "[landscape]\ntype = polygonal\n"
                                                        "polygonal_horizon_list = h.txt\n"
                                                        "polygonal_horizon_list_mode = "
                                                        "azGrad_altGrad\n",
                                                        "h.txt", "100 10\n200 0\n"}
                                      << "landscape.ini"
                                      << "90/9 180/0"
                                      << "";
    QTest::newRow("landscape rotated")
        << QByteArrayList{"landscape.ini",
                          "[landscape]\ntype = polygonal\npolygonal_horizon_list = h.txt\n"
                          "polygonal_angle_rotatez = 12\n",
                          "h.txt", "0 1\n90 1\n"}
        << "landscape.ini"
        << ""
        << "polygonal_angle_rotatez";
    QTest::newRow("landscape of pictures")
        << QByteArrayList{"landscape.ini", "[landscape]\ntype = spherical\n"} << "landscape.ini"
        << ""
        << "not a polygonal landscape";
    QTest::newRow("landscape, list with a bad line")
        << QByteArrayList{"landscape.ini",
                          "[landscape]\ntype = polygonal\npolygonal_horizon_list = h.txt\n",
                          "h.txt", "0 1\nx\n"}
        << "landscape.ini"
        << ""
        << "h.txt, line 2:";
}

void TestHorizonFile::files()
{
    QFETCH(QByteArrayList, files);
    QFETCH(QString, read);
    QFETCH(QString, points);
    QFETCH(QString, error);
    const TScratchFolder folder;
    for (int i = 0; i + 1 < files.size(); i += 2) {
        const QString path = folder.File(QString::fromUtf8(files[i]));
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(files[i + 1]);
    }
    const THorizonRead r = ReadHorizonFile(folder.File(read), TLanguage::English);
    QStringList found;
    for (const THorizonPoint &p : r.Points)
        found << QString::number(p.Azimuth, 'g', 10) + u'/' + QString::number(p.Altitude, 'g', 10);
    QCOMPARE(found.join(u' '), points);
    QVERIFY2(error.isEmpty() ? r.Ok() : r.Error.contains(error), qPrintable(r.Error));
    QVERIFY(!r.Error.contains(u'\n'));
}

QTEST_GUILESS_MAIN(TestHorizonFile)
#include "tst_horizonfile.moc"
