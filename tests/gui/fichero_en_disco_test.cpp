// The problem file on screen is the file on disk: Save asks before it
// replaces a file changed since it was opened or saved, and Run runs nothing
// the window does not show; Save As takes no name of the program's own files
// in its folder; Open and the viewers refuse what is not a regular file (a
// named pipe, a device) at once, and never wait on it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/nombres_propios.hpp"
#include "grafica_comun.hpp"
#include "modales.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"

using plataforma::vbNo;
using plataforma::vbYes;

namespace {

// A problem file of one constant zone, under the test language.
QByteArray problema(const QByteArray& titulo) {
  return "****** en45:\r\nen46 = " + titulo +
         "\r\nen47 (u.a.) = 1.000\r\nen48 = 10\r\nen49 = 1\r\nen50 = 1001\r\n****** en51:\r\n"
         "en52 1 = 1\r\nen53 1 = 0.000\r\nen54 1 = 10.000\r\nen55 = 0.000\r\n-----------------------------\r\n";
}

QString nativa(const QString& ruta) { return QDir::toNativeSeparators(ruta); }

void escribir(const QString& ruta, const QByteArray& bytes) {
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  f.write(bytes);
}

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct stat estado_de(const QString& ruta) {
  struct stat st {};
  ::stat(QFile::encodeName(ruta).constData(), &st);
  return st;
}

// Gives a file the time of last write of another.
void misma_hora(const QString& ruta, const struct stat& de) {
  const struct timespec horas[2] = {de.st_atim, de.st_mtim};
  QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(ruta).constData(), horas, 0), 0);
}

