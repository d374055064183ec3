#include "editor/frmdatos.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <utility>

#include "editor/curvas.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmpoligonal.hpp"
#include "editor/frmpotencias.hpp"
#include "editor/frmvibracion.hpp"
#include "editor/posicion.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"


using global::nzonas;
using global::zonas;
using idiomas::texto;
using plataforma::Format;
using plataforma::Val;

namespace {

frmdatos* instancia_ = nullptr;

// Size of the window's inside and of its two frames, in twips.
constexpr double ancho_ventana = 11235;
constexpr double alto_ventana = 6555;
constexpr double ancho_marco = 10995;
constexpr double alto_general = 1635;
constexpr double alto_zonas = 4695;
constexpr double arriba_zonas = 1770;

// Rows of the strip inside frmzonas: top and size of element 0.
struct Fila {
  double top, width, height;
};
constexpr Fila fila_etiqueta{810, 480, 195};
constexpr Fila fila_separador{1170, 75, 150};
constexpr Fila fila_dibujo{1305, 0, 2175};
constexpr Fila fila_combo{3780, 2040, 315};
constexpr Fila fila_boton{4230, 645, 285};
constexpr double ancho_maximo_combo = 2040;

// Background of the zone pictures: pale yellow for even zones, pale cyan for odd.
const QColor fondo_par(255, 255, 192);
const QColor fondo_impar(192, 255, 255);

std::size_t u(int k) { return static_cast<std::size_t>(k); }
global::tzona& zona(int k) { return zonas.at(u(k)); }

void marcar_modificado() {
  global::modificado = true;
  frmMain::instancia().cambia_titulo();
}

// The pointer over the limit labels: a limit with arrows either way.
const QCursor& cursor_limite() {
  static const QCursor cursor = [] {
    QPixmap imagen(32, 32);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon flecha_izq({QPoint(3, 16), QPoint(10, 10), QPoint(10, 22)});
    const QPolygon flecha_der({QPoint(28, 16), QPoint(21, 10), QPoint(21, 22)});
    for (int pasada = 0; pasada < 2; ++pasada) {
      // A white outline under the black figure keeps it visible on any background.
      const QColor color = pasada == 0 ? Qt::white : Qt::black;
      p.setPen(QPen(color, pasada == 0 ? 4 : 2));
      p.setBrush(color);
      p.drawLine(15, 4, 15, 28);
      p.drawLine(6, 16, 25, 16);
      p.drawPolygon(flecha_izq);
      p.drawPolygon(flecha_der);
    }
    return QCursor(imagen, 15, 16);
  }();
  return cursor;
}

// A zone's end vertex follows its new end v. A polygon also loses the
// interior vertices that v passes, as a dragged limit drops them: each one
// passed hands its value to the end vertex, so that the vertices stay in order.
void fin_en(global::tzona& z, double v) {
  if (z.nvertices < 1) return;
  z.vertices(z.nvertices).x = v;
  while (z.tipo == 1 && z.nvertices > 2 && z.vertices(z.nvertices - 1).x >= v) {
    z.vertices(z.nvertices - 1).x = v;
    --z.nvertices;
  }
  z.vertices.redim_preserve(z.nvertices);
}

// A zone's first vertex follows its new start v; a polygon loses the
// interior vertices that v passes, and its first vertex keeps its value.
void inicio_en(global::tzona& z, double v) {
  if (z.nvertices < 1) return;
  z.vertices(1).x = v;
  if (z.tipo != 1) return;
  int pasados = 0;
  while (z.nvertices - pasados > 2 && z.vertices(2 + pasados).x <= v) ++pasados;
  if (pasados == 0) return;
  for (int j = 2; j + pasados <= z.nvertices; ++j) z.vertices(j) = z.vertices(j + pasados);
  z.nvertices = static_cast<std::int16_t>(z.nvertices - pasados);
  z.vertices.redim_preserve(z.nvertices);
}

// A zone halved at m, its new end: a polygon keeps the vertices left of m
// and ends in a vertex at m with the polygon's value there; any other zone's
// end vertex moves to m.
void cortar_en(global::tzona& z, double m) {
  if (z.tipo != 1 || z.nvertices < 2) return fin_en(z, m);
  int j = 2;  // the first vertex at or beyond m
  while (j <= z.nvertices && z.vertices(j).x < m) ++j;
  if (j > z.nvertices) return fin_en(z, m);  // a polygon that stopped short of its end
  const global::tvertice a = z.vertices(j - 1);
  const global::tvertice b = z.vertices(j);
  const double y = b.x == m || b.x <= a.x ? b.y : a.y + (m - a.x) * (b.y - a.y) / (b.x - a.x);
  z.vertices(j) = {m, y};
  z.nvertices = static_cast<std::int16_t>(j);
  z.vertices.redim_preserve(j);
}

// A limit as the problem file will hold it: rounded to three decimals.
double como_se_escribe(double v) { return Val(Format(v, u"####0.000")); }

// The step of the limits in the file.
constexpr double paso_del_fichero = 0.001;

// A zone from a to b has a length greater than 0 as the file writes it.
bool zona_valida(double a, double b) { return como_se_escribe(a) < como_se_escribe(b); }

// The nearest 16-bit integer of a text's number, halves to even.
std::int16_t entero16(const QString& texto) {
  const double v = std::nearbyint(Val(texto));
  if (!(v >= -32768 && v <= 32767)) return 0;
  return static_cast<std::int16_t>(v);
}

}  // namespace

