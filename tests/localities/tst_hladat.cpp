// The Find a place dialog in the three languages: its buttons, the list of
// cities as typed, and the box when there is no city data.
#include "common/Messages.h"
#include "localities/Hladat.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestHladat : public QObject
{
    Q_OBJECT

    TGazetteer FCities{{QStringLiteral(VANTU_BIN_DIR)}, QStringLiteral("/usr/share/locale")};

private slots:
    void cleanup() { MessageTestHook::Reset(); }

    // The program's own words: Qt's Slovak catalogue has no Cancel.
    void buttons_data()
    {
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("sk") << TLanguage::Slovak << "OK"
                            << "&Zrušiť";
        QTest::newRow("en") << TLanguage::English << "OK"
                            << "&Cancel";
        QTest::newRow("hu") << TLanguage::Hungarian << "OK"
                            << "&Mégse";
    }

    void buttons()
    {
        QFETCH(TLanguage, language);
        QFETCH(QString, ok);
        QFETCH(QString, cancel);
        TfrmHladat dialog(nullptr, language, FCities);
        auto *box = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QCOMPARE(box->button(QDialogButtonBox::Ok)->text(), ok);
        QCOMPARE(box->button(QDialogButtonBox::Cancel)->text(), cancel);
    }

    // The city under its name in the language, and the name typed beside it.
    void typed_data()
    {
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("first"); // the first row up to its first comma
        QTest::newRow("sk Wien") << TLanguage::Slovak << "Wien"
                                 << "Viedeň (Wien)";
        QTest::newRow("en Wien") << TLanguage::English << "Wien"
                                 << "Vienna (Wien)";
        QTest::newRow("hu Wien") << TLanguage::Hungarian << "Wien"
                                 << "Bécs (Wien)";
        QTest::newRow("en Vienna") << TLanguage::English << "Vienna"
                                   << "Vienna";
    }

    void typed()
    {
        QFETCH(TLanguage, language);
        QFETCH(QString, typed);
        QFETCH(QString, first);
        TfrmHladat dialog(nullptr, language, FCities);
        if (!dialog.WaitLoaded())
            QSKIP("no city data");
        dialog.findChild<QLineEdit *>(QStringLiteral("edtHladat"))->setText(typed);
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lstMiesta"));
        QVERIFY(list->count() > 0);
        QCOMPARE(list->item(0)->text().section(QLatin1Char(','), 0, 0), first);
    }

    // The box names the package in the language, and nothing but that.
    void noCityData_data()
    {
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("word"); // "package" in the language
        QTest::newRow("sk") << TLanguage::Slovak << "balík";
        QTest::newRow("en") << TLanguage::English << "package";
        QTest::newRow("hu") << TLanguage::Hungarian << "csomagot";
    }

    void noCityData()
    {
        QFETCH(TLanguage, language);
        QFETCH(QString, word);
        QTemporaryDir empty;
        TGazetteer none({empty.path()}, empty.path());
        MessageTestHook::SetNextAnswers({QMessageBox::Ok});
        TfrmHladat dialog(nullptr, language, none);
        QVERIFY(!dialog.WaitLoaded());
        QCOMPARE(MessageTestHook::Shown().size(), 1);
        const TShownMessage &box = MessageTestHook::Shown().first();
        QVERIFY2(box.Text.contains(word + QStringLiteral(" libgeonames0")) ||
                     box.Text.contains(QStringLiteral("libgeonames0 ") + word),
                 qPrintable(box.Text));
        QVERIFY2(!box.Text.contains(QLatin1Char('\n')) && !box.Text.contains(empty.path()),
                 qPrintable(box.Text));
    }
};

QTEST_MAIN(TestHladat)
#include "tst_hladat.moc"
