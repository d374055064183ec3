// What the file commands may not lose or spoil: Save As asks before it
// replaces any existing file; Save keeps a file's permissions, owner, group
// and links and refuses a file the user may not write; Open replaces the
// problem on screen only with a file chosen and read; the title holds only
// what the problem file can hold.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QtTest>
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "modales.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "viewer/frmedit.hpp"

using plataforma::vbCancel;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

// A new problem on screen, with a language that holds the texts of the
// title's refusal and of a file that cannot be opened.
struct Problema : prueba::Problema {
  Problema() { carpeta.idioma(prueba::idiomas_editor() + "224=en224\r\n225=en225\r\n"); }
  void guardar_como(const QString& ruta) {
    prueba::GuionDialogos dialogos({ruta});
    f().mnuFileSaveAs_Click();
  }
};

QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

// What must stay as it was when a command replaces nothing.
QStringList estado(Problema& p) {
  return {p.d().txttitulo->text(), p.d().txtfb->text(), global::archivo, p.f().windowTitle(), estados(p.f()),
          global::modificado ? "modified" : "unchanged"};
}

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void escribir(const QString& ruta, const QByteArray& bytes) {
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  f.write(bytes);
}

struct stat estado_de(const QString& ruta) {
  struct stat st {};
  ::lstat(QFile::encodeName(ruta).constData(), &st);
  return st;
}

}  // namespace

class PruebaFicherosSeguros : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void sobrescribir_en_otra_carpeta_data();
  void sobrescribir_en_otra_carpeta();
  void sobrescribir_de_verdad();
  void fichero_danado_fuera_de_la_carpeta();
  void guardar_conserva_permisos_y_grupo();
  void guardar_por_un_enlace();
  void guardar_sin_permiso();
  void abrir_cancelado_data();
  void abrir_cancelado();
  void abrir_cancelado_de_verdad();
  void abrir_lo_que_no_se_abre_data();
  void abrir_lo_que_no_se_abre();
  void titulo_data();
  void titulo();
  void titulo_leido_de_un_fichero_data();
  void titulo_leido_de_un_fichero();
};

// An existing file in another folder: Yes replaces it, No asks for another
// name, Cancel leaves it byte for byte. The name typed in small letters
// reaches the file of that name, which is the one asked about.
void PruebaFicherosSeguros::sobrescribir_en_otra_carpeta_data() {
  QTest::addColumn<int>("respuesta");
  QTest::addColumn<QString>("existente");
  QTest::addColumn<QString>("tecleado");
  QTest::newRow("Yes") << vbYes << "VICTIM.DAT" << "VICTIM.DAT";
  QTest::newRow("No") << vbNo << "VICTIM.DAT" << "VICTIM.DAT";
  QTest::newRow("Cancel") << vbCancel << "VICTIM.DAT" << "VICTIM.DAT";
  QTest::newRow("Cancel, the name typed in small letters") << vbCancel << "VICTIM.DAT" << "victim.dat";
  QTest::newRow("Yes, an existing name in small letters") << vbYes << "victim.dat" << "victim.dat";
  QTest::newRow("Cancel, another extension") << vbCancel << "VICTIM.TXT" << "victim.txt";
}

void PruebaFicherosSeguros::sobrescribir_en_otra_carpeta() {
  QFETCH(int, respuesta);
  QFETCH(QString, existente);
  QFETCH(QString, tecleado);
  Problema p;
  QTemporaryDir otra;
  const QByteArray victima("victim");
  escribir(otra.filePath(existente), victima);
  p.d().txttitulo->setText("nuevo");
  prueba::Guion guion({respuesta});
  prueba::GuionDialogos dialogos({otra.filePath(tecleado), QString()});
  p.f().mnuFileSaveAs_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en44"));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbYesNoCancel + plataforma::vbQuestion);
  QCOMPARE(dialogos.peticiones.size(), qsizetype(respuesta == vbNo ? 2 : 1));
  // Never a second file beside the one asked about.
  QCOMPARE(QDir(otra.path()).entryList(QDir::Files), QStringList{existente});
  if (respuesta == vbYes) {
    QVERIFY(leer(otra.filePath(existente)).contains("= nuevo\r\n"));
    QVERIFY(!global::modificado);
  } else {
    QCOMPARE(leer(otra.filePath(existente)), victima);
    QVERIFY(global::modificado);
    QCOMPARE(global::archivo, QString());
  }
}

