// The results table window: texts, appending, saving, the close question and
// printing through the window's commands.
#include "PdfTools.h"
#include "TestSupport.h"
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

namespace
{

struct TExpectedTexts {
    const char *menu, *save, *saveAs, *print, *close, *notSaved, *saved;
    const char *queryCaption, *queryText;
    const char *printerCaption, *printerText, *pagesText;
    const char *fileCaption;
};

const TExpectedTexts Expected[] = {
    {"&Tabuľka", "&Uložiť", "Uložiť &Ako", "&Tlačiť", "&Zavrieť",
     " Tabuľka výsledkov nie je uložená", " Tabuľka výsledkov je uložená", " Potvrdenie",
     "Tabuľka výsledkov bola zmenená. Uložiť zmeny?", " Chyba tlače", "Tlačiareň nie je pripravená",
     "Prebieha tlač výsledkov, počet strán: %1", " Chyba súboru"},
    {"&Table", "&Save", "Save &As", "&Print", "&Close", " Table of results is not saved",
     " Table of results is saved", " Confirmation", "Table of results is modified. Save the table?",
     " Printer error", "Printer is not ready", "%1 pages printed", " File error"},
    {"&Táblázat", "&Mentés", "M&entés másként", "&Nyomtatás", "&Kilépés",
     " Az eredmények táblázata nincs mentve", " Az eredmények táblázata mentve van", " Megerősítés",
     "Az eredmények táblázata megváltozott. Menteni?", " Nyomtatási hiba",
     "Hiba történt a nyomtatás alatt", "%1 oldal nyomtatva", " Fájlhiba"},
};

const QString SampleLine =
    QStringLiteral("SK - Poprad, 05.Mar.2026, [SEČ] =>   05:57:03,   11:49:30,   17:41:59\r\n");

// Runs an action on the next modal window with the given object name: the
// window is shown instead of running its own event loop, and its result
// goes back to the code under test.
class TModalHandler
{
public:
    TModalHandler(QString objectName, std::function<void(QWidget *)> action)
    {
        MessageTestHook::SetModalHandler([this, objectName, action](QDialog &dialog) {
            if (FDone || dialog.objectName() != objectName)
                return int(QDialog::Rejected);
            FDone = true;
            dialog.show();
            action(&dialog);
            return dialog.result();
        });
    }
    ~TModalHandler() { MessageTestHook::SetModalHandler(nullptr); }
    bool Done() const { return FDone; }

private:
    bool FDone = false;
};

void DeleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestTabulka : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controls();
    void texts_data();
    void texts();
    void statusTextsSharedByAllWindows();
    void appendText();
    void appendKeepsTheUsersPlace();
    void appendCostDoesNotGrow();
    void textWithLineEnds();
    void saveProposesVantuTab();
    void saveCancelledKeepsState();
    void saveAsProposals();
    void saveWithoutChangesDoesNothing();
    void saveAfterEditWritesWithoutDialog();
    void savedBytes();
    void savedUtf8WhenNeeded();
    void failedWriteKeepsTableUnsaved_data();
    void failedWriteKeepsTableUnsaved();
    void closeQuestion_data();
    void closeQuestion();
    void closeUnmodifiedAsksNothing();
    void editAfterSaveAsksAgain();
    void printToPdf_data();
    void printToPdf();
    void printEmptyTable();
    void printCancelled();
    void printerError_data();
    void printerError();
    void boxesSpeakTheLanguageInForce_data();
    void boxesSpeakTheLanguageInForce();
    void defaultSaveDialog();
    void defaultPrintDialog();
    void defaultPrintDialogToPdfFile();

private:
    TfrmTabulka *NewTable(int language);
    std::unique_ptr<QPrinter> PdfPrinter(const QString &path);

    std::unique_ptr<QMainWindow> FOwner;
    std::unique_ptr<QTemporaryDir> FDir;
    int FCleared = 0;
    QStringList FProposed;
    QString FSaveAnswer;
};

void TestTabulka::initTestCase()
{
    FOwner = std::make_unique<QMainWindow>();
    FOwner->setObjectName(QStringLiteral("frmVantu"));
    FOwner->show();
}

void TestTabulka::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    FCleared = 0;
    FProposed.clear();
    FSaveAnswer.clear();
    TfrmTabulka::SaveDialogHook = [this](QWidget *parent, const QString &proposed) {
        [&] { QVERIFY(qobject_cast<TfrmTabulka *>(parent)); }();
        FProposed << proposed;
        return FSaveAnswer;
    };
    TfrmTabulka::PrintDialogHook = nullptr;
}

