// The window's icon, drawn at every size a desktop asks for.
#pragma once

#include <QIcon>

namespace tessaly {

QIcon MakeAppIcon();

}  // namespace tessaly
