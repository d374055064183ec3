#include "frame/frmMain.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <utility>

#include "editor/dialogo_zona.hpp"
#include "editor/frmdatos.hpp"
#include "frame/frmAbout.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/imagenes.hpp"
#include "frame/lineas_problema.hpp"
#include "frame/nombres_propios.hpp"
#include "frame/problema_texto.hpp"
#include "platform/ajustes.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/app.hpp"
#include "platform/ayuda.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/consola.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"

using namespace plataforma;

namespace {

frmMain* instancia_ = nullptr;

const QString seccion_ajustes = QStringLiteral("Settings");

// A menu click does not change the item's check mark by itself: the handler
// decides. Qt toggles a checkable action before it reports the click, so
// the toggle is undone first.
template <class F>
void al_elegir(QAction* item, F manejador) {
  QObject::connect(item, &QAction::triggered, item, [item, manejador](bool marcado) {
    if (item->isCheckable()) item->setChecked(!marcado);
    manejador();
  });
}

// A stored placement value, or the default when it is missing or not a
// number a window can take.
double ajuste_numerico(const QString& clave, double por_defecto) {
  const QString texto = GetSetting(App::Title, seccion_ajustes, clave, QString::number(por_defecto));
  if (!IsNumeric(texto)) return por_defecto;
  const double valor = Val(texto);
  return std::abs(valor) <= 1.0e8 ? valor : por_defecto;
}

// The toolbar from the keyboard: Run, Results and Graph have no menu item.
// F6 takes the focus from the active window to the first enabled button and
// back; on a button, Left and Right go along the bar, Return, Enter and Space
// press it, and Escape goes back to the window.
class TecladoBarra : public QObject {
 public:
  TecladoBarra(QMainWindow* ventana, QToolBar* barra, QMdiArea* area)
      : QObject(ventana), barra_(barra), area_(area) {
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), ventana);
    connect(f6, &QShortcut::activated, this, [this] {
      if (en_la_barra()) volver();
      else entrar();
    });
  }

  bool eventFilter(QObject* objeto, QEvent* evento) override {
    auto* boton = qobject_cast<QAbstractButton*>(objeto);
    if (evento->type() != QEvent::KeyPress || boton == nullptr) return QObject::eventFilter(objeto, evento);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if ((tecla->modifiers() & ~Qt::KeypadModifier) != 0) return QObject::eventFilter(objeto, evento);
    switch (tecla->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (!tecla->isAutoRepeat()) boton->click();
        return true;
      case Qt::Key_Left: mover(boton, -1); return true;
      case Qt::Key_Right: mover(boton, +1); return true;
      case Qt::Key_Escape: volver(); return true;
      default: return QObject::eventFilter(objeto, evento);
    }
  }

 private:
  // The bar's buttons that can take the focus now, in their order.
  QList<QWidget*> botones() const {
    QList<QWidget*> lista;
    if (!barra_->isVisible()) return lista;
    for (QAction* a : barra_->actions()) {
      QWidget* w = a->isSeparator() ? nullptr : barra_->widgetForAction(a);
      if (w != nullptr && w->isEnabled() && w->isVisible()) lista.append(w);
    }
    return lista;
  }
  bool en_la_barra() const {
    QWidget* foco = QApplication::focusWidget();
    return foco != nullptr && barra_->isAncestorOf(foco);
  }
  void entrar() {
    const QList<QWidget*> lista = botones();
    if (!lista.isEmpty()) lista.first()->setFocus(Qt::ShortcutFocusReason);
  }
  void volver() {
    if (QMdiSubWindow* s = area_->activeSubWindow()) {
      s->setFocus(Qt::ShortcutFocusReason);
    } else if (QWidget* foco = QApplication::focusWidget(); foco != nullptr && barra_->isAncestorOf(foco)) {
      foco->clearFocus();
    }
  }
  void mover(QWidget* desde, int paso) {
    const QList<QWidget*> lista = botones();
    const qsizetype i = lista.indexOf(desde);
    if (i < 0) return;
    const qsizetype n = lista.size();
    lista.at((i + paso + n) % n)->setFocus(Qt::TabFocusReason);
  }

  QToolBar* barra_;
  QMdiArea* area_;
};

// The menu bar from the keyboard, as the target platform offers it whatever
// the captions: F10, or a press of Alt alone (no other key or click between
// its press and its release), opens the first menu of the window's bar while
// the window is the active one; the arrows go on from there. Pressed again
// while a menu is open, either closes it.
class TecladoMenu : public QObject {
 public:
  explicit TecladoMenu(QMainWindow* ventana) : QObject(ventana), ventana_(ventana) {}

  bool eventFilter(QObject* objeto, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::KeyPress: {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->isAutoRepeat()) break;
        // An unhandled key goes on to the parent widgets: each of them
        // passes here with the same key.
        if (tecla->key() == Qt::Key_Alt && (tecla->modifiers() & ~Qt::AltModifier) == 0) {
          // With a menu open, Alt closes it at once; its release then does nothing.
          if (menu_abierto()) {
            alt_solo_ = false;
            alternar();
            return true;
          }
          alt_solo_ = true;
          break;
        }
        alt_solo_ = false;
        if (tecla->key() == Qt::Key_F10 && tecla->modifiers() == Qt::NoModifier && alternar()) return true;
        break;
      }
      case QEvent::KeyRelease: {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->isAutoRepeat() || tecla->key() != Qt::Key_Alt) break;
        const bool solo = std::exchange(alt_solo_, false);
        if (solo && alternar()) return true;
        break;
      }
      case QEvent::MouseButtonPress:
      case QEvent::Wheel:
      case QEvent::WindowDeactivate:
        alt_solo_ = false;
        break;
      default: break;
    }
    return QObject::eventFilter(objeto, evento);
  }

 private:
  // A menu of the window's bar is open.
  bool menu_abierto() const {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr &&
           ventana_->menuBar()->activeAction() != nullptr;
  }

  // Opens the first menu, or closes the open one; false when the key is not
  // the main window's.
  bool alternar() {
    QMenuBar* barra = ventana_->menuBar();
    if (QWidget* abierto = QApplication::activePopupWidget()) {
      if (!menu_abierto()) return false;
      barra->setActiveAction(nullptr);
      abierto->close();
      return true;
    }
    if (QApplication::activeWindow() != ventana_ || !barra->isVisible()) return false;
    for (QAction* menu : barra->actions())
      if (menu->isVisible() && menu->isEnabled() && !menu->isSeparator()) {
        barra->setActiveAction(menu);
        return true;
      }
    return false;
  }

  QMainWindow* ventana_;
  bool alt_solo_ = false;
};

}  // namespace

