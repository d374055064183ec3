// The main window: captions, placement, caption and toolbar states, Exit,
// the language menu, help and the toolbar dispatcher.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

#include "comun.hpp"
#include "editor_comun.hpp"
#include "modales.hpp"
#include "editor/frmdatos.hpp"
#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/ajustes.hpp"
#include "platform/app.hpp"
#include "platform/ayuda.hpp"
#include "platform/mensajes.hpp"

using namespace plataforma;

namespace {

// A program folder with the test language file, loaded as at start-up.
struct Arranque {
  prueba::Carpeta carpeta;
  explicit Arranque(const QByteArray& lng = prueba::fichero_idiomas()) {
    carpeta.idioma(lng);
    idiomas::carga_idiomas();
  }
  frmMain& f() { return frmMain::instancia(); }
};

QString ajuste(const QString& clave) { return GetSetting("Zedevodero", "Settings", clave, "<none>"); }

// A placement stored by an earlier run: 1500, 300, 9000, 7200 twips.
void guardar_colocacion() {
  SaveSetting("Zedevodero", "Settings", "MainLeft", "1500");
  SaveSetting("Zedevodero", "Settings", "MainTop", "300");
  SaveSetting("Zedevodero", "Settings", "MainWidth", "9000");
  SaveSetting("Zedevodero", "Settings", "MainHeight", "7200");
}

// Enabled state of the five buttons that change: Guardar, Ejecutar, EditarD, EditarR, EditarG.
QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

void poner_estados(frmMain& f, const QString& s) {
  const char* claves[] = {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"};
  for (int i = 0; i < 5; ++i) f.tbToolBar_Buttons(claves[i])->setEnabled(s[i] == '1');
}

}  // namespace

class PruebaFrmMain : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void carga_textos_del_idioma();
  void barra_de_estado_oculta();
  void colocacion_por_defecto();
  void colocacion_guardada_y_leida();
  void minimizada_no_guarda();
  void maximizada_guarda_la_colocacion_normal_data();
  void maximizada_guarda_la_colocacion_normal();
  void ajustes_que_no_son_numeros_data();
  void ajustes_que_no_son_numeros();
  void cambia_titulo_data();
  void cambia_titulo();
  void salir_data();
  void salir();
  void cierre_no_pregunta();
  void cierre_con_cambios_data();
  void cierre_con_cambios();
  void cierre_con_cambios_de_verdad();
  void cierre_sin_guardar_de_verdad();
  void menu_de_idiomas();
  void menu_con_solo_ajustes();
  void menu_crece_con_mas_de_ocho();
  void idioma_marcado_no_hace_nada();
  void ultimo_item_avisa();
  void cambiar_de_idioma_desde_el_menu();
  void volver_al_idioma_en_uso_por_el_menu();
  void ayuda_sin_fichero();
  void ayuda_con_fichero();
  void botones_de_la_barra();
  void fallo_dentro_de_una_orden();
  void barra_de_herramientas_alterna();
  void ventanas_en_mosaico();
  void menu_desde_el_teclado_data();
  void menu_desde_el_teclado();
  void nuevo_y_guardar_como_desde_el_teclado();
  void guardar_como_sin_extension_data();
  void guardar_como_sin_extension();
  void guardar_como_sin_extension_pregunta();
};

void PruebaFrmMain::carga_textos_del_idioma() {
  Arranque a;
  frmMain& f = a.f();
  QCOMPARE(f.mnuFile->title(), QString("en1"));
  QCOMPARE(f.mnuView->title(), QString("en2"));
  QCOMPARE(f.mnuidioma->title(), QString("en3"));
  QCOMPARE(f.mnuWindow->title(), QString("en4"));
  QCOMPARE(f.mnuHelp->title(), QString("en5"));
  const std::pair<QAction*, QString> items[] = {
      {f.mnuFileNew, "en6"},          {f.mnuFileOpen, "en7"},          {f.mnuFileSave, "en8"},
      {f.mnuFileSaveAs, "en9..."},    {f.mnuFilePrint, "en10..."},     {f.mnuFileExit, "en11"},
      {f.mnuViewToolbar, "en12"},     {f.mnuViewStatusBar, "en13"},    {f.mnuWindowNewWindow, "en19"},
      {f.mnuWindowCascade, "en20"},   {f.mnuWindowTileHorizontal, "en21"}, {f.mnuWindowTileVertical, "en22"},
      {f.mnuWindowArrangeIcons, "en23"}, {f.mnuHelpContents, "en24"},  {f.mnuHelpAbout, "en25..."},
  };
  for (const auto& [item, texto] : items) QCOMPARE(item->text(), texto);
  QVERIFY(f.mnuFileBar0->isSeparator() && f.mnuFileBar1->isSeparator() && f.mnuFileBar2->isSeparator());

  const std::pair<const char*, QString> consejos[] = {
      {"Nuevo", "en6"},    {"Abrir", "en7"},    {"Guardar", "en8"},  {"Ejecutar", "en26"}, {"Imprimir", "en10"},
      {"EditarD", "en27"}, {"EditarR", "en28"}, {"EditarG", "en29"}, {"Acerca", "en25..."}, {"Salir", "en11"},
  };
  for (const auto& [clave, consejo] : consejos) QCOMPARE(f.tbToolBar_Buttons(clave)->toolTip(), consejo);
  // The buttons stand in this order, with separators at 4, 6 and 11.
  QStringList orden;
  for (QAction* b : f.tbToolBar->actions()) orden << (b->isSeparator() ? "|" : b->data().toString());
  QCOMPARE(orden, QStringList({"Nuevo", "Abrir", "Guardar", "|", "Ejecutar", "|", "Imprimir", "EditarD",
                               "EditarR", "EditarG", "|", "Acerca", "Salir"}));

  QCOMPARE(f.windowTitle(), QString("Tarvo-Olvex"));
  QVERIFY(f.windowState() & Qt::WindowMaximized);
  QVERIFY(!f.isVisible());
  QCOMPARE(estados(f), QString("00000"));
  for (const char* clave : {"Nuevo", "Abrir", "Imprimir", "Acerca", "Salir"})
    QVERIFY(f.tbToolBar_Buttons(clave)->isEnabled());
  QVERIFY(qobject_cast<QMdiArea*>(f.centralWidget()) != nullptr);
}