void TestTabulka::cleanup()
{
    for (auto *w : FOwner->findChildren<TfrmTabulka *>())
        delete w;
    TfrmTabulka::SaveDialogHook = nullptr;
    TfrmTabulka::PrintDialogHook = nullptr;
}

TfrmTabulka *TestTabulka::NewTable(int language)
{
    // A table is created in the interface language in force.
    SetMessageLanguage(TLanguage(language));
    auto *table = new TfrmTabulka(FOwner.get(), TLanguage(language));
    connect(table, &TfrmTabulka::saved, this, [this] { ++FCleared; });
    connect(table, &TfrmTabulka::closed, this, [this] { ++FCleared; });
    table->show();
    return table;
}

std::unique_ptr<QPrinter> TestTabulka::PdfPrinter(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    return printer;
}

void TestTabulka::controls()
{
    TfrmTabulka *table = NewTable(1);
    QCOMPARE(table->objectName(), QStringLiteral("frmTabulka"));
    QCOMPARE(table->parentWidget(), FOwner.get());
    QVERIFY(table->isWindow());
    QVERIFY(table->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!(table->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(table->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(table->windowFlags() & Qt::WindowSystemMenuHint);
    QCOMPARE(table->minimumSize(), QSize(537, 194));
    QCOMPARE(table->maximumSize(), QSize(630, 350));
    QCOMPARE(table->size(), QSize(537, 194));

    QCOMPARE(table->Memo1, table->findChild<QPlainTextEdit *>(QStringLiteral("Memo1")));
    QCOMPARE(table->centralWidget(), table->Memo1);
    QVERIFY(!table->Memo1->isReadOnly());
    QCOMPARE(table->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(table->Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(table->Memo1->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
    QCOMPARE(table->Memo1->toPlainText(), QString());
    const QFontMetrics metrics(table->Memo1->font());
    for (const QChar c : QStringLiteral("čšťžýáíéľĺôäňŕúőűÖÜ"))
        QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    QCOMPARE(table->Memo1->font().pointSize(), 10);

    QCOMPARE(table->StatusBar1, table->findChild<QStatusBar *>(QStringLiteral("StatusBar1")));
    QCOMPARE(table->statusBar(), table->StatusBar1);
    QCOMPARE(table->StatusText(), QString());
    QCOMPARE(table->StatusBar1->findChildren<QLabel *>().size(), 1);

    QCOMPARE(table->mnuTabulka, table->findChild<QMenu *>(QStringLiteral("mnuTabulka")));
    QCOMPARE(table->menuBar()->actions().size(), 1);
    QCOMPARE(table->menuBar()->actions().first(), table->mnuTabulka->menuAction());
    const QList<QAction *> items = table->mnuTabulka->actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuUlozit"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("mnuUlozitAko"));
    QCOMPARE(items[2]->objectName(), QStringLiteral("mnuTlacit"));
    QVERIFY(items[3]->isSeparator());
    QCOMPARE(items[4]->objectName(), QStringLiteral("mnuZavrietTabulku"));
    QCOMPARE(items[0], table->mnuUlozit);
    QCOMPARE(items[1], table->mnuUlozitAko);
    QCOMPARE(items[2], table->mnuTlacit);
    QCOMPARE(items[4], table->mnuZavrietTabulku);
    QVERIFY(!table->Modified());
    QCOMPARE(table->FileName(), QString());
}

void TestTabulka::texts_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Slovak") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("Hungarian") << 2;
}

void TestTabulka::texts()
{
    QFETCH(int, language);
    const TExpectedTexts &e = Expected[language];
    TfrmTabulka *table = NewTable(language);
    QCOMPARE(table->mnuTabulka->title(), U(e.menu));
    QCOMPARE(table->mnuUlozit->text(), U(e.save));
    QCOMPARE(table->mnuUlozitAko->text(), U(e.saveAs));
    QCOMPARE(table->mnuTlacit->text(), U(e.print));
    QCOMPARE(table->mnuZavrietTabulku->text(), U(e.close));
    QCOMPARE(TfrmTabulka::NotSavedText, U(e.notSaved));
    QCOMPARE(TfrmTabulka::SavedText, U(e.saved));
    table->AppendText(SampleLine);
    QCOMPARE(table->StatusText(), U(e.notSaved));
    FSaveAnswer = FDir->filePath(QStringLiteral("t.txt"));
    QVERIFY(table->Save());
    QCOMPARE(table->StatusText(), U(e.saved));
}

void TestTabulka::statusTextsSharedByAllWindows()
{
    TfrmTabulka *slovak = NewTable(0);
    slovak->AppendText(SampleLine);
    QCOMPARE(slovak->StatusText(), U(Expected[0].notSaved));
    TfrmTabulka *english = NewTable(1);
    // The older window keeps its menus but shows the status texts of the
    // newest window's language.
    slovak->AppendText(SampleLine);
    QCOMPARE(slovak->StatusText(), U(Expected[1].notSaved));
    QCOMPARE(slovak->mnuUlozit->text(), U(Expected[0].save));
    QCOMPARE(english->mnuUlozit->text(), U(Expected[1].save));
}

void TestTabulka::appendText()
{
    TfrmTabulka *table = NewTable(1);
    table->SetModified(true);
    QVERIFY(table->Modified());
    QCOMPARE(table->StatusText(), QString()); // nothing changed in the text yet
    table->AppendText(QStringLiteral("a\r\n"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\n"));
    QCOMPARE(table->StatusText(), U(Expected[1].notSaved));
    QVERIFY(table->mnuUlozit->isEnabled());
    table->AppendText(QStringLiteral("b"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nb"));
    // The last line has no line end: the next piece continues it.
    table->AppendText(QStringLiteral("c\r\n"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nbc\r\n"));
    table->AppendText(QStringLiteral("\r\n"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nbc\r\n\r\n"));
    QCOMPARE(table->Memo1->toPlainText(), QStringLiteral("a\nbc\n\n"));
}

void TestTabulka::appendKeepsTheUsersPlace()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine + SampleLine);
    QTextCursor cursor = table->Memo1->textCursor();
    cursor.setPosition(5);
    table->Memo1->setTextCursor(cursor);
    table->Memo1->document()->clearUndoRedoStacks();
    table->AppendText(SampleLine);
    // Appending inserts at the end: the text is not replaced, so the caret
    // stays where the user left it and undo removes only the new line.
    QCOMPARE(table->Memo1->textCursor().position(), 5);
    table->Memo1->undo();
    QCOMPARE(table->Text(), SampleLine + SampleLine);
}

void TestTabulka::appendCostDoesNotGrow()
{
    // A month command into a table of any length costs about the same.
    TfrmTabulka *table = NewTable(1);
    auto month = [&] {
        QElapsedTimer timer;
        timer.start();
        for (int day = 0; day < 31; ++day)
            table->AppendText(SampleLine);
        table->AppendText(QStringLiteral("\r\n"));
        QCoreApplication::processEvents();
        return timer.nsecsElapsed();
    };
    QList<qint64> small, large;
    for (int i = 0; i < 5; ++i)
        small << month();
    for (int i = 0; i < 600; ++i) // about 19 000 lines
        month();
    for (int i = 0; i < 5; ++i)
        large << month();
    std::sort(small.begin(), small.end());
    std::sort(large.begin(), large.end());
    const qint64 smallMedian = small[2], largeMedian = large[2];
    qInfo("month into a short table: %.2f ms, into %d lines: %.2f ms", smallMedian / 1e6,
          table->Memo1->document()->blockCount(), largeMedian / 1e6);
    // Replacing the whole text each time would cost hundreds of times more.
    QVERIFY2(largeMedian < 5 * smallMedian + 2000000, "appending grows with the table");
}

void TestTabulka::textWithLineEnds()
{
    TfrmTabulka *table = NewTable(1);
    table->SetText(QStringLiteral("a\nb\r\nc\u00a0d"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nb\r\nc\u00a0d"));
    QVERIFY(table->Modified());
}

void TestTabulka::saveProposesVantuTab()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    table->mnuUlozit->trigger();
    QCOMPARE(FProposed, QStringList{QStringLiteral("VantuTab")});
    QCOMPARE(table->FileName(), FSaveAnswer);
    QVERIFY(!table->Modified());
    QCOMPARE(table->StatusText(), U(Expected[1].saved));
    QVERIFY(!table->mnuUlozit->isEnabled());
    QCOMPARE(FCleared, 1);
    QCOMPARE(ReadFile(FSaveAnswer), EncodeTableText(SampleLine));
}

void TestTabulka::saveCancelledKeepsState()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer.clear();
    QVERIFY(!table->Save());
    QCOMPARE(table->FileName(), QString());
    QVERIFY(table->Modified());
    QCOMPARE(table->StatusText(), U(Expected[1].notSaved));
    QVERIFY(table->mnuUlozit->isEnabled());
    QCOMPARE(FCleared, 0);
    // The next Save opens the dialog again with the same proposal.
    QVERIFY(!table->Save());
    QCOMPARE(FProposed, (QStringList{QStringLiteral("VantuTab"), QStringLiteral("VantuTab")}));
    QVERIFY(!table->SaveAs());
    QCOMPARE(FProposed.last(), QString());
    QCOMPARE(FCleared, 0);
    QVERIFY(QDir(FDir->path()).entryList(QDir::Files).isEmpty());
}

void TestTabulka::saveAsProposals()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("first.txt"));
    table->mnuUlozitAko->trigger();
    QCOMPARE(FProposed, QStringList{QString()});
    QCOMPARE(table->FileName(), FSaveAnswer);
    QVERIFY(!table->Modified());
    QCOMPARE(FCleared, 1);

    // Save As always asks, even without changes, and proposes the current name.
    const QString first = FSaveAnswer;
    FSaveAnswer = FDir->filePath(QStringLiteral("second.txt"));
    QVERIFY(table->SaveAs());
    QCOMPARE(FProposed.last(), first);
    QCOMPARE(table->FileName(), FSaveAnswer);
    QCOMPARE(ReadFile(FSaveAnswer), ReadFile(first));
}

void TestTabulka::saveWithoutChangesDoesNothing()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QVERIFY(table->Save());
    QFile file(FSaveAnswer);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("changed outside");
    file.close();
    table->mnuUlozitClick();
    QCOMPARE(FProposed.size(), 1);
    QCOMPARE(ReadFile(FSaveAnswer), QByteArray("changed outside"));
    QCOMPARE(FCleared, 1);
}

void TestTabulka::saveAfterEditWritesWithoutDialog()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QVERIFY(table->Save());
    table->AppendText(QStringLiteral("x"));
    QVERIFY(table->Modified());
    QVERIFY(table->mnuUlozit->isEnabled());
    QCOMPARE(table->StatusText(), U(Expected[1].notSaved));
    table->mnuUlozitClick();
    QCOMPARE(FProposed.size(), 1);
    QCOMPARE(ReadFile(FSaveAnswer), EncodeTableText(SampleLine + QStringLiteral("x")));
    QVERIFY(!table->Modified());
    QCOMPARE(FCleared, 2);
}

void TestTabulka::savedBytes()
{
    TfrmTabulka *table = NewTable(0);
    table->AppendText(SampleLine);
    table->AppendText(QStringLiteral("\r\n"));
    table->Memo1->moveCursor(QTextCursor::End);
    // Typed as a key with its text: Qt Test has no key code for "ľ".
    QTest::sendKeyEvent(QTest::Click, table->Memo1, Qt::Key_unknown, QStringLiteral("ľ"),
                        Qt::NoModifier);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QVERIFY(table->Save());
    QCOMPARE(ReadFile(FSaveAnswer),
             QByteArray("SK - Poprad, 05.Mar.2026, [SE\xc8] =>   05:57:03,   11:49:30,   "
                        "17:41:59\r\n\r\n\xbe"));
}

void TestTabulka::savedUtf8WhenNeeded()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(QStringLiteral("東京 → Košice\r\n"));
    FSaveAnswer = FDir->filePath(QStringLiteral("wide.txt"));
    QVERIFY(table->Save());
    QCOMPARE(ReadFile(FSaveAnswer),
             QByteArray("\xef\xbb\xbf") + QStringLiteral("東京 → Košice\r\n").toUtf8());
}

void TestTabulka::failedWriteKeepsTableUnsaved_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Slovak") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("Hungarian") << 2;
}

void TestTabulka::failedWriteKeepsTableUnsaved()
{
    QFETCH(int, language);
    TfrmTabulka *table = NewTable(language);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("no/such/folder/VantuTab.txt"));
    TBoxAnswerer answerer({QMessageBox::Ok});
    QVERIFY(!table->Save());
    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &box = answerer.Seen().first();
    QCOMPARE(box.Caption, U(Expected[language].fileCaption));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY2(box.Text.contains(QStringLiteral("»") + FSaveAnswer + QStringLiteral("«")),
             qPrintable(box.Text));
    QVERIFY(table->Modified());
    QCOMPARE(table->StatusText(), U(Expected[language].notSaved));
    QVERIFY(table->mnuUlozit->isEnabled());
    QCOMPARE(FCleared, 0);
    QCOMPARE(table->FileName(), QString());
}

void TestTabulka::closeQuestion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes saves and closes") << 1 << int(QMessageBox::Yes) << true << true << true;
    QTest::newRow("Yes, save dialog cancelled")
        << 1 << int(QMessageBox::Yes) << false << false << false;
    QTest::newRow("No discards") << 1 << int(QMessageBox::No) << true << true << false;
    QTest::newRow("Cancel keeps") << 1 << int(QMessageBox::Cancel) << true << false << false;
    QTest::newRow("box closed keeps") << 1 << int(QMessageBox::NoButton) << true << false << false;
    QTest::newRow("Slovak No") << 0 << int(QMessageBox::No) << true << true << false;
    QTest::newRow("Hungarian Cancel") << 2 << int(QMessageBox::Cancel) << true << false << false;
}

void TestTabulka::closeQuestion()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(bool, chooseFile);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    QPointer<TfrmTabulka> table = NewTable(language);
    table->AppendText(SampleLine);
    if (chooseFile)
        FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    TBoxAnswerer answerer({QMessageBox::StandardButton(answer)});
    table->mnuZavrietTabulku->trigger();
    DeleteClosedWindows();

    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &box = answerer.Seen().first();
    QCOMPARE(box.Caption, U(Expected[language].queryCaption));
    QCOMPARE(box.Text, U(Expected[language].queryText));
    QCOMPARE(box.Icon, QMessageBox::Question);
    QCOMPARE(box.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    QCOMPARE(table.isNull(), closes);
    QCOMPARE(QFileInfo::exists(FDir->filePath(QStringLiteral("VantuTab.txt"))), saved);
    if (saved)
        QCOMPARE(ReadFile(FDir->filePath(QStringLiteral("VantuTab.txt"))),
                 EncodeTableText(SampleLine));
    if (closes) {
        QVERIFY(FCleared >= 1);
    } else {
        QCOMPARE(FCleared, 0);
        QVERIFY(table->isVisible());
        QVERIFY(table->Modified());
        QCOMPARE(table->Text(), SampleLine);
        QCOMPARE(table->StatusText(), U(Expected[language].notSaved));
    }
}

void TestTabulka::closeUnmodifiedAsksNothing()
{
    TBoxAnswerer answerer({QMessageBox::Cancel});
    QPointer<TfrmTabulka> fresh = NewTable(1);
    QVERIFY(fresh->close());
    DeleteClosedWindows();
    QVERIFY(fresh.isNull());
    QCOMPARE(FCleared, 1);

    QPointer<TfrmTabulka> table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QVERIFY(table->Save());
    QCOMPARE(FCleared, 2);
    table->mnuZavrietTabulku->trigger();
    DeleteClosedWindows();
    QVERIFY(table.isNull());
    QCOMPARE(FCleared, 3);
    QVERIFY(answerer.Seen().isEmpty());
}

void TestTabulka::editAfterSaveAsksAgain()
{
    QPointer<TfrmTabulka> table = NewTable(1);
    table->AppendText(SampleLine);
    FSaveAnswer = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QVERIFY(table->Save());
    table->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClick(table->Memo1, Qt::Key_X);
    TBoxAnswerer answerer({QMessageBox::Cancel});
    QVERIFY(!table->close());
    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(!table.isNull());
}

void TestTabulka::printToPdf_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("months");
    QTest::newRow("English, one month") << 1 << 1;
    QTest::newRow("Slovak, three months") << 0 << 3;
    QTest::newRow("Hungarian, two months") << 2 << 2;
}

void TestTabulka::printToPdf()
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
    int dialogs = 0;
    TfrmTabulka::PrintDialogHook = [&](QWidget *) {
        ++dialogs;
        return PdfPrinter(pdf);
    };
    // The page count the layout gives for this printer and the window's font.
    auto reference = PdfPrinter(FDir->filePath(QStringLiteral("unused.pdf")));
    TPrintLayout layout;
    QVERIFY(ComputePrintLayout(ReadPrinterMetrics(*reference), 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                               QFontMetrics(table->Memo1->font(), reference.get()).height(),
                               int(TableLines(table->Text()).size()), &layout, nullptr));
    QCOMPARE(TableLines(table->Text()).size(), months * 32);
    QCOMPARE(layout.pageCount > 1, months > 1); // about 60 lines a page

    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacit->trigger();
    QCOMPARE(dialogs, 1);
    QCOMPARE(answerer.Seen().size(), 1);
    const TShownMessage &box = answerer.Seen().first();
    QCOMPARE(box.Caption, QStringLiteral("Vantu 4.1"));
    QCOMPARE(box.Icon, QMessageBox::NoIcon);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.Text, U(Expected[language].pagesText).arg(layout.pageCount));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QString::number(layout.pageCount));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Vantu-Tab"));
    // Printing changes nothing in the table.
    QVERIFY(table->Modified());
    QCOMPARE(FCleared, 0);
}

