// The zone limits on the strip: typed over their labels, dragged by their
// separators and moved by the zone count, with real key and mouse events;
// every road keeps the zones that the file writes longer than 0.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor/posicion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/problema_texto.hpp"
#include "platform/ficheros.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"

using global::nzonas;
using global::zonas;

namespace {

QStringList limites() {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << QString::number(zonas[k].xini) + "-" + QString::number(zonas[k].xfin);
  return l;
}

// The limits to one decimal, for positions reached by a pointer.
QStringList limites_cerca() {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << QString::number(zonas[k].xini, 'f', 1) + "-" + QString::number(zonas[k].xfin, 'f', 1);
  return l;
}

// Zone 0 polygonal through (0, 0), (4, 1), (5, 2); zone 1 constant [5, 10].
void poligono_y_constante(frmdatos& d) {
  prueba::subir_zonas(d);
  d.cmbpotencial(0)->setCurrentIndex(1);
  Q_EMIT d.cmbpotencial(0)->activated(1);
  auto& z = zonas[0];
  z.nvertices = 3;
  z.vertices.redim_preserve(3);
  z.vertices(1) = {0, 0};
  z.vertices(2) = {4, 1};
  z.vertices(3) = {5, 2};
  d.pinta_zonas();
}

// The strip as a text: for each zone "xini-xfin T x,y x,y ...", T being C
// (constant) or P (polygonal), zones joined by " ; ".
QString tira() {
  QStringList zonas_texto;
  for (int k = 0; k < nzonas; ++k) {
    const auto& z = zonas[k];
    QStringList partes{QString::number(z.xini) + "-" + QString::number(z.xfin), z.tipo == 1 ? "P" : "C"};
    for (int i = 1; i <= z.nvertices; ++i)
      partes << QString::number(z.vertices(i).x) + "," + QString::number(z.vertices(i).y);
    zonas_texto << partes.join(' ');
  }
  return zonas_texto.join(" ; ");
}

// Builds the strip that tira() would show: the spinner makes the zones, then
// their records and the box end are set and the strip is laid out again.
void hacer_tira(frmdatos& d, const QString& texto) {
  const QStringList partes = texto.split(" ; ");
  prueba::subir_zonas(d, int(partes.size()) - 1);
  for (int k = 0; k < partes.size(); ++k) {
    const QStringList p = partes[k].split(' ');
    const int guion = int(p[0].indexOf('-', 1));
    auto& z = zonas[k];
    const int tipo = p[1] == "P" ? 1 : 0;
    d.cmbpotencial(k)->setCurrentIndex(tipo);
    Q_EMIT d.cmbpotencial(k)->activated(tipo);
    z.xini = p[0].left(guion).toDouble();
    z.xfin = p[0].mid(guion + 1).toDouble();
    z.nvertices = std::int16_t(p.size() - 2);
    z.vertices.redim_preserve(z.nvertices);
    for (int i = 1; i <= z.nvertices; ++i) {
      const QStringList xy = p[i + 1].split(',');
      z.vertices(i) = {xy[0].toDouble(), xy[1].toDouble()};
    }
    if (tipo == 0) z.coeficientes(0) = z.vertices(1).y;
  }
  d.lblintervalo(10)->setText(QString::number(zonas[nzonas - 1].xfin, 'f', 3));
  d.pinta_zonas();
}

// What a problem file holds of the strip tira() shows: the numbers with three
// decimals, and vertices for polygonal zones only.
QString como_en_el_fichero(const QString& texto) {
  QStringList zonas_texto;
  for (const QString& parte : texto.split(" ; ")) {
    QStringList p = parte.split(' ');
    const int guion = int(p[0].indexOf('-', 1));
    auto tres = [](const QString& n) { return QString::number(n.toDouble(), 'f', 3); };
    QStringList salida{tres(p[0].left(guion)) + "-" + tres(p[0].mid(guion + 1)), p[1]};
    if (p[1] == "P")
      for (int i = 2; i < p.size(); ++i) {
        const QStringList xy = p[i].split(',');
        salida << tres(xy[0]) + "," + tres(xy[1]);
      }
    zonas_texto << salida.join(' ');
  }
  return zonas_texto.join(" ; ");
}

// The strip as a problem file written with the editor's test language holds
// it (labels "en<key>"), in the form of como_en_el_fichero.
QString tira_del_fichero(const QByteArray& bytes) {
  QStringList zonas_texto;
  QStringList zona;
  QString x;
  for (const QString& linea : plataforma::lineas(bytes)) {
    const QString valor = linea.mid(linea.indexOf('=') + 1).trimmed();
    if (linea.startsWith("en52 ")) {
      zona = {QString(), valor == "2" ? "P" : "C"};
    } else if (linea.startsWith("en53 ")) {
      zona[0] = valor;
    } else if (linea.startsWith("en54 ")) {
      zona[0] += "-" + valor;
    } else if (linea.startsWith("en57(")) {
      x = valor;
    } else if (linea.startsWith("en58(")) {
      zona << x + "," + valor;
    } else if (linea.startsWith("-----")) {
      zonas_texto << zona.join(' ');
    }
  }
  return zonas_texto.join(" ; ");
}

// Where an edit box shows its cursor, in its own pixels.
QRect cursor(QLineEdit* caja) { return caja->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }

// Double-clicks a limit label, types over it and ends with Enter.
void teclear_limite(frmdatos& d, int i, const QString& texto) {
  QTest::mouseDClick(d.lblintervalo(i), Qt::LeftButton);
  QLineEdit* caja = d.txtescala(i);
  QVERIFY(!caja->isHidden());
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_Backspace);
  QTest::keyClicks(caja, texto);
  QTest::keyClick(caja, Qt::Key_Return);
}

