// The language module on small files: lookups, the rewrite through
// a temporary file compared byte for byte, and the language change; texts
// that a language lacks, and the warning about them.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <sys/stat.h>

#include "comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"

using namespace idiomas;

namespace {

const QByteArray muestra =
    "1=antes\r\n"
    "[Idioma]\r\n"
    "idioma=Espa\xF1ol\r\n"
    "[ESPA\xD1OL]\r\n"
    "1=Archivo\r\n"
    "\r\n"
    "2=Ver\r\n"
    "3 =con blanco\r\n"
    "4=a=b\r\n"
    "5=\r\n"
    "6= blancos \r\n"
    "Clave=may\xFAsculas\r\n"
    "[Rara] \r\n"
    "7=rara\r\n"
    "[English]\r\n"
    "8=later\r\n";

}  // namespace

class PruebaIdiomas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void leervalor_data();
  void leervalor();
  void leervalor_sin_fichero();
  void lineas_fuera_del_formato();
  void secciones();
  void crearseccion_anade_al_final();
  void guardavalor_data();
  void guardavalor();
  void guardavalor_sin_fichero();
  void guardavalor_que_no_puede_escribir();
  void cambia_idioma_con_seccion();
  void cambia_idioma_sin_seccion();
  void idioma_actual_sin_seccion_data();
  void idioma_actual_sin_seccion();
  void elegir_tras_la_reserva();
  void problemas_del_fichero_data();
  void problemas_del_fichero();
  void texto_que_falta_data();
  void texto_que_falta();
  void claves_del_fichero_del_programa();
  void aviso_de_claves_ausentes_data();
  void aviso_de_claves_ausentes();
  void guardavalor_no_sigue_enlaces_data();
  void guardavalor_no_sigue_enlaces();
  void guardavalor_a_traves_de_un_enlace();
};

void PruebaIdiomas::leervalor_data() {
  QTest::addColumn<QString>("seccion");
  QTest::addColumn<QString>("clave");
  QTest::addColumn<QString>("valor");
  QTest::newRow("header in capitals") << "español" << "1" << "Archivo";
  QTest::newRow("blank line inside") << "Español" << "2" << "Ver";
  QTest::newRow("blank before = belongs to the key") << "Español" << "3" << "";
  QTest::newRow("key with its blank") << "Español" << "3 " << "con blanco";
  QTest::newRow("value holding =") << "Español" << "4" << "a=b";
  QTest::newRow("empty value") << "Español" << "5" << "";
  QTest::newRow("nothing trimmed") << "Español" << "6" << " blancos ";
  QTest::newRow("key in other case") << "Español" << "CLAVE" << "mayúsculas";
  QTest::newRow("key of a later section") << "Español" << "8" << "";
  QTest::newRow("next header ends the section") << "Español" << "7" << "";
  QTest::newRow("blank after ] names the section") << "Rara]" << "7" << "rara";
  QTest::newRow("without the ]") << "Rara" << "7" << "";
  QTest::newRow("settings section") << "idioma" << "IDIOMA" << "Español";
  QTest::newRow("lines before the first header") << "idioma" << "1" << "";
  QTest::newRow("no such section") << "Klingon" << "1" << "";
}

void PruebaIdiomas::leervalor() {
  QFETCH(QString, seccion);
  QFETCH(QString, clave);
  QFETCH(QString, valor);
  prueba::Carpeta c;
  c.idioma(muestra);
  QCOMPARE(idiomas::leervalor(fichero_idioma, seccion, clave), valor);
}

void PruebaIdiomas::leervalor_sin_fichero() {
  prueba::Carpeta c;
  QCOMPARE(idiomas::leervalor(c.ruta("no_existe.lng"), "Idioma", "idioma"), QString());
  QVERIFY(!existeseccion(c.ruta("no_existe.lng"), "Idioma"));
}

void PruebaIdiomas::lineas_fuera_del_formato() {
  // A line without "=" and a lone "[" are skipped: neither ends the program
  // nor hides the keys around them.
  prueba::Carpeta c;
  c.idioma("[Idioma]\r\nidioma=X\r\n[X]\r\nsin igual\r\n1=uno\r\n[\r\n2=dos\r\n");
  QCOMPARE(idiomas::leervalor(fichero_idioma, "X", "1"), QString("uno"));
  QCOMPARE(idiomas::leervalor(fichero_idioma, "X", "2"), QString("dos"));
  QCOMPARE(idiomas::leervalor(fichero_idioma, "X", "sin igual"), QString());
  QStringList lista;
  QCOMPARE(leersecciones(fichero_idioma, lista), std::int16_t(1));
}