void PruebaFrmMain::barra_de_estado_oculta() {
  Arranque a;
  frmMain& f = a.f();
  QVERIFY(!f.mnuViewStatusBar->isChecked());
  QVERIFY(!f.mnuViewStatusBar->isEnabled());
  QVERIFY(!f.mnuViewStatusBar->isVisible());
  QVERIFY(f.sbStatusBar->isHidden());
  QCOMPARE(f.sbStatusBar_Panels(1)->text(), QString("Estado"));
  QCOMPARE(f.sbStatusBar_Panels(2)->text(), QDate::currentDate().toString("dd/MM/yyyy"));
  QVERIFY(!f.sbStatusBar_Panels(3)->text().isEmpty());
}

void PruebaFrmMain::colocacion_por_defecto() {
  Arranque a;
  frmMain& f = a.f();
  f.setWindowState(Qt::WindowNoState);
  QCOMPARE(f.Left(), 1000.0);
  QCOMPARE(f.Top(), 1000.0);
  QCOMPARE(f.Width(), 6500.0);
  QCOMPARE(f.Height(), 6500.0);
  f.close();
  QCOMPARE(ajuste("MainLeft"), QString("1000"));
  QCOMPARE(ajuste("MainTop"), QString("1000"));
  QCOMPARE(ajuste("MainWidth"), QString("6500"));
  QCOMPARE(ajuste("MainHeight"), QString("6500"));
  QVERIFY(!frmMain::cargado());
}

void PruebaFrmMain::colocacion_guardada_y_leida() {
  Arranque a;
  guardar_colocacion();
  frmMain::destruir();
  frmMain& f = frmMain::instancia();
  f.setWindowState(Qt::WindowNoState);
  QCOMPARE(f.geometry(), QRect(100, 20, 600, 480));
  // A window moved by the user stores where it is now.
  f.move(200, 40);
  f.close();
  QCOMPARE(ajuste("MainLeft"), QString("3000"));
  QCOMPARE(ajuste("MainTop"), QString("600"));
  QCOMPARE(ajuste("MainWidth"), QString("9000"));
  QCOMPARE(ajuste("MainHeight"), QString("7200"));
}

void PruebaFrmMain::minimizada_no_guarda() {
  Arranque a;
  SaveSetting("Zedevodero", "Settings", "MainLeft", "1500");
  frmMain::destruir();
  frmMain& f = frmMain::instancia();
  f.setWindowState(Qt::WindowMinimized);
  f.move(300, 300);
  f.close();
  QCOMPARE(ajuste("MainLeft"), QString("1500"));
  QCOMPARE(ajuste("MainTop"), QString("<none>"));
}

void PruebaFrmMain::maximizada_guarda_la_colocacion_normal_data() {
  QTest::addColumn<bool>("recolocada");  // restored and placed by the user before the close
  // The window manager gives the window the whole work area before it tells
  // the maximised state.
  QTest::addColumn<bool>("tamano_antes_que_estado");
  QTest::addColumn<QList<int>>("guardada");  // left, top, width, height in twips
  QTest::newRow("opened and closed maximised") << false << false << QList<int>{1500, 300, 9000, 7200};
  QTest::newRow("restored, placed, maximised again") << true << false << QList<int>{3000, 600, 7500, 6000};
  QTest::newRow("restored, placed, sized to the screen, then maximised")
      << true << true << QList<int>{3000, 600, 7500, 6000};
}

