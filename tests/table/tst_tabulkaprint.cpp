// The results table window's printing: to PDF files, cancelled and failed
// jobs, the Qt print dialog, and boxes in the language in force.
#include "TabulkaTestSupport.h"
#include "common/Version.h"

#include "PdfTools.h"
#include "table/PrintLayout.h"
#include "table/TablePrint.h"
#include "table/Tabulka.h"
#include "table/TextFile.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

class TestTabulkaPrint : public TTabulkaTestBase
{
    Q_OBJECT

private slots:
    void initTestCase() { StartOwner(); }
    void init() { Prepare(); }
    void cleanup() { Finish(); }

    void printToPdf_data();
    void printToPdf();
    void printEmptyTable();
    void printCancelled();
    void printerError_data();
    void printerError();
    void boxesSpeakTheLanguageInForce_data();
    void boxesSpeakTheLanguageInForce();
    void defaultPrintDialog();
    void defaultPrintDialogToPdfFile();
};

void TestTabulkaPrint::printToPdf_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("months");
    QTest::newRow("English, one month") << 1 << 1;
    QTest::newRow("Slovak, three months") << 0 << 3;
    QTest::newRow("Hungarian, two months") << 2 << 2;
}

void TestTabulkaPrint::printToPdf()
{
    QFETCH(int, language);
    QFETCH(int, months);
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    TfrmTabulka *table = NewTable(language);
    for (int m = 0; m < months; ++m) {
        for (int day = 0; day < 31; ++day)
            table->AppendText(SampleLine);
        table->AppendText(QStringLiteral("\r\n"));
    }
    const QString pdf = FDir->filePath(QStringLiteral("table.pdf"));
    FPrintTo = pdf;
    // The page count the layout gives for this printer and the window's font.
    auto reference = PdfPrinter(FDir->filePath(QStringLiteral("unused.pdf")));
    TPrintLayout layout;
    QVERIFY(ComputePrintLayout(
        ReadPrinterMetrics(*reference), 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
        QFontMetrics(Find<QPlainTextEdit>(table, "Memo1")->font(), reference.get()).height(),
        int(TableLines(table->Text()).size()), &layout, nullptr));
    QCOMPARE(TableLines(table->Text()).size(), months * 32);
    QCOMPARE(layout.pageCount > 1, months > 1); // about 60 lines a page

    TBoxAnswerer answerer({QMessageBox::Ok});
    Find<QAction>(table, "mnuTlacit")->trigger();
    QCOMPARE(FPrintDialogs, 1);
    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &box = answerer.Seen().first();
    QCOMPARE(box.Caption, QStringLiteral("Vantu " VANTU_VERSION));
    QCOMPARE(box.Icon, QMessageBox::NoIcon);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.Text, U(Expected[language].pagesText).arg(layout.pageCount));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QString::number(layout.pageCount));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Vantu-Tab"));
    // Printing changes nothing in the table.
    QVERIFY(table->Modified());
    QCOMPARE(FCleared, 0);
}

void TestTabulkaPrint::printEmptyTable()
{
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    TfrmTabulka *table = NewTable(1);
    const QString pdf = FDir->filePath(QStringLiteral("empty.pdf"));
    FPrintTo = pdf;
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().Text, QStringLiteral("1 pages printed"));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
}

void TestTabulkaPrint::printCancelled()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);

    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QTest::qWait(50);
    QCOMPARE(FPrintDialogs, 1);
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(QDir(FDir->path()).entryList(QDir::Files).isEmpty());
}

void TestTabulkaPrint::printerError_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Slovak") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("Hungarian") << 2;
}

void TestTabulkaPrint::printerError()
{
    QFETCH(int, language);
    TfrmTabulka *table = NewTable(language);
    table->AppendText(SampleLine);
    FPrintTo = FDir->filePath(QStringLiteral("no/such/folder/x.pdf"));
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &box = answerer.Seen().first();
    QCOMPARE(box.Caption, U(Expected[language].printerCaption));
    QCOMPARE(box.Text, U(Expected[language].printerText));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(table->Modified());
    QCOMPARE(table->Text(), SampleLine);
}

