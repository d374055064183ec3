// Start-up: what is ready before the splash shows, its texts, the hand-over
// at the fifth tick or at a click, and the one warning about a broken
// language file.
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "comun.hpp"
#include "modales.hpp"
#include "frame/frmMain.hpp"
#include "frame/frmSplash.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"

namespace {

// Records what the main window shows at the moment the splash window first shows.
class AlMostrarse : public QObject {
 public:
  bool visto = false;
  bool principal_cargada = false;
  bool principal_visible = true;
  QString menu_archivo;
  QString idioma_marcado;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (!visto && evento->type() == QEvent::Show && objeto->objectName() == "frmSplash") {
      visto = true;
      principal_cargada = frmMain::cargado();
      if (principal_cargada) {
        frmMain& f = frmMain::instancia();
        principal_visible = f.isVisible();
        menu_archivo = f.mnuFile->title();
        for (int i = 1; i <= 2; ++i)
          if (f.mnuidiomas(i)->isChecked()) idioma_marcado = f.mnuidiomas(i)->text();
      }
    }
    return false;
  }
};

}  // namespace

class PruebaArranque : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void principal_cargada_antes_de_la_portada();
  void textos_de_la_portada();
  void entrega_al_quinto_tic();
  void entrega_con_un_clic_data();
  void entrega_con_un_clic();
  void la_descripcion_no_entrega();
  void fichero_de_idiomas_roto_data();
  void fichero_de_idiomas_roto();
  void aviso_de_reserva_en_una_caja_real();
  void claves_ausentes_en_una_caja_real();
};

void PruebaArranque::principal_cargada_antes_de_la_portada() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas("Español"));
  AlMostrarse filtro;
  qApp->installEventFilter(&filtro);
  frmSplash::instancia();
  qApp->removeEventFilter(&filtro);
  QVERIFY(filtro.visto);
  QVERIFY(filtro.principal_cargada);
  QVERIFY(!filtro.principal_visible);
  QCOMPARE(filtro.menu_archivo, QString("es1"));
  QCOMPARE(filtro.idioma_marcado, QString("Español"));
  QCOMPARE(idiomas::fichero_idioma, c.ruta("idioma.lng"));
  QCOMPARE(plataforma::App::HelpFile(), c.ruta("Español.hlp"));
}

void PruebaArranque::textos_de_la_portada() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  frmSplash& s = frmSplash::instancia();
  QVERIFY(s.isVisible());
  QCOMPARE(s.lblCompanyProduct->text(), QString("en180"));
  QCOMPARE(s.lblProductName->text(), QString("Tarvo-Olvex"));
  QCOMPARE(s.lblProductDescription->text(), QString("en181\nen182"));
  QCOMPARE(s.lblWarning->text(), QString("en72:"));
  QCOMPARE(s.lblVersion->text(), QString("en183"));
  QCOMPARE(s.lblPlatform->text(), QSysInfo::prettyProductName());
  QVERIFY(!s.Label1->text().isEmpty() && !s.Label2->text().isEmpty());
  QVERIFY(!s.Image1->pixmap().isNull() && !s.Image2->pixmap().isNull());
  QVERIFY(s.Timer1->isActive());
  QCOMPARE(s.Timer1->interval(), 1000);
  QCOMPARE(s.ticks(), 0);
}

void PruebaArranque::entrega_al_quinto_tic() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  frmSplash& s = frmSplash::instancia();
  for (int i = 1; i <= 4; ++i) s.Timer1_Timer();
  QCOMPARE(s.ticks(), 4);
  QVERIFY(frmSplash::cargado());
  QVERIFY(!frmMain::instancia().isVisible());
  QPointer<QTimer> reloj = s.Timer1;
  s.Timer1_Timer();
  QVERIFY(!frmSplash::cargado());
  QVERIFY(frmMain::instancia().isVisible());
  QVERIFY(!reloj->isActive());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(reloj.isNull());
}

void PruebaArranque::entrega_con_un_clic_data() {
  QTest::addColumn<QString>("control");
  for (const char* nombre : {"fraMainFrame", "Image1", "Image2", "Label1", "Label2", "lblCompanyProduct",
                             "lblPlatform", "lblProductName", "lblVersion", "lblWarning"})
    QTest::newRow(nombre) << QString(nombre);
}