// The pixel column inside frmzonas of box coordinate v.
int columna(const frmdatos& d, double v) {
  const double a = d.lblintervalo(0)->text().toDouble(), b = d.lblintervalo(10)->text().toDouble();
  const double X = d.borde_izquierdo + (v - a) * (d.borde_derecho - d.borde_izquierdo) / (b - a);
  return plataforma::pixeles_x(X);
}

// Drags separator k along its row through the given box coordinates.
class Arrastre {
 public:
  Arrastre(frmdatos& d, int k) : d_(d), s_(d.lnsepara(k)) {
    fila_ = s_->geometry().center().y();
    QTest::mousePress(s_, Qt::LeftButton);
    QTest::mouseMove(s_, s_->rect().center() + QPoint(0, 1));
  }
  void a(double v) {
    const QPoint en_marco(columna(d_, v), fila_);
    QTest::mouseMove(s_, s_->mapFromGlobal(d_.frmzonas->mapToGlobal(en_marco)));
  }
  ~Arrastre() { QTest::mouseRelease(s_, Qt::LeftButton, {}, s_->rect().center()); }

 private:
  frmdatos& d_;
  QPushButton* s_;
  int fila_;
};

}  // namespace

class PruebaLimitesZona : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void etiquetas();
  void limite_tecleado_data();
  void limite_tecleado();
  void vacio_o_menos_sigue_abierto_data();
  void vacio_o_menos_sigue_abierto();
  void salir_de_la_caja_aplica();
  void fin_de_la_caja_estrecha_la_zona_0();
  void tira_consistente_data();
  void tira_consistente();
  void el_editor_muestra_su_valor_data();
  void el_editor_muestra_su_valor();
  void arrastre_de_poligono();
  void arrastre_hasta_el_vecino();
  void caminos_de_los_limites_data();
  void caminos_de_los_limites();
  void mitad_rechazada_no_cambia_nada();
  void arrastre_de_zona_poligonal_derecha();
  void pulsar_y_soltar_modifica();
};