void PruebaIdiomas::secciones() {
  prueba::Carpeta c;
  c.idioma(muestra);
  QVERIFY(existeseccion(fichero_idioma, "español"));
  QVERIFY(existeseccion(fichero_idioma, "RARA]"));
  QVERIFY(!existeseccion(fichero_idioma, "Rara"));
  QStringList lista{"vieja"};
  QCOMPARE(leersecciones(fichero_idioma, lista), std::int16_t(3));
  QCOMPARE(lista, QStringList({"ESPAÑOL", "Rara]", "English"}));

  c.idioma("[Idioma]\r\nidioma=X\r\n");
  QCOMPARE(leersecciones(fichero_idioma, lista), std::int16_t(0));
  QCOMPARE(lista, QStringList());
  c.idioma("1=a\r\n2=b\r\n");
  QCOMPARE(leersecciones(fichero_idioma, lista), std::int16_t(-1));
  QCOMPARE(leersecciones(c.ruta("no_existe.lng"), lista), std::int16_t(-1));
}

void PruebaIdiomas::crearseccion_anade_al_final() {
  prueba::Carpeta c;
  c.idioma("[Idioma]\r\nidioma=X\r\n");
  QVERIFY(crearseccion(fichero_idioma, "IDIOMA"));
  QCOMPARE(c.leer("idioma.lng"), QByteArray("[Idioma]\r\nidioma=X\r\n"));
  QVERIFY(crearseccion(fichero_idioma, "Nueva"));
  QCOMPARE(c.leer("idioma.lng"), QByteArray("[Idioma]\r\nidioma=X\r\n\r\r\n[Nueva]\r\n"));
  QVERIFY(!c.existe("idioma.tmp"));
}

void PruebaIdiomas::guardavalor_data() {
  QTest::addColumn<QByteArray>("antes");
  QTest::addColumn<QString>("valor");
  QTest::addColumn<QByteArray>("despues");
  QTest::newRow("replaced in place, blank lines of the section dropped")
      << QByteArray("[Idioma]\r\n\r\nidioma=Espa\xF1ol\r\n[Espa\xF1ol]\r\n1=Archivo\r\n\r\n[English]\r\n1=File\r\n")
      << "English"
      << QByteArray("[Idioma]\r\nidioma=English\r\n[Espa\xF1ol]\r\n1=Archivo\r\n\r\n[English]\r\n1=File\r\n");
  QTest::newRow("key missing before the next header")
      << QByteArray("[Idioma]\r\notra=1\r\n[Espa\xF1ol]\r\n1=A\r\n") << "English"
      << QByteArray("[Idioma]\r\notra=1\r\nidioma=English\r\n\r\r\n[Espa\xF1ol]\r\n1=A\r\n");
  QTest::newRow("key missing in the last section: appended")
      << QByteArray("[Idioma]\r\nx=1\r\n") << "English" << QByteArray("[Idioma]\r\nx=1\r\nidioma=English\r\n");
  QTest::newRow("appended after a last line without its end")
      << QByteArray("[Idioma]\r\nx=1") << "English" << QByteArray("[Idioma]\r\nx=1\r\nidioma=English\r\n");
  QTest::newRow("section missing: created at the end")
      << QByteArray("[Otra]\r\n1=a\r\n") << "X" << QByteArray("[Otra]\r\n1=a\r\n\r\r\n[idioma]\r\nidioma=X\r\n");
  QTest::newRow("names in capitals; the key as the caller writes it")
      << QByteArray("[IDIOMA]\r\nIDIOMA=Espa\xF1ol\r\n[Espa\xF1ol]\r\n") << "English"
      << QByteArray("[IDIOMA]\r\nidioma=English\r\n[Espa\xF1ol]\r\n");
  QTest::newRow("a key with a blank is another key")
      << QByteArray("[Idioma]\r\nidioma =Espa\xF1ol\r\n[Espa\xF1ol]\r\n") << "English"
      << QByteArray("[Idioma]\r\nidioma =Espa\xF1ol\r\nidioma=English\r\n\r\r\n[Espa\xF1ol]\r\n");
  QTest::newRow("lines after the key copied as lines")
      << QByteArray("[Idioma]\r\nidioma=A\r\n\r\r\n[B]\r\n1=b\n2=c") << "B"
      << QByteArray("[Idioma]\r\nidioma=B\r\n\r\n\r\n[B]\r\n1=b\r\n2=c\r\n");
  QTest::newRow("lines before the section copied as lines")
      << QByteArray("pre\n[Idioma]\r\nidioma=A\r\n") << "B" << QByteArray("pre\r\n[Idioma]\r\nidioma=B\r\n");
  QTest::newRow("a line without = is kept")
      << QByteArray("[Idioma]\r\nsin igual\r\nidioma=A\r\n") << "B"
      << QByteArray("[Idioma]\r\nsin igual\r\nidioma=B\r\n");
  QTest::newRow("value holding =") << QByteArray("[Idioma]\r\nidioma=A\r\n[A]\r\n") << "x=y"
                                   << QByteArray("[Idioma]\r\nidioma=x=y\r\n[A]\r\n");
}