// ---- the one window ------------------------------------------------------------

frmdatos& frmdatos::instancia() {
  if (instancia_ == nullptr) {
    instancia_ = new frmdatos();
    QMdiArea* area = frmMain::instancia().mdiArea;
    instancia_->subventana_ =
        area->addSubWindow(instancia_, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    instancia_->subventana_->setAttribute(Qt::WA_DeleteOnClose, false);
    instancia_->Form_Load();
    instancia_->subventana_->show();
  }
  return *instancia_;
}

bool frmdatos::cargado() { return instancia_ != nullptr; }

void frmdatos::descargar() {
  if (instancia_ == nullptr) return;
  frmdatos* f = instancia_;
  f->descargando_ = true;
  instancia_ = nullptr;
  // The sub-window holds the window: deleting it deletes both.
  if (f->subventana_ != nullptr)
    delete f->subventana_;
  else
    delete f;
}

frmdatos::frmdatos() {
  setObjectName("frmdatos");
  QFont letra = font();
  letra.setPointSize(8);
  setFont(letra);
  crear_controles();
}

frmdatos::~frmdatos() {
  if (instancia_ == this) instancia_ = nullptr;
}

void frmdatos::closeEvent(QCloseEvent* evento) {
  // The window lives from the first New or Open to the end of the program:
  // only New and Open unload it.
  if (descargando_)
    evento->accept();
  else
    evento->ignore();
}

// ---- controls ----------------------------------------------------------------------

void frmdatos::crear_controles() {
  setFixedSize(plataforma::pixeles_x(ancho_ventana), plataforma::pixeles_y(alto_ventana));

  frmdatosgeneral = new QGroupBox(this);
  frmdatosgeneral->setObjectName("frmdatosgeneral");
  editor::colocar(frmdatosgeneral, 120, 60, ancho_marco, alto_general);

  auto etiqueta = [this](const char* nombre, double left, double top, double width) {
    auto* l = new QLabel(frmdatosgeneral);
    l->setObjectName(nombre);
    editor::colocar(l, left, top + 30, width, 255);
    return l;
  };
  auto caja = [this](const char* nombre, double left, double top, double width) {
    auto* c = new QLineEdit(frmdatosgeneral);
    c->setObjectName(nombre);
    editor::colocar(c, left, top, width, 315);
    return c;
  };
  auto flechas = [this](const char* nombre, double left, double top, QLineEdit* companera) {
    auto* ud = new plataforma::UpDown(frmdatosgeneral);
    ud->setObjectName(nombre);
    ud->BuddyControl = companera;
    editor::colocar(ud, left, top, 240, 315);
    return ud;
  };

  // Three rows: the title; mass and basis size; points and zone count.
  constexpr double fila1 = 315, fila2 = 750, fila3 = 1185;
  constexpr double etiqueta_a = 240, caja_a = 2400, etiqueta_b = 4320, caja_b = 7320;
  Lbltitulo = etiqueta("Lbltitulo", etiqueta_a, fila1, 2100);
  txttitulo = caja("txttitulo", caja_a, fila1, 8355);
  lblmasa = etiqueta("lblmasa", etiqueta_a, fila2, 2100);
  txtmasa = caja("txtmasa", caja_a, fila2, 1095);
  lblunits = etiqueta("lblunits", caja_a + 1155, fila2, 450);
  lblunits->setText("u.a.");
  lblfb = etiqueta("lblfb", etiqueta_b, fila2, 2940);
  txtfb = caja("txtfb", caja_b, fila2, 735);
  lblpuntos = etiqueta("lblpuntos", etiqueta_a, fila3, 2100);
  txtpuntos = caja("txtpuntos", caja_a, fila3, 855);
  UpDPuntos = flechas("UpDPuntos", caja_a + 855, fila3, txtpuntos);
  UpDPuntos->Min = 1;
  UpDPuntos->Max = 10000;
  UpDPuntos->Increment = 1;
  lblzonas = etiqueta("lblzonas", etiqueta_b, fila3, 2940);
  txtzonas = caja("txtzonas", caja_b, fila3, 495);
  txtzonas->setReadOnly(true);
  udzonas = flechas("udzonas", caja_b + 495, fila3, txtzonas);
  udzonas->Min = 0;
  udzonas->Max = 11;
  udzonas->Increment = 1;

  // The numeric boxes: the mass is a real value, the basis size and the
  // points are counts, written to the problem file as typed.
  using lineas_problema::Escrito;
  plataforma::ReglaNumerica masa{"-", {"", "-"}, true}, fb{"-.", {""}, false}, puntos{"-.", {"", "-"}, false};
  lineas_problema::limitar(masa, lineas_problema::masa, Escrito::real);
  lineas_problema::limitar(fb, lineas_problema::base, Escrito::recuento);
  lineas_problema::limitar(puntos, lineas_problema::puntos, Escrito::recuento);
  caja_masa_ = new plataforma::CajaNumerica(txtmasa, masa, textoanterior, marcar_modificado);
  caja_fb_ = new plataforma::CajaNumerica(txtfb, fb, textoanterior, marcar_modificado);
  caja_puntos_ = new plataforma::CajaNumerica(txtpuntos, puntos, textoanterior, marcar_modificado);

  connect(txttitulo, &QLineEdit::textEdited, this, [this] { titulo_tecleado_ = true; });
  connect(txttitulo, &QLineEdit::textChanged, this, &frmdatos::txttitulo_Change);
  connect(txtzonas, &QLineEdit::textChanged, this, &frmdatos::txtzonas_Change);
  connect(udzonas, &plataforma::UpDown::Change, this, &frmdatos::udzonas_Change);
  connect(udzonas, &plataforma::UpDown::UpClick, this, &frmdatos::udzonas_UpClick);
  connect(udzonas, &plataforma::UpDown::DownClick, this, &frmdatos::udzonas_DownClick);
  connect(udzonas, &plataforma::UpDown::MouseUp, this, &frmdatos::udzonas_MouseUp);

  frmzonas = new QGroupBox(this);
  frmzonas->setObjectName("frmzonas");
  editor::colocar(frmzonas, 120, arriba_zonas, ancho_marco, alto_zonas);
  crear_tira();
}

void frmdatos::crear_tira() {
  // Element 0 of every array, and the box end's label and editor.
  auto* dibujo = new plataforma::Lienzo(frmzonas);
  dibujo->setObjectName("pctzona_0");
  editor::colocar(dibujo, borde_izquierdo, fila_dibujo.top, ancho_marco - 2 * borde_izquierdo, fila_dibujo.height);
  pctzona_[0] = dibujo;

  for (int k : {0, 10}) {
    auto* l = new QLabel(frmzonas);
    l->setObjectName(QStringLiteral("lblintervalo_%1").arg(k));
    l->setAlignment(Qt::AlignCenter);
    editor::colocar(l, 0, fila_etiqueta.top, fila_etiqueta.width, fila_etiqueta.height);
    lblintervalo_[u(k)] = l;
    auto* t = new QLineEdit(frmzonas);
    t->setObjectName(QStringLiteral("txtescala_%1").arg(k));
    editor::colocar(t, 0, fila_etiqueta.top, fila_etiqueta.width, fila_etiqueta.height);
    t->hide();
    txtescala_[u(k)] = t;
  }

  auto* combo = new QComboBox(frmzonas);
  combo->setObjectName("cmbpotencial_0");
  editor::colocar(combo, 0, fila_combo.top, fila_combo.width, fila_combo.height);
  cmbpotencial_[0] = combo;

  auto* boton = new QPushButton(frmzonas);
  boton->setObjectName("btnzona_0");
  editor::colocar(boton, 0, fila_boton.top, fila_boton.width, fila_boton.height);
  btnzona_[0] = boton;

  auto* separador = new QPushButton(frmzonas);
  separador->setObjectName("lnsepara_0");
  separador->setFocusPolicy(Qt::NoFocus);
  editor::colocar(separador, 0, fila_separador.top, fila_separador.width, fila_separador.height);
  separador->hide();
  lnsepara_[0] = separador;

  enganchar_limite(0);
  enganchar_limite(10);

  connect(combo, &QComboBox::activated, this, [this] { cmbpotencial_Click(0); });
  connect(boton, &QPushButton::clicked, this, [this] { btnzona_Click(0); });
  connect(dibujo, &plataforma::Lienzo::MouseMove, this,
          [this](int b, int s, double x, double y) { pctzona_MouseMove(0, b, s, x, y); });
}

void frmdatos::crear_elemento(int k) {
  // A new element takes the properties of element 0 and starts hidden.
  auto* dibujo = new plataforma::Lienzo(frmzonas);
  dibujo->setObjectName(QStringLiteral("pctzona_%1").arg(k));
  dibujo->hide();
  const plataforma::Lienzo* modelo = pctzona_[0];
  editor::colocar(dibujo, editor::twips(modelo));
  if (modelo->ScaleMode() == 0) {
    dibujo->setScaleLeft(modelo->ScaleLeft());
    dibujo->setScaleTop(modelo->ScaleTop());
    dibujo->setScaleWidth(modelo->ScaleWidth());
    dibujo->setScaleHeight(modelo->ScaleHeight());
  }
  dibujo->setForeColor(modelo->ForeColor());
  dibujo->setDrawWidth(modelo->DrawWidth());
  dibujo->setBackColor(modelo->BackColor());
  pctzona_[u(k)] = dibujo;

  auto* l = new QLabel(frmzonas);
  l->setObjectName(QStringLiteral("lblintervalo_%1").arg(k));
  l->hide();
  l->setAlignment(lblintervalo_[0]->alignment());
  editor::colocar(l, editor::twips(lblintervalo_[0]));
  lblintervalo_[u(k)] = l;

  auto* combo = new QComboBox(frmzonas);
  combo->setObjectName(QStringLiteral("cmbpotencial_%1").arg(k));
  combo->hide();
  editor::colocar(combo, editor::twips(cmbpotencial_[0]));
  cmbpotencial_[u(k)] = combo;

  auto* boton = new QPushButton(frmzonas);
  boton->setObjectName(QStringLiteral("btnzona_%1").arg(k));
  boton->hide();
  boton->setText(btnzona_[0]->text());
  editor::colocar(boton, editor::twips(btnzona_[0]));
  btnzona_[u(k)] = boton;

  auto* t = new QLineEdit(frmzonas);
  t->setObjectName(QStringLiteral("txtescala_%1").arg(k));
  t->hide();
  editor::colocar(t, editor::twips(txtescala_[0]));
  txtescala_[u(k)] = t;

  auto* separador = new QPushButton(frmzonas);
  separador->setObjectName(QStringLiteral("lnsepara_%1").arg(k));
  separador->hide();
  separador->setFocusPolicy(Qt::NoFocus);
  editor::colocar(separador, editor::twips(lnsepara_[0]));
  lnsepara_[u(k)] = separador;

  enganchar_limite(k);

  connect(combo, &QComboBox::activated, this, [this, k] { cmbpotencial_Click(k); });
  connect(boton, &QPushButton::clicked, this, [this, k] { btnzona_Click(k); });
  connect(dibujo, &plataforma::Lienzo::MouseMove, this,
          [this, k](int b, int s, double x, double y) { pctzona_MouseMove(k, b, s, x, y); });
}

void frmdatos::destruir_elemento(int k) {
  auto quitar = [](auto& elementos, int i) {
    delete elementos[u(i)];
    elementos[u(i)] = nullptr;
  };
  quitar(pctzona_, k);
  quitar(lblintervalo_, k);
  quitar(cmbpotencial_, k);
  quitar(btnzona_, k);
  quitar(txtescala_, k);
  quitar(lnsepara_, k);
}

namespace {

// Widens a control on screen about its centre when it is narrower than
// `necesario` pixels.
void ensanchar(QWidget* control, int necesario) {
  QRect g = control->geometry();
  if (necesario <= g.width()) return;
  const int centro = g.left() + g.width() / 2;
  g.setLeft(centro - necesario / 2);
  g.setWidth(necesario);
  control->setGeometry(g);
}

// The width an edit box needs to show its whole text: the text, the
// style's frame, the box's own margins on both sides and the cursor.
int ancho_para_su_texto(const QLineEdit* caja) {
  const int marco = caja->hasFrame() ? caja->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, caja) : 0;
  const QMargins margenes = caja->textMargins();
  constexpr int margen_interior = 2;  // QLineEdit's horizontal margin on each side
  constexpr int cursor = 1;
  return caja->fontMetrics().horizontalAdvance(caja->text()) + 2 * (marco + margen_interior) + margenes.left() +
         margenes.right() + cursor + 1;  // and a pixel for the glyphs' overhang
}

}  // namespace

