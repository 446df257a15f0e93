#include "common/Messages.h"

#include "common/AtomicFile.h"
#include "common/MessageLanguage.h"
#include "common/ModalRun.h"
#include "common/Texts.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace
{

const QString NoTitle = QStringLiteral(" ");

// Every standard button in the program's own words: Qt's catalogues lack
// some of them (the Slovak one its Cancel).
struct TButtonName {
    QMessageBox::StandardButton Button;
    TText Text;
};
constexpr TButtonName ButtonNames[] = {
    {QMessageBox::Ok, {"OK", "OK", "OK"}},
    {QMessageBox::Save, {"&Uložiť", "&Save", "&Mentés"}},
    {QMessageBox::SaveAll, {"Uložiť &všetko", "Save A&ll", "Összes m&entése"}},
    {QMessageBox::Open, {"&Otvoriť", "&Open", "&Megnyitás"}},
    {QMessageBox::Yes, {"&Áno", "&Yes", "&Igen"}},
    {QMessageBox::YesToAll, {"Áno pre &všetky", "Yes to &All", "Igen, &mindre"}},
    {QMessageBox::No, {"&Nie", "&No", "&Nem"}},
    {QMessageBox::NoToAll, {"Nie pre vš&etky", "N&o to All", "Nem, m&indre"}},
    {QMessageBox::Abort, {"&Prerušiť", "&Abort", "Me&gszakítás"}},
    {QMessageBox::Retry, {"&Skúsiť znova", "&Retry", "Ú&jra"}},
    {QMessageBox::Ignore, {"&Ignorovať", "&Ignore", "&Kihagyás"}},
    {QMessageBox::Close, {"&Zavrieť", "&Close", "&Bezárás"}},
    {QMessageBox::Cancel, {"&Zrušiť", "&Cancel", "&Mégse"}},
    {QMessageBox::Discard, {"Za&hodiť", "&Discard", "&Elvetés"}},
    {QMessageBox::Help, {"&Pomocník", "&Help", "&Súgó"}},
    {QMessageBox::Apply, {"&Použiť", "&Apply", "&Alkalmaz"}},
    {QMessageBox::Reset, {"&Vynulovať", "&Reset", "&Visszaállítás"}},
    {QMessageBox::RestoreDefaults, {"Obnoviť &predvolené", "Restore &Defaults", "&Alapértékek"}},
};

// %1 = file name, %2 = the system's reason
constexpr TText WriteErrorText{"Súbor »%1« sa nedá zapísať.\n%2",
                               "The file »%1« cannot be written.\n%2",
                               "A(z) »%1« fájl nem írható.\n%2"};

bool Scripted = false;
QList<QMessageBox::StandardButton> NextAnswers;
QList<TShownMessage> ShownMessages;

} // namespace

QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &caption,
                                        QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    if (Scripted) {
        TShownMessage shown{caption, icon, text, buttons, defaultButton, {}};
        for (const TButtonName &name : ButtonNames)
            if (buttons.testFlag(name.Button))
                shown.ButtonTexts << TextIn(name.Text, MessageLanguage());
        ShownMessages << shown;
        return NextAnswers.isEmpty() ? QMessageBox::NoButton : NextAnswers.takeFirst();
    }

    // A window not shown yet (the main window while it starts) would become
    // native as the box's owner before its frame is known, and then stand
    // off the position it was given: such a box stands on its own.
    if (parent && !parent->window()->isVisible())
        parent = nullptr;
    QMessageBox box(icon, caption, text, buttons, parent);
    // Qt shows the application's name in place of an empty title; a single
    // blank is shown as it is, and so the title bar says nothing.
    if (caption.isEmpty())
        box.setWindowTitle(NoTitle);
    box.setObjectName(QStringLiteral("VantuMessage"));
    box.setTextFormat(Qt::PlainText);
    for (const TButtonName &name : ButtonNames)
        if (QAbstractButton *b = box.button(name.Button))
            b->setText(TextIn(name.Text, MessageLanguage()));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // A box closed without a choice answers with its escape button, or nothing.
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString StandardButtonText(QMessageBox::StandardButton button, TLanguage language)
{
    for (const TButtonName &name : ButtonNames)
        if (name.Button == button)
            return TextIn(name.Text, language);
    return QString();
}

void NameStandardButtons(QDialogButtonBox *buttons, TLanguage language)
{
    // The two enumerations share their values.
    for (QAbstractButton *b : buttons->buttons()) {
        const auto which = QMessageBox::StandardButton(int(buttons->standardButton(b)));
        const QString text = StandardButtonText(which, language);
        if (!text.isEmpty())
            b->setText(text);
    }
}

void ShowWriteError(QWidget *parent, const QString &path, const QString &reason, TLanguage language)
{
    ShowMessage(parent, TextIn(FileErrorCaption, language), QMessageBox::Critical,
                TextIn(WriteErrorText, language).arg(path, reason).trimmed());
}

bool WriteFileOrTell(QWidget *parent, const QString &path, const QByteArray &bytes,
                     TLanguage language)
{
    QString reason;
    if (WriteFileAtomically(path, bytes, &reason))
        return true;
    ShowWriteError(parent, path, reason, language);
    return false;
}

namespace MessageTestHook
{

void SetNextAnswers(const QList<QMessageBox::StandardButton> &answers)
{
    Scripted = true;
    NextAnswers = answers;
    ShownMessages.clear();
}

void StopAnswering()
{
    Scripted = false;
    NextAnswers.clear();
    ShownMessages.clear();
}

const QList<TShownMessage> &Shown()
{
    return ShownMessages;
}

void Reset()
{
    Scripted = false;
    NextAnswers.clear();
    ShownMessages.clear();
    SetModalHandler(nullptr);
}

} // namespace MessageTestHook
