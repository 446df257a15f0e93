// Qt's save and print dialogs as the program asks through them: named, and
// run through ExecModal so that tests can answer them.
#pragma once

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

// Qt's save dialog (object name "SaveDialog1"), run through ExecModal: the
// proposed name (may be empty), the extension added to a name typed without
// one, one filter. The chosen path, or an empty text for cancel. The dialog's
// own question before it replaces an existing file stays on.
QString AskSaveFileName(QWidget *parent, const QString &proposed, const QString &suffix,
                        const QString &filter);

// Qt's open dialog (object name "OpenDialog1"), run through ExecModal: an
// existing file, starting in folder (may be empty), with the filters given
// (";;" between them). The chosen path, or an empty text for cancel.
QString AskOpenFileName(QWidget *parent, const QString &folder, const QString &filters);

// Qt's print dialog (object name "PrintDialog1"), run through ExecModal, for
// a printer at high resolution: the printer set up for the job, or nothing
// for cancel. Without any printer Qt sets the printer up for PDF output, and
// the dialog offers printing to a file.
std::unique_ptr<QPrinter> AskPrinter(QWidget *parent);
