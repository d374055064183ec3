// The potential dialogs of a zone: opening from the strip, the shared frame
// (load, Update, Accept, Cancel, numeric boxes) and the three simple dialogs.
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "comun.hpp"
#include "editor/dialogo_zona.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpotencias.hpp"
#include "editor/frmvibracion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"

using global::zonas;

namespace {

// Chooses a zone's type in its combo as the user does.
void elegir_tipo(frmdatos& d, int k, int tipo) {
  QComboBox* c = d.cmbpotencial(k);
  c->setCurrentIndex(tipo);
  Q_EMIT c->activated(tipo);
}

editor::DialogoZona* abrir(frmdatos& d, int k) {
  QTest::mouseClick(d.btnzona(k), Qt::LeftButton);
  return editor::DialogoZona::abierto();
}

void escribir(QLineEdit* c, const QString& teclas) {
  c->selectAll();
  QTest::keyClicks(c, teclas);
}

void salir(QLineEdit* c) {
  QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(c, &e);
}

// Lets the closed dialog go.
void soltar() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class PruebaDialogosZona : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void constante_se_abre();
  void constante_aceptada();
  void caja_real_data();
  void caja_real();
  void vacia_o_menos_guardan_cero_data();
  void vacia_o_menos_guardan_cero();
  void ocho_caracteres_al_teclear();
  void actualizar_y_cancelar();
  void vibracion();
  void potencias_indices();
  void cambio_de_tipo_conserva_parametros();
  void nuevo_cierra_el_dialogo();
};