void PruebaIdiomas::guardavalor() {
  QFETCH(QByteArray, antes);
  QFETCH(QString, valor);
  QFETCH(QByteArray, despues);
  prueba::Carpeta c;
  c.idioma(antes);
  QVERIFY(idiomas::guardavalor(fichero_idioma, "idioma", "idioma", valor));
  QCOMPARE(c.leer("idioma.lng"), despues);
  QVERIFY(!c.existe("idioma.tmp"));
  QCOMPARE(idiomas::leervalor(fichero_idioma, "idioma", "idioma"), valor);
}

void PruebaIdiomas::guardavalor_sin_fichero() {
  prueba::Carpeta c;
  QVERIFY(!idiomas::guardavalor(c.ruta("idioma.lng"), "idioma", "idioma", "X"));
  QVERIFY(!c.existe("idioma.lng"));
  QVERIFY(!c.existe("idioma.tmp"));
}

void PruebaIdiomas::guardavalor_que_no_puede_escribir() {
  // The new content cannot be written whole (the process may write no file
  // beyond a few bytes, whoever runs the test): the file stays as it was and
  // no temporary file is left.
  prueba::Carpeta c;
  const QByteArray antes("[Idioma]\r\nidioma=A\r\n[A]\r\n[B]\r\n");
  c.idioma(antes);
  const QStringList ficheros = QDir(c.ruta("")).entryList(QDir::Files | QDir::Hidden);
  prueba::SinSitio sin_sitio(8);
  QVERIFY(!idiomas::guardavalor(fichero_idioma, "idioma", "idioma", "B"));
  QVERIFY(!idiomas::guardavalor(fichero_idioma, "Nueva", "1", "x"));
  QCOMPARE(c.leer("idioma.lng"), antes);
  QCOMPARE(QDir(c.ruta("")).entryList(QDir::Files | QDir::Hidden), ficheros);

  prueba::Guion guion;
  idioma_actual = "A";
  QVERIFY(!cambia_idioma("B"));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QVERIFY(guion.cajas[0].texto.contains(fichero_idioma));
  QCOMPARE(c.leer("idioma.lng"), antes);
}

void PruebaIdiomas::cambia_idioma_con_seccion() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas("Español"));
  idioma_actual = "Español";
  prueba::Guion guion;
  QVERIFY(cambia_idioma("English"));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("es185"));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString("es3"));
  QVERIFY(c.leer("idioma.lng").startsWith("[Idioma]\r\nidioma=English\r\n[Espa\xF1ol]\r\n1=es1\r\n"));
  QCOMPARE(c.leer("idioma.lng").size(), prueba::fichero_idiomas("Español").size());
  // The new language takes effect at the next start.
  QCOMPARE(idioma_actual, QString("Español"));
}

void PruebaIdiomas::cambia_idioma_sin_seccion() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas("Español"));
  idioma_actual = "Español";
  prueba::Guion guion;
  QVERIFY(!cambia_idioma("Klingon"));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("es184"));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(guion.cajas[0].titulo, QString("es3"));
  QCOMPARE(c.leer("idioma.lng"), prueba::fichero_idiomas("Español"));
}

