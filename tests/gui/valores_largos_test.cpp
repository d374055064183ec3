// Numbers the engines would read as other numbers: the engines read the first
// 80 characters of a problem-file line, so the boxes of the problem window
// and of the potential dialogs refuse a number whose line would be longer,
// and the count boxes a count beyond what the engines read. The box keeps its
// previous value and a message says why; a number that just fits is taken
// and written whole.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "comun.hpp"
#include "editor/dialogo_zona.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpoligonal.hpp"
#include "editor/frmpotencias.hpp"
#include "editor/frmvibracion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/lineas_problema.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "platform/vb.hpp"

using lineas_problema::Escrito;

namespace {

// Pastes a text over the whole of a box with Ctrl+V, as the user does.
void pegar(QLineEdit* caja, const QString& texto) {
  QGuiApplication::clipboard()->setText(texto);
  caja->setFocus();
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
}

// The line of the saved problem whose label is `etiqueta`.
QString linea_guardada(prueba::Problema& p, const QString& etiqueta) {
  const QString ruta = p.carpeta.ruta("LARGO.DAT");
  if (!p.f().escribir_datos(ruta)) return "<not written>";
  for (const QString& l : plataforma::desde_1252(p.carpeta.leer("LARGO.DAT")).split("\r\n"))
    if (l.startsWith(etiqueta)) return l;
  return "<no line " + etiqueta + ">";
}

void elegir_tipo(frmdatos& d, int k, int tipo) {
  QComboBox* c = d.cmbpotencial(k);
  c->setCurrentIndex(tipo);
  Q_EMIT c->activated(tipo);
}

QList<QMessageBox*> cajas_visibles() {
  QList<QMessageBox*> l;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* c = qobject_cast<QMessageBox*>(w); c != nullptr && c->isVisible()) l << c;
  return l;
}

// Answers every real message box that shows, after it has stood open a
// moment, recording its text.
class Vigia {
 public:
  Vigia() {
    QObject::connect(&reloj_, &QTimer::timeout, [this] {
      for (QMessageBox* c : cajas_visibles()) {
        textos << c->text();
        c->button(QMessageBox::Ok)->click();
      }
    });
    reloj_.start(300);
  }
  QStringList textos;

 private:
  QTimer reloj_;
};

// One box of a potential dialog: the zone's type, the box once the dialog
// is open, the label of its line and the zone field it stores into.
struct CajaDialogo {
  int tipo;
  std::function<QLineEdit*()> caja;
  QString etiqueta;
  std::function<double()> campo;
};

}  // namespace

Q_DECLARE_METATYPE(Escrito)

class PruebaValoresLargos : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void cabe_data();
  void cabe();
  void caja_del_problema_data();
  void caja_del_problema();
  void recuentos_data();
  void recuentos();
  void caja_de_dialogo_data();
  void caja_de_dialogo();
  void limite_tecleado_con_la_caja_real();
  void dialogo_con_la_caja_real();
  void recuento_con_la_caja_real();
};

void PruebaValoresLargos::cabe_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<Escrito>("como");
  QTest::addColumn<bool>("cabe");
  // Under a label of 10 characters a value may take 70.
  QTest::newRow("real of 70 characters") << "1e65" << Escrito::real << true;   // 66 digits, ".000"
  QTest::newRow("real of 71 characters") << "1e66" << Escrito::real << false;
  QTest::newRow("negative real of 70") << "-1e64" << Escrito::real << true;
  QTest::newRow("negative real of 71") << "-1e65" << Escrito::real << false;
  QTest::newRow("1e308 as a real") << "1e308" << Escrito::real << false;
  QTest::newRow("short text, long real") << "99999999e62" << Escrito::real << false;
  QTest::newRow("long text, short real") << "0.00000000000000000000000000000000000000000000000000000000000000000000001"
                                         << Escrito::real << true;
  QTest::newRow("70 digits as typed") << QString(70, '7') << Escrito::tal_cual << true;
  QTest::newRow("71 digits as typed") << QString(71, '7') << Escrito::tal_cual << false;
  // Beyond the largest double: no number the file could hold.
  QTest::newRow("infinite as a real") << "1e999" << Escrito::real << false;
  QTest::newRow("infinite as typed") << "1e999" << Escrito::tal_cual << false;
}

