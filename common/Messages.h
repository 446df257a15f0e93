// The one way the program shows a modal message: a QMessageBox with caption,
// icon, text, buttons and default button supplied by the caller, its buttons
// named in the language in force. Also the one way a modal window runs.
#pragma once

#include "common/Language.h"
#include "common/Texts.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAbstractButton;
class QDialog;
class QDialogButtonBox;
class QKeyEvent;
class QPrinter;
class QWidget;

// The interface language in force; the main window sets it at start and at
// every switch. Message boxes name their buttons in it, and windows that show
// messages after a switch take their texts from it.
void SetMessageLanguage(TLanguage language);
TLanguage MessageLanguage();

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

// Esc presses the button (a dialog's OK or close button). Taken from the
// key event itself rather than by a window shortcut, so that a key that
// reaches the dialog before the window manager activates it still counts.
// True when the key was Esc.
bool PressOnEscape(QKeyEvent *event, QAbstractButton *button);

// Runs a modal window and returns its result.
int ExecModal(QDialog &dialog);

// Qt's save dialog (object name "SaveDialog1"), run through ExecModal: the
// proposed name (may be empty), the extension added to a name typed without
// one, one filter. The chosen path, or an empty text for cancel. The dialog's
// own question before it replaces an existing file stays on.
QString AskSaveFileName(QWidget *parent, const QString &proposed, const QString &suffix,
                        const QString &filter);

// Qt's print dialog (object name "PrintDialog1"), run through ExecModal, for
// a printer at high resolution: the printer set up for the job, or nothing
// for cancel. Without any printer Qt sets the printer up for PDF output, and
// the dialog offers printing to a file.
std::unique_ptr<QPrinter> AskPrinter(QWidget *parent);

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
// A modal window is handed to this function instead of being run.
void SetModalHandler(std::function<int(QDialog &)> handler);
// Back to real boxes and windows, nothing recorded.
void Reset();
} // namespace MessageTestHook
