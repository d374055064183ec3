// The problem-data window: the initial problem, the numeric boxes, the zone
// strip with its spinner, and the drawing of the potential.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <cmath>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor/posicion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"

using global::nzonas;
using global::zonas;

namespace {

QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

// Limits of zones 0 to nzonas - 1, "xini-xfin" each.
QStringList limites() {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << QString::number(zonas[k].xini) + "-" + QString::number(zonas[k].xfin);
  return l;
}

void enviar_foco(QWidget* w, QEvent::Type tipo) {
  QFocusEvent e(tipo, Qt::TabFocusReason);
  QApplication::sendEvent(w, &e);
}

constexpr QRgb rojo = 0xFF0000;

// The colour of a pixel of a picture's drawing.
QRgb color(const plataforma::Lienzo* p, int x, int y) { return p->Image().pixel(x, y) & 0xFFFFFF; }

// Makes zone k a constant zone at v over its limits.
void constante(int k, double v) {
  auto& z = zonas[k];
  z.tipo = 0;
  z.coeficientes(0) = v;
  z.nvertices = 2;
  z.vertices.redim_preserve(2);
  z.vertices(1) = {z.xini, v};
  z.vertices(2) = {z.xfin, v};
}

}  // namespace

class PruebaFrmdatos : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void ventana_nueva();
  void borra_datos_vacia_los_registros();
  void caja_numerica_data();
  void caja_numerica();
  void salir_de_la_masa_data();
  void salir_de_la_masa();
  void vaciar_la_base_no_modifica();
  void puntos_con_flechas();
  void una_zona_mas_parte_la_ultima();
  void tercera_zona();
  void bajar_quita_la_ultima_y_la_zona_vuelve();
  void limites_del_contador_data();
  void limites_del_contador();
  void una_pulsacion_sostenida_es_una_zona();
  void doble_clic_son_dos_zonas();
  void ancho_de_los_combos();
  void el_combo_guarda_el_tipo();
  void dibujo_plano_inicial();
  void dos_constantes_comparten_escala();
  void vibracion_muestreada();
  void potencias_muestreadas();
  void potencias_en_x_cero_data();
  void potencias_en_x_cero();
  void el_maximo_baja_en_el_siguiente_dibujo();
  void coordenadas_bajo_el_puntero();
};

void PruebaFrmdatos::ventana_nueva() {
  prueba::Problema p;
  frmdatos& d = p.d();
  QCOMPARE(d.windowTitle(), QString("en90"));
  QCOMPARE(d.frmdatosgeneral->title(), QString("en91"));
  QCOMPARE(d.Lbltitulo->text(), QString("en92:"));
  QCOMPARE(d.lblmasa->text(), QString("en93:"));
  QCOMPARE(d.lblunits->text(), QString("u.a."));
  QCOMPARE(d.lblfb->text(), QString("en48:"));
  QCOMPARE(d.lblpuntos->text(), QString("en94:"));
  QCOMPARE(d.frmzonas->title(), QString("en95"));
  QCOMPARE(d.lblzonas->text(), QString("en96:"));
  QCOMPARE(d.btnzona(0)->text(), QString("en90"));

  QCOMPARE(d.txttitulo->text(), QString(""));
  QCOMPARE(d.txtmasa->text(), QString("1.000"));
  QCOMPARE(d.txtfb->text(), QString("10"));
  QCOMPARE(d.txtpuntos->text(), QString("1001"));
  QCOMPARE(d.txtzonas->text(), QString("1"));
  QVERIFY(d.txtzonas->isReadOnly());
  QCOMPARE(int(nzonas), 1);
  QCOMPARE(limites(), QStringList({"0-10"}));
  QCOMPARE(int(zonas[0].tipo), 0);
  QCOMPARE(zonas[0].coeficientes(0), 0.0);
  QCOMPARE(int(zonas[0].nvertices), 2);
  QCOMPARE(d.cmbpotencial(0)->count(), 4);
  for (int i = 0; i < 4; ++i) QCOMPARE(d.cmbpotencial(0)->itemText(i), "en" + QString::number(97 + i));
  QCOMPARE(d.cmbpotencial(0)->currentIndex(), 0);
  QCOMPARE(d.lblintervalo(0)->text(), QString("0.000"));
  QCOMPARE(d.lblintervalo(10)->text(), QString("10.000"));
  QCOMPARE(d.borde_izquierdo, 500);
  QCOMPARE(d.borde_derecho, 10495);
  QCOMPARE(editor::Left(d.pctzona(0)), 500.0);
  QCOMPARE(editor::Width(d.pctzona(0)), 9995.0);
  QCOMPARE(editor::Left(d.lblintervalo(0)) + editor::Width(d.lblintervalo(0)) / 2, 500.0);
  QCOMPARE(editor::Left(d.lblintervalo(10)) + editor::Width(d.lblintervalo(10)) / 2, 10495.0);
  QVERIFY(d.lnsepara(0)->isHidden());
  for (int k = 1; k <= 9; ++k) QVERIFY(d.pctzona(k) == nullptr);

  // A child window of the main window; the caption of a new problem.
  QCOMPARE(p.f().mdiArea->subWindowList().size(), qsizetype(1));
  QCOMPARE(p.f().mdiArea->subWindowList().front()->widget(), static_cast<QWidget*>(&d));
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  QCOMPARE(estados(p.f()), QString("10000"));
  QVERIFY(!global::modificado);
  QCOMPARE(global::archivo, QString());
}