// The problem files of a folder, whatever their case.
QStringList dat_de(const QString& carpeta) {
  return QDir(carpeta).entryList({"*.dat"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

// A problem on screen, with the roads of these tests.
struct Problema : prueba::Problema {
  // Open of the file at ruta through the dialog (no question: nothing changed).
  void abrir(const QString& ruta) {
    prueba::GuionDialogos dialogos({ruta});
    prueba::Guion guion;
    f().mnuFileOpen_Click();
    if (!guion.cajas.isEmpty()) qFatal("Open said something: %s", qPrintable(guion.cajas[0].texto));
  }
  // The problem x.dat, titled "uno", written and opened.
  void abrir_x() {
    carpeta.escribir("x.dat", problema("uno"));
    abrir(carpeta.ruta("x.dat"));
  }
  void guardar_como(const QString& ruta) {
    prueba::GuionDialogos dialogos({ruta});
    f().mnuFileSaveAs_Click();
  }
  // A stand-in calculos that notes its argument and the file it reads.
  void motor(const QString& cuerpo = R"(printf '%s|' "$1" > argumentos.txt; cat "$1" >> argumentos.txt)") {
    carpeta.escribir("calculos", ("#!/bin/sh\n" + cuerpo + "\nexit 0\n").toUtf8());
    QFile::setPermissions(carpeta.ruta("calculos"), QFile::permissions(carpeta.ruta("calculos")) | QFileDevice::ExeOwner);
  }
  void run() { f().tbToolBar_ButtonClick(f().tbToolBar_Buttons("Ejecutar")); }
  // What must stay as it was when a command does nothing.
  QStringList estado() {
    return {d().txttitulo->text(), global::archivo, f().windowTitle(), global::modificado ? "modified" : "unchanged"};
  }
};

// The roads that leave another file, or none, where the opened one was: x.dat
// is open, and then it is written over, replaced or removed.
void cambiar(const QString& carpeta, const QString& cambio) {
  const QString x = QDir(carpeta).filePath("x.dat");
  const struct stat antes = estado_de(x);
  if (cambio == "written over") {
    escribir(x, problema("otro problema"));
  } else if (cambio == "written over, same size") {
    // Only the time of last write tells it from the file opened.
    escribir(x, problema("dos"));
    QCOMPARE(estado_de(x).st_size, antes.st_size);
    struct stat otra = antes;
    otra.st_mtim.tv_sec += 1;
    misma_hora(x, otra);
  } else if (cambio == "replaced, same size and time") {
    // Only the inode tells it.
    const QString nuevo = QDir(carpeta).filePath("nuevo.tmp");
    escribir(nuevo, problema("dos"));
    misma_hora(nuevo, antes);
    QVERIFY(QFile::rename(x, QDir(carpeta).filePath("guardado.dat")));
    QVERIFY(QFile::rename(nuevo, x));
    QCOMPARE(estado_de(x).st_size, antes.st_size);
  } else if (cambio == "removed") {
    QVERIFY(QFile::remove(x));
  } else if (cambio == "renamed away, X.DAT in its place") {
    QVERIFY(QFile::rename(x, QDir(carpeta).filePath("guardado.dat")));
    escribir(QDir(carpeta).filePath("X.DAT"), problema("uno"));
  } else {
    QFAIL(qPrintable("no such change: " + cambio));
  }
}

// The file that answers to x.dat after the change.
QString respondido(const QString& carpeta, const QString& cambio) {
  return QDir(carpeta).filePath(cambio.contains("X.DAT") ? "X.DAT" : "x.dat");
}

void filas_de_cambios() {
  QTest::addColumn<QString>("cambio");
  for (const char* c : {"written over", "written over, same size", "replaced, same size and time", "removed",
                        "renamed away, X.DAT in its place"})
    QTest::newRow(c) << QString(c);
}

// Opens each named pipe for writing, which lets a reader blocked in its
// open go on, when the test has not ended within a bound: a test that
// would hang fails instead.
class Vigia {
 public:
  explicit Vigia(QStringList tuberias) : tuberias_(std::move(tuberias)) {
    hilo_ = std::thread([this] {
      std::unique_lock<std::mutex> l(m_);
      if (cv_.wait_for(l, std::chrono::seconds(30), [this] { return fin_; })) return;
      for (const QString& t : tuberias_) {
        const int fd = ::open(QFile::encodeName(t).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
      }
      desbloqueo_ = true;
    });
  }
  ~Vigia() { terminar(); }
  // True when the window had to be let go.
  bool terminar() {
    {
      std::lock_guard<std::mutex> l(m_);
      fin_ = true;
    }
    cv_.notify_all();
    if (hilo_.joinable()) hilo_.join();
    return desbloqueo_;
  }

 private:
  QStringList tuberias_;
  std::thread hilo_;
  std::mutex m_;
  std::condition_variable cv_;
  bool fin_ = false;
  std::atomic<bool> desbloqueo_{false};
};

void tuberia(const QString& ruta) { QCOMPARE(::mkfifo(QFile::encodeName(ruta).constData(), 0600), 0); }

}  // namespace

class PruebaFicheroEnDisco : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void guardar_sobre_un_cambio_data();
  void guardar_sobre_un_cambio();
  void guardar_sobre_un_cambio_de_verdad();
  void salir_sobre_un_cambio();
  void guardar_sin_cambio_no_pregunta();
  void run_sobre_un_cambio_data();
  void run_sobre_un_cambio();
  void run_tras_guardar_encima();
  void run_del_nombre_resuelto();
  void cambio_durante_el_calculo();
  void grafica_del_fichero_en_disco();
  void nombres_propios_data();
  void nombres_propios();
  void guardar_como_un_nombre_propio_data();
  void guardar_como_un_nombre_propio();
  void guardar_como_un_nombre_propio_de_verdad();
  void guardar_un_fichero_propio_abierto();
  void abrir_lo_que_no_es_un_fichero_data();
  void abrir_lo_que_no_es_un_fichero();
  void abrir_una_tuberia_de_verdad();
  void visores_de_una_tuberia_data();
  void visores_de_una_tuberia();
  void lectores_del_programa_data();
  void lectores_del_programa();
};

// Save onto a file changed on disk since it was opened asks first, naming the
// file that now answers to the name: No writes nothing and keeps everything;
// Yes writes that file (never a second one beside it), and the next Save
// asks no more.
void PruebaFicheroEnDisco::guardar_sobre_un_cambio_data() {
  QTest::addColumn<QString>("cambio");
  QTest::addColumn<int>("respuesta");
  for (const char* c : {"written over", "written over, same size", "replaced, same size and time", "removed",
                        "renamed away, X.DAT in its place"}) {
    QTest::addRow("%s, Yes", c) << QString(c) << vbYes;
    QTest::addRow("%s, No", c) << QString(c) << vbNo;
  }
}

void PruebaFicheroEnDisco::guardar_sobre_un_cambio() {
  QFETCH(QString, cambio);
  QFETCH(int, respuesta);
  Problema p;
  const QString carpeta = p.carpeta.ruta("");
  p.abrir_x();
  p.d().txttitulo->setText("en pantalla");
  cambiar(carpeta, cambio);
  const QString fichero = respondido(carpeta, cambio);
  const QByteArray en_disco = leer(fichero);
  const QStringList ficheros = dat_de(carpeta);
  const QStringList antes = p.estado();

  prueba::Guion guion({respuesta});
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, "en245\n\n" + nativa(fichero));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbYesNo + plataforma::vbQuestion);
  QCOMPARE(guion.cajas[0].titulo, QString(""));
  if (respuesta == vbNo) {
    QCOMPARE(leer(fichero), en_disco);
    QCOMPARE(dat_de(carpeta), ficheros);
    QCOMPARE(p.estado(), antes);
    return;
  }
  QVERIFY(leer(fichero).contains("en46 = en pantalla\r\n"));
  QStringList esperados = ficheros;
  if (!esperados.contains(QFileInfo(fichero).fileName())) esperados << QFileInfo(fichero).fileName();
  esperados.sort(Qt::CaseInsensitive);
  QCOMPARE(dat_de(carpeta), esperados);
  QVERIFY(!global::modificado);
  p.d().txttitulo->setText("otra vez");
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QVERIFY(leer(fichero).contains("en46 = otra vez\r\n"));
}

