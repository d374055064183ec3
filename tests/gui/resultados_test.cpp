// The results dialog, its reduced report res.min and the text viewer, on a
// report of ten basis functions (21 blocks) in a program folder of its own.
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "comun.hpp"
#include "modales.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "platform/impresora.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmprintres.hpp"
#include "viewer/graficos.hpp"

using Orden = plataforma::ImpresoraGrabadora::Orden;

namespace {

// A report of nbase basis functions: nbase + 11 blocks "bloque k", each but
// the last ended by an empty line and "... / ...".
QByteArray informe(int nbase) {
  QByteArray s;
  const int n = nbase + 11;
  for (int k = 1; k <= n; ++k) {
    s += "bloque " + QByteArray::number(k) + "\r\n  linea de " + QByteArray::number(k) + "\r\n";
    if (k < n) s += "\r\n... / ...\r\n";
  }
  return s;
}

// The block numbers a reduced report holds, and whether each block but the
// last came whole (with its empty line and separator).
QList<int> bloques(const QByteArray& copia, bool* enteros = nullptr) {
  QList<int> b;
  const QList<QByteArray> l = copia.split('\n');
  if (enteros) *enteros = copia.endsWith("\r\n");
  for (qsizetype i = 0; i < l.size(); ++i) {
    if (!l[i].startsWith("bloque ")) continue;
    b << l[i].mid(7).trimmed().toInt();
    if (enteros && i + 3 < l.size() && !(l[i + 2] == "\r" && l[i + 3] == "... / ...\r")) *enteros = false;
  }
  return b;
}

struct Resultados : prueba::Problema {
  Resultados() {
    carpeta.escribir("RES.tot", informe(10));
    d().txtfb->setText("10");
  }
  frmprintres& r() { return frmprintres::instancia(); }
  void reducido(const QString& primero, const QString& ultimo, std::initializer_list<int> marcadas = {}) {
    r().Optprintres(1)->click();
    r().txtvp(0)->setText(primero);
    r().txtvp(1)->setText(ultimo);
    for (int k : marcadas) r().chkmatrices(k)->setChecked(true);
  }
};

}  // namespace

class PruebaResultados : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmprintres::destruir();
    frmedit::destruir();
    prueba::limpiar();
  }
  void dialogo_al_abrir();
  void copia_reducida_data();
  void copia_reducida();
  void cuenta_de_bloques_del_informe();
  void copia_que_no_se_escribe();
  void informe_completo();
  void comprobaciones_data();
  void comprobaciones();
  void cajas_de_estados();
  void aceptar_cierra();
  void visor_del_problema();
  void nombre_impreso_data();
  void nombre_impreso();
  void imprimir_visor();
  void visor_de_textos_largos();
  void visor_selecciona_y_copia();
};

void PruebaResultados::dialogo_al_abrir() {
  Resultados p;
  p.f().editar_resultados();
  frmprintres& r = p.r();
  QVERIFY(r.isVisible());
  QCOMPARE(r.windowTitle(), QString("en190"));
  QCOMPARE(r.chkmatrices(3)->text(), QString("en196"));
  QCOMPARE(r.Label3->text(), QString("en197:"));
  QCOMPARE(r.btactualizar->text(), QString("en81"));
  QVERIFY(r.Optprintres(0)->isChecked());
  QVERIFY(!r.Frame1->isEnabled());
  r.Optprintres(1)->click();
  QVERIFY(r.Frame1->isEnabled());
  r.Optprintres(0)->click();
  QVERIFY(!r.Frame1->isEnabled());
  QCOMPARE(r.txtvp(0)->text(), QString("0"));
}

void PruebaResultados::copia_reducida_data() {
  QTest::addColumn<QString>("primero");
  QTest::addColumn<QString>("ultimo");
  QTest::addColumn<QList<int>>("marcadas");
  QTest::addColumn<QList<int>>("esperados");
  QTest::newRow("states 1 to 2") << "1" << "2" << QList<int>{} << QList<int>{1, 10, 11, 12, 21};
  QTest::newRow("state 3 only") << "3" << "3" << QList<int>{} << QList<int>{1, 10, 13, 21};
  QTest::newRow("0 to 5: no state") << "0" << "5" << QList<int>{} << QList<int>{1, 10, 21};
  QTest::newRow("as it opens") << "0" << "0" << QList<int>{} << QList<int>{1, 10, 21};
  QTest::newRow("empty boxes count 0") << "" << "" << QList<int>{} << QList<int>{1, 10, 21};
  QTest::newRow("kinetic pair") << "10" << "10" << QList<int>{1} << QList<int>{1, 4, 5, 10, 20, 21};
  QTest::newRow("every pair") << "0" << "0" << QList<int>{0, 1, 2, 3}
                              << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 21};
}