void PruebaDialogosZona::constante_se_abre() {
  prueba::Problema p;
  frmdatos& d = p.d();
  global::modificado = false;
  p.f().cambia_titulo();
  editor::DialogoZona* dlg = abrir(d, 0);
  QVERIFY(dlg != nullptr);
  QVERIFY(frmconstante::cargado());
  auto& c = frmconstante::instancia();
  QCOMPARE(dlg, static_cast<editor::DialogoZona*>(&c));
  QCOMPARE(c.windowTitle(), QString("Zona 1: en105"));
  QCOMPARE(c.Label2->text(), QString("en55:"));
  QCOMPARE(c.formula->text(), QString("V(x) = V0"));
  QCOMPARE(c.btactualiza->text(), QString("en81"));
  QCOMPARE(c.btcancel->text(), QString("en82"));
  QCOMPARE(c.btaceptar->text(), QString("en74"));
  QCOMPARE(c.txtcoeficientes(0)->text(), QString("0.000"));
  QVERIFY(!d.isEnabled());
  QCOMPARE(int(global::zona_actual), 0);
  QVERIFY(global::modificado);
  QVERIFY(p.f().windowTitle().endsWith("*"));
  // A child window of the main window without control box.
  QMdiSubWindow* sub = nullptr;
  for (QMdiSubWindow* s : p.f().mdiArea->subWindowList())
    if (s->widget() == &c) sub = s;
  QVERIFY(sub != nullptr);
  QVERIFY(!(sub->windowFlags() & Qt::WindowCloseButtonHint));
  QVERIFY(!(sub->windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
  sub->close();
  QVERIFY(editor::DialogoZona::abierto() == &c);
}

void PruebaDialogosZona::constante_aceptada() {
  prueba::Problema p;
  frmdatos& d = p.d();
  abrir(d, 0);
  auto& c = frmconstante::instancia();
  escribir(c.txtcoeficientes(0), "2.5");
  QTest::mouseClick(c.btaceptar, Qt::LeftButton);
  QCOMPARE(zonas[0].coeficientes(0), 2.5);
  QCOMPARE(zonas[0].vertices(1).x, 0.0);
  QCOMPARE(zonas[0].vertices(1).y, 2.5);
  QCOMPARE(zonas[0].vertices(2).x, 10.0);
  QCOMPARE(zonas[0].vertices(2).y, 2.5);
  QVERIFY(d.isEnabled());
  QVERIFY(editor::DialogoZona::abierto() == nullptr);
  soltar();
  QVERIFY(!frmconstante::cargado());
  // A flat red line across the picture.
  const QImage img = d.pctzona(0)->Image();
  int rojos = 0;
  for (int y = 0; y < img.height(); ++y)
    if ((img.pixel(img.width() / 2, y) & 0xFFFFFF) == 0xFF0000) ++rojos;
  QVERIFY(rojos > 0);
  // Opening again starts from the zone.
  abrir(d, 0);
  QCOMPARE(frmconstante::instancia().txtcoeficientes(0)->text(), QString("2.500"));
}

void PruebaDialogosZona::caja_real_data() {
  QTest::addColumn<QString>("teclas");
  QTest::addColumn<QString>("tecleado");
  QTest::addColumn<QString>("al_salir");
  QTest::newRow("1a falls back to 1") << "1a" << "1" << "1.000";
  QTest::newRow("3 leaves as 3.000") << "3" << "3" << "3.000";
  QTest::newRow("a minus passes") << "-" << "-" << "-";
  QTest::newRow("a negative") << "-1.5" << "-1.5" << "-1.500";
  QTest::newRow("a letter alone falls back") << "x" << "" << "";
}

void PruebaDialogosZona::caja_real() {
  QFETCH(QString, teclas);
  QFETCH(QString, tecleado);
  QFETCH(QString, al_salir);
  prueba::Problema p;
  elegir_tipo(p.d(), 0, 2);
  abrir(p.d(), 0);
  QLineEdit* c = frmvibracion::instancia().txtcoeficientes(3);
  c->clear();
  QTest::keyClicks(c, teclas);
  QCOMPARE(c->text(), tecleado);
  salir(c);
  QCOMPARE(c->text(), al_salir);
}

void PruebaDialogosZona::vacia_o_menos_guardan_cero_data() {
  QTest::addColumn<QString>("texto");
  QTest::newRow("empty") << "";
  QTest::newRow("minus") << "-";
}

void PruebaDialogosZona::vacia_o_menos_guardan_cero() {
  QFETCH(QString, texto);
  prueba::Problema p;
  zonas[0].coeficientes(0) = 4;
  abrir(p.d(), 0);
  QLineEdit* c = frmconstante::instancia().txtcoeficientes(0);
  c->selectAll();
  QTest::keyClick(c, Qt::Key_Backspace);
  QTest::keyClicks(c, texto);
  salir(c);
  QCOMPARE(c->text(), texto);
  QTest::mouseClick(frmconstante::instancia().btactualiza, Qt::LeftButton);
  QCOMPARE(zonas[0].coeficientes(0), 0.0);
  QCOMPARE(zonas[0].vertices(2).y, 0.0);
}

void PruebaDialogosZona::ocho_caracteres_al_teclear() {
  prueba::Problema p;
  zonas[0].coeficientes(0) = 100000;
  abrir(p.d(), 0);
  QLineEdit* c = frmconstante::instancia().txtcoeficientes(0);
  // What the load writes is not limited.
  QCOMPARE(c->text(), QString("100000.000"));
  c->clear();
  QTest::keyClicks(c, "1234567890");
  QCOMPARE(c->text(), QString("12345678"));
  salir(c);
  QCOMPARE(c->text(), QString("12345678.000"));
}

void PruebaDialogosZona::actualizar_y_cancelar() {
  prueba::Problema p;
  abrir(p.d(), 0);
  auto& c = frmconstante::instancia();
  escribir(c.txtcoeficientes(0), "1");
  QTest::mouseClick(c.btactualiza, Qt::LeftButton);
  QCOMPARE(zonas[0].coeficientes(0), 1.0);
  // Update may be pressed again; the dialog stays.
  QVERIFY(editor::DialogoZona::abierto() == &c);
  escribir(c.txtcoeficientes(0), "7");
  QTest::mouseClick(c.btcancel, Qt::LeftButton);
  QCOMPARE(zonas[0].coeficientes(0), 1.0);
  QVERIFY(p.d().isEnabled());
  QVERIFY(editor::DialogoZona::abierto() == nullptr);
}

void PruebaDialogosZona::vibracion() {
  prueba::Problema p;
  prueba::subir_zonas(p.d(), 2);
  auto& z = zonas[2];
  z.x0 = 1.5;
  z.coeficientes(0) = -2;
  z.coeficientes(1) = 9;
  z.coeficientes(2) = 3;
  z.coeficientes(3) = 0.25;
  z.coeficientes(4) = 100000;
  z.coeficientes(-1) = 8;
  elegir_tipo(p.d(), 2, 2);
  abrir(p.d(), 2);
  auto& v = frmvibracion::instancia();
  QCOMPARE(v.windowTitle(), QString("Zona 3: en107"));
  QCOMPARE(int(global::zona_actual), 2);
  QCOMPARE(v.formula->text(), QString("V(x) = V0 + K2/2 (x - x0)^2 + K3/6 (x - x0)^3 + K4/24 (x - x0)^4"));
  const QStringList etiquetas{v.Label1->text(), v.Label2->text(), v.Label3->text(), v.Label4->text(),
                              v.Label5->text()};
  QCOMPARE(etiquetas, QStringList({"en59:", "en55:", "en60:", "en61:", "en62:"}));
  const QStringList cajas{v.txtcoeficientex0->text(), v.txtcoeficientes(0)->text(), v.txtcoeficientes(2)->text(),
                          v.txtcoeficientes(3)->text(), v.txtcoeficientes(4)->text()};
  QCOMPARE(cajas, QStringList({"1.500", "-2.000", "3.000", "0.250", "100000.000"}));
  escribir(v.txtcoeficientex0, "2");
  escribir(v.txtcoeficientes(0), "1");
  escribir(v.txtcoeficientes(2), "4");
  escribir(v.txtcoeficientes(3), "5");
  escribir(v.txtcoeficientes(4), "6");
  QTest::mouseClick(v.btaceptar, Qt::LeftButton);
  QCOMPARE(z.x0, 2.0);
  QCOMPARE(z.coeficientes(0), 1.0);
  QCOMPARE(z.coeficientes(2), 4.0);
  QCOMPARE(z.coeficientes(3), 5.0);
  QCOMPARE(z.coeficientes(4), 6.0);
  // Fields of other types stay.
  QCOMPARE(z.coeficientes(1), 9.0);
  QCOMPARE(z.coeficientes(-1), 8.0);
  QCOMPARE(int(z.tipo), 2);
}

void PruebaDialogosZona::potencias_indices() {
  prueba::Problema p;
  auto& z = zonas[0];
  for (int k = -6; k <= 6; ++k) z.coeficientes(k) = k;
  z.x0 = 3;
  elegir_tipo(p.d(), 0, 3);
  abrir(p.d(), 0);
  auto& s = frmpotencias::instancia();
  QCOMPARE(s.windowTitle(), QString("Zona 1: en108"));
  QCOMPARE(s.Label1(13)->text(), QString("en55:"));
  for (int i = 1; i <= 6; ++i) QCOMPARE(s.Label1(i)->text(), "en" + QString::number(140 + i) + ":");
  for (int j = 1; j <= 6; ++j) QCOMPARE(s.Label1(6 + j)->text(), "en" + QString::number(146 + j) + ":");
  for (int i = 0; i <= 6; ++i) QCOMPARE(s.txtcoeficientes(i)->text(), QString::number(i) + ".000");
  // Box 7 holds C-1 and box 12 C-6.
  QCOMPARE(s.txtcoeficientes(7)->text(), QString("-1.000"));
  QCOMPARE(s.txtcoeficientes(12)->text(), QString("-6.000"));
  escribir(s.txtcoeficientes(7), "0.5");
  escribir(s.txtcoeficientes(12), "7");
  escribir(s.txtcoeficientes(1), "11");
  QTest::mouseClick(s.btaceptar, Qt::LeftButton);
  QCOMPARE(z.coeficientes(-1), 0.5);
  QCOMPARE(z.coeficientes(-6), 7.0);
  QCOMPARE(z.coeficientes(1), 11.0);
  QCOMPARE(z.coeficientes(-3), -3.0);
  QCOMPARE(z.x0, 3.0);
}

void PruebaDialogosZona::cambio_de_tipo_conserva_parametros() {
  prueba::Problema p;
  frmdatos& d = p.d();
  elegir_tipo(d, 0, 2);
  abrir(d, 0);
  escribir(frmvibracion::instancia().txtcoeficientes(2), "3");
  QTest::mouseClick(frmvibracion::instancia().btaceptar, Qt::LeftButton);
  soltar();
  // Power series never set: zeros; then back to vibration: the old values.
  elegir_tipo(d, 0, 3);
  QCOMPARE(int(zonas[0].tipo), 3);
  abrir(d, 0);
  QCOMPARE(frmpotencias::instancia().txtcoeficientes(2)->text(), QString("3.000"));
  QCOMPARE(frmpotencias::instancia().txtcoeficientes(4)->text(), QString("0.000"));
  QTest::mouseClick(frmpotencias::instancia().btcancel, Qt::LeftButton);
  soltar();
  elegir_tipo(d, 0, 2);
  abrir(d, 0);
  QCOMPARE(frmvibracion::instancia().txtcoeficientes(2)->text(), QString("3.000"));
  QTest::mouseClick(frmvibracion::instancia().btcancel, Qt::LeftButton);
  soltar();

  // A polygon that becomes constant keeps only its two end points, at V0.
  auto& z = zonas[0];
  z.coeficientes(0) = 1.25;
  z.nvertices = 3;
  z.vertices.redim_preserve(3);
  z.vertices(1) = {0, 4};
  z.vertices(2) = {5, 2};
  z.vertices(3) = {10, 4};
  elegir_tipo(d, 0, 1);
  QCOMPARE(int(z.nvertices), 3);
  elegir_tipo(d, 0, 0);
  QCOMPARE(int(z.nvertices), 2);
  QCOMPARE(z.vertices(1).x, 0.0);
  QCOMPARE(z.vertices(1).y, 1.25);
  QCOMPARE(z.vertices(2).x, 10.0);
  QCOMPARE(z.vertices(2).y, 1.25);
}

void PruebaDialogosZona::nuevo_cierra_el_dialogo() {
  prueba::Problema p;
  abrir(p.d(), 0);
  QVERIFY(editor::DialogoZona::abierto() != nullptr);
  prueba::Guion guion({plataforma::vbNo});
  p.f().mnuFileNew_Click();
  QVERIFY(editor::DialogoZona::abierto() == nullptr);
  QVERIFY(!frmconstante::cargado());
  QVERIFY(p.d().isEnabled());
  // A fresh dialog opens on the new problem.
  abrir(p.d(), 0);
  QCOMPARE(frmconstante::instancia().txtcoeficientes(0)->text(), QString("0.000"));
}

QTEST_MAIN(PruebaDialogosZona)
#include "dialogos_zona_test.moc"
