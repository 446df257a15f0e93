#include "common/EscapeKey.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool PressOnEscape(QKeyEvent *event, QAbstractButton *button)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    button->click();
    return true;
}
