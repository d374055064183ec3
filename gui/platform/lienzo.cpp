#include "platform/lienzo.hpp"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRubberBand>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "platform/twips.hpp"

namespace plataforma {

namespace {

// The raster operation of each draw mode, 1 to 16 (11 draws nothing).
const std::array<QPainter::CompositionMode, 17> operaciones = {
    QPainter::CompositionMode_SourceOver,                 // (unused)
    QPainter::RasterOp_ClearDestination,                  // 1 blackness
    QPainter::RasterOp_NotSourceAndNotDestination,        // 2 not merge pen
    QPainter::RasterOp_NotSourceAndDestination,           // 3 mask not pen
    QPainter::RasterOp_NotSource,                         // 4 not copy pen
    QPainter::RasterOp_SourceAndNotDestination,           // 5 mask pen not
    QPainter::RasterOp_NotDestination,                    // 6 invert
    QPainter::RasterOp_SourceXorDestination,              // 7 xor pen
    QPainter::RasterOp_NotSourceOrNotDestination,         // 8 not mask pen
    QPainter::RasterOp_SourceAndDestination,              // 9 mask pen
    QPainter::RasterOp_NotSourceXorDestination,           // 10 not xor pen
    QPainter::CompositionMode_Destination,                // 11 nop
    QPainter::RasterOp_NotSourceOrDestination,            // 12 merge not pen
    QPainter::CompositionMode_SourceOver,                 // 13 copy pen
    QPainter::RasterOp_SourceOrNotDestination,            // 14 merge pen not
    QPainter::RasterOp_SourceOrDestination,               // 15 merge pen
    QPainter::RasterOp_SetDestination,                    // 16 whiteness
};

int botones(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= vbLeftButton;
  if (b & Qt::RightButton) r |= vbRightButton;
  if (b & Qt::MiddleButton) r |= vbMiddleButton;
  return r;
}

int mayusculas(Qt::KeyboardModifiers m) {
  int r = 0;
  if (m & Qt::ShiftModifier) r |= vbShiftMask;
  if (m & Qt::ControlModifier) r |= vbCtrlMask;
  if (m & Qt::AltModifier) r |= vbAltMask;
  return r;
}

// Clips the segment to the rectangle (Liang-Barsky); false when nothing of
// it lies inside. Far-away points would otherwise reach the painter as
// coordinates it cannot handle.
bool recortar(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const QPointF a0 = a;
  a = a0 + t0 * QPointF(dx, dy);
  b = a0 + t1 * QPointF(dx, dy);
  return true;
}

bool finito(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

}  // namespace

Lienzo::Lienzo(QWidget* padre) : QWidget(padre) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  letra_ = font();
}

void Lienzo::setBorderStyle(int estilo) {
  borde_ = estilo == 0 ? 0 : 1;
  update();
}

void Lienzo::setBackColor(const QColor& c) {
  fondo_ = c;
  Cls();
}

void Lienzo::setFillStyle(int estilo) {
  if (estilo < 0 || estilo > 7) throw std::invalid_argument("FillStyle outside 0 to 7");
  estilo_relleno_ = estilo;
}

void Lienzo::setDrawWidth(int grosor) {
  if (grosor < 1) throw std::invalid_argument("DrawWidth below 1");
  grosor_ = grosor;
}

void Lienzo::setDrawStyle(int estilo) {
  if (estilo < 0 || estilo > 6) throw std::invalid_argument("DrawStyle outside 0 to 6");
  estilo_trazo_ = estilo;
}

void Lienzo::setDrawMode(int modo) {
  if (modo < 1 || modo > 16) throw std::invalid_argument("DrawMode outside 1 to 16");
  modo_ = modo;
}

// ---- scale ---------------------------------------------------------------------

QSize Lienzo::area() const {
  return QSize(std::max(1, width() - 2 * borde_), std::max(1, height() - 2 * borde_));
}

double Lienzo::ancho_escala_twips() const { return twips_x(area().width()); }
double Lienzo::alto_escala_twips() const { return twips_y(area().height()); }

void Lienzo::setScaleMode(int modo) { modo_escala_ = modo == 0 ? 0 : 1; }

double Lienzo::ScaleLeft() const { return modo_escala_ == 0 ? izquierda_ : 0.0; }
double Lienzo::ScaleTop() const { return modo_escala_ == 0 ? arriba_ : 0.0; }
double Lienzo::ScaleWidth() const { return modo_escala_ == 0 ? ancho_ : ancho_escala_twips(); }
double Lienzo::ScaleHeight() const { return modo_escala_ == 0 ? alto_ : alto_escala_twips(); }

// The first user-scale value set keeps the others as they read in twips.
void Lienzo::escala_usuario() {
  if (modo_escala_ == 0) return;
  izquierda_ = 0;
  arriba_ = 0;
  ancho_ = ancho_escala_twips();
  alto_ = alto_escala_twips();
  modo_escala_ = 0;
}

void Lienzo::setScaleLeft(double v) {
  escala_usuario();
  izquierda_ = v;
}
void Lienzo::setScaleTop(double v) {
  escala_usuario();
  arriba_ = v;
}
void Lienzo::setScaleWidth(double v) {
  if (v == 0) throw std::invalid_argument("ScaleWidth of 0");
  escala_usuario();
  ancho_ = v;
}
void Lienzo::setScaleHeight(double v) {
  if (v == 0) throw std::invalid_argument("ScaleHeight of 0");
  escala_usuario();
  alto_ = v;
}

double Lienzo::Width() const { return twips_x(width()); }
double Lienzo::Height() const { return twips_y(height()); }

QPointF Lienzo::a_pixeles(double x, double y) const {
  const QSize a = area();
  return QPointF((x - ScaleLeft()) * a.width() / ScaleWidth(), (y - ScaleTop()) * a.height() / ScaleHeight());
}

double Lienzo::x_de_pixel(double px) const { return ScaleLeft() + px * ScaleWidth() / area().width(); }
double Lienzo::y_de_pixel(double py) const { return ScaleTop() + py * ScaleHeight() / area().height(); }

void Lienzo::colocar_hijo(QWidget* hijo, double left, double top) const {
  const QPointF p = a_pixeles(left, top);
  if (!finito(p)) return;
  const double limite = 1.0e6;
  hijo->move(static_cast<int>(std::lround(std::clamp(p.x(), -limite, limite))) + borde_,
             static_cast<int>(std::lround(std::clamp(p.y(), -limite, limite))) + borde_);
}

double Lienzo::Left(const QWidget* hijo) const { return x_de_pixel(hijo->x() - borde_); }
double Lienzo::Top(const QWidget* hijo) const { return y_de_pixel(hijo->y() - borde_); }
double Lienzo::Width(const QWidget* hijo) const { return hijo->width() * ScaleWidth() / area().width(); }
double Lienzo::Height(const QWidget* hijo) const { return hijo->height() * ScaleHeight() / area().height(); }

// ---- the kept image --------------------------------------------------------------

QImage& Lienzo::imagen() {
  const QSize a = area();
  if (imagen_.size() != a) {
    // A new size keeps what was drawn at its place; new parts take the back colour.
    QImage nueva(a, QImage::Format_RGB32);
    nueva.fill(fondo_);
    if (!imagen_.isNull()) {
      QPainter p(&nueva);
      p.drawImage(0, 0, imagen_);
    }
    imagen_ = std::move(nueva);
  }
  return imagen_;
}

const QImage& Lienzo::Image() const { return const_cast<Lienzo*>(this)->imagen(); }

void Lienzo::dibujar(const std::function<void(QPainter&)>& trazo, const QColor& color, bool con_relleno) {
  if (modo_ == 11) return;
  QPainter p(&imagen());
  const bool copia = modo_ == vbCopyPen;
  p.setCompositionMode(operaciones[static_cast<std::size_t>(modo_)]);
  // Raster operations work pixel by pixel: drawing the same shape twice must
  // touch the same pixels, so they draw without antialiasing.
  p.setRenderHint(QPainter::Antialiasing, copia && grosor_ > 1);

  QPen pluma(color);
  pluma.setWidth(grosor_);
  pluma.setCapStyle(grosor_ > 1 ? Qt::RoundCap : Qt::FlatCap);
  pluma.setJoinStyle(Qt::RoundJoin);
  if (estilo_trazo_ == 5) {
    pluma.setStyle(Qt::NoPen);
  } else if (grosor_ == 1) {
    switch (estilo_trazo_) {
      case 1: pluma.setDashPattern({4, 2}); break;
      case 2: pluma.setDashPattern({1, 1}); break;
      case 3: pluma.setDashPattern({4, 2, 1, 2}); break;
      case 4: pluma.setDashPattern({4, 2, 1, 2, 1, 2}); break;
      default: break;
    }
  }
  p.setPen(pluma);

  static constexpr std::array<Qt::BrushStyle, 8> tramas = {
      Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
      Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
  };
  p.setBrush(con_relleno ? QBrush(relleno_, tramas[static_cast<std::size_t>(estilo_relleno_)]) : QBrush());
  trazo(p);
  p.end();
  update();
}

void Lienzo::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
  QPointF a = a_pixeles(x1, y1), b = a_pixeles(x2, y2);
  if (!finito(a) || !finito(b)) return;
  const double margen = grosor_ + 2.0;
  const QSize s = area();
  if (!recortar(a, b, QRectF(-margen, -margen, s.width() + 2 * margen, s.height() + 2 * margen))) return;
  dibujar([&](QPainter& p) { p.drawLine(a, b); }, color.value_or(tinta_), false);
  CurrentX = x2;
  CurrentY = y2;
}