frmMain& frmMain::instancia() {
  if (instancia_ == nullptr) instancia_ = new frmMain();
  return *instancia_;
}

bool frmMain::cargado() { return instancia_ != nullptr; }

void frmMain::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

frmMain::frmMain() {
  setObjectName("frmMain");
  setWindowIcon(QIcon(imagen_emblema(64)));
  mdiArea = new QMdiArea(this);
  mdiArea->setBackground(QColor(128, 128, 128));
  setCentralWidget(mdiArea);
  crear_menus();
  crear_barra();
  crear_estado();
  MDIForm_Load();
}

void frmMain::crear_menus() {
  auto item = [this](QMenu* menu, const char* nombre, void (frmMain::*manejador)()) {
    QAction* a = menu->addAction(QString::fromLatin1(nombre));
    a->setObjectName(QString::fromLatin1(nombre));
    if (manejador != nullptr) al_elegir(a, [this, manejador] { (this->*manejador)(); });
    return a;
  };
  auto separador = [](QMenu* menu, const char* nombre) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(nombre));
    return a;
  };

  mnuFile = menuBar()->addMenu("&Archivo");
  mnuFileNew = item(mnuFile, "mnuFileNew", &frmMain::mnuFileNew_Click);
  mnuFileOpen = item(mnuFile, "mnuFileOpen", &frmMain::mnuFileOpen_Click);
  mnuFileBar0 = separador(mnuFile, "mnuFileBar0");
  mnuFileSave = item(mnuFile, "mnuFileSave", &frmMain::mnuFileSave_Click);
  mnuFileSaveAs = item(mnuFile, "mnuFileSaveAs", &frmMain::mnuFileSaveAs_Click);
  mnuFileBar1 = separador(mnuFile, "mnuFileBar1");
  mnuFilePrint = item(mnuFile, "mnuFilePrint", &frmMain::mnuFilePrint_Click);
  mnuFileBar2 = separador(mnuFile, "mnuFileBar2");
  mnuFileExit = item(mnuFile, "mnuFileExit", &frmMain::mnuFileExit_Click);

  mnuView = menuBar()->addMenu("&Ver");
  mnuViewToolbar = item(mnuView, "mnuViewToolbar", &frmMain::mnuViewToolbar_Click);
  mnuViewToolbar->setCheckable(true);
  mnuViewToolbar->setChecked(true);
  mnuViewStatusBar = item(mnuView, "mnuViewStatusBar", &frmMain::mnuViewStatusBar_Click);
  mnuViewStatusBar->setCheckable(true);

  mnuidioma = menuBar()->addMenu("&Idioma");
  for (int i = 1; i <= 10; ++i) mnuidiomas(i);

  mnuWindow = menuBar()->addMenu("Ve&ntana");
  mnuWindowNewWindow = item(mnuWindow, "mnuWindowNewWindow", &frmMain::mnuWindowNewWindow_Click);
  mnuWindowBar0 = separador(mnuWindow, "mnuWindowBar0");
  mnuWindowCascade = item(mnuWindow, "mnuWindowCascade", &frmMain::mnuWindowCascade_Click);
  mnuWindowTileHorizontal = item(mnuWindow, "mnuWindowTileHorizontal", &frmMain::mnuWindowTileHorizontal_Click);
  mnuWindowTileVertical = item(mnuWindow, "mnuWindowTileVertical", &frmMain::mnuWindowTileVertical_Click);
  mnuWindowArrangeIcons = item(mnuWindow, "mnuWindowArrangeIcons", &frmMain::mnuWindowArrangeIcons_Click);

  mnuHelp = menuBar()->addMenu("Ay&uda");
  mnuHelpContents = item(mnuHelp, "mnuHelpContents", &frmMain::mnuHelpContents_Click);
  mnuHelpBar0 = separador(mnuHelp, "mnuHelpBar0");
  mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", &frmMain::mnuHelpAbout_Click);

  QCoreApplication::instance()->installEventFilter(new TecladoMenu(this));
}

QAction* frmMain::mnuidiomas(int Index) {
  while (static_cast<int>(idiomas_.size()) < Index) {
    const int indice = static_cast<int>(idiomas_.size()) + 1;
    QAction* a = mnuidioma->addAction(QStringLiteral("Idioma %1").arg(indice));
    a->setObjectName(QStringLiteral("mnuidiomas_%1").arg(indice));
    a->setVisible(false);
    al_elegir(a, [this, indice] { mnuidiomas_Click(indice); });
    idiomas_.push_back(a);
  }
  return idiomas_.at(static_cast<std::size_t>(Index - 1));
}