void PruebaIdiomas::idioma_actual_sin_seccion_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<QString>("actual");   // the language in use
  QTest::addColumn<bool>("reserva");     // the first language stands in
  QTest::addColumn<QString>("marcado");  // the marked menu item, "" for none
  QTest::addColumn<QString>("archivo");  // the File menu's title
  const QStringList dos{"Español", "English"};
  QTest::newRow("recorded with a section") << prueba::fichero_idiomas("English", dos) << "English" << false
                                           << "English" << "en1";
  QTest::newRow("recorded in other letters") << prueba::fichero_idiomas("ENGLISH", dos) << "ENGLISH" << false
                                             << "English" << "en1";
  QTest::newRow("recorded without a section") << prueba::fichero_idiomas("Klingon", dos) << "Español" << true
                                              << "" << "es1";
  QTest::newRow("recorded as the settings section") << prueba::fichero_idiomas("Idioma", dos) << "Español"
                                                    << true << "" << "es1";
  QByteArray sin_clave = prueba::fichero_idiomas("English", {"English", "Español"});
  sin_clave.replace("idioma=English\r\n", "");
  QTest::newRow("nothing recorded") << sin_clave << "English" << true << "" << "en1";
  // No language has the menus' texts: the program's own stand in.
  QTest::newRow("no language to stand in") << QByteArray("[Idioma]\r\nidioma=Klingon\r\n") << "Klingon" << false
                                           << "" << "File";
}

void PruebaIdiomas::idioma_actual_sin_seccion() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, actual);
  QFETCH(bool, reserva);
  QFETCH(QString, marcado);
  QFETCH(QString, archivo);
  prueba::Carpeta c;
  c.idioma(contenido);
  carga_idiomas();
  QCOMPARE(idioma_actual, actual);
  QCOMPARE(idioma_de_reserva, reserva);
  frmMain& f = frmMain::instancia();
  // The menus have their captions, the language menu among them.
  QCOMPARE(f.mnuFile->title(), archivo);
  QCOMPARE(f.mnuidioma->title(), archivo == "File" ? QString("Language") : archivo.left(2) + "3");
  QString visto;
  for (int i = 1; i <= num_idiomas; ++i)
    if (f.mnuidiomas(i)->isChecked()) visto = f.mnuidiomas(i)->text();
  QCOMPARE(visto, marcado);
  if (num_idiomas > 0) QCOMPARE(plataforma::App::HelpFile().toLower(), c.ruta(actual + ".hlp").toLower());
  QCOMPARE(c.leer("idioma.lng"), contenido);
}

void PruebaIdiomas::elegir_tras_la_reserva() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas("Klingon"));
  carga_idiomas();
  QCOMPARE(idioma_actual, QString("Español"));
  frmMain& f = frmMain::instancia();
  prueba::Guion guion;
  // The language in use is not marked, so that choosing it records it.
  f.mnuidiomas_Click(1);
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("es185"));
  QCOMPARE(c.leer("idioma.lng"), prueba::fichero_idiomas("Español"));
}

void PruebaIdiomas::problemas_del_fichero_data() {
  QTest::addColumn<QByteArray>("contenido");  // "<missing>": no file
  QTest::addColumn<QString>("problema");      // a word of the description; "" for none
  QTest::newRow("good") << prueba::fichero_idiomas() << "";
  QTest::newRow("text before the first header") << QByteArray("comentario\r\n[Idioma]\r\nidioma=A\r\n[A]\r\n") << "";
  QTest::newRow("missing") << QByteArray("<missing>") << "opened";
  QTest::newRow("no header") << QByteArray("1=a\r\n") << "no section";
  QTest::newRow("lone [") << QByteArray("[Idioma]\r\nidioma=A\r\n[A]\r\n[\r\n") << "Line 4";
  QTest::newRow("line without =") << QByteArray("[Idioma]\r\nidioma=A\r\n[A]\r\n1 Archivo\r\n") << "Line 4";
  // The first language stands in for a current language without a section.
  QTest::newRow("current language without section") << QByteArray("[Idioma]\r\nidioma=B\r\n[A]\r\n") << "";
  QTest::newRow("current language without section, no language")
      << QByteArray("[Idioma]\r\nidioma=B\r\n") << "«B»";
  QTest::newRow("no current language, no language") << QByteArray("[Idioma]\r\n") << "«»";
}

void PruebaIdiomas::problemas_del_fichero() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, problema);
  prueba::Carpeta c;
  if (contenido != "<missing>") c.idioma(contenido);
  const QString descripcion = problema_fichero(c.ruta("idioma.lng"));
  if (problema.isEmpty())
    QCOMPARE(descripcion, QString());
  else
    QVERIFY2(descripcion.contains(problema), qPrintable(descripcion));
  QCOMPARE(c.leer("idioma.lng"), contenido);
}

