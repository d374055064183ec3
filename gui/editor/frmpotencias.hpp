#pragma once
// The power-series potential of a zone:
// V(x) = V0 + sum of Ci x^i for i = 1..6 + sum of C-j x^-j for j = 1..6.
// Box i holds Ci for i = 0..6, box 6 + j holds C-j.
#include <QGroupBox>
#include <QLabel>
#include <array>

#include "editor/dialogo_zona.hpp"

class frmpotencias : public editor::DialogoZona {
 public:
  static frmpotencias& instancia();
  static bool cargado();

  QGroupBox* Frame1;
  QLabel* formula;
  QLabel* Label1(int Index) const { return etiquetas_.at(static_cast<std::size_t>(Index)); }
  QLineEdit* txtcoeficientes(int Index) const { return cajas_.at(static_cast<std::size_t>(Index)); }

 protected:
  void rellenar() override;
  void actualizar() override;

 private:
  frmpotencias();
  ~frmpotencias() override;
  std::array<QLabel*, 14> etiquetas_{};  // 0 unused; 13 labels V0
  std::array<QLineEdit*, 13> cajas_{};
};