void Lienzo::Box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
  QPointF a = a_pixeles(x1, y1), b = a_pixeles(x2, y2);
  if (!finito(a) || !finito(b)) return;
  const double margen = grosor_ + 2.0;
  const QSize s = area();
  auto ajustar = [&](QPointF& q) {
    q.setX(std::clamp(q.x(), -margen, s.width() + margen));
    q.setY(std::clamp(q.y(), -margen, s.height() + margen));
  };
  ajustar(a);
  ajustar(b);
  dibujar([&](QPainter& p) { p.drawRect(QRectF(a, b).normalized()); }, color.value_or(tinta_), false);
  CurrentX = x2;
  CurrentY = y2;
}

void Lienzo::Circle(double x, double y, double radio, std::optional<QColor> color) {
  const QPointF c = a_pixeles(x, y);
  const double r = std::fabs(radio * area().width() / ScaleWidth());
  if (!finito(c) || !std::isfinite(r)) return;
  const QRectF caja(c.x() - r, c.y() - r, 2 * r, 2 * r);
  const double margen = grosor_ + 2.0;
  if (!caja.adjusted(-margen, -margen, margen, margen).intersects(QRectF(QPointF(0, 0), QSizeF(area())))) return;
  dibujar([&](QPainter& p) { p.drawEllipse(c, r, r); }, color.value_or(tinta_), true);
  CurrentX = x;
  CurrentY = y;
}

