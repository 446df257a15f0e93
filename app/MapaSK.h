// The map of Slovakia window.
#pragma once

#include "app/MapWindow.h"

class TfrmSlovakia : public TMapWindow
{
    Q_OBJECT

public:
    TfrmSlovakia(QWidget *owner, TLanguage language);
};
