// The Moon phase window and GIF picture reading.
#include "calendar/FazeMesiaca.h"

#include "common/Messages.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace
{

constexpr int ClientSize = 120;

// Skips a chain of data sub-blocks (length byte, data; a zero length ends
// the chain). False when the data ends first.
bool SkipSubBlocks(const QByteArray &data, qsizetype &pos)
{
    while (pos < data.size()) {
        const auto length = static_cast<unsigned char>(data[pos]);
        ++pos;
        if (length == 0)
            return true;
        pos += length;
    }
    return false;
}

// Size in bytes of a colour table announced by a packed-fields byte.
qsizetype ColorTableSize(unsigned char packed)
{
    return (packed & 0x80) ? 3 * (qsizetype(1) << ((packed & 0x07) + 1)) : 0;
}

} // namespace

bool GifIsComplete(const QByteArray &data)
{
    // Header (6 bytes) and logical screen descriptor (7 bytes).
    if (data.size() < 13 || !(data.startsWith("GIF87a") || data.startsWith("GIF89a")))
        return false;
    qsizetype pos = 13 + ColorTableSize(static_cast<unsigned char>(data[10]));
    while (pos < data.size()) {
        const auto introducer = static_cast<unsigned char>(data[pos]);
        ++pos;
        switch (introducer) {
        case 0x3B: // trailer
            return true;
        case 0x21: // extension: label, then sub-blocks
            ++pos;
            if (!SkipSubBlocks(data, pos))
                return false;
            break;
        case 0x2C: { // image descriptor, local colour table, LZW code size, data
            if (pos + 9 > data.size())
                return false;
            const auto packed = static_cast<unsigned char>(data[pos + 8]);
            pos += 9 + ColorTableSize(packed) + 1;
            if (!SkipSubBlocks(data, pos))
                return false;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

bool LoadGifPicture(const QString &fileName, QImage *picture, QString *error)
{
    // The format is fixed: a PNG or JPEG named .gif is not a GIF picture.
    QImageReader reader(fileName, "gif");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull()) {
        *error = reader.errorString();
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    if (!GifIsComplete(file.readAll())) {
        *error = QStringLiteral("Incomplete GIF data");
        return false;
    }
    *picture = image;
    return true;
}

void CenterOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    window->setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->geometry()));
}

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