void PruebaValoresLargos::cabe() {
  QFETCH(QString, texto);
  QFETCH(Escrito, como);
  QFETCH(bool, cabe);
  QCOMPARE(lineas_problema::cabe("0123456789", texto, como), cabe);
}

void PruebaValoresLargos::caja_del_problema_data() {
  QTest::addColumn<QString>("caja");
  QTest::addColumn<QString>("etiqueta");  // of the box's line
  QTest::addColumn<QString>("cabe");      // the longest number the line holds
  QTest::addColumn<QStringList>("largos");  // one character more, and others
  // "en47 (u.a.) = " leaves 66 characters: 62 digits and ".000".
  QTest::newRow("mass") << "txtmasa" << "en47 (u.a.) = " << "1e61" << QStringList{"1e62", "1e308"};
  // Counts are written as typed after "en48 = ": leading zeros make a long
  // line of the largest count the engines read.
  const QString ceros_y_maximo = QString(63, '0') + "2147483647";
  QTest::newRow("basis size") << "txtfb" << "en48 = " << ceros_y_maximo << QStringList{"0" + ceros_y_maximo};
  QTest::newRow("points") << "txtpuntos" << "en50 = " << ceros_y_maximo << QStringList{"0" + ceros_y_maximo};
  // A limit may end up under "en57(10) = ", a polygon's last vertex x: 69
  // characters, though the box end's own line is shorter.
  QTest::newRow("box end") << "txtescala_10" << "en54 1 = " << "1e64" << QStringList{"1e65", "1e308"};
}

void PruebaValoresLargos::caja_del_problema() {
  QFETCH(QString, caja);
  QFETCH(QString, etiqueta);
  QFETCH(QString, cabe);
  QFETCH(QStringList, largos);
  prueba::Problema p;
  frmdatos& d = p.d();
  const bool limite = caja.startsWith("txtescala");
  if (limite) QTest::mouseDClick(d.lblintervalo(10), Qt::LeftButton);
  auto* c = d.findChild<QLineEdit*>(caja);
  QVERIFY(c != nullptr);
  const QString antes = c->text();
  prueba::Guion guion;

  for (const QString& pegado : largos) {
    pegar(c, pegado);
    QCOMPARE(c->text(), antes);
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].texto, QString("en220"));
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
    QCOMPARE(guion.cajas[0].titulo, plataforma::App::Title);
    guion.cajas.clear();
  }
  QCOMPARE(linea_guardada(p, etiqueta), etiqueta + (limite ? "10.000" : antes));

  // The longest number that fits is taken, and its line is read whole.
  pegar(c, cabe);
  QCOMPARE(c->text(), cabe);
  if (limite) QTest::keyClick(c, Qt::Key_Return);
  QCOMPARE(guion.cajas.size(), 0);
  const QString l = linea_guardada(p, etiqueta);
  QVERIFY2(l.size() <= lineas_problema::caracteres_leidos, qPrintable(l));
  const QString valor = l.mid(etiqueta.size());
  if (c == d.txtfb || c == d.txtpuntos) {
    QCOMPARE(l.size(), 80);
    QCOMPARE(valor, cabe);
  } else {
    QCOMPARE(plataforma::Val(valor), plataforma::Val(cabe));
  }
}

