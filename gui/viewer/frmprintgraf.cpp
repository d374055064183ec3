#include "viewer/frmprintgraf.hpp"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>

#include "editor/frmdatos.hpp"
#include "frame/global.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/textos.hpp"
#include "platform/app.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/consola.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

using plataforma::colocar;

namespace {

frmprintgraf* instancia_ = nullptr;
// Counts the times the results went stale.
int caducados_ = 0;

// A number in the default text form of a double: up to 15 significant
// digits, no trailing zeros, no point for a whole number.
QString numero(double valor) { return QString::number(valor, 'g', 15); }

// The basis size typed in the problem editor.
double nfb() { return frmdatos::cargado() ? plataforma::Val(frmdatos::instancia().txtfb->text()) : 0; }

void aviso(const QString& texto) { plataforma::MsgBox(texto, plataforma::vbInformation, QString()); }

// Removes the plot file at ruta under every spelling of its name; false when
// one of them stays.
bool borrar_grafica(const QString& ruta) {
  for (int i = 0; i < 64; ++i) {
    const QString hallada = plataforma::resolver_nombre(ruta);
    if (!QFileInfo::exists(hallada)) return true;
    if (!QFile::remove(hallada)) return false;
  }
  return false;
}

}  // namespace

frmprintgraf& frmprintgraf::instancia() {
  if (instancia_ == nullptr) {
    instancia_ = new frmprintgraf();
    instancia_->Form_Load();
  }
  return *instancia_;
}

bool frmprintgraf::cargado() { return instancia_ != nullptr; }

void frmprintgraf::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

// A dialog of the main window: it stays in front of it, and stays modeless.
frmprintgraf::frmprintgraf()
    : QDialog(frmMain::cargado() ? &frmMain::instancia() : nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmprintgraf");
  setModal(false);
  // The main window may take the dialog with it when it goes.
  frmprintgraf* const yo = this;
  connect(this, &QObject::destroyed, [yo] {
    if (instancia_ == yo) instancia_ = nullptr;
  });
  setFixedSize(plataforma::pixeles_x(6000), plataforma::pixeles_y(4700));
  auto caja = [](QWidget* padre, const char* nombre, const char* texto, double left, double top) {
    auto* c = new QLineEdit(texto, padre);
    c->setObjectName(nombre);
    colocar(c, left, top, 900, 330);
    return c;
  };
  auto etiqueta = [](QWidget* padre, double left, double top, double width) {
    auto* l = new QLabel(padre);
    colocar(l, left, top, width, 300);
    return l;
  };

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  colocar(Frame1, 200, 120, 5600, 1300);
  Label3 = etiqueta(Frame1, 200, 330, 4000);
  txtnp = caja(Frame1, "txtnp", "300", 4400, 300);
  Label4 = etiqueta(Frame1, 200, 780, 4000);
  txtfe = caja(Frame1, "txtfe", "2.500", 4400, 750);

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName("Frame2");
  colocar(Frame2, 200, 1550, 5600, 2450);
  for (int i = 0; i < 3; ++i) {
    opciones_[i] = new QRadioButton(Frame2);
    opciones_[i]->setObjectName(QString("Optprintgraf(%1)").arg(i));
    colocar(opciones_[i], 200, 300 + i * 750, 3600, 300);
    connect(opciones_[i], &QRadioButton::clicked, this, [this, i] { Optprintgraf_Click(i); });
  }
  opciones_[0]->setChecked(true);
  Label1 = etiqueta(Frame2, 400, 700, 1000);
  niveles_[0] = caja(Frame2, "txtniv(0)", "1", 1450, 670);
  Label2 = etiqueta(Frame2, 2550, 700, 1000);
  niveles_[1] = caja(Frame2, "txtniv(1)", "2", 3600, 670);
  txtfo = caja(Frame2, "txtfo", "1", 4400, 1020);
  txtdp = caja(Frame2, "txtdp", "1", 4400, 1770);
  txtfo->setEnabled(false);
  txtdp->setEnabled(false);

  const plataforma::ReglaNumerica entera{"-.", {""}, false};
  for (QLineEdit* c : {niveles_[0], niveles_[1], txtnp}) new plataforma::CajaNumerica(c, entera, textoanterior);
  new plataforma::CajaNumerica(txtfo, entera, textoanterior, [this] { comprobar_nivel(txtfo); });
  new plataforma::CajaNumerica(txtdp, entera, textoanterior, [this] { comprobar_nivel(txtdp); });
  new plataforma::CajaNumerica(txtfe, {"", {"", "-"}, true}, textoanterior);

  btactualizar = new QPushButton(this);
  btactualizar->setObjectName("btactualizar");
  colocar(btactualizar, 1900, 4150, 1800, 400);
  btaceptar = new QPushButton(this);
  btaceptar->setObjectName("btaceptar");
  colocar(btaceptar, 4000, 4150, 1800, 400);
  connect(btactualizar, &QPushButton::clicked, this, &frmprintgraf::btactualizar_Click);
  connect(btaceptar, &QPushButton::clicked, this, &frmprintgraf::btaceptar_Click);
}