// Through the real question: No, then Yes.
void PruebaFicheroEnDisco::guardar_sobre_un_cambio_de_verdad() {
  Problema p;
  p.abrir_x();
  p.d().txttitulo->setText("en pantalla");
  cambiar(p.carpeta.ruta(""), "written over");
  prueba::Modales m;
  m << m.boton(QMessageBox::No) << m.boton(QMessageBox::Yes);
  p.f().mnuFileSave_Click();
  QCOMPARE(m.textos, QStringList{"en245\n\n" + nativa(p.carpeta.ruta("x.dat"))});
  QCOMPARE(p.carpeta.leer("x.dat"), problema("otro problema"));
  QVERIFY(global::modificado);
  p.f().mnuFileSave_Click();
  QVERIFY(!m.quedan());
  QVERIFY(p.carpeta.leer("x.dat").contains("en46 = en pantalla\r\n"));
  QVERIFY(!global::modificado);
}

// Exit with unsaved changes, Yes to saving them, and No to replacing the
// changed file: nothing is written and the program stays with the problem.
void PruebaFicheroEnDisco::salir_sobre_un_cambio() {
  Problema p;
  p.abrir_x();
  p.d().txttitulo->setText("en pantalla");
  cambiar(p.carpeta.ruta(""), "written over");
  bool terminado = false;
  plataforma::App::fijar_End([&] { terminado = true; });
  prueba::Guion guion({vbYes, vbNo});
  p.f().mnuFileExit_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(guion.cajas[1].texto, "en245\n\n" + nativa(p.carpeta.ruta("x.dat")));
  QVERIFY(!terminado);
  QVERIFY(frmMain::cargado());
  QCOMPARE(p.carpeta.leer("x.dat"), problema("otro problema"));
  QVERIFY(global::modificado);
}

// The file as the window wrote it, or as it was opened, asks nothing: also
// through a name typed in another case, and after a Save As.
void PruebaFicheroEnDisco::guardar_sin_cambio_no_pregunta() {
  Problema p;
  p.carpeta.escribir("x.dat", problema("uno"));
  p.abrir(p.carpeta.ruta("X.Dat"));
  prueba::Guion guion;
  for (const char* titulo : {"a", "b"}) {
    p.d().txttitulo->setText(titulo);
    p.f().mnuFileSave_Click();
    QVERIFY(!global::modificado);
  }
  p.guardar_como(p.carpeta.ruta("otro.dat"));
  p.d().txttitulo->setText("c");
  p.f().mnuFileSave_Click();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(dat_de(p.carpeta.ruta("")), QStringList({"OTRO.DAT", "x.dat"}));
  QVERIFY(p.carpeta.leer("x.dat").contains("en46 = b\r\n"));
  QVERIFY(p.carpeta.leer("OTRO.DAT").contains("en46 = c\r\n"));
}