void PruebaArranque::entrega_con_un_clic() {
  QFETCH(QString, control);
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  frmSplash& s = frmSplash::instancia();
  s.Timer1_Timer();
  QWidget* w = s.findChild<QWidget*>(control);
  QVERIFY(w != nullptr);
  QPointer<QTimer> reloj = s.Timer1;
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY(!frmSplash::cargado());
  QVERIFY(frmMain::instancia().isVisible());
  QVERIFY(reloj.isNull() || !reloj->isActive());
}

void PruebaArranque::la_descripcion_no_entrega() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  frmSplash& s = frmSplash::instancia();
  QTest::mouseClick(s.lblProductDescription, Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY(frmSplash::cargado());
  QVERIFY(!frmMain::instancia().isVisible());
}

void PruebaArranque::fichero_de_idiomas_roto_data() {
  QTest::addColumn<QByteArray>("contenido");  // "<missing>": no file
  QTest::addColumn<QString>("aviso");         // part of the one warning; "" for none
  QTest::addColumn<QString>("archivo");       // the File menu's title
  const QString ilegible = "language file could not be read";
  // Where no language has the menus' texts, the program's own stand in.
  QTest::newRow("good") << prueba::fichero_idiomas() << "" << "en1";
  QTest::newRow("missing") << QByteArray("<missing>") << ilegible << "File";
  QTest::newRow("no header") << QByteArray("1=Archivo\r\n") << ilegible << "File";
  QTest::newRow("lone [") << QByteArray("[Idioma]\r\nidioma=A\r\n[\r\n[A]\r\n1=a\r\n") << ilegible + "|: 2, 3, 4"
                          << "a";
  QTest::newRow("line without =") << QByteArray("[Idioma]\r\nidioma=A\r\n[A]\r\n1 a\r\n") << ilegible << "File";
  QTest::newRow("current language without section")
      << prueba::fichero_idiomas("Klingon")
      << "The current language «Klingon» has no section in the language file.|"
         "This run uses «Español», the first language of the file. The file stays as it is until you choose a "
         "language in the «es3» menu."
      << "es1";
  QByteArray sin_clave = prueba::fichero_idiomas();
  sin_clave.replace("idioma=English\r\n", "");
  QTest::newRow("no current language") << sin_clave << "names no current language" << "es1";
  QTest::newRow("unreadable line and no current language' section")
      << QByteArray("[Idioma]\r\nidioma=B\r\n[A]\r\n1=a\r\n2 b\r\n") << ilegible + "|This run uses «A»"
      << "a";
  // The language in use lacks texts: the first missing keys are named, and
  // the texts come from the other language.
  const QString falta = "The language file lacks texts that the program uses.|";
  const QByteArray completo = prueba::fichero_idiomas("Español");
  QTest::newRow("cut inside the first language")
      << completo.left(completo.indexOf("\r\n27=es27") + 2)
      << falta + "Missing from «Español»: 27, 28, 29, 40, 41, 42, 44, 45, … (" +
             QString::number(idiomas::claves_en_uso().size() - 22) + ")|taken from the first other language"
      << "es1";
  QByteArray sin_menus = completo;
  for (int k = 1; k <= 30; ++k) sin_menus.replace("\r\n" + QByteArray::number(k) + "=es" + QByteArray::number(k), "");
  QTest::newRow("keys 1 to 30 missing from the language in use")
      << sin_menus << falta + "Missing from «Español»: 1, 2, 3, 4, 5, 6, 7, 8, … (25)" << "en1";
  QByteArray sin_menus_en_ninguna = sin_menus;
  for (int k = 1; k <= 30; ++k)
    sin_menus_en_ninguna.replace("\r\n" + QByteArray::number(k) + "=en" + QByteArray::number(k), "");
  QTest::newRow("keys 1 to 30 missing from every language")
      << sin_menus_en_ninguna << falta + "Missing from «Español»: 1, 2, 3, 4, 5, 6, 7, 8, … (25)|in brackets"
      << "File";
  QByteArray pocas = completo;
  pocas.replace("\r\n1104=es1104", "").replace("\r\n40=es40", "");
  QTest::newRow("two keys missing") << pocas << falta + "Missing from «Español»: 40, 1104\n" << "es1";
}