void PruebaIdiomas::texto_que_falta_data() {
  QTest::addColumn<QByteArray>("contenido");  // "<missing>": no file
  QTest::addColumn<QString>("actual");
  QTest::addColumn<int>("clave");
  QTest::addColumn<QString>("texto");
  const QByteArray tres = "[Idioma]\r\nidioma=B\r\n40=ajuste\r\n[A]\r\n40=a\r\n41=a41\r\n[B]\r\n41=b41\r\n42=\r\n"
                          "[C]\r\n40=c\r\n42=c42\r\n43=c43\r\n";
  QTest::newRow("in the language in use") << tres << "B" << 41 << "b41";
  QTest::newRow("from the first other language of the file") << tres << "B" << 40 << "a";
  QTest::newRow("empty in the language in use") << tres << "B" << 42 << "c42";
  QTest::newRow("from a later language") << tres << "A" << 43 << "c43";
  QTest::newRow("language in use in other letters") << tres << "b" << 41 << "b41";
  QTest::newRow("not from the settings section")
      << QByteArray("[Idioma]\r\nidioma=A\r\n40=ajuste\r\n[A]\r\n1=a\r\n") << "A" << 40 << "[40]";
  QTest::newRow("a menu of no language") << tres << "B" << 3 << "Language";
  QTest::newRow("a language answer of no language") << tres << "B" << 185
                                                    << "The language has been recorded: the program starts in it "
                                                       "next time.";
  QTest::newRow("any other text of no language") << tres << "B" << 44 << "[44]";
  QTest::newRow("no file: a menu") << QByteArray("<missing>") << "B" << 11 << "Exit";
  QTest::newRow("no file: another text") << QByteArray("<missing>") << "B" << 1033 << "[1033]";
  // Only the first section of a name is the language in use.
  QTest::newRow("a second section of the same name")
      << QByteArray("[Idioma]\r\nidioma=B\r\n[B]\r\n1=b\r\n[A]\r\n2=a\r\n[B]\r\n2=b2\r\n") << "B" << 2 << "a";
}

void PruebaIdiomas::texto_que_falta() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, actual);
  QFETCH(int, clave);
  QFETCH(QString, texto);
  prueba::Carpeta c;
  if (contenido != "<missing>") c.idioma(contenido);
  idioma_actual = actual;
  QCOMPARE(idiomas::texto(clave), texto);
}

// The table of the keys in use is the key list of each language of the
// language file shipped with the program: a key added to the file (for a new
// text) must be added to the table, and the reverse.
void PruebaIdiomas::claves_del_fichero_del_programa() {
  const QString fichero = QStringLiteral(DATA_DIR "/idioma.lng");
  QStringList lenguas;
  QVERIFY(leersecciones(fichero, lenguas) >= 2);
  for (const QString& lengua : lenguas) {
    QCOMPARE(claves_ausentes(fichero, lengua), QList<int>());
    QByteArray bytes;
    QVERIFY(plataforma::leer_bytes(fichero, bytes));
    QList<int> claves;
    bool dentro = false;
    for (const QString& l : plataforma::lineas(bytes)) {
      if (l.startsWith('[')) dentro = l.mid(1, l.size() - 2) == lengua;
      else if (dentro && l.contains('=')) claves << l.section('=', 0, 0).toInt();
    }
    std::sort(claves.begin(), claves.end());
    QVERIFY2(claves == claves_en_uso(),
             qPrintable(lengua + ": the keys of data/idioma.lng and the table of idiomas::claves_en_uso differ"));
  }
}

void PruebaIdiomas::aviso_de_claves_ausentes_data() {
  QTest::addColumn<QByteArray>("contenido");  // "<missing>": no file
  QTest::addColumn<QString>("claves");        // the keys named; "" for no warning
  const QByteArray completo = prueba::fichero_idiomas("Español");
  QTest::newRow("complete") << completo << "";
  QTest::newRow("missing") << QByteArray("<missing>") << "";
  QTest::newRow("current language without a section") << prueba::fichero_idiomas("Klingon") << "";
  QByteArray una = completo;
  QTest::newRow("one key") << una.replace("\r\n1109=es1109", "") << ": 1109\n";
  QByteArray vacia = completo;
  QTest::newRow("an empty value") << vacia.replace("\r\n7=es7", "\r\n7=") << ": 7\n";
  QByteArray ocho = completo;
  for (int k : {2, 3, 4, 5, 6, 7, 8, 9}) ocho.replace("\r\n" + QByteArray::number(k) + "=es", "\r\nx=");
  QTest::newRow("eight keys") << ocho << ": 2, 3, 4, 5, 6, 7, 8, 9\n";
  QByteArray nueve = ocho;
  QTest::newRow("nine keys") << nueve.replace("\r\n10=es10", "") << ": 2, 3, 4, 5, 6, 7, 8, 9, … (9)\n";
  // English, where nothing is missing, is not the language in use.
  QTest::newRow("only the other language") << QByteArray(completo).replace("\r\n1=en1", "") << "";
}