void frmdatos::ajustar_etiqueta(QLabel* etiqueta) {
  editor::colocar(etiqueta, editor::twips(etiqueta));
  ensanchar(etiqueta, etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) + 4);
}

// ---- load and the initial problem ---------------------------------------------------

void frmdatos::Form_Load() {
  setWindowTitle(texto(90));
  frmdatosgeneral->setTitle(texto(91));
  Lbltitulo->setText(texto(92) + ":");
  lblmasa->setText(texto(93) + ":");
  lblfb->setText(texto(48) + ":");
  lblpuntos->setText(texto(94) + ":");
  frmzonas->setTitle(texto(95));
  lblzonas->setText(texto(96) + ":");
  btnzona_[0]->setText(texto(90));

  borde_izquierdo = 500;
  borde_derecho = static_cast<int>(std::lround(editor::Width(frmzonas))) - 500;
  datos_iniciales();

  marcar_modificado();
}

void frmdatos::datos_iniciales() {
  borra_datos();
  txttitulo->setText("");
  txtfb->setText("10");
  txtmasa->setText("1.000");
  txtpuntos->setText("1001");
  txtzonas->setText("1");
  nzonas = 1;
  // Writing the count stopped the spinner (its step is 0 after every change
  // of the count): the first press must move it.
  udzonas->Increment = 1;

  plataforma::Lienzo* dibujo = pctzona_[0];
  editor::colocar(dibujo, borde_izquierdo, fila_dibujo.top, borde_derecho - borde_izquierdo, fila_dibujo.height);
  // A user scale from 0 down to -10 (values grow upward); across, the
  // picture's own width in twips.
  dibujo->setScaleTop(0);
  dibujo->setScaleHeight(-10);

  QLabel* inicio = lblintervalo_[0];
  QLabel* fin = lblintervalo_[10];
  inicio->setText("0.000");
  fin->setText("10.000");
  editor::setLeft(inicio, editor::Left(dibujo) - editor::Width(inicio) / 2);
  editor::setLeft(fin, editor::Left(dibujo) + editor::Width(dibujo) - editor::Width(fin) / 2);
  ajustar_etiqueta(inicio);
  ajustar_etiqueta(fin);

  global::tzona& z = zona(0);
  z.xini = 0;
  z.xfin = 10;
  z.tipo = 0;
  for (int k = -6; k <= 6; ++k) z.coeficientes(k) = 0;
  z.nvertices = 2;
  z.vertices.redim_preserve(2);
  z.vertices(1) = {0, 0};
  z.vertices(2) = {10, 0};
  z.ncurva = 2;
  z.curva.redim_preserve(2);

  editor::setLeft(lnsepara_[0], borde_izquierdo - editor::Width(lnsepara_[0]) / 2);
  lnsepara_[0]->hide();

  QComboBox* combo = cmbpotencial_[0];
  combo->clear();
  for (int clave : {97, 98, 99, 100}) combo->addItem(texto(clave));
  fijar_ListIndex(0, 0);

  pinta_zonas();
}