void PruebaFrmdatos::borra_datos_vacia_los_registros() {
  prueba::Problema p;
  prueba::subir_zonas(p.d(), 2);
  zonas[1].tipo = 3;
  zonas[1].coeficientes(-6) = 2;
  zonas[1].x0 = 1;
  p.d().borra_datos();
  for (const auto& z : zonas) {
    QCOMPARE(z.xini, 0.0);
    QCOMPARE(z.xfin, 0.0);
    QCOMPARE(int(z.tipo), 0);
    QCOMPARE(z.x0, 0.0);
    for (int k = -6; k <= 6; ++k) QCOMPARE(z.coeficientes(k), 0.0);
    QCOMPARE(int(z.nvertices), 0);
    QCOMPARE(int(z.ncurva), 0);
    for (int i = 1; i <= z.vertices.ubound(); ++i) QCOMPARE(z.vertices(i).x + z.vertices(i).y, 0.0);
  }
}

// Keys typed into a box that holds `antes`, and what it holds afterwards.
void PruebaFrmdatos::caja_numerica_data() {
  QTest::addColumn<QString>("caja");
  QTest::addColumn<QString>("antes");
  QTest::addColumn<QString>("teclas");
  QTest::addColumn<QString>("despues");
  QTest::addColumn<bool>("modificado");
  QTest::newRow("mass refuses -") << "txtmasa" << "1.000" << "-" << "1.000" << false;
  QTest::newRow("mass falls back from 1a") << "txtmasa" << "" << "1a" << "1" << true;
  QTest::newRow("mass takes a decimal") << "txtmasa" << "" << "2.5" << "2.5" << true;
  QTest::newRow("mass: a leading . falls back") << "txtmasa" << "" << ".5" << "5" << true;
  QTest::newRow("basis refuses .") << "txtfb" << "10" << "." << "10" << false;
  QTest::newRow("basis refuses -") << "txtfb" << "" << "-3" << "3" << true;
  QTest::newRow("basis falls back from a letter") << "txtfb" << "1" << "x" << "1" << true;
  QTest::newRow("points refuse .") << "txtpuntos" << "1001" << "." << "1001" << false;
  QTest::newRow("points take digits") << "txtpuntos" << "" << "501" << "501" << true;
}

void PruebaFrmdatos::caja_numerica() {
  QFETCH(QString, caja);
  QFETCH(QString, antes);
  QFETCH(QString, teclas);
  QFETCH(QString, despues);
  QFETCH(bool, modificado);
  prueba::Problema p;
  auto* c = p.d().findChild<QLineEdit*>(caja);
  QVERIFY(c != nullptr);
  c->setText(antes);
  c->setCursorPosition(c->text().size());
  global::modificado = false;
  QTest::keyClicks(c, teclas);
  QCOMPARE(c->text(), despues);
  QCOMPARE(global::modificado, modificado);
}

