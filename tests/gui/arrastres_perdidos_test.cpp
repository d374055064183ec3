// Drags whose button release never comes: a message box opened during the
// drag takes the release, and the control that began the drag only sees the
// mouse again once the button is up. The drag ends then; nothing goes on
// dragging, and no later click drops what was dragged.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRubberBand>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/global.hpp"
#include "grafica_comun.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/twips.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

using global::zonas;
using prueba::Curva;
using prueba::grafica;

namespace {

// A move of the mouse with no button held, at a point of the control.
void mover_sin_boton(QWidget* control, QPoint local) {
  QMouseEvent e(QEvent::MouseMove, QPointF(local), control->mapToGlobal(QPointF(local)), Qt::NoButton,
                Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(control, &e);
}

// The release of the left button taken by another control than the one
// pressed (where a message box takes it): the test's mouse is up again.
void soltar_en(QWidget* otro) { QTest::mouseRelease(otro, Qt::LeftButton, {}, QPoint(1, 1)); }

// The strip's pixel column of box coordinate v (the box of a new problem, 0 to 10).
QPoint en_la_tira(const frmdatos& d, double v, int fila) {
  const double X = d.borde_izquierdo + v * (d.borde_derecho - d.borde_izquierdo) / 10;
  return {plataforma::pixeles_x(X), fila};
}

// A point of the frame as a point of the separator, which holds the mouse while pressed.
QPoint del_separador(frmdatos& d, QPushButton* s, double v) {
  return s->mapFromGlobal(d.frmzonas->mapToGlobal(en_la_tira(d, v, s->geometry().center().y())));
}

QPoint en(const frmgraficos* w, double x, double y) {
  const QPointF p = w->pctgrafico->a_pixeles(x, y);
  const int b = w->pctgrafico->BorderStyle();
  return QPoint(qRound(p.x()) + b, qRound(p.y()) + b);
}

frmgraficos* ventana_basica(prueba::Visor& v) {
  Curva a;
  a.leyenda_x = 1;
  a.leyenda_y = 3;
  a.puntos = {{-2, -1}, {3, 4}};
  return v.abrir(grafica({a}));
}

bool banda_visible(QWidget* ventana) {
  for (auto* b : ventana->findChildren<QRubberBand*>())
    if (b->isVisible()) return true;
  return false;
}

}  // namespace

class PruebaArrastresPerdidos : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    prueba::limpiar_visor();
    prueba::limpiar();
  }
  void separador_tras_una_caja_real();
  void zoom_sin_su_soltar();
  void clic_que_deja_un_editor_rechazado();
  void leyenda_sin_su_soltar();
  void redimensionar_con_el_aviso_de_escala_abierto();
};

// A real message box opens during the drag of a separator and takes the
// release; afterwards the mouse moves over the separator with no button.
void PruebaArrastresPerdidos::separador_tras_una_caja_real() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  QPushButton* s = d.lnsepara(1);
  QTest::mousePress(s, Qt::LeftButton);
  QTest::mouseMove(s, s->rect().center() + QPoint(0, 1));
  QTest::mouseMove(s, del_separador(d, s, 3));
  QVERIFY(std::fabs(zonas[0].xfin - 3) < 0.02);

  bool vista = false;
  QTimer::singleShot(300, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(caja != nullptr);
    vista = true;
    soltar_en(caja);
    caja->button(QMessageBox::Ok)->click();
  });
  plataforma::MsgBox("una caja durante el arrastre");
  QVERIFY(vista);

  // Without the button the mouse no longer drags: the limit stays, and the
  // separator under the mouse is named as on any movement.
  const double limite = zonas[0].xfin;
  mover_sin_boton(s, del_separador(d, s, 7));
  QCOMPARE(zonas[0].xfin, limite);
  QCOMPARE(zonas[1].xini, limite);
  QCOMPARE(int(d.separador_activo), 1);
  QCOMPARE(d.posicion_cursor, s->mapToGlobal(del_separador(d, s, 7)));
  mover_sin_boton(s, s->rect().center());
  QCOMPARE(zonas[0].xfin, limite);

  // A new press and move drags again.
  QTest::mousePress(s, Qt::LeftButton);
  QTest::mouseMove(s, s->rect().center() + QPoint(0, 1));
  QTest::mouseMove(s, del_separador(d, s, 6));
  QTest::mouseRelease(s, Qt::LeftButton);
  QVERIFY(std::fabs(zonas[0].xfin - 6) < 0.02);
  QCOMPARE(zonas[1].xini, zonas[0].xfin);
}