// Run of an unchanged problem whose file is no longer the one opened says
// so, naming the file, and runs nothing; the file on disk stays as it is.
void PruebaFicheroEnDisco::run_sobre_un_cambio_data() { filas_de_cambios(); }

void PruebaFicheroEnDisco::run_sobre_un_cambio() {
  QFETCH(QString, cambio);
  Problema p;
  p.motor();
  p.abrir_x();
  p.f().tbToolBar_Buttons("EditarR")->setEnabled(true);
  cambiar(p.carpeta.ruta(""), cambio);
  const QString fichero = respondido(p.carpeta.ruta(""), cambio);
  const QByteArray en_disco = leer(fichero);
  prueba::Guion guion;
  p.run();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, "en246\n\n" + nativa(fichero));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
  QVERIFY(!p.carpeta.existe("argumentos.txt"));
  QCOMPARE(estados(p.f()), QString("01100"));
  QCOMPARE(leer(fichero), en_disco);
  QVERIFY(!global::modificado);
}

// After the refusal, Save (answered Yes) puts the problem on screen in the
// file, and Run then runs it.
void PruebaFicheroEnDisco::run_tras_guardar_encima() {
  Problema p;
  p.motor();
  p.abrir_x();
  cambiar(p.carpeta.ruta(""), "written over");
  prueba::Guion guion({1, vbYes});
  p.run();
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(guion.cajas[1].texto.left(6), QString("en245\n"));
  p.run();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  const QByteArray leido = p.carpeta.leer("argumentos.txt");
  QVERIFY2(leido.startsWith("x.dat|") && leido.contains("en46 = uno\r\n"), leido.constData());
  QCOMPARE(estados(p.f()), QString("01111"));
}

// The engine is given the name the file was resolved to at Open, so that a
// file whose name differs only in case, put beside it later, never stands in.
void PruebaFicheroEnDisco::run_del_nombre_resuelto() {
  Problema p;
  p.motor();
  p.carpeta.escribir("x.dat", problema("uno"));
  p.abrir(p.carpeta.ruta("X.DAT"));
  p.carpeta.escribir("X.DAT", problema("impostor"));
  prueba::Guion guion;
  p.run();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(p.carpeta.leer("argumentos.txt"), "x.dat|" + problema("uno"));
  // Save writes the same file.
  p.d().txttitulo->setText("dos");
  p.f().mnuFileSave_Click();
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(p.carpeta.leer("x.dat").contains("en46 = dos\r\n"));
  QCOMPARE(p.carpeta.leer("X.DAT"), problema("impostor"));
}

// A file changed while the engine ran may not be the problem it read: the
// results are not offered, and that is said.
void PruebaFicheroEnDisco::cambio_durante_el_calculo() {
  Problema p;
  p.motor(R"(printf '%s|' "$1" > argumentos.txt; echo otra >> "$1")");
  p.abrir_x();
  prueba::Guion guion;
  p.run();
  QVERIFY(p.carpeta.existe("argumentos.txt"));
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, "en249\n\n" + nativa(p.carpeta.ruta("x.dat")));
  QCOMPARE(estados(p.f()), QString("01100"));
}

// A graph is asked for the file opened: the plotting program gets the name
// it was resolved to (never a namesake beside it), and nothing runs once the
// file is no longer the one opened.
void PruebaFicheroEnDisco::grafica_del_fichero_en_disco() {
  Problema p;
  p.carpeta.escribir("funciones", R"(#!/bin/sh
printf '%s|' "$1" > argumentos.txt; cat "$1" >> argumentos.txt; cp plantilla funcion
)");
  QFile::setPermissions(p.carpeta.ruta("funciones"), QFile::permissions(p.carpeta.ruta("funciones")) | QFileDevice::ExeOwner);
  prueba::Curva curva;
  curva.puntos = prueba::serie(5);
  p.carpeta.escribir("plantilla", prueba::grafica({curva}));
  p.carpeta.escribir("x.dat", problema("uno"));
  p.abrir(p.carpeta.ruta("X.DAT"));
  p.carpeta.escribir("X.DAT", problema("impostor"));
  frmprintgraf& g = frmprintgraf::instancia();
  g.Optprintgraf(1)->click();
  prueba::Guion guion;
  g.btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(p.carpeta.leer("argumentos.txt"), "x.dat|" + problema("uno"));
  QVERIFY(frmgraficos::cargado());
  frmgraficos::destruir();

  QVERIFY(QFile::remove(p.carpeta.ruta("argumentos.txt")));
  escribir(p.carpeta.ruta("x.dat"), problema("otro problema"));
  g.btactualizar->click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, "en246\n\n" + nativa(p.carpeta.ruta("x.dat")));
  QVERIFY(!p.carpeta.existe("argumentos.txt"));
  QVERIFY(!frmgraficos::cargado());
  frmprintgraf::destruir();
}

