// The Moon phase window.
#include "calendar/FazeMesiaca.h"

#include "common/EscapeKey.h"
#include "common/GifPicture.h"
#include "common/WindowPlacement.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace
{

constexpr int ClientSize = 120;

} // namespace

TfrmFazeMesiaca::TfrmFazeMesiaca(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmFazeMesiaca"));
    setFixedSize(ClientSize, ClientSize);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, ClientSize, ClientSize);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A button too small to see that gives Esc something to press.
    Button1 = new QPushButton(QStringLiteral("."), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(0, 0, 1, 1);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TfrmFazeMesiaca::Button1Click);

    CenterOnScreen(this);
}

bool TfrmFazeMesiaca::LoadPicture(const QString &fileName, QString *error)
{
    QImage picture;
    if (!LoadGifPicture(fileName, &picture, error))
        return false;
    Image1->setPixmap(QPixmap::fromImage(picture));
    return true;
}

void TfrmFazeMesiaca::keyPressEvent(QKeyEvent *event)
{
    if (!PressOnEscape(event, Button1))
        QDialog::keyPressEvent(event);
}

void TfrmFazeMesiaca::Button1Click()
{
    close();
}

void TfrmFazeMesiaca::DescribePicture(const QString &name, const QString &description)
{
    Image1->setAccessibleName(name);
    Image1->setAccessibleDescription(description);
}