void PruebaIdiomas::aviso_de_claves_ausentes() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, claves);
  prueba::Carpeta c;
  if (contenido != "<missing>") c.idioma(contenido);
  carga_idiomas();
  const QString aviso = aviso_claves_ausentes();
  if (claves.isEmpty()) {
    QCOMPARE(aviso, QString());
  } else {
    QVERIFY2(aviso.contains(QDir::toNativeSeparators(fichero_idioma) + "\n"), qPrintable(aviso));
    QVERIFY2(aviso.contains("Missing from «Español»" + claves), qPrintable(aviso));
  }
  QCOMPARE(c.leer("idioma.lng"), contenido);
}

// A link planted where a fixed temporary name would be (idioma.tmp), dangling
// or to another file: the rewrite neither follows it nor changes it, and
// idioma.lng gets its new line with the rest of its bytes and its mode.
void PruebaIdiomas::guardavalor_no_sigue_enlaces_data() {
  QTest::addColumn<bool>("colgante");
  QTest::newRow("dangling link") << true;
  QTest::newRow("link to another file") << false;
}

void PruebaIdiomas::guardavalor_no_sigue_enlaces() {
  QFETCH(bool, colgante);
  prueba::Carpeta c;
  QTemporaryDir otra;
  const QString objetivo = otra.filePath("ajeno");
  const QByteArray ajeno = "no es de este programa\n";
  if (!colgante) {
    QFile f(objetivo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ajeno);
  }
  QVERIFY(QFile::link(objetivo, c.ruta("idioma.tmp")));
  const QByteArray antes = prueba::fichero_idiomas("Español");
  c.idioma(antes);
  QCOMPARE(::chmod(QFile::encodeName(fichero_idioma).constData(), 0640), 0);
  idioma_actual = "Español";
  prueba::Guion guion;
  QVERIFY(cambia_idioma("English"));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("es185"));

  QByteArray despues = antes;
  despues.replace("idioma=Espa\xF1ol\r\n", "idioma=English\r\n");
  QCOMPARE(c.leer("idioma.lng"), despues);
  struct stat estado {};
  QCOMPARE(::stat(QFile::encodeName(fichero_idioma).constData(), &estado), 0);
  QCOMPARE(estado.st_mode & 07777, 0640u);
  QVERIFY(!QFileInfo(fichero_idioma).isSymLink());
  QCOMPARE(QFileInfo(c.ruta("idioma.tmp")).symLinkTarget(), objetivo);
  QCOMPARE(QFile::exists(objetivo), !colgante);
  if (!colgante) {
    QFile f(objetivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), ajeno);
  }
  // Nothing but the two names is left in the folder.
  QCOMPARE(QDir(c.ruta("")).entryList(QDir::Files | QDir::System | QDir::Hidden),
           QStringList({"idioma.lng", "idioma.tmp"}));
}

// A language file that is a symbolic link (a shared install): its target
// gets the new content, and the link stays a link.
void PruebaIdiomas::guardavalor_a_traves_de_un_enlace() {
  prueba::Carpeta c;
  QTemporaryDir compartida;
  const QString objetivo = compartida.filePath("idioma.lng");
  const QByteArray antes = prueba::fichero_idiomas("Español");
  {
    QFile f(objetivo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(antes);
  }
  QVERIFY(QFile::link(objetivo, c.ruta("idioma.lng")));
  fichero_idioma = c.ruta("idioma.lng");
  QVERIFY(idiomas::guardavalor(fichero_idioma, "idioma", "idioma", "English"));
  QVERIFY(QFileInfo(fichero_idioma).isSymLink());
  QCOMPARE(QFileInfo(fichero_idioma).symLinkTarget(), objetivo);
  QFile f(objetivo);
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(), QByteArray(antes).replace("idioma=Espa\xF1ol\r\n", "idioma=English\r\n"));
  QCOMPARE(QDir(compartida.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"idioma.lng"}));
}

QTEST_MAIN(PruebaIdiomas)
#include "idiomas_test.moc"
