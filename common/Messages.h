// The one way the program shows a modal message: a QMessageBox with caption,
// icon, text, buttons and default button supplied by the caller, its buttons
// named in the language in force (common/MessageLanguage.h).
#pragma once

#include "common/Language.h"
#include "common/Texts.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialogButtonBox;
class QWidget;

// An empty caption shows a box whose title bar says nothing at all.
QMessageBox::StandardButton
ShowMessage(QWidget *parent, const QString &caption, QMessageBox::Icon icon, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The program's name of a standard button (OK, Yes, No, Cancel, Save, Close...)
// in a language, as every box of the helper shows it; empty for NoButton.
QString StandardButtonText(QMessageBox::StandardButton button, TLanguage language);
// Gives the standard buttons of a dialog's button box those names.
void NameStandardButtons(QDialogButtonBox *buttons, TLanguage language);

// The caption of every box about a file.
inline constexpr TText FileErrorCaption{" Chyba súboru", " File error", " Fájlhiba"};

// The box that says a file could not be written, with the system's reason.
void ShowWriteError(QWidget *parent, const QString &path, const QString &reason,
                    TLanguage language);

// Writes the file whole, or shows the box above and answers false.
bool WriteFileOrTell(QWidget *parent, const QString &path, const QByteArray &bytes,
                     TLanguage language);

// Test seams. While scripted, ShowMessage builds no box: it records what the
// box would have been and returns the next scripted answer (NoButton, as for
// a box closed without a choice, once the script has run out).
struct TShownMessage {
    QString Caption;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Text;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
    QStringList
        ButtonTexts; // in the order of the enumeration (Ok, Save, ..., Yes, No, Cancel, ...)
};

namespace MessageTestHook
{
// Starts scripting (and a fresh record) with these answers.
void SetNextAnswers(const QList<QMessageBox::StandardButton> &answers);
// Real boxes again; the modal handler stays.
void StopAnswering();
const QList<TShownMessage> &Shown();
// Back to real boxes and windows (MessageTestHook::SetModalHandler of
// common/ModalRun.h), nothing recorded.
void Reset();
} // namespace MessageTestHook
