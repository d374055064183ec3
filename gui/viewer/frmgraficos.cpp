#include "viewer/frmgraficos.hpp"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <exception>

#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/imagenes.hpp"
#include "frame/imprimir.hpp"
#include "platform/escritorio.hpp"
#include "platform/impresora.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/pulsar.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"
#include "viewer/curvas_lienzo.hpp"
#include "viewer/graficos.hpp"

using plataforma::colocar;
using plataforma::QBColor;
using plataforma::twips_x;
using plataforma::twips_y;

namespace {

frmgraficos* instancia_ = nullptr;

// Place and size of a control in twips within its container.
double izq(const QWidget* w) { return twips_x(w->x()); }
double arr(const QWidget* w) { return twips_y(w->y()); }
double ancho(const QWidget* w) { return twips_x(w->width()); }
double alto(const QWidget* w) { return twips_y(w->height()); }

// Design sizes, in twips.
constexpr double ancho_boton = 1095;
constexpr double alto_boton = 285;
constexpr double ancho_escala = 525;
constexpr double alto_escala = 225;
constexpr double margen_superior = 120;  // the frame's top in the window
constexpr double lado_logo = 480;

// A step of a drawing pass: a failure inside it is ignored and the pass goes on.
template <class F>
void paso(F&& f) {
  try {
    f();
  } catch (const std::exception&) {
  }
}

// The plain number-to-text conversion: up to 15 significant digits.
QString texto_numero(double v) { return QString::number(v, 'g', 15).toUpper(); }

QString formato_escala(double v) { return plataforma::Format(v, u"####0.0000"); }

bool igual(const std::array<global::tvertice, 2>& a, const std::array<global::tvertice, 2>& b) {
  return a[0].x == b[0].x && a[0].y == b[0].y && a[1].x == b[1].x && a[1].y == b[1].y;
}

}  // namespace

// ---- the frame's tick marks ---------------------------------------------------------

void MarcoGrafico::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(Qt::black);
  for (const auto* lineas : {&Lineh, &Linev})
    for (const Linea& l : *lineas)
      p.drawLine(QPointF(l.X1 / plataforma::twips_por_pixel_x(), l.Y1 / plataforma::twips_por_pixel_y()),
                 QPointF(l.X2 / plataforma::twips_por_pixel_x(), l.Y2 / plataforma::twips_por_pixel_y()));
}

// ---- the single instance --------------------------------------------------------------

frmgraficos& frmgraficos::instancia() {
  if (instancia_ == nullptr) {
    auto* f = new frmgraficos();
    instancia_ = f;
    f->Form_Load();
    // A load that failed has closed the window again; the caller still holds
    // a live object until the event loop deletes it.
    return *f;
  }
  return *instancia_;
}

bool frmgraficos::cargado() { return instancia_ != nullptr; }

void frmgraficos::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

// A window of the main window: it stays in front of it. It has no minimise
// button: the window manager minimises an owned window with its owner.
frmgraficos::frmgraficos()
    : QWidget(frmMain::cargado() ? &frmMain::instancia() : nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                  Qt::WindowCloseButtonHint) {
  setObjectName("frmgraficos");
  // The main window may take it with it when it goes.
  frmgraficos* const yo = this;
  connect(this, &QObject::destroyed, [yo] {
    if (instancia_ == yo) instancia_ = nullptr;
  });
  setWindowIcon(QIcon(imagen_emblema(64)));
  crear_controles();
  // Large enough for the minimum size the layout keeps, centred on the screen.
  if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
    const QRect s = pantalla->availableGeometry();
    const QSize tam(qRound(s.width() * 0.75), qRound(s.height() * 0.85));
    setGeometry(QRect(QPoint(s.x() + (s.width() - tam.width()) / 2, s.y() + (s.height() - tam.height()) / 2), tam));
  }
}