void frmMain::crear_barra() {
  tbToolBar = addToolBar("tbToolBar");
  tbToolBar->setObjectName("tbToolBar");
  tbToolBar->setMovable(false);
  tbToolBar->setIconSize(QSize(24, 24));
  auto* teclado = new TecladoBarra(this, tbToolBar, mdiArea);
  const char* botones[] = {"Nuevo", "Abrir", "Guardar", nullptr, "Ejecutar", nullptr, "Imprimir",
                           "EditarD", "EditarR", "EditarG", nullptr, "Acerca", "Salir"};
  for (const char* clave : botones) {
    if (clave == nullptr) {
      tbToolBar->addSeparator();
      continue;
    }
    QAction* b = tbToolBar->addAction(imagen_boton(clave), clave);
    b->setObjectName(QStringLiteral("tbToolBar_%1").arg(clave));
    b->setData(QString::fromLatin1(clave));
    QWidget* boton = tbToolBar->widgetForAction(b);
    boton->setFocusPolicy(Qt::TabFocus);
    boton->installEventFilter(teclado);
  }
  connect(tbToolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
}

QAction* frmMain::tbToolBar_Buttons(const QString& Key) const {
  for (QAction* b : tbToolBar->actions())
    if (!b->isSeparator() && b->data().toString() == Key) return b;
  return nullptr;
}

void frmMain::crear_estado() {
  sbStatusBar = new QStatusBar(this);
  sbStatusBar->setObjectName("sbStatusBar");
  setStatusBar(sbStatusBar);
  panel_estado_ = new QLabel("Estado", sbStatusBar);
  panel_fecha_ = new QLabel(sbStatusBar);
  panel_hora_ = new QLabel(sbStatusBar);
  sbStatusBar->addWidget(panel_estado_, 1);
  sbStatusBar->addPermanentWidget(panel_fecha_);
  sbStatusBar->addPermanentWidget(panel_hora_);
  reloj_ = new QTimer(this);
  reloj_->setInterval(1000);
  connect(reloj_, &QTimer::timeout, this, &frmMain::actualizar_reloj);
  actualizar_reloj();
}

QLabel* frmMain::sbStatusBar_Panels(int Index) const {
  switch (Index) {
    case 1: return panel_estado_;
    case 2: return panel_fecha_;
    case 3: return panel_hora_;
    default: return nullptr;
  }
}

void frmMain::actualizar_reloj() {
  const QDateTime ahora = QDateTime::currentDateTime();
  panel_fecha_->setText(ahora.toString("dd/MM/yyyy"));
  panel_hora_->setText(ahora.toString("HH:mm"));
}

// ---- placement in twips ------------------------------------------------------

// Left and Top are those of the frame: pos(), which move() sets.
double frmMain::Left() const { return pos().x() == colocacion_.pixeles.x() ? colocacion_.left : twips_x(pos().x()); }
double frmMain::Top() const { return pos().y() == colocacion_.pixeles.y() ? colocacion_.top : twips_y(pos().y()); }
double frmMain::Width() const {
  return width() == colocacion_.pixeles.width() ? colocacion_.width : twips_x(width());
}
double frmMain::Height() const {
  return height() == colocacion_.pixeles.height() ? colocacion_.height : twips_y(height());
}

void frmMain::colocar(double left, double top, double width, double height) {
  const QRect r = rect_twips(left, top, width, height);
  move(r.topLeft());
  resize(r.size());
  colocacion_ = {left, top, width, height, QRect(pos(), size())};
  recordar_normal();
}

void frmMain::recordar_normal() {
  if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  // A window manager may give the window its maximised size before it tells
  // the new state: a frame that fills the screen's work area is not taken
  // for the user's own placement.
  if (const QScreen* pantalla = screen(); isVisible() && pantalla != nullptr &&
                                         frameGeometry().contains(pantalla->availableGeometry()))
    return;
  normal_ = {Left(), Top(), Width(), Height()};
}

void frmMain::moveEvent(QMoveEvent* evento) {
  QMainWindow::moveEvent(evento);
  recordar_normal();
}

void frmMain::resizeEvent(QResizeEvent* evento) {
  QMainWindow::resizeEvent(evento);
  recordar_normal();
}

void frmMain::changeEvent(QEvent* evento) {
  QMainWindow::changeEvent(evento);
  if (evento->type() == QEvent::WindowStateChange) recordar_normal();
}

// ---- load and unload -----------------------------------------------------------

void frmMain::MDIForm_Load() {
  using idiomas::texto;
  mnuFile->setTitle(texto(1));
  mnuView->setTitle(texto(2));
  mnuidioma->setTitle(texto(3));
  mnuWindow->setTitle(texto(4));
  mnuHelp->setTitle(texto(5));
  mnuFileNew->setText(texto(6));
  mnuFileOpen->setText(texto(7));
  mnuFileSave->setText(texto(8));
  mnuFileSaveAs->setText(texto(9) + "...");
  mnuFilePrint->setText(texto(10) + "...");
  mnuFileExit->setText(texto(11));
  mnuViewToolbar->setText(texto(12));
  mnuViewStatusBar->setText(texto(13));
  mnuWindowNewWindow->setText(texto(19));
  mnuWindowCascade->setText(texto(20));
  mnuWindowTileHorizontal->setText(texto(21));
  mnuWindowTileVertical->setText(texto(22));
  mnuWindowArrangeIcons->setText(texto(23));
  mnuHelpContents->setText(texto(24));
  mnuHelpAbout->setText(texto(25) + "...");

  const std::pair<const char*, QString> consejos[] = {
      {"Nuevo", texto(6)},    {"Abrir", texto(7)},    {"Guardar", texto(8)},
      {"Ejecutar", texto(26)}, {"Imprimir", texto(10)}, {"EditarD", texto(27)},
      {"EditarR", texto(28)},  {"EditarG", texto(29)},  {"Acerca", texto(25) + "..."},
      {"Salir", texto(11)},
  };
  for (const auto& [clave, consejo] : consejos) {
    QAction* b = tbToolBar_Buttons(clave);
    b->setText(consejo);
    b->setToolTip(consejo);
  }

  colocar(ajuste_numerico("MainLeft", 1000), ajuste_numerico("MainTop", 1000),
          ajuste_numerico("MainWidth", 6500), ajuste_numerico("MainHeight", 6500));
  setWindowState(Qt::WindowMaximized);
  setWindowTitle("Tarvo-Olvex");

  mnuViewStatusBar->setChecked(false);
  mnuViewStatusBar->setEnabled(false);
  mnuViewStatusBar->setVisible(false);
  sbStatusBar->setVisible(false);

  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"}) habilitar(clave, false);
}

void frmMain::MDIForm_Unload() {
  if (isMinimized()) return;
  // Closed maximised, the window stores the placement that a restore gives
  // back, not the whole screen.
  Normal n = normal_;
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) n = {Left(), Top(), Width(), Height()};
  SaveSetting(App::Title, seccion_ajustes, "MainLeft", QString::number(qRound(n.left)));
  SaveSetting(App::Title, seccion_ajustes, "MainTop", QString::number(qRound(n.top)));
  SaveSetting(App::Title, seccion_ajustes, "MainWidth", QString::number(qRound(n.width)));
  SaveSetting(App::Title, seccion_ajustes, "MainHeight", QString::number(qRound(n.height)));
}

