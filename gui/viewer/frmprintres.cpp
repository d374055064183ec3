#include "viewer/frmprintres.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "editor/frmdatos.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/textos.hpp"
#include "platform/app.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"
#include "viewer/graficos.hpp"

using plataforma::colocar;

namespace {

frmprintres* instancia_ = nullptr;

// The line that ends every block of the report but the last.
const QString separador = QStringLiteral("... / ...");

// A box's text as a whole number; an empty box counts as 0.
int entero(const QLineEdit* caja) { return static_cast<int>(std::lround(plataforma::Val(caja->text()))); }

}  // namespace

frmprintres& frmprintres::instancia() {
  if (instancia_ == nullptr) {
    instancia_ = new frmprintres();
    instancia_->Form_Load();
  }
  return *instancia_;
}

bool frmprintres::cargado() { return instancia_ != nullptr; }

void frmprintres::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

// A dialog of the main window: it stays in front of it, and stays modeless.
frmprintres::frmprintres()
    : QDialog(frmMain::cargado() ? &frmMain::instancia() : nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmprintres");
  setModal(false);
  // The main window may take the dialog with it when it goes.
  frmprintres* const yo = this;
  connect(this, &QObject::destroyed, [yo] {
    if (instancia_ == yo) instancia_ = nullptr;
  });
  setFixedSize(plataforma::pixeles_x(5400), plataforma::pixeles_y(4300));
  for (int i = 0; i < 2; ++i) {
    opciones_[i] = new QRadioButton(this);
    opciones_[i]->setObjectName(QString("Optprintres(%1)").arg(i));
    colocar(opciones_[i], 240, 160 + i * 360, 4900, 300);
    connect(opciones_[i], &QRadioButton::clicked, this, [this, i] { Optprintres_Click(i); });
  }
  opciones_[0]->setChecked(true);
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  colocar(Frame1, 240, 900, 4900, 2700);
  for (int i = 0; i < 4; ++i) {
    matrices_[i] = new QCheckBox(Frame1);
    matrices_[i]->setObjectName(QString("chkmatrices(%1)").arg(i));
    colocar(matrices_[i], 200, 200 + i * 330, 4500, 300);
  }
  Label3 = new QLabel(Frame1);
  colocar(Label3, 200, 1620, 4500, 280);
  Label1 = new QLabel(Frame1);
  colocar(Label1, 200, 2020, 900, 280);
  Label2 = new QLabel(Frame1);
  colocar(Label2, 2300, 2020, 900, 280);
  for (int i = 0; i < 2; ++i) {
    estados_[i] = new QLineEdit("0", Frame1);
    estados_[i]->setObjectName(QString("txtvp(%1)").arg(i));
    colocar(estados_[i], 1150 + i * 2100, 1980, 900, 330);
    new plataforma::CajaNumerica(estados_[i], {"-.", {""}, false}, graficos::textoanterior);
  }
  Frame1->setEnabled(false);
  btactualizar = new QPushButton(this);
  btactualizar->setObjectName("btactualizar");
  colocar(btactualizar, 1300, 3750, 1800, 400);
  btaceptar = new QPushButton(this);
  btaceptar->setObjectName("btaceptar");
  colocar(btaceptar, 3340, 3750, 1800, 400);
  connect(btactualizar, &QPushButton::clicked, this, &frmprintres::btactualizar_Click);
  connect(btaceptar, &QPushButton::clicked, this, &frmprintres::btaceptar_Click);
}

void frmprintres::Form_Load() {
  using idiomas::texto;
  setWindowTitle(texto(190));
  opciones_[0]->setText(texto(191));
  opciones_[1]->setText(texto(192));
  for (int i = 0; i < 4; ++i) matrices_[i]->setText(texto(193 + i));
  Label3->setText(texto(197) + ":");
  Label1->setText(texto(198) + ":");
  Label2->setText(texto(199) + ":");
  btactualizar->setText(texto(81));
  btaceptar->setText(texto(74));
}

void frmprintres::Show() {
  show();
  raise();
  activateWindow();
}

void frmprintres::Unload() { close(); }

void frmprintres::closeEvent(QCloseEvent* evento) {
  evento->accept();
  if (instancia_ == this) instancia_ = nullptr;
  deleteLater();
}

void frmprintres::Optprintres_Click(int Index) { Frame1->setEnabled(Index == 1); }

void frmprintres::btactualizar_Click() {
  using plataforma::App::en_carpeta;
  if (opciones_[0]->isChecked()) {
    frmMain::instancia().escribir_archivo_pantalla(en_carpeta("res.tot"));
    return;
  }
  const double primero = plataforma::Val(estados_[0]->text());
  const double ultimo = plataforma::Val(estados_[1]->text());
  if (ultimo < primero) {
    plataforma::MsgBox(idiomas::texto(163), plataforma::vbInformation, QString());
    return;
  }
  const double nfb = frmdatos::cargado() ? plataforma::Val(frmdatos::instancia().txtfb->text()) : 0;
  if (nfb < primero || nfb < ultimo) {
    plataforma::MsgBox(idiomas::texto(164) + " " + QString::number(nfb, 'g', 15), plataforma::vbInformation,
                       QString());
    return;
  }
  if (escribe_res_min()) frmMain::instancia().escribir_archivo_pantalla(en_carpeta("res.min"));
}

void frmprintres::btaceptar_Click() {
  btactualizar_Click();
  Unload();
}

std::vector<bool> frmprintres::mascara(int nbloques, const std::array<bool, 4>& matrices, int a, int b) {
  std::vector<bool> m(static_cast<std::size_t>(std::max(nbloques, 0)), false);
  auto fijar = [&m](int bloque, bool valor) {
    if (bloque >= 1 && bloque <= static_cast<int>(m.size())) m[static_cast<std::size_t>(bloque - 1)] = valor;
  };
  fijar(1, true);
  for (int k = 0; k < 4; ++k) {
    fijar(2 + 2 * k, matrices[k]);
    fijar(3 + 2 * k, matrices[k]);
  }
  fijar(10, true);
  const int nfb = nbloques - 11;
  if (a > 0 && b > 0)
    for (int i = 1; i <= nfb; ++i) fijar(10 + i, a <= i && i <= b);
  fijar(nbloques, true);
  return m;
}

// The block count comes from the report itself (one block more than its
// separator lines), so a basis size changed in the editor after the run
// cannot cut the copy wrongly.
bool frmprintres::escribe_res_min() {
  using plataforma::App::en_carpeta;
  QByteArray bytes;
  if (!plataforma::leer_bytes(plataforma::resolver_nombre(en_carpeta("res.tot")), bytes)) return false;
  const QStringList lineas = plataforma::lineas(bytes);
  const int nbloques = static_cast<int>(lineas.count(separador)) + 1;
  std::array<bool, 4> matrices{};
  for (int k = 0; k < 4; ++k) matrices[k] = matrices_[k]->isChecked();
  const std::vector<bool> m = mascara(nbloques, matrices, entero(estados_[0]), entero(estados_[1]));
  QString copia;
  std::size_t k = 0;
  for (const QString& linea : lineas) {
    if (m[k]) copia += linea + "\r\n";
    if (linea == separador) ++k;
  }
  // A copy that cannot be written is told with the system's reason; the
  // former res.min stays as it was, and nothing is shown.
  const QString destino = plataforma::resolver_nombre(en_carpeta("res.min"));
  QString motivo;
  if (!plataforma::escribir_bytes(destino, plataforma::a_1252(copia), &motivo)) {
    plataforma::aviso_no_escrito(destino, motivo, textos::titulo);
    return false;
  }
  return true;
}
