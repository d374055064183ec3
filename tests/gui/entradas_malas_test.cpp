// The windowed program's language module on damaged language files: NUL
// bytes and lines of megabytes are reported at start-up and the texts still
// read; a file of many megabytes is not read at all and never rewritten.
#include <QtTest>

#include "comun.hpp"
#include "frame/idiomas.hpp"

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

QTEST_MAIN(PruebaEntradasMalas)
#include "entradas_malas_test.moc"