void frmMain::closeEvent(QCloseEvent* evento) {
  // Closed with unsaved changes (by its close box or the window manager),
  // the window asks the Exit question first: Yes saves, and a save that was
  // cancelled or failed keeps the window open with the problem; No leaves.
  if (global::modificado) {
    // A further close while the question or the Save dialog is up waits
    // for that answer.
    if (cerrando_) {
      evento->ignore();
      return;
    }
    cerrando_ = true;
    const bool seguir = guardar_al_salir();
    cerrando_ = false;
    if (!seguir) {
      evento->ignore();
      return;
    }
  }
  // Unloading the main window ends the program.
  MDIForm_Unload();
  evento->accept();
  instancia_ = nullptr;
  deleteLater();
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::quit();
}

// ---- caption and toolbar ------------------------------------------------------

void frmMain::habilitar(const QString& clave, bool habilitado) {
  tbToolBar_Buttons(clave)->setEnabled(habilitado);
  // Results that can no longer be asked for are no longer shown either.
  if (!habilitado && (clave == "EditarR" || clave == "EditarG")) cerrar_vistas(Caducado::resultados);
}

void frmMain::cerrar_vistas(Caducado que) {
  const bool resultados = que != Caducado::fichero;
  const bool fichero = que != Caducado::resultados;
  if (resultados) {
    ++caducidades_;
    if (frmprintres::cargado()) frmprintres::instancia().Unload();
    frmprintgraf::caducar();
    if (frmgraficos::cargado()) frmgraficos::instancia().Unload();
  }
  // The viewer shows the report or its reduced copy, or else the problem file.
  if (frmedit::cargado()) {
    const QString& visto = frmedit::instancia().rtxtdatos_FileName();
    const bool informe = visto == App::en_carpeta("res.tot") || visto == App::en_carpeta("res.min");
    if (informe ? resultados : fichero) frmedit::instancia().Unload();
  }
}

void frmMain::cambia_titulo() {
  const QString nombre = global::archivo.isEmpty() ? QStringLiteral("(Sin Título)")
                                                    : global::archivo.mid(global::archivo.lastIndexOf('/') + 1);
  if (global::modificado) {
    setWindowTitle(titulo_base_ + "-" + nombre + "*");
    habilitar("Guardar", true);
    for (const char* clave : {"Ejecutar", "EditarD", "EditarR", "EditarG"}) habilitar(clave, false);
  } else {
    setWindowTitle(titulo_base_ + "-" + nombre);
    habilitar("Guardar", false);
    habilitar("Ejecutar", true);
    habilitar("EditarD", true);
  }
}

void frmMain::tbToolBar_ButtonClick(QAction* Button) {
  const QString clave = Button->data().toString();
  try {
    if (clave == "Nuevo") mnuFileNew_Click();
    else if (clave == "Abrir") mnuFileOpen_Click();
    else if (clave == "Guardar") mnuFileSave_Click();
    else if (clave == "Ejecutar") ejecutar();
    else if (clave == "EditarD") editar_datos();
    else if (clave == "EditarR") editar_resultados();
    else if (clave == "EditarG") editar_graficos();
    else if (clave == "Acerca") mnuHelpAbout_Click();
    else if (clave == "Salir") salir();
    // "Imprimir" runs nothing.
  } catch (...) {
    // A failure inside a command started from the toolbar is ignored.
  }
}

// ---- exit -----------------------------------------------------------------------

bool frmMain::guardar_al_salir() {
  using namespace global;
  mensaje = idiomas::texto(40);
  estilo = vbYesNo + vbQuestion;
  titulo_mensaje = "";
  preguntar();
  if (respuesta != vbYes) return true;
  if (!archivo.isEmpty())
    guardar_en_su_fichero();
  else
    mnuFileSaveAs_Click();
  // A save that was cancelled or failed leaves the problem modified:
  // leaving now would lose it, so the program stays.
  return !modificado;
}

void frmMain::salir() {
  using namespace global;
  if (modificado) {
    cerrando_ = true;
    const bool seguir = guardar_al_salir();
    cerrando_ = false;
    if (!seguir) return;
    if (respuesta == vbYes)
      close();
    else
      App::End();
  } else {
    mensaje = idiomas::texto(41);
    estilo = vbYesNo + vbQuestion;
    titulo_mensaje = "";
    preguntar();
    if (respuesta == vbYes) close();
  }
}

void frmMain::mnuFileExit_Click() { salir(); }

// ---- problem files ------------------------------------------------------------

namespace {

using lineas_problema::real;

// A header value of a problem file whose line, as Save writes it in any
// language, holds what the engines read of it, and a count they read (the
// title is text and is written as it stands).
bool cabe_en_su_linea(problema_texto::Campo campo, const QString& valor) {
  using lineas_problema::Escrito;
  switch (campo) {
    case problema_texto::Campo::masa: return lineas_problema::cabe(lineas_problema::masa(), valor, Escrito::real);
    case problema_texto::Campo::funciones: return lineas_problema::cabe(lineas_problema::base(), valor, Escrito::recuento);
    case problema_texto::Campo::zonas: return lineas_problema::cabe(lineas_problema::zonas(), valor, Escrito::tal_cual);
    case problema_texto::Campo::puntos: return lineas_problema::cabe(lineas_problema::puntos(), valor, Escrito::recuento);
    default: return true;
  }
}

}  // namespace