// The program's own names, in any case, and their temporary names; other
// names are not.
void PruebaFicheroEnDisco::nombres_propios_data() {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<bool>("propio");
  for (const char* n : {"RES.tot", "res.TOT", "DatosDIB", "datosdib", "res.min", "dib", "DIB", "FUNCION", "funcion",
                        "nivel", "prob", "impresion.pdf", "Tarvo_Olvex.lock", "idioma.lng", "idioma.lng.AbCdEf",
                        "Español.hlp", "english.HLP", "acerca.html", "Tarvo_Olvex", "calculos", "funciones",
                        "niveles", "probs", "RES.tot.tmp123456", "DatosDIB.tmp7", "res.min.AbCdEf", "dib.QwErTy",
                        "impresion.pdf.xYzAbC", "FUNCION.tmp42"})
    QTest::newRow(n) << QString::fromUtf8(n) << true;
  for (const char* n : {"RES.DAT", "res.tot.dat", "DIB.DAT", "caja.dat", "DATOS.DAT", "res.tot.tmp", "res.min.abc",
                        "idioma.lng.old", "prob2", "nivel.dat", "hlp"})
    QTest::newRow(n) << QString::fromUtf8(n) << false;
}

void PruebaFicheroEnDisco::nombres_propios() {
  QFETCH(QString, nombre);
  QFETCH(bool, propio);
  QCOMPARE(nombres_propios::es_propio(nombre), propio);
}

// Save As in the program folder refuses the program's own names with a
// message, and the dialog comes back for another name (here cancelled):
// nothing is written. Outside the program folder those names are fine, and
// a name without an extension is a problem file's.
void PruebaFicheroEnDisco::guardar_como_un_nombre_propio_data() {
  QTest::addColumn<QString>("tecleado");   // in the program folder, or "otra/..." in another
  QTest::addColumn<QString>("rechazado");  // the path the message names, in the program folder; "" when saved
  QTest::addColumn<QString>("escrito");    // the file written when saved
  QTest::newRow("res.tot, the report there") << "res.tot" << "RES.tot" << "";
  QTest::newRow("res.min") << "Res.Min" << "RES.MIN" << "";
  QTest::newRow("impresion.pdf") << "impresion.pdf" << "IMPRESION.PDF" << "";
  QTest::newRow("idioma.lng") << "idioma.lng" << "idioma.lng" << "";
  QTest::newRow("a help file") << "English.hlp" << "ENGLISH.HLP" << "";
  QTest::newRow("acerca.html") << "acerca.html" << "ACERCA.HTML" << "";
  QTest::newRow("the lock file") << "Tarvo_Olvex.lock" << "TARVO_OLVEX.LOCK" << "";
  QTest::newRow("a temporary report") << "RES.tot.tmp123" << "RES.TOT.TMP123" << "";
  QTest::newRow("the folder through a link") << "enlace/res.tot" << "enlace/RES.tot" << "";
  QTest::newRow("a link to the report") << "otra/informe.dat" << "otra/INFORME.DAT" << "";
  QTest::newRow("dib gets .dat") << "dib" << "" << "DIB.DAT";
  QTest::newRow("funcion gets .dat") << "funcion" << "" << "FUNCION.DAT";
  QTest::newRow("res.tot in another folder") << "otra/res.tot" << "" << "otra/RES.TOT";
  QTest::newRow("idioma.lng in another folder") << "otra/idioma.lng" << "" << "otra/IDIOMA.LNG";
}