void PruebaFrmdatos::salir_de_la_masa_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("despues");
  QTest::addColumn<bool>("modificado");
  QTest::newRow("2") << "2" << "2.000" << true;
  QTest::newRow(".5") << "0.5" << "0.500" << true;
  QTest::newRow("rounds") << "1.23456" << "1.235" << true;
  QTest::newRow("empty") << "" << "" << false;
  QTest::newRow("already formatted") << "3.000" << "3.000" << false;
}

void PruebaFrmdatos::salir_de_la_masa() {
  QFETCH(QString, texto);
  QFETCH(QString, despues);
  QFETCH(bool, modificado);
  prueba::Problema p;
  QLineEdit* masa = p.d().txtmasa;
  masa->setText(texto);
  global::modificado = false;
  enviar_foco(masa, QEvent::FocusIn);
  QCOMPARE(masa->selectedText(), texto);
  enviar_foco(masa, QEvent::FocusOut);
  QCOMPARE(masa->text(), despues);
  QCOMPARE(global::modificado, modificado);
  // Whole-number boxes keep their text when they lose focus.
  p.d().txtfb->setText("7");
  enviar_foco(p.d().txtfb, QEvent::FocusOut);
  QCOMPARE(p.d().txtfb->text(), QString("7"));
}

void PruebaFrmdatos::vaciar_la_base_no_modifica() {
  prueba::Problema p;
  QLineEdit* fb = p.d().txtfb;
  fb->setCursorPosition(2);
  QTest::keyClick(fb, Qt::Key_Backspace);
  QCOMPARE(fb->text(), QString("1"));
  QVERIFY(global::modificado);
  global::modificado = false;
  QTest::keyClick(fb, Qt::Key_Backspace);
  QCOMPARE(fb->text(), QString(""));
  QVERIFY(!global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
}

void PruebaFrmdatos::puntos_con_flechas() {
  prueba::Problema p;
  frmdatos& d = p.d();
  QTest::mouseClick(d.UpDPuntos->boton_arriba(), Qt::LeftButton);
  QCOMPARE(d.txtpuntos->text(), QString("1002"));
  QVERIFY(global::modificado);
  d.txtpuntos->setText("1");
  QTest::mouseClick(d.UpDPuntos->boton_abajo(), Qt::LeftButton);
  QCOMPARE(d.txtpuntos->text(), QString("1"));
  d.txtpuntos->setText("10000");
  QTest::mouseClick(d.UpDPuntos->boton_arriba(), Qt::LeftButton);
  QCOMPARE(d.txtpuntos->text(), QString("10000"));
  // The zone count is not touched by the points' arrows.
  QCOMPARE(int(nzonas), 1);
}

void PruebaFrmdatos::una_zona_mas_parte_la_ultima() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  QCOMPARE(d.txtzonas->text(), QString("2"));
  QCOMPARE(int(nzonas), 2);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
  QCOMPARE(editor::Left(d.pctzona(0)), 500.0);
  QCOMPARE(editor::Width(d.pctzona(0)), 4997.5);
  QCOMPARE(editor::Left(d.pctzona(1)), 5497.5);
  QCOMPARE(editor::Width(d.pctzona(1)), 4997.5);
  // Adjacent pictures share their edge on screen too.
  QCOMPARE(d.pctzona(0)->geometry().right() + 1, d.pctzona(1)->geometry().left());
  QCOMPARE(d.pctzona(0)->BackColor(), QColor(255, 255, 192));
  QCOMPARE(d.pctzona(1)->BackColor(), QColor(192, 255, 255));
  QCOMPARE(d.lblintervalo(0)->text(), QString("0.000"));
  QCOMPARE(d.lblintervalo(1)->text(), QString("5.000"));
  QCOMPARE(editor::Left(d.lblintervalo(1)), 5497.5 - 240);
  QCOMPARE(editor::Left(d.lnsepara(1)), 5497.5 - 37.5);
  QVERIFY(d.lnsepara(1)->isVisibleTo(&d));
  QVERIFY(d.lnsepara(0)->isHidden());
  QVERIFY(d.txtescala(1)->isHidden());
  QCOMPARE(d.cmbpotencial(1)->currentIndex(), 0);
  QCOMPARE(d.cmbpotencial(1)->count(), 4);
  QCOMPARE(d.btnzona(1)->text(), QString("en90"));
  // The new zone: two vertices at 0 over its limits.
  QCOMPARE(int(zonas[1].nvertices), 2);
  QCOMPARE(zonas[1].vertices(1).x, 5.0);
  QCOMPARE(zonas[1].vertices(2).x, 10.0);
  QCOMPARE(int(zonas[1].tipo), 0);
  QVERIFY(global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  // The box end label stays where it was.
  QCOMPARE(d.lblintervalo(10)->text(), QString("10.000"));
  QCOMPARE(editor::Left(d.lblintervalo(10)), 10495.0 - 240);
}

void PruebaFrmdatos::tercera_zona() {
  prueba::Problema p;
  prueba::subir_zonas(p.d(), 2);
  QCOMPARE(limites(), QStringList({"0-5", "5-7.5", "7.5-10"}));
  QCOMPARE(p.d().txtzonas->text(), QString("3"));
  QCOMPARE(p.d().lblintervalo(2)->text(), QString("7.500"));
  QCOMPARE(p.d().pctzona(2)->BackColor(), QColor(255, 255, 192));
  // Only the last zone was cut; zone 1's end vertex follows its new limit.
  QCOMPARE(zonas[1].vertices(1).x, 5.0);
  QCOMPARE(zonas[1].vertices(2).x, 7.5);
}

void PruebaFrmdatos::bajar_quita_la_ultima_y_la_zona_vuelve() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d, 2);
  zonas[2].coeficientes(0) = 4;
  zonas[2].x0 = 9;
  zonas[2].coeficientes(-3) = 1.5;
  prueba::bajar_zonas(d);
  QCOMPARE(int(nzonas), 2);
  QCOMPARE(d.txtzonas->text(), QString("2"));
  QVERIFY(d.pctzona(2) == nullptr);
  QVERIFY(d.cmbpotencial(2) == nullptr);
  QVERIFY(d.lblintervalo(2) == nullptr);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
  QCOMPARE(int(zonas[2].nvertices), 0);
  QCOMPARE(int(zonas[2].ncurva), 0);
  QCOMPARE(editor::Width(d.pctzona(1)), 10495.0 - 5497.5);

  prueba::subir_zonas(d);
  QCOMPARE(limites(), QStringList({"0-5", "5-7.5", "7.5-10"}));
  QCOMPARE(zonas[2].coeficientes(0), 4.0);
  QCOMPARE(zonas[2].coeficientes(-3), 1.5);
  QCOMPARE(zonas[2].x0, 9.0);
  // Its drawing is the flat line of its two new vertices at 0.
  QCOMPARE(int(zonas[2].ncurva), 2);
  QCOMPARE(zonas[2].curva(1).x, 7.5);
  QCOMPARE(zonas[2].curva(1).y, 0.0);
  QCOMPARE(zonas[2].curva(2).y, 0.0);
  QCOMPARE(color(d.pctzona(2), d.pctzona(2)->Image().width() / 2, 0), rojo);

  // Down to one zone: it spans the box again.
  prueba::bajar_zonas(d, 2);
  QCOMPARE(limites(), QStringList({"0-10"}));
}

