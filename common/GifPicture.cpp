#include "common/GifPicture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

namespace
{

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
