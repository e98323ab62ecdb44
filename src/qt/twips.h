#pragma once
// The window model measures in twips; Qt in device-independent pixels.

#include <QRect>
#include <cmath>

#include "form1.h"

namespace stakora::qt {

inline constexpr double kTwipsPerPixel = 15.0;  // at 96 dpi

inline int Px(int twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect PxRect(const Rect& r) {
  return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height));
}

}  // namespace stakora::qt
