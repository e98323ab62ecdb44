#include "qt/program_icon.h"

#include <QImage>

#include "qt/icons/stakora_icon.h"

namespace stakora::qt {

QPixmap ProgramIcon() {
  const QImage image(reinterpret_cast<const uchar*>(kIconPixels), kIconSize, kIconSize,
                     QImage::Format_ARGB32_Premultiplied);
  return QPixmap::fromImage(image);  // copies the pixels
}

}  // namespace stakora::qt