void frmgraficos::crear_controles() {
  auto boton = [this](const char* nombre, void (frmgraficos::*manejador)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(nombre);
    colocar(b, 0, 0, ancho_boton, alto_boton);
    connect(b, &QPushButton::clicked, this, [this, manejador] { (this->*manejador)(); });
    return b;
  };
  btclipb = boton("btclipb", &frmgraficos::btclipb_Click);
  btprint = boton("btprint", &frmgraficos::btprint_Click);
  btdaceptar = boton("btdaceptar", &frmgraficos::btdaceptar_Click);

  pctgraficas = new plataforma::Lienzo(this);
  pctgraficas->setObjectName("pctgraficas");
  pctgraficas->setBorderStyle(0);
  pctgraficas->hide();

  frmgrafico = new MarcoGrafico(this);
  frmgrafico->setObjectName("frmgrafico");

  pctgrafico = new plataforma::Lienzo(frmgrafico);
  pctgrafico->setObjectName("pctgrafico");
  pctgrafico->setBackColor(Qt::white);
  pctgrafico->setFocusPolicy(Qt::ClickFocus);
  connect(pctgrafico, &plataforma::Lienzo::MouseDown, this, &frmgraficos::pctgrafico_MouseDown);
  connect(pctgrafico, &plataforma::Lienzo::MouseMove, this, &frmgraficos::pctgrafico_MouseMove);
  connect(pctgrafico, &plataforma::Lienzo::MouseUp, this, &frmgraficos::pctgrafico_MouseUp);
  connect(pctgrafico, &plataforma::Lienzo::DragDrop, this, &frmgraficos::pctgrafico_DragDrop);

  QFont pequena = font();
  pequena.setPointSizeF(8);
  pctgraficas->setFontText(font());

  auto etiqueta = [](QWidget* padre, const char* nombre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    return l;
  };
  lbx = etiqueta(frmgrafico, "lbx");
  lby = etiqueta(frmgrafico, "lby");
  lbcomentario = etiqueta(this, "lbcomentario");

  for (int k = 1; k <= 4; ++k) {
    QLabel* l = etiqueta(frmgrafico, "");
    l->setObjectName(QStringLiteral("leyescala_%1").arg(k));
    l->setFont(pequena);
    l->setAlignment((k <= 2 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    l->setToolTip(QStringLiteral("Doble Click para cambiar la escala"));
    colocar(l, 0, 0, ancho_escala, alto_escala);
    l->installEventFilter(this);
    escalas_[static_cast<std::size_t>(k - 1)] = l;

    auto* t = new QLineEdit(frmgrafico);
    t->setObjectName(QStringLiteral("txtescala_%1").arg(k));
    t->setFont(pequena);
    t->setFrame(false);
    t->hide();
    t->installEventFilter(this);
    connect(t, &QLineEdit::textChanged, this, [this, k] { txtescala_Change(k); });
    editores_[static_cast<std::size_t>(k - 1)] = t;
  }

  Image1 = etiqueta(this, "Image1");
  Image1->setPixmap(imagen_emblema(plataforma::pixeles_x(lado_logo)));
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->setToolTip(frmAbout::direccion_web().toString());
  colocar(Image1, 0, 0, lado_logo, lado_logo);
  plataforma::al_pulsar(Image1, [this] { Image1_Click(); });

  nueva_leyenda();  // element 1 exists from the start
}

QLabel* frmgraficos::nueva_leyenda() {
  auto* l = new QLabel(pctgrafico);
  const int indice = lbleyenda_Count() + 1;
  l->setObjectName(QStringLiteral("lbleyenda_%1").arg(indice));
  l->hide();
  plataforma::arrastre_automatico(l);
  // Installed after the drag filter, so that it sees the mouse first.
  l->installEventFilter(this);
  leyendas_.push_back(l);
  return l;
}

QLabel* frmgraficos::lbleyenda(int Index) const { return leyendas_.at(static_cast<std::size_t>(Index - 1)); }
QLabel* frmgraficos::leyescala(int Index) const { return escalas_.at(static_cast<std::size_t>(Index - 1)); }
QLineEdit* frmgraficos::txtescala(int Index) const { return editores_.at(static_cast<std::size_t>(Index - 1)); }
Linea& frmgraficos::Lineh(int Index) { return frmgrafico->Lineh.at(static_cast<std::size_t>(Index)); }
Linea& frmgraficos::Linev(int Index) { return frmgrafico->Linev.at(static_cast<std::size_t>(Index)); }

void frmgraficos::Show() {
  if (cerrando_) return;
  show();
  raise();
  activateWindow();
}

void frmgraficos::Unload() { close(); }

void frmgraficos::muestra_acerca() { frmAbout::instancia().Show(); }

// ---- load, resize, unload ----------------------------------------------------------------

void frmgraficos::Form_Load() {
  using idiomas::texto;
  setWindowTitle(texto(120));
  btclipb->setText(texto(122));
  btprint->setText(texto(10));
  btdaceptar->setText(texto(11));
  graficos::titulo_grafico = texto(121);
  if (!leefichero()) {
    close();
    return;
  }
  actualiza();
}

void frmgraficos::resizeEvent(QResizeEvent*) { Form_Resize(); }

// The layout works from the outer size, which changes without a resize of
// the inside when the window manager puts its frame around the window (it
// is known by the first paint): the window lays out again then.
bool frmgraficos::event(QEvent* evento) {
  const bool resultado = QWidget::event(evento);
  const auto tipo = evento->type();
  if ((tipo == QEvent::Paint || tipo == QEvent::Move || tipo == QEvent::WindowActivate) && !cerrando_ &&
      frameGeometry().size() != exterior_)
    QTimer::singleShot(0, this, [this] {
      if (frameGeometry().size() != exterior_) Form_Resize();
    });
  return resultado;
}

void frmgraficos::Form_Resize() {
  if (cerrando_ || isMinimized()) return;
  coloca_controles();
  if (escala()) dibuja();
}

bool frmgraficos::escala() {
  using graficos::maximo;
  using graficos::minimo;
  // Its message is modal and the window still resizes while it is shown: a
  // resize then only lays out, and the view is checked again (and the graph
  // drawn) on the next one.
  if (comprobando_escala_) return false;
  // A view already refused, with none in force to go back to, is not
  // reported again.
  if (rechazada_ && igual(*rechazada_, {minimo, maximo})) return false;
  comprobando_escala_ = true;
  bool aceptada = graficos::escala_grafico(minimo, maximo);
  if (!aceptada) {
    tras_una_caja();
    // The scale was not changed: the view in force comes back, and the
    // corner labels show it again.
    if (en_vigor_) {
      minimo = (*en_vigor_)[0];
      maximo = (*en_vigor_)[1];
      aceptada = graficos::escala_grafico(minimo, maximo);
    } else {
      rechazada_ = Vista{minimo, maximo};
    }
  }
  comprobando_escala_ = false;
  if (aceptada) {
    en_vigor_ = Vista{minimo, maximo};
    rechazada_.reset();
  }
  return aceptada;
}

void frmgraficos::tras_una_caja() {
  // A press on the plot that took the focus from a corner editor is
  // delivered after the message its leaving opened; its release went to the
  // message, so it starts no zoom.
  caja_mostrada_ = true;
  QTimer::singleShot(0, this, [this] { caja_mostrada_ = false; });
}

void frmgraficos::Form_Unload() {
  if (frmAbout::cargado()) frmAbout::instancia().close();
}

void frmgraficos::closeEvent(QCloseEvent* evento) {
  Form_Unload();
  evento->accept();
  cerrando_ = true;
  if (instancia_ == this) instancia_ = nullptr;
  deleteLater();
}

void frmgraficos::fallo_grave(const QString& texto, const std::optional<QString>& titulo) {
  // From here on nothing redraws: the message is modal, and events that come
  // while it is shown must not start another pass.
  cerrando_ = true;
  plataforma::MsgBox(texto, plataforma::vbCritical, titulo);
  close();
}

void frmgraficos::btdaceptar_Click() { Unload(); }

void frmgraficos::Image1_Click() { plataforma::abrir_direccion(frmAbout::direccion_web()); }

// ---- caption and layout ------------------------------------------------------------------

void frmgraficos::cambia_titulo_grafico() {
  using graficos::fichero_grafico;
  using graficos::nombre_grafico;
  if (fichero_grafico.isEmpty()) {
    nombre_grafico = QStringLiteral("(Sin Título)");
  } else {
    const qsizetype p = fichero_grafico.lastIndexOf('/');
    if (p >= 0) nombre_grafico = fichero_grafico.mid(p + 1);
  }
  setWindowTitle(graficos::titulo_grafico + "-" + nombre_grafico);
}

void frmgraficos::leyescala_Caption(int Index, const QString& texto) {
  QLabel* l = leyescala(Index);
  l->setText(texto);
  if (Index <= 2) return;
  const double centro = izq(l) + ancho(l) / 2;
  const double necesario = twips_x(l->sizeHint().width());
  const double nuevo = std::max(ancho_escala, necesario);
  if (nuevo != ancho(l)) colocar(l, centro - nuevo / 2, arr(l), nuevo, alto(l));
}

void frmgraficos::coloca_controles() {
  using namespace graficos;
  const QRect exterior = frameGeometry();
  exterior_ = exterior.size();
  const double W = twips_x(exterior.width());
  const double H = twips_y(exterior.height());
  const QScreen* pantalla = screen();
  const QRect s = pantalla != nullptr ? pantalla->geometry() : QRect(0, 0, 800, 600);
  const double pantalla_alto = twips_y(s.height());
  const double pantalla_ancho = twips_x(s.width());
  const int marco_alto = exterior.height() - height();
  const int marco_ancho = exterior.width() - width();

  // Minimum height, then minimum width: the window grows back to it (whole
  // pixels, rounded up, so that it is not short of it again), the pointer
  // follows the edge, and the resize that follows lays out again.
  if (static_cast<float>(0.8 * pantalla_alto) > H) {
    const int x = QCursor::pos().x();
    const double nuevo = static_cast<float>(0.8 * pantalla_alto);
    resize(width(), static_cast<int>(std::ceil(nuevo / plataforma::twips_por_pixel_y())) - marco_alto);
    QCursor::setPos(x, static_cast<int>(std::lround((twips_y(exterior.y()) + nuevo) / plataforma::twips_por_pixel_y())));
    return;
  }
  if (static_cast<float>(0.7 * pantalla_ancho) > W) {
    const int y = QCursor::pos().y();
    const double nuevo = static_cast<float>(0.7 * pantalla_ancho);
    resize(static_cast<int>(std::ceil(nuevo / plataforma::twips_por_pixel_x())) - marco_ancho, height());
    QCursor::setPos(static_cast<int>(std::lround((twips_x(exterior.x()) + nuevo) / plataforma::twips_por_pixel_x())), y);
    return;
  }

  // Frame and plot.
  const double fH = 0.8 * H, fW = 0.95 * W;
  const double fL = (W - fW) / 2, fT = margen_superior;
  colocar(frmgrafico, fL, fT, fW, fH);
  const double pH = 0.8 * fH, pW = 0.85 * fW;
  const double pT = (fH - pH) / 3, pL = (fW - pW) * 3 / 4;
  colocar(pctgrafico, pL, pT, pW, pH);
  const double B = pT + pH;

  // Buttons, right-aligned under the frame.
  const double bL = fL + fW - ancho_boton;
  colocar(btclipb, bL, fT + fH + 25, ancho_boton, alto_boton);
  colocar(btprint, bL, arr(btclipb) + alto(btclipb) + 15, ancho_boton, alto_boton);
  colocar(btdaceptar, bL, arr(btprint) + alto(btprint) + 15, ancho_boton, alto_boton);

  lbcomentario->setText(comentario_grafico);
  lbcomentario->adjustSize();
  colocar(lbcomentario, (W - ancho(lbcomentario)) / 2, arr(btclipb), ancho(lbcomentario), alto(lbcomentario));
  colocar(Image1, fL, fT + fH, lado_logo, lado_logo);

  lby->setText(etiqueta_y);
  lby->adjustSize();
  colocar(lby, (pL - ancho(lby)) / 2, pH / 2, ancho(lby), alto(lby));
  lbx->setText(etiqueta_x);
  lbx->adjustSize();
  const double xT = B + (fH - B - alto(lbx)) / 2;
  colocar(lbx, pL + (pW - ancho(lbx)) / 2, xT, ancho(lbx), alto(lbx));

  // Corner labels, each with its editor over it.
  auto esquina = [this](int k, double left, double top, double width) {
    colocar(leyescala(k), left, top, width, alto(leyescala(k)));
    QLineEdit* t = txtescala(k);
    colocar(t, left, top, width, alto(t) > 0 ? alto(t) : alto_escala);
  };
  const double eH = alto(leyescala(1));
  esquina(1, 10, pT - eH / 2, 0.9 * pL);
  esquina(2, 10, B - alto(leyescala(2)) / 2, 0.9 * pL);
  for (int k : {3, 4}) {
    const double w = ancho(leyescala(k));
    const double top = B + (fH - B - alto(leyescala(k))) / 2;
    esquina(k, k == 3 ? pL - w / 2 : pL + pW - w / 2, top, w);
  }

  // Tick marks.
  for (int i = 0; i <= 10; ++i) {
    Linea& h = Lineh(i);
    h.X1 = 0.9 * pL + 40;
    h.X2 = pL + 40;
    h.Y1 = h.Y2 = i == 10 ? pT + pH - 20 : pT + i * pH / 10;
    Linea& v = Linev(i);
    v.X1 = v.X2 = i == 10 ? pL + pW - 20 : pL + i * pW / 10;
    v.Y1 = B;
    v.Y2 = xT - 250;
  }
  frmgrafico->update();

  leyescala_Caption(3, texto_numero(minimo.x));
  leyescala_Caption(2, texto_numero(minimo.y));
  leyescala_Caption(4, texto_numero(maximo.x));
  leyescala_Caption(1, texto_numero(maximo.y));

  // A provisional scale; the scale check that follows replaces it.
  pctgrafico->setScaleMode(0);
  pctgrafico->setScaleTop(maximo.y);
  pctgrafico->setScaleLeft(minimo.x);
  if (minimo.y - maximo.y != 0) pctgrafico->setScaleHeight(std::fabs(minimo.y - maximo.y));
  if (minimo.x - maximo.x != 0) pctgrafico->setScaleWidth(maximo.x - minimo.x);
}

// ---- drawing ------------------------------------------------------------------------------

void frmgraficos::actualiza() {
  using namespace graficos;
  for (int i = 1; i <= num_curvas; ++i) {
    tcurva& c = curvas(i);
    if (!c.activa) continue;
    global::extremos(c.npuntos, c.puntos, c.minimo_curva, c.maximo_curva);
    if (i == 1) {
      minimo_datos = c.minimo_curva;
      maximo_datos = c.maximo_curva;
      continue;
    }
    minimo_datos.x = std::min(minimo_datos.x, c.minimo_curva.x);
    minimo_datos.y = std::min(minimo_datos.y, c.minimo_curva.y);
    maximo_datos.x = std::max(maximo_datos.x, c.maximo_curva.x);
    maximo_datos.y = std::max(maximo_datos.y, c.maximo_curva.y);
  }
  if (num_curvas > 0) {
    minimo = minimo_datos;
    maximo = maximo_datos;
  }
  dibuja();
}

void frmgraficos::dibuja() {
  using namespace graficos;
  if (cerrando_) return;
  paso([this] { coloca_controles(); });
  if (!escala()) return;
  for (int i = 1; i <= num_curvas; ++i) {
    const tcurva& c = curvas(i);
    if (!c.activa) continue;
    switch (c.tipo) {
      case 0:
      case 1:
        paso([&] { dibuja_curva(c.marcas, c.tipo, c.npuntos, c.grosor, c.estilo_trazo, c.color, c.puntos); });
        break;
      case 2:
        paso([&] { dibuja_spline(*pctgrafico, c.marcas, c.npuntos, c.grosor, c.estilo_trazo, c.puntos, c.color); });
        break;
      case 3:
        paso([&] { dibuja_polinomio(*pctgrafico, c.marcas, c.npuntos, c.grosor, c.estilo_trazo, c.puntos, c.color); });
        break;
      case 4:
      case 5:
      case 6:  // least-squares fit in x, sine or cosine (basis tipo - 4)
        if (!(c.npuntos > c.parametro)) return fallo_grave(idiomas::texto(126), std::nullopt);
        paso([&] {
          dibuja_ajuste(*pctgrafico, static_cast<std::int16_t>(c.tipo - 4), c.parametro, c.marcas, c.npuntos,
                        c.grosor, c.estilo_trazo, c.puntos, c.color);
        });
        break;
      case 7:  // Fourier series
        if (!(c.npuntos / 2.0 >= c.parametro)) return fallo_grave(idiomas::texto(126), std::nullopt);
        paso([&] {
          dibuja_fourier(*pctgrafico, c.parametro, c.marcas, c.npuntos, c.grosor, c.estilo_trazo, c.puntos, c.color);
        });
        break;
      default: break;
    }
    paso([&] { posiciona_leyenda(i); });
  }
}

void frmgraficos::posiciona_leyenda(int i) {
  using namespace graficos;
  const tcurva& c = curvas(i);
  QLabel* l = lbleyenda(i);
  l->setText(c.leyenda);
  l->adjustSize();
  QPalette colores = l->palette();
  colores.setColor(QPalette::WindowText, QBColor(c.color));
  l->setPalette(colores);
  pctgrafico->colocar_hijo(l, c.leyenda_x, c.leyenda_y);
  if (c.leyenda_x == 0 && c.leyenda_y == 0) {
    l->hide();
  } else if (c.leyenda_x == -1 && c.leyenda_y == -1) {
    l->show();
    // The top edge i label heights above the bottom edge of the view.
    pctgrafico->colocar_hijo(l, minimo.x, minimo.y + i * std::fabs(pctgrafico->Height(l)));
  } else {
    l->show();
  }
}

void frmgraficos::dibuja_curva(std::int16_t marcas, std::int16_t tipo, std::int16_t npuntos, std::int16_t grosor,
                               std::int16_t estilo_trazo, std::int32_t color, const global::lista_vertices& puntos) {
  plataforma::Lienzo& p = *pctgrafico;
  p.setForeColor(QBColor(color));
  p.setFillColor(QBColor(color));
  p.setFillStyle(0);
  p.setDrawWidth(grosor);
  p.setDrawStyle(estilo_trazo);
  const double r = grosor * 0.003 * p.ScaleWidth();
  if (marcas != 0) p.Circle(puntos(1).x, puntos(1).y, r);
  for (int j = 2; j <= npuntos; ++j) {
    if (tipo == 1) p.Line(puntos(j - 1).x, puntos(j - 1).y, puntos(j).x, puntos(j).y, QBColor(color));
    if (marcas != 0) p.Circle(puntos(j).x, puntos(j).y, r);
  }
  p.setFillStyle(1);
  p.setDrawWidth(1);
  p.setDrawStyle(0);
}

// ---- zoom, full view, coordinates ------------------------------------------------------------

void frmgraficos::pctgrafico_MouseDown(int Button, int, double X, double Y) {
  using namespace graficos;
  if (caja_mostrada_ || QApplication::activeModalWidget() != nullptr) return;
  pctgrafico->setDrawMode(plataforma::vbMergePenNot);
  if (Button == plataforma::vbLeftButton) {
    vista_anterior_ = {minimo, maximo};
    minimo = {X, Y};
    zoom_abierto_ = true;
  } else if (Button == plataforma::vbRightButton) {
    minimo = minimo_datos;
    maximo = maximo_datos;
  }
}

void frmgraficos::pctgrafico_MouseMove(int Button, int Shift, double X, double Y) {
  using graficos::minimo;
  // A move without a button while a zoom box is open: its release was lost
  // (a message box took it). The box ends as a release at its start would,
  // without width: the view stays as it was.
  if (zoom_abierto_ && Button == 0) pctgrafico_MouseUp(plataforma::vbLeftButton, Shift, minimo.x, minimo.y);
  if (Button == plataforma::vbLeftButton) {
    pctgrafico->setDrawStyle(2);
    const auto& r = recuadro_zoom;
    pctgrafico->Box(r[0], r[1], r[2], r[3], QBColor(1));  // takes the last box away
    pctgrafico->Box(minimo.x, minimo.y, X, Y, QBColor(1));
    recuadro_zoom = {minimo.x, minimo.y, X, Y};
  } else if (Button == plataforma::vbRightButton || Button == plataforma::vbMiddleButton) {
    // nothing
  } else {
    const QString texto = "(" + formato_escala(X) + "," + formato_escala(Y) + ")";
    pctgrafico->setToolTip(texto);
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), texto, pctgrafico);
  }
}

