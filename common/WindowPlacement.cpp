#include "common/WindowPlacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

void CenterOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    window->setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->geometry()));
}
