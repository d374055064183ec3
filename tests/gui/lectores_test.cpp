// The problem-file and plot-file parsers on their own: what a good file
// gives, where a bad one stops and what it keeps, and the limits.
#include <QtTest>
#include <tuple>

#include "frame/problema_texto.hpp"
#include "platform/texto1252.hpp"
#include "viewer/grafica_texto.hpp"

namespace {

// Problem files -------------------------------------------------------------

QByteArray linea(const QByteArray& texto) { return texto + "\r\n"; }

QByteArray cabecera(const QByteArray& zonas) {
  return linea("****** DATOS GENERALES:") + linea("T\xEDtulo = Pozo, \"doble\"") + linea("Masa (u.a.) = 1.000") +
         linea("N\xFAmero de funciones de base = 10") + linea("N\xFAmero de zonas = " + zonas) +
         linea("Puntos de integraci\xF3n por zona = 1001") + linea("****** DATOS DE LAS ZONAS:");
}

QByteArray constante(int i, const QByteArray& xini, const QByteArray& xfin, const QByteArray& v0) {
  const QByteArray n = QByteArray::number(i);
  return linea("Tipo de potencial de la zona " + n + " = 1") + linea("L\xEDmite izquierdo de la zona " + n + " = " + xini) +
         linea("L\xEDmite derecho de la zona " + n + " = " + xfin) + linea("V0 = " + v0) +
         linea("-----------------------------");
}

// A polygonal zone whose count line says `cuenta` and that holds `vertices` vertices (k, k * k).
QByteArray poligonal(int i, const QByteArray& cuenta, int vertices) {
  const QByteArray n = QByteArray::number(i);
  QByteArray z = linea("Tipo de potencial de la zona " + n + " = 2") + linea("L\xEDmite izquierdo de la zona " + n + " = 5.000") +
                 linea("L\xEDmite derecho de la zona " + n + " = 10.000") +
                 linea("N\xFAmero de v\xE9rtices de la zona " + n + " = " + cuenta);
  for (int k = 1; k <= vertices; ++k)
    z += linea("Abscisa x(" + QByteArray::number(k) + ") = " + QByteArray::number(k)) +
         linea("Potencial V(" + QByteArray::number(k) + ") = " + QByteArray::number(k * k));
  return z;
}

const QByteArray raya = linea("-----------------------------");

// A vibration zone [5, 10] about 7.5 and a power-series zone [5, 10] whose
// coefficient of x^k is k, neither with its dash line.
QByteArray vibracion(int i) {
  const QByteArray n = QByteArray::number(i);
  return linea("Tipo de potencial de la zona " + n + " = 3") + linea("L\xEDmite izquierdo de la zona " + n + " = 5.000") +
         linea("L\xEDmite derecho de la zona " + n + " = 10.000") + linea("x0 = 7.500") + linea("V0 = -1.000") +
         linea("K2 = 2.000") + linea("K3 = 0.500") + linea("K4 = 0.250");
}
QByteArray potencias(int i) {
  const QByteArray n = QByteArray::number(i);
  QByteArray z = linea("Tipo de potencial de la zona " + n + " = 4") + linea("L\xEDmite izquierdo de la zona " + n + " = 5.000") +
                 linea("L\xEDmite derecho de la zona " + n + " = 10.000");
  for (int k : {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, -6})
    z += linea("Coeficiente(" + QByteArray::number(k) + ") = " + QByteArray::number(k));
  return z;
}

// A language whose key k reads "#k": the labels of the lines as a test sees them.
QString clave(int k) { return "#" + QString::number(k); }

// The first n lines of a text.
QByteArray primeras(const QByteArray& texto, int n) {
  qsizetype fin = 0;
  for (int i = 0; i < n; ++i) fin = texto.indexOf('\n', fin) + 1;
  return texto.left(fin);
}

// Plot files ----------------------------------------------------------------

QByteArray curva(const QByteArray& leyenda, int n, int tipo, int puntos, const QByteArray& parametro = "") {
  QByteArray c = "  " + leyenda + "\r\n    0.500  1.500\r\n  " + QByteArray::number(n) + "  1  " + QByteArray::number(tipo) +
                 (parametro.isEmpty() ? "" : "  " + parametro) + "  2  0  9\r\n";
  for (int k = 1; k <= puntos; ++k) c += "  " + QByteArray::number(k) + "  " + QByteArray::number(-k) + ".5\r\n";
  return c;
}

const QByteArray titulos = "  Niveles de energ\xED" "a\r\n  x\r\n  V(x)\r\n";

}  // namespace