void Lienzo::Cls() {
  imagen().fill(fondo_);
  CurrentX = ScaleLeft();
  CurrentY = ScaleTop();
  update();
}

void Lienzo::PaintPicture(const QImage& dibujo, double x, double y) {
  const QPointF p = a_pixeles(x, y);
  if (!finito(p)) return;
  QPainter pintor(&imagen());
  pintor.drawImage(QPointF(std::round(p.x()), std::round(p.y())), dibujo);
  pintor.end();
  update();
}

void Lienzo::Print(const QString& texto) {
  const QPointF p = a_pixeles(CurrentX, CurrentY);
  if (finito(p)) {
    QPainter pintor(&imagen());
    pintor.setFont(letra_);
    pintor.setPen(tinta_);
    const QFontMetricsF m(letra_, &imagen_);
    pintor.drawText(QPointF(std::round(p.x()), std::round(p.y()) + m.ascent()), texto);
    pintor.end();
    update();
  }
  CurrentX = ScaleLeft();
  CurrentY += TextHeight(texto);
}

double Lienzo::TextWidth(const QString& texto) const {
  const QFontMetricsF m(letra_, &Image());
  return m.horizontalAdvance(texto) * ScaleWidth() / area().width();
}

double Lienzo::TextHeight(const QString&) const {
  const QFontMetricsF m(letra_, &Image());
  return m.height() * ScaleHeight() / area().height();
}