bool frmMain::escribir_datos(const QString& ruta) {
  using global::zonas;
  using idiomas::texto;
  frmdatos& d = frmdatos::instancia();
  const problema_texto::Conservado& conservado = d.conservado;

  using problema_texto::Campo;
  QStringList l;
  // A line: its label, then " = " and the value when it holds one.
  int zona = 0;
  auto linea = [&](Campo campo, const QString& valor, int indice = 0) {
    const QString rotulo = problema_texto::etiqueta({campo, zona, indice}, texto);
    l << (campo == Campo::cabecera || campo == Campo::cabecera_zonas || campo == Campo::guiones ? rotulo
                                                                                               : rotulo + " = " + valor);
  };
  // A value the window holds as it was read is written as the file had it;
  // any other as "####0.000".
  auto valor = [&](Campo campo, double v, int indice = 0) {
    linea(campo, conservado.texto({campo, zona, indice}, v, real(v)), indice);
  };
  // A count box that still shows the count read from its text writes that text.
  auto recuento = [&](Campo campo, const QLineEdit* caja) {
    const QString t = caja->text();
    const double v = Val(t);
    const bool mostrado = std::abs(v) <= lineas_problema::recuento_maximo + 1 && t == QString::number(qlonglong(v));
    linea(campo, mostrado ? conservado.texto({campo}, v, t) : t);
  };
  linea(Campo::cabecera, {});
  linea(Campo::titulo, d.txttitulo->text());
  linea(Campo::masa, conservado.texto({Campo::masa}, editor::valor_de(d.txtmasa), formato_caja(d.txtmasa->text())));
  recuento(Campo::funciones, d.txtfb);
  recuento(Campo::zonas, d.txtzonas);
  recuento(Campo::puntos, d.txtpuntos);
  linea(Campo::cabecera_zonas, {});
  // The zones the engines will read: the count's integer part.
  double cuenta = 0;
  int n = 0;
  if (problema_texto::numero(QStringView(d.txtzonas->text()), cuenta))
    n = static_cast<int>(std::clamp(std::trunc(cuenta), 0.0, static_cast<double>(zonas.size())));
  for (zona = 1; zona <= n; ++zona) {
    const global::tzona& z = zonas[static_cast<std::size_t>(zona - 1)];
    const auto& c = z.coeficientes;
    linea(Campo::tipo, QString::number(z.tipo + 1));
    valor(Campo::xini, z.xini);
    valor(Campo::xfin, z.xfin);
    switch (z.tipo) {
      case 0: valor(Campo::v0, c(0)); break;
      case 1: {
        const int vertices = std::clamp<int>(z.nvertices, 0, z.vertices.ubound());
        linea(Campo::vertices, real(vertices));
        for (int j = 1; j <= vertices; ++j) {
          valor(Campo::x, z.vertices(j).x, j);
          valor(Campo::v, z.vertices(j).y, j);
        }
        break;
      }
      case 2:
        valor(Campo::x0, z.x0);
        valor(Campo::v0, c(0));
        valor(Campo::k2, c(2));
        valor(Campo::k3, c(3));
        valor(Campo::k4, c(4));
        break;
      case 3:
        for (int k : {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, -6}) valor(Campo::coeficiente, c(k), k);
        break;
      default: break;
    }
    linea(Campo::guiones, {});
  }

  // Written through a temporary name and renamed, onto the existing file
  // whose name matches ignoring case; a link is followed, and the file keeps
  // its permissions and owner.
  QString motivo;
  // What followed the problem in the file opened follows it again.
  if (!escribir_bytes(resolver_nombre(ruta), a_1252(l.join("\r\n") + "\r\n") + conservado.cola, &motivo)) {
    aviso_no_escrito(ruta, motivo, titulo_base_);
    return false;
  }
  global::modificado = false;
  cerrar_vistas(Caducado::fichero);
  cambia_titulo();
  return true;
}

QString frmMain::leedato(const QString& linea) { return problema_texto::leedato(linea); }

bool frmMain::abrirfichero() {
  using idiomas::texto;
  dlgCommonDialog.DialogTitle = texto(7);
  dlgCommonDialog.Filter = texto(42) + " (*.dat)|*.dat|" + texto(64) + " (*.*)|*.*";
  dlgCommonDialog.FilterIndex = 1;
  dlgCommonDialog.InitDir = App::Path();
  dlgCommonDialog.ShowOpen(this);
  if (dlgCommonDialog.FileName.isEmpty()) return false;

  // The name is resolved once, here: Save writes, and Run runs, the file
  // that was read. A file that cannot be opened, or is no regular file,
  // replaces nothing: the problem on screen stays as it was.
  const QString elegido = dlgCommonDialog.FileName;
  QByteArray bytes;
  Lectura lectura;
  if (!leer_fichero(resolver_nombre(elegido), bytes, lectura)) {
    MsgBox(texto(225) + "\n\n" + QDir::toNativeSeparators(elegido) + "\n" +
               (lectura.no_regular ? texto(247) : lectura.motivo),
           vbCritical, QString());
    return false;
  }
  inicializar();
  global::archivo = elegido;
  en_disco_ = {elegido, lectura.identidad};
  cambia_titulo();
  problema_texto::Problema p;
  // A number whose line, as Save writes it again, would not fit what the
  // engines read stops the load: the window would save another number.
  p = problema_texto::leer(bytes, [](const problema_texto::Linea& l, double v) { return lineas_problema::cabe(l, v); });
  if (aplicar_problema(p)) return true;

  // The window keeps what was read before the failure, as a problem of its
  // own: untitled, so that no save replaces the damaged file, and modified,
  // so that leaving asks first. The count box shows the zones that are on
  // the strip, and the spinner answers its next press.
  const QString ruta = QDir::toNativeSeparators(global::archivo);
  if (frmdatos::cargado()) {
    frmdatos& d = frmdatos::instancia();
    d.txtzonas->setText(QString::number(global::nzonas));
    d.udzonas->Increment = 1;
  }
  global::archivo.clear();
  en_disco_ = {};
  global::modificado = true;
  cambia_titulo();
  QString aviso = texto(219) + "\n\n" + ruta;
  using problema_texto::Campo;
  QString esperado = problema_texto::etiqueta(p.esperada, texto);
  if (p.esperada.campo == Campo::tipo) esperado += " (1 - 4)";
  if (p.esperada.campo == Campo::zonas) esperado += " (1 - " + QString::number(global::zonas.size()) + ")";
  aviso += "\n" + texto(222) + " " + QString::number(p.linea_fallo) + ", " + texto(223) + ": " + esperado;
  MsgBox(aviso, vbCritical, QString());
  return false;
}

