#pragma once

#include <QPixmap>

namespace stakora::qt {

// The program's icon at 32 by 32, without loading an image decoder.
QPixmap ProgramIcon();

}  // namespace stakora::qt