void TestTabulka::printEmptyTable()
{
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    TfrmTabulka *table = NewTable(1);
    const QString pdf = FDir->filePath(QStringLiteral("empty.pdf"));
    TfrmTabulka::PrintDialogHook = [&](QWidget *) { return PdfPrinter(pdf); };
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().Text, QStringLiteral("1 pages printed"));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
}

void TestTabulka::printCancelled()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    int dialogs = 0;
    TfrmTabulka::PrintDialogHook = [&](QWidget *) {
        ++dialogs;
        return std::unique_ptr<QPrinter>();
    };
    TBoxAnswerer answerer({QMessageBox::Ok});
    table->mnuTlacitClick();
    QTest::qWait(50);
    QCOMPARE(dialogs, 1);
    QVERIFY(answerer.Seen().isEmpty());
    QVERIFY(QDir(FDir->path()).entryList(QDir::Files).isEmpty());
}

void TestTabulka::printerError_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Slovak") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("Hungarian") << 2;
}

void TestTabulka::printerError()
{
    QFETCH(int, language);
    TfrmTabulka *table = NewTable(language);
    table->AppendText(SampleLine);
    TfrmTabulka::PrintDialogHook = [&](QWidget *) {
        return PdfPrinter(FDir->filePath(QStringLiteral("no/such/folder/x.pdf")));
    };
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

void TestTabulka::boxesSpeakTheLanguageInForce_data()
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
void TestTabulka::boxesSpeakTheLanguageInForce()
{
    QFETCH(QString, box);
    QFETCH(int, created);
    QFETCH(int, inForce);
    const TExpectedTexts &now = Expected[inForce];
    const TExpectedTexts &then = Expected[created];
    TfrmTabulka *table = NewTable(created);
    table->AppendText(SampleLine);
    SetMessageLanguage(TLanguage(inForce));
    TfrmTabulka::PrintDialogHook = [&](QWidget *) {
        return PdfPrinter(FDir->filePath(box == u"printer" ? QStringLiteral("no/such/x.pdf")
                                                           : QStringLiteral("x.pdf")));
    };
    FSaveAnswer = FDir->filePath(QStringLiteral("no/such/folder/VantuTab.txt"));

    TBoxAnswerer answerer({QMessageBox::Cancel});
    if (box == u"close")
        table->mnuZavrietTabulku->trigger();
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
    QCOMPARE(table->mnuTabulka->title(), U(then.menu));
    QCOMPARE(table->StatusText(), U(then.notSaved));
}

void TestTabulka::defaultSaveDialog()
{
    TfrmTabulka::SaveDialogHook = nullptr;
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine);
    const QString target = FDir->filePath(QStringLiteral("VantuTab"));
    TModalHandler handler(QStringLiteral("SaveDialog1"), [&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("txt"));
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("text (*.txt)")});
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("VantuTab"));
        // A name typed without extension gets ".txt".
        dialog->setDirectory(FDir->path());
        name->setText(QStringLiteral("VantuTab"));
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, with its checks
    });
    const bool saved = table->Save();
    QVERIFY(handler.Done());
    QVERIFY(saved);
    QCOMPARE(QFileInfo(table->FileName()).canonicalFilePath(),
             QFileInfo(target + QStringLiteral(".txt")).canonicalFilePath());
    QCOMPARE(ReadFile(target + QStringLiteral(".txt")), EncodeTableText(SampleLine));
}

void TestTabulka::defaultPrintDialog()
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

void TestTabulka::defaultPrintDialogToPdfFile()
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

QTEST_MAIN(TestTabulka)
#include "tst_tabulka.moc"
