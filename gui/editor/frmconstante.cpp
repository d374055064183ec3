#include "editor/frmconstante.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

#include "editor/posicion.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"

namespace {
editor::DialogoZona* instancia_ = nullptr;
}

frmconstante& frmconstante::instancia() {
  return unica<frmconstante>(instancia_, [] { new frmconstante(); });
}

bool frmconstante::cargado() { return instancia_ != nullptr; }

frmconstante::frmconstante() : DialogoZona(instancia_, 80, 3960, 1935) {
  setObjectName("frmconstante");
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  editor::colocar(Frame1, 120, 60, 3720, 555);
  formula = new QLabel("V(x) = V0", Frame1);
  formula->setAlignment(Qt::AlignCenter);
  editor::colocar(formula, 120, 180, 3480, 255);
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  editor::colocar(Label2, 240, 840, 1200, 255);
  v0_ = caja_real(this, "txtcoeficientes_0", 1560, 795, 1095, 285, lineas_problema::v0);
  editor::colocar(btactualiza, 120, 1380, 1155, 375);
  editor::colocar(btcancel, 1403, 1380, 1155, 375);
  editor::colocar(btaceptar, 2685, 1380, 1155, 375);
}

frmconstante::~frmconstante() = default;

QLineEdit* frmconstante::txtcoeficientes(int Index) const {
  if (Index != 0) throw std::out_of_range("frmconstante::txtcoeficientes");
  return v0_;
}

void frmconstante::rellenar() {
  Label2->setText(idiomas::texto(55) + ":");
  editor::mostrar_valor(v0_, zona().coeficientes(0));
}

void frmconstante::actualizar() {
  global::tzona& z = zona();
  z.coeficientes(0) = editor::valor_de(v0_);
  z.vertices(1).x = z.xini;
  z.vertices(1).y = editor::valor_de(v0_);
  z.vertices(2).x = z.xfin;
  z.vertices(2).y = editor::valor_de(v0_);
}