// A zoom box whose release is lost ends at the next move without a button
// as a release at its start: the view and the pen are the ones before it.
void PruebaArrastresPerdidos::zoom_sin_su_soltar() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  QTest::mousePress(w->pctgrafico, Qt::LeftButton, {}, en(w, -1, 3));
  QTest::mouseMove(w->pctgrafico, en(w, 0, 2));
  QTest::mouseMove(w->pctgrafico, en(w, 2, 0));
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbMergePenNot);
  soltar_en(w->lbx);

  mover_sin_boton(w->pctgrafico, en(w, 1, 1));
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::minimo.y, -1.0);
  QCOMPARE(graficos::maximo.x, 3.0);
  QCOMPARE(graficos::maximo.y, 4.0);
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbCopyPen);
  QVERIFY(w->pctgrafico->toolTip().startsWith('('));
  // A stray release later zooms nothing.
  QTest::mouseRelease(w->pctgrafico, Qt::LeftButton, {}, en(w, 2, 0));
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::maximo.y, 4.0);
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 0);

  // The next box zooms as usual.
  QTest::mousePress(w->pctgrafico, Qt::LeftButton, {}, en(w, -1, 3));
  QTest::mouseMove(w->pctgrafico, en(w, 2, 0));
  QTest::mouseRelease(w->pctgrafico, Qt::LeftButton, {}, en(w, 2, 0));
  QVERIFY(std::fabs(graficos::minimo.x + 1) < 0.05);
  QVERIFY(std::fabs(graficos::maximo.y - 3) < 0.05);
}

// A click on the plot leaves a corner editor that holds a refused value:
// the message is shown before the press reaches the plot, and the press,
// whose release the message took, starts no zoom.
void PruebaArrastresPerdidos::clic_que_deja_un_editor_rechazado() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  QTest::mouseDClick(w->leyescala(1), Qt::LeftButton);
  QLineEdit* t = w->txtescala(1);
  QVERIFY(t->hasFocus());
  QTest::keyClicks(t, w->leyescala(2)->text());

  QTest::mousePress(w->pctgrafico, Qt::LeftButton, {}, en(w, 1, 1));
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("El valor de Y máxima debe ser mayor que Y mínima"));
  soltar_en(w->lbx);
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::minimo.y, -1.0);
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbCopyPen);
  QTest::qWait(10);

  // Once the message is answered the plot zooms again.
  t->setText("4.0000");
  t->hide();
  QTest::mousePress(w->pctgrafico, Qt::LeftButton, {}, en(w, -1, 3));
  QTest::mouseMove(w->pctgrafico, en(w, 2, 0));
  QTest::mouseRelease(w->pctgrafico, Qt::LeftButton, {}, en(w, 2, 0));
  QVERIFY(std::fabs(graficos::minimo.x + 1) < 0.05);
}

// A legend drag whose release is lost: the next move without the button
// takes the band away, and no later click drops the legend.
void PruebaArrastresPerdidos::leyenda_sin_su_soltar() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  QLabel* l = w->lbleyenda(1);
  const QPoint agarre(4, 3);
  const QPoint colocada = l->pos();
  QTest::mouseMove(l, agarre);
  QTest::mousePress(l, Qt::LeftButton, {}, agarre);
  QTest::mouseMove(l, agarre + QPoint(20, 10));
  QTest::mouseMove(l, agarre + QPoint(60, 40));
  QVERIFY(banda_visible(w));
  soltar_en(w->lbx);

  mover_sin_boton(l, agarre + QPoint(1, 0));
  QVERIFY(!banda_visible(w));
  QTest::mouseClick(l, Qt::LeftButton, {}, agarre + QPoint(2, 1));
  QVERIFY(!banda_visible(w));
  QCOMPARE(l->pos(), colocada);
  QCOMPARE(graficos::curvas(1).leyenda_x, 1.0);
  QCOMPARE(graficos::curvas(1).leyenda_y, 3.0);
}

// The scale's message is open when the window is resized: the resize lays
// out but shows no second message; once it is answered the view in force
// is back, and the next resize has nothing to refuse.
void PruebaArrastresPerdidos::redimensionar_con_el_aviso_de_escala_abierto() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  graficos::maximo.y = graficos::minimo.y + 2e8;
  int dentro = 0;
  v.guion.al_mostrar = [&](const prueba::Caja&) {
    if (dentro++ > 0) return;
    w->resize(w->width() + 40, w->height() + 30);
    QCoreApplication::processEvents();
  };
  const QSize antes = w->size();
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(w->size(), antes + QSize(40, 30));
  QCOMPARE(v.guion.cajas[0].titulo, QString("Advertencia"));

  QCOMPARE(graficos::maximo.y, 4.0);
  QCOMPARE(w->leyescala(1)->text(), QString("4.0000"));
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(w->leyescala(1)->text(), QString("4.0000"));
}

QTEST_MAIN(PruebaArrastresPerdidos)
#include "arrastres_perdidos_test.moc"
