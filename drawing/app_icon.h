// The window's icon, drawn at every size a desktop asks for.
#pragma once

#include <QIcon>

class QPainter;

namespace tessaly {

QIcon MakeAppIcon();

// The drawing itself, on a square of size × size; the desktop's icon files are made from it too.
void PaintAppIcon(QPainter& painter, int size);

}  // namespace tessaly