void frmgraficos::pctgrafico_MouseUp(int Button, int, double X, double Y) {
  using namespace graficos;
  if (Button == plataforma::vbLeftButton) {
    // Only the release of a press that started a box zooms.
    if (!zoom_abierto_) return;
    zoom_abierto_ = false;
    if (X <= minimo.x) {
      maximo.x = minimo.x;
      minimo.x = X;
    } else {
      maximo.x = X;
    }
    if (Y <= minimo.y) {
      maximo.y = minimo.y;
      minimo.y = Y;
    } else {
      maximo.y = Y;
    }
  }
  if (minimo.x != maximo.x && minimo.y != maximo.y) {
    pctgrafico->setDrawMode(plataforma::vbCopyPen);
    if (escala()) dibuja();
  } else if (Button == plataforma::vbLeftButton) {
    // A box without width or height zooms nothing: the view stays as it was,
    // so that the next redraw does not meet a view of zero extent, and the
    // pen that inverts is put away with the box.
    minimo = vista_anterior_[0];
    maximo = vista_anterior_[1];
    pctgrafico->setDrawMode(plataforma::vbCopyPen);
  }
}

// ---- legends ----------------------------------------------------------------------------------

void frmgraficos::lbleyenda_MouseMove(int Index, int, int, double X, double Y) {
  leyenda_indice = static_cast<std::int16_t>(Index);
  leyenda_dx = static_cast<std::int32_t>(std::nearbyint(X));
  leyenda_dy = static_cast<std::int32_t>(std::nearbyint(Y));
}