void PruebaResultados::copia_reducida() {
  QFETCH(QString, primero);
  QFETCH(QString, ultimo);
  QFETCH(QList<int>, marcadas);
  QFETCH(QList<int>, esperados);
  Resultados p;
  p.carpeta.escribir("res.min", "antiguo\r\n");
  p.r().Optprintres(1)->click();
  p.r().txtvp(0)->setText(primero);
  p.r().txtvp(1)->setText(ultimo);
  for (int k : marcadas) p.r().chkmatrices(k)->setChecked(true);
  prueba::Guion guion;
  p.r().btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());
  bool enteros = false;
  const QByteArray copia = p.carpeta.leer("res.min");
  QCOMPARE(bloques(copia, &enteros), esperados);
  QVERIFY(enteros);
  QVERIFY(!copia.contains("antiguo"));
  // Each block stands as in the report.
  QVERIFY(copia.startsWith("bloque 1\r\n  linea de 1\r\n\r\n... / ...\r\nbloque "));
  QVERIFY(copia.endsWith("... / ...\r\nbloque 21\r\n  linea de 21\r\n"));
  QVERIFY(frmedit::cargado());
  QCOMPARE(frmedit::instancia().rtxtdatos_FileName(), p.carpeta.ruta("res.min"));
  QVERIFY(frmedit::instancia().rtxtdatos->toPlainText().startsWith("bloque 1\n  linea de 1\n\n... / ...\nbloque "));
}

// A basis size lowered in the editor after the run does not change which
// blocks of the report are states.
void PruebaResultados::cuenta_de_bloques_del_informe() {
  Resultados p;
  p.d().txtfb->setText("4");
  p.reducido("1", "2");
  prueba::Guion guion;
  p.r().btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(bloques(p.carpeta.leer("res.min")), (QList<int>{1, 10, 11, 12, 21}));
}

// A reduced report that cannot be written (a folder stands in the place of
// res.min, which not even root can put a file over) is told with the file
// and the system's reason, as a problem file that cannot be saved is: the
// folder stays as it was, no temporary file is left, and no viewer opens.
// Once in a scripted box, once in the real one.
void PruebaResultados::copia_que_no_se_escribe() {
  Resultados p;
  QVERIFY(QDir(p.carpeta.ruta("")).mkpath("res.min/dentro"));
  p.reducido("1", "2");
  const QString cabeza =
      "No se puede escribir el archivo / The file cannot be written:\n" + p.carpeta.ruta("res.min") + "\n";
  {
    prueba::Guion guion;
    p.r().btactualizar->click();
    QCOMPARE(guion.cajas.size(), 1);
    QVERIFY2(guion.cajas[0].texto.startsWith(cabeza), qPrintable(guion.cajas[0].texto));
    QVERIFY(guion.cajas[0].texto.size() > cabeza.size());  // the reason
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
    QCOMPARE(guion.cajas[0].titulo, QString("Tarvo-Olvex"));
  }
  prueba::Modales modales;
  modales << modales.boton(QMessageBox::Ok);
  p.r().btaceptar->click();
  QVERIFY(!modales.quedan());
  QVERIFY(modales.textos[0].startsWith(cabeza));
  QVERIFY(!frmedit::cargado());
  QVERIFY(QFileInfo(p.carpeta.ruta("res.min/dentro")).isDir());
  QCOMPARE(QDir(p.carpeta.ruta("")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).filter("res.min",
                                                                                                    Qt::CaseInsensitive),
           QStringList{"res.min"});
}

void PruebaResultados::informe_completo() {
  Resultados p;
  p.carpeta.escribir("res.min", "antiguo\r\n");
  p.reducido("5", "1", {0});  // looked at only for the reduced report
  p.r().Optprintres(0)->click();
  prueba::Guion guion;
  p.r().btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(p.carpeta.leer("res.min"), QByteArray("antiguo\r\n"));
  QCOMPARE(frmedit::instancia().rtxtdatos_FileName(), p.carpeta.ruta("res.tot"));
  QVERIFY(frmedit::instancia().rtxtdatos->toPlainText().contains("bloque 21"));
}

void PruebaResultados::comprobaciones_data() {
  QTest::addColumn<QString>("primero");
  QTest::addColumn<QString>("ultimo");
  QTest::addColumn<QString>("base");
  QTest::addColumn<QString>("mensaje");
  QTest::newRow("last below first") << "3" << "2" << "10" << "en163";
  QTest::newRow("last above the basis") << "1" << "11" << "10" << "en164 10";
  QTest::newRow("both above the basis") << "11" << "12" << "10" << "en164 10";
  QTest::newRow("empty basis box") << "1" << "1" << "" << "en164 0";
}

