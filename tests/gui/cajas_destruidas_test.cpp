// Numeric boxes of windows that go while a box holds the focus in the active
// window: the window is destroyed at once, closed and then deleted, or taken
// with the main window. The box's rules (the leave rule's reformat, its
// change events) run on none of them: nothing is marked modified, no message
// comes, and under the sanitizers no member of a box or window half
// destroyed is touched.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "comun.hpp"
#include "editor/dialogo_zona.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpoligonal.hpp"
#include "editor/frmpotencias.hpp"
#include "editor/frmvibracion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "grafica_comun.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"

namespace {

enum class Ventana { datos, limite, constante, vibracion, potencias, poligonal, resultados, graficas };

// How the window goes.
enum class Forma {
  propia,    // its own unload: at once, or closed and then deleted for a potential dialog
  cerrada,   // closed, then deleted once the events are handled
  principal  // with the main window
};

void elegir_tipo(frmdatos& d, int tipo) {
  d.cmbpotencial(0)->setCurrentIndex(tipo);
  Q_EMIT d.cmbpotencial(0)->activated(tipo);
}

// Opens a potential dialog of zone 0 of the given type.
editor::DialogoZona* dialogo(frmdatos& d, int tipo) {
  elegir_tipo(d, tipo);
  QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
  return editor::DialogoZona::abierto();
}

void soltar() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

Q_DECLARE_METATYPE(Ventana)
Q_DECLARE_METATYPE(Forma)

class PruebaCajasDestruidas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmprintres::destruir();
    frmprintgraf::destruir();
    frmgraficos::destruir();
    prueba::limpiar();
    soltar();
  }
  void ventana_que_se_va_data();
  void ventana_que_se_va();
  void limite_cierra_el_dialogo();
  void grafico_que_se_va_data();
  void grafico_que_se_va();
};

void PruebaCajasDestruidas::ventana_que_se_va_data() {
  QTest::addColumn<Ventana>("ventana");
  QTest::addColumn<Forma>("forma");
  const std::pair<const char*, Ventana> ventanas[] = {
      {"mass box", Ventana::datos},           {"zone limit", Ventana::limite},
      {"constant", Ventana::constante},       {"vibration", Ventana::vibracion},
      {"power series", Ventana::potencias},   {"polygon", Ventana::poligonal},
      {"results dialog", Ventana::resultados}, {"graph-data dialog", Ventana::graficas},
  };
  for (const auto& [nombre, v] : ventanas) {
    QTest::addRow("%s, unloaded", nombre) << v << Forma::propia;
    if (v == Ventana::resultados || v == Ventana::graficas)
      QTest::addRow("%s, closed then deleted", nombre) << v << Forma::cerrada;
    QTest::addRow("%s, with the main window", nombre) << v << Forma::principal;
  }
}