// Through the real Save dialog and the real question: Cancel leaves the file
// as it was.
void PruebaFicherosSeguros::sobrescribir_de_verdad() {
  Problema p;
  QTemporaryDir otra;
  escribir(otra.filePath("VICTIM.DAT"), "victim");
  p.d().txttitulo->setText("nuevo");
  prueba::Modales m;
  m << prueba::Modales::fichero(otra.filePath("victim.dat")) << m.boton(QMessageBox::Cancel);
  p.f().mnuFileSaveAs_Click();
  QVERIFY(!m.quedan());
  QCOMPARE(m.textos, QStringList{"en44"});
  QCOMPARE(leer(otra.filePath("VICTIM.DAT")), QByteArray("victim"));
  QCOMPARE(QDir(otra.path()).entryList(QDir::Files), QStringList{"VICTIM.DAT"});
  QVERIFY(global::modificado);
}

// A damaged file of another folder, loaded as untitled: a Save As of its own
// name asks before it is replaced.
void PruebaFicherosSeguros::fichero_danado_fuera_de_la_carpeta() {
  Problema p;
  QTemporaryDir otra;
  const QByteArray roto("****** en45:\r\nen46 = roto\r\nen47 (u.a.) = 1.000\r\n");
  escribir(otra.filePath("ROTO.DAT"), roto);
  {
    prueba::Guion guion;
    prueba::GuionDialogos dialogos({otra.filePath("ROTO.DAT")});
    p.f().mnuFileOpen_Click();
    QCOMPARE(guion.cajas.size(), qsizetype(1));
  }
  QCOMPARE(global::archivo, QString());
  prueba::Guion guion({vbCancel});
  p.guardar_como(otra.filePath("roto.dat"));
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en44"));
  QCOMPARE(leer(otra.filePath("ROTO.DAT")), roto);
}

// Save replaces the file whole, and the new file keeps the old one's
// permissions and group (here a group other than the user's own).
void PruebaFicherosSeguros::guardar_conserva_permisos_y_grupo() {
  Problema p;
  p.guardar_como(p.carpeta.ruta("privado.dat"));
  const QString ruta = p.carpeta.ruta("PRIVADO.DAT");
  const QByteArray nombre = QFile::encodeName(ruta);
  QCOMPARE(::chmod(nombre.constData(), 0600), 0);
  // Another group the user may give the file, when there is one.
  gid_t otro = ::getegid();
  if (::geteuid() == 0) {
    otro = ::getegid() + 4242;
  } else {
    gid_t grupos[64];
    const int n = ::getgroups(64, grupos);
    for (int i = 0; i < n; ++i)
      if (grupos[i] != ::getegid()) otro = grupos[i];
  }
  QCOMPARE(::chown(nombre.constData(), static_cast<uid_t>(-1), otro), 0);
  const struct stat antes = estado_de(ruta);

  p.d().txttitulo->setText("privado");
  prueba::Guion guion;
  p.f().mnuFileSave_Click();
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(leer(ruta).contains("= privado\r\n"));
  const struct stat despues = estado_de(ruta);
  QVERIFY(despues.st_ino != antes.st_ino);  // a new file took the old one's place
  QCOMPARE(despues.st_mode & 07777, mode_t(0600));
  QCOMPARE(despues.st_uid, antes.st_uid);
  QCOMPARE(despues.st_gid, otro);
  QCOMPARE(QDir(p.carpeta.ruta("")).entryList({"PRIVADO*"}, QDir::Files | QDir::Hidden), QStringList{"PRIVADO.DAT"});
}