// The basis size and the points are counts the engines read as 32-bit
// integers (a count in real form by its integer part): a larger one is
// refused with its own message, and the box keeps its value.
void PruebaValoresLargos::recuentos_data() {
  QTest::addColumn<QString>("caja");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("mensaje");  // "" when the count is taken
  for (const char* caja : {"txtfb", "txtpuntos"}) {
    const QString c = caja;
    QTest::addRow("%s 2147483647", caja) << c << "2147483647" << "";
    QTest::addRow("%s 2147483648", caja) << c << "2147483648" << "en226";
    QTest::addRow("%s of 50 digits", caja) << c << QString(50, '9') << "en226";
  }
  QTest::newRow("basis size 2147483647 after zeros") << "txtfb" << "000002147483647" << "";
  QTest::newRow("basis size 1e10") << "txtfb" << "1e10" << "en226";
  QTest::newRow("points 1D9") << "txtpuntos" << "1D9" << "";
  QTest::newRow("points 3D9") << "txtpuntos" << "3D9" << "en226";
  QTest::newRow("points beyond any double") << "txtpuntos" << "1e999" << "en226";
}

void PruebaValoresLargos::recuentos() {
  QFETCH(QString, caja);
  QFETCH(QString, texto);
  QFETCH(QString, mensaje);
  prueba::Problema p;
  auto* c = p.d().findChild<QLineEdit*>(caja);
  QVERIFY(c != nullptr);
  const QString antes = c->text();
  const QString etiqueta = c == p.d().txtfb ? "en48 = " : "en50 = ";
  prueba::Guion guion;
  pegar(c, texto);
  if (mensaje.isEmpty()) {
    QCOMPARE(guion.cajas.size(), 0);
    QCOMPARE(c->text(), texto);
    QCOMPARE(linea_guardada(p, etiqueta), etiqueta + texto);
  } else {
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].texto, mensaje);
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
    QCOMPARE(c->text(), antes);
    QCOMPARE(linea_guardada(p, etiqueta), etiqueta + antes);
  }
}

void PruebaValoresLargos::caja_de_dialogo_data() {
  using global::zonas;
  QTest::addColumn<int>("cual");
  QTest::addColumn<QString>("cabe");
  QTest::addColumn<QString>("largo");
  // Labels of 7 characters ("en55 = ") leave 73: 69 digits and ".000".
  QTest::newRow("constant V0") << 0 << "1e68" << "1e69";
  QTest::newRow("vibration x0") << 1 << "1e68" << "1e69";
  QTest::newRow("vibration K4") << 2 << "-1e67" << "-1e68";
  // "en63(-6) = " and "en63(0) = ".
  QTest::newRow("power series C-6") << 3 << "1e64" << "1e65";
  QTest::newRow("power series V0") << 4 << "1e65" << "1e66";
  // Any row may come to be vertex 10 as rows are added: "en58(10) = ".
  QTest::newRow("polygon, first y") << 5 << "1e64" << "1e65";
}

void PruebaValoresLargos::caja_de_dialogo() {
  using global::zonas;
  QFETCH(int, cual);
  QFETCH(QString, cabe);
  QFETCH(QString, largo);
  const std::vector<CajaDialogo> cajas = {
      {0, [] { return frmconstante::instancia().txtcoeficientes(0); }, "en55 = ", [] { return zonas[0].coeficientes(0); }},
      {2, [] { return frmvibracion::instancia().txtcoeficientex0; }, "en59 = ", [] { return zonas[0].x0; }},
      {2, [] { return frmvibracion::instancia().txtcoeficientes(4); }, "en62 = ",
       [] { return zonas[0].coeficientes(4); }},
      {3, [] { return frmpotencias::instancia().txtcoeficientes(12); }, "en63(-6) = ",
       [] { return zonas[0].coeficientes(-6); }},
      {3, [] { return frmpotencias::instancia().txtcoeficientes(0); }, "en63(0) = ",
       [] { return zonas[0].coeficientes(0); }},
      {1, [] { return frmpoligonal::instancia().txty(1); }, "en58(1) = ", [] { return zonas[0].vertices(1).y; }},
  };
  const CajaDialogo& caso = cajas.at(static_cast<std::size_t>(cual));
  prueba::Problema p;
  frmdatos& d = p.d();
  elegir_tipo(d, 0, caso.tipo);
  QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
  QVERIFY(editor::DialogoZona::abierto() != nullptr);
  QLineEdit* c = caso.caja();
  QCOMPARE(c->text(), QString("0.000"));
  prueba::Guion guion;

  for (const QString& pegado : {QString("1e308"), largo}) {
    pegar(c, pegado);
    QCOMPARE(c->text(), QString("0.000"));
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].texto, QString("en220"));
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbExclamation);
    guion.cajas.clear();
  }
  editor::DialogoZona::abierto()->btactualiza->click();
  QCOMPARE(caso.campo(), 0.0);

  pegar(c, cabe);
  QCOMPARE(c->text(), cabe);
  QCOMPARE(guion.cajas.size(), 0);
  editor::DialogoZona::abierto()->btaceptar->click();
  QCOMPARE(caso.campo(), plataforma::Val(cabe));
  const QString l = linea_guardada(p, caso.etiqueta);
  QVERIFY2(l.size() <= lineas_problema::caracteres_leidos, qPrintable(l));
  QCOMPARE(plataforma::Val(l.mid(caso.etiqueta.size())), plataforma::Val(cabe));
}

