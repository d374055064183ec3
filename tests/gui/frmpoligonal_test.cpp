// The polygonal dialog: the vertex grid, its count spinner, its scrolling,
// the load and Update.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "comun.hpp"
#include "editor/dialogo_zona.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpoligonal.hpp"
#include "editor/posicion.hpp"
#include "editor_comun.hpp"
#include "frame/global.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/mensajes.hpp"

using global::zonas;

namespace {

// Makes zone k polygonal and opens its dialog.
frmpoligonal& abrir(frmdatos& d, int k) {
  QComboBox* c = d.cmbpotencial(k);
  c->setCurrentIndex(1);
  Q_EMIT c->activated(1);
  QTest::mouseClick(d.btnzona(k), Qt::LeftButton);
  return frmpoligonal::instancia();
}

void poner_vertices(int k, const QList<global::tvertice>& v) {
  auto& z = zonas[k];
  z.nvertices = static_cast<std::int16_t>(v.size());
  z.vertices.redim_preserve(static_cast<int>(v.size()));
  for (int i = 0; i < v.size(); ++i) z.vertices(i + 1) = v[i];
}

// The rows as "x|y", with a "*" after an x box that can be edited.
QStringList filas(const frmpoligonal& g) {
  QStringList l;
  for (int r = 1; r <= g.nfilas; ++r)
    l << g.txtx(r)->text() + (g.txtx(r)->isEnabled() ? "*" : "") + "|" + g.txty(r)->text();
  return l;
}

QStringList vertices(int k) {
  QStringList l;
  for (int i = 1; i <= zonas[k].nvertices; ++i)
    l << QString::number(zonas[k].vertices(i).x) + "|" + QString::number(zonas[k].vertices(i).y);
  return l;
}

void arriba(frmpoligonal& g, int veces = 1) {
  for (int i = 0; i < veces; ++i) QTest::mouseClick(g.udnvertices->boton_arriba(), Qt::LeftButton);
}
void abajo(frmpoligonal& g, int veces = 1) {
  for (int i = 0; i < veces; ++i) QTest::mouseClick(g.udnvertices->boton_abajo(), Qt::LeftButton);
}

}  // namespace

class PruebaFrmpoligonal : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void zona_nueva();
  void flecha_arriba_desde_dos();
  void flecha_abajo_quita_el_ultimo_interior();
  void seis_filas_y_la_barra();
  void limites_del_contador_data();
  void limites_del_contador();
  void una_pulsacion_sostenida_es_una_fila();
  void flechas_y_cancelar();
  void actualizar_guarda_lo_tecleado();
  void septima_zona_partida();
  void quitar_filas_desplazado_vuelve_arriba();
  void mas_de_diez_vertices();
};

void PruebaFrmpoligonal::zona_nueva() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());  // zone 0 is [0, 5]
  frmpoligonal& g = abrir(p.d(), 0);
  QCOMPARE(g.windowTitle(), QString("Zona 1: en106"));
  QCOMPARE(g.Label2->text(), QString("en131"));
  QCOMPARE(g.lbscroll1(0)->text(), QString("en132"));
  QCOMPARE(g.btactualiza->text(), QString("en81"));
  QCOMPARE(g.nfilas, 2);
  QCOMPARE(filas(g), QStringList({"0.000|0.000", "5.000|0.000"}));
  QCOMPARE(g.txtnvertices->text(), QString("2"));
  QVERIFY(g.VScroll1->isHidden());
  QVERIFY(!p.d().isEnabled());
  for (int r = 1; r <= 2; ++r) {
    QCOMPARE(g.lbscroll1(r)->text(), QString("Vértice"));
    QCOMPARE(g.lbnvertice(r)->text(), QString::number(r));
    QCOMPARE(g.lbscroll2(r)->text(), QString(":"));
    QCOMPARE(editor::Top(g.txty(r)), 45.0 + 463 * (r - 1));
    QVERIFY(!g.txtx(r)->isHidden());
  }
  // The template sits one row above row 1 and is never shown.
  QCOMPARE(editor::Top(g.txtx(0)), 45.0 - 463);
  QVERIFY(g.txtx(0)->isHidden());
}

