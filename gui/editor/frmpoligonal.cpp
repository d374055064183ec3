#include "editor/frmpoligonal.hpp"

#include <QPushButton>
#include <algorithm>
#include <cstdint>

#include "editor/posicion.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/mensajes.hpp"
#include "platform/vb.hpp"

using editor::colocar;
using plataforma::Val;

namespace {

editor::DialogoZona* instancia_ = nullptr;

// Rows: pitch, the first row's top, and the height that shows five rows.
constexpr double paso_fila = 463;
constexpr double arriba_fila = 45;
constexpr double alto_visible = 2315;
constexpr int limite_superior = 11;

void subir(QWidget* w, double dy) { colocar(w, editor::twips(w).translated(0, dy)); }

}  // namespace

frmpoligonal& frmpoligonal::instancia() {
  return unica<frmpoligonal>(instancia_, [] { new frmpoligonal(); });
}

bool frmpoligonal::cargado() { return instancia_ != nullptr; }

frmpoligonal::frmpoligonal() : DialogoZona(instancia_, 130, 4680, 3195) {
  setObjectName("frmpoligonal");
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  colocar(Label2, 135, 90, 1050, 195);
  txtnvertices = new QLineEdit("2", this);
  txtnvertices->setObjectName("txtnvertices");
  txtnvertices->setReadOnly(true);
  colocar(txtnvertices, 1305, 45, 735, 285);
  udnvertices = new plataforma::UpDown(this);
  udnvertices->setObjectName("udnvertices");
  udnvertices->BuddyControl = txtnvertices;
  udnvertices->Min = 0;
  udnvertices->Max = limite_superior;
  udnvertices->Increment = 1;
  colocar(udnvertices, 2025, 45, 240, 285);

  frmfondo1 = new QFrame(this);
  frmfondo1->setObjectName("frmfondo1");
  colocar(frmfondo1, 135, 405, 4425, 2355);
  frmscroll1 = new QFrame(frmfondo1);
  frmscroll1->setObjectName("frmscroll1");
  colocar(frmscroll1, 135, 45, 4095, alto_visible);
  VScroll1 = new QScrollBar(Qt::Vertical, frmfondo1);
  VScroll1->setObjectName("VScroll1");
  colocar(VScroll1, 4095, 45, 210, alto_visible);
  VScroll1->setRange(0, 1);
  VScroll1->setPageStep(1);
  VScroll1->hide();
  VScroll1->raise();

  filas_.push_back(crear_fila(arriba_fila));
  for (QWidget* w : std::initializer_list<QWidget*>{fila(0).lbscroll1, fila(0).lbnvertice, fila(0).lbscroll2,
                                                    fila(0).lbx, fila(0).txtx, fila(0).lby, fila(0).txty})
    w->hide();
  fila(0).lbscroll1->setText("Vértice");
  fila(0).lbscroll2->setText(":");
  fila(0).lbx->setText("x");
  fila(0).lby->setText("y");

  colocar(btactualiza, 135, 2880, 1335, 315);
  colocar(btcancel, 1673, 2880, 1335, 315);
  colocar(btaceptar, 3210, 2880, 1335, 315);

  connect(txtnvertices, &QLineEdit::textChanged, this, &frmpoligonal::txtnvertices_Change);
  connect(udnvertices, &plataforma::UpDown::Change, this, &frmpoligonal::udnvertices_Change);
  connect(udnvertices, &plataforma::UpDown::UpClick, this, &frmpoligonal::udnvertices_UpClick);
  connect(udnvertices, &plataforma::UpDown::DownClick, this, &frmpoligonal::udnvertices_DownClick);
  connect(udnvertices, &plataforma::UpDown::MouseUp, this, &frmpoligonal::udnvertices_MouseUp);
  // A step of the bar and the thumb being dragged move the grid alike.
  connect(VScroll1, &QScrollBar::valueChanged, this, &frmpoligonal::VScroll1_Change);
}

frmpoligonal::~frmpoligonal() = default;

frmpoligonal::Fila frmpoligonal::crear_fila(double top) {
  const int n = static_cast<int>(filas_.size());
  auto etiqueta = [&](const char* nombre, double left, double width) {
    auto* l = new QLabel(frmscroll1);
    l->setObjectName(QStringLiteral("%1_%2").arg(nombre).arg(n));
    colocar(l, left, top, width, 195);
    return l;
  };
  // Row n's values are written as vertex n's; the end vertex moves on to the
  // rows the arrows add, up to 10, so the check takes the widest index.
  auto caja = [&](const char* nombre, double left, QString (*etiqueta)(int)) {
    const QByteArray nombre_caja = QStringLiteral("%1_%2").arg(nombre).arg(n).toLatin1();
    return caja_real(frmscroll1, nombre_caja.constData(), left, top, 765, 240,
                     [etiqueta, j = std::max(n, limite_superior - 1)] { return etiqueta(j); });
  };
  Fila f;
  // The two labels take the room up to the next one, so that "Vértice" and
  // a two-digit row number show whole in any font.
  f.lbscroll1 = etiqueta("lbscroll1", 450, 690);
  f.lbnvertice = etiqueta("lbnvertice", 1170, 255);
  f.lbscroll2 = etiqueta("lbscroll2", 1440, 75);
  f.lbx = etiqueta("lbx", 1620, 90);
  f.txtx = caja("txtx", 1800, lineas_problema::vertice_x);
  f.lby = etiqueta("lby", 2745, 90);
  f.txty = caja("txty", 2925, lineas_problema::vertice_y);
  return f;
}

