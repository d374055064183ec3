// Spinners at their limits with the real message box: the box runs its own
// event loop while the arrow is held, so a repeating arrow would pile boxes
// up there. One press shows one box, however long the box is left open.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpoligonal.hpp"
#include "frame/frmMain.hpp"
#include "editor_comun.hpp"
#include "frame/global.hpp"
#include "platform/arriba_abajo.hpp"

namespace {

QList<QMessageBox*> cajas_visibles() {
  QList<QMessageBox*> l;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* c = qobject_cast<QMessageBox*>(w); c != nullptr && c->isVisible()) l << c;
  return l;
}

frmpoligonal& abrir_poligono(frmdatos& d) {
  QComboBox* c = d.cmbpotencial(0);
  c->setCurrentIndex(1);
  Q_EMIT c->activated(1);
  QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
  return frmpoligonal::instancia();
}

// Presses the arrow until its limit's message shows, with the boxes answered.
void hasta_el_limite(QToolButton* flecha) {
  prueba::Guion guion;
  for (int i = 0; i < 200 && guion.cajas.isEmpty(); ++i) QTest::mouseClick(flecha, Qt::LeftButton);
  QVERIFY(!guion.cajas.isEmpty());
}

}  // namespace

class PruebaCajasReales : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void pulsacion_en_el_limite_data();
  void pulsacion_en_el_limite();
  void teclas_de_flecha_data();
  void teclas_de_flecha();
  void tecla_sostenida_en_el_limite();
};

void PruebaCajasReales::pulsacion_en_el_limite_data() {
  QTest::addColumn<int>("caso");
  QTest::newRow("zones down at 1") << 0;
  QTest::newRow("zones up at 10") << 1;
  QTest::newRow("vertices down at 2") << 2;
  QTest::newRow("vertices up at the top") << 3;
}

void PruebaCajasReales::pulsacion_en_el_limite() {
  QFETCH(int, caso);
  prueba::Problema p;
  frmdatos& d = p.d();
  QToolButton* flecha = nullptr;
  std::function<int()> cuenta;
  if (caso <= 1) {
    flecha = caso == 0 ? d.udzonas->boton_abajo() : d.udzonas->boton_arriba();
    cuenta = [] { return int(global::nzonas); };
  } else {
    frmpoligonal& g = abrir_poligono(d);
    flecha = caso == 2 ? g.udnvertices->boton_abajo() : g.udnvertices->boton_arriba();
    cuenta = [&g] { return int(g.nfilas); };
  }
  if (caso == 1 || caso == 3) hasta_el_limite(flecha);
  const int antes = cuenta();

  // The arrow is held while the box stays open for 2 s; then OK.
  int vistas = -1;
  QTimer::singleShot(2000, [&] {
    const QList<QMessageBox*> cajas = cajas_visibles();
    vistas = int(cajas.size());
    for (QMessageBox* c : cajas) c->button(QMessageBox::Ok)->click();
  });
  QTest::mousePress(flecha, Qt::LeftButton);
  QTest::qWait(2300);
  QTest::mouseRelease(flecha, Qt::LeftButton);
  QCOMPARE(vistas, 1);
  QTest::qWait(300);
  QVERIFY(cajas_visibles().isEmpty());
  QCOMPARE(cuenta(), antes);

  // The program goes on: the other arrow steps once.
  QToolButton* otra = flecha == d.udzonas->boton_abajo()    ? d.udzonas->boton_arriba()
                      : flecha == d.udzonas->boton_arriba() ? d.udzonas->boton_abajo()
                      : caso == 2                           ? frmpoligonal::instancia().udnvertices->boton_arriba()
                                                            : frmpoligonal::instancia().udnvertices->boton_abajo();
  QTest::mouseClick(otra, Qt::LeftButton);
  QCOMPARE(cuenta(), caso == 0 || caso == 2 ? antes + 1 : antes - 1);
}

void PruebaCajasReales::teclas_de_flecha_data() {
  QTest::addColumn<int>("caso");
  QTest::newRow("points") << 0;
  QTest::newRow("zones") << 1;
  QTest::newRow("vertices") << 2;
}

// Up and Down in a spinner's box step it as its arrows do; other keys and
// modified arrows reach the box.
void PruebaCajasReales::teclas_de_flecha() {
  QFETCH(int, caso);
  prueba::Problema p;
  frmdatos& d = p.d();
  p.f().show();
  QLineEdit* caja = caso == 0 ? d.txtpuntos : d.txtzonas;
  if (caso == 2) caja = abrir_poligono(d).txtnvertices;
  QVERIFY(QTest::qWaitForWindowExposed(caja->window()));
  caja->setFocus();
  const int antes = caja->text().toInt();
  QTest::keyClick(caja, Qt::Key_Up);
  QCOMPARE(caja->text().toInt(), antes + 1);
  QTest::keyClick(caja, Qt::Key_Up);
  QTest::keyClick(caja, Qt::Key_Down, Qt::KeypadModifier);
  QCOMPARE(caja->text().toInt(), antes + 1);
  QTest::keyClick(caja, Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(caja->text().toInt(), antes + 1);
  if (caso == 1) QCOMPARE(int(global::nzonas), 2);
  QVERIFY(cajas_visibles().isEmpty());
}

// Down held in the zone count's box at one zone: the real box shows once;
// the key's repeats after OK step nothing and open no other box.
void PruebaCajasReales::tecla_sostenida_en_el_limite() {
  prueba::Problema p;
  frmdatos& d = p.d();
  QLineEdit* caja = d.txtzonas;
  p.f().show();
  QVERIFY(QTest::qWaitForWindowExposed(caja->window()));
  caja->setFocus();
  int vistas = 0;
  QTimer vigia;
  vigia.setInterval(200);
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    const QList<QMessageBox*> cajas = cajas_visibles();
    vistas += int(cajas.size());
    for (QMessageBox* c : cajas) c->button(QMessageBox::Ok)->click();
  });
  vigia.start();
  QTest::keyPress(caja, Qt::Key_Down);
  for (int i = 0; i < 5; ++i) {
    QKeyEvent repeticion(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(caja, &repeticion);
  }
  QTest::qWait(500);
  QTest::keyRelease(caja, Qt::Key_Down);
  QCOMPARE(vistas, 1);
  QCOMPARE(int(global::nzonas), 1);
  QTest::keyClick(caja, Qt::Key_Up);
  QCOMPARE(int(global::nzonas), 2);
}

QTEST_MAIN(PruebaCajasReales)
#include "cajas_reales_test.moc"