void PruebaLimitesZona::etiquetas() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());
  for (int k : {0, 1, 10}) {
    QLabel* l = p.d().lblintervalo(k);
    QCOMPARE(l->toolTip(), QString("Click para cambiar"));
    QCOMPARE(l->cursor().shape(), Qt::BitmapCursor);
    QVERIFY(p.d().txtescala(k)->isHidden());
  }
}

void PruebaLimitesZona::limite_tecleado_data() {
  QTest::addColumn<int>("etiqueta");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("mensaje");
  QTest::addColumn<QStringList>("despues");
  const QStringList iguales{"0-5", "5-10"};
  QTest::newRow("box start at the next limit") << 0 << "5" << "en103" << iguales;
  QTest::newRow("limit at the box end") << 1 << "10" << "en103" << iguales;
  QTest::newRow("limit at the box start") << 1 << "0" << "en104" << iguales;
  QTest::newRow("box end at the last zone's start") << 10 << "5" << "en104" << iguales;
  QTest::newRow("limit inside") << 1 << "7.25" << "" << QStringList({"0-7.25", "7.25-10"});
  QTest::newRow("box start below") << 0 << "-2" << "" << QStringList({"-2-5", "5-10"});
  QTest::newRow("box end above") << 10 << "12" << "" << QStringList({"0-5", "5-12"});
}

void PruebaLimitesZona::limite_tecleado() {
  QFETCH(int, etiqueta);
  QFETCH(QString, texto);
  QFETCH(QString, mensaje);
  QFETCH(QStringList, despues);
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
  prueba::Guion guion;
  global::modificado = false;
  teclear_limite(d, etiqueta, texto);
  QCOMPARE(limites(), despues);
  if (mensaje.isEmpty()) {
    QVERIFY(guion.cajas.isEmpty());
    QVERIFY(d.txtescala(etiqueta)->isHidden());
    QCOMPARE(d.lblintervalo(etiqueta)->text(), QString::number(texto.toDouble(), 'f', 3));
    QVERIFY(global::modificado);
  } else {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, mensaje);
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbOKOnly);
    // The box stays open with the typed text.
    QVERIFY(!d.txtescala(etiqueta)->isHidden());
    QCOMPARE(d.txtescala(etiqueta)->text(), texto);
    QVERIFY(!global::modificado);
  }
  // The end vertices follow a moved limit.
  if (mensaje.isEmpty()) {
    const double v = texto.toDouble();
    if (etiqueta == 0) QCOMPARE(zonas[0].vertices(1).x, v);
    if (etiqueta == 10) QCOMPARE(zonas[1].vertices(2).x, v);
    if (etiqueta == 1) {
      QCOMPARE(zonas[0].vertices(2).x, v);
      QCOMPARE(zonas[1].vertices(1).x, v);
    }
  }
}

void PruebaLimitesZona::vacio_o_menos_sigue_abierto_data() {
  QTest::addColumn<QString>("texto");
  QTest::newRow("empty") << "";
  QTest::newRow("minus") << "-";
}

void PruebaLimitesZona::vacio_o_menos_sigue_abierto() {
  QFETCH(QString, texto);
  prueba::Problema p;
  prueba::Guion guion;
  teclear_limite(p.d(), 10, texto);
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(!p.d().txtescala(10)->isHidden());
  QCOMPARE(p.d().txtescala(10)->text(), texto);
  QCOMPARE(limites(), QStringList({"0-10"}));
  // A letter falls back to the text before it.
  QTest::keyClicks(p.d().txtescala(10), "1x");
  QCOMPARE(p.d().txtescala(10)->text(), texto + "1");
}

void PruebaLimitesZona::salir_de_la_caja_aplica() {
  prueba::Problema p;
  QTest::mouseDClick(p.d().lblintervalo(10), Qt::LeftButton);
  QLineEdit* caja = p.d().txtescala(10);
  QCOMPARE(caja->text(), QString("10.000"));
  caja->selectAll();
  QTest::keyClicks(caja, "8");
  QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(caja, &e);
  QVERIFY(caja->isHidden());
  QCOMPARE(limites(), QStringList({"0-8"}));
  QCOMPARE(p.d().lblintervalo(10)->text(), QString("8.000"));
}