// Closed maximised, the window keeps in its settings file the placement a
// restore gives back, and the next start, maximised again, restores to it.
void PruebaFrmMain::maximizada_guarda_la_colocacion_normal() {
  QFETCH(bool, recolocada);
  QFETCH(bool, tamano_antes_que_estado);
  QFETCH(QList<int>, guardada);
  Arranque a;
  guardar_colocacion();
  frmMain::destruir();
  frmMain* f = &frmMain::instancia();
  f->show();
  QVERIFY(QTest::qWaitForWindowExposed(f));
  const QRect pantalla = f->screen()->availableGeometry();
  if (recolocada) {
    f->showNormal();
    QTRY_COMPARE(QRect(f->pos(), f->size()), QRect(100, 20, 600, 480));
    f->move(200, 40);
    f->resize(500, 400);
    QTRY_COMPARE(f->pos(), QPoint(200, 40));
    if (tamano_antes_que_estado) {
      // In one step, as a window manager's configure arrives.
      const QPoint dentro = f->geometry().topLeft() - f->pos();
      const QSize marco = f->frameGeometry().size() - f->size();
      f->setGeometry(QRect(pantalla.topLeft() + dentro, pantalla.size() - marco));
      QTRY_VERIFY(f->frameGeometry().contains(pantalla));
      QVERIFY(!f->isMaximized());
    }
    f->showMaximized();
  }
  QTRY_VERIFY(f->isMaximized() && f->frameGeometry().contains(pantalla));
  f->close();

  const char* claves[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
  const QByteArray fichero = a.carpeta.leer("ajustes/Zedevodero.ini");
  for (int i = 0; i < 4; ++i)
    QVERIFY2(fichero.contains(QByteArray(claves[i]) + "=" + QByteArray::number(guardada[i]) + "\n"), fichero.constData());

  f = &frmMain::instancia();
  QVERIFY(f->windowState() & Qt::WindowMaximized);
  f->setWindowState(Qt::WindowNoState);
  QCOMPARE(f->geometry(), QRect(guardada[0] / 15, guardada[1] / 15, guardada[2] / 15, guardada[3] / 15));
}

void PruebaFrmMain::ajustes_que_no_son_numeros_data() {
  QTest::addColumn<QString>("valor");
  QTest::newRow("letters") << "abc";
  QTest::newRow("empty") << "";
  QTest::newRow("comma") << "1,5";
  QTest::newRow("far too large") << "1e300";
}

void PruebaFrmMain::ajustes_que_no_son_numeros() {
  QFETCH(QString, valor);
  Arranque a;
  for (const char* clave : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
    SaveSetting("Zedevodero", "Settings", clave, valor);
  frmMain::destruir();
  frmMain& f = frmMain::instancia();
  QCOMPARE(f.Left(), 1000.0);
  QCOMPARE(f.Top(), 1000.0);
  QCOMPARE(f.Width(), 6500.0);
  QCOMPARE(f.Height(), 6500.0);
}

void PruebaFrmMain::cambia_titulo_data() {
  QTest::addColumn<QString>("archivo");
  QTest::addColumn<bool>("modificado");
  QTest::addColumn<QString>("antes");  // button states before: Guardar Ejecutar EditarD EditarR EditarG
  QTest::addColumn<QString>("titulo");
  QTest::addColumn<QString>("despues");
  QTest::newRow("new problem, modified") << "" << true << "01111" << "Tarvo-Olvex-(Sin Título)*" << "10000";
  QTest::newRow("untitled, unchanged") << "" << false << "10000" << "Tarvo-Olvex-(Sin Título)" << "01100";
  QTest::newRow("file, modified") << "/datos/pozo.dat" << true << "01111" << "Tarvo-Olvex-pozo.dat*" << "10000";
  QTest::newRow("file, unchanged: results keep on") << "/datos/POZO.DAT" << false << "10011" << "Tarvo-Olvex-POZO.DAT"
                                                    << "01111";
  QTest::newRow("file, unchanged: results keep off") << "pozo.dat" << false << "10000" << "Tarvo-Olvex-pozo.dat"
                                                     << "01100";
}

void PruebaFrmMain::cambia_titulo() {
  QFETCH(QString, archivo);
  QFETCH(bool, modificado);
  QFETCH(QString, antes);
  QFETCH(QString, titulo);
  QFETCH(QString, despues);
  Arranque a;
  frmMain& f = a.f();
  poner_estados(f, antes);
  global::archivo = archivo;
  global::modificado = modificado;
  f.cambia_titulo();
  QCOMPARE(f.windowTitle(), titulo);
  QCOMPARE(estados(f), despues);
  // Only the toolbar changes: the menu items stay enabled.
  QVERIFY(f.mnuFileSave->isEnabled());
}

void PruebaFrmMain::salir_data() {
  QTest::addColumn<bool>("modificado");
  QTest::addColumn<int>("respuesta");
  QTest::addColumn<QString>("pregunta");
  QTest::addColumn<bool>("descargada");  // the window unloaded, placement stored
  QTest::addColumn<bool>("terminado");   // the program ended at once
  QTest::addColumn<bool>("con_nombre");  // the problem has a file to be saved into
  QTest::newRow("modified, Yes, saved") << true << vbYes << "en40" << true << false << true;
  // Save As cancelled: nothing was saved, so the program stays with the problem.
  QTest::newRow("modified, Yes, not saved") << true << vbYes << "en40" << false << false << false;
  QTest::newRow("modified, No") << true << vbNo << "en40" << false << true << false;
  QTest::newRow("unchanged, Yes") << false << vbYes << "en41" << true << false << false;
  QTest::newRow("unchanged, No") << false << vbNo << "en41" << false << false << false;
}

void PruebaFrmMain::salir() {
  QFETCH(bool, modificado);
  QFETCH(int, respuesta);
  QFETCH(QString, pregunta);
  QFETCH(bool, descargada);
  QFETCH(bool, terminado);
  QFETCH(bool, con_nombre);
  Arranque a;
  bool fin = false;
  App::fijar_End([&] { fin = true; });
  if (con_nombre) global::archivo = a.carpeta.ruta("SALIDA.DAT");
  global::modificado = modificado;
  prueba::Guion guion({respuesta});
  prueba::GuionDialogos dialogos;  // Save As of the untitled problem is cancelled
  a.f().mnuFileExit_Click();
  QCOMPARE(dialogos.peticiones.size(), qsizetype(modificado && respuesta == vbYes && !con_nombre ? 1 : 0));
  QCOMPARE(QFile::exists(a.carpeta.ruta("SALIDA.DAT")), con_nombre);
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, pregunta);
  QCOMPARE(guion.cajas[0].estilo, 36);
  QCOMPARE(guion.cajas[0].titulo, QString());
  QCOMPARE(global::respuesta, std::int16_t(respuesta));
  QCOMPARE(!frmMain::cargado(), descargada);
  QCOMPARE(ajuste("MainLeft") != "<none>", descargada);
  QCOMPARE(fin, terminado);
}

void PruebaFrmMain::cierre_no_pregunta() {
  Arranque a;
  global::modificado = false;
  prueba::Guion guion;
  a.f().close();
  QCOMPARE(guion.cajas.size(), 0);
  QVERIFY(!frmMain::cargado());
  QCOMPARE(ajuste("MainLeft"), QString("1000"));
}

// The close box of a modified problem asks the Exit question: Yes saves (into
// its file, or through Save As) and closes; a Save As cancelled keeps the
// window and the problem; No closes without saving. The window that closes
// stores its placement, as the close box always does.
void PruebaFrmMain::cierre_con_cambios_data() {
  QTest::addColumn<int>("respuesta");
  QTest::addColumn<bool>("con_nombre");  // the problem has a file
  QTest::addColumn<QString>("dialogo");  // the Save As path, "" for Cancel
  QTest::addColumn<bool>("cerrada");
  QTest::addColumn<QString>("escrito");  // the file that holds the problem after it
  QTest::newRow("Yes, saved into its file") << int(vbYes) << true << "" << true << "SALIDA.DAT";
  QTest::newRow("Yes, saved through Save As") << int(vbYes) << false << "nuevo" << true << "NUEVO.DAT";
  QTest::newRow("Yes, Save As cancelled") << int(vbYes) << false << "" << false << "";
  QTest::newRow("No") << int(vbNo) << true << "" << true << "";
}

void PruebaFrmMain::cierre_con_cambios() {
  QFETCH(int, respuesta);
  QFETCH(bool, con_nombre);
  QFETCH(QString, dialogo);
  QFETCH(bool, cerrada);
  QFETCH(QString, escrito);
  Arranque a;
  bool fin = false;
  App::fijar_End([&] { fin = true; });
  a.f().mnuFileNew_Click();
  frmdatos::instancia().txttitulo->setText("sin guardar");
  if (con_nombre) global::archivo = a.carpeta.ruta("SALIDA.DAT");
  QVERIFY(global::modificado);
  prueba::Guion guion({respuesta});
  prueba::GuionDialogos dialogos({dialogo.isEmpty() ? QString() : a.carpeta.ruta(dialogo)});
  a.f().close();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(guion.cajas[0].estilo, vbYesNo + vbQuestion);
  QCOMPARE(dialogos.peticiones.size(), qsizetype(respuesta == vbYes && !con_nombre ? 1 : 0));
  QCOMPARE(!frmMain::cargado(), cerrada);
  QCOMPARE(ajuste("MainLeft") != "<none>", cerrada);
  QVERIFY(!fin);
  QCOMPARE(QFile::exists(a.carpeta.ruta("SALIDA.DAT")), escrito == "SALIDA.DAT");
  if (!escrito.isEmpty()) QVERIFY(a.carpeta.leer(escrito).contains("= sin guardar\r\n"));
  if (!cerrada) {
    QVERIFY(global::modificado);
    QCOMPARE(frmdatos::instancia().txttitulo->text(), QString("sin guardar"));
  }
}

// The same through the real question and the real Save dialog: the first
// close answers Yes and cancels the dialog, and the window stays; the second
// answers Yes and types a name, and the window closes with the problem saved.
void PruebaFrmMain::cierre_con_cambios_de_verdad() {
  Arranque a;
  a.f().mnuFileNew_Click();
  frmdatos::instancia().txttitulo->setText("de verdad");
  {
    prueba::Modales m;
    m << m.boton(QMessageBox::Yes) << prueba::Modales::cancelar_fichero();
    a.f().close();
    QVERIFY(!m.quedan());
    QCOMPARE(m.textos, QStringList{"en40"});
  }
  QVERIFY(frmMain::cargado());
  QVERIFY(global::modificado);
  QCOMPARE(ajuste("MainLeft"), QString("<none>"));
  {
    prueba::Modales m;
    m << m.boton(QMessageBox::Yes) << prueba::Modales::fichero(a.carpeta.ruta("real"));
    a.f().close();
    QVERIFY(!m.quedan());
  }
  QVERIFY(!frmMain::cargado());
  QVERIFY(a.carpeta.leer("REAL.DAT").contains("= de verdad\r\n"));
  QVERIFY(ajuste("MainLeft") != "<none>");
}

// No through the real question: the window closes, nothing is written.
void PruebaFrmMain::cierre_sin_guardar_de_verdad() {
  Arranque a;
  a.f().mnuFileNew_Click();
  frmdatos::instancia().txttitulo->setText("descartado");
  prueba::Modales m;
  m << m.boton(QMessageBox::No);
  a.f().close();
  QVERIFY(!m.quedan());
  QVERIFY(!frmMain::cargado());
  QCOMPARE(QDir(a.carpeta.ruta("")).entryList({"*.DAT"}, QDir::Files), QStringList());
}

void PruebaFrmMain::menu_de_idiomas() {
  Arranque a;
  frmMain& f = a.f();
  QCOMPARE(idiomas::num_idiomas, std::int16_t(2));
  QCOMPARE(f.mnuidiomas(1)->text(), QString("Español"));
  QVERIFY(!f.mnuidiomas(1)->isChecked());
  QCOMPARE(f.mnuidiomas(2)->text(), QString("English"));
  QVERIFY(f.mnuidiomas(2)->isChecked());
  QVERIFY(f.mnuidiomas(3)->isSeparator() && f.mnuidiomas(3)->isVisible());
  QCOMPARE(f.mnuidiomas(4)->text(), QString("en18"));
  for (int i = 1; i <= 4; ++i) QVERIFY(f.mnuidiomas(i)->isVisible() && f.mnuidiomas(i)->isEnabled());
  for (int i = 5; i <= 10; ++i) QVERIFY(!f.mnuidiomas(i)->isVisible());
  QCOMPARE(f.mnuidiomas_Count(), 10);
  QCOMPARE(App::HelpFile(), a.carpeta.ruta("English.hlp"));
}

void PruebaFrmMain::menu_con_solo_ajustes() {
  Arranque a("[Idioma]\r\nidioma=English\r\n");
  frmMain& f = a.f();
  QCOMPARE(idiomas::num_idiomas, std::int16_t(0));
  QVERIFY(f.mnuidiomas(1)->isSeparator() && f.mnuidiomas(1)->isVisible());
  QVERIFY(!f.mnuidiomas(2)->isSeparator() && f.mnuidiomas(2)->isVisible());
  // No language has key 18: the item keeps a text of the program's own.
  QCOMPARE(f.mnuidiomas(2)->text(), QString("Other languages"));
  QVERIFY(!f.mnuidiomas(3)->isVisible());
  QCOMPARE(App::HelpFile(), QString());
}

void PruebaFrmMain::menu_crece_con_mas_de_ocho() {
  QStringList lenguas;
  for (int i = 1; i <= 11; ++i) lenguas << QStringLiteral("L%1").arg(i);
  Arranque a(prueba::fichero_idiomas("L10", lenguas));
  frmMain& f = a.f();
  QCOMPARE(f.mnuidiomas_Count(), 13);
  QCOMPARE(f.mnuidiomas(11)->text(), QString("L11"));
  QVERIFY(f.mnuidiomas(10)->isChecked());
  QVERIFY(f.mnuidiomas(12)->isSeparator());
  QCOMPARE(f.mnuidiomas(13)->text(), QString("en18"));
  QCOMPARE(f.mnuidioma->actions().size(), 13);
}

void PruebaFrmMain::idioma_marcado_no_hace_nada() {
  Arranque a;
  prueba::Guion guion;
  a.f().mnuidiomas(2)->trigger();
  QCOMPARE(guion.cajas.size(), 0);
  QVERIFY(a.f().mnuidiomas(2)->isChecked());
  QCOMPARE(a.carpeta.leer("idioma.lng"), prueba::fichero_idiomas());
}

void PruebaFrmMain::ultimo_item_avisa() {
  Arranque a;
  prueba::Guion guion;
  a.f().mnuidiomas(4)->trigger();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("en186"));
  QCOMPARE(guion.cajas[0].estilo, vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString("en3"));
  QCOMPARE(a.carpeta.leer("idioma.lng"), prueba::fichero_idiomas());
}