void frmgraficos::pctgrafico_DragDrop(QWidget*, double X, double Y) {
  if (leyenda_indice < 1 || leyenda_indice > lbleyenda_Count() || leyenda_indice > graficos::num_curvas) return;
  plataforma::Lienzo& p = *pctgrafico;
  const double left = X - p.ScaleWidth() * leyenda_dx / p.Width();
  const double top = Y - p.ScaleHeight() * leyenda_dy / p.Height();
  p.colocar_hijo(lbleyenda(leyenda_indice), left, top);
  graficos::curvas(leyenda_indice).leyenda_x = left;
  graficos::curvas(leyenda_indice).leyenda_y = top;
}

// ---- scale editing -------------------------------------------------------------------------------

void frmgraficos::leyescala_DblClick(int Index) {
  QLabel* l = leyescala(Index);
  QLineEdit* t = txtescala(Index);
  t->setGeometry(l->geometry());
  t->setText(l->text());
  t->show();
  t->raise();
  t->setFocus();
}

void frmgraficos::txtescala_GotFocus(int Index) { txtescala(Index)->selectAll(); }

void frmgraficos::txtescala_KeyPress(int Index, int& KeyAscii) {
  if (KeyAscii == 13) {
    aceptar_escala(Index);
    KeyAscii = 0;
    return;
  }
  graficos::textoanterior = txtescala(Index)->text();
}