void PruebaLimitesZona::fin_de_la_caja_estrecha_la_zona_0() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  const double antes = editor::Width(d.pctzona(0));
  teclear_limite(d, 10, "12");
  QCOMPARE(d.lblintervalo(10)->text(), QString("12.000"));
  QCOMPARE(limites(), QStringList({"0-5", "5-12"}));
  const double ancho = d.borde_derecho - d.borde_izquierdo;
  QCOMPARE(editor::Width(d.pctzona(0)), ancho * 5 / 12);
  QVERIFY(editor::Width(d.pctzona(0)) < antes);
}

void PruebaLimitesZona::tira_consistente_data() {
  QTest::addColumn<QString>("antes");   // as tira() shows it
  QTest::addColumn<QString>("accion");  // "+" or "-" on the spinner, or "label=text" typed
  QTest::addColumn<QString>("mensaje");
  QTest::addColumn<QString>("despues");
  const QString cuatro = "0-4 C 0,0 4,0 ; 4-5 C 4,0 5,0 ; 5-6 C 5,0 6,0 ; 6-10 C 6,0 10,0";
  const QString dos = "0-5 C 0,0 5,0 ; 5-10 C 5,0 10,0";
  const QString poligono_y_constante = "0-5 P 0,0 4,1 5,2 ; 5-10 C 5,0 10,0";
  QTest::newRow("halving a polygonal last zone")
      << "0-10 P 0,0 3,3 6,0 10,4" << "+" << "" << "0-5 P 0,0 3,3 5,1 ; 5-10 C 5,0 10,0";
  QTest::newRow("halving a polygon at a vertex")
      << "0-10 P 0,0 5,2 10,4" << "+" << "" << "0-5 P 0,0 5,2 ; 5-10 C 5,0 10,0";
  QTest::newRow("halving a constant zone beside a polygon")
      << "0-5 P 0,0 2,1 5,2 ; 5-10 C 5,1 10,1" << "+" << ""
      << "0-5 P 0,0 2,1 5,2 ; 5-7.5 C 5,1 7.5,1 ; 7.5-10 C 7.5,0 10,0";
  QTest::newRow("removing the zone beside a polygon")
      << "0-5 P 0,0 2,1 5,2 ; 5-10 C 5,0 10,0" << "-" << "" << "0-10 P 0,0 2,1 10,2";
  QTest::newRow("typed limit before an interior vertex")
      << poligono_y_constante << "1=4.5" << "" << "0-4.5 P 0,0 4,1 4.5,2 ; 4.5-10 C 4.5,0 10,0";
  QTest::newRow("typed limit past one interior vertex")
      << poligono_y_constante << "1=3" << "" << "0-3 P 0,0 3,1 ; 3-10 C 3,0 10,0";
  QTest::newRow("typed limit past two interior vertices")
      << "0-5 P 0,0 2,1 4,3 5,2 ; 5-10 C 5,0 10,0" << "1=1.5" << ""
      << "0-1.5 P 0,0 1.5,1 ; 1.5-10 C 1.5,0 10,0";
  QTest::newRow("typed limit past two vertices on its right")
      << "0-5 C 0,0 5,0 ; 5-10 P 5,0 6,1 7,2 10,3" << "1=8" << "" << "0-8 C 0,0 8,0 ; 8-10 P 8,0 10,3";
  QTest::newRow("box end typed past interior vertices")
      << "0-10 P 0,0 4,1 7,2 10,3" << "10=3" << "" << "0-3 P 0,0 3,1";
  QTest::newRow("box start typed past an interior vertex")
      << "0-10 P 0,0 4,1 7,2 10,3" << "0=6" << "" << "6-10 P 6,0 7,2 10,3";
  QTest::newRow("5.9999 between 4.000 and 6.000") << cuatro << "2=5.9999" << "en103" << cuatro;
  QTest::newRow("4.0004 between 4.000 and 6.000") << cuatro << "2=4.0004" << "en104" << cuatro;
  QTest::newRow("5.9994 between 4.000 and 6.000")
      << cuatro << "2=5.9994" << ""
      << "0-4 C 0,0 4,0 ; 4-5.9994 C 4,0 5.9994,0 ; 5.9994-6 C 5.9994,0 6,0 ; 6-10 C 6,0 10,0";
  QTest::newRow("box end written as the last start") << dos << "10=5.0004" << "en104" << dos;
  QTest::newRow("box start written as the next limit") << dos << "0=4.9996" << "en103" << dos;
}

