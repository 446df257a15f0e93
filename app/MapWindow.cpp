#include "app/MapWindow.h"

#include "calendar/FazeMesiaca.h"
#include "mainwindow/Messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace
{

struct TFileErrorText {
    const char *caption;
    const char *text; // %1 = file name
};

// Slovak, English, Hungarian.
constexpr TFileErrorText FileErrorTexts[3] = {
    {" Chyba súboru", "Súbor »%1« sa nenachádza v adresári"},
    {" File error", "File »%1« is not in the folder"},
    {" Fájlhiba", "A »%1« fájl nem található"},
};

} // namespace

TMapWindow::TMapWindow(QWidget *owner, const TMap &map, int language, QAbstractButton *button,
                       QAction *menuItem)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      FButton(button), FMenuItem(menuItem)
{
    setObjectName(QString::fromLatin1(map.objectName));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(map.pictureArea);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), map.pictureArea));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CenterOnScreen(this);
    FormCreate(map, language);
}

void TMapWindow::FormCreate(const TMap &map, int language)
{
    QImage picture;
    QString error;
    FPictureLoaded = LoadGifPicture(QString::fromLatin1(map.pictureFile), &picture, &error);
    if (FPictureLoaded) {
        Image1->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    // Whatever the reason, the user is told the file is not there; the map
    // stays unavailable until a language switch closes this window.
    const TFileErrorText &t = FileErrorTexts[language >= 0 && language < 3 ? language : 0];
    ShowMessage(parentWidget(), QString::fromUtf8(t.caption), QMessageBox::Critical,
                QString::fromUtf8(t.text).arg(QString::fromLatin1(map.fileName)));
    if (FButton)
        FButton->setEnabled(false);
    if (FMenuItem)
        FMenuItem->setEnabled(false);
}

void TMapWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TMapWindow::FormClose()
{
    if (FButton) {
        FButton->setChecked(false);
        FButton->setEnabled(true);
    }
    if (FMenuItem)
        FMenuItem->setEnabled(true);
}