void PruebaResultados::comprobaciones() {
  QFETCH(QString, primero);
  QFETCH(QString, ultimo);
  QFETCH(QString, base);
  QFETCH(QString, mensaje);
  Resultados p;
  p.d().txtfb->setText(base);
  p.reducido(primero, ultimo);
  prueba::Guion guion;
  p.r().btactualizar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, mensaje);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString());
  QVERIFY(!p.carpeta.existe("res.min"));
  QVERIFY(!frmedit::cargado());
}

// Typed through real keys: "-" and "." never arrive, letters put the
// previous text back; the remembered text is the one the graph window shares.
void PruebaResultados::cajas_de_estados() {
  Resultados p;
  p.f().editar_resultados();
  QLineEdit* c = p.r().txtvp(0);
  p.r().Optprintres(1)->click();
  p.r().activateWindow();
  c->setFocus();
  c->selectAll();
  QTest::keyClicks(c, "-1.2");
  QCOMPARE(c->text(), QString("12"));
  c->selectAll();
  QTest::keyClicks(c, "x");
  QCOMPARE(c->text(), QString("12"));
  QCOMPARE(graficos::textoanterior, QString("12"));
  c->setText("abc");  // a paste
  QCOMPARE(c->text(), QString("12"));
  c->setText("");
  QCOMPARE(c->text(), QString());
}

void PruebaResultados::aceptar_cierra() {
  Resultados p;
  p.f().editar_resultados();
  p.r().btaceptar->click();
  QVERIFY(!frmprintres::cargado());
  QCOMPARE(frmedit::instancia().rtxtdatos_FileName(), p.carpeta.ruta("res.tot"));
  // A refused request closes the dialog too.
  p.f().editar_resultados();
  p.reducido("2", "1");
  prueba::Guion guion;
  p.r().btaceptar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY(!frmprintres::cargado());
  // The next show starts from the design.
  QVERIFY(p.r().Optprintres(0)->isChecked());
}

void PruebaResultados::visor_del_problema() {
  Resultados p;
  p.carpeta.escribir("pozo.dat", "Titulo = pozo \xe1\r\nMasa = 1\r\n");
  global::archivo = p.carpeta.ruta("pozo.dat");
  p.f().tbToolBar_ButtonClick(p.f().tbToolBar_Buttons("EditarD"));
  QVERIFY(frmedit::cargado());
  frmedit& e = frmedit::instancia();
  QVERIFY(!e.isHidden());
  QCOMPARE(p.f().mdiArea->activeSubWindow()->widget(), &e);
  QCOMPARE(e.rtxtdatos->toPlainText(), QString("Titulo = pozo á\nMasa = 1"));
  QVERIFY(e.rtxtdatos->isReadOnly());
  QVERIFY(QFontInfo(e.rtxtdatos->font()).fixedPitch());
  QCOMPARE(e.btprint->text(), QString("&Imprimir"));
  QCOMPARE(e.btdaceptar->text(), QString("&Aceptar"));
  e.btdaceptar->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!frmedit::cargado());
  // A file that cannot be read shows no viewer.
  p.f().escribir_archivo_pantalla(p.carpeta.ruta("no_existe.dat"));
  QVERIFY(!frmedit::cargado());
}

void PruebaResultados::nombre_impreso_data() {
  QTest::addColumn<QString>("ruta");
  QTest::addColumn<QString>("nombre");
  QTest::newRow("report") << "/p/res.tot" << "res";
  QTest::newRow("problem") << "/p/q/datos.dat" << "datos";
  QTest::newRow("no extension") << "/p/LEEME" << "LEEME";
  QTest::newRow("short") << "/p/a.b" << "a.b";
  QTest::newRow("no folder") << "uno.dat" << "uno";
}

void PruebaResultados::nombre_impreso() {
  QFETCH(QString, ruta);
  QFETCH(QString, nombre);
  QCOMPARE(frmedit::nombre_impreso(ruta), nombre);
}

void PruebaResultados::imprimir_visor() {
  Resultados p;
  p.f().escribir_archivo_pantalla(p.carpeta.ruta("res.tot"));
  auto propia = std::make_unique<plataforma::ImpresoraGrabadora>();
  plataforma::ImpresoraGrabadora* g = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  frmedit::instancia().btprint->click();
  const std::vector<Orden> o = g->ordenes;
  plataforma::fijar_impresora(nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!frmedit::cargado());
  QStringList textos;
  for (const Orden& x : o)
    if (x.tipo == Orden::Texto && x.pagina == 1) textos << x.texto;
  QCOMPARE(textos.value(2), QString("en111  en112"));
  QCOMPARE(textos.value(4), "en1: res     en113: " + QDate::currentDate().toString("MM-dd-yyyy"));
  QCOMPARE(textos.value(6), QString("bloque"));
  QVERIFY(textos.contains("Página: 1"));
}