void PruebaLimitesZona::tira_consistente() {
  QFETCH(QString, antes);
  QFETCH(QString, accion);
  QFETCH(QString, mensaje);
  QFETCH(QString, despues);
  prueba::Problema p;
  frmdatos& d = p.d();
  hacer_tira(d, antes);
  QCOMPARE(tira(), antes);
  {
    prueba::Guion guion;
    if (accion == "+") {
      prueba::subir_zonas(d);
    } else if (accion == "-") {
      prueba::bajar_zonas(d);
    } else {
      const int igual = int(accion.indexOf('='));
      teclear_limite(d, accion.left(igual).toInt(), accion.mid(igual + 1));
    }
    QCOMPARE(guion.cajas.size(), qsizetype(mensaje.isEmpty() ? 0 : 1));
    if (!mensaje.isEmpty()) QCOMPARE(guion.cajas[0].texto, mensaje);
  }
  QCOMPARE(tira(), despues);
  // The drawing follows the vertices.
  for (int k = 0; k < nzonas; ++k)
    if (zonas[k].tipo == 1) QCOMPARE(int(zonas[k].ncurva), int(zonas[k].nvertices));

  // The file holds the strip, and calculos takes it.
  QVERIFY(p.f().escribir_datos(p.carpeta.ruta("tira.dat")));
  QCOMPARE(tira_del_fichero(p.carpeta.leer("tira.dat")), como_en_el_fichero(despues));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng.motor")));
  // calculos reads the shipped language file; the window keeps its own texts.
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::rename(p.carpeta.ruta("idioma.lng.motor"), p.carpeta.ruta("idioma.lng")));
  QCOMPARE(plataforma::ejecutar_y_esperar(p.carpeta.ruta("calculos"), {"tira.dat"}), 0);
  QVERIFY2(!plataforma::resolver_nombre(p.carpeta.ruta("RES.tot")).isEmpty() &&
               QFile::exists(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot"))),
           "calculos wrote no report");
}

void PruebaLimitesZona::el_editor_muestra_su_valor_data() {
  QTest::addColumn<int>("etiqueta");
  QTest::addColumn<QString>("fin");  // the box end
  QTest::newRow("box end 10.000") << 10 << "10";
  QTest::newRow("box end -12345.000") << 10 << "-12345";
  QTest::newRow("box start 0.000") << 0 << "10";
}

