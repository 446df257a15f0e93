#include "mainwindow/Messages.h"

#include <QPushButton>

namespace
{

int MessageLanguage = 0;

struct TButtonTexts {
    const char *Ok, *Yes, *No, *Cancel;
};
const TButtonTexts ButtonTexts[3] = {
    {"OK", "&Áno", "&Nie", "&Zrušiť"},
    {"OK", "&Yes", "&No", "&Cancel"},
    {"OK", "&Igen", "&Nem", "&Mégse"},
};

} // namespace

void SetMessageLanguage(int language)
{
    if (language >= 0 && language < 3)
        MessageLanguage = language;
}

QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &caption,
                                        QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setObjectName(QStringLiteral("VantuMessage"));
    box.setTextFormat(Qt::PlainText);
    const TButtonTexts &t = ButtonTexts[MessageLanguage];
    const std::pair<QMessageBox::StandardButton, const char *> texts[] = {
        {QMessageBox::Ok, t.Ok},
        {QMessageBox::Yes, t.Yes},
        {QMessageBox::No, t.No},
        {QMessageBox::Cancel, t.Cancel}};
    for (const auto &[which, text] : texts)
        if (QAbstractButton *b = box.button(which))
            b->setText(QString::fromUtf8(text));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int answer = box.exec();
    // A box closed without a choice answers with its escape button, or nothing.
    return static_cast<QMessageBox::StandardButton>(answer);
}