// ---- events ----------------------------------------------------------------------

void Lienzo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(borde_, borde_, imagen());
  if (borde_ != 0) {
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void Lienzo::evento_raton(QMouseEvent* evento, int tipo) {
  const QPointF p = evento->position() - QPointF(borde_, borde_);
  const double X = x_de_pixel(p.x()), Y = y_de_pixel(p.y());
  const int shift = mayusculas(evento->modifiers());
  switch (tipo) {
    case 0: Q_EMIT MouseDown(botones(evento->button()), shift, X, Y); break;
    case 1: Q_EMIT MouseMove(botones(evento->buttons()), shift, X, Y); break;
    default: Q_EMIT MouseUp(botones(evento->button()), shift, X, Y); break;
  }
}

void Lienzo::mousePressEvent(QMouseEvent* evento) { evento_raton(evento, 0); }
void Lienzo::mouseMoveEvent(QMouseEvent* evento) { evento_raton(evento, 1); }
void Lienzo::mouseReleaseEvent(QMouseEvent* evento) { evento_raton(evento, 2); }

// ---- automatic drag ----------------------------------------------------------------

namespace {

class FiltroArrastre : public QObject {
 public:
  explicit FiltroArrastre(QWidget* control) : QObject(control), control_(control) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto != control_) return false;
    switch (evento->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() == Qt::LeftButton) {
          terminar();  // a band left by a drag whose release was lost
          pulsado_ = true;
          inicio_ = raton->globalPosition().toPoint();
        }
        return true;
      }
      case QEvent::MouseMove: {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        if (pulsado_ && (raton->buttons() & Qt::LeftButton)) {
          mover(raton->globalPosition().toPoint());
        } else if (pulsado_) {
          // The release went elsewhere (a message box opened meanwhile took
          // it): the drag is dropped nowhere and the control stays put.
          terminar();
          pulsado_ = false;
        }
        return true;
      }
      case QEvent::MouseButtonRelease: {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() == Qt::LeftButton) {
          const bool arrastrado = !marco_.isNull();
          terminar();
          pulsado_ = false;
          if (arrastrado) soltar(raton->globalPosition().toPoint());
        }
        return true;
      }
      default: return false;
    }
  }

 private:
  void mover(QPoint global) {
    if (marco_.isNull()) {
      if ((global - inicio_).manhattanLength() < QApplication::startDragDistance()) return;
      marco_ = new QRubberBand(QRubberBand::Rectangle, control_->window());
      marco_->resize(control_->size());
      marco_->show();
    }
    QWidget* ventana = control_->window();
    marco_->move(ventana->mapFromGlobal(control_->mapToGlobal(QPoint(0, 0)) + global - inicio_));
    marco_->raise();
  }

  void terminar() {
    if (!marco_.isNull()) delete marco_.data();
  }

  void soltar(QPoint global) {
    QWidget* ventana = control_->window();
    // The dragged control is lifted off its place: it does not take its own drop.
    const bool transparente = control_->testAttribute(Qt::WA_TransparentForMouseEvents);
    control_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget* destino = ventana->childAt(ventana->mapFromGlobal(global));
    control_->setAttribute(Qt::WA_TransparentForMouseEvents, transparente);
    auto* lienzo = qobject_cast<Lienzo*>(destino);
    if (lienzo == nullptr) return;
    const QPoint local = lienzo->mapFromGlobal(global) - QPoint(lienzo->BorderStyle(), lienzo->BorderStyle());
    Q_EMIT lienzo->DragDrop(control_, lienzo->x_de_pixel(local.x()), lienzo->y_de_pixel(local.y()));
  }

  QWidget* control_;
  bool pulsado_ = false;
  QPoint inicio_;
  QPointer<QRubberBand> marco_;
};

}  // namespace

void arrastre_automatico(QWidget* control) {
  control->setMouseTracking(true);
  control->installEventFilter(new FiltroArrastre(control));
}

}  // namespace plataforma
