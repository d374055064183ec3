// The zone limits on the strip: typed over their labels and dragged by their
// separators, with real key and mouse events.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor/posicion.hpp"
#include "editor_comun.hpp"
#include "frame/global.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/twips.hpp"

using global::nzonas;
using global::zonas;

namespace {

QStringList limites() {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << QString::number(zonas[k].xini) + "-" + QString::number(zonas[k].xfin);
  return l;
}

// The limits to one decimal, for positions reached by a pointer.
QStringList limites_cerca() {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << QString::number(zonas[k].xini, 'f', 1) + "-" + QString::number(zonas[k].xfin, 'f', 1);
  return l;
}

QStringList vertices(int k) {
  QStringList l;
  for (int i = 1; i <= zonas[k].nvertices; ++i)
    l << QString::number(zonas[k].vertices(i).x) + "|" + QString::number(zonas[k].vertices(i).y);
  return l;
}

// Zone 0 polygonal through (0, 0), (4, 1), (5, 2); zone 1 constant [5, 10].
void poligono_y_constante(frmdatos& d) {
  prueba::subir_zonas(d);
  d.cmbpotencial(0)->setCurrentIndex(1);
  Q_EMIT d.cmbpotencial(0)->activated(1);
  auto& z = zonas[0];
  z.nvertices = 3;
  z.vertices.redim_preserve(3);
  z.vertices(1) = {0, 0};
  z.vertices(2) = {4, 1};
  z.vertices(3) = {5, 2};
  d.pinta_zonas();
}

// Double-clicks a limit label, types over it and ends with Enter.
void teclear_limite(frmdatos& d, int i, const QString& texto) {
  QTest::mouseDClick(d.lblintervalo(i), Qt::LeftButton);
  QLineEdit* caja = d.txtescala(i);
  QVERIFY(!caja->isHidden());
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_Backspace);
  QTest::keyClicks(caja, texto);
  QTest::keyClick(caja, Qt::Key_Return);
}

// The pixel column inside frmzonas of box coordinate v.
int columna(const frmdatos& d, double v) {
  const double a = 0, b = 10;  // the box of these tests
  const double X = d.borde_izquierdo + (v - a) * (d.borde_derecho - d.borde_izquierdo) / (b - a);
  return plataforma::pixeles_x(X);
}

// Drags separator k along its row through the given box coordinates.
class Arrastre {
 public:
  Arrastre(frmdatos& d, int k) : d_(d), s_(d.lnsepara(k)) {
    fila_ = s_->geometry().center().y();
    QTest::mousePress(s_, Qt::LeftButton);
    QTest::mouseMove(s_, s_->rect().center() + QPoint(0, 1));
  }
  void a(double v) {
    const QPoint en_marco(columna(d_, v), fila_);
    QTest::mouseMove(s_, s_->mapFromGlobal(d_.frmzonas->mapToGlobal(en_marco)));
  }
  ~Arrastre() { QTest::mouseRelease(s_, Qt::LeftButton, {}, s_->rect().center()); }

 private:
  frmdatos& d_;
  QPushButton* s_;
  int fila_;
};

}  // namespace

class PruebaLimitesZona : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void etiquetas();
  void limite_tecleado_data();
  void limite_tecleado();
  void vacio_o_menos_sigue_abierto_data();
  void vacio_o_menos_sigue_abierto();
  void salir_de_la_caja_aplica();
  void fin_de_la_caja_estrecha_la_zona_0();
  void poligono_tecleado();
  void arrastre_de_poligono();
  void arrastre_sobre_el_vecino_rechazado();
  void arrastre_de_zona_poligonal_derecha();
  void pulsar_y_soltar_modifica();
};

void PruebaLimitesZona::etiquetas() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());
  for (int k : {0, 1, 10}) {
    QLabel* l = p.d().lblintervalo(k);
    QCOMPARE(l->toolTip(), QString("Click para cambiar"));
    QCOMPARE(l->cursor().shape(), Qt::BitmapCursor);
    QVERIFY(p.d().txtescala(k)->isHidden());
  }
}

