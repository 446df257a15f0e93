#include "mainwindow/Messages.h"

QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &caption,
                                        QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setObjectName(QStringLiteral("VantuMessage"));
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int answer = box.exec();
    // A box closed without a choice answers with its escape button, or nothing.
    return static_cast<QMessageBox::StandardButton>(answer);
}