class PruebaLectores : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void numero_como_el_motor_data();
  void numero_como_el_motor();
  void problema_data();
  void problema();
  void problema_completo();
  void lineas_largas_sin_numero();
  void zona_completada_data();
  void zona_completada();
  void grafica_data();
  void grafica();
  void grafica_completa();
  void grafica_aclarada_data();
  void grafica_aclarada();
};

void PruebaLectores::numero_como_el_motor_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("es_numero");
  QTest::addColumn<double>("valor");
  // The engines' own table of value texts.
  const QList<std::tuple<QString, bool, double>> casos = {
      {"1.000", true, 1.0},     {"   2.5   ", true, 2.5}, {"3", true, 3.0},      {"-.25", true, -0.25},
      {"+4.", true, 4.0},       {"1e3", true, 1000.0},   {"1.5D-1", true, 0.15}, {"2E+2", true, 200.0},
      {"1.000,2.000", true, 1.0}, {"1,5", true, 1.0},    {"7 8", true, 7.0},     {"\t6", true, 6.0},
      {"", false, 0},           {"     ", false, 0},     {",5", false, 0},       {"abc", false, 0},
      {"1.0x", false, 0},       {"1e", false, 0},        {".", false, 0},        {"-", false, 0},
      {"nan", false, 0},        {"inf", false, 0},       {"1e999", false, 0},    {"-1e999", false, 0},
      {"1.0004", true, 1.0004}, {"1e-400", true, 0.0},   {"3\v", false, 0},     {"2\xe9", false, 0}};
  for (const auto& [t, n, v] : casos) QTest::newRow(qPrintable("'" + t + "'")) << t << n << v;
}

// A value text read as the engines read it: the first item, whole.
void PruebaLectores::numero_como_el_motor() {
  QFETCH(QString, texto);
  QFETCH(bool, es_numero);
  QFETCH(double, valor);
  double v = -1;
  QCOMPARE(problema_texto::numero(QStringView(texto), v), es_numero);
  if (es_numero) QCOMPARE(v, valor);
  double b = -1;
  QCOMPARE(problema_texto::numero(QByteArrayView(plataforma::a_1252(texto)), b), es_numero);
  if (es_numero) QCOMPARE(b, valor);
}