void frmgraficos::txtescala_Change(int Index) {
  QLineEdit* t = txtescala(Index);
  const QString texto = t->text();
  if (texto.isEmpty() || texto == "-") return;
  if (!plataforma::IsNumeric(texto)) t->setText(graficos::textoanterior);
}

void frmgraficos::txtescala_LostFocus(int Index) { aceptar_escala(Index); }

void frmgraficos::aceptar_escala(int Index) {
  using namespace graficos;
  QLineEdit* t = txtescala(Index);
  if (t->isHidden()) return;
  const QString texto = t->text();
  if (texto.isEmpty() || texto == "-") return;
  const double v = plataforma::Val(texto);
  // The opposite bound as the other corner label shows it.
  static constexpr int opuesta[] = {0, 2, 1, 4, 3};
  const double otra = plataforma::Val(leyescala(opuesta[Index])->text());
  const bool es_maximo = Index == 1 || Index == 4;
  if (es_maximo ? !(v > otra) : !(v < otra)) {
    plataforma::MsgBox(Index <= 2 ? QStringLiteral("El valor de Y máxima debe ser mayor que Y mínima")
                                  : QStringLiteral("El valor de X máximo debe ser mayor que X mínimo"));
    tras_una_caja();
    t->setFocus();
    return;
  }
  switch (Index) {
    case 1: maximo.y = v; break;
    case 2: minimo.y = v; break;
    case 3: minimo.x = v; break;
    default: maximo.x = v; break;
  }
  t->hide();
  Form_Resize();
}