// The viewer's keys move the view over a long text, line ends of every kind
// end a line, and a second file replaces the first.
void PruebaResultados::visor_de_textos_largos() {
  Resultados p;
  QByteArray largo;
  for (int i = 1; i <= 2000; ++i) largo += "linea " + QByteArray::number(i) + (i % 3 == 0 ? "\n" : "\r\n");
  p.carpeta.escribir("largo.txt", largo);
  p.carpeta.escribir("corto.txt", "a\rb\r\n\r\nc\td\xe1");
  p.f().escribir_archivo_pantalla(p.carpeta.ruta("largo.txt"));
  plataforma::TextoLargo* t = frmedit::instancia().rtxtdatos;
  frmedit::instancia().show();
  t->setFocus();
  QCOMPARE(t->lineas(), qsizetype(2000));
  QCOMPARE(t->linea(2), QString("linea 3"));
  QCOMPARE(t->primera_visible(), qsizetype(0));
  QTest::keyClick(t, Qt::Key_End, Qt::ControlModifier);
  QVERIFY(t->primera_visible() > 1900);
  QVERIFY(t->linea(t->primera_visible()).startsWith("linea"));
  QTest::keyClick(t, Qt::Key_Up);
  const qsizetype arriba = t->primera_visible();
  QTest::keyClick(t, Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(t->primera_visible(), qsizetype(0));
  QTest::keyClick(t, Qt::Key_PageDown);
  QVERIFY(t->primera_visible() > 0 && t->primera_visible() < arriba);

  p.f().escribir_archivo_pantalla(p.carpeta.ruta("corto.txt"));
  QCOMPARE(t->lineas(), qsizetype(4));
  QCOMPARE(t->primera_visible(), qsizetype(0));
  QCOMPARE(t->toPlainText(), QString("a\nb\n\nc\td\u00e1"));
  QCOMPARE(t->linea(3), QString("c       d\u00e1"));  // a tab to column 8
}

// The viewer's text can be selected with the mouse or Ctrl+A and copied.
void PruebaResultados::visor_selecciona_y_copia() {
  Resultados p;
  p.carpeta.escribir("corto.txt", "a\rb\r\n\r\nc\td\xe1 x1.5E-03\r\n");
  p.f().escribir_archivo_pantalla(p.carpeta.ruta("corto.txt"));
  plataforma::TextoLargo* t = frmedit::instancia().rtxtdatos;
  p.f().resize(900, 700);
  p.f().show();
  frmedit::instancia().show();
  frmedit::instancia().parentWidget()->resize(600, 400);
  QVERIFY(QTest::qWaitForWindowExposed(t->window()));
  t->setFocus();
  QWidget* vista = t->viewport();
  const int alto = t->fontMetrics().height();
  auto fila = [&](int i) { return 3 + i * alto + alto / 2; };
  QClipboard* portapapeles = QGuiApplication::clipboard();
  portapapeles->setText("antes");

  QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);  // nothing selected: nothing copied
  QCOMPARE(portapapeles->text(), QString("antes"));
  QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(portapapeles->text(), QString("a\nb\n\nc       d\u00e1 x1.5E-03"));

  // A drag from the start of the first line to the end of the second.
  QTest::mousePress(vista, Qt::LeftButton, {}, QPoint(0, fila(0)));
  QTest::mouseMove(vista, QPoint(vista->width() - 2, fila(1)));
  QTest::mouseRelease(vista, Qt::LeftButton, {}, QPoint(vista->width() - 2, fila(1)));
  QCOMPARE(t->selectedText(), QString("a\nb"));
  // Shift with a click extends it from the same start.
  QTest::mouseClick(vista, Qt::LeftButton, Qt::ShiftModifier, QPoint(vista->width() - 2, fila(3)));
  QCOMPARE(t->selectedText(), QString("a\nb\n\nc       d\u00e1 x1.5E-03"));
  // A double click takes the word: the last number of the line.
  QTest::mouseDClick(vista, Qt::LeftButton, {}, QPoint(vista->width() - 2, fila(3)));
  QTest::keyClick(t, Qt::Key_Insert, Qt::ControlModifier);
  QCOMPARE(portapapeles->text(), QString("x1.5E-03"));

  // A move with no button held (its release was lost) selects nothing more.
  QTest::mousePress(vista, Qt::LeftButton, {}, QPoint(0, fila(0)));
  QMouseEvent sin_boton(QEvent::MouseMove, QPointF(vista->width() - 2, fila(1)), vista->mapToGlobal(QPointF(vista->width() - 2, fila(1))),
                        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(vista, &sin_boton);
  QCOMPARE(t->selectedText(), QString());

  // A new file drops the selection.
  QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
  p.f().escribir_archivo_pantalla(p.carpeta.ruta("corto.txt"));
  QCOMPARE(t->selectedText(), QString());
}

QTEST_MAIN(PruebaResultados)
#include "resultados_test.moc"