void PruebaLectores::problema_data() {
  QTest::addColumn<QByteArray>("texto");
  QTest::addColumn<bool>("leido");
  QTest::addColumn<qsizetype>("linea_fallo");
  QTest::addColumn<QString>("esperada");  // the label of the line expected there
  QTest::addColumn<int>("cabeceras");
  QTest::addColumn<int>("zonas");
  QTest::addColumn<QList<double>>("valores_ultima");  // the numbers read for the last zone

  const QByteArray dos = cabecera("2") + constante(1, "0.000", "5.000", "1.000") + poligonal(2, "3.000", 3) + raya;
  const QString sin_fallo;
  QTest::newRow("two zones") << dos << true << qsizetype(0) << sin_fallo << 5 << 2
                             << QList<double>{2, 5, 10, 3, 1, 1, 2, 4, 3, 9};
  QTest::newRow("empty file") << QByteArray() << false << qsizetype(1) << "****** #45:" << 0 << 0 << QList<double>{};
  QTest::newRow("ends in the header") << primeras(dos, 3) << false << qsizetype(4) << "#48" << 2 << 0 << QList<double>{};
  QTest::newRow("NUL byte in the mass") << primeras(dos, 2) + QByteArray("Masa = 1\0.0\r\n", 14) << false << qsizetype(3)
                                        << "#47 (u.a.)" << 1 << 0 << QList<double>{};
  QTest::newRow("no second header") << primeras(dos, 6) << false << qsizetype(7) << "****** #51:" << 5 << 0
                                    << QList<double>{};
  // A count outside 1 to 10 is the count's line's fault.
  QTest::newRow("no zones") << cabecera("0") << false << qsizetype(5) << "#49" << 5 << 0 << QList<double>{};
  QTest::newRow("letters for the count") << cabecera("dos") + constante(1, "0", "1", "0") << false << qsizetype(5) << "#49"
                                         << 5 << 0 << QList<double>{};
  // Lines 13 to 19 of the second zone were read; its second vertex's y is missing.
  QTest::newRow("ends in a vertex") << primeras(dos, 19) << false << qsizetype(20) << "#58(2)" << 5 << 2
                                    << QList<double>{2, 5, 10, 3, 1, 1, 2};
  QTest::newRow("no dash line at the end") << primeras(dos, 22) << false << qsizetype(23)
                                           << "-----------------------------" << 5 << 2
                                           << QList<double>{2, 5, 10, 3, 1, 1, 2, 4, 3, 9};
  QTest::newRow("type code 5") << cabecera("1") + linea("Tipo = 5") << false << qsizetype(8) << "#52 1" << 5 << 1
                               << QList<double>{5};
  QTest::newRow("infinite limit") << cabecera("1") + constante(1, "1e999", "5", "0") << false << qsizetype(9) << "#53 1"
                                  << 5 << 1 << QList<double>{1};
  // A value that is not a number stops the reading at its line; one that
  // starts with a number is that number.
  QTest::newRow("letters for a limit") << cabecera("1") + constante(1, "abc", "5", "0") << false << qsizetype(9)
                                       << "#53 1" << 5 << 1 << QList<double>{1};
  QTest::newRow("no right limit") << cabecera("1") + constante(1, "0", "", "0") << false << qsizetype(10) << "#54 1" << 5
                                  << 1 << QList<double>{1, 0};
  QTest::newRow("NaN for V0") << cabecera("1") + constante(1, "0", "5", "NaN") << false << qsizetype(11) << "#55" << 5
                              << 1 << QList<double>{1, 0, 5};
  QTest::newRow("a number and text") << cabecera("1") + constante(1, "-2.5 bohr", "5.", "+.5e1,x") << true << qsizetype(0)
                                     << sin_fallo << 5 << 1 << QList<double>{1, -2.5, 5, 5};
  // The engines read the first item whole: a number run into letters is none.
  QTest::newRow("a number run into text") << cabecera("1") + constante(1, "-2.5 bohr", "5.", "+.5e1x") << false
                                          << qsizetype(11) << "#55" << 5 << 1 << QList<double>{1, -2.5, 5};
  QTest::newRow("ends in a vibration") << cabecera("1") + primeras(vibracion(1), 6) << false << qsizetype(14) << "#61"
                                       << 5 << 1 << QList<double>{3, 5, 10, 7.5, -1, 2};
  QTest::newRow("ends in a power series") << cabecera("1") + primeras(potencias(1), 11) << false << qsizetype(19)
                                          << "#63(-2)" << 5 << 1 << QList<double>{4, 5, 10, 0, 1, 2, 3, 4, 5, 6, -1};
  // The largest count the zone can take, in a file that holds two vertices.
  QTest::newRow("32767 vertices stated") << cabecera("1") + poligonal(1, "32767.000", 2) << false << qsizetype(16)
                                         << "#57(3)" << 5 << 1 << QList<double>{2, 5, 10, 32767, 1, 1, 2, 4};
  QTest::newRow("32768 vertices") << cabecera("1") + poligonal(1, "32768", 0) << false << qsizetype(11) << "#56 1" << 5
                                  << 1 << QList<double>{2, 5, 10, 32768};
  QTest::newRow("no vertices") << cabecera("1") + poligonal(1, "0.000", 0) + raya << false << qsizetype(11) << "#56 1"
                               << 5 << 1 << QList<double>{2, 5, 10, 0};

  // The engines read the first 80 characters of a line: a value line may go
  // on past them only with blanks. K2 is line 13 of a vibration zone.
  const QByteArray hasta_v0 = cabecera("1") + primeras(vibracion(1), 5);
  const QByteArray tras_k2 = linea("K3 = 0.500") + linea("K4 = 0.250") + raya;
  const QList<double> hasta_k2{3, 5, 10, 7.5, -1};
  QTest::newRow("K2 of 90 zeros and 1.000") << hasta_v0 + linea("K2 = " + QByteArray(90, '0') + "1.000") + tras_k2
                                            << false << qsizetype(13) << "#60" << 5 << 1 << hasta_k2;
  QTest::newRow("K2 with blanks past column 80") << hasta_v0 + linea("K2 = 2.000" + QByteArray(100, ' ')) + tras_k2
                                                 << true << qsizetype(0) << sin_fallo << 5 << 1
                                                 << QList<double>{3, 5, 10, 7.5, -1, 2, 0.5, 0.25};
  // "K2 = " and 75 characters: the 80th is the value's last digit.
  QTest::newRow("K2 line of 80 characters") << hasta_v0 + linea("K2 = " + QByteArray(70, '0') + "2.000") + tras_k2
                                            << true << qsizetype(0) << sin_fallo << 5 << 1
                                            << QList<double>{3, 5, 10, 7.5, -1, 2, 0.5, 0.25};
  QTest::newRow("K2 line of 81 characters") << hasta_v0 + linea("K2 = " + QByteArray(71, '0') + "2.000") + tras_k2
                                            << false << qsizetype(13) << "#60" << 5 << 1 << hasta_k2;
  QTest::newRow("a tab past column 80") << hasta_v0 + linea("K2 = 2.000" + QByteArray(70, ' ') + "\t") + tras_k2
                                        << false << qsizetype(13) << "#60" << 5 << 1 << hasta_k2;
  // Every value line, the header's too: the mass (line 3), the zone count
  // (line 5), a type line.
  const QByteArray hasta_masa = primeras(cabecera("1"), 2);
  const QByteArray resto_masa = cabecera("1").mid(primeras(cabecera("1"), 3).size()) + constante(1, "0", "5", "0");
  QTest::newRow("a second mass past column 80")
      << hasta_masa + linea("Masa (u.a.) = 1.000" + QByteArray(61, ' ') + "2") + resto_masa << false << qsizetype(3)
      << "#47 (u.a.)" << 1 << 0 << QList<double>{};
  QTest::newRow("a zone count going on past column 80")
      << primeras(cabecera("1"), 4) + linea("N\xFAmero de zonas = 1" + QByteArray(61, ' ') + "x") +
             cabecera("1").mid(primeras(cabecera("1"), 5).size()) + constante(1, "0", "5", "0")
      << false << qsizetype(5) << "#49" << 3 << 0 << QList<double>{};
  QTest::newRow("a type line going on past column 80")
      << cabecera("1") + linea("Tipo de potencial de la zona 1 = 1" + QByteArray(46, ' ') + "x") +
             constante(1, "0", "5", "0").mid(primeras(constante(1, "0", "5", "0"), 1).size())
      << false << qsizetype(8) << "#52 1" << 5 << 1 << QList<double>{};

  QByteArray diez = cabecera("10"), once = cabecera("11");
  for (int i = 1; i <= 11; ++i) {
    const QByteArray z = constante(i, QByteArray::number(i - 1), QByteArray::number(i), "0.5");
    if (i <= 10) diez += z;
    once += z;
  }
  QTest::newRow("ten zones") << diez << true << qsizetype(0) << sin_fallo << 5 << 10 << QList<double>{1, 9, 10, 0.5};
  // The eleventh zone is never read: reading stops after the tenth one.
  QTest::newRow("eleven zones") << once << false << qsizetype(5) << "#49" << 5 << 10 << QList<double>{1, 9, 10, 0.5};
}

