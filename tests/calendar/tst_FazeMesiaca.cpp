// The Moon phase command and window: the picture for the calendar's day, the
// pictures themselves, and pictures that cannot be read.
#include "AuxTestSupport.h"
#include "calendar/FazeMesiaca.h"
#include "calendar/MoonPhase.h"
#include "common/GifPicture.h"
#include "common/Version.h"
#include "mainwindow/Vantu.h"
#include "suntime/DateUtil.h"

#include <QAction>
#include <QDateEdit>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <memory>

using namespace AuxTest;

namespace
{

const char *const LanguageItems[3] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
const char *const MoonTitles[3] = {" Fáza Mesiaca", " Moon phase", " Holdfázis"};

QString PictureName(int picture)
{
    return QStringLiteral("%1.gif").arg(picture, 2, 10, QChar('0'));
}

QStringList AllMoonPictures()
{
    QStringList names;
    for (int i = 1; i <= 29; ++i)
        names << PictureName(i);
    return names;
}

// x computed here from Qt's own Julian Day Number, apart from the program's
// date arithmetic.
int ExpectedPicture(const QDate &date)
{
    const double jd = double(date.toJulianDay()) - 0.5;
    const double cycles = (jd - 1721088.5) / 29.53059;
    return MoonPictureNumber(cycles - std::floor(cycles));
}

QList<QStringList> ReadCsv(const QString &path)
{
    QList<QStringList> rows;
    const QList<QByteArray> lines = ReadFile(path).split('\n');
    for (int i = 1; i < lines.size(); ++i) { // the first line names the columns
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty())
            rows << QString::fromLatin1(line).split(QLatin1Char(','));
    }
    return rows;
}

// Notes every TfrmFazeMesiaca that is shown.
class TShowWatcher : public QObject
{
public:
    TShowWatcher() { qApp->installEventFilter(this); }
    ~TShowWatcher() override { qApp->removeEventFilter(this); }
    int Shown = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<TfrmFazeMesiaca *>(o))
            ++Shown;
        return false;
    }
};

} // namespace