// The mark follows the language recorded for the next start: running in
// Spanish, English and then Spanish again are both recorded, each with its
// message, and a second choice of the marked one does nothing. The texts in
// use stay those of the start.
void PruebaFrmMain::cambiar_de_idioma_desde_el_menu() {
  Arranque a(prueba::fichero_idiomas("Español"));
  frmMain& f = a.f();
  QVERIFY(f.mnuidiomas(1)->isChecked() && !f.mnuidiomas(2)->isChecked());
  struct Paso {
    int item;
    int mensajes;       // boxes shown by the choice
    const char* grabado;  // the language idioma.lng names afterwards
  };
  const Paso pasos[] = {{2, 1, "English"}, {1, 1, "Espa\xF1ol"}, {1, 0, "Espa\xF1ol"}, {2, 1, "English"}};
  for (const Paso& p : pasos) {
    prueba::Guion guion;
    f.mnuidiomas(p.item)->trigger();
    QCOMPARE(guion.cajas.size(), p.mensajes);
    if (p.mensajes == 1) {
      QCOMPARE(guion.cajas[0].texto, QString("es185"));
      QCOMPARE(guion.cajas[0].estilo, vbInformation);
      QCOMPARE(guion.cajas[0].titulo, QString("es3"));
    }
    QByteArray esperado = prueba::fichero_idiomas();
    esperado.replace("idioma=English", QByteArray("idioma=") + p.grabado);
    QCOMPARE(a.carpeta.leer("idioma.lng"), esperado);
    QCOMPARE(f.mnuidiomas(1)->isChecked(), p.item == 1);
    QCOMPARE(f.mnuidiomas(2)->isChecked(), p.item == 2);
    QCOMPARE(f.mnuFile->title(), QString("es1"));
    QCOMPARE(idiomas::idioma_actual, QString("Español"));
  }
  // The next start is in the language recorded last and marks it.
  idiomas::carga_idiomas();
  QCOMPARE(idiomas::idioma_actual, QString("English"));
  QVERIFY(!f.mnuidiomas(1)->isChecked() && f.mnuidiomas(2)->isChecked());
}