void PruebaLectores::problema() {
  QFETCH(QByteArray, texto);
  QFETCH(bool, leido);
  QFETCH(qsizetype, linea_fallo);
  QFETCH(QString, esperada);
  QFETCH(int, cabeceras);
  QFETCH(int, zonas);
  QFETCH(QList<double>, valores_ultima);
  const problema_texto::Problema p = problema_texto::leer(texto);
  QCOMPARE(p.leido, leido);
  QCOMPARE(p.linea_fallo, linea_fallo);
  if (!leido) QCOMPARE(problema_texto::etiqueta(p.esperada, clave), esperada);
  QCOMPARE(p.cabecera.size(), cabeceras);
  QCOMPARE(static_cast<int>(p.zonas.size()), zonas);
  if (zonas > 0) {
    const std::vector<double>& v = p.zonas.back().valores;
    QCOMPARE(QList<double>(v.begin(), v.end()), valores_ultima);
  }
}

// Every field of a good file, and a polygon cut short keeps the vertices reached.
void PruebaLectores::problema_completo() {
  const QByteArray texto = cabecera("2") + constante(1, "-1.250", "5.000", "-0.500") + poligonal(2, "3.000", 3) + raya;
  const problema_texto::Problema p = problema_texto::leer(texto);
  QVERIFY(p.leido);
  QCOMPARE(p.cabecera, (QStringList{QString::fromLatin1("Pozo, \"doble\""), "1.000", "10", "2", "1001"}));
  const global::tzona& c = p.zonas[0].zona;
  QCOMPARE(c.tipo, 0);
  QCOMPARE(c.xini, -1.25);
  QCOMPARE(c.xfin, 5.0);
  QCOMPARE(c.coeficientes(0), -0.5);
  QCOMPARE(c.nvertices, 2);
  QCOMPARE(c.vertices(1).x, -1.25);
  QCOMPARE(c.vertices(2).x, 5.0);
  QCOMPARE(c.vertices(2).y, -0.5);
  const global::tzona& pol = p.zonas[1].zona;
  QCOMPARE(pol.tipo, 1);
  QCOMPARE(pol.nvertices, 3);
  QCOMPARE(pol.vertices.ubound(), 3);
  QCOMPARE(pol.vertices(3).x, 3.0);
  QCOMPARE(pol.vertices(3).y, 9.0);

  const problema_texto::Problema corta = problema_texto::leer(cabecera("1") + poligonal(1, "32767.000", 2));
  const global::tzona& z = corta.zonas[0].zona;
  QCOMPARE(z.nvertices, 32767);
  QCOMPARE(z.vertices.ubound(), 3);  // the third vertex was being read
  QCOMPARE(z.vertices(2).y, 4.0);
}

