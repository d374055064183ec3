#pragma once
// The polygonal potential of a zone: the broken line through its vertices,
// edited in a scrolling grid of one row per vertex (an x box and a y box).
// The first and last rows show the zone's limits and cannot be edited; the
// count spinner adds a row before the end vertex or drops the last interior
// one. The zone record is written by Update alone (and by the load, when the
// zone held fewer than three vertices).
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <vector>

#include "editor/dialogo_zona.hpp"

namespace plataforma {
class UpDown;
}

class frmpoligonal : public editor::DialogoZona {
 public:
  static frmpoligonal& instancia();
  static bool cargado();

  QLabel* Label2;
  QLineEdit* txtnvertices;
  plataforma::UpDown* udnvertices;
  QFrame* frmfondo1;
  QFrame* frmscroll1;
  QScrollBar* VScroll1;

  // Element r of the row arrays: 0 is the hidden template, 1..nfilas the rows.
  QLabel* lbscroll1(int r) const { return fila(r).lbscroll1; }
  QLabel* lbnvertice(int r) const { return fila(r).lbnvertice; }
  QLabel* lbscroll2(int r) const { return fila(r).lbscroll2; }
  QLabel* lbx(int r) const { return fila(r).lbx; }
  QLineEdit* txtx(int r) const { return fila(r).txtx; }
  QLabel* lby(int r) const { return fila(r).lby; }
  QLineEdit* txty(int r) const { return fila(r).txty; }

  int nfilas = 0;

  void crear_vertice();
  void borra_vertice();

  void txtnvertices_Change();
  void udnvertices_Change();
  void udnvertices_UpClick();
  void udnvertices_DownClick();
  void udnvertices_MouseUp(int Button);
  void VScroll1_Change();

 protected:
  void rellenar() override;
  void actualizar() override;

 private:
  struct Fila {
    QLabel* lbscroll1 = nullptr;
    QLabel* lbnvertice = nullptr;
    QLabel* lbscroll2 = nullptr;
    QLabel* lbx = nullptr;
    QLineEdit* txtx = nullptr;
    QLabel* lby = nullptr;
    QLineEdit* txty = nullptr;
  };
  frmpoligonal();
  ~frmpoligonal() override;
  const Fila& fila(int r) const { return filas_.at(static_cast<std::size_t>(r)); }
  Fila crear_fila(double top);
  std::vector<Fila> filas_;
};