void PruebaLimitesZona::el_editor_muestra_su_valor() {
  QFETCH(int, etiqueta);
  QFETCH(QString, fin);
  prueba::Problema p;
  frmdatos& d = p.d();
  d.show();
  if (fin != "10") {
    teclear_limite(d, 0, "-20000");
    teclear_limite(d, 10, fin);
  }
  QLabel* l = d.lblintervalo(etiqueta);
  const double valor = etiqueta == 10 ? fin.toDouble() : fin == "10" ? 0.0 : -20000.0;
  QCOMPARE(l->text(), QString::number(valor, 'f', 3));
  QTest::mouseDClick(l, Qt::LeftButton);
  QLineEdit* caja = d.txtescala(etiqueta);
  QVERIFY(!caja->isHidden());
  QCOMPARE(caja->text(), l->text());
  // The box covers the label as it stands on screen.
  QVERIFY2(caja->geometry().contains(l->geometry()), qPrintable(QString("%1 %2 %3 %4 over %5 %6 %7 %8")
                                                                     .arg(caja->x()).arg(caja->y())
                                                                     .arg(caja->width()).arg(caja->height())
                                                                     .arg(l->x()).arg(l->y())
                                                                     .arg(l->width()).arg(l->height())));
  QVERIFY(std::abs(caja->geometry().center().x() - l->geometry().center().x()) <= 1);
  // The whole text shows: with the cursor at its end the text is not scrolled.
  caja->setCursorPosition(int(caja->text().size()));
  (void)caja->grab();
  const int final = cursor(caja).center().x();
  caja->setCursorPosition(0);
  (void)caja->grab();
  const int principio = cursor(caja).center().x();
  QCOMPARE(final - principio, caja->fontMetrics().horizontalAdvance(caja->text()));
  caja->setCursorPosition(int(caja->text().size()));
  (void)caja->grab();
  QVERIFY(cursor(caja).right() < caja->width());
}

void PruebaLimitesZona::arrastre_de_poligono() {
  prueba::Problema p;
  frmdatos& d = p.d();
  poligono_y_constante(d);
  global::modificado = false;
  {
    Arrastre arrastre(d, 1);
    QVERIFY(global::modificado);
    arrastre.a(4.5);
    QCOMPARE(int(zonas[0].nvertices), 3);
    QCOMPARE(d.lnsepara(1)->cursor().shape(), Qt::SizeHorCursor);
    arrastre.a(3.95);
    QCOMPARE(int(zonas[0].nvertices), 2);
    arrastre.a(3.9);
  }
  const double v = zonas[0].xfin;
  QVERIFY(std::fabs(v - 3.9) < 0.02);
  QCOMPARE(zonas[1].xini, v);
  QCOMPARE(int(zonas[0].nvertices), 2);
  QCOMPARE(zonas[0].vertices(1).x, 0.0);
  QCOMPARE(zonas[0].vertices(2).x, v);
  QCOMPARE(zonas[0].vertices(2).y, 1.0);
  QCOMPARE(int(zonas[0].ncurva), 2);
  QCOMPARE(zonas[1].vertices(1).x, v);
  // The strip follows: zone 1 starts at the separator.
  QCOMPARE(d.lblintervalo(1)->text(), QString::number(v, 'f', 3));
}

void PruebaLimitesZona::arrastre_hasta_el_vecino() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  {
    Arrastre arrastre(d, 1);
    arrastre.a(2);
    QCOMPARE(limites_cerca(), QStringList({"0.0-2.0", "2.0-10.0"}));
    // Onto the box start and past the box end: the limit stops one step of
    // the file short of them, and the pointer stays with it.
    arrastre.a(0);
    QCOMPARE(limites(), QStringList({"0-0.001", "0.001-10"}));
    QCOMPARE(d.lnsepara(1)->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(d.ultima_x, d.frmzonas->mapToGlobal(QPoint(columna(d, 0.001), 0)).x());
    arrastre.a(10.2);
    QCOMPARE(limites(), QStringList({"0-9.999", "9.999-10"}));
    arrastre.a(6);
    QVERIFY(std::fabs(zonas[0].xfin - 6) < 0.02);
  }
  QVERIFY(zonas[0].xfin > zonas[0].xini && zonas[1].xfin > zonas[1].xini);
}

