// The graph window's plot-file reader: text fields and number tokens, the
// end of the file, thinning of long curves, the bounds of the data, and the
// failures that close the graph window and leave the program as it was.
#include <QtTest>
#include <cmath>

#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "grafica_comun.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

using prueba::Curva;
using prueba::grafica;
using prueba::serie;

Q_DECLARE_METATYPE(std::vector<Curva>)

namespace {

// The y values of the points a curve keeps (tests give point k the y value k).
QList<double> ys(int i) {
  QList<double> r;
  const graficos::tcurva& c = graficos::curvas(i);
  for (int j = 1; j <= c.npuntos; ++j) r << c.puntos(j).y;
  return r;
}

// Points k = 1 to n with x = y = k.
std::vector<QPointF> diagonal(int n) {
  std::vector<QPointF> p;
  for (int k = 1; k <= n; ++k) p.emplace_back(k, k);
  return p;
}

}  // namespace

class PruebaLeefichero : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar_visor(); }
  void aclarado_data();
  void aclarado();
  void final_del_fichero_data();
  void final_del_fichero();
  void primera_leyenda_fin();
  void campos_y_numeros();
  void veinte_curvas_y_fin();
  void nombre_sin_mayusculas_y_titulo();
  void limites_de_los_datos();
  void fallos_cierran_solo_la_ventana_data();
  void fallos_cierran_solo_la_ventana();
  void curva_ajustada_con_pocos_puntos_data();
  void curva_ajustada_con_pocos_puntos();
};

void PruebaLeefichero::aclarado_data() {
  QTest::addColumn<std::vector<QPointF>>("puntos");
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QList<double>>("guardados");  // y of the points kept, in slot order

  QList<double> todos;
  for (int k = 1; k <= 100; ++k) todos << k;
  QTest::newRow("100 points: all kept") << diagonal(100) << 2 << todos;

  QList<double> ciento_uno;
  for (int k = 1; k <= 99; ++k) ciento_uno << k;
  ciento_uno << 101;
  QTest::newRow("101 points: 100 dropped") << diagonal(101) << 2 << ciento_uno;

  QList<double> ciento_trece;
  for (int j = 1; j <= 100; ++j) ciento_trece << (j == 1 ? 1 : std::trunc(j * (113 / 100.0)));
  QVERIFY(ciento_trece.last() == 112);  // 100 x 1.13 falls just below 113
  QTest::newRow("113 points: 112 in slot 100, 113 dropped") << diagonal(113) << 2 << ciento_trece;

  QList<double> trescientos{1};
  for (int j = 2; j <= 100; ++j) trescientos << 3 * j;  // 6, 9, 12, ..., 300
  QTest::newRow("300 points: 1, 6, 9, ..., 300") << diagonal(300) << 2 << trescientos;

  // 200 points, s = 2; point 51 stands at the x of point 50 with another y.
  std::vector<QPointF> salto;
  for (int k = 1; k <= 200; ++k) salto.emplace_back(k <= 50 ? k : k - 1, k);
  QList<double> con_salto{1};
  for (int j = 2; j <= 25; ++j) con_salto << 2 * j;  // 4, 6, ..., 50
  con_salto << 50 << 51;                             // the jump spends slots 26 and 27
  for (int j = 28; j <= 100; ++j) con_salto << 2 * j;  // the index goes on: 56, 58, ..., 200
  QTest::newRow("a vertical jump keeps both points") << salto << 2 << con_salto;

  // The same x and the same y is no jump.
  std::vector<QPointF> repetido = diagonal(200);
  repetido[50] = repetido[49];
  QList<double> sin_salto{1};
  for (int j = 2; j <= 100; ++j) sin_salto << (j == 25 ? 50 : 2 * j);
  QTest::newRow("a repeated point is thinned like any other") << repetido << 2 << sin_salto;

  // Markers and polylines keep every point, up to the largest count.
  QList<double> tres_mil;
  for (int k = 1; k <= 3000; ++k) tres_mil << k;
  QTest::newRow("a polyline of 3000 points keeps them all") << diagonal(3000) << 1 << tres_mil;
  QTest::newRow("markers of 3000 points keep them all") << diagonal(3000) << 0 << tres_mil;
  QTest::newRow("a polyline keeps both points of a jump at its end") << salto << 1 << [] {
    QList<double> l;
    for (int k = 1; k <= 200; ++k) l << k;
    return l;
  }();
}

void PruebaLeefichero::aclarado() {
  QFETCH(std::vector<QPointF>, puntos);
  QFETCH(QList<double>, guardados);
  prueba::Visor v;
  QFETCH(int, tipo);
  Curva c;
  c.tipo = tipo;
  c.puntos = puntos;
  QVERIFY(v.abrir(grafica({c})) != nullptr);
  QCOMPARE(graficos::num_curvas, 1);
  QCOMPARE(ys(1), guardados);
  QCOMPARE(graficos::curvas(1).puntos.ubound(), static_cast<int>(guardados.size()));
}

