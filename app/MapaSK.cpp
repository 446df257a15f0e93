#include "app/MapaSK.h"

TfrmSlovakia::TfrmSlovakia(QWidget *owner, TLanguage language)
    : TMapWindow(owner, {"frmSlovakia", "grafika/slovensko.gif", "slovensko.gif", QSize(670, 460)},
                 language)
{
}