void frmdatos::borra_datos() {
  for (global::tzona& z : zonas) {
    z.x0 = 0;
    for (int k = -6; k <= 6; ++k) z.coeficientes(k) = 0;
    z.xini = 0;
    z.xfin = 0;
    z.tipo = 0;
    for (int i = 1; i <= z.vertices.ubound(); ++i) z.vertices(i) = {};
    z.nvertices = 0;
    for (int i = 1; i <= z.curva.ubound(); ++i) z.curva(i) = {};
    z.ncurva = 0;
  }
}

// ---- general data ------------------------------------------------------------------

// The title takes only what the problem file holds as it stands: characters
// of Windows-1252 and no control characters (a line end would split its
// line). Any other text, typed, pasted or read from a file, gives way to the
// title before it, and the user is told why.
void frmdatos::txttitulo_Change() {
  const bool tecleado = std::exchange(titulo_tecleado_, false);
  const QString t = txttitulo->text();
  const bool admitido =
      plataforma::en_1252(t) && std::none_of(t.cbegin(), t.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
  if (!admitido) {
    {
      const QSignalBlocker sin_cambio(txttitulo);
      txttitulo->setText(titulo_vigente_);
    }
    if (tecleado) plataforma::MsgBox(idiomas::texto(224), plataforma::vbExclamation);
    return;
  }
  titulo_vigente_ = t;
  marcar_modificado();
}

// ---- the zone strip -------------------------------------------------------------------

double frmdatos::extremo(int Index) const {
  const double valor = extremos_.at(Index == 0 ? 0 : 1);
  const QString mostrado = lblintervalo_.at(u(Index))->text();
  return Format(valor, u"####0.000") == mostrado ? valor : Val(mostrado);
}

void frmdatos::fijar_extremo(int Index, double valor) {
  extremos_.at(Index == 0 ? 0 : 1) = valor;
  lblintervalo_.at(u(Index))->setText(Format(valor, u"####0.000"));
}

double frmdatos::interpola(double v, double a, double b, double c, double d) {
  return (v - a) * (d - c) / (b - a) + c;
}

void frmdatos::crear_zona() { anadir_zona(false); }

void frmdatos::anadir_zona(bool cortar_anterior) {
  const int n = nzonas;
  if (n < 1 || n > 10) return;
  if (pctzona_[u(n - 1)] == nullptr) crear_elemento(n - 1);

  global::tzona& nueva = zona(n - 1);
  const double fin = extremo(10);
  if (n > 1) {
    global::tzona& anterior = zona(n - 2);
    nueva.xini = mitad_de_la_ultima();
    nueva.xfin = fin;
    anterior.xfin = nueva.xini;
    if (cortar_anterior) cortar_en(anterior, nueva.xini);
  } else {
    nueva.xini = extremo(0);
    nueva.xfin = fin;
  }

  nueva.nvertices = 2;
  nueva.vertices.redim_preserve(2);
  nueva.vertices(1) = {nueva.xini, 0};
  nueva.vertices(2) = {nueva.xfin, 0};
  nueva.ncurva = 2;
  nueva.curva.redim_preserve(2);
  nueva.curva(1) = nueva.vertices(1);
  nueva.curva(2) = nueva.vertices(2);

  const int k = n - 1;
  pctzona_[u(k)]->show();
  lblintervalo_[u(k)]->show();
  cmbpotencial_[u(k)]->show();
  btnzona_[u(k)]->show();
  if (k > 0) lnsepara_[u(k)]->show();

  QComboBox* combo = cmbpotencial_[u(k)];
  combo->clear();
  for (int clave : {97, 98, 99, 100}) combo->addItem(texto(clave));
  fijar_ListIndex(k, 0);

  pinta_zonas();
}

double frmdatos::mitad_de_la_ultima() const {
  // The zone before the new one runs from its start to the box end.
  return (extremo(10) + zona(nzonas - 2).xini) / 2;
}

bool frmdatos::mitades_validas() const {
  const double m = mitad_de_la_ultima();
  return zona_valida(zona(nzonas - 2).xini, m) && zona_valida(m, extremo(10));
}

void frmdatos::borra_zona() {
  const int n = nzonas;
  if (n < 1 || n > 9 || pctzona_[u(n)] == nullptr) return;
  destruir_elemento(n);
  // The zone that takes the space moves its end vertices with its limits.
  if (n > 1) {
    zona(n - 1).xfin = extremo(10);
    fin_en(zona(n - 1), zona(n - 1).xfin);
  } else {
    zona(0).xini = extremo(0);
    zona(0).xfin = extremo(10);
    inicio_en(zona(0), zona(0).xini);
    fin_en(zona(0), zona(0).xfin);
  }
  zona(n).nvertices = 0;
  zona(n).ncurva = 0;
  pinta_zonas();
}

void frmdatos::pinta_zonas() {
  for (int k = nzonas - 1; k >= 0; --k) {
    plataforma::Lienzo* dibujo = pctzona_[u(k)];
    if (dibujo == nullptr) continue;
    dibujo->setBackColor(k % 2 == 0 ? fondo_par : fondo_impar);

    const double a = extremo(0);
    const double b = extremo(10);
    const double izquierda = interpola(zona(k).xini, a, b, borde_izquierdo, borde_derecho);
    const double ancho = k == nzonas - 1 || pctzona_[u(k + 1)] == nullptr
                             ? borde_derecho - izquierda
                             : editor::Left(pctzona_[u(k + 1)]) - izquierda;
    editor::colocar(dibujo, izquierda, editor::Top(dibujo), ancho, editor::Height(dibujo));

    QLabel* etiqueta = lblintervalo_[u(k)];
    etiqueta->setText(Format(zona(k).xini, u"####0.000"));
    editor::setLeft(etiqueta, izquierda - editor::Width(etiqueta) / 2);
    ajustar_etiqueta(etiqueta);

    editor::setLeft(lnsepara_[u(k)], izquierda - editor::Width(lnsepara_[u(k)]) / 2);

    QComboBox* combo = cmbpotencial_[u(k)];
    combo->hide();
    const double ancho_combo = ancho > ancho_maximo_combo ? ancho_maximo_combo : ancho;
    editor::colocar(combo, izquierda + ancho / 2 - ancho_combo / 2, editor::Top(combo), ancho_combo, editor::Height(combo));
    combo->show();

    QPushButton* boton = btnzona_[u(k)];
    boton->hide();
    editor::setLeft(boton, izquierda + ancho / 2 - editor::Width(boton) / 2);
    boton->show();
  }
  dibuja_potencial();
}

void frmdatos::fijar_ListIndex(int Index, int ListIndex) {
  QComboBox* combo = cmbpotencial_.at(u(Index));
  combo->setCurrentIndex(ListIndex);
  cmbpotencial_Click(Index);
}

void frmdatos::cmbpotencial_Click(int Index) {
  global::tzona& z = zona(Index);
  const std::int16_t antes = z.tipo;
  z.tipo = static_cast<std::int16_t>(cmbpotencial_.at(u(Index))->currentIndex());
  // A zone that becomes constant keeps only its two end points, at its V0,
  // so that its drawing shows what the problem file will hold.
  if (z.tipo == 0 && antes != 0) {
    z.nvertices = 2;
    z.vertices.redim_preserve(2);
    z.vertices(1) = {z.xini, z.coeficientes(0)};
    z.vertices(2) = {z.xfin, z.coeficientes(0)};
  }
  marcar_modificado();
}

void frmdatos::btnzona_Click(int Index) {
  setEnabled(false);
  global::zona_actual = static_cast<std::int16_t>(Index);
  editor::DialogoZona* dialogo = nullptr;
  int clave = 105;
  switch (cmbpotencial_.at(u(Index))->currentIndex()) {
    case 1: dialogo = &frmpoligonal::instancia(); clave = 106; break;
    case 2: dialogo = &frmvibracion::instancia(); clave = 107; break;
    case 3: dialogo = &frmpotencias::instancia(); clave = 108; break;
    default: dialogo = &frmconstante::instancia(); clave = 105; break;
  }
  dialogo->setWindowTitle("Zona " + QString::number(Index + 1) + ": " + texto(clave));
  dialogo->mostrar();
}

// ---- the zone-count spinner ---------------------------------------------------------

void frmdatos::txtzonas_Change() { udzonas->Increment = 0; }

void frmdatos::udzonas_MouseUp(int Button) {
  if (Button == 1) udzonas->Increment = 1;
}

void frmdatos::udzonas_Change() {
  nzonas = entero16(txtzonas->text());
  modificado_antes_ = global::modificado;
  marcar_modificado();
}

void frmdatos::udzonas_UpClick() {
  const int limite = udzonas->Max;
  if (Val(txtzonas->text()) == limite) {
    nzonas = static_cast<std::int16_t>(limite - 1);
    txtzonas->setText(QString::number(limite - 1));
    udzonas->Increment = 1;
    plataforma::MsgBox(texto(102) + " = " + QString::number(limite - 1), plataforma::vbInformation);
  } else if (nzonas >= 2 && nzonas <= 10 && !mitades_validas()) {
    // The count goes back and nothing has changed.
    nzonas = static_cast<std::int16_t>(nzonas - 1);
    txtzonas->setText(QString::number(nzonas));
    udzonas->Increment = 1;
    global::modificado = modificado_antes_;
    frmMain::instancia().cambia_titulo();
    plataforma::MsgBox(texto(218), plataforma::vbInformation);
    return;
  } else {
    // The user's zone is halved: its polygon is cut at the new limit.
    anadir_zona(true);
  }
  marcar_modificado();
}

void frmdatos::udzonas_DownClick() {
  if (Val(txtzonas->text()) == 0) {
    nzonas = 1;
    txtzonas->setText("1");
    udzonas->Increment = 1;
    plataforma::MsgBox(texto(101) + " = 1", plataforma::vbInformation);
  } else {
    borra_zona();
  }
  marcar_modificado();
}

// ---- the potential -----------------------------------------------------------------

void frmdatos::calcula_curvas() {
  for (int i = 0; i < nzonas; ++i) editor::calcula_curva(zona(i));
  editor::rango_vertical(nzonas, vmin, vmax);
}

void frmdatos::dibuja_potencial() {
  calcula_curvas();
  for (int i = 0; i < nzonas; ++i) {
    plataforma::Lienzo* dibujo = pctzona_[u(i)];
    if (dibujo == nullptr) continue;
    const global::tzona& z = zona(i);
    dibujo->setScaleTop(vmax);
    if (z.ncurva >= 1) dibujo->setScaleLeft(z.minimo_zona.x);
    if (std::fabs(vmax - vmin) > 0) dibujo->setScaleHeight(vmin - vmax);
    if (z.ncurva >= 1 && std::fabs(z.maximo_zona.x - z.minimo_zona.x) > 0)
      dibujo->setScaleWidth(z.maximo_zona.x - z.minimo_zona.x);
    dibujo->setForeColor(plataforma::QBColor(12));
    dibujo->setDrawWidth(2);
    dibujo->Cls();
    if (z.ncurva < 1) continue;  // a zone without a point to draw

    for (int j = 2; j <= z.ncurva; ++j) dibujo->Line(z.curva(j - 1).x, z.curva(j - 1).y, z.curva(j).x, z.curva(j).y);

    dibujo->setDrawWidth(3);
    const global::tvertice primero = z.curva(1);
    if (i == 0) {
      dibujo->Line(primero.x, dibujo->ScaleTop(), primero.x, primero.y);
    } else {
      const global::tzona& previa = zona(i - 1);
      if (previa.ncurva >= 1) dibujo->Line(primero.x, primero.y, primero.x, previa.curva(previa.ncurva).y);
    }
    if (i == nzonas - 1) {
      const global::tvertice ultimo = z.curva(z.ncurva);
      dibujo->Line(ultimo.x, dibujo->ScaleTop(), ultimo.x, ultimo.y);
    }
  }
}

void frmdatos::pctzona_MouseMove(int Index, int, int, double X, double Y) {
  plataforma::Lienzo* dibujo = pctzona_.at(u(Index));
  const QString consejo = "(" + Format(X, u"####0.000") + "," + Format(Y, u"####0.000") + ")";
  dibujo->setToolTip(consejo);
  // A tooltip already on show follows the pointer.
  if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), consejo, dibujo);
}