void PruebaLeefichero::final_del_fichero_data() {
  QTest::addColumn<QString>("fin");
  QTest::addColumn<int>("curvas");
  QTest::newRow("FIN") << "FIN" << 2;
  QTest::newRow("fin in lower case") << "fin" << 2;
  QTest::newRow("FIN padded with blanks") << "Fin    " << 2;
  QTest::newRow("no end legend") << "" << 2;
}

void PruebaLeefichero::final_del_fichero() {
  QFETCH(QString, fin);
  QFETCH(int, curvas);
  prueba::Visor v;
  Curva a, b;
  a.puntos = serie(3);
  b.puntos = serie(4);
  QVERIFY(v.abrir(grafica({a, b}, fin)) != nullptr);
  QCOMPARE(static_cast<int>(graficos::num_curvas), curvas);
  QCOMPARE(graficos::curvas(2).npuntos, 4);
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaLeefichero::primera_leyenda_fin() {
  prueba::Visor v;
  Curva c;
  c.leyenda = "fin";
  c.puntos = serie(3);
  frmgraficos* w = v.abrir(grafica({c}, "", {"comentario", "eje x", "eje y"}));
  QVERIFY(w != nullptr);
  QCOMPARE(graficos::num_curvas, 0);
  QCOMPARE(graficos::comentario_grafico, QString("comentario"));
  QCOMPARE(graficos::etiqueta_y, QString("eje y"));
  // Nothing to draw: the view of zero extent is reported, and the window stays.
  QVERIFY(!v.guion.cajas.isEmpty());
  for (const prueba::Caja& caja : v.guion.cajas) QCOMPARE(caja.titulo, QString("Advertencia"));
  QVERIFY(frmgraficos::cargado());
}

void PruebaLeefichero::campos_y_numeros() {
  prueba::Visor v;
  Curva a;
  a.leyenda = "  Función de onda   ";
  a.leyenda_x = 0.25;
  a.leyenda_y = -3;
  a.tipo = 3;  // no parametro: grosor follows tipo
  a.grosor = 2;
  a.estilo_trazo = 1;
  a.color = 12;
  a.marcas = 1;
  a.puntos = {{0, 1}, {1, 2}, {2, 5}};
  Curva b;
  b.tipo = 4;
  b.parametro = 1;
  b.puntos = serie(2);
  QByteArray fichero = grafica({a, b}, "FIN", {"\"Potencial, y más\"", "x", "V(x)"});
  // Whole-number fields take the nearest integer, halves to the even one.
  QVERIFY(fichero.contains("  2  0  4  1  1  0  0\r\n"));
  fichero.replace("  2  0  4  1  1  0  0\r\n", "  2.5  0  3.5  1  1  0  11.5\r\n");
  QVERIFY(v.abrir(fichero) != nullptr);

  QCOMPARE(graficos::comentario_grafico, QString("Potencial, y más"));
  QCOMPARE(graficos::etiqueta_x, QString("x"));
  QCOMPARE(graficos::etiqueta_y, QString("V(x)"));
  const graficos::tcurva& c1 = graficos::curvas(1);
  QCOMPARE(c1.leyenda, QString("Función de onda"));
  QCOMPARE(c1.leyenda_x, 0.25);
  QCOMPARE(c1.leyenda_y, -3.0);
  QVERIFY(c1.activa);
  QCOMPARE(c1.tipo, 3);
  QCOMPARE(c1.marcas, 1);
  QCOMPARE(c1.grosor, 2);
  QCOMPARE(c1.estilo_trazo, 1);
  QCOMPARE(c1.color, 12);
  QCOMPARE(c1.puntos(3).y, 5.0);
  const graficos::tcurva& c2 = graficos::curvas(2);
  QCOMPARE(c2.npuntos, 2);   // 2.5 rounds to 2
  QCOMPARE(c2.tipo, 4);      // 3.5 rounds to 4, so a parametro follows
  QCOMPARE(c2.parametro, 1);
  QCOMPARE(c2.color, 12);    // 11.5 rounds to 12
}

void PruebaLeefichero::veinte_curvas_y_fin() {
  prueba::Visor v;
  std::vector<Curva> veinte(20);
  for (Curva& c : veinte) c.puntos = serie(2);
  QVERIFY(v.abrir(grafica(veinte, "FIN")) != nullptr);
  QCOMPARE(graficos::num_curvas, 20);
  QCOMPARE(frmgraficos::instancia().lbleyenda_Count(), 20);
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaLeefichero::nombre_sin_mayusculas_y_titulo() {
  prueba::Visor v;
  Curva c;
  c.puntos = serie(3);
  frmgraficos* w = v.abrir(grafica({c}), "funcion", "FUNCION");
  QVERIFY(w != nullptr);
  QCOMPARE(graficos::fichero_grafico, v.carpeta.ruta("funcion"));
  QCOMPARE(w->windowTitle(), QString("en121-funcion"));
}

void PruebaLeefichero::limites_de_los_datos() {
  prueba::Visor v;
  Curva exterior, interior, otra;
  exterior.puntos = {{-2, 1}, {3, -4}, {1, 6}};
  interior.puntos = {{0, 0}, {1, 1}};
  otra.puntos = {{-1, 2}, {5, 3}};
  QVERIFY(v.abrir(grafica({exterior, interior})) != nullptr);
  QCOMPARE(graficos::minimo_datos.x, -2.0);
  QCOMPARE(graficos::minimo_datos.y, -4.0);
  QCOMPARE(graficos::maximo_datos.x, 3.0);
  QCOMPARE(graficos::maximo_datos.y, 6.0);
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::maximo.y, 6.0);
  QCOMPARE(graficos::curvas(2).maximo_curva.x, 1.0);

  prueba::limpiar_visor();
  QVERIFY(v.abrir(grafica({exterior, otra})) != nullptr);
  QCOMPARE(graficos::maximo_datos.x, 5.0);  // the second curve widens x only
  QCOMPARE(graficos::minimo_datos.x, -2.0);
  QCOMPARE(graficos::maximo_datos.y, 6.0);
}

void PruebaLeefichero::fallos_cierran_solo_la_ventana_data() {
  QTest::addColumn<QByteArray>("fichero");  // "" writes no file at all

  Curva c;
  c.puntos = serie(3);
  Curva cero = c;
  cero.npuntos = 0;
  Curva negativa = c;
  negativa.npuntos = -1;
  Curva corta = c;
  corta.npuntos = 5;
  Curva fuera = c;
  fuera.marcas = 40000;
  std::vector<Curva> veintiuna(21, c);

  QTest::newRow("no such file") << QByteArray();
  QTest::newRow("empty file") << QByteArray(" ");
  QTest::newRow("point count 0") << grafica({cero});
  QTest::newRow("point count -1") << grafica({negativa});
  QTest::newRow("file ends inside a curve") << grafica({corta}, "");
  QTest::newRow("16-bit field out of range") << grafica({fuera});
  QTest::newRow("a 21st curve") << grafica(veintiuna);

  // 101 points whose last one jumps at the x of the one before: the jump
  // needs slots 100 and 101.
  std::vector<QPointF> p = diagonal(101);
  p[100].setX(100);
  Curva salto;
  salto.tipo = 2;
  salto.puntos = p;
  QTest::newRow("a vertical jump beyond slot 100") << grafica({salto});

  QByteArray enorme = grafica({c});
  enorme.replace("  2  2", "  2  1e999");
  QTest::newRow("a number beyond double range") << enorme;
}

void PruebaLeefichero::fallos_cierran_solo_la_ventana() {
  QFETCH(QByteArray, fichero);
  prueba::Visor v;
  frmMain::instancia();
  global::modificado = true;
  global::archivo = v.carpeta.ruta("problema.dat");

  if (fichero.isEmpty()) {
    graficos::fichero_grafico = "funcion";
    frmgraficos::instancia().Show();
  } else {
    QVERIFY(v.abrir(fichero) == nullptr);
  }
  QVERIFY(!frmgraficos::cargado());
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("en123"));
  QCOMPARE(v.guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(v.guion.cajas[0].titulo, QString("Error"));
  // The program goes on as it was.
  QVERIFY(!v.programa_terminado);
  QVERIFY(frmMain::cargado());
  QVERIFY(global::modificado);
  QCOMPARE(global::archivo, v.carpeta.ruta("problema.dat"));
}

void PruebaLeefichero::curva_ajustada_con_pocos_puntos_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("puntos");
  QTest::addColumn<int>("parametro");
  QTest::addColumn<bool>("cabe");
  QTest::newRow("least squares, points above the degree") << 4 << 3 << 2 << true;
  QTest::newRow("least squares, points equal to the degree") << 5 << 2 << 2 << false;
  QTest::newRow("Fourier, 7 points, 3 harmonics") << 7 << 7 << 3 << true;
  QTest::newRow("Fourier, 7 points, 4 harmonics") << 7 << 7 << 4 << false;
}

void PruebaLeefichero::curva_ajustada_con_pocos_puntos() {
  QFETCH(int, tipo);
  QFETCH(int, puntos);
  QFETCH(int, parametro);
  QFETCH(bool, cabe);
  prueba::Visor v;
  frmMain::instancia();
  Curva c;
  c.tipo = tipo;
  c.parametro = parametro;
  c.puntos = serie(puntos);
  frmgraficos* w = v.abrir(grafica({c}));
  QCOMPARE(w != nullptr, cabe);
  QCOMPARE(frmgraficos::cargado(), cabe);
  if (cabe) {
    QCOMPARE(v.guion.cajas.size(), 0);
    return;
  }
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("en126"));
  QCOMPARE(v.guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(v.guion.cajas[0].titulo, plataforma::App::Title);
  QVERIFY(!v.programa_terminado);
  QVERIFY(frmMain::cargado());
}

QTEST_MAIN(PruebaLeefichero)
#include "leefichero_test.moc"