// The lines that carry no number are read as they stand, however long: the
// two headers, the dash lines, and the title, which is text.
void PruebaLectores::lineas_largas_sin_numero() {
  const QByteArray titulo = "Pozo " + QByteArray(195, 'x');
  const QByteArray texto = linea("****** DATOS GENERALES:" + QByteArray(100, '*')) + linea("T\xEDtulo = " + titulo) +
                           cabecera("1").mid(primeras(cabecera("1"), 2).size()) + primeras(constante(1, "0", "5", "1"), 4) +
                           linea(QByteArray(120, '-'));
  const problema_texto::Problema p = problema_texto::leer(texto);
  QVERIFY(p.leido);
  QCOMPARE(p.cabecera.value(0), QString::fromLatin1(titulo));
  QCOMPARE(p.zonas.size(), std::size_t(1));
  QCOMPARE(p.zonas[0].zona.coeficientes(0), 1.0);
}

// A zone cut short, given the numbers read to a new zone [6, 10] (type 0,
// vertices at its ends) the way the window gives them, and made whole with
// the zone before ending at 5.
void PruebaLectores::zona_completada_data() {
  QTest::addColumn<QList<double>>("leidos");
  QTest::addColumn<QString>("zona");  // type, limits, then the vertices or x0
  QTest::newRow("nothing read") << QList<double>{} << "0 [5, 10] (5, 0) (10, 0)";
  QTest::newRow("type code refused") << QList<double>{9} << "0 [5, 10] (5, 0) (10, 0)";
  QTest::newRow("constant without its right limit") << QList<double>{1, 4.5} << "0 [4.5, 10] (4.5, 0) (10, 0)";
  QTest::newRow("constant without V0") << QList<double>{1, 5, 8} << "0 [5, 8] (5, 0) (8, 0)";
  QTest::newRow("polygon without its count") << QList<double>{2, 5, 8} << "1 [5, 8] (5, 0) (8, 0)";
  QTest::newRow("polygon count refused") << QList<double>{2, 5, 8, 0} << "1 [5, 8] (5, 0) (8, 0)";
  QTest::newRow("polygon with one vertex in full") << QList<double>{2, 5, 8, 3, 5, 1, 6} << "1 [5, 8] (5, 0) (8, 0)";
  QTest::newRow("polygon with two vertices in full")
      << QList<double>{2, 5, 8, 4, 5, 1, 6, 2, 7} << "1 [5, 8] (5, 1) (6, 2)";
  QTest::newRow("vibration after its x0") << QList<double>{3, 5, 8, 6.5} << "2 [5, 8] x0 6.5";
}