// A problem opened through a symbolic link: Save writes the link's target
// and the link stays a link.
void PruebaFicherosSeguros::guardar_por_un_enlace() {
  Problema p;
  QTemporaryDir otra;
  p.guardar_como(otra.filePath("real.dat"));
  const QString real = otra.filePath("REAL.DAT");
  const QString enlace = p.carpeta.ruta("ENLACE.DAT");
  QVERIFY(QFile::link(real, enlace));
  {
    prueba::GuionDialogos dialogos({enlace});
    p.f().mnuFileOpen_Click();
  }
  QCOMPARE(global::archivo, enlace);
  p.d().txttitulo->setText("por el enlace");
  prueba::Guion guion;
  p.f().mnuFileSave_Click();
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(QFileInfo(enlace).isSymLink());
  QCOMPARE(QFileInfo(enlace).symLinkTarget(), real);
  QVERIFY(leer(real).contains("= por el enlace\r\n"));
  QCOMPARE(QDir(otra.path()).entryList(QDir::Files), QStringList{"REAL.DAT"});
}

// A file the user may not write is refused with the system's reason: the
// file stays as it was and the problem stays unsaved.
void PruebaFicherosSeguros::guardar_sin_permiso() {
  if (::geteuid() == 0) QSKIP("root may write any file: run the tests as an ordinary user to see the refusal");
  Problema p;
  p.guardar_como(p.carpeta.ruta("fijo.dat"));
  const QString ruta = p.carpeta.ruta("FIJO.DAT");
  QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), 0444), 0);
  const QByteArray antes = leer(ruta);
  p.d().txttitulo->setText("no se guarda");
  prueba::Guion guion;
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QVERIFY2(guion.cajas[0].texto.endsWith(QDir::toNativeSeparators(ruta) + "\n" + qt_error_string(EACCES)),
           qPrintable(guion.cajas[0].texto));
  QCOMPARE(leer(ruta), antes);
  QCOMPARE(estado_de(ruta).st_mode & 07777, mode_t(0444));
  QVERIFY(global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-FIJO.DAT*"));
  QCOMPARE(QDir(p.carpeta.ruta("")).entryList({"FIJO*"}, QDir::Files | QDir::Hidden), QStringList{"FIJO.DAT"});
}

// Open with its dialog cancelled replaces nothing: the values, the title,
// the file, the modified mark, the buttons and an open viewer of the file
// stay. Yes saves first; when that save does not happen, no dialog opens.
void PruebaFicherosSeguros::abrir_cancelado_data() {
  QTest::addColumn<bool>("con_nombre");
  QTest::addColumn<int>("respuesta");
  QTest::addColumn<QString>("guardar_como");  // the Save As path, "" for Cancel
  QTest::addColumn<bool>("dialogo_de_abrir");
  QTest::newRow("untitled, No") << false << vbNo << "" << true;
  QTest::newRow("untitled, Yes, saved through Save As") << false << vbYes << "nuevo.dat" << true;
  QTest::newRow("untitled, Yes, Save As cancelled") << false << vbYes << "" << false;
  QTest::newRow("with its file, No") << true << vbNo << "" << true;
  QTest::newRow("with its file, Yes") << true << vbYes << "" << true;
}

void PruebaFicherosSeguros::abrir_cancelado() {
  QFETCH(bool, con_nombre);
  QFETCH(int, respuesta);
  QFETCH(QString, guardar_como);
  QFETCH(bool, dialogo_de_abrir);
  Problema p;
  if (con_nombre) {
    p.guardar_como(p.carpeta.ruta("pozo.dat"));
    p.f().editar_datos();
    QVERIFY(frmedit::cargado());
  }
  p.d().txtfb->setText("25");
  p.d().txttitulo->setText("en pantalla");
  const QPointer<frmdatos> ventana(&p.d());
  std::deque<QString> rutas;
  if (respuesta == vbYes && !con_nombre) rutas.push_back(guardar_como.isEmpty() ? QString() : p.carpeta.ruta(guardar_como));
  rutas.push_back(QString());  // the Open dialog cancelled
  prueba::GuionDialogos dialogos(rutas);
  prueba::Guion guion({respuesta});
  const bool guarda = respuesta == vbYes && (con_nombre || !guardar_como.isEmpty());
  QStringList esperado = estado(p);
  if (guarda) {
    const QString nombre = con_nombre ? "POZO.DAT" : "NUEVO.DAT";
    esperado = QStringList{"en pantalla", "25", p.carpeta.ruta(nombre), "Tarvo-Olvex-" + nombre, "01100", "unchanged"};
  }
  p.f().mnuFileOpen_Click();

  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  qsizetype abrir = 0;
  for (const auto& pedido : dialogos.peticiones) abrir += pedido.tipo == plataforma::DialogoComun::Tipo::Abrir;
  QCOMPARE(abrir, qsizetype(dialogo_de_abrir ? 1 : 0));
  QVERIFY(!ventana.isNull());
  QCOMPARE(&p.d(), ventana.data());
  QCOMPARE(estado(p), esperado);
  // The viewer of the file goes only when the file was written again.
  QCOMPARE(frmedit::cargado(), con_nombre && !guarda);
  if (guarda) QVERIFY(leer(global::archivo).contains("= en pantalla\r\n"));
}

