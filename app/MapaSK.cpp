#include "app/MapaSK.h"

TfrmSlovakia::TfrmSlovakia(QWidget *owner, int language, QAbstractButton *button, QAction *menuItem)
    : TMapWindow(owner, {"frmSlovakia", "grafika/slovensko.gif", "slovensko.gif", QSize(670, 460)},
                 language, button, menuItem)
{
}
