#include "table/Tabulka.h"

#include "common/MessageLanguage.h"
#include "common/Messages.h"
#include "common/StandardDialogs.h"
#include "common/Texts.h"
#include "common/Version.h"
#include "table/TablePrint.h"
#include "table/TextFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>

namespace
{

namespace TableText
{

constexpr TText mnuTabulka{"&Tabuľka", "&Table", "&Táblázat"};
constexpr TText mnuUlozit{"&Uložiť", "&Save", "&Mentés"};
constexpr TText mnuUlozitAko{"Uložiť &Ako", "Save &As", "M&entés másként"};
constexpr TText mnuTlacit{"&Tlačiť", "&Print", "&Nyomtatás"};
constexpr TText mnuZavrietTabulku{"&Zavrieť", "&Close", "&Kilépés"};
constexpr TText NotSavedText{" Tabuľka výsledkov nie je uložená", " Table of results is not saved",
                             " Az eredmények táblázata nincs mentve"};
constexpr TText SavedText{" Tabuľka výsledkov je uložená", " Table of results is saved",
                          " Az eredmények táblázata mentve van"};
constexpr TText QuerySaveCaption{" Potvrdenie", " Confirmation", " Megerősítés"};
constexpr TText QuerySaveText{"Tabuľka výsledkov bola zmenená. Uložiť zmeny?",
                              "Table of results is modified. Save the table?",
                              "Az eredmények táblázata megváltozott. Menteni?"};
constexpr TText PrinterErrorCaption{" Chyba tlače", " Printer error", " Nyomtatási hiba"};
constexpr TText PrinterErrorText{"Tlačiareň nie je pripravená", "Printer is not ready",
                                 "Hiba történt a nyomtatás alatt"};
// %d = number of pages
constexpr TText PagesPrintedText{"Prebieha tlač výsledkov, počet strán: %d", "%d pages printed",
                                 "%d oldal nyomtatva"};

} // namespace TableText

const QString ProposedName = QStringLiteral("VantuTab");
const QString ApplicationTitle = QStringLiteral(VANTU_APPLICATION_TITLE);

} // namespace

QString TfrmTabulka::NotSavedText;
QString TfrmTabulka::SavedText;