// Through the real question (No) and the real Open dialog (Cancel).
void PruebaFicherosSeguros::abrir_cancelado_de_verdad() {
  Problema p;
  p.carpeta.escribir("otro.dat", "****** en45:\r\n");
  p.d().txttitulo->setText("en pantalla");
  const QStringList antes = estado(p);
  prueba::Modales m;
  m << m.boton(QMessageBox::No) << prueba::Modales::cancelar_fichero();
  p.f().mnuFileOpen_Click();
  QVERIFY(!m.quedan());
  QCOMPARE(m.textos, QStringList{"en40"});
  QCOMPARE(estado(p), antes);
}

// A file that cannot be opened at all is said so, with its path and the
// system's reason, and the problem on screen stays as it was.
void PruebaFicherosSeguros::abrir_lo_que_no_se_abre_data() {
  QTest::addColumn<QString>("caso");
  QTest::newRow("a folder named X.DAT") << "carpeta";
  QTest::newRow("a file removed meanwhile") << "borrado";
  QTest::newRow("a file the user may not read") << "sin permiso";
}

void PruebaFicherosSeguros::abrir_lo_que_no_se_abre() {
  QFETCH(QString, caso);
  if (caso == "sin permiso" && ::geteuid() == 0)
    QSKIP("root may read any file: run the tests as an ordinary user to see the refusal");
  Problema p;
  const QString ruta = p.carpeta.ruta("X.DAT");
  QString motivo;
  if (caso == "carpeta") {
    QVERIFY(QDir(p.carpeta.ruta("")).mkdir("X.DAT"));
  } else if (caso == "sin permiso") {
    p.carpeta.escribir("X.DAT", "****** en45:\r\n");
    QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), 0200), 0);
    motivo = qt_error_string(EACCES);
  } else {
    motivo = qt_error_string(ENOENT);
  }
  p.guardar_como(p.carpeta.ruta("antes.dat"));
  p.d().txttitulo->setText("en pantalla");
  const QStringList antes = estado(p);
  prueba::Guion guion({vbNo});
  prueba::GuionDialogos dialogos({ruta});
  p.f().mnuFileOpen_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  const QString texto = guion.cajas[1].texto;
  QVERIFY2(texto.startsWith("en225\n\n" + QDir::toNativeSeparators(ruta) + "\n"), qPrintable(texto));
  QVERIFY2(texto.section('\n', 3) != "" && (motivo.isEmpty() || texto.endsWith("\n" + motivo)), qPrintable(texto));
  QCOMPARE(guion.cajas[1].estilo, plataforma::vbCritical);
  QCOMPARE(estado(p), antes);
}

// The title box takes only characters that Windows-1252 holds, and no
// control character; anything else, typed or pasted, is refused with a
// message and the box keeps its text. What it takes is saved as it shows.
void PruebaFicherosSeguros::titulo_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("pegado");  // pasted, else typed
  QTest::addColumn<QByteArray>("guardado");  // the title's bytes in the file; empty: refused
  QTest::newRow("Ω pasted") << QString::fromUtf8("KEEPΩ") << true << QByteArray();
  QTest::newRow("中 typed") << QString::fromUtf8("中") << false << QByteArray();
  QTest::newRow("ő typed") << QString::fromUtf8("ő") << false << QByteArray();
  QTest::newRow("a sign beyond the basic plane pasted") << QString::fromUtf8("😀") << true << QByteArray();
  QTest::newRow("a line end pasted") << QString("a\nb") << true << QByteArray();
  QTest::newRow("a tab pasted") << QString("a\tb") << true << QByteArray();
  QTest::newRow("a C1 control pasted") << QString(QChar(0x81)) << true << QByteArray();
  QTest::newRow("Windows-1252 signs pasted") << QString::fromUtf8("€ œ Ÿ é ñ ?") << true
                                             << QByteArray("\x80 \x9C \x9F \xE9 \xF1 ?");
  QTest::newRow("accents typed") << QString::fromUtf8("Pozo ñáü") << false << QByteArray("Pozo \xF1\xE1\xFC");
}

