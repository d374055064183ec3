// The token reader of plot files and the bounding corners of a point list.
#include <QtTest>

#include "frame/global.hpp"
#include "platform/ficheros.hpp"

using global::leepalabra;
using global::lista_vertices;
using global::tvertice;
using plataforma::FicheroLectura;

class PruebaGlobal : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void leepalabra_tokens_data();
  void leepalabra_tokens();
  void leepalabra_mas_alla_del_final();
  void leepalabra_desde_fichero();
  void extremos_data();
  void extremos();
};

void PruebaGlobal::leepalabra_tokens_data() {
  QTest::addColumn<QByteArray>("texto");
  QTest::addColumn<QStringList>("tokens");
  QTest::addColumn<qsizetype>("posicion");  // read position after the last token
  QTest::newRow("two blanks apart") << QByteArray("  12  3.5\r\n  7\r\n") << QStringList{"12", "3.5", "7"} << qsizetype(16);
  QTest::newRow("one blank loses a character") << QByteArray(" 12 3.5\r\n") << QStringList{"12", ".5"} << qsizetype(9);
  QTest::newRow("blanks before the line end") << QByteArray("  7  \r\n  8\r\n") << QStringList{"7", "", "8"} << qsizetype(12);
  QTest::newRow("no blank first") << QByteArray("123  4\r\n") << QStringList{"23", "4"} << qsizetype(8);
  QTest::newRow("many blanks") << QByteArray("      -1.5E+02\r\n") << QStringList{"-1.5E+02"} << qsizetype(16);
  QTest::newRow("LF line ends") << QByteArray("  1\n  2\n") << QStringList{"1", "2"} << qsizetype(8);
  QTest::newRow("Windows-1252 text") << QByteArray("  Espa\xF1ol\r\n") << QStringList{"Español"} << qsizetype(11);
}

void PruebaGlobal::leepalabra_tokens() {
  QFETCH(QByteArray, texto);
  QFETCH(QStringList, tokens);
  QFETCH(qsizetype, posicion);
  FicheroLectura f(texto);
  for (const QString& esperado : tokens) QCOMPARE(leepalabra(f), esperado);
  QCOMPARE(f.posicion(), posicion);
}

void PruebaGlobal::leepalabra_mas_alla_del_final() {
  // A token cut by the end of the file, and a read at the end, both fail.
  FicheroLectura cortado(QByteArray("  12"));
  QVERIFY_THROWS_EXCEPTION(plataforma::ErrorLectura, leepalabra(cortado));
  FicheroLectura leido(QByteArray("  1\r\n"));
  QCOMPARE(leepalabra(leido), QString("1"));
  QVERIFY(leido.eof());
  QVERIFY_THROWS_EXCEPTION(plataforma::ErrorLectura, leepalabra(leido));
}

void PruebaGlobal::leepalabra_desde_fichero() {
  QTemporaryDir dir;
  QFile f(dir.filePath("funcion"));
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("  0.5000  -1.2500\r\n");
  f.close();
  FicheroLectura fichero = FicheroLectura::abrir(f.fileName());
  QCOMPARE(leepalabra(fichero), QString("0.5000"));
  QCOMPARE(leepalabra(fichero), QString("-1.2500"));
  QVERIFY_THROWS_EXCEPTION(plataforma::ErrorLectura, FicheroLectura::abrir(dir.filePath("no_existe")));
}

using Puntos = QList<QPointF>;

void PruebaGlobal::extremos_data() {
  QTest::addColumn<int>("n");
  QTest::addColumn<Puntos>("puntos");
  QTest::addColumn<QPointF>("minimo");
  QTest::addColumn<QPointF>("maximo");
  QTest::newRow("one point") << 1 << Puntos{{2, 3}} << QPointF(2, 3) << QPointF(2, 3);
  QTest::newRow("corners are per coordinate") << 2 << Puntos{{1, 5}, {3, -2}} << QPointF(1, -2) << QPointF(3, 5);
  QTest::newRow("n = 0 gives the first point") << 0 << Puntos{{4, 4}, {-9, 9}} << QPointF(4, 4) << QPointF(4, 4);
  QTest::newRow("only the first n count") << 2 << Puntos{{0, 0}, {1, 1}, {50, -50}} << QPointF(0, 0) << QPointF(1, 1);
  QTest::newRow("negative values") << 3 << Puntos{{-1, -1}, {-3, -0.5}, {-2, -7}} << QPointF(-3, -7) << QPointF(-1, -0.5);
}

void PruebaGlobal::extremos() {
  QFETCH(int, n);
  QFETCH(Puntos, puntos);
  QFETCH(QPointF, minimo);
  QFETCH(QPointF, maximo);
  lista_vertices lista;
  lista.redim_preserve(static_cast<int>(puntos.size()));
  for (int i = 1; i <= puntos.size(); ++i) lista(i) = {puntos[i - 1].x(), puntos[i - 1].y()};
  tvertice mn, mx;
  global::extremos(n, lista, mn, mx);
  QCOMPARE(QPointF(mn.x, mn.y), minimo);
  QCOMPARE(QPointF(mx.x, mx.y), maximo);
}

QTEST_MAIN(PruebaGlobal)
#include "global_test.moc"
