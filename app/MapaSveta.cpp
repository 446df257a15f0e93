#include "app/MapaSveta.h"

TfrmSvet::TfrmSvet(QWidget *owner, TLanguage language)
    : TMapWindow(owner, {"frmSvet", "grafika/svet.gif", "svet.gif", QSize(897, 467)}, language)
{
}