namespace {

// The zones of a problem file, as their limits are written there.
QString limites_del_fichero(const QByteArray& fichero) {
  const problema_texto::Problema leido = problema_texto::leer(fichero);
  QStringList l;
  for (const problema_texto::Zona& z : leido.zonas)
    l << "[" + QString::number(z.zona.xini, 'f', 3) + ", " + QString::number(z.zona.xfin, 'f', 3) + "]";
  return l.join(' ');
}

// The limits the strip shows, in the same form.
QString limites_de_la_tira(const frmdatos& d) {
  QStringList l;
  for (int k = 0; k < nzonas; ++k)
    l << "[" + d.lblintervalo(k)->text() + ", " + d.lblintervalo(k + 1 < nzonas ? k + 1 : 10)->text() + "]";
  return l.join(' ');
}

}  // namespace

void PruebaLimitesZona::caminos_de_los_limites_data() {
  QTest::addColumn<QString>("pasos");    // "+" and "-" on the spinner, "i=v" typed into label i, "k>v" separator k dragged to v
  QTest::addColumn<int>("rechazos");     // halvings refused
  QTest::addColumn<QString>("despues");  // the limits as written
  QTest::newRow("halving a 0.01 box") << "10=0.01 +" << 0 << "[0.000, 0.005] [0.005, 0.010]";
  QTest::newRow("0.01 box, dragged to the left wall") << "10=0.01 + 1>0" << 0 << "[0.000, 0.001] [0.001, 0.010]";
  QTest::newRow("0.01 box, dragged past the left wall") << "10=0.01 + 1>-0.0003" << 0 << "[0.000, 0.001] [0.001, 0.010]";
  QTest::newRow("0.01 box, dragged to both walls") << "10=0.01 + 1>0 1>0.01" << 0 << "[0.000, 0.009] [0.009, 0.010]";
  QTest::newRow("0.01 box, dragged onto the zone before")
      << "10=0.01 + + 2>0" << 0 << "[0.000, 0.005] [0.005, 0.006] [0.006, 0.010]";
  QTest::newRow("negative tiny box, dragged to the right wall")
      << "0=-0.01 10=0 + 1>0" << 0 << "[-0.010, -0.001] [-0.001, 0.000]";
  QTest::newRow("0.01 box, halved after a drag to the wall")
      << "10=0.01 + 1>0.01 +" << 1 << "[0.000, 0.009] [0.009, 0.010]";
  QTest::newRow("halving after a typed 9.999") << "+ 1=9.999 +" << 1 << "[0.000, 9.999] [9.999, 10.000]";
  QTest::newRow("halving a 0.1 box nine times")
      << "10=0.1 + + + + + + + + +" << 2
      << "[0.000, 0.050] [0.050, 0.075] [0.075, 0.088] [0.088, 0.094] [0.094, 0.097] [0.097, 0.098] [0.098, 0.099] "
         "[0.099, 0.100]";
  QTest::newRow("removal after halving a 0.01 box") << "10=0.01 + + 2>0 - -" << 0 << "[0.000, 0.010]";
}