void PruebaFrmpoligonal::flecha_arriba_desde_dos() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());
  zonas[0].vertices(2).y = 1.5;
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g);
  QCOMPARE(g.nfilas, 3);
  QCOMPARE(filas(g), QStringList({"0.000|0.000", "5.000*|1.500", "5.000|1.500"}));
  QCOMPARE(g.txtnvertices->text(), QString("3"));
  QCOMPARE(g.lbnvertice(3)->text(), QString("3"));
  QCOMPARE(editor::Top(g.lbx(3)), 45.0 + 2 * 463);
  // The zone is written by Update alone.
  QCOMPARE(int(zonas[0].nvertices), 2);
}

void PruebaFrmpoligonal::flecha_abajo_quita_el_ultimo_interior() {
  prueba::Problema p;
  poner_vertices(0, {{0, 1}, {3, 5}, {6, 2}, {10, 0}});
  frmpoligonal& g = abrir(p.d(), 0);
  QCOMPARE(g.txtnvertices->text(), QString("4"));
  QCOMPARE(filas(g), QStringList({"0.000|1.000", "3.000*|5.000", "6.000*|2.000", "10.000|0.000"}));
  abajo(g);
  QCOMPARE(filas(g), QStringList({"0.000|1.000", "3.000*|5.000", "10.000|0.000"}));
  QTest::mouseClick(g.btaceptar, Qt::LeftButton);
  QCOMPARE(vertices(0), QStringList({"0|1", "3|5", "10|0"}));
}

void PruebaFrmpoligonal::seis_filas_y_la_barra() {
  prueba::Problema p;
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g, 3);
  QVERIFY(g.VScroll1->isHidden());
  QCOMPARE(editor::Height(g.frmscroll1), 2315.0);
  arriba(g);
  QCOMPARE(g.nfilas, 6);
  QVERIFY(!g.VScroll1->isHidden());
  QCOMPARE(g.VScroll1->maximum(), 1);
  QCOMPARE(editor::Height(g.frmscroll1), 2315.0 + 463);
  g.VScroll1->setValue(1);
  QCOMPARE(editor::Top(g.frmscroll1), -463.0);
  // Row 1 has left the viewport and row 6 shows.
  const QRect vista = g.frmfondo1->rect();
  auto en_vista = [&](QWidget* w) { return vista.contains(w->mapTo(g.frmfondo1, QPoint(0, w->height() - 1))); };
  QVERIFY(!vista.contains(g.txtx(1)->mapTo(g.frmfondo1, QPoint(0, 0))));
  QVERIFY(en_vista(g.txtx(6)));
  arriba(g, 2);
  QCOMPARE(g.VScroll1->maximum(), 3);
  QCOMPARE(editor::Height(g.frmscroll1), 2315.0 + 3 * 463);
  abajo(g);
  QCOMPARE(g.VScroll1->maximum(), 2);
  QCOMPARE(editor::Height(g.frmscroll1), 2315.0 + 2 * 463);
}

void PruebaFrmpoligonal::limites_del_contador_data() {
  QTest::addColumn<int>("filas");
  QTest::addColumn<bool>("sube");
  QTest::addColumn<QString>("cuenta");
  QTest::addColumn<QString>("mensaje");
  QTest::newRow("up at ten") << 10 << true << "10" << "en134 = 10";
  QTest::newRow("down at two") << 2 << false << "2" << "en133 = 2";
}

void PruebaFrmpoligonal::limites_del_contador() {
  QFETCH(int, filas);
  QFETCH(bool, sube);
  QFETCH(QString, cuenta);
  QFETCH(QString, mensaje);
  prueba::Problema p;
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g, filas - 2);
  QCOMPARE(g.nfilas, filas);
  prueba::Guion guion;
  global::modificado = false;
  sube ? arriba(g) : abajo(g);
  QCOMPARE(g.nfilas, filas);
  QCOMPARE(g.txtnvertices->text(), cuenta);
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, mensaje);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QVERIFY(global::modificado);
  // The next press moves again.
  sube ? abajo(g) : arriba(g);
  QCOMPARE(g.nfilas, sube ? filas - 1 : filas + 1);
}

void PruebaFrmpoligonal::una_pulsacion_sostenida_es_una_fila() {
  prueba::Problema p;
  frmpoligonal& g = abrir(p.d(), 0);
  prueba::Guion guion;
  QToolButton* b = g.udnvertices->boton_arriba();
  QTest::mousePress(b, Qt::LeftButton);
  QTest::qWait(1200);
  QTest::mouseRelease(b, Qt::LeftButton);
  QCOMPARE(g.nfilas, 3);
  QCOMPARE(g.txtnvertices->text(), QString("3"));
  QVERIFY(guion.cajas.isEmpty());
}