TfrmTabulka::TfrmTabulka(QWidget *owner, TLanguage language)
    : QMainWindow(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint),
      FLanguage(language)
{
    setObjectName(QStringLiteral("frmTabulka"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(537, 194);
    setMinimumSize(537, 194);
    setMaximumSize(630, 350);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    Memo1->setFont(font);
    setCentralWidget(Memo1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    FStatusLabel = new QLabel(StatusBar1);
    FStatusLabel->setObjectName(QStringLiteral("StatusBar1Text"));
    StatusBar1->addWidget(FStatusLabel, 1);
    setStatusBar(StatusBar1);

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    mnuTabulka = menuBar()->addMenu(QString());
    mnuTabulka->setObjectName(QStringLiteral("mnuTabulka"));
    mnuUlozit = mnuTabulka->addAction(QString());
    mnuUlozit->setObjectName(QStringLiteral("mnuUlozit"));
    mnuUlozitAko = mnuTabulka->addAction(QString());
    mnuUlozitAko->setObjectName(QStringLiteral("mnuUlozitAko"));
    mnuTlacit = mnuTabulka->addAction(QString());
    mnuTlacit->setObjectName(QStringLiteral("mnuTlacit"));
    mnuTabulka->addSeparator();
    mnuZavrietTabulku = mnuTabulka->addAction(QString());
    mnuZavrietTabulku->setObjectName(QStringLiteral("mnuZavrietTabulku"));

    connect(Memo1, &QPlainTextEdit::textChanged, this, &TfrmTabulka::Memo1Change);
    connect(mnuUlozit, &QAction::triggered, this, &TfrmTabulka::mnuUlozitClick);
    connect(mnuUlozitAko, &QAction::triggered, this, &TfrmTabulka::mnuUlozitAkoClick);
    connect(mnuTlacit, &QAction::triggered, this, &TfrmTabulka::mnuTlacitClick);
    connect(mnuZavrietTabulku, &QAction::triggered, this, &TfrmTabulka::mnuZavrietTabulkuClick);

    FormCreate();
}

TfrmTabulka::~TfrmTabulka() = default;

void TfrmTabulka::FormCreate()
{
    ApplyTableTexts(FLanguage);
}

void TfrmTabulka::ApplyTableTexts(TLanguage language)
{
    mnuTabulka->setTitle(TextIn(TableText::mnuTabulka, language));
    mnuUlozit->setText(TextIn(TableText::mnuUlozit, language));
    mnuUlozitAko->setText(TextIn(TableText::mnuUlozitAko, language));
    mnuTlacit->setText(TextIn(TableText::mnuTlacit, language));
    mnuZavrietTabulku->setText(TextIn(TableText::mnuZavrietTabulku, language));
    NotSavedText = TextIn(TableText::NotSavedText, language);
    SavedText = TextIn(TableText::SavedText, language);
}

QString TfrmTabulka::StatusText() const
{
    return FStatusLabel->text();
}

void TfrmTabulka::AppendText(const QString &s)
{
    // Insert at the end instead of replacing the whole text, so a month costs
    // the same however long the table already is.
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(s);
}

QString TfrmTabulka::Text() const
{
    // Raw text keeps no-break spaces; blocks are joined by paragraph marks.
    QString text = Memo1->document()->toRawText();
    for (QChar &c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    }
    return WithCrLf(text);
}

void TfrmTabulka::SetText(const QString &text)
{
    Memo1->setPlainText(text);
}

void TfrmTabulka::Memo1Change()
{
    FModified = true;
    FStatusLabel->setText(NotSavedText);
    mnuUlozit->setEnabled(true);
}

void TfrmTabulka::mnuUlozitClick()
{
    if (FModified)
        Save();
}

void TfrmTabulka::mnuUlozitAkoClick()
{
    SaveAs();
}

void TfrmTabulka::mnuZavrietTabulkuClick()
{
    close();
}

bool TfrmTabulka::Save()
{
    if (FFileName.isEmpty())
        return SaveWithProposal(ProposedName);
    if (!WriteTo(FFileName))
        return false;
    MarkSaved();
    return true;
}

bool TfrmTabulka::SaveAs()
{
    return SaveWithProposal(FFileName);
}

bool TfrmTabulka::SaveWithProposal(const QString &proposed)
{
    const QString path =
        AskSaveFileName(this, proposed, QStringLiteral("txt"), QStringLiteral("text (*.txt)"));
    if (path.isEmpty())
        return false;
    // The name is kept only once the file is written: a name that cannot be
    // written would otherwise make every later Save fail without a dialog.
    if (!WriteTo(path))
        return false;
    FFileName = path;
    MarkSaved();
    return true;
}

bool TfrmTabulka::WriteTo(const QString &path)
{
    QString reason;
    if (SaveTableText(path, Text(), &reason))
        return true;
    ShowWriteError(this, path, reason, MessageLanguage());
    return false;
}

void TfrmTabulka::MarkSaved()
{
    FModified = false;
    FStatusLabel->setText(SavedText);
    mnuUlozit->setEnabled(false);
    emit saved();
}

bool TfrmTabulka::QuerySave()
{
    const QMessageBox::StandardButton answer =
        ShowMessage(this, TextIn(TableText::QuerySaveCaption, MessageLanguage()),
                    QMessageBox::Question, TextIn(TableText::QuerySaveText, MessageLanguage()),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return Save();
    return answer == QMessageBox::No;
}

bool TfrmTabulka::Dotaz()
{
    return !FModified || QuerySave();
}

void TfrmTabulka::closeEvent(QCloseEvent *event)
{
    if (!Dotaz()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TfrmTabulka::FormClose()
{
    // The window is destroyed (WA_DeleteOnClose) and its text with it.
    emit closed();
}

void TfrmTabulka::mnuTlacitClick()
{
    int pages = -1;
    try {
        const std::unique_ptr<QPrinter> printer = AskPrinter(this);
        if (!printer)
            return;
        printer->setDocName(QStringLiteral("Vantu-Tab"));
        pages = PrintString(*printer, TableLines(Text()), Memo1->font(), false, 0.8f, 0.8f, 0.8f,
                            0.8f, 6.0f, PrintHeader, PrintFooter);
    } catch (const std::exception &) {
        pages = -1;
    }
    if (pages < 0) {
        ShowMessage(this, TextIn(TableText::PrinterErrorCaption, MessageLanguage()),
                    QMessageBox::Critical, TextIn(TableText::PrinterErrorText, MessageLanguage()));
        return;
    }
    ShowMessage(this, ApplicationTitle, QMessageBox::NoIcon,
                TextIn(TableText::PagesPrintedText, MessageLanguage())
                    .replace(QStringLiteral("%d"), QString::number(pages)));
}
