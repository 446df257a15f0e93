// The Moon phase window, and the reading of GIF pictures that the map windows
// share with it.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

class QImage;
class QKeyEvent;
class QLabel;
class QPushButton;

// Reads a GIF file into a picture of its own size. Fails, with the decoder's
// reason in *error, when the file is missing, unreadable, not a GIF or cut
// off before its trailer.
bool LoadGifPicture(const QString &fileName, QImage *picture, QString *error);

// True when the blocks of a GIF file run complete up to its trailer. Qt's
// decoder returns whatever part of a cut-off file it could decode, so the
// structure is walked separately.
bool GifIsComplete(const QByteArray &data);

// Puts a top-level window's client area in the middle of its screen.
void CenterOnScreen(QWidget *window);

class TfrmFazeMesiaca : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmFazeMesiaca(QWidget *owner);

    // Loads the picture into Image1; false with the reason when it fails.
    bool LoadPicture(const QString &fileName, QString *error);
    // What the picture shows, in words, for screen readers.
    void DescribePicture(const QString &name, const QString &description);

public slots:
    void Button1Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *Image1 = nullptr;
    QPushButton *Button1 = nullptr;
};
