#pragma once
// Controls placed in twips that remember the twips they were given, so that
// positions computed from other positions (a zone's width from its
// neighbour's left edge) keep their fractions. A control's pixel edges are
// its twips edges rounded, so controls that share an edge in twips share it
// in pixels.
#include <QRectF>

class QWidget;

namespace editor {

void colocar(QWidget* control, double left, double top, double width, double height);
void colocar(QWidget* control, const QRectF& twips);

// The twips last given (or those of the control's pixels, when none were).
QRectF twips(const QWidget* control);
// The twips of the control's pixels as it stands on screen, also when it
// was set in pixels after its twips.
QRectF twips_mostrados(const QWidget* control);
double Left(const QWidget* control);
double Top(const QWidget* control);
double Width(const QWidget* control);
double Height(const QWidget* control);
void setLeft(QWidget* control, double left);
void setWidth(QWidget* control, double width);

}  // namespace editor
