#include "editor/lienzo.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace editor {

Lienzo::Lienzo(QWidget* padre) : QFrame(padre) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Lienzo::setBackColor(const QColor& color) {
  fondo_ = color;
  Cls();
}

void Lienzo::Cls() {
  ajustar_imagen();
  imagen_.fill(fondo_);
  trazos_.clear();
  update();
}

QPointF Lienzo::a_pixeles(double x, double y) const {
  const QRect dentro = contentsRect();
  const double px = ScaleWidth != 0 ? (x - ScaleLeft) * dentro.width() / ScaleWidth : 0.0;
  const double py = ScaleHeight != 0 ? (y - ScaleTop) * dentro.height() / ScaleHeight : 0.0;
  return {px, py};
}

QPointF Lienzo::a_escala(QPointF pixel) const {
  const QRect dentro = contentsRect();
  const double x = dentro.width() > 0 ? ScaleLeft + pixel.x() * ScaleWidth / dentro.width() : ScaleLeft;
  const double y = dentro.height() > 0 ? ScaleTop + pixel.y() * ScaleHeight / dentro.height() : ScaleTop;
  return {x, y};
}

void Lienzo::Line(double x1, double y1, double x2, double y2) {
  trazos_.append({QLineF(x1, y1, x2, y2), DrawWidth, ForeColor});
  ajustar_imagen();
  QPainter p(&imagen_);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPen pluma(ForeColor, DrawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pluma);
  // A line on an edge of the box (the top or bottom of the scale) keeps
  // half its width inside.
  p.drawLine(a_pixeles(x1, y1), a_pixeles(x2, y2));
  update();
}

void Lienzo::ajustar_imagen() {
  const QSize tamano = contentsRect().size().expandedTo(QSize(1, 1));
  if (tamano == imagen_.size()) return;
  QImage nueva(tamano, QImage::Format_RGB32);
  nueva.fill(fondo_);
  if (!imagen_.isNull()) {
    QPainter p(&nueva);
    p.drawImage(0, 0, imagen_);
  }
  imagen_ = nueva;
}

void Lienzo::paintEvent(QPaintEvent* evento) {
  ajustar_imagen();
  {
    QPainter p(this);
    p.fillRect(rect(), fondo_);
    p.drawImage(contentsRect().topLeft(), imagen_);
  }
  QFrame::paintEvent(evento);
}

void Lienzo::mouseMoveEvent(QMouseEvent* evento) {
  const QPointF dentro = evento->position() - QPointF(contentsRect().topLeft());
  const QPointF punto = a_escala(dentro);
  int botones = 0;
  if (evento->buttons() & Qt::LeftButton) botones |= 1;
  if (evento->buttons() & Qt::RightButton) botones |= 2;
  if (evento->buttons() & Qt::MiddleButton) botones |= 4;
  int teclas = 0;
  if (evento->modifiers() & Qt::ShiftModifier) teclas |= 1;
  if (evento->modifiers() & Qt::ControlModifier) teclas |= 2;
  if (evento->modifiers() & Qt::AltModifier) teclas |= 4;
  Q_EMIT MouseMove(botones, teclas, punto.x(), punto.y());
  QFrame::mouseMoveEvent(evento);
}

}  // namespace editor
