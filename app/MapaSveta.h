// The world map window.
#pragma once

#include "app/MapWindow.h"

class TfrmSvet : public TMapWindow
{
    Q_OBJECT

public:
    TfrmSvet(QWidget *owner, TLanguage language);
};