// ---- events of the controls ---------------------------------------------------------------------

bool frmgraficos::eventFilter(QObject* objeto, QEvent* evento) {
  for (int k = 1; k <= 4; ++k) {
    if (objeto == leyescala(k) && evento->type() == QEvent::MouseButtonDblClick) {
      leyescala_DblClick(k);
      return true;
    }
    if (objeto != txtescala(k)) continue;
    QLineEdit* t = txtescala(k);
    switch (evento->type()) {
      case QEvent::KeyPress: {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        int ascii = 0;
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
          ascii = 13;
        else if (tecla->key() == Qt::Key_Backspace)
          ascii = 8;
        else if (!tecla->text().isEmpty())
          ascii = tecla->text().front().unicode();
        if (ascii == 0) return false;
        txtescala_KeyPress(k, ascii);
        return ascii == 0;
      }
      case QEvent::FocusIn:
        // The box's own handling first: a focus by the mouse would undo the selection.
        t->event(evento);
        txtescala_GotFocus(k);
        return true;
      case QEvent::FocusOut: {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        // Focus that goes to another window (a message box) is not lost to this one.
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) txtescala_LostFocus(k);
        return false;
      }
      default: return false;
    }
  }
  for (int i = 1; i <= lbleyenda_Count(); ++i) {
    if (objeto != lbleyenda(i)) continue;
    if (evento->type() != QEvent::MouseMove && evento->type() != QEvent::MouseButtonPress) return false;
    const auto* raton = static_cast<QMouseEvent*>(evento);
    // While the left button drags the label its own mouse moves are not reported.
    if ((evento->type() == QEvent::MouseMove && !(raton->buttons() & Qt::LeftButton)) ||
        evento->type() == QEvent::MouseButtonPress) {
      lbleyenda_MouseMove(i, static_cast<int>(raton->buttons()), 0, twips_x(qRound(raton->position().x())),
                          twips_y(qRound(raton->position().y())));
    }
    return false;
  }
  return QWidget::eventFilter(objeto, evento);
}

