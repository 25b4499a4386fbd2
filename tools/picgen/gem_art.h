#pragma once

#include <QColor>
#include <QImage>

#include "picture_set.h"

namespace tessaly::picgen {

// A polished gem of the given shape, pattern and colour, on a transparent box x box square.
QImage RenderGem(GemShape shape, GemPattern pattern, const QColor& colour, int box);

}  // namespace tessaly::picgen
