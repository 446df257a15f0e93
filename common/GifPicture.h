// Reading GIF pictures, for the map windows and the Moon phase window.
#pragma once

#include <QByteArray>
#include <QString>

class QImage;

// Reads a GIF file into a picture of its own size. Fails, with the decoder's
// reason in *error, when the file is missing, unreadable, not a GIF or cut
// off before its trailer.
bool LoadGifPicture(const QString &fileName, QImage *picture, QString *error);

// True when the blocks of a GIF file run complete up to its trailer. Qt's
// decoder returns whatever part of a cut-off file it could decode, so the
// structure is walked separately.
bool GifIsComplete(const QByteArray &data);