// ---- limits: typed over their labels, dragged by their separators ------------------

void frmdatos::enganchar_limite(int k) {
  QLabel* etiqueta = lblintervalo_.at(u(k));
  etiqueta->setToolTip("Click para cambiar");
  etiqueta->setCursor(cursor_limite());
  etiqueta->setProperty("indice", k);
  etiqueta->installEventFilter(this);

  QLineEdit* caja = txtescala_.at(u(k));
  caja->setProperty("indice", k);
  // The numeric idiom without the focus formatting; the change of a limit
  // counts only once it is applied. While the message of a number too long
  // for the file is shown, the box's leaving applies nothing.
  plataforma::ReglaNumerica regla{"", {"", "-"}, false};
  lineas_problema::limitar(regla, lineas_problema::limite, lineas_problema::Escrito::real);
  regla.rechazo = [this, caja, aviso = regla.rechazo] {
    aplicando_ = true;
    aviso();
    aplicando_ = false;
    caja->setFocus();
  };
  new plataforma::CajaNumerica(caja, regla, textoanterior);
  caja->installEventFilter(this);  // after the idiom's, so it sees Enter first

  if (k >= 1 && k <= 9) {
    QPushButton* separador = lnsepara_.at(u(k));
    separador->setProperty("indice", k);
    // Movements without a button also name the separator under the mouse.
    separador->setMouseTracking(true);
    separador->installEventFilter(this);
  }
}