// Through the real menu and the real message box: the menu's item is
// clicked, the box is answered, and the mark moves.
void PruebaFrmMain::volver_al_idioma_en_uso_por_el_menu() {
  Arranque a(prueba::fichero_idiomas("Español"));
  frmMain& f = a.f();
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  for (int item : {2, 1}) {
    QString visto;
    prueba::aceptar_caja_real(300, visto);
    f.mnuidioma->popup(f.mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(f.mnuidioma));
    QTest::mouseClick(f.mnuidioma, Qt::LeftButton, {}, f.mnuidioma->actionGeometry(f.mnuidiomas(item)).center());
    QTRY_COMPARE(visto, QString("es185"));
    QVERIFY(f.mnuidiomas(item)->isChecked());
    QVERIFY(!f.mnuidiomas(3 - item)->isChecked());
  }
  QCOMPARE(a.carpeta.leer("idioma.lng"), prueba::fichero_idiomas("Español"));
}

void PruebaFrmMain::ayuda_sin_fichero() {
  Arranque a;
  prueba::Guion guion;
  a.f().mnuHelpContents_Click();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("en68"));
  QCOMPARE(guion.cajas[0].estilo, vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString("Tarvo-Olvex"));
  QVERIFY(ventana_ayuda() == nullptr);
}

