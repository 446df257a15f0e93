#include "app/MapaSveta.h"

TfrmSvet::TfrmSvet(QWidget *owner, int language, QAbstractButton *button, QAction *menuItem)
    : TMapWindow(owner, {"frmSvet", "grafika/svet.gif", "svet.gif", QSize(897, 467)}, language,
                 button, menuItem)
{
}
