// The results table window: texts, appending, saving and the close question.
#include "TabulkaTestSupport.h"

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

class TestTabulka : public TTabulkaTestBase
{
    Q_OBJECT

private slots:
    void initTestCase() { StartOwner(); }
    void init() { Prepare(); }
    void cleanup() { Finish(); }

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
    void defaultSaveDialog();
};

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

    QPlainTextEdit *memo = Find<QPlainTextEdit>(table, "Memo1");
    QVERIFY(memo);
    QCOMPARE(table->centralWidget(), memo);
    QVERIFY(!memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(memo->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->toPlainText(), QString());
    const QFontMetrics metrics(memo->font());
    for (const QChar c : QStringLiteral("čšťžýáíéľĺôäňŕúőűÖÜ"))
        QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    QCOMPARE(memo->font().pointSize(), 10);

    QCOMPARE(table->statusBar(), Find<QStatusBar>(table, "StatusBar1"));
    QCOMPARE(table->StatusText(), QString());
    QCOMPARE(table->statusBar()->findChildren<QLabel *>().size(), 1);

    QMenu *menu = Find<QMenu>(table, "mnuTabulka");
    QVERIFY(menu);
    QCOMPARE(table->menuBar(), Find<QMenuBar>(table, "MainMenu1"));
    QCOMPARE(table->menuBar()->actions().size(), 1);
    QCOMPARE(table->menuBar()->actions().first(), menu->menuAction());
    const QList<QAction *> items = menu->actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuUlozit"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("mnuUlozitAko"));
    QCOMPARE(items[2]->objectName(), QStringLiteral("mnuTlacit"));
    QVERIFY(items[3]->isSeparator());
    QCOMPARE(items[4]->objectName(), QStringLiteral("mnuZavrietTabulku"));
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
    QCOMPARE(Find<QMenu>(table, "mnuTabulka")->title(), U(e.menu));
    QCOMPARE(Find<QAction>(table, "mnuUlozit")->text(), U(e.save));
    QCOMPARE(Find<QAction>(table, "mnuUlozitAko")->text(), U(e.saveAs));
    QCOMPARE(Find<QAction>(table, "mnuTlacit")->text(), U(e.print));
    QCOMPARE(Find<QAction>(table, "mnuZavrietTabulku")->text(), U(e.close));
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
    QCOMPARE(Find<QAction>(slovak, "mnuUlozit")->text(), U(Expected[0].save));
    QCOMPARE(Find<QAction>(english, "mnuUlozit")->text(), U(Expected[1].save));
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
    QVERIFY(Find<QAction>(table, "mnuUlozit")->isEnabled());
    table->AppendText(QStringLiteral("b"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nb"));
    // The last line has no line end: the next piece continues it.
    table->AppendText(QStringLiteral("c\r\n"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nbc\r\n"));
    table->AppendText(QStringLiteral("\r\n"));
    QCOMPARE(table->Text(), QStringLiteral("a\r\nbc\r\n\r\n"));
    QCOMPARE(Find<QPlainTextEdit>(table, "Memo1")->toPlainText(), QStringLiteral("a\nbc\n\n"));
}

void TestTabulka::appendKeepsTheUsersPlace()
{
    TfrmTabulka *table = NewTable(1);
    table->AppendText(SampleLine + SampleLine);
    QTextCursor cursor = Find<QPlainTextEdit>(table, "Memo1")->textCursor();
    cursor.setPosition(5);
    Find<QPlainTextEdit>(table, "Memo1")->setTextCursor(cursor);
    Find<QPlainTextEdit>(table, "Memo1")->document()->clearUndoRedoStacks();
    table->AppendText(SampleLine);
    // Appending inserts at the end: the text is not replaced, so the caret
    // stays where the user left it and undo removes only the new line.
    QCOMPARE(Find<QPlainTextEdit>(table, "Memo1")->textCursor().position(), 5);
    Find<QPlainTextEdit>(table, "Memo1")->undo();
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
          Find<QPlainTextEdit>(table, "Memo1")->document()->blockCount(), largeMedian / 1e6);
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
    Find<QAction>(table, "mnuUlozit")->trigger();
    QCOMPARE(FProposed, QStringList{QStringLiteral("VantuTab")});
    QCOMPARE(table->FileName(), FSaveAnswer);
    QVERIFY(!table->Modified());
    QCOMPARE(table->StatusText(), U(Expected[1].saved));
    QVERIFY(!Find<QAction>(table, "mnuUlozit")->isEnabled());
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
    QVERIFY(Find<QAction>(table, "mnuUlozit")->isEnabled());
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
    Find<QAction>(table, "mnuUlozitAko")->trigger();
    QCOMPARE(FProposed, QStringList{QString()});
    QCOMPARE(table->FileName(), FSaveAnswer);
    QVERIFY(!table->Modified());
    QCOMPARE(FCleared, 1);

    // Save As always asks, even without changes, and proposes the current name.
    const QString first = FSaveAnswer;
    FSaveAnswer = FDir->filePath(QStringLiteral("second.txt"));
    QVERIFY(table->SaveAs());
    QCOMPARE(FProposed.last(), QStringLiteral("first.txt"));
    QCOMPARE(FProposedFolder, FDir->path());
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
    QVERIFY(Find<QAction>(table, "mnuUlozit")->isEnabled());
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
    Find<QPlainTextEdit>(table, "Memo1")->moveCursor(QTextCursor::End);
    // Typed as a key with its text: Qt Test has no key code for "ľ".
    QTest::sendKeyEvent(QTest::Click, Find<QPlainTextEdit>(table, "Memo1"), Qt::Key_unknown,
                        QStringLiteral("ľ"), Qt::NoModifier);
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
    FSaveAnswer = BlockedPath(FDir->filePath(QStringLiteral("VantuTab.txt")));
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
    QVERIFY(Find<QAction>(table, "mnuUlozit")->isEnabled());
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
    Find<QAction>(table, "mnuZavrietTabulku")->trigger();
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
    Find<QAction>(table, "mnuZavrietTabulku")->trigger();
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
    Find<QPlainTextEdit>(table, "Memo1")->moveCursor(QTextCursor::End);
    QTest::keyClick(Find<QPlainTextEdit>(table, "Memo1"), Qt::Key_X);
    TBoxAnswerer answerer({QMessageBox::Cancel});
    QVERIFY(!table->close());
    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(!table.isNull());
}

void TestTabulka::defaultSaveDialog()
{
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

QTEST_MAIN(TestTabulka)
#include "tst_tabulka.moc"