void TestTabulkaPrint::boxesSpeakTheLanguageInForce_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("created");
    QTest::addColumn<int>("inForce");
    QTest::newRow("close question sk -> hu") << "close" << 0 << 2;
    QTest::newRow("close question hu -> en") << "close" << 2 << 1;
    QTest::newRow("file error en -> sk") << "file" << 1 << 0;
    QTest::newRow("printer error sk -> en") << "printer" << 0 << 1;
    QTest::newRow("pages en -> hu") << "pages" << 1 << 2;
}

// After a language switch the window keeps its menus and status line, but
// every box it shows is in the language now in force.
void TestTabulkaPrint::boxesSpeakTheLanguageInForce()
{
    QFETCH(QString, box);
    QFETCH(int, created);
    QFETCH(int, inForce);
    const TExpectedTexts &now = Expected[inForce];
    const TExpectedTexts &then = Expected[created];
    TfrmTabulka *table = NewTable(created);
    table->AppendText(SampleLine);
    SetMessageLanguage(TLanguage(inForce));
    FPrintTo = FDir->filePath(box == u"printer" ? QStringLiteral("no/such/x.pdf")
                                                : QStringLiteral("x.pdf"));
    FSaveAnswer = BlockedPath(FDir->filePath(QStringLiteral("VantuTab.txt")));

    TBoxAnswerer answerer({QMessageBox::Cancel});
    if (box == u"close")
        Find<QAction>(table, "mnuZavrietTabulku")->trigger();
    else if (box == u"file")
        table->Save();
    else
        table->mnuTlacitClick();
    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &shown = answerer.Seen().first();
    const QStringList buttonTexts[] = {{U("&Áno"), U("&Nie"), U("&Zrušiť")},
                                       {U("&Yes"), U("&No"), U("&Cancel")},
                                       {U("&Igen"), U("&Nem"), U("&Mégse")}};
    if (box == u"close") {
        QCOMPARE(shown.Caption, U(now.queryCaption));
        QCOMPARE(shown.Text, U(now.queryText));
        QCOMPARE(shown.ButtonTexts, buttonTexts[inForce]);
    } else if (box == u"file") {
        QCOMPARE(shown.Caption, U(now.fileCaption));
    } else if (box == u"printer") {
        QCOMPARE(shown.Caption, U(now.printerCaption));
        QCOMPARE(shown.Text, U(now.printerText));
    } else {
        QCOMPARE(shown.Text, U(now.pagesText).arg(1));
    }
    // The window itself stays in the language of its creation.
    QCOMPARE(Find<QMenu>(table, "mnuTabulka")->title(), U(then.menu));
    QCOMPARE(table->StatusText(), U(then.notSaved));
}

void TestTabulkaPrint::defaultPrintDialog()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    bool pdfOffered = false;
    TModalHandler handler(QStringLiteral("PrintDialog1"), [&](QWidget *w) {
        auto *dialog = qobject_cast<QPrintDialog *>(w);
        QVERIFY(dialog);
        QVERIFY(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        // Without any printer Qt prepares the job for a PDF file.
        pdfOffered = !QPrinterInfo::availablePrinters().isEmpty() ||
                     dialog->printer()->outputFormat() == QPrinter::PdfFormat;
        dialog->reject();
    });
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QVERIFY(handler.Done());
    QVERIFY(pdfOffered);
    QTest::qWait(50);
    QVERIFY(answerer.Seen().isEmpty());
}

void TestTabulkaPrint::defaultPrintDialogToPdfFile()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: the dialog would not start on a PDF file");
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine + SampleLine);
    const QString pdf = FDir->filePath(QStringLiteral("dialog.pdf"));
    TModalHandler handler(QStringLiteral("PrintDialog1"), [&](QWidget *w) {
        auto *dialog = qobject_cast<QPrintDialog *>(w);
        QVERIFY(dialog);
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(fileName);
        QVERIFY(fileName->isEnabled());
        fileName->setText(pdf);
        dialog->accept();
    });
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QVERIFY(handler.Done());
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().Text, QStringLiteral("1 pages printed"));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Vantu-Tab"));
}

QTEST_MAIN(TestTabulkaPrint)
#include "tst_tabulkaprint.moc"