void PruebaLimitesZona::limite_tecleado_data() {
  QTest::addColumn<int>("etiqueta");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("mensaje");
  QTest::addColumn<QStringList>("despues");
  const QStringList iguales{"0-5", "5-10"};
  QTest::newRow("box start at the next limit") << 0 << "5" << "en103" << iguales;
  QTest::newRow("limit at the box end") << 1 << "10" << "en103" << iguales;
  QTest::newRow("limit at the box start") << 1 << "0" << "en104" << iguales;
  QTest::newRow("box end at the last zone's start") << 10 << "5" << "en104" << iguales;
  QTest::newRow("limit inside") << 1 << "7.25" << "" << QStringList({"0-7.25", "7.25-10"});
  QTest::newRow("box start below") << 0 << "-2" << "" << QStringList({"-2-5", "5-10"});
  QTest::newRow("box end above") << 10 << "12" << "" << QStringList({"0-5", "5-12"});
}

void PruebaLimitesZona::limite_tecleado() {
  QFETCH(int, etiqueta);
  QFETCH(QString, texto);
  QFETCH(QString, mensaje);
  QFETCH(QStringList, despues);
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
  prueba::Guion guion;
  global::modificado = false;
  teclear_limite(d, etiqueta, texto);
  QCOMPARE(limites(), despues);
  if (mensaje.isEmpty()) {
    QVERIFY(guion.cajas.isEmpty());
    QVERIFY(d.txtescala(etiqueta)->isHidden());
    QCOMPARE(d.lblintervalo(etiqueta)->text(), QString::number(texto.toDouble(), 'f', 3));
    QVERIFY(global::modificado);
  } else {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, mensaje);
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbOKOnly);
    // The box stays open with the typed text.
    QVERIFY(!d.txtescala(etiqueta)->isHidden());
    QCOMPARE(d.txtescala(etiqueta)->text(), texto);
    QVERIFY(!global::modificado);
  }
  // The end vertices follow a moved limit.
  if (mensaje.isEmpty()) {
    const double v = texto.toDouble();
    if (etiqueta == 0) QCOMPARE(zonas[0].vertices(1).x, v);
    if (etiqueta == 10) QCOMPARE(zonas[1].vertices(2).x, v);
    if (etiqueta == 1) {
      QCOMPARE(zonas[0].vertices(2).x, v);
      QCOMPARE(zonas[1].vertices(1).x, v);
    }
  }
}

void PruebaLimitesZona::vacio_o_menos_sigue_abierto_data() {
  QTest::addColumn<QString>("texto");
  QTest::newRow("empty") << "";
  QTest::newRow("minus") << "-";
}

void PruebaLimitesZona::vacio_o_menos_sigue_abierto() {
  QFETCH(QString, texto);
  prueba::Problema p;
  prueba::Guion guion;
  teclear_limite(p.d(), 10, texto);
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(!p.d().txtescala(10)->isHidden());
  QCOMPARE(p.d().txtescala(10)->text(), texto);
  QCOMPARE(limites(), QStringList({"0-10"}));
  // A letter falls back to the text before it.
  QTest::keyClicks(p.d().txtescala(10), "1x");
  QCOMPARE(p.d().txtescala(10)->text(), texto + "1");
}

void PruebaLimitesZona::salir_de_la_caja_aplica() {
  prueba::Problema p;
  QTest::mouseDClick(p.d().lblintervalo(10), Qt::LeftButton);
  QLineEdit* caja = p.d().txtescala(10);
  QCOMPARE(caja->text(), QString("10.000"));
  caja->selectAll();
  QTest::keyClicks(caja, "8");
  QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(caja, &e);
  QVERIFY(caja->isHidden());
  QCOMPARE(limites(), QStringList({"0-8"}));
  QCOMPARE(p.d().lblintervalo(10)->text(), QString("8.000"));
}

void PruebaLimitesZona::fin_de_la_caja_estrecha_la_zona_0() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  const double antes = editor::Width(d.pctzona(0));
  teclear_limite(d, 10, "12");
  QCOMPARE(d.lblintervalo(10)->text(), QString("12.000"));
  QCOMPARE(limites(), QStringList({"0-5", "5-12"}));
  const double ancho = d.borde_derecho - d.borde_izquierdo;
  QCOMPARE(editor::Width(d.pctzona(0)), ancho * 5 / 12);
  QVERIFY(editor::Width(d.pctzona(0)) < antes);
}