class TestFazeMesiaca : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QStringList &r : ReadCsv(SourcePicture(QStringLiteral("moon_pictures.csv"))))
            FDepicted.insert(r[0].toInt(), r[1].toDouble());
        QCOMPARE(FDepicted.size(), 29);
    }
    void cleanup() { FFixture.reset(); }

    void everyPictureIsAGifOf120_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : AllMoonPictures())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyPictureIsAGifOf120()
    {
        QFETCH(QString, name);
        const QString path = SourcePicture(name);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QImageReader sniff(path);
        QCOMPARE(sniff.format(), QByteArray("gif"));
        QImage picture;
        QString error;
        QVERIFY2(LoadGifPicture(path, &picture, &error), qPrintable(error));
        QCOMPARE(picture.size(), QSize(120, 120));
    }

    // Every picture the program picks for these days shows the Moon within
    // 1.5 days of its true phase.
    void pictureShowsTheTrueMoon_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("truePhase");
        const QList<QStringList> rows =
            ReadCsv(QStringLiteral(VANTU_TEST_DATA_DIR "/calendar/moon_phases.csv"));
        QCOMPARE(rows.size(), 200);
        for (const QStringList &r : rows) {
            const QDate date(r[0].toInt(), r[1].toInt(), r[2].toInt());
            QTest::newRow(qPrintable(date.toString(Qt::ISODate))) << date << r[3].toDouble();
        }
    }
    void pictureShowsTheTrueMoon()
    {
        QFETCH(QDate, date);
        QFETCH(double, truePhase);
        const double ole = DateUtil::EncodeDate(date.year(), date.month(), date.day());
        const int picture = MoonPictureNumber(PhaseFraction(ole));
        QVERIFY(FDepicted.contains(picture));
        double apart = std::fabs(truePhase - FDepicted[picture]);
        apart = std::min(apart, 1.0 - apart);
        QVERIFY2(apart * 29.53 <= 1.5,
                 qPrintable(
                     QStringLiteral("picture %1 is %2 days off").arg(picture).arg(apart * 29.53)));
    }

    void commandShowsPicture_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("picture");
        for (int language = 0; language < 3; ++language)
            QTest::addRow("2000-01-01 language %d", language)
                << language << QDate(2000, 1, 1) << 15;
        // The calendar's first and last days still give a picture.
        QTest::newRow("0100-01-01") << 1 << QDate(100, 1, 1) << ExpectedPicture(QDate(100, 1, 1));
        QTest::newRow("9999-12-31")
            << 1 << QDate(9999, 12, 31) << ExpectedPicture(QDate(9999, 12, 31));
        QTest::newRow("2026-12-07")
            << 0 << QDate(2026, 12, 7) << ExpectedPicture(QDate(2026, 12, 7));
    }
    void commandShowsPicture()
    {
        QVERIFY(MakeFolder());
        QFETCH(int, language);
        QFETCH(QDate, date);
        QFETCH(int, picture);
        QVERIFY(picture >= 1 && picture <= 29);

        TfrmVantu w;
        w.findChild<QAction *>(QString::fromLatin1(LanguageItems[language]))->trigger();
        auto *kalendar = w.findChild<QDateEdit *>(QStringLiteral("Kalendar"));
        kalendar->setDate(date);
        QCOMPARE(kalendar->date(), date);

        QString title;
        QSize clientSize, imageSize, minSize, maxSize;
        QRect image1Rect, button1Rect, geometry;
        QString button1Text;
        QImage shown;
        bool pressed = false, owned = false, maximisable = true, minimisable = true;
        bool otherActive = false;
        TWhenModal<TfrmFazeMesiaca> answer([&](TfrmFazeMesiaca *frm) {
            title = frm->windowTitle();
            owned = frm->parentWidget() == &w;
            clientSize = frm->size();
            minSize = frm->minimumSize();
            maxSize = frm->maximumSize();
            geometry = frm->geometry();
            maximisable = frm->windowFlags() & Qt::WindowMaximizeButtonHint;
            minimisable = frm->windowFlags() & Qt::WindowMinimizeButtonHint;
            auto *image1 = frm->findChild<QLabel *>(QStringLiteral("Image1"));
            auto *button1 = frm->findChild<QPushButton *>(QStringLiteral("Button1"));
            if (!image1 || !button1)
                return;
            image1Rect = image1->geometry();
            imageSize = image1->pixmap().size();
            shown = image1->pixmap().toImage();
            button1Rect = button1->geometry();
            button1Text = button1->text();
            QObject::connect(button1, &QPushButton::clicked, [&pressed] { pressed = true; });
            // The key must work even when the window is not the active one
            // (it may reach the window before the window manager activates it).
            TOtherWindowActive other(frm);
            otherActive = other.Active();
            QTest::keyClick(frm, Qt::Key_Escape);
        });
        w.findChild<QAction *>(QStringLiteral("mnuFazaMesiaca"))->trigger();

        QVERIFY(answer.Done());
        QVERIFY(otherActive);
        QCOMPARE(title, U(MoonTitles[language]));
        QVERIFY(owned);
        QCOMPARE(clientSize, QSize(120, 120));
        QCOMPARE(minSize, maxSize);
        QVERIFY(!maximisable);
        QVERIFY(!minimisable);
        QCOMPARE(geometry.center(), w.screen()->geometry().center());
        QCOMPARE(image1Rect, QRect(0, 0, 120, 120));
        QCOMPARE(imageSize, QSize(120, 120));
        QCOMPARE(button1Rect, QRect(0, 0, 1, 1));
        QCOMPARE(button1Text, QStringLiteral("."));
        QVERIFY2(pressed, "Esc presses the hidden cancel button");
        QImage expected;
        QVERIFY(expected.load(SourcePicture(PictureName(picture))));
        QCOMPARE(Pixels(shown), Pixels(expected));
        // Destroyed once closed.
        QVERIFY(w.findChildren<TfrmFazeMesiaca *>().isEmpty());
    }

    void badPictureIsReported_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "File not found";
        QTest::newRow("zero bytes") << "zero"
                                    << "Unable to read image data";
        QTest::newRow("half cut off") << "half"
                                      << "Incomplete GIF data";
        QTest::newRow("trailer cut off") << "trailer"
                                         << "Incomplete GIF data";
        QTest::newRow("PNG named .gif") << "png"
                                        << "Unable to read image data";
    }
    void badPictureIsReported()
    {
        QVERIFY(MakeFolder());
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        const QString path = FFixture->File(QStringLiteral("grafika/15.gif"));
        const QByteArray good = ReadFile(path);
        if (damage == QLatin1String("missing")) {
            QVERIFY(QFile::remove(path));
        } else if (damage == QLatin1String("zero")) {
            QVERIFY(WriteFile(path, QByteArray()));
        } else if (damage == QLatin1String("half")) {
            QVERIFY(WriteFile(path, good.left(good.size() / 2)));
        } else if (damage == QLatin1String("trailer")) {
            QVERIFY(WriteFile(path, good.left(good.size() - 1)));
        } else {
            QImage png(120, 120, QImage::Format_RGB32);
            png.fill(Qt::blue);
            QVERIFY(png.save(path, "PNG"));
        }

        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.findChild<QDateEdit *>(QStringLiteral("Kalendar"))->setDate(QDate(2000, 1, 1));
        TShowWatcher watcher;
        {
            TBoxAnswerer boxes({QMessageBox::Ok});
            w.findChild<QAction *>(QStringLiteral("mnuFazaMesiaca"))->trigger();
            QCOMPARE(boxes.Seen().size(), 1);
            const TShownMessage &box = boxes.Seen().first();
            QCOMPARE(box.Caption, QStringLiteral("Vantu " VANTU_VERSION));
            QCOMPARE(box.Icon, QMessageBox::Critical);
            QCOMPARE(box.Text, reason + U(": »grafika/15.gif«"));
            QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(watcher.Shown, 0);
        QVERIFY(w.findChildren<TfrmFazeMesiaca *>().isEmpty());
        QVERIFY(w.isVisible());
        QVERIFY(w.isEnabled());
        QVERIFY(!QApplication::activeModalWidget());

        // Mended, the same command works again.
        QVERIFY(WriteFile(path, good));
        TWhenModal<TfrmFazeMesiaca> answer(
            [](TfrmFazeMesiaca *frm) { QTest::keyClick(frm, Qt::Key_Escape); });
        w.findChild<QAction *>(QStringLiteral("mnuFazaMesiaca"))->trigger();
        QVERIFY(answer.Done());
        QCOMPARE(watcher.Shown, 1);
    }

private:
    // The window tests work in a fresh folder with the pictures; the plain
    // ones need none.
    bool MakeFolder()
    {
        FFixture = std::make_unique<TVantuFixture>();
        return PrepareFolder(*FFixture, AllMoonPictures());
    }

    std::unique_ptr<TVantuFixture> FFixture;
    QHash<int, double> FDepicted;
};

QTEST_MAIN(TestFazeMesiaca)
#include "tst_FazeMesiaca.moc"
