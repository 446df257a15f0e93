#include "table/Tabulka.h"

#include "common/Texts.h"

#include "common/Messages.h"
#include "common/Version.h"
#include "table/TablePrint.h"
#include "table/TextFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>

namespace
{

struct TTableTexts {
    const char *mnuTabulka;
    const char *mnuUlozit;
    const char *mnuUlozitAko;
    const char *mnuTlacit;
    const char *mnuZavrietTabulku;
    const char *NotSavedText;
    const char *SavedText;
    const char *QuerySaveCaption;
    const char *QuerySaveText;
    const char *PrinterErrorCaption;
    const char *PrinterErrorText;
    const char *PagesPrintedText; // %d = number of pages
    const char *FileErrorCaption;
    const char *FileErrorText; // %1 = file name, %2 = the system's reason
};

const TTableTexts TableTexts[LanguageCount] = {
    // Slovak
    {"&Tabuľka", "&Uložiť", "Uložiť &Ako", "&Tlačiť", "&Zavrieť",
     " Tabuľka výsledkov nie je uložená", " Tabuľka výsledkov je uložená", " Potvrdenie",
     "Tabuľka výsledkov bola zmenená. Uložiť zmeny?", " Chyba tlače", "Tlačiareň nie je pripravená",
     "Prebieha tlač výsledkov, počet strán: %d", " Chyba súboru",
     "Súbor »%1« sa nedá zapísať.\n%2"},
    // English
    {"&Table", "&Save", "Save &As", "&Print", "&Close", " Table of results is not saved",
     " Table of results is saved", " Confirmation", "Table of results is modified. Save the table?",
     " Printer error", "Printer is not ready", "%d pages printed", " File error",
     "The file »%1« cannot be written.\n%2"},
    // Hungarian
    {"&Táblázat", "&Mentés", "M&entés másként", "&Nyomtatás", "&Kilépés",
     " Az eredmények táblázata nincs mentve", " Az eredmények táblázata mentve van", " Megerősítés",
     "Az eredmények táblázata megváltozott. Menteni?", " Nyomtatási hiba",
     "Hiba történt a nyomtatás alatt", "%d oldal nyomtatva", " Fájlhiba",
     "A(z) »%1« fájl nem írható.\n%2"},
};

const TTableTexts &Texts(TLanguage language)
{
    return ForLanguage(TableTexts, language);
}

const QString ProposedName = QStringLiteral("VantuTab");
const QString ApplicationTitle = QStringLiteral(VANTU_APPLICATION_TITLE);

std::unique_ptr<QPrinter> RunPrintDialog(QWidget *parent)
{
    // Without any printer Qt sets the printer up for PDF output, and the
    // dialog offers printing to a file.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (ExecModal(dialog) != QDialog::Accepted)
        return nullptr;
    return printer;
}

} // namespace

QString TfrmTabulka::NotSavedText;
QString TfrmTabulka::SavedText;
std::function<QString(QWidget *, const QString &)> TfrmTabulka::SaveDialogHook;
std::function<std::unique_ptr<QPrinter>(QWidget *)> TfrmTabulka::PrintDialogHook;

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
    const TTableTexts &texts = Texts(language);
    mnuTabulka->setTitle(TextOf(texts.mnuTabulka));
    mnuUlozit->setText(TextOf(texts.mnuUlozit));
    mnuUlozitAko->setText(TextOf(texts.mnuUlozitAko));
    mnuTlacit->setText(TextOf(texts.mnuTlacit));
    mnuZavrietTabulku->setText(TextOf(texts.mnuZavrietTabulku));
    NotSavedText = TextOf(texts.NotSavedText);
    SavedText = TextOf(texts.SavedText);
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
    const QString path = SaveDialogHook ? SaveDialogHook(this, proposed)
                                        : AskSaveFileName(this, proposed, QStringLiteral("txt"),
                                                          QStringLiteral("text (*.txt)"));
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
    const TTableTexts &texts = Texts(MessageLanguage());
    ShowMessage(this, TextOf(texts.FileErrorCaption), QMessageBox::Critical,
                TextOf(texts.FileErrorText).arg(path, reason).trimmed());
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
    const TTableTexts &texts = Texts(MessageLanguage());
    const QMessageBox::StandardButton answer = ShowMessage(
        this, TextOf(texts.QuerySaveCaption), QMessageBox::Question, TextOf(texts.QuerySaveText),
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
    const TTableTexts &texts = Texts(MessageLanguage());
    int pages = -1;
    try {
        std::unique_ptr<QPrinter> printer =
            PrintDialogHook ? PrintDialogHook(this) : RunPrintDialog(this);
        if (!printer)
            return;
        printer->setDocName(QStringLiteral("Vantu-Tab"));
        pages = PrintString(*printer, TableLines(Text()), Memo1->font(), false, 0.8f, 0.8f, 0.8f,
                            0.8f, 6.0f, PrintHeader, PrintFooter);
    } catch (const std::exception &) {
        pages = -1;
    }
    if (pages < 0) {
        ShowMessage(this, TextOf(texts.PrinterErrorCaption), QMessageBox::Critical,
                    TextOf(texts.PrinterErrorText));
        return;
    }
    ShowMessage(
        this, ApplicationTitle, QMessageBox::NoIcon,
        TextOf(texts.PagesPrintedText).replace(QStringLiteral("%d"), QString::number(pages)));
}
