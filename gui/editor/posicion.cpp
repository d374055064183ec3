#include "editor/posicion.hpp"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/twips.hpp"

namespace editor {

namespace {
const char* const propiedad = "twips";

int px(double twips, double por_pixel) { return static_cast<int>(std::lround(twips / por_pixel)); }
}  // namespace

void colocar(QWidget* control, const QRectF& t) {
  control->setProperty(propiedad, t);
  const double tx = plataforma::twips_por_pixel_x();
  const double ty = plataforma::twips_por_pixel_y();
  const int izquierda = px(t.left(), tx);
  const int arriba = px(t.top(), ty);
  // A negative size shows nothing.
  const int ancho = std::max(0, px(t.left() + t.width(), tx) - izquierda);
  const int alto = std::max(0, px(t.top() + t.height(), ty) - arriba);
  control->setGeometry(izquierda, arriba, ancho, alto);
}

void colocar(QWidget* control, double left, double top, double width, double height) {
  colocar(control, QRectF(left, top, width, height));
}

QRectF twips_mostrados(const QWidget* control) {
  const QRect g = control->geometry();
  return QRectF(plataforma::twips_x(g.x()), plataforma::twips_y(g.y()), plataforma::twips_x(g.width()),
                plataforma::twips_y(g.height()));
}

QRectF twips(const QWidget* control) {
  const QVariant v = control->property(propiedad);
  if (v.isValid()) return v.toRectF();
  return twips_mostrados(control);
}

double Left(const QWidget* control) { return twips(control).left(); }
double Top(const QWidget* control) { return twips(control).top(); }
double Width(const QWidget* control) { return twips(control).width(); }
double Height(const QWidget* control) { return twips(control).height(); }

void setLeft(QWidget* control, double left) {
  QRectF t = twips(control);
  t.moveLeft(left);
  colocar(control, t);
}

void setWidth(QWidget* control, double width) {
  QRectF t = twips(control);
  t.setWidth(width);
  colocar(control, t);
}

}  // namespace editor