void frmpoligonal::rellenar() {
  Label2->setText(idiomas::texto(131));
  fila(0).lbscroll1->setText(idiomas::texto(132));

  nfilas = 0;
  const Fila& plantilla = fila(0);
  for (QWidget* w : std::initializer_list<QWidget*>{plantilla.lbscroll1, plantilla.lbnvertice, plantilla.lbscroll2,
                                                    plantilla.lbx, plantilla.txtx, plantilla.lby, plantilla.txty})
    subir(w, -paso_fila);

  global::tzona& z = zona();
  if (z.nvertices > 2) {
    const int n = std::min<int>(z.nvertices, z.vertices.ubound());
    txtnvertices->setText(QString::number(n));
    udnvertices->Increment = 1;
    // A zone read from a file may bring more than ten rows: the arrows still
    // step from there (the up arrow then adds none).
    udnvertices->Max = std::max(limite_superior, n + 1);
    for (int r = 1; r <= n; ++r) {
      crear_vertice();
      const double x = r == 1 ? z.xini : r == n ? z.xfin : z.vertices(r).x;
      editor::mostrar_valor(txtx(r), x);
      editor::mostrar_valor(txty(r), z.vertices(r).y);
    }
    txtx(1)->setEnabled(false);
    txtx(n)->setEnabled(false);
  } else {
    z.nvertices = 2;
    z.vertices.redim_preserve(2);
    crear_vertice();
    crear_vertice();
    editor::mostrar_valor(txtx(1), z.xini);
    editor::mostrar_valor(txty(1), z.vertices(1).y);
    editor::mostrar_valor(txtx(2), z.xfin);
    editor::mostrar_valor(txty(2), z.vertices(2).y);
    txtx(1)->setEnabled(false);
    txtx(2)->setEnabled(false);
  }
}

void frmpoligonal::crear_vertice() {
  const int n = ++nfilas;
  const Fila anterior = fila(n - 1);  // a copy: the list grows below
  filas_.push_back(crear_fila(editor::Top(anterior.lbscroll1) + paso_fila));
  const Fila f = fila(n);
  f.lbscroll2->setText(":");
  f.lbx->setText("x");
  f.lby->setText("y");

  if (n < 6) {
    VScroll1->hide();
  } else {
    VScroll1->setMaximum(n - 5);
    VScroll1->show();
    QRectF g = editor::twips(frmscroll1);
    g.setHeight(g.height() + paso_fila);
    colocar(frmscroll1, g);
  }

  f.lbscroll1->setText("Vértice");
  f.lbnvertice->setText(QString::number(n));
  for (QWidget* w :
       std::initializer_list<QWidget*>{f.lbscroll1, f.lbnvertice, f.lbscroll2, f.lbx, f.txtx, f.lby, f.txty})
    w->show();

  if (n >= 3) {
    // The new row takes over the end vertex.
    editor::copiar_valor(anterior.txtx, f.txtx);
    editor::copiar_valor(anterior.txty, f.txty);
    anterior.txtx->setEnabled(true);
    f.txtx->setEnabled(false);
  }
}

void frmpoligonal::borra_vertice() {
  const int m = nfilas;
  if (m < 1) return;
  if (m < 7) VScroll1->hide();
  const int n = --nfilas;
  if (n > 5) VScroll1->setMaximum(n - 5);
  if (m > 5) {
    QRectF g = editor::twips(frmscroll1);
    g.setHeight(g.height() - paso_fila);
    colocar(frmscroll1, g);
  }
  // With the bar gone every row must show: the grid goes back to its top.
  if (m < 7 && VScroll1->value() != 0) VScroll1->setValue(0);
  if (n >= 2) {
    // The row before takes over the end vertex.
    editor::copiar_valor(txtx(m), txtx(n));
    editor::copiar_valor(txty(m), txty(n));
    txtx(n)->setEnabled(false);
  }
  const Fila f = fila(m);
  filas_.pop_back();
  for (QWidget* w :
       std::initializer_list<QWidget*>{f.lbscroll1, f.lbnvertice, f.lbscroll2, f.lbx, f.txtx, f.lby, f.txty})
    delete w;
}

void frmpoligonal::VScroll1_Change() {
  QRectF g = editor::twips(frmscroll1);
  const auto top = static_cast<std::int16_t>(-(VScroll1->value() * static_cast<int>(paso_fila)));
  g.moveTop(top);
  colocar(frmscroll1, g);
}

void frmpoligonal::txtnvertices_Change() {
  udnvertices->Increment = 0;
  editor::marcar_modificado();
}

void frmpoligonal::udnvertices_MouseUp(int Button) {
  if (Button == 1) udnvertices->Increment = 1;
}

void frmpoligonal::udnvertices_Change() { editor::marcar_modificado(); }

void frmpoligonal::udnvertices_UpClick() {
  const int U = limite_superior;
  if (Val(txtnvertices->text()) >= U || nfilas >= U - 1) {
    txtnvertices->setText(QString::number(std::max(nfilas, U - 1)));
    udnvertices->Increment = 1;
    plataforma::MsgBox(idiomas::texto(134) + " = " + QString::number(U - 1), plataforma::vbInformation);
  } else {
    crear_vertice();
  }
  editor::marcar_modificado();
}

void frmpoligonal::udnvertices_DownClick() {
  if (Val(txtnvertices->text()) == 1) {
    txtnvertices->setText("2");
    udnvertices->Increment = 1;
    plataforma::MsgBox(idiomas::texto(133) + " = 2", plataforma::vbInformation);
  } else {
    borra_vertice();
  }
  editor::marcar_modificado();
}

void frmpoligonal::actualizar() {
  global::tzona& z = zona();
  z.nvertices = static_cast<std::int16_t>(nfilas);
  z.vertices.redim_preserve(nfilas);
  for (int r = 1; r <= nfilas; ++r) {
    z.vertices(r).x = editor::valor_de(txtx(r));
    z.vertices(r).y = editor::valor_de(txty(r));
  }
}
