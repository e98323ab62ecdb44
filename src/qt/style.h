#pragma once
// The windows' faces and colours, set the one way every window uses.

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace stakora::qt {

enum class Face { Verdana, Arial, MsSansSerif };

// A face the windows name, with look-alikes for machines that lack it.
QFont Font(Face face, double points, bool bold);

// Every colour the program names, in one place.
inline const QColor kLossRed(255, 0, 0);          // a profit that is a loss, as text or as a bar
inline const QColor kGainGreen(0, 128, 0);        // the main window's face, and a profit's bar
inline const QColor kCaptionYellow(255, 255, 0);  // the main window's frame captions and links
inline const QColor kTitleBlue(0, 0, 255);        // the About box's title
inline const QColor kRuleGrey(0x80, 0x80, 0x80);
inline const QColor kRuleWhite(255, 255, 255);  // with the grey, an etched separator

// One colour of a widget's palette.
void SetColour(QWidget* w, QPalette::ColorRole role, const QColor& c);

}  // namespace stakora::qt