// The box end's editor, with the real message box standing open: its
// leaving for the box applies nothing, and the editor stays open on the
// old limit with the focus.
void PruebaValoresLargos::limite_tecleado_con_la_caja_real() {
  prueba::Problema p;
  frmdatos& d = p.d();
  p.f().show();
  QVERIFY(QTest::qWaitForWindowActive(&p.f()));
  QTest::mouseDClick(d.lblintervalo(10), Qt::LeftButton);
  QLineEdit* c = d.txtescala(10);
  QVERIFY(c->isVisible());
  Vigia vigia;
  pegar(c, "1e308");
  QTRY_COMPARE(vigia.textos, QStringList{"en220"});
  QTRY_COMPARE(c->window()->focusWidget(), c);
  QVERIFY(c->isVisible());
  QCOMPARE(c->text(), QString("10.000"));
  QCOMPARE(global::zonas[0].xfin, 10.0);
  QCOMPARE(d.lblintervalo(10)->text(), QString("10.000"));
  // The editor goes on: a good value is applied.
  c->selectAll();
  QTest::keyClicks(c, "12");
  QTest::keyClick(c, Qt::Key_Return);
  QVERIFY(!c->isVisible());
  QCOMPARE(global::zonas[0].xfin, 12.0);
  QCOMPARE(vigia.textos.size(), 1);
}

// The constant dialog's V0 with the real message box: the box goes back
// to its value and keeps the focus; Accept stores that value.
void PruebaValoresLargos::dialogo_con_la_caja_real() {
  prueba::Problema p;
  frmdatos& d = p.d();
  p.f().show();
  QVERIFY(QTest::qWaitForWindowActive(&p.f()));
  QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
  QLineEdit* c = frmconstante::instancia().txtcoeficientes(0);
  c->selectAll();
  QTest::keyClicks(c, "2.5");
  Vigia vigia;
  pegar(c, "1e308");
  QTRY_COMPARE(vigia.textos, QStringList{"en220"});
  QTRY_COMPARE(c->window()->focusWidget(), c);
  QCOMPARE(plataforma::Val(c->text()), 2.5);
  frmconstante::instancia().btaceptar->click();
  QCOMPARE(global::zonas[0].coeficientes(0), 2.5);
  QCOMPARE(global::zonas[0].vertices(2).y, 2.5);
}

// A count beyond the engines' with the real message box: the box goes back
// to its value and keeps the focus.
void PruebaValoresLargos::recuento_con_la_caja_real() {
  prueba::Problema p;
  frmdatos& d = p.d();
  p.f().show();
  QVERIFY(QTest::qWaitForWindowActive(&p.f()));
  Vigia vigia;
  pegar(d.txtfb, "2147483648");
  QTRY_COMPARE(vigia.textos, QStringList{"en226"});
  QTRY_COMPARE(d.txtfb->window()->focusWidget(), d.txtfb);
  QCOMPARE(d.txtfb->text(), QString("10"));
}

QTEST_MAIN(PruebaValoresLargos)
#include "valores_largos_test.moc"