void PruebaLectores::zona_completada() {
  QFETCH(QList<double>, leidos);
  QFETCH(QString, zona);
  global::tzona z;
  z.xini = 6;
  z.xfin = 10;
  z.nvertices = 2;
  z.vertices.redim_preserve(2);
  z.vertices(1) = {6, 0};
  z.vertices(2) = {10, 0};
  qsizetype siguiente = 0;
  try {
    problema_texto::leer_zona(
        z,
        [&](problema_texto::Campo, int) {
          if (siguiente >= leidos.size()) throw problema_texto::Fallo{};
          return leidos[siguiente++];
        },
        [](int) {});
    QFAIL("the zone was read to its end");
  } catch (const problema_texto::Fallo&) {
  }
  problema_texto::completar_zona(z, static_cast<std::size_t>(siguiente), 5);
  QString texto = QString("%1 [%2, %3]").arg(z.tipo).arg(z.xini).arg(z.xfin);
  if (z.tipo <= 1) {
    QCOMPARE(z.vertices.ubound(), int(z.nvertices));
    for (int j = 1; j <= z.nvertices; ++j) texto += QString(" (%1, %2)").arg(z.vertices(j).x).arg(z.vertices(j).y);
  } else {
    texto += QString(" x0 %1").arg(z.x0);
  }
  QCOMPARE(texto, zona);
}

void PruebaLectores::grafica_data() {
  QTest::addColumn<QByteArray>("texto");
  QTest::addColumn<bool>("leida");
  QTest::addColumn<qsizetype>("fallo");  // -1, or the byte place where reading stopped
  QTest::addColumn<int>("curvas");

  const QByteArray una = curva("Nivel 1:", 2, 1, 2);
  QTest::newRow("first legend fin") << titulos + "  fin\r\n" + una << true << qsizetype(-1) << 0;
  QTest::newRow("padded FIN") << titulos + una + "  FIN   \r\n" + una << true << qsizetype(-1) << 1;
  QTest::newRow("no FIN") << titulos + una + una << true << qsizetype(-1) << 2;
  QTest::newRow("ends in the header") << QByteArray("  comentario\r\n  x\r\n") << false << qsizetype(19) << 0;
  QTest::newRow("NUL byte") << titulos + una + QByteArray("\0", 1) << false << qsizetype(0) << 0;
  // Reading stops right behind the offending token.
  const QByteArray sin_puntos = titulos + "  a\r\n    0.500  1.500\r\n  0  1  1  2  0  9\r\n";
  QTest::newRow("no points") << sin_puntos << false << sin_puntos.size() << 0;
  const QByteArray grande = titulos + "  a\r\n    0.500  1.500\r\n  32768";
  QTest::newRow("32768 points") << grande + "  1  1  2  0  9\r\n" << false << grande.size() + 1 << 0;
  QTest::newRow("32767 points stated, two held") << titulos + curva("a", 32767, 0, 2) << false
                                                 << (titulos + curva("a", 32767, 0, 2)).size() << 0;
  const QByteArray colores = titulos + "  a\r\n    0.500  1.500\r\n  2  1  1  2  0  3e9";
  QTest::newRow("colour beyond 32 bits") << colores + "\r\n  1  1\r\n  2  2\r\n" << false << colores.size() + 2 << 0;

  QByteArray veinte = titulos;
  for (int i = 1; i <= 20; ++i) veinte += curva("c" + QByteArray::number(i), 1, 0, 1);
  QTest::newRow("twenty curves and FIN") << veinte + "  FIN\r\n" << true << qsizetype(-1) << 20;
  // The 21st legend fails before any of its tokens is read.
  const QByteArray veintiuna = veinte + "  c21\r\n";
  QTest::newRow("21 curves") << veintiuna + "    0.500  1.500\r\n" << false << veintiuna.size() << 0;
}