void frmprintgraf::Form_Load() {
  using idiomas::texto;
  setWindowTitle(texto(153));
  Frame1->setTitle(texto(154));
  Label3->setText(texto(155) + ":");
  Label4->setText(texto(156) + ":");
  Frame2->setTitle(texto(157));
  for (int i = 0; i < 3; ++i) opciones_[i]->setText(texto(158 + i) + ":");
  Label1->setText(texto(161));
  Label2->setText(texto(162));
  btactualizar->setText(texto(81));
  btaceptar->setText(texto(74));
}

void frmprintgraf::Show() {
  show();
  raise();
  activateWindow();
}

void frmprintgraf::Unload() { close(); }

void frmprintgraf::caducar() {
  ++caducados_;
  if (instancia_ != nullptr) instancia_->Unload();
}

void frmprintgraf::closeEvent(QCloseEvent* evento) {
  evento->accept();
  if (instancia_ == this) instancia_ = nullptr;
  deleteLater();
}

void frmprintgraf::Optprintgraf_Click(int Index) {
  niveles_[0]->setEnabled(Index == 0);
  niveles_[1]->setEnabled(Index == 0);
  txtfo->setEnabled(Index == 1);
  txtdp->setEnabled(Index == 2);
}

void frmprintgraf::comprobar_nivel(QLineEdit* caja) {
  const double v = plataforma::Val(caja->text());
  const double n = nfb();
  if (v > 0 && v <= n) return;
  aviso(idiomas::texto(170) + " 1 " + idiomas::texto(171) + " " + numero(n));
  caja->setText(textoanterior);
}

int frmprintgraf::opcion() const {
  for (int i = 0; i < 3; ++i)
    if (opciones_[i]->isChecked()) return i;
  return 0;
}

QString frmprintgraf::texto_dib() const {
  using idiomas::texto;
  auto linea = [](int clave, const QLineEdit* caja) {
    return texto(clave) + " = " + numero(plataforma::Val(caja->text())) + "\r\n";
  };
  QString s = linea(155, txtnp) + linea(156, txtfe);
  switch (opcion()) {
    case 0: s += linea(166, niveles_[0]) + linea(167, niveles_[1]); break;
    case 1: s += linea(168, txtfo); break;
    default: s += linea(169, txtdp); break;
  }
  return s;
}

void frmprintgraf::btactualizar_Click() {
  using plataforma::App::en_carpeta;
  const double primero = plataforma::Val(niveles_[0]->text());
  const double ultimo = plataforma::Val(niveles_[1]->text());
  const double n = nfb();
  if (ultimo < primero) return aviso(idiomas::texto(163));
  if (n < primero || n < ultimo) return aviso(idiomas::texto(164) + " " + numero(n));
  if (primero <= 0 || ultimo <= 0) return aviso(idiomas::texto(165));

  // The plotting program reads exactly the problem file on screen: the one
  // it was resolved to at Open or Save As, and only while it is still the
  // file opened or saved.
  QString argumento;
  const bool principal = frmMain::cargado();
  if (!plataforma::argumento_de_fichero(principal ? frmMain::instancia().fichero_en_disco() : global::archivo,
                                        argumento))
    return aviso(idiomas::texto(global::archivo.isEmpty() ? 216 : 210));
  if (principal && frmMain::instancia().avisar_si_cambiado(246)) return;
  // A plot-parameter file that cannot be written is said: the plotting
  // program would read an earlier one.
  const QString dib = plataforma::resolver_nombre(en_carpeta("dib"));
  QString motivo;
  if (!plataforma::escribir_bytes(dib, plataforma::a_1252(texto_dib()), &motivo))
    return plataforma::aviso_no_escrito(dib, motivo, textos::titulo);

  if (frmgraficos::cargado()) frmgraficos::instancia().Unload();
  static const char* const programas[] = {"niveles", "funciones", "probs"};
  static const char* const graficas[] = {"nivel", "funcion", "prob"};
  const int k = opcion();
  // The plot file of an earlier request goes first, so that a request the
  // program refuses never shows it as its answer.
  const bool borrada = borrar_grafica(en_carpeta(graficas[k]));
  // The window events go on while the program runs: nothing of the dialog
  // is used after it, and a graph of results that went stale meanwhile is
  // not shown, nor one whose program a later graph or Run ended first.
  const int caducados = caducados_;
  const std::int32_t estado =
      plataforma::ejecutar_y_esperar(en_carpeta(programas[k]), {argumento}, 6, idiomas::texto(215), {graficas[k]});
  if (plataforma::saliendo() || plataforma::relevado() || caducados != caducados_) return;
  // The plotting programs end with 0 only after a complete plot file; any
  // other status is a refusal, whatever file it left.
  if (estado != 0 || !borrada || !QFileInfo::exists(plataforma::resolver_nombre(en_carpeta(graficas[k])))) {
    // The program's reason stands in the console window, brought in front
    // with the message.
    plataforma::VentanaConsola& consola = plataforma::VentanaConsola::instancia();
    consola.mostrar_delante();
    plataforma::MsgBox(idiomas::texto(211), plataforma::vbInformation, QString(), &consola);
    return;
  }
  graficos::fichero_grafico = graficas[k];
  frmgraficos::instancia().Show();
}

void frmprintgraf::btaceptar_Click() {
  const QPointer<frmprintgraf> yo(this);
  btactualizar_Click();
  if (!yo.isNull()) Unload();
}