void PruebaFrmMain::ayuda_con_fichero() {
  Arranque a;
  // Found whatever the case of its name.
  a.carpeta.escribir("english.HLP",
                     "<html><head><meta charset=\"utf-8\"><title>Ayuda \xC3\xA9</title></head>"
                     "<body><h1>Units</h1></body></html>");
  prueba::Guion guion;
  a.f().mnuHelpContents_Click();
  QCOMPARE(guion.cajas.size(), 0);
  QTextBrowser* ayuda = ventana_ayuda();
  QVERIFY(ayuda != nullptr);
  QVERIFY(ayuda->isVisible());
  QCOMPARE(ayuda->windowTitle(), QString("Ayuda é"));
  QVERIFY(ayuda->toPlainText().contains("Units"));
  ayuda->close();
}

void PruebaFrmMain::botones_de_la_barra() {
  Arranque a;
  frmMain& f = a.f();
  prueba::Guion guion({1, vbNo});  // OK to Run's notice, No to Exit
  prueba::GuionDialogos dialogos;  // Open and Save As are cancelled
  f.tbToolBar_Buttons("Imprimir")->trigger();
  f.mnuFilePrint->trigger();
  for (const char* clave : {"Nuevo", "Abrir", "Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    f.tbToolBar_ButtonClick(f.tbToolBar_Buttons(clave));
  // Run of the untitled problem has no file to give the engine: it says so.
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, idiomas::texto(216));
  QVERIFY(!frmAbout::cargado());

  f.tbToolBar_Buttons("Acerca")->trigger();
  QVERIFY(frmAbout::cargado());
  QVERIFY(frmAbout::instancia().isVisible());
  QVERIFY(!frmAbout::instancia().isModal());

  f.tbToolBar_Buttons("Salir")->trigger();
  QCOMPARE(guion.cajas.size(), 2);
  QCOMPARE(guion.cajas[1].texto, QString("en41"));
  QVERIFY(frmMain::cargado());
}

void PruebaFrmMain::fallo_dentro_de_una_orden() {
  Arranque a;
  prueba::Guion guion;
  guion.al_mostrar = [](const prueba::Caja&) { throw std::runtime_error("fallo"); };
  a.f().tbToolBar_Buttons("Salir")->trigger();
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY(frmMain::cargado());
}

void PruebaFrmMain::barra_de_herramientas_alterna() {
  Arranque a;
  frmMain& f = a.f();
  f.setWindowState(Qt::WindowNoState);
  f.show();
  QVERIFY(f.mnuViewToolbar->isChecked());
  QVERIFY(f.tbToolBar->isVisible());
  f.mnuViewToolbar->trigger();
  QVERIFY(!f.mnuViewToolbar->isChecked());
  QVERIFY(!f.tbToolBar->isVisible());
  f.mnuViewToolbar->trigger();
  QVERIFY(f.mnuViewToolbar->isChecked());
  QVERIFY(f.tbToolBar->isVisible());
}

void PruebaFrmMain::ventanas_en_mosaico() {
  Arranque a;
  frmMain& f = a.f();
  f.setWindowState(Qt::WindowNoState);
  f.resize(800, 600);
  f.show();
  QMdiSubWindow* uno = f.mdiArea->addSubWindow(new QWidget);
  QMdiSubWindow* dos = f.mdiArea->addSubWindow(new QWidget);
  uno->show();
  dos->show();
  const QRect area = f.mdiArea->viewport()->rect();
  f.mnuWindowTileHorizontal->trigger();
  QCOMPARE(uno->width(), area.width());
  QCOMPARE(dos->width(), area.width());
  QVERIFY(uno->geometry().bottom() < dos->geometry().top());
  f.mnuWindowTileVertical->trigger();
  QCOMPARE(uno->height(), area.height());
  QVERIFY(uno->geometry().right() < dos->geometry().left());
  f.mnuWindowCascade->trigger();
  QVERIFY(uno->pos() != dos->pos());
}

namespace {

// The main window shown and active, its problem window open, the focus in
// the title box: keys go where a user's would.
QWidget* ventana_activa(frmMain& f) {
  f.setWindowState(Qt::WindowNoState);
  f.resize(900, 700);
  f.show();
  f.activateWindow();
  if (!QTest::qWaitForWindowActive(&f)) return nullptr;
  f.mnuFileNew_Click();
  frmdatos& d = frmdatos::instancia();
  d.txttitulo->setFocus();
  return d.txttitulo;
}

// One press and one release of Alt, as the keyboard sends them.
void pulsar_alt(QWidget* w) {
  QTest::keyPress(w, Qt::Key_Alt);
  QTest::keyRelease(w, Qt::Key_Alt, Qt::NoModifier);
}

}  // namespace

void PruebaFrmMain::menu_desde_el_teclado_data() {
  QTest::addColumn<QString>("teclas");
  QTest::addColumn<bool>("abierto");
  QTest::newRow("F10") << "F10" << true;
  QTest::newRow("Alt alone") << "Alt" << true;
  QTest::newRow("Alt with a letter") << "Alt+x" << false;
  QTest::newRow("Alt then a click") << "Alt+click" << false;
  QTest::newRow("Shift+F10") << "Shift+F10" << false;
  QTest::newRow("F10 twice closes") << "F10 F10" << false;
  QTest::newRow("Alt twice closes") << "Alt Alt" << false;
}

void PruebaFrmMain::menu_desde_el_teclado() {
  QFETCH(QString, teclas);
  QFETCH(bool, abierto);
  Arranque a;
  frmMain& f = a.f();
  QWidget* w = ventana_activa(f);
  QVERIFY(w != nullptr);
  QVERIFY(!f.mnuFile->title().contains('&'));  // the captions carry no access keys
  for (const QString& t : teclas.split(' ')) {
    QWidget* destino = QApplication::activePopupWidget() != nullptr ? QApplication::activePopupWidget() : w;
    if (t == "F10") {
      QTest::keyClick(destino, Qt::Key_F10);
    } else if (t == "Shift+F10") {
      QTest::keyClick(destino, Qt::Key_F10, Qt::ShiftModifier);
    } else if (t == "Alt") {
      pulsar_alt(destino);
    } else {
      QTest::keyPress(destino, Qt::Key_Alt);
      if (t == "Alt+x")
        QTest::keyClick(destino, Qt::Key_X, Qt::AltModifier);
      else
        QTest::mouseClick(destino, Qt::LeftButton);
      QTest::keyRelease(destino, Qt::Key_Alt, Qt::NoModifier);
    }
  }
  QCOMPARE(QApplication::activePopupWidget() == f.mnuFile, abierto);
  if (abierto) QVERIFY(f.mnuFile->isVisible());
  QTRY_VERIFY(abierto || !f.mnuFile->isVisible());
}

// New, Save As and Run, from the keyboard alone.
void PruebaFrmMain::nuevo_y_guardar_como_desde_el_teclado() {
  Arranque a;
  frmMain& f = a.f();
  QWidget* w = ventana_activa(f);
  QVERIFY(w != nullptr);
  frmdatos::instancia().txttitulo->setText("cambiado");
  global::modificado = true;
  prueba::Guion guion({vbNo});  // New: do not save the change
  QTest::keyClick(w, Qt::Key_F10);
  QCOMPARE(QApplication::activePopupWidget(), f.mnuFile);
  QTest::keyClick(f.mnuFile, Qt::Key_Down);
  QCOMPARE(f.mnuFile->activeAction(), f.mnuFileNew);
  QTest::keyClick(f.mnuFile, Qt::Key_Return);
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY(frmdatos::instancia().txttitulo->text() != "cambiado");

  prueba::GuionDialogos dialogos({a.carpeta.ruta("teclado")});
  pulsar_alt(frmdatos::instancia().txttitulo);
  QCOMPARE(QApplication::activePopupWidget(), f.mnuFile);
  for (QAction* x = nullptr; x != f.mnuFileSaveAs;) {
    QTest::keyClick(f.mnuFile, Qt::Key_Down);
    QVERIFY(f.mnuFile->activeAction() != x);
    x = f.mnuFile->activeAction();
  }
  QTest::keyClick(f.mnuFile, Qt::Key_Return);
  QCOMPARE(dialogos.peticiones.size(), 1);
  QVERIFY(a.carpeta.existe("TECLADO.DAT"));
  QCOMPARE(global::archivo, a.carpeta.ruta("TECLADO.DAT"));

  // Run has only its toolbar button: F6 goes to the bar and back, Left and
  // Right along it, Return presses the button, Escape goes back.
  QAction* ejecutar = f.tbToolBar_Buttons("Ejecutar");
  QWidget* boton_ejecutar = f.tbToolBar->widgetForAction(ejecutar);
  auto boton = [&](const char* clave) { return f.tbToolBar->widgetForAction(f.tbToolBar_Buttons(clave)); };
  auto foco = [] { return QApplication::focusWidget(); };
  auto en_la_ventana = [&] { return foco() != nullptr && frmdatos::instancia().isAncestorOf(foco()); };
  QSignalSpy pulsados(f.tbToolBar, &QToolBar::actionTriggered);
  QVERIFY(ejecutar->isEnabled());

  QTest::keyClick(foco(), Qt::Key_F6);
  QCOMPARE(foco(), boton("Nuevo"));
  QTest::keyClick(foco(), Qt::Key_F6);
  QVERIFY(en_la_ventana());
  // Left from the first button wraps to the last; a disabled button is passed.
  QTest::keyClick(foco(), Qt::Key_F6);
  QTest::keyClick(foco(), Qt::Key_Left);
  QCOMPARE(foco(), boton("Salir"));
  f.tbToolBar_Buttons("Guardar")->setEnabled(false);
  for (const char* clave : {"Nuevo", "Abrir", "Ejecutar"}) {
    QTest::keyClick(foco(), Qt::Key_Right);
    QCOMPARE(foco(), boton(clave));
  }
  QTest::keyClick(foco(), Qt::Key_Escape);
  QVERIFY(en_la_ventana());
  QCOMPARE(pulsados.size(), 0);

  QTest::keyClick(foco(), Qt::Key_F6);
  while (foco() != boton_ejecutar) QTest::keyClick(foco(), Qt::Key_Right);
  QTest::keyClick(foco(), Qt::Key_Return);
  QCOMPARE(pulsados.size(), 1);
  QCOMPARE(pulsados[0][0].value<QAction*>(), ejecutar);
}

void PruebaFrmMain::guardar_como_sin_extension_data() {
  QTest::addColumn<QString>("tecleado");
  QTest::addColumn<QString>("escrito");
  QTest::newRow("no extension") << "sinext" << "SINEXT.DAT";
  QTest::newRow(".dat") << "pozo.dat" << "POZO.DAT";
  QTest::newRow("another extension") << "pozo.txt" << "POZO.TXT";
  QTest::newRow("two points") << "pozo.v2.dat" << "POZO.V2.DAT";
  QTest::newRow("in a subfolder") << "sub/pozo" << "sub/POZO.DAT";
  QTest::newRow("a folder with a point") << "sub.d/pozo" << "sub.d/POZO.DAT";
}

void PruebaFrmMain::guardar_como_sin_extension() {
  QFETCH(QString, tecleado);
  QFETCH(QString, escrito);
  Arranque a;
  QDir(a.carpeta.ruta("")).mkpath("sub");
  QDir(a.carpeta.ruta("")).mkpath("sub.d");
  frmMain& f = a.f();
  f.mnuFileNew_Click();
  prueba::Guion guion;
  prueba::GuionDialogos dialogos({a.carpeta.ruta(tecleado)});
  f.mnuFileSaveAs_Click();
  QCOMPARE(global::archivo, a.carpeta.ruta(escrito));
  QVERIFY(a.carpeta.existe(escrito));
  QVERIFY(!a.carpeta.existe(tecleado));
  QCOMPARE(guion.cajas.size(), 0);
}

// The overwrite question sees a name typed without its extension.
void PruebaFrmMain::guardar_como_sin_extension_pregunta() {
  Arranque a;
  frmMain& f = a.f();
  f.mnuFileNew_Click();
  a.carpeta.escribir("POZO.DAT", "anterior");
  prueba::Guion guion({vbCancel});
  prueba::GuionDialogos dialogos({a.carpeta.ruta("pozo")});
  f.mnuFileSaveAs_Click();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].estilo, vbYesNoCancel + vbQuestion);
  QCOMPARE(a.carpeta.leer("POZO.DAT"), QByteArray("anterior"));
  QVERIFY(global::archivo.isEmpty());
}

QTEST_MAIN(PruebaFrmMain)
#include "frmMain_test.moc"
