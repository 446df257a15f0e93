// What the two map windows share: a fixed picture at its own size in a
// window of fixed size that can only be minimised, and the main window's
// toolbar button and menu item that follow whether it is open.
#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

class QAbstractButton;
class QAction;
class QLabel;

class TMapWindow : public QWidget
{
    Q_OBJECT

public:
    // False when the picture could not be loaded; the window is then never
    // shown.
    bool PictureLoaded() const { return FPictureLoaded; }

protected:
    struct TMap {
        const char *objectName;
        const char *pictureFile; // relative to the working folder
        const char *fileName;    // as named in the error message
        QSize pictureArea;
    };

    // The owner's button and menu item are taken back on failure and given
    // back on close; the language picks the error message's texts.
    TMapWindow(QWidget *owner, const TMap &map, int language, QAbstractButton *button,
               QAction *menuItem);

    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const TMap &map, int language);
    void FormClose();

    QLabel *Image1 = nullptr;
    QPointer<QAbstractButton> FButton;
    QPointer<QAction> FMenuItem;
    bool FPictureLoaded = false;
};