bool frmMain::aplicar_problema(problema_texto::Problema& p) {
  using global::nzonas;
  using global::zonas;
  using problema_texto::Campo;
  frmdatos& d = frmdatos::instancia();
  problema_texto::Conservado& conservado = d.conservado;
  conservado = {};
  // The boxes take the header values in file order, each applying its own
  // checks: a value its box refuses stops the load at its line, and the box
  // keeps the text it had. A count box shows the count the engines take
  // from its text (its integer part); the mass box holds the mass read.
  QLineEdit* const cajas[] = {d.txttitulo, d.txtmasa, d.txtfb, d.txtzonas, d.txtpuntos};
  const Campo campos[] = {Campo::titulo, Campo::masa, Campo::funciones, Campo::zonas, Campo::puntos};
  for (qsizetype i = 0; i < p.cabecera.size(); ++i) {
    const QString& leido = p.cabecera[i];
    const Campo campo = campos[i];
    QString mostrado = leido;
    double n = 0;
    QString item;
    const bool es_numero = problema_texto::numero(QStringView(leido), n, &item);
    const bool recuento = campo == Campo::funciones || campo == Campo::zonas || campo == Campo::puntos;
    if (recuento && es_numero && std::abs(std::trunc(n)) <= lineas_problema::recuento_maximo + 1)
      mostrado = QString::number(static_cast<qlonglong>(std::trunc(n)));
    const QString antes = cajas[i]->text();
    if (campo == Campo::masa && es_numero)
      editor::mostrar_valor(cajas[i], n, leido);
    else
      cajas[i]->setText(mostrado);
    // A mass that "####0.000" would change is written again as read.
    const bool masa_leida = campo == Campo::masa && es_numero && !problema_texto::real_exacto(n);
    if (cajas[i]->text() == mostrado && cabe_en_su_linea(campo, leido) &&
        (!masa_leida || lineas_problema::cabe(problema_texto::Linea{campo}, item))) {
      if (masa_leida) conservado.guardar({campo}, item, n);
      if (mostrado != leido) conservado.guardar({campo}, leido, std::trunc(n));
      continue;
    }
    cajas[i]->setText(antes);
    p.leido = false;
    p.linea_fallo = i + 2;
    p.esperada = {campo};
    p.zonas.clear();
    break;
  }
  if (p.zonas.empty()) return p.leido;

  // A value that "####0.000" would change is written again as the file had
  // it, so its text must fit what the engines read of its line in every
  // language: one that does not stops the load at its line.
  for (std::size_t k = 0; k < p.zonas.size(); ++k) {
    problema_texto::Zona& zona = p.zonas[k];
    for (std::size_t j = 0; j < zona.valores.size(); ++j) {
      const problema_texto::Linea& que = zona.lineas[j];
      if (que.campo == Campo::tipo || que.campo == Campo::vertices || problema_texto::real_exacto(zona.valores[j]))
        continue;
      if (lineas_problema::cabe(que, zona.textos[j])) {
        conservado.guardar(que, zona.textos[j], zona.valores[j]);
        continue;
      }
      p.leido = false;
      p.linea_fallo = zona.en_linea[j];
      p.esperada = que;
      p.zonas.resize(k + 1);
      zona.valores.resize(j);
      break;
    }
    if (!p.leido) break;
  }

  nzonas = 0;
  for (std::size_t k = 0; k < p.zonas.size(); ++k) {
    ++nzonas;
    if (nzonas > 1) {
      // The controls of the new zone; the zone before keeps the limit it was read with.
      const double fin_anterior = zonas[k - 1].xfin;
      d.crear_zona();
      zonas[k - 1].xfin = fin_anterior;
    }
    // The zone takes the numbers the reader took, in the same order, so a
    // zone cut short keeps what was read of it and nothing more.
    const std::vector<double>& valores = p.zonas[k].valores;
    std::size_t siguiente = 0;
    try {
      problema_texto::leer_zona(
          zonas[k],
          [&](Campo, int) {
            if (siguiente >= valores.size()) throw problema_texto::Fallo{};
            return valores[siguiente++];
          },
          [&](int tipo) { d.fijar_ListIndex(static_cast<int>(k), tipo); });
    } catch (const problema_texto::Fallo&) {
      // What it lacks comes from the new zone the window made for it.
      problema_texto::completar_zona(zonas[k], siguiente, k == 0 ? zonas[0].xini : zonas[k - 1].xfin);
      break;
    }
  }

  // The strip maps the box from its two end labels.
  d.fijar_extremo(0, zonas[0].xini);
  d.fijar_extremo(10, zonas[static_cast<std::size_t>(nzonas - 1)].xfin);
  d.pinta_zonas();
  d.udzonas->Increment = 1;
  if (!p.leido) return false;
  // What follows the problem is kept for Save; a part too large to keep is
  // told, since Save will not write it again.
  if (p.largo_cola > 0 && p.largo_cola <= problema_texto::cola_maxima) conservado.cola = p.cola;
  global::modificado = false;
  cambia_titulo();
  if (p.largo_cola > problema_texto::cola_maxima)
    MsgBox(idiomas::texto(250) + "\n\n" + QDir::toNativeSeparators(global::archivo) + "\n" + idiomas::texto(222) + " " +
               QString::number(p.linea_cola) + ": " + QString::number(p.largo_cola) + " bytes",
           vbExclamation, QString());
  return true;
}

void frmMain::guardar_fichero(QString& ruta) {
  using namespace global;
  // The name is written in capitals; the folders stay as they are, since
  // they are told apart by case here.
  const QFileInfo destino(ruta);
  ruta = QDir(destino.absolutePath()).filePath(destino.fileName().toUpper());

  // The file the write would replace, in whatever folder: the one the
  // writer reaches (an existing name that differs only in case, a link's
  // target). None of the program's own files in its folder is ever one;
  // the dialog comes back for another name.
  const QFileInfo reemplazado(resolver_nombre(ruta));
  if (rechazar_nombre_propio(reemplazado.filePath())) {
    mnuFileSaveAs_Click();
    return;
  }
  const bool existe = reemplazado.exists() || reemplazado.isSymLink();
  if (existe) {
    mensaje = idiomas::texto(44);
    estilo = vbYesNoCancel + vbQuestion;
    titulo_mensaje = "";
    preguntar();
    if (respuesta == vbNo) {
      mnuFileSaveAs_Click();
      return;
    }
    if (respuesta != vbYes) return;
  }
  // The name is resolved once, here: the file asked about is the one
  // written, and the one that Save and Run then use.
  escribir_en(ruta, reemplazado.filePath());
}

bool frmMain::escribir_en(QString nombre, const QString& fichero) {
  // archivo names the file only once it holds the problem.
  const QString anterior = global::archivo;
  global::archivo = nombre;
  if (!escribir_datos(fichero)) {
    global::archivo = anterior;
    return false;
  }
  en_disco_ = {nombre, identidad(resolver_nombre(fichero))};
  return true;
}