// ---- printing and the clipboard ----------------------------------------------------------------------

bool frmgraficos::componer() {
  plataforma::Lienzo& c = *pctgraficas;
  const double L = izq(pctgrafico), T = arr(pctgrafico), W = ancho(pctgrafico), H = alto(pctgrafico);
  const double FH = alto(frmgrafico), LH = alto(lbx);

  // The legends, on a copy of the plot's picture where they stand on
  // screen: cut at the plot's edges as the plot cuts them, and left out
  // when they stand outside it (their place lies outside a zoomed view).
  // They keep their place in the frame, and the curves move 10 twips right
  // and down with the plot's picture.
  QImage grafico = pctgrafico->Image();
  {
    const int b = pctgrafico->BorderStyle();
    const QPoint desplazamiento(b + plataforma::pixeles_x(10), b + plataforma::pixeles_y(10));
    QPainter pintor;
    for (int i = 1; i <= graficos::num_curvas && i <= lbleyenda_Count(); ++i) {
      const QLabel* l = lbleyenda(i);
      if (l->isHidden()) continue;
      const QRect caja(l->pos() - desplazamiento, l->size());
      if (!caja.intersects(grafico.rect())) continue;
      if (!pintor.isActive() && !pintor.begin(&grafico)) break;
      pintor.setFont(l->font());
      pintor.setPen(l->palette().color(QPalette::WindowText));
      pintor.drawText(QPointF(caja.left(), caja.top() + QFontMetricsF(l->font(), &grafico).ascent()), l->text());
    }
  }

  // The texts around the plot, where they stand in the frame.
  struct Texto {
    double x, y;
    QString texto;
  };
  std::vector<Texto> textos;
  const QColor tinta = leyescala(1)->palette().color(QPalette::WindowText);
  auto texto_de = [&](const QLabel* l) { textos.push_back({izq(l), arr(l), l->text()}); };
  for (int k : {1, 3, 2, 4}) texto_de(leyescala(k));
  texto_de(lbx);
  texto_de(lby);

  // The picture takes the frame's size, grown where a text stands out of the
  // frame (a long corner value at its left or right edge), so that no text
  // is cut; everything is drawn shifted by the growth at the left and top.
  double x0 = 0, y0 = 0, x1 = ancho(frmgrafico), y1 = FH;
  for (const Texto& t : textos) {
    x0 = std::min(x0, t.x);
    y0 = std::min(y0, t.y);
    x1 = std::max(x1, t.x + c.TextWidth(t.texto));
    y1 = std::max(y1, t.y + c.TextHeight(t.texto));
  }
  colocar(&c, izq(frmgrafico) + x0, arr(frmgrafico) + y0, x1 - x0, y1 - y0);
  // A picture the machine has no memory for.
  if (c.Image().isNull() || grafico.isNull()) {
    plataforma::MsgBox(idiomas::texto(258) + QStringLiteral("\n\n%1 x %2").arg(c.width()).arg(c.height()),
                       plataforma::vbCritical);
    return false;
  }
  c.Cls();
  const double dx = -x0, dy = -y0;

  c.CurrentX = L + dx;
  c.CurrentY = T + dy;
  c.PaintPicture(grafico, c.CurrentX + 10, c.CurrentY + 10);
  for (int i = 0; i <= 10; ++i) {
    c.Line(L - 100 + dx, T + i * H / 10 + dy, L + dx, T + i * H / 10 + dy, QBColor(0));
    c.Line(L + i * W / 10 + dx, T + H + dy, L + i * W / 10 + dx, T + H + (FH - T - H - LH) / 2 - 50 + dy, QBColor(0));
  }
  c.Box(L + dx, T + dy, L + W + dx, T + H + dy, QBColor(0));
  c.setForeColor(tinta);
  for (const Texto& t : textos) {
    c.CurrentX = t.x + dx;
    c.CurrentY = t.y + dy;
    c.Print(t.texto);
  }
  return true;
}

