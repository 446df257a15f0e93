// The Horizon command end to end: Tools opens the dialog for the main
// window's place, a profile file is imported through the open dialog, OK
// stores it beside lokality.xml and the chart windows' request carries it.
#include "TestSupport.h"
#include "app/ChartWindow.h"
#include "app/RokSlnka.h"
#include "app/SlnkoMesiac.h"
#include "localities/Horizont.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace
{

const QString Example = QStringLiteral(VANTU_SOURCE_DIR "/help/examples/horizont-vratna.txt");

// Runs the dialog: imports file through the open dialog, sets the height and
// presses OK; records what the dialog showed.
struct TDialogRun {
    TDialogRun(QString file, double height) : File(std::move(file)), Height(height) {}
    QString File;
    double Height = 0;
    int Rows = -1;
    QString Description;
    QString Title;

    int operator()(QDialog &dialog)
    {
        if (auto *files = qobject_cast<QFileDialog *>(&dialog)) {
            if (dialog.objectName() != QLatin1String("OpenDialog1"))
                return QDialog::Rejected;
            files->selectFile(File);
            return QDialog::Accepted;
        }
        auto *horizon = qobject_cast<TfrmHorizont *>(&dialog);
        if (!horizon)
            return QDialog::Rejected;
        horizon->show();
        Find<QPushButton>(horizon, "btnImport")->click();
        Rows = Find<QTableWidget>(horizon, "tblBody")->rowCount();
        Find<QDoubleSpinBox>(horizon, "seVyska")->setValue(Height);
        Description = Find<QWidget>(horizon, "pbProfil")->accessibleDescription();
        Title = horizon->windowTitle();
        horizon->accept();
        return horizon->result();
    }
};

} // namespace

class TestHorizont : public QObject
{
    Q_OBJECT

private slots:
    void init() { FFixture = std::make_unique<TVantuFixture>(); }
    void cleanup() { FFixture.reset(); }

    void importStoreAndRequest()
    {
        QVERIFY(FFixture->Ready());
        TfrmVantu w;
        auto *item = w.findChild<QAction *>(QStringLiteral("mnuHorizont"));
        QVERIFY(item);
        QVERIFY(w.findChild<QMenu *>(QStringLiteral("mnuNastroje"))->actions().contains(item));

        // A file the reader refuses: the message names it and its line; nothing is stored.
        const QString bad = FFixture->File(QStringLiteral("bad.txt"));
        QVERIFY(WriteFile(bad, "0 5\n90 sixty\n"));
        TDialogRun refused(bad, 0);
        MessageTestHook::SetModalHandler(std::ref(refused));
        {
            TBoxAnswerer boxes({QMessageBox::Ok});
            item->trigger();
            QCOMPARE(boxes.Seen().size(), 1);
            QVERIFY2(boxes.Seen()[0].Text.contains(QStringLiteral("bad.txt")) &&
                         boxes.Seen()[0].Text.contains(QStringLiteral(" 2")),
                     qPrintable(boxes.Seen()[0].Text));
        }
        QCOMPARE(refused.Rows, 0);
        QVERIFY(!QFile::exists(FFixture->File(QStringLiteral("horizonty.xml"))));

        TDialogRun run(Example, 20);
        MessageTestHook::SetModalHandler(std::ref(run));
        item->trigger();
        QCOMPARE(run.Rows, 24);
        QVERIFY2(run.Title.contains(QStringLiteral("SK - Bratislava")), qPrintable(run.Title));
        QVERIFY2(run.Description.contains(QStringLiteral("90°: 16")) &&
                     run.Description.contains(QStringLiteral("20")),
                 qPrintable(run.Description));
        MessageTestHook::SetModalHandler(nullptr);
        QVERIFY(!ReadFile(FFixture->File(QStringLiteral("horizonty.xml"))).isEmpty());

        w.findChild<QAction *>(QStringLiteral("mnuSlnkoMesiac"))->trigger();
        auto *chart = w.findChild<TfrmSlnkoMesiac *>();
        QVERIFY(chart);
        const std::optional<THorizon> &horizon = chart->Request().Horizon;
        QVERIFY(horizon);
        QCOMPARE(horizon->Points().size(), size_t(24));
        QCOMPARE(horizon->Height(), 20.0);
        QCOMPARE(horizon->TerrainAt(97.5), 17.0);
        // Both charts give the visible times beside the flat ones.
        const QString visible = QStringLiteral("Viditeľný východ Slnka");
        QVERIFY(chart->findChild<QLabel *>(QStringLiteral("lblObloha"))->text().contains(visible));
        chart->close();
        w.findChild<QAction *>(QStringLiteral("mnuRokSlnka"))->trigger();
        auto *year = w.findChild<TfrmRokSlnka *>();
        QVERIFY(year &&
                year->findChild<QLabel *>(QStringLiteral("lblDay"))->text().contains(visible));
        year->close();

        // Another start finds it for the same place.
        TfrmVantu again;
        TDialogRun cancelled(Example, 0);
        MessageTestHook::SetModalHandler([&](QDialog &d) {
            auto *h = qobject_cast<TfrmHorizont *>(&d);
            cancelled.Rows = h ? Find<QTableWidget>(h, "tblBody")->rowCount() : -1;
            cancelled.Height = h ? Find<QDoubleSpinBox>(h, "seVyska")->value() : -1;
            return int(QDialog::Rejected);
        });
        again.findChild<QAction *>(QStringLiteral("mnuHorizont"))->trigger();
        QCOMPARE(cancelled.Rows, 24);
        QCOMPARE(cancelled.Height, 20.0);
    }

    // A damaged file is set aside at the start with a word to the user; the program goes on.
    void damagedFileSetAside()
    {
        const QByteArray damaged = "<Horizonty><Horizont Nazov=\"A\"";
        QVERIFY(WriteFile(FFixture->File(QStringLiteral("horizonty.xml")), damaged));
        TBoxAnswerer boxes({QMessageBox::Ok});
        TfrmVantu w;
        QCOMPARE(boxes.Seen().size(), 1);
        QCOMPARE(boxes.Seen()[0].Icon, QMessageBox::Warning);
        const QStringList aside =
            QDir(FFixture->Path()).entryList({QStringLiteral("horizonty-*.damaged.xml")});
        QCOMPARE(aside.size(), 1);
        QVERIFY2(boxes.Seen()[0].Text.contains(QStringLiteral("horizonty.xml")) &&
                     boxes.Seen()[0].Text.contains(aside[0]),
                 qPrintable(boxes.Seen()[0].Text));
        QCOMPARE(ReadFile(FFixture->File(aside[0])), damaged);
        QVERIFY(!QFile::exists(FFixture->File(QStringLiteral("horizonty.xml"))));
        QVERIFY(w.findChild<QAction *>(QStringLiteral("mnuHorizont"))->isEnabled());
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestHorizont)
#include "tst_horizont.moc"