bool frmMain::rechazar_nombre_propio(const QString& ruta) {
  if (!nombres_propios::en_la_carpeta(ruta)) return false;
  MsgBox(idiomas::texto(248) + "\n\n" + QDir::toNativeSeparators(ruta), vbExclamation, QString());
  return true;
}

QString frmMain::fichero_en_disco() const {
  if (!global::archivo.isEmpty() && en_disco_.archivo == global::archivo) return en_disco_.identidad.ruta;
  return global::archivo;
}

bool frmMain::fichero_cambiado(Identidad& actual) const {
  if (global::archivo.isEmpty() || en_disco_.archivo != global::archivo) return false;
  actual = identidad(resolver_nombre(en_disco_.identidad.ruta));
  return actual != en_disco_.identidad;
}

bool frmMain::avisar_si_cambiado(int clave) {
  Identidad actual;
  if (!fichero_cambiado(actual)) return false;
  MsgBox(idiomas::texto(clave) + "\n\n" + QDir::toNativeSeparators(actual.ruta), vbExclamation, QString());
  return true;
}

bool frmMain::guardar_en_su_fichero() {
  using namespace global;
  // A problem read from a file of the program's own is saved elsewhere.
  if (rechazar_nombre_propio(fichero_en_disco())) {
    mnuFileSaveAs_Click();
    return !modificado;
  }
  // A file changed on disk since it was opened or saved (by another
  // program, say) is not replaced without a question; Yes writes the file
  // that now answers to the name, which the question names.
  Identidad actual;
  QString destino = fichero_en_disco();
  if (fichero_cambiado(actual)) {
    mensaje = idiomas::texto(245) + "\n\n" + QDir::toNativeSeparators(actual.ruta);
    estilo = vbYesNo + vbQuestion;
    titulo_mensaje = "";
    preguntar();
    if (respuesta != vbYes) return false;
    destino = actual.ruta;
  }
  return escribir_en(archivo, destino);
}

void frmMain::inicializar() {
  // No potential dialog may act on a zone of another problem.
  editor::DialogoZona::cerrar_abierto();
  cerrar_vistas(Caducado::todo);
  global::archivo.clear();
  en_disco_ = {};
  titulo_base_ = QStringLiteral("Tarvo-Olvex");
  global::modificado = false;
  habilitar("Guardar", false);
  habilitar("Ejecutar", true);
  habilitar("EditarD", true);
  habilitar("EditarR", false);
  habilitar("EditarG", false);
  cambia_titulo();
  frmdatos::descargar();
  frmdatos::instancia();
  global::modificado = false;
}

bool frmMain::guardar_antes() {
  using namespace global;
  if (!modificado) return true;
  mensaje = idiomas::texto(40);
  estilo = vbYesNoCancel + vbQuestion;
  titulo_mensaje = "";
  preguntar();
  if (respuesta == vbYes) {
    mnuFileSave_Click();
    // A save that was cancelled or failed keeps the problem.
    return !modificado;
  }
  return respuesta == vbNo;
}

bool frmMain::nuevo() {
  if (!guardar_antes()) return false;
  inicializar();
  return true;
}

void frmMain::mnuFileNew_Click() { nuevo(); }

void frmMain::mnuFileOpen_Click() {
  // The save question first; the problem is replaced only by a file chosen
  // in the dialog (abrirfichero), so a cancelled dialog leaves it as it was.
  if (!guardar_antes()) return;
  if (!abrirfichero()) return;
  habilitar("Guardar", false);
  habilitar("Ejecutar", true);
  habilitar("EditarD", true);
  habilitar("EditarR", false);
  habilitar("EditarG", false);
}

void frmMain::mnuFileSave_Click() {
  if (!global::archivo.isEmpty())
    guardar_en_su_fichero();
  else
    mnuFileSaveAs_Click();
}

void frmMain::mnuFileSaveAs_Click() {
  using idiomas::texto;
  dlgCommonDialog.DialogTitle = texto(9);
  dlgCommonDialog.Filter = texto(42) + " (*.dat)|*.dat";
  dlgCommonDialog.FilterIndex = 1;
  dlgCommonDialog.InitDir = App::Path();
  dlgCommonDialog.ShowSave(this);
  if (dlgCommonDialog.FileName.isEmpty()) return;
  QString ruta = dlgCommonDialog.FileName;
  // A name typed without an extension is a problem file: the Open dialog
  // lists it and the overwrite question sees it.
  if (!QFileInfo(ruta).fileName().contains('.')) ruta += ".dat";
  guardar_fichero(ruta);
}

// ---- Run ----------------------------------------------------------------------------

void frmMain::ejecutar() {
  habilitar("EditarR", false);
  habilitar("EditarG", false);
  // The engine reads exactly the file on screen, never a namesake of the
  // program folder; a problem it cannot be told about does not run.
  QString argumento;
  if (!argumento_de_fichero(fichero_en_disco(), argumento)) {
    MsgBox(idiomas::texto(global::archivo.isEmpty() ? 216 : 210), vbInformation, QString());
    return;
  }
  // The engine reads the file on disk: an edit not saved, or a file no
  // longer the one opened or saved (written over by another program, say),
  // would run a problem the window does not show. Such a file is said, and
  // nothing runs: Open shows what it holds, and Save (which asks first)
  // puts the problem on screen in its place.
  if (global::modificado || avisar_si_cambiado(246)) return;
  // The window may go while the engine runs (the events go on).
  const QPointer<frmMain> yo(this);
  // New, Open, an edit or another Run during the wait make this run's
  // results belong to no problem on screen: they are not offered then.
  const int caducidades = caducidades_;
  // A Run or a graph started during the wait ends this run's engine first
  // (the files of the program folder then belong to it): this run then
  // shows, enables and raises nothing.
  const std::int32_t r = ejecutar_y_esperar(App::en_carpeta("calculos"), {argumento}, 6, idiomas::texto(215),
                                            {"RES.tot", "DatosDIB"});
  if (yo.isNull() || saliendo() || relevado()) return;
  // calculos writes its results as usual when the diagonalisation stops at
  // its rotation limit, and ends with this status.
  constexpr std::int32_t sin_converger = 3;
  if (r == 0 || r == sin_converger) {
    if (caducidades != caducidades_) return;
    // A file changed while the engine ran may not be the problem it read.
    if (avisar_si_cambiado(249)) return;
    habilitar("EditarR", true);
    habilitar("EditarG", true);
    if (r == 0) return;
  }
  // A failed run is always said, and so are results that may be inexact;
  // the engine's reason stands in the console window, which is brought in
  // front of this one with the message.
  VentanaConsola& consola = VentanaConsola::instancia();
  consola.mostrar_delante();
  if (r == sin_converger) {
    MsgBox(idiomas::texto(227), vbExclamation, QString(), &consola);
    return;
  }
  // Status 2 is the engine's stop on a file; any other (an engine ended by a
  // signal, say) is told with its number.
  constexpr std::int32_t error_de_fichero = 2;
  QString aviso;
  if (r == -1) aviso = idiomas::texto(67);
  else if (es_error_de_arranque(r)) aviso = idiomas::texto(221);
  else if (r == error_de_fichero) aviso = idiomas::texto(217);
  else aviso = idiomas::texto(231) + " " + QString::number(r);
  MsgBox(aviso, vbInformation, QString(), &consola);
}