// Every road that sets a limit leaves zones that the file writes with a
// length greater than 0: after each step the saved file runs in calculos.
void PruebaLimitesZona::caminos_de_los_limites() {
  QFETCH(QString, pasos);
  QFETCH(int, rechazos);
  QFETCH(QString, despues);
  prueba::Problema p;
  frmdatos& d = p.d();
  // calculos reads the shipped language file, and so do the window's messages.
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  prueba::Guion guion;
  for (const QString& paso : pasos.split(' ')) {
    const int nzonas_antes = nzonas;
    if (paso == "+") {
      prueba::subir_zonas(d);
    } else if (paso == "-") {
      prueba::bajar_zonas(d);
    } else if (paso.contains('=')) {
      teclear_limite(d, paso.section('=', 0, 0).toInt(), paso.section('=', 1));
    } else {
      Arrastre arrastre(d, paso.section('>', 0, 0).toInt());
      arrastre.a(paso.section('>', 1).toDouble());
    }
    QVERIFY2(d.txtescala(10)->isHidden() && d.txtescala(0)->isHidden(), qPrintable(paso));
    QCOMPARE(d.txtzonas->text(), QString::number(nzonas));
    if (paso == "+" && nzonas == nzonas_antes) QCOMPARE(guion.cajas.last().texto, idiomas::texto(218));

    // The file holds what the strip shows, and calculos takes it.
    QVERIFY(p.f().escribir_datos(p.carpeta.ruta("caminos.dat")));
    QCOMPARE(limites_del_fichero(p.carpeta.leer("caminos.dat")), limites_de_la_tira(d));
    QCOMPARE(plataforma::ejecutar_y_esperar(p.carpeta.ruta("calculos"), {"caminos.dat"}), 0);
    QVERIFY(QFile::remove(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot"))));
  }
  QCOMPARE(guion.cajas.size(), qsizetype(rechazos));
  for (const prueba::Caja& c : guion.cajas) QCOMPARE(c.estilo, plataforma::vbInformation);
  QCOMPARE(limites_del_fichero(p.carpeta.leer("caminos.dat")), despues);
}

// A refused halving changes nothing, not even the saved state; with the
// real message box.
void PruebaLimitesZona::mitad_rechazada_no_cambia_nada() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);
  teclear_limite(d, 1, "9.999");
  {
    prueba::GuionDialogos dialogos({p.carpeta.ruta("casi.dat")});
    p.f().mnuFileSaveAs_Click();
  }
  const QByteArray guardado = p.carpeta.leer("CASI.DAT");
  QVERIFY(!global::modificado);
  const QString titulo = p.f().windowTitle();
  QString visto;
  prueba::aceptar_caja_real(500, visto);
  prueba::subir_zonas(d);
  QCOMPARE(visto, QString("en218"));
  QCOMPARE(int(nzonas), 2);
  QCOMPARE(d.txtzonas->text(), QString("2"));
  QVERIFY(d.pctzona(2) == nullptr);
  QCOMPARE(limites(), QStringList({"0-9.999", "9.999-10"}));
  QVERIFY(!global::modificado);
  QCOMPARE(p.f().windowTitle(), titulo);
  QVERIFY(p.f().tbToolBar_Buttons("Ejecutar")->isEnabled());
  // The spinner still answers: down removes the second zone.
  prueba::bajar_zonas(d);
  QCOMPARE(int(nzonas), 1);
  QVERIFY(global::modificado);
  QCOMPARE(p.carpeta.leer("CASI.DAT"), guardado);
}

void PruebaLimitesZona::arrastre_de_zona_poligonal_derecha() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d);  // [0, 5], [5, 10]
  d.cmbpotencial(1)->setCurrentIndex(1);
  Q_EMIT d.cmbpotencial(1)->activated(1);
  auto& z = zonas[1];
  z.nvertices = 4;
  z.vertices.redim_preserve(4);
  z.vertices(1) = {5, 0};
  z.vertices(2) = {6, 1};
  z.vertices(3) = {7, 2};
  z.vertices(4) = {10, 3};
  {
    Arrastre arrastre(d, 1);
    // Past both interior vertices at once: one is dropped per position.
    arrastre.a(7.5);
    QCOMPARE(int(z.nvertices), 3);
    arrastre.a(7.6);
    QCOMPARE(int(z.nvertices), 2);
    arrastre.a(7.7);
  }
  QCOMPARE(int(z.nvertices), 2);
  QCOMPARE(z.vertices(1).x, z.xini);
  QCOMPARE(z.vertices(2).x, 10.0);
  QCOMPARE(z.vertices(2).y, 3.0);
  QCOMPARE(z.vertices(1).y, 0.0);
}

void PruebaLimitesZona::pulsar_y_soltar_modifica() {
  prueba::Problema p;
  prueba::subir_zonas(p.d());
  global::modificado = false;
  { Arrastre arrastre(p.d(), 1); }
  QVERIFY(global::modificado);
  QCOMPARE(limites(), QStringList({"0-5", "5-10"}));
}

QTEST_MAIN(PruebaLimitesZona)
#include "limites_zona_test.moc"
