// The windowed program's readers on damaged and hostile files. The language
// module reports NUL bytes and lines of megabytes at start-up and still reads
// the texts; a language file of many megabytes is neither read nor rewritten.
// The graph window refuses plot files with NUL bytes, lines of megabytes,
// counts beyond its fields and infinite numbers, and closes after its message.
// The problem-file reader stops at such a line or number, as at the end of
// the file, keeps what it read before and says where it stopped.
#include <QLineEdit>
#include <QtTest>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "grafica_comun.hpp"
#include "platform/mensajes.hpp"

using namespace idiomas;

namespace {
const QByteArray cabecera = "[Idioma]\r\nidioma=A\r\n[A]\r\n";
}

class PruebaEntradasMalas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void fichero_danado_data();
  void fichero_danado();
  void fichero_enorme();
  void grafica_danada_data();
  void grafica_danada();
  void problema_danado_data();
  void problema_danado();
};

void PruebaEntradasMalas::fichero_danado_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<QString>("problema");  // part of the start-up warning
  QTest::newRow("a NUL byte") << cabecera + QByteArray("2=a\0b\r\n1=Archivo\r\n", 18) << "Line 4: a NUL byte";
  QTest::newRow("a line of megabytes") << cabecera + "2=" + QByteArray(3 << 20, 'x') + "\r\n1=Archivo\r\n"
                                       << "Line 4: more than 65536 characters";
  QTest::newRow("the longest line") << cabecera + "2=" + QByteArray(65534, 'x') + "\r\n1=Archivo\r\n" << "";
}

void PruebaEntradasMalas::fichero_danado() {
  QFETCH(QByteArray, contenido);
  QFETCH(QString, problema);
  prueba::Carpeta c;
  c.idioma(contenido);
  const QString descripcion = problema_fichero(fichero_idioma);
  if (problema.isEmpty())
    QCOMPARE(descripcion, QString());
  else
    QVERIFY2(descripcion.contains(problema), qPrintable(descripcion));
  QCOMPARE(leervalor(fichero_idioma, "A", "1"), QString("Archivo"));
  QCOMPARE(c.leer("idioma.lng"), contenido);
}

void PruebaEntradasMalas::fichero_enorme() {
  prueba::Carpeta c;
  const QByteArray contenido = cabecera + "1=Archivo\r\n" + QByteArray(17 << 20, ' ') + "\r\n[B]\r\n";
  c.idioma(contenido);
  QVERIFY2(problema_fichero(fichero_idioma).contains("larger than 16 MB"), qPrintable(problema_fichero(fichero_idioma)));
  QCOMPARE(leervalor(fichero_idioma, "A", "1"), QString());
  QStringList lista;
  QCOMPARE(leersecciones(fichero_idioma, lista), std::int16_t(-1));
  QVERIFY(!existeseccion(fichero_idioma, "A"));
  QVERIFY(!crearseccion(fichero_idioma, "C"));
  QVERIFY(!guardavalor(fichero_idioma, "idioma", "idioma", "B"));
  QCOMPARE(c.leer("idioma.lng"), contenido);
  QVERIFY(!c.existe("idioma.tmp"));
}

void PruebaEntradasMalas::grafica_danada_data() {
  QTest::addColumn<QByteArray>("fichero");
  QTest::addColumn<bool>("leida");  // the window shows it
  auto una = [](const prueba::Curva& c) { return prueba::grafica({c}); };
  prueba::Curva c;
  c.puntos = prueba::serie(3);
  QTest::newRow("a good file") << una(c) << true;
  QByteArray nulo = una(c);
  nulo.insert(nulo.indexOf("curva") + 2, '\0');
  QTest::newRow("a NUL byte") << nulo << false;
  prueba::Curva larga = c;
  larga.leyenda = QString(3 << 20, 'x');
  QTest::newRow("a legend of megabytes") << una(larga) << false;
  larga.leyenda = QString(65534, 'x');  // two blanks before it
  QTest::newRow("the longest line") << una(larga) << true;
  prueba::Curva muchos = c;
  muchos.npuntos = 1000000000;
  QTest::newRow("10^9 points") << una(muchos) << false;
  muchos.npuntos = 32767;
  QTest::newRow("32767 points, 3 given") << una(muchos) << false;
  QByteArray infinito = una(c);
  infinito.replace("  1  1\r\n", "  1e999  1\r\n");
  QTest::newRow("an infinite coordinate") << infinito << false;
  QByteArray sin_numero = una(c);
  sin_numero.replace("  1  1\r\n", "  nan  1\r\n");  // not a number: 0
  QTest::newRow("a NaN coordinate") << sin_numero << true;
  const QByteArray buena = una(c);
  QTest::newRow("ends inside a curve") << buena.left(buena.indexOf("  2  2")) << false;
}