void PruebaFicheroEnDisco::guardar_como_un_nombre_propio() {
  QFETCH(QString, tecleado);
  QFETCH(QString, rechazado);
  QFETCH(QString, escrito);
  Problema p;
  const QByteArray informe("informe\r\n");
  p.carpeta.escribir("RES.tot", informe);
  QVERIFY(QDir(p.carpeta.ruta("")).mkdir("otra"));
  QVERIFY(QFile::link(QDir(p.carpeta.ruta("")).absolutePath(), p.carpeta.ruta("enlace")));
  QVERIFY(QFile::link(p.carpeta.ruta("RES.tot"), p.carpeta.ruta("otra/INFORME.DAT")));
  const QByteArray lengua = p.carpeta.leer("idioma.lng");
  p.d().txttitulo->setText("en pantalla");
  const QStringList antes = p.estado();
  const QStringList ficheros = QDir(p.carpeta.ruta("")).entryList(QDir::Files | QDir::Hidden);

  prueba::GuionDialogos dialogos({p.carpeta.ruta(tecleado)});
  prueba::Guion guion({vbYes});
  p.f().mnuFileSaveAs_Click();
  QCOMPARE(p.carpeta.leer("RES.tot"), informe);
  QCOMPARE(p.carpeta.leer("idioma.lng"), lengua);
  if (!rechazado.isEmpty()) {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, "en248\n\n" + nativa(p.carpeta.ruta(rechazado)));
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
    QCOMPARE(dialogos.peticiones.size(), qsizetype(2));  // the dialog again, cancelled
    QCOMPARE(QDir(p.carpeta.ruta("")).entryList(QDir::Files | QDir::Hidden), ficheros);
    QCOMPARE(p.estado(), antes);
    return;
  }
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
  QVERIFY(p.carpeta.leer(escrito).contains("en46 = en pantalla\r\n"));
  QCOMPARE(global::archivo, p.carpeta.ruta(escrito));
  QVERIFY(!global::modificado);
}

// Through the real Save dialog and the real message box.
void PruebaFicheroEnDisco::guardar_como_un_nombre_propio_de_verdad() {
  Problema p;
  p.carpeta.escribir("RES.tot", "informe\r\n");
  prueba::Modales m;
  m << prueba::Modales::fichero(p.carpeta.ruta("res.tot")) << m.boton(QMessageBox::Ok)
    << prueba::Modales::cancelar_fichero();
  p.f().mnuFileSaveAs_Click();
  QVERIFY(!m.quedan());
  QCOMPARE(m.textos, QStringList{"en248\n\n" + nativa(p.carpeta.ruta("RES.tot"))});
  QCOMPARE(p.carpeta.leer("RES.tot"), QByteArray("informe\r\n"));
  QCOMPARE(global::archivo, QString());
}

// A problem read from a file of the program's own name is saved only under
// another name: Save says so and shows the Save As dialog.
void PruebaFicheroEnDisco::guardar_un_fichero_propio_abierto() {
  Problema p;
  p.carpeta.escribir("res.min", problema("uno"));
  p.abrir(p.carpeta.ruta("res.min"));
  p.d().txttitulo->setText("en pantalla");
  prueba::GuionDialogos dialogos({p.carpeta.ruta("bueno.dat")});
  prueba::Guion guion;
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, "en248\n\n" + nativa(p.carpeta.ruta("res.min")));
  QCOMPARE(p.carpeta.leer("res.min"), problema("uno"));
  QVERIFY(p.carpeta.leer("BUENO.DAT").contains("en46 = en pantalla\r\n"));
  QCOMPARE(global::archivo, p.carpeta.ruta("BUENO.DAT"));
}

// Open of what is no regular file is refused at once, with its path and the
// reason: the problem on screen stays as it was.
void PruebaFicheroEnDisco::abrir_lo_que_no_es_un_fichero_data() {
  QTest::addColumn<QString>("caso");
  QTest::newRow("a named pipe") << "tuberia";
  QTest::newRow("a link to a named pipe") << "enlace";
  QTest::newRow("a device that never ends") << "dispositivo";
}