void PruebaFrmdatos::limites_del_contador_data() {
  QTest::addColumn<bool>("arriba");
  QTest::addColumn<int>("zonas");
  QTest::addColumn<QString>("mensaje");
  QTest::newRow("down at one zone") << false << 1 << "en101 = 1";
  QTest::newRow("up at ten zones") << true << 10 << "en102 = 10";
}

void PruebaFrmdatos::limites_del_contador() {
  QFETCH(bool, arriba);
  QFETCH(int, zonas);
  QFETCH(QString, mensaje);
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d, zonas - 1);
  QCOMPARE(int(nzonas), zonas);
  const QStringList antes = limites();
  global::modificado = false;
  prueba::Guion guion;
  if (arriba)
    prueba::subir_zonas(d);
  else
    prueba::bajar_zonas(d);
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, mensaje);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString("Zedevodero"));
  QCOMPARE(d.txtzonas->text(), QString::number(zonas));
  QCOMPARE(int(nzonas), zonas);
  QCOMPARE(limites(), antes);
  QVERIFY(global::modificado);
  // The spinner goes on working from there.
  if (arriba)
    prueba::bajar_zonas(d);
  else
    prueba::subir_zonas(d);
  QCOMPARE(int(nzonas), arriba ? zonas - 1 : zonas + 1);
  QCOMPARE(guion.cajas.size(), qsizetype(1));
}

