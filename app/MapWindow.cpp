#include "app/MapWindow.h"

#include "common/FileLocations.h"
#include "common/GifPicture.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "common/WindowPlacement.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace
{

// %1 = file name
constexpr TText MissingText{"Súbor »%1« sa nenachádza v adresári", "File »%1« is not in the folder",
                            "A »%1« fájl nem található"};

} // namespace

TMapWindow::TMapWindow(QWidget *owner, const TMap &map, TLanguage language)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
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

void TMapWindow::FormCreate(const TMap &map, TLanguage language)
{
    QImage picture;
    QString error;
    FPictureLoaded = LoadGifPicture(FileLocations().DataFile(QString::fromLatin1(map.pictureFile)),
                                    &picture, &error);
    if (FPictureLoaded) {
        Image1->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    // Whatever the reason, the user is told the file is not there; the owner
    // keeps the map unavailable until a language switch closes this window.
    ShowMessage(parentWidget(), TextIn(FileErrorCaption, language), QMessageBox::Critical,
                TextIn(MissingText, language).arg(QString::fromLatin1(map.fileName)));
}

void TMapWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