void PruebaFicheroEnDisco::abrir_lo_que_no_es_un_fichero() {
  QFETCH(QString, caso);
  Problema p;
  tuberia(p.carpeta.ruta("TUBO.DAT"));
  QString ruta = p.carpeta.ruta("TUBO.DAT");
  if (caso == "enlace") {
    QVERIFY(QFile::link(ruta, p.carpeta.ruta("ENLACE.DAT")));
    ruta = p.carpeta.ruta("ENLACE.DAT");
  } else if (caso == "dispositivo") {
    ruta = "/dev/zero";
  }
  p.guardar_como(p.carpeta.ruta("antes.dat"));
  p.d().txttitulo->setText("en pantalla");
  const QStringList antes = p.estado();
  Vigia vigia({p.carpeta.ruta("TUBO.DAT")});
  prueba::Guion guion({vbNo});
  prueba::GuionDialogos dialogos({ruta});
  p.f().mnuFileOpen_Click();
  QVERIFY2(!vigia.terminar(), "Open waited on the pipe");
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(guion.cajas[1].texto, "en225\n\n" + nativa(ruta) + "\nen247");
  QCOMPARE(guion.cajas[1].estilo, plataforma::vbCritical);
  QCOMPARE(p.estado(), antes);
}

// Through the real Open dialog and the real message box.
void PruebaFicheroEnDisco::abrir_una_tuberia_de_verdad() {
  Problema p;
  tuberia(p.carpeta.ruta("TUBO.DAT"));
  Vigia vigia({p.carpeta.ruta("TUBO.DAT")});
  prueba::Modales m;
  m << prueba::Modales::fichero(p.carpeta.ruta("TUBO.DAT")) << m.boton(QMessageBox::Ok);
  p.f().mnuFileOpen_Click();
  QVERIFY2(!vigia.terminar(), "Open waited on the pipe");
  QVERIFY(!m.quedan());
  QCOMPARE(m.textos, QStringList{"en225\n\n" + nativa(p.carpeta.ruta("TUBO.DAT")) + "\nen247"});
  QCOMPARE(global::archivo, QString());
}

// The viewers of the report, its reduced copy and the problem file, on a
// named pipe in the file's place: nothing waits; the viewer says it and
// shows nothing.
void PruebaFicheroEnDisco::visores_de_una_tuberia_data() {
  QTest::addColumn<QString>("vista");
  QTest::addColumn<bool>("aviso");
  QTest::newRow("full report") << "informe" << true;
  QTest::newRow("reduced report") << "reducido" << false;
  QTest::newRow("problem file") << "problema" << true;
}

void PruebaFicheroEnDisco::visores_de_una_tuberia() {
  QFETCH(QString, vista);
  QFETCH(bool, aviso);
  Problema p;
  const QString ruta = p.carpeta.ruta(vista == "problema" ? "POZO.DAT" : "RES.tot");
  tuberia(ruta);
  Vigia vigia({ruta});
  prueba::Guion guion;
  if (vista == "problema") {
    global::archivo = ruta;
    p.f().editar_datos();
  } else {
    p.f().editar_resultados();
    frmprintres& r = frmprintres::instancia();
    r.Optprintres(vista == "informe" ? 0 : 1)->click();
    r.btactualizar->click();
  }
  QVERIFY2(!vigia.terminar(), "a viewer waited on the pipe");
  QVERIFY(!frmedit::cargado());
  if (aviso) {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, "en247\n\n" + nativa(ruta));
  }
}

// The program's other readers of its folder: a named pipe in the place of
// the language file or of the help file is not waited on.
void PruebaFicheroEnDisco::lectores_del_programa_data() {
  QTest::addColumn<QString>("fichero");
  QTest::newRow("language file") << "idioma.lng";
  QTest::newRow("help file") << "English.hlp";
}

void PruebaFicheroEnDisco::lectores_del_programa() {
  QFETCH(QString, fichero);
  Problema p;
  const QString ruta = p.carpeta.ruta(fichero);
  QFile::remove(ruta);
  tuberia(ruta);
  Vigia vigia({ruta});
  prueba::Guion guion;
  if (fichero == "idioma.lng") {
    idiomas::carga_idiomas();
  } else {
    plataforma::App::HelpFile() = ruta;
    p.f().mnuHelpContents_Click();
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, QString("en68"));
  }
  QVERIFY2(!vigia.terminar(), "a reader waited on the pipe");
  QByteArray bytes;
  plataforma::Lectura lectura;
  QVERIFY(!plataforma::leer_fichero(ruta, bytes, lectura));
  QVERIFY(lectura.no_regular);
}

QTEST_MAIN(PruebaFicheroEnDisco)
#include "fichero_en_disco_test.moc"