void PruebaFicherosSeguros::titulo() {
  QFETCH(QString, texto);
  QFETCH(bool, pegado);
  QFETCH(QByteArray, guardado);
  Problema p;
  p.d().txttitulo->setText("T ");
  p.guardar_como(p.carpeta.ruta("t.dat"));
  QVERIFY(!global::modificado);
  QLineEdit* caja = p.d().txttitulo;
  caja->setFocus();
  caja->end(false);
  prueba::Guion guion;
  if (pegado) {
    QGuiApplication::clipboard()->setText(texto);
    QCOMPARE(QGuiApplication::clipboard()->text(), texto);
    QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
  } else {
    // Each character as a key that types it (as a keyboard layout or an
    // input method gives it).
    for (const QChar c : texto) {
      QKeyEvent pulsada(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(caja, &pulsada);
      QKeyEvent soltada(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(caja, &soltada);
    }
  }
  if (guardado.isEmpty()) {
    QVERIFY(!guion.cajas.isEmpty());
    for (const prueba::Caja& c : guion.cajas) QCOMPARE(c.texto, QString("en224"));
    QCOMPARE(caja->text(), QString("T "));
    QVERIFY(!global::modificado);
    return;
  }
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(caja->text(), "T " + texto);
  QVERIFY(global::modificado);
  p.f().mnuFileSave_Click();
  QVERIFY(p.carpeta.leer("T.DAT").contains("en46 = T " + guardado + "\r\n"));
}

// A title read from a file: every Windows-1252 character shows as it is; a
// control character stops the load at the title's line, as a damaged file.
void PruebaFicherosSeguros::titulo_leido_de_un_fichero_data() {
  QTest::addColumn<QByteArray>("titulo");
  QTest::addColumn<QString>("mostrado");  // empty: refused
  QTest::newRow("Windows-1252 signs") << QByteArray("\x80 \x9C \xE9") << QString::fromUtf8("€ œ é");
  QTest::newRow("a control character") << QByteArray("a\x01z") << QString();
  QTest::newRow("a tab") << QByteArray("a\tz") << QString();
  QTest::newRow("an undefined byte") << QByteArray("a\x81z") << QString();
}

void PruebaFicherosSeguros::titulo_leido_de_un_fichero() {
  QFETCH(QByteArray, titulo);
  QFETCH(QString, mostrado);
  Problema p;
  p.carpeta.escribir("t.dat", "****** en45:\r\nen46 = " + titulo +
                                  "\r\nen47 (u.a.) = 1.000\r\nen48 = 10\r\nen49 = 1\r\nen50 = 1001\r\n****** en51:\r\n"
                                  "en52 1 = 1\r\nen53 1 = 0.000\r\nen54 1 = 10.000\r\nen55 = 0.000\r\n"
                                  "-----------------------------\r\n");
  prueba::Guion guion;
  prueba::GuionDialogos dialogos({p.carpeta.ruta("t.dat")});
  p.f().mnuFileOpen_Click();
  if (mostrado.isEmpty()) {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QVERIFY2(guion.cajas[0].texto.endsWith("en222 2, en223: en46"), qPrintable(guion.cajas[0].texto));
    QCOMPARE(p.d().txttitulo->text(), QString());
    QCOMPARE(global::archivo, QString());
    return;
  }
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(p.d().txttitulo->text(), mostrado);
  QVERIFY(!global::modificado);
}

QTEST_MAIN(PruebaFicherosSeguros)
#include "ficheros_seguros_test.moc"