// ---- views ------------------------------------------------------------------------

void frmMain::mostrar_edicion(int modo) {
  if (modo == 0)
    escribir_archivo_pantalla(global::archivo);
  else
    frmprintres::instancia().Show();
}

// The viewer is a child window of the main window; a file that cannot be
// read shows nothing.
void frmMain::escribir_archivo_pantalla(const QString& ruta) {
  frmedit& visor = frmedit::instancia();
  if (!visor.rtxtdatos_FileName(ruta)) {
    frmedit::destruir();
    return;
  }
  if (visor.parentWidget() == nullptr) {
    QMdiSubWindow* marco = mdiArea->addSubWindow(&visor);
    marco->setAttribute(Qt::WA_DeleteOnClose);
    marco->resize(QSize(plataforma::pixeles_x(11000), plataforma::pixeles_y(8000)).boundedTo(mdiArea->viewport()->size()));
    marco->move(0, 0);
  }
  visor.show();
  mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(visor.parentWidget()));
}

void frmMain::editar_datos() { mostrar_edicion(0); }
void frmMain::editar_resultados() { mostrar_edicion(1); }
void frmMain::editar_graficos() { frmprintgraf::instancia().Show(); }

void frmMain::mnuFilePrint_Click() {}  // the Print item does nothing

void frmMain::mnuWindowNewWindow_Click() { mnuFileNew_Click(); }

// ---- view menu ----------------------------------------------------------------

void frmMain::mnuViewToolbar_Click() {
  mnuViewToolbar->setChecked(!mnuViewToolbar->isChecked());
  tbToolBar->setVisible(mnuViewToolbar->isChecked());
}

void frmMain::mnuViewStatusBar_Click() {
  mnuViewStatusBar->setChecked(!mnuViewStatusBar->isChecked());
  sbStatusBar->setVisible(mnuViewStatusBar->isChecked());
  if (sbStatusBar->isVisible()) {
    actualizar_reloj();
    reloj_->start();
  } else {
    reloj_->stop();
  }
}

// ---- window menu -----------------------------------------------------------------

void frmMain::Arrange(int estilo) {
  switch (estilo) {
    case 0: mdiArea->cascadeSubWindows(); break;
    case 1: mosaico(true); break;
    case 2: mosaico(false); break;
    case 3: {
      // Minimised child windows in a row along the bottom edge.
      int x = 0;
      for (QMdiSubWindow* w : mdiArea->subWindowList()) {
        if (!w->isMinimized() || !w->isVisible()) continue;
        w->move(x, mdiArea->viewport()->height() - w->height());
        x += w->width();
      }
      break;
    }
    default: break;
  }
}

void frmMain::mosaico(bool horizontal) {
  // Horizontal: one above the other, each as wide as the area; vertical:
  // side by side, each as tall as the area.
  QList<QMdiSubWindow*> ventanas;
  for (QMdiSubWindow* w : mdiArea->subWindowList())
    if (w->isVisible() && !w->isMinimized()) ventanas.append(w);
  if (ventanas.isEmpty()) return;
  const QRect area = mdiArea->viewport()->rect();
  const int n = static_cast<int>(ventanas.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* w = ventanas[i];
    if (w->isMaximized()) w->showNormal();
    if (horizontal) {
      const int alto = area.height() / n;
      w->setGeometry(0, i * alto, area.width(), i == n - 1 ? area.height() - i * alto : alto);
    } else {
      const int ancho = area.width() / n;
      w->setGeometry(i * ancho, 0, i == n - 1 ? area.width() - i * ancho : ancho, area.height());
    }
  }
}

void frmMain::mnuWindowCascade_Click() { Arrange(0); }
void frmMain::mnuWindowTileHorizontal_Click() { Arrange(1); }
void frmMain::mnuWindowTileVertical_Click() { Arrange(2); }
void frmMain::mnuWindowArrangeIcons_Click() { Arrange(3); }

// ---- language, help, about -------------------------------------------------------

// The mark stands on the language recorded for the next start, which need
// not be the one in use: any other item records its language, the one in
// use included.
void frmMain::mnuidiomas_Click(int Index) {
  if (mnuidiomas(Index)->isChecked()) return;
  const int numero = std::max<int>(idiomas::num_idiomas, 0);
  if (Index == numero + 2) {
    MsgBox(idiomas::texto(186), vbInformation, idiomas::texto(3));
    return;
  }
  if (Index < 1 || Index > numero) return;
  const QString nombre = idiomas::lista_idiomas[Index - 1];
  if (idiomas::cambia_idioma(nombre)) idiomas::marcar_idioma(nombre);
}

void frmMain::mnuHelpContents_Click() {
  const QString fichero = App::HelpFile().isEmpty() ? QString() : resolver_nombre(App::HelpFile());
  if (fichero.isEmpty() || !QFileInfo(fichero).isFile()) {
    MsgBox(idiomas::texto(68), vbInformation, windowTitle());
    return;
  }
  const QString fallo = mostrar_ayuda(this, fichero);
  if (!fallo.isEmpty()) MsgBox(fallo, vbOKOnly);
}

void frmMain::mnuHelpAbout_Click() { frmAbout::instancia().Show(); }