bool frmdatos::eventFilter(QObject* objeto, QEvent* evento) {
  const QVariant indice = objeto->property("indice");
  if (!indice.isValid()) return QWidget::eventFilter(objeto, evento);
  const int k = indice.toInt();
  if (objeto == lblintervalo_.at(u(k))) {
    if (evento->type() == QEvent::MouseButtonDblClick) {
      lblintervalo_DblClick(k);
      return true;
    }
  } else if (objeto == txtescala_.at(u(k))) {
    if (evento->type() == QEvent::KeyPress) {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        txtescala_LostFocus(k);
        return true;
      }
    } else if (evento->type() == QEvent::FocusOut) {
      txtescala_LostFocus(k);
    }
  } else if (k >= 1 && k <= 9 && objeto == lnsepara_.at(u(k))) {
    switch (evento->type()) {
      case QEvent::MouseMove: {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        lnsepara_MouseMove(k, (raton->buttons() & Qt::LeftButton) ? 1 : 0, raton->globalPosition().toPoint());
        break;
      }
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) arrastrando_ = false;
        break;
      default: break;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void frmdatos::lblintervalo_DblClick(int Index) {
  QLabel* etiqueta = lblintervalo_.at(u(Index));
  QLineEdit* caja = txtescala_.at(u(Index));
  // The label stands wider on screen than its design width when its text
  // needs the room: the box covers it as shown.
  editor::colocar(caja, editor::twips_mostrados(etiqueta));
  // The box holds the limit itself while the user leaves its text as shown.
  const double limite = Index == 0 || Index == 10 ? extremo(Index)
                        : Index < nzonas          ? zona(Index).xini
                                                  : Val(etiqueta->text());
  const QString mostrado = etiqueta->text();
  editor::mostrar_valor(caja, Format(limite, u"####0.000") == mostrado ? limite : Val(mostrado), mostrado);
  ensanchar(caja, ancho_para_su_texto(caja));
  caja->show();
  caja->raise();
  caja->setFocus();
  caja->selectAll();
}

void frmdatos::txtescala_LostFocus(int Index) {
  QLineEdit* caja = txtescala_.at(u(Index));
  // A box already applied, or the focus leaving for the refusal's message.
  if (caja == nullptr || caja->isHidden() || aplicando_) return;
  const QString T = caja->text();
  if (T.isEmpty() || T == "-") return;
  const double v = editor::valor_de(caja);
  // The neighbours are checked against the value the file will hold, so
  // that no zone is written with a length of 0.
  const double escrito = como_se_escribe(v);
  const int i = Index;
  const int siguiente = i + 1 == nzonas ? 10 : i + 1;

  aplicando_ = true;
  auto rechazar = [&](int clave) {
    plataforma::MsgBox(texto(clave), plataforma::vbOKOnly);
    caja->setFocus();
    aplicando_ = false;
  };
  auto limite = [this](int k) {
    QLabel* l = lblintervalo_.at(u(k));
    return l == nullptr ? 0.0 : Val(l->text());
  };

  if (i > 0 && i < 10) {
    if (limite(i - 1) >= escrito) return rechazar(104);
    if (limite(siguiente) <= escrito) return rechazar(103);
    lblintervalo_.at(u(i))->setText(Format(v, u"####0.000"));
    zona(i).xini = v;
    inicio_en(zona(i), v);
    zona(i - 1).xfin = v;
    fin_en(zona(i - 1), v);
  } else if (i == 10) {
    if (limite(nzonas - 1) >= escrito) return rechazar(104);
    fijar_extremo(10, v);
    zona(nzonas - 1).xfin = v;
    fin_en(zona(nzonas - 1), v);
  } else {
    if (limite(siguiente) <= escrito) return rechazar(103);
    fijar_extremo(0, v);
    zona(0).xini = v;
    inicio_en(zona(0), v);
  }
  caja->hide();
  aplicando_ = false;
  pinta_zonas();
  marcar_modificado();
}

void frmdatos::lnsepara_MouseMove(int Index, int Button, QPoint pantalla) {
  // A drag lasts while the left button is held: a move without it means
  // the release went elsewhere (to a message box opened meanwhile), and
  // the drag ends as the release would have ended it.
  if (arrastrando_ && Button != 1) arrastrando_ = false;
  if (arrastrando_) {
    arrastre(pantalla);
    return;
  }
  separador_activo = static_cast<std::int16_t>(Index);
  posicion_cursor = pantalla;
  if (Button == 1) {
    arrastrando_ = true;
    // The problem counts as modified as soon as a drag begins.
    marcar_modificado();
    arrastre(pantalla);
  }
}

void frmdatos::arrastre(QPoint pantalla) {
  const QPoint local = frmzonas->mapFromGlobal(pantalla);
  if (!frmzonas->rect().contains(local)) return;
  QWidget* debajo = frmzonas->childAt(local);
  if (debajo == nullptr) {
    frmzonas_DragOver(plataforma::twips_x(local.x()), pantalla);
    return;
  }
  for (QPushButton* separador : lnsepara_)
    if (separador != nullptr && debajo == separador) {
      lnsepara_DragOver(pantalla);
      return;
    }
}

void frmdatos::lnsepara_DragOver(QPoint pantalla) { QCursor::setPos(pantalla.x(), posicion_cursor.y()); }

void frmdatos::frmzonas_DragOver(double X, QPoint pantalla) {
  const int k = separador_activo;
  if (k < 1 || k >= nzonas) return;
  QPushButton* separador = lnsepara_.at(u(k));
  const double inicio = extremo(0);
  const double fin = extremo(10);
  double v = interpola(X, borde_izquierdo, borde_derecho, inicio, fin);
  global::tzona& previa = zona(k - 1);
  global::tzona& actual = zona(k);
  int x = ultima_x;
  // Both zones keep a length greater than 0 as the file writes them: past
  // either of their outer limits the limit stops at the nearest value that
  // keeps them so, and the pointer waits there.
  bool detenido = false;
  if (!zona_valida(previa.xini, v)) {
    v = como_se_escribe(como_se_escribe(previa.xini) + paso_del_fichero);
    detenido = true;
  } else if (!zona_valida(v, actual.xfin)) {
    v = como_se_escribe(como_se_escribe(actual.xfin) - paso_del_fichero);
    detenido = true;
  }
  if (zona_valida(previa.xini, v) && zona_valida(v, actual.xfin)) {
    separador->setCursor(Qt::SizeHorCursor);
    actual.xini = v;
    previa.xfin = v;
    actual.vertices(1).x = v;
    previa.vertices(previa.nvertices).x = v;
    auto copiar_curva = [](global::tzona& z) {
      z.ncurva = z.nvertices;
      z.curva.redim_preserve(z.nvertices);
      for (int j = 1; j <= z.nvertices; ++j) z.curva(j) = z.vertices(j);
    };
    // A polygon keeps at least its two end vertices.
    if (previa.tipo == 1 && previa.nvertices > 2 && previa.vertices(previa.nvertices - 1).x >= v) {
      previa.vertices(previa.nvertices - 1).x = v;
      --previa.nvertices;
      previa.vertices.redim_preserve(previa.nvertices);
      copiar_curva(previa);
    }
    if (actual.tipo == 1 && actual.nvertices > 2 && actual.vertices(2).x <= v) {
      for (int j = 2; j < actual.nvertices; ++j) actual.vertices(j) = actual.vertices(j + 1);
      --actual.nvertices;
      actual.vertices.redim_preserve(actual.nvertices);
      copiar_curva(actual);
    }
    pinta_zonas();
    if (detenido) {
      const double X_limite = interpola(v, inicio, fin, borde_izquierdo, borde_derecho);
      x = frmzonas->mapToGlobal(QPoint(plataforma::pixeles_x(X_limite), 0)).x();
    } else {
      x = pantalla.x();
    }
    ultima_x = x;
  } else {
    separador->setCursor(Qt::ForbiddenCursor);
  }
  QCursor::setPos(x, posicion_cursor.y());
}
