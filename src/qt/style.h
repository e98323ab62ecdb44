#pragma once
// The layout's faces and colours, set the one way every window uses.

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace stakora::qt {

enum class Face { Verdana, Arial, MsSansSerif };

// The layout's face with look-alikes for machines that lack it.
QFont Font(Face face, double points, bool bold);

// A profit that is a loss.
inline const QColor kLossRed(255, 0, 0);

// One colour of a widget's palette.
void SetColour(QWidget* w, QPalette::ColorRole role, const QColor& c);

}  // namespace stakora::qt
