// The locality database through the main window: start-up with a missing or
// damaged file, the sorted grid, the two modes, adding and erasing.
#include "TestSupport.h"
#include "localities/LocalityFile.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace
{

QString Panel0(QWidget *w)
{
    return Find<QLabel>(w, "StatusPanel0")->text();
}

QStringList Names(const TLocalityList &list)
{
    QStringList names;
    for (const TLocality &r : list)
        names << r.Field[fMesto];
    return names;
}

TLocalityList FileRecords(const QString &path)
{
    TLocalityList list;
    ParseLocalities(ReadFile(path), list);
    return list;
}

const QStringList SortedPredefined = {U("SK - Bratislava"), U("SK - Košice"), U("SK - Michalovce"),
                                      U("SK - Piešťany"),   U("SK - Poprad"), U("SK - Prešov"),
                                      U("SK - Rožňava"),    U("SK - Sliač"),  U("SK - Žilina")};

// The three results a calculator of its own gives for what the inputs show
// (the window computes in CET), as the result labels write them.
QStringList ResultsForInputs(TfrmVantu &w)
{
    auto spin = [&](const char *name) { return Find<TSpinEdit>(&w, name)->Value(); };
    TSunTime sun;
    sun.SetUseSysTimeZone(false);
    sun.SetTimeZone(1.0);
    sun.Latitude().SetDegrees(uint16_t(spin("seSirkaST")));
    sun.Latitude().SetMinutes(uint16_t(spin("seSirkaMin")));
    sun.Latitude().SetSeconds(uint16_t(spin("seSirkaSek")));
    sun.Latitude().SetDir(Find<QComboBox>(&w, "PolohaS")->currentText() == u"S" ? dSouth : dNorth);
    sun.Longitude().SetDegrees(uint16_t(spin("seDlzkaST")));
    sun.Longitude().SetMinutes(uint16_t(spin("seDlzkaMin")));
    sun.Longitude().SetSeconds(uint16_t(spin("seDlzkaSek")));
    sun.Longitude().SetDir(Find<QComboBox>(&w, "PolohaD")->currentText() == u"E" ? dEast : dWest);
    sun.SetDate(DateUtil::EncodeDate(2026, 12, 7));
    QStringList results;
    for (int event : {1, 3, 2}) {
        int y, mo, d, h, mi, sec, ms;
        DateUtil::DecodeDateTime(sun.EventTime(event), y, mo, d, h, mi, sec, ms);
        results << QTime(h, mi, sec).toString(QStringLiteral("hh:mm:ss")) + QStringLiteral("  ") +
                       QLocale::system().toString(QDate(y, mo, d), QLocale::LongFormat);
    }
    return results;
}

QStringList ShownResults(TfrmVantu &w)
{
    return {Find<QLabel>(&w, "Sunrise")->text(), Find<QLabel>(&w, "Noon")->text(),
            Find<QLabel>(&w, "Sunset")->text()};
}

} // namespace

class TestLocalityGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // No locality file: each test writes its own or none.
        FFixture = std::make_unique<TVantuFixture>(QByteArray());
        QVERIFY(FFixture->Ready());
    }
    void cleanup() { FFixture.reset(); }

    void missingFileCreatesPredefinedDatabase_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("sk") << 0 << U(" Chýba súbor")
                            << U("Súbor »lokality.xml« neexistuje v hlavnom adresári.\n\r\n\r"
                                 "Program bude spustený s preddefinovanou databázou.");
        QTest::newRow("en") << 1 << U(" File error")
                            << U("File »lokality.xml« is missing in main folder.\n\r\n\r"
                                 "Program will start with predefine database.");
        QTest::newRow("hu") << 2 << U(" Hiba")
                            << U("Hiányzik a »lokality.xml« fájl.\n\r\n\r"
                                 "A program új alap-adatbázissal indul.");
    }
    void missingFileCreatesPredefinedDatabase()
    {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")),
                  QStringLiteral("[Nastavenie]\njazyk=%1\n").arg(language).toLatin1());
        WriteFile(FFixture->File(QStringLiteral("temp.xml")), "something else");
        TBoxAnswerer answer({QMessageBox::Ok});
        TfrmVantu w;
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, caption);
        QCOMPARE(answer.Seen()[0].Text, text);
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Warning);
        QVERIFY(!w.DatabaseDamaged());

        // The file keeps the predefined order; the grid is sorted.
        const QByteArray bytes = ReadFile(FFixture->File(QStringLiteral("lokality.xml")));
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\"?>\n<SuborDat><Riadok><Mesto>SK - Slia"));
        QCOMPARE(FileRecords(FFixture->File(QStringLiteral("lokality.xml"))),
                 PredefinedLocalities());
        QCOMPARE(Names(w.Localities()), SortedPredefined);
        QVERIFY(!QFile::exists(FFixture->File(QStringLiteral("temp.xml"))));
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("SK - Bratislava"));
        QVERIFY(Panel0(&w).endsWith(QStringLiteral("1/9")));
    }

    void damagedFileIsMovedAsideAndNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::newRow("zero bytes") << QByteArray() << 0;
        QTest::newRow("not well-formed")
            << QByteArray("<?xml version=\"1.0\"?>\n<SuborDat><Riadok>") << 0;
        QTest::newRow("invalid field")
            << QByteArray("<?xml version=\"1.0\"?>\n<SuborDat><Riadok><Mesto>A</Mesto><Hod>13</Hod>"
                          "<Min>0</Min><ZS1>1</ZS1><ZS2>0</ZS2><ZS3>0</ZS3><ZS4>N</ZS4><ZD1>1</ZD1>"
                          "<ZD2>0</ZD2><ZD3>0</ZD3><ZD4>E</ZD4></Riadok></SuborDat>")
            << 1;
    }
    void damagedFileIsMovedAsideAndNeverWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        const QString path = FFixture->File(QStringLiteral("lokality.xml"));
        WriteFile(path, bytes);
        TBoxAnswerer answer({QMessageBox::Ok, QMessageBox::Yes});
        TfrmVantu w;
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, U(" Chyba v súbore"));
        QCOMPARE(answer.Seen()[0].Text,
                 U("Súbor »lokality.xml« je poškodený.\n\r\n\rProgram bude ukončený.\n\r\n\r"
                   "Po znovuspustení sa otvorí s preddefinovanou databázou."));
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Warning);
        QVERIFY(w.DatabaseDamaged());
        QCOMPARE(w.Localities().size(), records);

        // Gone under its own name, kept byte for byte under another.
        QVERIFY(!QFile::exists(path));
        const QStringList aside =
            QDir(FFixture->Path()).entryList({QStringLiteral("lokality-*.damaged.xml")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(ReadFile(FFixture->File(aside[0])), bytes);

        // Until the program ends, no change brings the damaged records back.
        if (records > 0) {
            Find<QAction>(&w, "mnuZmazat")->trigger();
            QCOMPARE(answer.Seen().size(), 2);
        }
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QLineEdit>(&w, "Edit1")->setText(QStringLiteral("New"));
        Find<QAction>(&w, "mnuPridat")->trigger();
        QVERIFY(!QFile::exists(path));
    }

    void emptyListIsHandled()
    {
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")),
                  "<?xml version=\"1.0\"?>\n<SuborDat>\n</SuborDat>");
        TfrmVantu w;
        QVERIFY(!w.DatabaseDamaged());
        QCOMPARE(w.Localities().size(), 0);
        QVERIFY(Panel0(&w).endsWith(QStringLiteral("0/0")));
        QCOMPARE(w.CurrentRecord(), 0);
        // Nothing to erase; no question is asked.
        TBoxAnswerer answer({QMessageBox::Yes});
        Find<QAction>(&w, "mnuZmazat")->trigger();
        QCOMPARE(answer.Seen().size(), 0);
        w.VyberLOK();
        // Adding works.
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QLineEdit>(&w, "Edit1")->setText(QStringLiteral("Alone"));
        Find<QAction>(&w, "mnuPridat")->trigger();
        QCOMPARE(Names(w.Localities()), QStringList{QStringLiteral("Alone")});
        QCOMPARE(Names(FileRecords(FFixture->File(QStringLiteral("lokality.xml")))),
                 QStringList{QStringLiteral("Alone")});
    }

    void addChecksInputsInOrder_data()
    {
        QTest::addColumn<QStringList>("texts"); // Edit1, seHod, seMin, lat x3, lon x3
        QTest::addColumn<QString>("failing");
        const QStringList ok = {
            QStringLiteral("Place"), "-12", "45", "90", "59", "59", "180", "59", "59"};
        QTest::newRow("all valid bounds") << ok << QString();
        auto with = [&](int i, const QString &v) {
            QStringList t = ok;
            t[i] = v;
            return t;
        };
        // The check itself is FirstInvalidAddField's (tst_localityrecords);
        // here each input it can fail on gets the focus.
        QTest::newRow("empty name") << with(0, QString()) << "Edit1";
        QTest::newRow("hours 13") << with(1, "13") << "seHod";
        QTest::newRow("minutes 46") << with(2, "46") << "seMin";
        QTest::newRow("lat 91") << with(3, "91") << "seSirkaST";
        QTest::newRow("lat min 60") << with(4, "60") << "seSirkaMin";
        QTest::newRow("lat sec 60") << with(5, "60") << "seSirkaSek";
        QTest::newRow("lon 181") << with(6, "181") << "seDlzkaST";
        QTest::newRow("lon min 60") << with(7, "60") << "seDlzkaMin";
        QTest::newRow("lon sec x") << with(8, "x") << "seDlzkaSek";
        // What XML can escape is saved as typed.
        QTest::newRow("name with accents and markup characters")
            << with(0, U("Šaľa & <Veľké> Zálužie; \U0001F600")) << QString();
    }
    void addChecksInputsInOrder()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, failing);
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")), NineTownsFile());
        TfrmVantu w;
        w.show();
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QLineEdit>(&w, "Edit1")->setText(texts[0]);
        const char *spins[] = {"seHod",      "seMin",     "seSirkaST",  "seSirkaMin",
                               "seSirkaSek", "seDlzkaST", "seDlzkaMin", "seDlzkaSek"};
        for (int i = 0; i < 8; ++i)
            Find<TSpinEdit>(&w, spins[i])->SetText(texts[i + 1]);
        const QByteArray before = ReadFile(FFixture->File(QStringLiteral("lokality.xml")));

        TBoxAnswerer answer({QMessageBox::Ok});
        Find<QAction>(&w, "mnuPridat")->trigger();
        if (failing.isEmpty()) {
            QCOMPARE(answer.Seen().size(), 0);
            QCOMPARE(w.Localities().size(), 10);
            const TLocalityList saved = FileRecords(FFixture->File(QStringLiteral("lokality.xml")));
            QCOMPARE(saved.size(), 10);
            QVERIFY(Names(saved).contains(texts[0]));
            return;
        }
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, U(" Chyba vstupných údajov"));
        QCOMPARE(answer.Seen()[0].Text, U("Prosím, vyplňte všetky vstupné údaje,\r\n\r\n"
                                          "číselné údaje v povolenom rozsahu!"));
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Critical);
        QCOMPARE(w.focusWidget()->objectName(), failing);
        QCOMPARE(w.Localities().size(), 9);
        QCOMPARE(ReadFile(FFixture->File(QStringLiteral("lokality.xml"))), before);
    }

    void addSortsShowsFirstAndSaves()
    {
        TBoxAnswerer start({QMessageBox::Ok}); // missing file
        TfrmVantu w;
        Find<QAction>(&w, "mnuVlastne")->trigger();
        QCOMPARE(Panel0(&w), U(" Vkladáte vlastné údaje"));
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), QString());
        QCOMPARE(Find<QComboBox>(&w, "PolohaS")->currentText(), QStringLiteral("N"));
        QCOMPARE(Find<QComboBox>(&w, "PolohaD")->currentText(), QStringLiteral("E"));
        QCOMPARE(Find<TSpinEdit>(&w, "seDlzkaST")->Text(), QStringLiteral("0"));

        Find<QLineEdit>(&w, "Edit1")->setText(U("sk - banská Bystrica"));
        Find<TSpinEdit>(&w, "seSirkaST")->SetText(QStringLiteral("48"));
        Find<TSpinEdit>(&w, "seDlzkaST")->SetText(QStringLiteral("19"));
        Find<QAction>(&w, "mnuPridat")->trigger();
        Find<QAction>(&w, "mnuPridat")->trigger(); // the same place twice
        // Lower case sorts among upper case as if it were upper case.
        QStringList expected = SortedPredefined;
        expected.insert(0, U("sk - banská Bystrica"));
        expected.insert(0, U("sk - banská Bystrica"));
        QCOMPARE(Names(w.Localities()), expected);
        QCOMPARE(Names(FileRecords(FFixture->File(QStringLiteral("lokality.xml")))), expected);
        // The first record is shown; own-data mode goes on.
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("sk - banská Bystrica"));
        QVERIFY(Panel0(&w).endsWith(QStringLiteral("1/11")));
        QVERIFY(Find<QGroupBox>(&w, "grpLokality")->isEnabled());
        QVERIFY(!Find<QAbstractButton>(&w, "btnPridat")->isChecked());
        QVERIFY(Find<QAbstractButton>(&w, "btnVlastne")->isChecked());
        QVERIFY(!Find<QAbstractButton>(&w, "btnVlastne")->isEnabled());
        QVERIFY(!Find<QAction>(&w, "mnuZmazat")->isEnabled());
    }

    void resultsFollowTheInputsAfterEachCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("add") << "add";
        QTest::newRow("own data") << "own";
        QTest::newRow("database") << "database";
        QTest::newRow("erase declined") << "erase";
        QTest::newRow("row click") << "click";
        QTest::newRow("key move") << "key";
    }
    // Whenever a command puts a locality into the inputs, the results shown
    // are those of exactly these inputs.
    void resultsFollowTheInputsAfterEachCommand()
    {
        QFETCH(QString, command);
        const QString path = FFixture->File(QStringLiteral("lokality.xml"));
        WriteFile(path, NineTownsFile());
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Find<QRadioButton>(&w, "rbSEC")->isChecked());
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        // Own data: the numbers of the first record (Bratislava, 48° 9′ 0″ N,
        // 17° 7′ 1″ E), but south and west, and a name that sorts after it.
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QLineEdit>(&w, "Edit1")->setText(QStringLiteral("SK - Zvolen"));
        const char *spins[] = {"seHod",      "seMin",     "seSirkaST",  "seSirkaMin",
                               "seSirkaSek", "seDlzkaST", "seDlzkaMin", "seDlzkaSek"};
        const char *values[] = {"1", "0", "48", "9", "0", "17", "7", "1"};
        for (int i = 0; i < 8; ++i)
            Find<TSpinEdit>(&w, spins[i])->SetText(QString::fromLatin1(values[i]));
        for (const char *name : {"PolohaS", "PolohaD"}) {
            auto *box = Find<QComboBox>(&w, name);
            box->setCurrentIndex(name[6] == 'S' ? 1 : 0);
            emit box->activated(box->currentIndex());
        }
        QCOMPARE(ShownResults(w), ResultsForInputs(w));

        TBoxAnswerer answer({QMessageBox::No});
        if (command == u"add") {
            Find<QAction>(&w, "mnuPridat")->trigger();
            QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("SK - Bratislava"));
            QCOMPARE(Find<QComboBox>(&w, "PolohaS")->currentText(), QStringLiteral("N"));
            const QStringList stored = {"SK - Zvolen", "1",  "0", "48", "9", "0",
                                        "S",           "17", "7", "1",  "W"};
            const TLocality added = w.Localities().value(9);
            QCOMPARE(QStringList(added.Field.begin(), added.Field.end()), stored);
            const TLocality saved = FileRecords(path).value(9);
            QCOMPARE(QStringList(saved.Field.begin(), saved.Field.end()), stored);
        } else if (command == u"own") {
            Find<QAction>(&w, "mnuDatabaza")->trigger();
            Find<QAction>(&w, "mnuVlastne")->trigger();
        } else if (command == u"database") {
            Find<QAction>(&w, "mnuDatabaza")->trigger();
        } else if (command == u"erase") {
            Find<QAction>(&w, "mnuDatabaza")->trigger();
            Find<QAction>(&w, "mnuZmazat")->trigger();
        } else {
            Find<QAction>(&w, "mnuDatabaza")->trigger();
            grid->setFocus();
            if (command == u"key")
                QTest::keyClick(grid, Qt::Key_Down);
            const QRect row = grid->visualRect(grid->model()->index(2, 0));
            if (command == u"click")
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
        }
        QCOMPARE(ShownResults(w), ResultsForInputs(w));
    }

    void erase_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("shownRow");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first yes") << 1 << true << 1 << U("SK - Košice");
        QTest::newRow("middle yes") << 4 << true << 4 << U("SK - Poprad");
        QTest::newRow("last yes") << 9 << true << 8 << U("SK - Sliač");
        QTest::newRow("middle no") << 4 << false << 4 << U("SK - Piešťany");
    }
    void erase()
    {
        QFETCH(int, row);
        QFETCH(bool, yes);
        QFETCH(int, shownRow);
        QFETCH(QString, shown);
        const QString path = FFixture->File(QStringLiteral("lokality.xml"));
        WriteFile(path, NineTownsFile());
        TfrmVantu w;
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        grid->setCurrentIndex(grid->model()->index(row - 1, 0));
        QCOMPARE(w.CurrentRecord(), row);
        WriteFile(path, "stale"); // the command rewrites the file whatever the answer

        TBoxAnswerer answer({yes ? QMessageBox::Yes : QMessageBox::No});
        Find<QAction>(&w, "mnuZmazat")->trigger();
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, U(" Mazanie záznamu"));
        QCOMPARE(answer.Seen()[0].Text, U("Vymazať tento záznam?"));
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Question);
        QCOMPARE(answer.Seen()[0].Buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(answer.Seen()[0].DefaultButton, QMessageBox::No);

        QStringList expected = SortedPredefined;
        if (yes)
            expected.removeAt(row - 1);
        QCOMPARE(Names(w.Localities()), expected);
        QCOMPARE(Names(FileRecords(path)), expected);
        QCOMPARE(w.CurrentRecord(), shownRow);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), shown);
        QVERIFY(Panel0(&w).endsWith(QStringLiteral("%1/%2").arg(shownRow).arg(expected.size())));
    }

    void keyboardAndClicksSelectRecords()
    {
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")), NineTownsFile());
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("SK - Košice"));
        QVERIFY(Panel0(&w).endsWith(QStringLiteral("2/9")));
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("SK - Michalovce"));
        // Košice: 48° 43′ 19″ N.
        const QRect row2 = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row2.center());
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), U("SK - Košice"));
        QCOMPARE(w.SunTime().Latitude().Minutes(), 43);
        // A click on the selected row selects it again.
        Find<TSpinEdit>(&w, "seSirkaMin")->SetText(QStringLiteral("1"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row2.center());
        QCOMPARE(Find<TSpinEdit>(&w, "seSirkaMin")->Text(), QStringLiteral("43"));
    }

    void clickAfterADragSelectsAgain_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("down") << 1 << 2;
        QTest::newRow("up") << 3 << 1;
    }
    // A drag ends without a click; the next click on the row it ended on
    // still fills the inputs and computes.
    void clickAfterADragSelectsAgain()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")), NineTownsFile());
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        const QPoint start = grid->visualRect(grid->model()->index(from, 0)).center();
        const QPoint end = grid->visualRect(grid->model()->index(to, 0)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(grid->viewport(), end);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(w.CurrentRecord(), to + 1);
        const QString name = w.Localities()[to].Field[fMesto];
        const QString minutes = w.Localities()[to].Field[fZS2];

        Find<QLineEdit>(&w, "Edit1")->setText(QStringLiteral("x"));
        Find<TSpinEdit>(&w, "seSirkaMin")->SetText(QStringLiteral("1"));
        Find<QLabel>(&w, "Sunrise")->clear();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), name);
        QCOMPARE(Find<TSpinEdit>(&w, "seSirkaMin")->Text(), minutes);
        QCOMPARE(ShownResults(w), ResultsForInputs(w));
    }

    void teardownWithScreenReaderReadingTheGrid_data()
    {
        QTest::addColumn<bool>("queryWhileClosing");
        QTest::newRow("cells read before") << false;
        QTest::newRow("model read while the window goes") << true;
    }
    // With accessibility on, the grid's cells are read from the model; taking
    // the window down must not leave any reader on a list that is gone (the
    // sanitizer build reports the slightest use after free).
    void teardownWithScreenReaderReadingTheGrid()
    {
        QFETCH(bool, queryWhileClosing);
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")), NineTownsFile());
        QAccessible::setActive(true);
        auto window = std::make_unique<TfrmVantu>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *grid = Find<QTableView>(window.get(), "StringGrid1");
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table && table->tableInterface());
        QAccessibleInterface *cell = table->tableInterface()->cellAt(1, 0);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), U("SK - Košice"));
        int reads = 0;
        if (queryWhileClosing) {
            // The grid goes first, while the list still stands: a reader that
            // asks the model then still gets the places.
            QAbstractItemModel *model = grid->model();
            connect(grid, &QObject::destroyed, this, [&reads, model] {
                if (model->data(model->index(1, 0)).toString() == U("SK - Košice"))
                    ++reads;
            });
        }
        window.reset();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QAccessible::setActive(false);
        QCOMPARE(reads > 0, queryWhileClosing);
    }

    void failedSaveIsReportedAndListKept()
    {
        const QString path = FFixture->File(QStringLiteral("lokality.xml"));
        WriteFile(path, NineTownsFile());
        TfrmVantu w;
        // A folder in the file's place cannot be replaced by the new file.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(FFixture->Path()).mkdir(QStringLiteral("lokality.xml")));
        TBoxAnswerer answer({QMessageBox::Yes, QMessageBox::Ok});
        Find<QAction>(&w, "mnuZmazat")->trigger();
        QCOMPARE(answer.Seen().size(), 2);
        QCOMPARE(answer.Seen()[1].Icon, QMessageBox::Critical);
        QVERIFY(answer.Seen()[1].Text.contains(U("»lokality.xml«")));
        QCOMPARE(w.Localities().size(), 8);
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestLocalityGrid)
#include "tst_localitygrid.moc"