void PruebaLectores::grafica() {
  QFETCH(QByteArray, texto);
  QFETCH(bool, leida);
  QFETCH(qsizetype, fallo);
  QFETCH(int, curvas);
  const grafica_texto::Lectura l = grafica_texto::leer(texto);
  QCOMPARE(l.leida, leida);
  QCOMPARE(l.fallo, fallo);
  if (leida) QCOMPARE(static_cast<int>(l.grafica.curvas.size()), curvas);
}

// Every field of a good file; parametro only for the kinds above 3.
void PruebaLectores::grafica_completa() {
  const grafica_texto::Lectura l =
      grafica_texto::leer(titulos + curva("\"Ajuste, grado 3\"", 3, 4, 3, "3") + curva("Nivel 1:  ", 2, 3, 2) + "  FIN\r\n");
  QVERIFY(l.leida);
  const grafica_texto::Grafica& g = l.grafica;
  QCOMPARE(g.comentario, QString::fromUtf8("Niveles de energía"));
  QCOMPARE(g.etiqueta_x, "x");
  QCOMPARE(g.etiqueta_y, "V(x)");
  QCOMPARE(g.curvas.size(), std::size_t(2));
  const graficos::tcurva& a = g.curvas[0];
  QCOMPARE(a.leyenda, "Ajuste, grado 3");
  QCOMPARE(a.leyenda_x, 0.5);
  QCOMPARE(a.leyenda_y, 1.5);
  QVERIFY(a.activa);
  QCOMPARE(a.npuntos, 3);
  QCOMPARE(a.marcas, 1);
  QCOMPARE(a.tipo, 4);
  QCOMPARE(a.parametro, 3);
  QCOMPARE(a.grosor, 2);
  QCOMPARE(a.estilo_trazo, 0);
  QCOMPARE(a.color, 9);
  QCOMPARE(a.puntos(3).x, 3.0);
  QCOMPARE(a.puntos(3).y, -3.5);
  const graficos::tcurva& b = g.curvas[1];
  QCOMPARE(b.leyenda, "Nivel 1:");
  QCOMPARE(b.tipo, 3);
  QCOMPARE(b.parametro, 0);
  QCOMPARE(b.grosor, 2);
  QCOMPARE(b.puntos.ubound(), 2);
}

void PruebaLectores::grafica_aclarada_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("n");
  QTest::addColumn<QList<int>>("elegidos");  // the point held in each slot
  auto todos = [](int n) {
    QList<int> l;
    for (int k = 1; k <= n; ++k) l << k;
    return l;
  };
  auto aclarados = [](int n) {
    QList<int> l{1};
    for (int j = 2; j <= 100; ++j) l << static_cast<int>(j * (n / 100.0));
    return l;
  };
  QTest::newRow("100 points") << 2 << 100 << todos(100);
  QList<int> ciento_uno = todos(99);
  ciento_uno << 101;
  QTest::newRow("101 points") << 2 << 101 << ciento_uno;
  QTest::newRow("113 points") << 3 << 113 << aclarados(113);
  QTest::newRow("300 points") << 7 << 300 << aclarados(300);
  QTest::newRow("polyline of 101 points") << 1 << 101 << todos(101);
  QTest::newRow("markers of 32767 points") << 0 << 32767 << todos(32767);
}

void PruebaLectores::grafica_aclarada() {
  QFETCH(int, tipo);
  QFETCH(int, n);
  QFETCH(QList<int>, elegidos);
  const grafica_texto::Lectura l = grafica_texto::leer(titulos + curva("a", n, tipo, n, tipo > 3 ? "2" : ""));
  QVERIFY(l.leida);
  const graficos::tcurva& c = l.grafica.curvas.at(0);
  QCOMPARE(int(c.npuntos), int(elegidos.size()));
  QCOMPARE(c.puntos.ubound(), int(elegidos.size()));
  if (n == 113) QCOMPARE(elegidos.last(), 112);
  for (int j = 1; j <= c.npuntos; ++j) {
    QCOMPARE(c.puntos(j).x, static_cast<double>(elegidos[j - 1]));
    QCOMPARE(c.puntos(j).y, -elegidos[j - 1] - 0.5);
  }
}

QTEST_APPLESS_MAIN(PruebaLectores)
#include "lectores_test.moc"
