#include "editor/frmvibracion.hpp"

#include <QLineEdit>
#include <QPushButton>

#include "editor/posicion.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"

namespace {
editor::DialogoZona* instancia_ = nullptr;
}  // namespace

frmvibracion& frmvibracion::instancia() {
  return unica<frmvibracion>(instancia_, [] { new frmvibracion(); });
}

bool frmvibracion::cargado() { return instancia_ != nullptr; }

frmvibracion::frmvibracion() : DialogoZona(instancia_, 200, 6840, 3315) {
  setObjectName("frmvibracion");
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  editor::colocar(Frame1, 120, 60, 6600, 555);
  formula = new QLabel("V(x) = V0 + K2/2 (x - x0)^2 + K3/6 (x - x0)^3 + K4/24 (x - x0)^4", Frame1);
  formula->setAlignment(Qt::AlignCenter);
  editor::colocar(formula, 120, 180, 6360, 255);

  // Five rows: x0, V0, K2, K3, K4.
  auto etiqueta = [this](const char* nombre, double top) {
    auto* l = new QLabel(this);
    l->setObjectName(nombre);
    editor::colocar(l, 1320, top + 45, 1800, 255);
    return l;
  };
  constexpr double arriba = 780, paso = 390, caja_left = 3240;
  Label1 = etiqueta("Label1", arriba);
  txtcoeficientex0 = caja_real(this, "txtcoeficientex0", caja_left, arriba, 1095, 285, lineas_problema::x0);
  Label2 = etiqueta("Label2", arriba + paso);
  cajas_[0] = caja_real(this, "txtcoeficientes_0", caja_left, arriba + paso, 1095, 285, lineas_problema::v0);
  Label3 = etiqueta("Label3", arriba + 2 * paso);
  cajas_[2] = caja_real(this, "txtcoeficientes_2", caja_left, arriba + 2 * paso, 1095, 285,
                        [] { return lineas_problema::k(2); });
  Label4 = etiqueta("Label4", arriba + 3 * paso);
  cajas_[3] = caja_real(this, "txtcoeficientes_3", caja_left, arriba + 3 * paso, 1095, 285,
                        [] { return lineas_problema::k(3); });
  Label5 = etiqueta("Label5", arriba + 4 * paso);
  cajas_[4] = caja_real(this, "txtcoeficientes_4", caja_left, arriba + 4 * paso, 1095, 285,
                        [] { return lineas_problema::k(4); });

  editor::colocar(btactualiza, 1560, 2790, 1155, 375);
  editor::colocar(btcancel, 2843, 2790, 1155, 375);
  editor::colocar(btaceptar, 4125, 2790, 1155, 375);
}

frmvibracion::~frmvibracion() = default;

void frmvibracion::rellenar() {
  Label1->setText(idiomas::texto(59) + ":");
  Label2->setText(idiomas::texto(55) + ":");
  Label3->setText(idiomas::texto(60) + ":");
  Label4->setText(idiomas::texto(61) + ":");
  Label5->setText(idiomas::texto(62) + ":");
  const global::tzona& z = zona();
  editor::mostrar_valor(txtcoeficientex0, z.x0);
  for (int i : {0, 2, 3, 4}) editor::mostrar_valor(txtcoeficientes(i), z.coeficientes(i));
}

void frmvibracion::actualizar() {
  global::tzona& z = zona();
  z.x0 = editor::valor_de(txtcoeficientex0);
  for (int i : {0, 2, 3, 4}) z.coeficientes(i) = editor::valor_de(txtcoeficientes(i));
}