void PruebaFrmdatos::una_pulsacion_sostenida_es_una_zona() {
  prueba::Problema p;
  prueba::Guion guion;  // a runaway spinner would reach the limit's message
  QToolButton* arriba = p.d().udzonas->boton_arriba();
  QTest::mousePress(arriba, Qt::LeftButton);
  QTest::qWait(1200);  // long enough for the arrow to repeat many times
  QTest::mouseRelease(arriba, Qt::LeftButton);
  QCOMPARE(int(nzonas), 2);
  QCOMPARE(p.d().txtzonas->text(), QString("2"));
  QVERIFY(guion.cajas.isEmpty());
  // The next press moves it again.
  prueba::subir_zonas(p.d());
  QCOMPARE(int(nzonas), 3);
}

void PruebaFrmdatos::doble_clic_son_dos_zonas() {
  prueba::Problema p;
  QToolButton* arriba = p.d().udzonas->boton_arriba();
  QTest::mousePress(arriba, Qt::LeftButton);
  QTest::mouseRelease(arriba, Qt::LeftButton);
  QTest::mouseDClick(arriba, Qt::LeftButton);
  QTest::mouseRelease(arriba, Qt::LeftButton);
  QCOMPARE(int(nzonas), 3);
}

void PruebaFrmdatos::ancho_de_los_combos() {
  prueba::Problema p;
  frmdatos& d = p.d();
  // One zone 9995 twips wide: a 2040-twip combo centred under it.
  QCOMPARE(editor::Width(d.cmbpotencial(0)), 2040.0);
  QCOMPARE(editor::Left(d.cmbpotencial(0)), 500 + 9995 / 2.0 - 1020);
  QCOMPARE(editor::Left(d.btnzona(0)), 500 + 9995 / 2.0 - 645 / 2.0);
  QCOMPARE(editor::Top(d.cmbpotencial(0)), 3780.0);
  QCOMPARE(editor::Top(d.btnzona(0)), 4230.0);
  // Five zones: the last is 9995 / 16 twips wide, narrower than 2040.
  prueba::subir_zonas(d, 4);
  const double ancho = editor::Width(d.pctzona(4));
  QCOMPARE(ancho, 9995 / 16.0);
  QCOMPARE(editor::Width(d.cmbpotencial(4)), ancho);
  QCOMPARE(editor::Left(d.cmbpotencial(4)), editor::Left(d.pctzona(4)));
  QCOMPARE(editor::Width(d.cmbpotencial(0)), 2040.0);
  for (int k = 0; k < 5; ++k) {
    QCOMPARE(editor::Top(d.pctzona(k)), 1305.0);
    QCOMPARE(editor::Height(d.pctzona(k)), 2175.0);
    QCOMPARE(editor::Top(d.lblintervalo(k)), 810.0);
    QVERIFY(d.cmbpotencial(k)->isVisibleTo(&d));
    QVERIFY(d.btnzona(k)->isVisibleTo(&d));
  }
}

void PruebaFrmdatos::el_combo_guarda_el_tipo() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  zonas[1].coeficientes(0) = 3;
  global::modificado = false;
  QComboBox* combo = d.cmbpotencial(1);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  QCOMPARE(combo->currentIndex(), 1);
  QCOMPARE(int(zonas[1].tipo), 1);
  QVERIFY(global::modificado);
  // The parameters stay.
  QCOMPARE(zonas[1].coeficientes(0), 3.0);
  d.fijar_ListIndex(1, 3);
  QCOMPARE(int(zonas[1].tipo), 3);
}