void PruebaEntradasMalas::grafica_danada() {
  QFETCH(QByteArray, fichero);
  QFETCH(bool, leida);
  prueba::Visor v;
  QCOMPARE(v.abrir(fichero) != nullptr, leida);
  if (!leida) {
    QCOMPARE(v.guion.cajas.size(), 1);
    QCOMPARE(v.guion.cajas[0].texto, QString("en123"));
    QCOMPARE(v.guion.cajas[0].estilo, plataforma::vbCritical);
  }
  QVERIFY(!v.programa_terminado);
}

void PruebaEntradasMalas::problema_danado_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<bool>("leido");  // the whole problem is on screen
  QTest::addColumn<int>("zonas_leidas");
  QTest::addColumn<int>("titulo");  // the length of the title box text
  const QByteArray cabeza = "* x:\r\nT = roto\r\nM = 1\r\nN = 10\r\nZ = 1\r\nP = 11\r\n* y:\r\n";
  auto constante = [&](const QByteArray& a, const QByteArray& v) {
    return cabeza + "t 1 = 1\r\na = " + a + "\r\nb = 4\r\nV = " + v + "\r\n---\r\n";
  };
  auto poligonal = [&](const QByteArray& n, const QByteArray& y) {
    return cabeza + "t 1 = 2\r\na = 0\r\nb = 4\r\nn = " + n + "\r\nx = 0\r\ny = 1\r\nx = 4\r\ny = " + y +
           "\r\n---\r\n";
  };
  QTest::newRow("a good file") << constante("0", "2") << true << 1 << 4;
  QTest::newRow("an infinite limit") << constante("-1e999", "2") << false << 1 << 4;
  QTest::newRow("an infinite potential") << constante("0", "1e999") << false << 1 << 4;
  QTest::newRow("a NaN potential") << constante("0", "NaN") << false << 1 << 4;
  QTest::newRow("an infinite vertex") << poligonal("2", "-1e999") << false << 1 << 4;
  QTest::newRow("10^6 vertices") << poligonal("1000000", "1") << false << 1 << 4;
  QTest::newRow("32767 vertices, two given") << poligonal("32767", "1") << false << 1 << 4;
  QTest::newRow("a NUL byte") << constante(QByteArray("0\0", 2), "2") << false << 1 << 4;
  QByteArray largo = cabeza;
  largo.replace("T = roto", "T = " + QByteArray(3 << 20, 'x'));
  QTest::newRow("a title of megabytes") << largo + "t 1 = 1\r\na = 0\r\nb = 4\r\nV = 0\r\n---\r\n" << false << 1 << 0;
  largo = cabeza;
  largo.replace("T = roto", "T = " + QByteArray(20000, 'x') + QByteArray(65532 - 20000, ' '));
  QTest::newRow("the longest line") << largo + "t 1 = 1\r\na = 0\r\nb = 4\r\nV = 0\r\n---\r\n" << true << 1 << 20000;
}

void PruebaEntradasMalas::problema_danado() {
  QFETCH(QByteArray, contenido);
  QFETCH(bool, leido);
  QFETCH(int, zonas_leidas);
  QFETCH(int, titulo);
  prueba::Problema p;
  const QString nuevo = p.d().txttitulo->text();
  p.carpeta.escribir("roto.dat", contenido);
  prueba::Guion guion;
  prueba::GuionDialogos dialogos({p.carpeta.ruta("roto.dat")});
  QCOMPARE(p.f().abrirfichero(), leido);
  // A file read in part is said so, and stays apart from the problem.
  QCOMPARE(guion.cajas.size(), qsizetype(leido ? 0 : 1));
  QCOMPARE(global::archivo, leido ? p.carpeta.ruta("roto.dat") : QString());
  QCOMPARE(global::modificado, !leido);
  QCOMPARE(int(global::nzonas), zonas_leidas);
  QCOMPARE(p.d().txttitulo->text().size(), titulo == 0 ? nuevo.size() : titulo);
  if (leido) QCOMPARE(global::zonas[0].coeficientes(0), contenido.contains("V = 2") ? 2.0 : 0.0);
  QCOMPARE(p.carpeta.leer("roto.dat"), contenido);
}

QTEST_MAIN(PruebaEntradasMalas)
#include "entradas_malas_test.moc"
