// The one way the program shows a modal message: a QMessageBox with caption,
// icon, text, buttons and default button, all supplied by the caller in the
// language in force.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The language of the boxes' buttons (0 Slovak, 1 English, 2 Hungarian); the
// main window sets it with every change of language.
void SetMessageLanguage(int language);

QMessageBox::StandardButton
ShowMessage(QWidget *parent, const QString &caption, QMessageBox::Icon icon, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