void PruebaFrmdatos::dibujo_plano_inicial() {
  prueba::Problema p;
  frmdatos& d = p.d();
  const plataforma::Lienzo* dibujo = d.pctzona(0);
  QCOMPARE(d.vmin, 0.0);
  QCOMPARE(d.vmax, 0.0);
  QCOMPARE(dibujo->ScaleTop(), 0.0);
  QCOMPARE(dibujo->ScaleHeight(), -10.0);
  QCOMPARE(dibujo->ScaleLeft(), 0.0);
  QCOMPARE(dibujo->ScaleWidth(), 10.0);
  QCOMPARE(dibujo->ForeColor(), QColor(255, 0, 0));
  // The flat line lies on the top edge, drawn before the window was ever
  // shown; both walls have zero length.
  const int w = dibujo->Image().width(), h = dibujo->Image().height();
  QCOMPARE(color(dibujo, w / 2, 0), rojo);
  QCOMPARE(color(dibujo, w / 2, h / 2), QRgb(0xFFFFC0));
  QCOMPARE(color(dibujo, 0, h / 2), QRgb(0xFFFFC0));
  QCOMPARE(color(dibujo, w - 1, h / 2), QRgb(0xFFFFC0));
}

void PruebaFrmdatos::dos_constantes_comparten_escala() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  constante(0, -1);
  constante(1, 0);
  d.dibuja_potencial();
  QCOMPARE(d.vmin, -1.0);
  QCOMPARE(d.vmax, 0.0);
  for (int k = 0; k < 2; ++k) {
    QCOMPARE(d.pctzona(k)->ScaleTop(), 0.0);
    QCOMPARE(d.pctzona(k)->ScaleHeight(), -1.0);
    QCOMPARE(d.pctzona(k)->ScaleWidth(), 5.0);
  }
  QCOMPARE(d.pctzona(1)->ScaleLeft(), 5.0);
  const plataforma::Lienzo* a = d.pctzona(0);
  const plataforma::Lienzo* b = d.pctzona(1);
  const int w = a->Image().width(), h = a->Image().height();
  QCOMPARE(b->Image().height(), h);
  // -1 is the bottom edge in both pictures, 0 the top edge.
  QCOMPARE(color(a, w / 2, h - 1), rojo);
  QCOMPARE(color(a, w / 2, 0), QRgb(0xFFFFC0));
  QCOMPARE(color(b, b->Image().width() / 2, 0), rojo);
  QCOMPARE(color(b, b->Image().width() / 2, h - 1), QRgb(0xC0FFFF));
  // The left wall runs from the top edge down to -1; the join, in the second
  // picture at its left edge, from 0 down to -1; the right wall has no length.
  QCOMPARE(color(a, 0, h / 2), rojo);
  QCOMPARE(color(b, 0, h / 2), rojo);
  QCOMPARE(color(b, b->Image().width() - 1, h / 2), QRgb(0xC0FFFF));
}

void PruebaFrmdatos::vibracion_muestreada() {
  prueba::Problema p;
  frmdatos& d = p.d();
  d.lblintervalo(10)->setText("1.000");
  auto& z = zonas[0];
  z.xini = 0;
  z.xfin = 1;
  z.tipo = 2;
  z.x0 = 0.5;
  z.coeficientes(0) = 0;
  z.coeficientes(2) = 8;
  d.pinta_zonas();
  QCOMPARE(int(z.ncurva), 100);
  QCOMPARE(z.curva(1).x, 0.01);
  QCOMPARE(z.curva(50).x, 0.5);
  QCOMPARE(z.curva(50).y, 0.0);
  QCOMPARE(z.curva(100).x, 1.0);
  QCOMPARE(z.curva(100).y, 1.0);
  QCOMPARE(d.pctzona(0)->ScaleLeft(), 0.01);
  QCOMPARE(d.pctzona(0)->ScaleWidth(), 0.99);
  QCOMPARE(d.vmin, 0.0);
  QCOMPARE(d.vmax, z.curva(100).y);
  // The curve's lowest point, V = 0 at x = 0.5, touches the bottom edge.
  const plataforma::Lienzo* dibujo = d.pctzona(0);
  const int x = static_cast<int>(dibujo->a_pixeles(0.5, 0).x());
  QCOMPARE(color(dibujo, x, dibujo->Image().height() - 1), rojo);
}

