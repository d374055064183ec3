#include "platform/texto_largo.hpp"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
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
  ancla_ = cursor_ = Lugar{};
  arrastrando_ = false;
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
  const Lugar desde = std::min(ancla_, cursor_), hasta = std::max(ancla_, cursor_);
  const QFontMetrics medida = fontMetrics();
  for (int k = 0; k < cuantas && primera + k < lineas(); ++k) {
    const qsizetype i = primera + k;
    const QString t = linea(i);
    const int y = margen + k * alto;
    p.drawText(x, y + ascenso, t);
    if (desde == hasta || i < desde.linea || i > hasta.linea) continue;
    // The selected part: from its first column to its last, or to the line
    // end and one character past it where the selection goes on below.
    const qsizetype c0 = i == desde.linea ? std::min(desde.columna, t.size()) : 0;
    const qsizetype c1 = i == hasta.linea ? std::min(hasta.columna, t.size()) : t.size();
    const int x0 = x + medida.horizontalAdvance(t.left(c0));
    const QString parte = t.mid(c0, c1 - c0);
    const int ancho = medida.horizontalAdvance(parte) + (i < hasta.linea ? ancho_caracter() : 0);
    p.fillRect(x0, y, ancho, alto, palette().color(QPalette::Highlight));
    p.setPen(palette().color(QPalette::HighlightedText));
    p.drawText(x0, y + ascenso, parte);
    p.setPen(palette().color(QPalette::Text));
  }
}

TextoLargo::Lugar TextoLargo::fin_del_texto() const {
  if (lineas() == 0) return {};
  return {lineas() - 1, linea(lineas() - 1).size()};
}

// The place nearest a point of the viewport, within the text.
TextoLargo::Lugar TextoLargo::lugar_en(QPoint punto) const {
  if (lineas() == 0) return {};
  const qsizetype i = primera_visible() + (punto.y() - margen) / alto_linea() - (punto.y() < margen ? 1 : 0);
  if (i < 0) return {};
  if (i >= lineas()) return fin_del_texto();
  const QString t = linea(i);
  const QFontMetrics medida = fontMetrics();
  const int x = punto.x() - margen + horizontalScrollBar()->value();
  int izquierda = 0;
  for (qsizetype c = 0; c < t.size(); ++c) {
    const int derecha = izquierda + medida.horizontalAdvance(t.at(c));
    if (x < (izquierda + derecha) / 2) return {i, c};
    izquierda = derecha;
  }
  return {i, t.size()};
}

void TextoLargo::seleccionar(Lugar desde, Lugar hasta) {
  ancla_ = desde;
  cursor_ = hasta;
  viewport()->update();
}

void TextoLargo::selectAll() { seleccionar({}, fin_del_texto()); }

QString TextoLargo::selectedText() const {
  const Lugar desde = std::min(ancla_, cursor_), hasta = std::max(ancla_, cursor_);
  QString texto;
  for (qsizetype i = desde.linea; i <= hasta.linea && i < lineas() && desde != hasta; ++i) {
    const QString t = linea(i);
    const qsizetype c0 = i == desde.linea ? std::min(desde.columna, t.size()) : 0;
    const qsizetype c1 = i == hasta.linea ? std::min(hasta.columna, t.size()) : t.size();
    if (i > desde.linea) texto += '\n';
    texto += t.mid(c0, c1 - c0);
  }
  return texto;
}

void TextoLargo::copy() const {
  const QString texto = selectedText();
  if (!texto.isEmpty()) QGuiApplication::clipboard()->setText(texto);
}

void TextoLargo::mousePressEvent(QMouseEvent* evento) {
  if (evento->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(evento);
  const Lugar aqui = lugar_en(evento->position().toPoint());
  seleccionar(evento->modifiers() & Qt::ShiftModifier ? ancla_ : aqui, aqui);
  arrastrando_ = true;
}

void TextoLargo::mouseMoveEvent(QMouseEvent* evento) {
  // A release lost to a window that opened meanwhile ends the drag.
  if (!(evento->buttons() & Qt::LeftButton)) arrastrando_ = false;
  if (!arrastrando_) return QAbstractScrollArea::mouseMoveEvent(evento);
  const QPoint punto = evento->position().toPoint();
  // Above or below the view, the text scrolls a line a move.
  QScrollBar* v = verticalScrollBar();
  if (punto.y() < 0) v->triggerAction(QAbstractSlider::SliderSingleStepSub);
  else if (punto.y() >= viewport()->height()) v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  seleccionar(ancla_, lugar_en(punto));
}

void TextoLargo::mouseReleaseEvent(QMouseEvent* evento) {
  if (evento->button() == Qt::LeftButton) arrastrando_ = false;
  QAbstractScrollArea::mouseReleaseEvent(evento);
}

void TextoLargo::mouseDoubleClickEvent(QMouseEvent* evento) {
  if (evento->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(evento);
  const Lugar aqui = lugar_en(evento->position().toPoint());
  const QString t = linea(aqui.linea);
  // A word: the run of non-blank characters around the place.
  qsizetype c0 = std::min(aqui.columna, t.size()), c1 = c0;
  while (c0 > 0 && !t.at(c0 - 1).isSpace()) --c0;
  while (c1 < t.size() && !t.at(c1).isSpace()) ++c1;
  seleccionar({aqui.linea, c0}, {aqui.linea, c1});
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
  if (evento->matches(QKeySequence::Copy) ||
      (evento->key() == Qt::Key_Insert && evento->modifiers() == Qt::ControlModifier)) {
    copy();
    evento->accept();
    return;
  }
  if (evento->matches(QKeySequence::SelectAll)) {
    selectAll();
    evento->accept();
    return;
  }
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
