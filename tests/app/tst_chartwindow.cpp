// What the two chart windows share: the file names their exports propose and
// the access keys of their Export menus.
#include "TestSupport.h"
#include "app/RokSlnka.h"
#include "app/SlnkoMesiac.h"

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace
{

std::unique_ptr<TChartWindow> MakeWindow(const QString &kind, TLanguage language)
{
    std::unique_ptr<TChartWindow> w;
    if (kind == QLatin1String("year"))
        w = std::make_unique<TfrmRokSlnka>(nullptr, language);
    else
        w = std::make_unique<TfrmSlnkoMesiac>(nullptr, language);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

} // namespace

class TestChartWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ResetTestHooks(); }

    // Characters a file system or a shell takes amiss, commas among them,
    // become one underscore; the Year names the year, Sun and Moon the date.
    void proposedName_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("year") << "year"
                              << "Bratislava"
                              << "Bratislava_2026.png";
        QTest::newRow("year, comma")
            << "year" << U("Bécs, Ausztria") << U("Bécs_Ausztria_2026.png");
        QTest::newRow("year, reserved") << "year"
                                        << "a/b:c*d?"
                                        << "a_b_c_d__2026.png";
        QTest::newRow("year, no name") << "year"
                                       << "  "
                                       << "Vantu_2026.png";
        QTest::newRow("sky, comma")
            << "sky" << U("Bécs, Ausztria") << U("Bécs_Ausztria_2026-06-21.png");
        QTest::newRow("sky, quotes") << "sky"
                                     << "\"SK\" <Poprad>"
                                     << "_SK_Poprad__2026-06-21.png";
        QTest::newRow("sky, no name") << "sky"
                                      << ""
                                      << "Vantu_2026-06-21.png";
    }
    void proposedName()
    {
        QFETCH(QString, window);
        QFETCH(QString, place);
        QFETCH(QString, proposed);
        auto w = MakeWindow(window, TLanguage::English);
        TChartRequest r;
        r.Place = {place, 48.15, 17.1, {}};
        r.MainClock = TClock::Cet();
        r.PlaceClock = TClock::Local(3600);
        r.Day = QDate(2026, 6, 21);
        w->SetRequest(r);
        TSaveDialogAnswer cancel;
        QVERIFY(!w->ExportPng());
        QCOMPARE(cancel.Proposed, QStringList(proposed));
    }

    // No two items of an Export menu share an access key.
    void exportKeys_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("language");
        for (const char *window : {"year", "sky"})
            for (int language = 0; language < LanguageCount; ++language)
                QTest::addRow("%s %d", window, language) << window << language;
    }
    void exportKeys()
    {
        QFETCH(QString, window);
        QFETCH(int, language);
        auto w = MakeWindow(window, *LanguageFromIndex(language));
        QSet<QChar> keys;
        int items = 0;
        for (QAction *a : Find<QPushButton>(w.get(), "btnExport")->menu()->actions()) {
            if (a->isSeparator())
                continue;
            ++items;
            const int amp = a->text().indexOf(u'&');
            QVERIFY2(amp >= 0, qPrintable(a->text()));
            keys.insert(a->text().at(amp + 1).toLower());
        }
        QCOMPARE(keys.size(), items);
    }
};

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
