#include "qt/style.h"

#include <QWidget>

namespace stakora::qt {

QFont Font(Face face, double points, bool bold) {
  QFont f;
  switch (face) {
    case Face::Verdana:
      f.setFamilies({"Verdana", "DejaVu Sans", "Sans Serif"});
      break;
    case Face::Arial:
      f.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
      break;
    case Face::MsSansSerif:
      f.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Sans Serif"});
      break;
  }
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

void SetColour(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(role, c);
  w->setPalette(p);
}

}  // namespace stakora::qt