void PruebaFrmpoligonal::flechas_y_cancelar() {
  prueba::Problema p;
  poner_vertices(0, {{0, 0}, {4, 1}, {10, 2}});
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g, 2);
  QCOMPARE(g.nfilas, 5);
  QTest::mouseClick(g.btcancel, Qt::LeftButton);
  QCOMPARE(int(zonas[0].nvertices), 3);
  QCOMPARE(vertices(0), QStringList({"0|0", "4|1", "10|2"}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QTest::mouseClick(p.d().btnzona(0), Qt::LeftButton);
  QCOMPARE(frmpoligonal::instancia().nfilas, 3);
}

void PruebaFrmpoligonal::actualizar_guarda_lo_tecleado() {
  prueba::Problema p;
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g);
  g.txtx(2)->selectAll();
  QTest::keyClicks(g.txtx(2), "12");
  g.txty(2)->selectAll();
  QTest::keyClicks(g.txty(2), "5");
  g.txty(3)->selectAll();
  QTest::keyClick(g.txty(3), Qt::Key_Backspace);
  QTest::keyClicks(g.txty(3), "-");
  QTest::mouseClick(g.btactualiza, Qt::LeftButton);
  QCOMPARE(vertices(0), QStringList({"0|0", "12|5", "10|0"}));
  // The dialog stays for more updates.
  QVERIFY(editor::DialogoZona::abierto() == &g);
}

void PruebaFrmpoligonal::septima_zona_partida() {
  prueba::Problema p;
  prueba::subir_zonas(p.d(), 6);
  QCOMPARE(zonas[6].xini, 9.84375);
  frmpoligonal& g = abrir(p.d(), 6);
  QCOMPARE(g.windowTitle(), QString("Zona 7: en106"));
  QCOMPARE(g.txtx(1)->text(), QString("9.844"));
  QTest::mouseClick(g.btaceptar, Qt::LeftButton);
  // The box shows the limit to three decimals; the vertex takes the limit itself.
  QCOMPARE(zonas[6].vertices(1).x, 9.84375);
  QCOMPARE(zonas[6].vertices(2).x, 10.0);
}

void PruebaFrmpoligonal::quitar_filas_desplazado_vuelve_arriba() {
  prueba::Problema p;
  frmpoligonal& g = abrir(p.d(), 0);
  arriba(g, 5);
  QCOMPARE(g.nfilas, 7);
  g.VScroll1->setValue(2);
  QCOMPARE(editor::Top(g.frmscroll1), -926.0);
  abajo(g);
  QVERIFY(!g.VScroll1->isHidden());
  QCOMPARE(g.VScroll1->maximum(), 1);
  QCOMPARE(editor::Top(g.frmscroll1), -463.0);
  abajo(g);
  QVERIFY(g.VScroll1->isHidden());
  QCOMPARE(editor::Top(g.frmscroll1), 0.0);
  QCOMPARE(editor::Height(g.frmscroll1), 2315.0);
}

void PruebaFrmpoligonal::mas_de_diez_vertices() {
  prueba::Problema p;
  QList<global::tvertice> v;
  for (int i = 0; i < 12; ++i) v.append({10.0 * i / 11, double(i)});
  poner_vertices(0, v);
  frmpoligonal& g = abrir(p.d(), 0);
  QCOMPARE(g.nfilas, 12);
  QCOMPARE(g.txtnvertices->text(), QString("12"));
  QCOMPARE(g.VScroll1->maximum(), 7);
  prueba::Guion guion;
  arriba(g);
  QCOMPARE(g.nfilas, 12);
  QCOMPARE(g.txtnvertices->text(), QString("12"));
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en134 = 10"));
  abajo(g);
  QCOMPARE(g.nfilas, 11);
  QCOMPARE(g.txtnvertices->text(), QString("11"));
  arriba(g);
  QCOMPARE(g.nfilas, 11);
  abajo(g, 2);
  QCOMPARE(g.nfilas, 9);
  QCOMPARE(g.txtnvertices->text(), QString("9"));
  QCOMPARE(guion.cajas.size(), qsizetype(2));
}

QTEST_MAIN(PruebaFrmpoligonal)
#include "frmpoligonal_test.moc"