bool frmgraficos::printgraf() {
  if (!componer()) return false;
  plataforma::Impresora& impresora = plataforma::Printer();
  // The graph goes between the header, where the printer stands, and the
  // footer; a picture larger than that is scaled down to it, keeping its
  // proportions, so that nothing of it falls off the page.
  double arriba = impresora.CurrentY;
  double abajo = impresora.ScaleHeight() - imprimir::margen_inferior;
  if (abajo <= arriba) arriba = 0, abajo = impresora.ScaleHeight();
  const double w = pctgraficas->Width(), h = pctgraficas->Height();
  const double escala = std::min({1.0, impresora.ScaleWidth() / w, (abajo - arriba) / h});
  const double ancho = w * escala, alto = h * escala;
  // Centred on the page, moved down or up only as far as the header or the
  // footer asks.
  impresora.CurrentX = (impresora.ScaleWidth() - ancho) / 2;
  impresora.CurrentY = std::clamp((impresora.ScaleHeight() - alto) / 2, arriba, abajo - alto);
  impresora.PaintPicture(pctgraficas->Image(), impresora.CurrentX, impresora.CurrentY, ancho, alto);
  impresora.CurrentY = 9000;
  return true;
}

void frmgraficos::btclipb_Click() {
  if (!componer()) return;
  QClipboard* portapapeles = QGuiApplication::clipboard();
  portapapeles->clear();
  portapapeles->setImage(pctgraficas->Image());
}

void frmgraficos::btprint_Click() {
  imprimir::imprimir_texto(QString(), graficos::comentario_grafico,
                           idiomas::texto(113) + ": " + QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")), 6);
}
