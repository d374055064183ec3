#include "platform/texto_largo.hpp"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "platform/texto1252.hpp"

namespace plataforma {

namespace {
constexpr int tabulador = 8;
constexpr int margen = 3;  // pixels between the frame and the text
}  // namespace

TextoLargo::TextoLargo(QWidget* padre) : QAbstractScrollArea(padre) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

void TextoLargo::clear() {
  bytes_ = QByteArray();
  inicios_ = std::vector<qsizetype>();
  columnas_ = 0;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  ajustar_barras();
  viewport()->update();
}

void TextoLargo::cargar(QByteArray bytes) {
  clear();
  bytes_ = std::move(bytes);
  const qsizetype n = bytes_.size();
  const char* b = bytes_.constData();
  qsizetype inicio = 0, columna = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char c = b[i];
    if (c == '\t') {
      columna += tabulador - columna % tabulador;
    } else if (c == '\r' || c == '\n') {
      inicios_.push_back(inicio);
      columnas_ = std::max(columnas_, columna);
      columna = 0;
      if (c == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
      inicio = i + 1;
    } else {
      ++columna;
    }
  }
  // A text that ends with a line end has no empty line after it.
  if (inicio < n) {
    inicios_.push_back(inicio);
    columnas_ = std::max(columnas_, columna);
  }
  inicios_.shrink_to_fit();
  ajustar_barras();
  viewport()->update();
}

QByteArrayView TextoLargo::bytes_linea(qsizetype i) const {
  const qsizetype inicio = inicios_[static_cast<std::size_t>(i)];
  qsizetype fin = i + 1 < lineas() ? inicios_[static_cast<std::size_t>(i + 1)] : bytes_.size();
  // Less the line end: CR LF, CR or LF.
  if (fin > inicio && (bytes_[fin - 1] == '\n' || bytes_[fin - 1] == '\r')) {
    --fin;
    if (bytes_[fin] == '\n' && fin > inicio && bytes_[fin - 1] == '\r') --fin;
  }
  return QByteArrayView(bytes_).sliced(inicio, fin - inicio);
}

QString TextoLargo::linea(qsizetype i) const {
  if (i < 0 || i >= lineas()) return QString();
  QString t = desde_1252(bytes_linea(i));
  for (qsizetype k = t.indexOf('\t'); k >= 0; k = t.indexOf('\t', k))
    t.replace(k, 1, QString(tabulador - k % tabulador, ' '));
  return t;
}

QString TextoLargo::toPlainText() const {
  QString texto;
  texto.reserve(bytes_.size());
  for (qsizetype i = 0; i < lineas(); ++i) {
    if (i > 0) texto += '\n';
    texto += desde_1252(bytes_linea(i));
  }
  return texto;
}

int TextoLargo::alto_linea() const { return std::max(1, fontMetrics().height()); }
int TextoLargo::ancho_caracter() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }

qsizetype TextoLargo::primera_visible() const { return verticalScrollBar()->value(); }

void TextoLargo::ajustar_barras() {
  const int visibles = std::max(1, (viewport()->height() - margen) / alto_linea());
  const qsizetype maximo = std::max<qsizetype>(0, lineas() - visibles);
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, static_cast<int>(std::min<qsizetype>(maximo, INT_MAX)));
  v->setPageStep(visibles);
  v->setSingleStep(1);
  QScrollBar* h = horizontalScrollBar();
  const qsizetype ancho = columnas_ * ancho_caracter() + 2 * margen;
  h->setRange(0, static_cast<int>(std::clamp<qsizetype>(ancho - viewport()->width(), 0, INT_MAX)));
  h->setPageStep(std::max(1, viewport()->width()));
  h->setSingleStep(ancho_caracter());
}

void TextoLargo::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.setFont(font());
  p.setPen(palette().color(QPalette::Text));
  const int alto = alto_linea();
  const int ascenso = fontMetrics().ascent();
  const int x = margen - horizontalScrollBar()->value();
  const qsizetype primera = primera_visible();
  const int cuantas = viewport()->height() / alto + 1;
  for (int k = 0; k < cuantas && primera + k < lineas(); ++k)
    p.drawText(x, margen + k * alto + ascenso, linea(primera + k));
}

void TextoLargo::resizeEvent(QResizeEvent* evento) {
  QAbstractScrollArea::resizeEvent(evento);
  ajustar_barras();
}

void TextoLargo::changeEvent(QEvent* evento) {
  QAbstractScrollArea::changeEvent(evento);
  if (evento->type() == QEvent::FontChange) ajustar_barras();
}

void TextoLargo::scrollContentsBy(int, int) { viewport()->update(); }

void TextoLargo::keyPressEvent(QKeyEvent* evento) {
  QScrollBar* v = verticalScrollBar();
  QScrollBar* h = horizontalScrollBar();
  const bool control = evento->modifiers() & Qt::ControlModifier;
  switch (evento->key()) {
    case Qt::Key_Up: v->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Down: v->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: v->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: v->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Left: h->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: h->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_Home:
      if (control) v->setValue(v->minimum());
      h->setValue(h->minimum());
      break;
    case Qt::Key_End:
      if (control) {
        v->setValue(v->maximum());
        h->setValue(h->minimum());
      } else {
        h->setValue(h->maximum());
      }
      break;
    default: QAbstractScrollArea::keyPressEvent(evento); return;
  }
  evento->accept();
}

}  // namespace plataforma
