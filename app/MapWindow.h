// What the two map windows share: a fixed picture at its own size in a
// window of fixed size that can only be minimised. The window tells its
// owner when it closes.
#pragma once

#include "common/Language.h"

#include <QSize>
#include <QWidget>

class QLabel;

class TMapWindow : public QWidget
{
    Q_OBJECT

public:
    // False when the picture could not be loaded; the window is then never
    // shown.
    bool PictureLoaded() const { return FPictureLoaded; }

signals:
    void closed();

protected:
    struct TMap {
        const char *objectName;
        const char *pictureFile; // relative to the working folder
        const char *fileName;    // as named in the error message
        QSize pictureArea;
    };

    // The language picks the texts of the error message.
    TMapWindow(QWidget *owner, const TMap &map, TLanguage language);

    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const TMap &map, TLanguage language);

    QLabel *Image1 = nullptr;
    bool FPictureLoaded = false;
};