void PruebaArranque::fichero_de_idiomas_roto() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, aviso);
  QFETCH(QString, archivo);
  prueba::Carpeta c;
  if (contenido != "<missing>") c.idioma(contenido);
  prueba::Guion guion;
  frmSplash& s = frmSplash::instancia();
  QCOMPARE(guion.cajas.size(), 0);  // nothing before the main window shows
  for (int i = 1; i <= 5; ++i) s.Timer1_Timer();
  QVERIFY(frmMain::instancia().isVisible());
  QCOMPARE(frmMain::instancia().mnuFile->title(), archivo);
  QCOMPARE(guion.cajas.size(), aviso.isEmpty() ? 0 : 1);
  if (!aviso.isEmpty()) {
    for (const QString& parte : aviso.split('|'))
      QVERIFY2(guion.cajas[0].texto.contains(parte), qPrintable(guion.cajas[0].texto));
    QVERIFY(guion.cajas[0].texto.contains(c.ruta("idioma.lng")));
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
    QCOMPARE(guion.cajas[0].titulo, QString("Advertencia"));
  }
  QCOMPARE(c.leer("idioma.lng"), contenido);
  QVERIFY(!c.existe("idioma.tmp"));
}

// The warning through the real message box, left open while the splash's
// timer would go on: the main window shows behind it with its menus.
void PruebaArranque::aviso_de_reserva_en_una_caja_real() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas("Klingon"));
  frmSplash& s = frmSplash::instancia();
  QString texto;
  bool menu_visible = false;
  QTimer::singleShot(1500, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (caja == nullptr) return;
    texto = caja->text();
    menu_visible = frmMain::instancia().isVisible() && frmMain::instancia().mnuFile->title() == "es1";
    caja->button(QMessageBox::Ok) != nullptr ? caja->button(QMessageBox::Ok)->click() : caja->accept();
  });
  QTest::mouseClick(s.fraMainFrame, Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY2(texto.contains("This run uses «Español»"), qPrintable(texto));
  QVERIFY(menu_visible);
  QCOMPARE(c.leer("idioma.lng"), prueba::fichero_idiomas("Klingon"));
}

// Keys 1 to 30 in no language and key 41 only in English: the one warning
// comes through the real message box, with the main window's menus readable
// behind it; a later question takes its text from English.
void PruebaArranque::claves_ausentes_en_una_caja_real() {
  prueba::Carpeta c;
  QByteArray contenido = prueba::fichero_idiomas("Español");
  for (int k = 1; k <= 30; ++k)
    for (const char* prefijo : {"=es", "=en"})
      contenido.replace("\r\n" + QByteArray::number(k) + prefijo + QByteArray::number(k), "");
  contenido.replace("\r\n41=es41", "");
  c.idioma(contenido);
  frmSplash& s = frmSplash::instancia();

  prueba::Modales modales;
  QStringList avisos, menus;
  modales << [&](QWidget* w) {
    auto* caja = qobject_cast<QMessageBox*>(w);
    if (caja == nullptr) return false;
    avisos << caja->text();
    frmMain& f = frmMain::instancia();
    for (QMenu* m : {f.mnuFile, f.mnuView, f.mnuidioma, f.mnuWindow, f.mnuHelp}) {
      menus << m->title();
      for (QAction* a : m->actions())
        if (a->isVisible() && !a->isSeparator()) menus << a->text();
    }
    caja->button(QMessageBox::Ok)->click();
    return true;
  };
  QTest::mouseClick(s.fraMainFrame, Qt::LeftButton, {}, QPoint(2, 2));
  QTRY_VERIFY(!modales.quedan());
  QTest::qWait(200);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);  // once
  QCOMPARE(avisos.size(), 1);
  QVERIFY2(avisos[0].contains(QDir::toNativeSeparators(c.ruta("idioma.lng"))), qPrintable(avisos[0]));
  QVERIFY2(avisos[0].contains("Missing from «Español»: 1, 2, 3, 4, 5, 6, 7, 8, … (26)"), qPrintable(avisos[0]));
  QCOMPARE(menus.mid(0, 7), QStringList({"File", "New", "Open", "Save", "Save As...", "Print...", "Exit"}));
  QVERIFY(menus.contains("Language") && menus.contains("Español") && menus.contains("English") &&
          menus.contains("Other languages") && menus.contains("About..."));
  for (const QString& m : menus) QVERIFY(!m.isEmpty());
  // A text of no language and no menu: its key number.
  QCOMPARE(frmMain::instancia().findChild<QAction*>("tbToolBar_Ejecutar")->toolTip(), QString("[26]"));

  modales << modales.boton(QMessageBox::No);
  frmMain::instancia().salir();
  QCOMPARE(modales.textos, QStringList({"en41"}));
  QVERIFY(frmMain::instancia().isVisible());
  QCOMPARE(c.leer("idioma.lng"), contenido);
}

QTEST_MAIN(PruebaArranque)
#include "arranque_test.moc"
