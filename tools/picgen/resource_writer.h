#pragma once

#include <QImage>
#include <QString>

#include "picture_maker.h"

namespace tessaly::picgen {

// Writes `image` as an uncompressed 24-bit BMP. The file is replaced in one step, so a game
// reading it meanwhile never sees half a picture. Returns an error text, empty on success.
QString SaveBmp(const QImage& image, const QString& path);

// Writes pic<N>/<K>.bmp, BackGround/<M>.bmp and BackGround/Start.bmp under `resourceDir`,
// leaving everything else in the folder alone. Returns an error text, empty on success.
QString WriteResourcePictures(const PictureMaker& maker, const QString& resourceDir);

}  // namespace tessaly::picgen
