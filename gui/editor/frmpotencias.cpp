#include "editor/frmpotencias.hpp"

#include <QLineEdit>
#include <QPushButton>

#include "editor/posicion.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"

namespace {
editor::DialogoZona* instancia_ = nullptr;
}  // namespace

frmpotencias& frmpotencias::instancia() {
  return unica<frmpotencias>(instancia_, [] { new frmpotencias(); });
}

bool frmpotencias::cargado() { return instancia_ != nullptr; }

frmpotencias::frmpotencias() : DialogoZona(instancia_, 140, 6840, 4245) {
  setObjectName("frmpotencias");
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  editor::colocar(Frame1, 120, 60, 6600, 555);
  formula = new QLabel("V(x) = V0 + sum over i = 1..6 of Ci x^i + sum over j = 1..6 of C-j x^-j", Frame1);
  formula->setAlignment(Qt::AlignCenter);
  editor::colocar(formula, 120, 180, 6360, 255);

  auto fila = [this](int etiqueta, int caja, double left, double top) {
    auto* l = new QLabel(this);
    l->setObjectName(QStringLiteral("Label1_%1").arg(etiqueta));
    editor::colocar(l, left, top + 45, 1800, 255);
    etiquetas_[static_cast<std::size_t>(etiqueta)] = l;
    const QByteArray nombre = QStringLiteral("txtcoeficientes_%1").arg(caja).toLatin1();
    // Box i holds the coefficient of x^i, boxes 7 to 12 those of x^-1 to x^-6.
    const int potencia = caja <= 6 ? caja : 6 - caja;
    cajas_[static_cast<std::size_t>(caja)] = caja_real(this, nombre.constData(), left + 1860, top, 1095, 285,
                                                       [potencia] { return lineas_problema::coeficiente(potencia); });
  };
  // V0 on top; C1..C6 on the left, C-1..C-6 on the right.
  constexpr double arriba = 750, paso = 390;
  fila(13, 0, 1800, arriba);
  for (int i = 1; i <= 6; ++i) fila(i, i, 240, arriba + i * paso);
  for (int j = 1; j <= 6; ++j) fila(6 + j, 6 + j, 3660, arriba + j * paso);

  editor::colocar(btactualiza, 1560, 3720, 1155, 375);
  editor::colocar(btcancel, 2843, 3720, 1155, 375);
  editor::colocar(btaceptar, 4125, 3720, 1155, 375);
}

frmpotencias::~frmpotencias() = default;

void frmpotencias::rellenar() {
  Label1(13)->setText(idiomas::texto(55) + ":");
  for (int i = 1; i <= 6; ++i) Label1(i)->setText(idiomas::texto(140 + i) + ":");
  for (int j = 1; j <= 6; ++j) Label1(6 + j)->setText(idiomas::texto(146 + j) + ":");
  const global::tzona& z = zona();
  for (int i = 0; i <= 6; ++i) editor::mostrar_valor(txtcoeficientes(i), z.coeficientes(i));
  for (int j = 1; j <= 6; ++j) editor::mostrar_valor(txtcoeficientes(6 + j), z.coeficientes(-j));
}

void frmpotencias::actualizar() {
  global::tzona& z = zona();
  for (int i = 0; i <= 6; ++i) z.coeficientes(i) = editor::valor_de(txtcoeficientes(i));
  for (int i = -1; i >= -6; --i) z.coeficientes(i) = editor::valor_de(txtcoeficientes(6 - i));
}
