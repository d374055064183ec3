#pragma once
// The constant potential of a zone: V(x) = V0.
#include <QGroupBox>
#include <QLabel>

#include "editor/dialogo_zona.hpp"

class frmconstante : public editor::DialogoZona {
 public:
  // The one dialog, created and loaded on first use.
  static frmconstante& instancia();
  static bool cargado();

  QGroupBox* Frame1;
  QLabel* formula;
  QLabel* Label2;
  QLineEdit* txtcoeficientes(int Index) const;

 protected:
  void rellenar() override;
  void actualizar() override;

 private:
  frmconstante();
  ~frmconstante() override;
  QLineEdit* v0_;
};
