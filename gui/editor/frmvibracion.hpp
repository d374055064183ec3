#pragma once
// The vibration potential of a zone:
// V(x) = V0 + K2/2 (x - x0)^2 + K3/6 (x - x0)^3 + K4/24 (x - x0)^4.
#include <QGroupBox>
#include <QLabel>
#include <array>

#include "editor/dialogo_zona.hpp"

class frmvibracion : public editor::DialogoZona {
 public:
  static frmvibracion& instancia();
  static bool cargado();

  QGroupBox* Frame1;
  QLabel* formula;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLineEdit* txtcoeficientex0;
  // Elements 0, 2, 3 and 4.
  QLineEdit* txtcoeficientes(int Index) const { return cajas_.at(static_cast<std::size_t>(Index)); }

 protected:
  void rellenar() override;
  void actualizar() override;

 private:
  frmvibracion();
  ~frmvibracion() override;
  std::array<QLineEdit*, 5> cajas_{};
};