void PruebaFrmdatos::potencias_muestreadas() {
  prueba::Problema p;
  frmdatos& d = p.d();
  d.lblintervalo(0)->setText("1.000");
  d.lblintervalo(10)->setText("2.000");
  auto& z = zonas[0];
  z.xini = 1;
  z.xfin = 2;
  z.tipo = 3;
  z.coeficientes(1) = 1;
  d.pinta_zonas();
  QCOMPARE(int(z.ncurva), 100);
  for (int j = 1; j <= 100; ++j) {
    QCOMPARE(z.curva(j).x, 1.0 * j / 100 + 1);
    QCOMPARE(z.curva(j).y, z.curva(j).x);
  }
  QCOMPARE(d.vmin, 1.01);
  QCOMPARE(d.vmax, 2.0);
}

void PruebaFrmdatos::potencias_en_x_cero_data() {
  QTest::addColumn<int>("potencia");
  QTest::addColumn<int>("puntos");
  QTest::newRow("1/x: the sample at 0 is left out") << -1 << 99;
  QTest::newRow("no negative power: it stays") << 2 << 100;
}

void PruebaFrmdatos::potencias_en_x_cero() {
  QFETCH(int, potencia);
  QFETCH(int, puntos);
  prueba::Problema p;
  frmdatos& d = p.d();
  d.lblintervalo(0)->setText("-1.000");
  d.lblintervalo(10)->setText("1.000");
  auto& z = zonas[0];
  z.xini = -1;
  z.xfin = 1;
  z.tipo = 3;
  z.coeficientes(0) = 0.5;
  z.coeficientes(potencia) = 1;
  d.pinta_zonas();
  QCOMPARE(int(z.ncurva), puntos);
  for (int j = 1; j <= z.ncurva; ++j) QVERIFY(std::isfinite(z.curva(j).y));
  QVERIFY(std::isfinite(d.vmin) && std::isfinite(d.vmax));
  bool cero = false;
  for (int j = 1; j <= z.ncurva; ++j) cero = cero || z.curva(j).x == 0;
  QCOMPARE(cero, puntos == 100);
  QCOMPARE(z.curva(z.ncurva).x, 1.0);
}

void PruebaFrmdatos::el_maximo_baja_en_el_siguiente_dibujo() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  constante(0, 0);
  constante(1, 5);
  d.dibuja_potencial();
  QCOMPARE(d.vmax, 5.0);
  constante(1, 2);
  d.dibuja_potencial();
  QCOMPARE(d.vmax, 2.0);
  QCOMPARE(d.pctzona(0)->ScaleTop(), 2.0);
  QCOMPARE(d.pctzona(0)->ScaleHeight(), -2.0);
}

void PruebaFrmdatos::coordenadas_bajo_el_puntero() {
  prueba::Problema p;
  plataforma::Lienzo* dibujo = p.d().pctzona(0);
  // A scale of 1.25 units per pixel across and -0.125 down.
  const QSize area = dibujo->Image().size();
  const QPoint esquina = dibujo->rect().topLeft() + QPoint(dibujo->BorderStyle(), dibujo->BorderStyle());
  dibujo->setScaleLeft(0);
  dibujo->setScaleWidth(1.25 * area.width());
  dibujo->setScaleTop(0);
  dibujo->setScaleHeight(-0.125 * area.height());
  auto mover = [&](QPoint pixel) {
    QMouseEvent e(QEvent::MouseMove, QPointF(esquina + pixel), dibujo->mapToGlobal(QPointF(pixel)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dibujo, &e);
    return dibujo->toolTip();
  };
  QCOMPARE(mover({2, 1}), QString("(2.500,-0.125)"));
  QCOMPARE(mover({0, 0}), QString("(0.000,0.000)"));
  QCOMPARE(mover({800, 16}), QString("(1000.000,-2.000)"));
}

QTEST_MAIN(PruebaFrmdatos)
#include "frmdatos_test.moc"