void PruebaLimitesZona::poligono_tecleado() {
  prueba::Problema p;
  poligono_y_constante(p.d());
  teclear_limite(p.d(), 1, "3");
  QCOMPARE(limites(), QStringList({"0-3", "3-10"}));
  // Only the end vertices move.
  QCOMPARE(vertices(0), QStringList({"0|0", "4|1", "3|2"}));
  QCOMPARE(vertices(1), QStringList({"3|0", "10|0"}));
}

void PruebaLimitesZona::arrastre_de_poligono() {
  prueba::Problema p;
  frmdatos& d = p.d();
  poligono_y_constante(d);
  global::modificado = false;
  {
    Arrastre arrastre(d, 1);
    QVERIFY(global::modificado);
    arrastre.a(4.5);
    QCOMPARE(int(zonas[0].nvertices), 3);
    QCOMPARE(d.lnsepara(1)->cursor().shape(), Qt::SizeHorCursor);
    arrastre.a(3.95);
    QCOMPARE(int(zonas[0].nvertices), 2);
    arrastre.a(3.9);
  }
  const double v = zonas[0].xfin;
  QVERIFY(std::fabs(v - 3.9) < 0.02);
  QCOMPARE(zonas[1].xini, v);
  QCOMPARE(int(zonas[0].nvertices), 2);
  QCOMPARE(zonas[0].vertices(1).x, 0.0);
  QCOMPARE(zonas[0].vertices(2).x, v);
  QCOMPARE(zonas[0].vertices(2).y, 1.0);
  QCOMPARE(int(zonas[0].ncurva), 2);
  QCOMPARE(zonas[1].vertices(1).x, v);
  // The strip follows: zone 1 starts at the separator.
  QCOMPARE(d.lblintervalo(1)->text(), QString::number(v, 'f', 3));
}

void PruebaLimitesZona::arrastre_sobre_el_vecino_rechazado() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  {
    Arrastre arrastre(d, 1);
    arrastre.a(2);
    QCOMPARE(limites_cerca(), QStringList({"0.0-2.0", "2.0-10.0"}));
    // Onto the box start and past the box end: refused.
    arrastre.a(0);
    QCOMPARE(limites_cerca(), QStringList({"0.0-2.0", "2.0-10.0"}));
    QCOMPARE(d.lnsepara(1)->cursor().shape(), Qt::ForbiddenCursor);
    arrastre.a(10);
    QCOMPARE(limites_cerca(), QStringList({"0.0-2.0", "2.0-10.0"}));
    arrastre.a(6);
    QVERIFY(std::fabs(zonas[0].xfin - 6) < 0.02);
  }
  QVERIFY(zonas[0].xfin > zonas[0].xini && zonas[1].xfin > zonas[1].xini);
}

void PruebaLimitesZona::arrastre_de_zona_poligonal_derecha() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);  // [0, 5], [5, 10]
  d.cmbpotencial(1)->setCurrentIndex(1);
  Q_EMIT d.cmbpotencial(1)->activated(1);
  auto& z = zonas[1];
  z.nvertices = 4;
  z.vertices.redim_preserve(4);
  z.vertices(1) = {5, 0};
  z.vertices(2) = {6, 1};
  z.vertices(3) = {7, 2};
  z.vertices(4) = {10, 3};
  {
    Arrastre arrastre(d, 1);
    // Past both interior vertices at once: one is dropped per position.
    arrastre.a(7.5);
    QCOMPARE(int(z.nvertices), 3);
    arrastre.a(7.6);
    QCOMPARE(int(z.nvertices), 2);
    arrastre.a(7.7);
  }
  QCOMPARE(int(z.nvertices), 2);
  QCOMPARE(z.vertices(1).x, z.xini);
  QCOMPARE(z.vertices(2).x, 10.0);
  QCOMPARE(z.vertices(2).y, 3.0);
  QCOMPARE(z.vertices(1).y, 0.0);
}

void PruebaLimitesZona::pulsar_y_soltar_modifica() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());
  global::modificado = false;
  { Arrastre arrastre(p.d(), 1); }
  QVERIFY(global::modificado);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
}

QTEST_MAIN(PruebaLimitesZona)
#include "limites_zona_test.moc"
