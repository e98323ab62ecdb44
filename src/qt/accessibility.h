#pragma once
// What screen readers are told of the widgets Qt has no role for: a label
// that acts on a press is a link, a drawn line is a separator.

class QWidget;

namespace stakora::qt {

// Installs the roles once for the whole program; safe to call again.
void InstallAccessibility();

// Marks a widget as a decorative separator line.
void MarkAsSeparator(QWidget* w);

}  // namespace stakora::qt
