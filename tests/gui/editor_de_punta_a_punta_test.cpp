// A problem built entirely through the zone dialogs, saved and run by the
// real calculos in a program folder of the test's own.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
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
#include "frame/idiomas.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/ficheros.hpp"
#include "platform/texto1252.hpp"

namespace {

void elegir_tipo(frmdatos& d, int k, int tipo) {
  QComboBox* c = d.cmbpotencial(k);
  c->setCurrentIndex(tipo);
  Q_EMIT c->activated(tipo);
}

void escribir(QLineEdit* c, const QString& teclas) {
  c->selectAll();
  QTest::keyClicks(c, teclas);
}

void aceptar(editor::DialogoZona& d) {
  QTest::mouseClick(d.btaceptar, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class PruebaEditorDePuntaAPunta : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void cuatro_zonas_por_los_dialogos();
};

void PruebaEditorDePuntaAPunta::cuatro_zonas_por_los_dialogos() {
  prueba::Problema p;
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  idiomas::carga_idiomas();
  p.f().mnuFileNew_Click();
  frmdatos& d = p.d();
  QTest::keyClicks(d.txttitulo, "Cuatro zonas");
  prueba::subir_zonas(d, 3);  // [0, 5], [5, 7.5], [7.5, 8.75], [8.75, 10]

  QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
  escribir(frmconstante::instancia().txtcoeficientes(0), "1");
  aceptar(frmconstante::instancia());

  elegir_tipo(d, 1, 1);
  QTest::mouseClick(d.btnzona(1), Qt::LeftButton);
  frmpoligonal& g = frmpoligonal::instancia();
  QTest::mouseClick(g.udnvertices->boton_arriba(), Qt::LeftButton);
  escribir(g.txtx(2), "6");
  escribir(g.txty(2), "2");
  aceptar(g);

  elegir_tipo(d, 2, 2);
  QTest::mouseClick(d.btnzona(2), Qt::LeftButton);
  escribir(frmvibracion::instancia().txtcoeficientex0, "8");
  escribir(frmvibracion::instancia().txtcoeficientes(2), "4");
  aceptar(frmvibracion::instancia());

  elegir_tipo(d, 3, 3);
  QTest::mouseClick(d.btnzona(3), Qt::LeftButton);
  escribir(frmpotencias::instancia().txtcoeficientes(0), "0.5");
  escribir(frmpotencias::instancia().txtcoeficientes(1), "0.1");
  aceptar(frmpotencias::instancia());
  QVERIFY(d.isEnabled());

  {
    prueba::GuionDialogos dialogos({p.carpeta.ruta("todo.dat")});
    p.f().mnuFileSaveAs_Click();
  }
  QVERIFY(p.carpeta.existe("TODO.DAT"));
  prueba::Guion guion;
  p.f().tbToolBar_ButtonClick(p.f().tbToolBar_Buttons("Ejecutar"));
  QVERIFY(guion.cajas.isEmpty());
  QByteArray bytes;
  QVERIFY(plataforma::leer_bytes(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot")), bytes));
  const QString informe = plataforma::desde_1252(bytes);
  QVERIFY(informe.contains("Cuatro zonas"));

  // Each zone's block names its type, in order, with what was typed.
  const QStringList tipos{idiomas::texto(1020), idiomas::texto(1015), idiomas::texto(1014), idiomas::texto(1010)};
  qsizetype desde = 0;
  for (int k = 0; k < 4; ++k) {
    const QString cabecera = idiomas::texto(1009) + QString(" %1 :").arg(k + 1, 2);
    const qsizetype zona = informe.indexOf(cabecera, desde);
    QVERIFY2(zona >= 0, qPrintable(cabecera));
    const qsizetype siguiente = informe.indexOf(idiomas::texto(1009) + QString(" %1 :").arg(k + 2, 2), zona);
    const QString bloque = informe.mid(zona, siguiente < 0 ? -1 : siguiente - zona);
    QVERIFY2(bloque.contains(tipos[k]), qPrintable(bloque));
    desde = zona + 1;
    if (k == 1) {
      QVERIFY2(bloque.contains("   6.000     2.000"), qPrintable(bloque));
      QVERIFY2(bloque.contains("   7.500     0.000"), qPrintable(bloque));
    }
    if (k == 3) QVERIFY2(bloque.contains("y0=  0.500"), qPrintable(bloque));
  }
}

QTEST_MAIN(PruebaEditorDePuntaAPunta)
#include "editor_de_punta_a_punta_test.moc"