void PruebaCajasDestruidas::ventana_que_se_va() {
  QFETCH(Ventana, ventana);
  QFETCH(Forma, forma);
  prueba::Problema p;
  frmMain& principal = p.f();
  frmdatos& d = p.d();
  d.txtfb->setText("10");
  principal.show();
  principal.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&principal));

  QWidget* activa = &principal;  // the window that is active while the box has the focus
  QLineEdit* caja = nullptr;
  QString texto = "2";  // a real box would make it 2.000 on leaving
  switch (ventana) {
    case Ventana::datos: caja = d.txtmasa; break;
    case Ventana::limite:
      d.lblintervalo_DblClick(10);
      caja = d.txtescala(10);
      texto = "12";
      break;
    case Ventana::constante:
      QVERIFY(dialogo(d, 0) != nullptr);
      caja = frmconstante::instancia().txtcoeficientes(0);
      break;
    case Ventana::poligonal:
      QVERIFY(dialogo(d, 1) != nullptr);
      caja = frmpoligonal::instancia().txty(1);
      break;
    case Ventana::vibracion:
      QVERIFY(dialogo(d, 2) != nullptr);
      caja = frmvibracion::instancia().txtcoeficientex0;
      break;
    case Ventana::potencias:
      QVERIFY(dialogo(d, 3) != nullptr);
      caja = frmpotencias::instancia().txtcoeficientes(0);
      break;
    case Ventana::resultados:
      frmprintres::instancia().Show();
      frmprintres::instancia().Optprintres(1)->click();  // the reduced report: its state boxes
      activa = &frmprintres::instancia();
      caja = frmprintres::instancia().txtvp(0);
      break;
    case Ventana::graficas:
      frmprintgraf::instancia().Show();
      activa = &frmprintgraf::instancia();
      caja = frmprintgraf::instancia().txtfe;
      break;
  }
  QVERIFY(caja != nullptr);
  activa->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(activa));
  caja->setFocus(Qt::OtherFocusReason);
  QTRY_VERIFY(caja->hasFocus());
  caja->setText(texto);
  QCOMPARE(caja->text(), texto);
  global::modificado = false;
  prueba::Guion guion;

  switch (forma) {
    case Forma::propia:
      if (ventana == Ventana::resultados)
        frmprintres::destruir();
      else if (ventana == Ventana::graficas)
        frmprintgraf::destruir();
      else if (ventana == Ventana::datos || ventana == Ventana::limite)
        frmdatos::descargar();
      else
        editor::DialogoZona::cerrar_abierto();
      break;
    case Forma::cerrada:
      if (ventana == Ventana::resultados)
        frmprintres::instancia().Unload();
      else
        frmprintgraf::instancia().Unload();
      break;
    case Forma::principal: frmMain::destruir(); break;
  }
  soltar();
  QCoreApplication::processEvents();

  QVERIFY(!frmprintres::cargado() || ventana != Ventana::resultados);
  QVERIFY(!frmprintgraf::cargado() || ventana != Ventana::graficas);
  // Nothing asks anything. Taken with the main window, the boxes count no
  // edit. (A window closed first, and the problem-data window, whose
  // sub-window moves the focus away as it starts to go, still whole, see
  // the box leave as any whole window does.)
  QCOMPARE(guion.cajas.size(), 0);
  if (forma == Forma::principal) QVERIFY(!global::modificado);
}

// The user's road: the graph-data dialog opens with the focus in its first
// box; a zone limit of the problem window is opened for editing; a click on
// the dialog moves the focus back to that box, and the limit the problem
// window applies as its editor leaves closes the dialog, whose box still
// holds the focus when the dialog is deleted.
void PruebaCajasDestruidas::limite_cierra_el_dialogo() {
  prueba::Problema p;
  frmMain& principal = p.f();
  frmdatos& d = p.d();
  d.txtfb->setText("10");
  principal.show();
  QVERIFY(QTest::qWaitForWindowActive(&principal));
  frmprintgraf& g = frmprintgraf::instancia();
  g.Show();
  QVERIFY(QTest::qWaitForWindowActive(&g));
  QTRY_VERIFY(g.txtnp->hasFocus());
  principal.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&principal));
  d.lblintervalo_DblClick(0);
  QTRY_VERIFY(d.txtescala(0)->hasFocus());
  prueba::Guion guion;
  g.activateWindow();
  QTRY_VERIFY(!frmprintgraf::cargado());
  soltar();
  QCoreApplication::processEvents();
  QCOMPARE(guion.cajas.size(), 0);
  QVERIFY(d.txtescala(0)->isHidden());
}

// The graph window's scale editor, open over a corner value.
void PruebaCajasDestruidas::grafico_que_se_va_data() {
  QTest::addColumn<Forma>("forma");
  QTest::newRow("destroyed") << Forma::propia;
  QTest::newRow("unloaded") << Forma::cerrada;
  QTest::newRow("with the main window") << Forma::principal;
}

void PruebaCajasDestruidas::grafico_que_se_va() {
  QFETCH(Forma, forma);
  prueba::Visor visor;
  frmMain::instancia().show();
  prueba::Curva curva;
  curva.puntos = prueba::serie(5);
  frmgraficos* g = visor.abrir(prueba::grafica({curva}));
  QVERIFY(g != nullptr);
  g->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(g));
  g->leyescala_DblClick(1);
  QLineEdit* caja = g->txtescala(1);
  QTRY_VERIFY(caja->hasFocus());
  switch (forma) {
    case Forma::propia: frmgraficos::destruir(); break;
    case Forma::cerrada: g->Unload(); break;
    case Forma::principal: frmMain::destruir(); break;
  }
  soltar();
  QCoreApplication::processEvents();
  QVERIFY(!frmgraficos::cargado());
  QCOMPARE(visor.guion.cajas.size(), 0);
}

QTEST_MAIN(PruebaCajasDestruidas)
#include "cajas_destruidas_test.moc"
