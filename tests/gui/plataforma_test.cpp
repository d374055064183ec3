// The platform layer: number conversions, Windows-1252, text files,
// message boxes, settings and twips.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "comun.hpp"
#include "platform/ajustes.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"

using namespace plataforma;

class PruebaPlataforma : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void val_data();
  void val();
  void isnumeric_data();
  void isnumeric();
  void format_data();
  void format();
  void format_rechaza_otros_patrones();
  void qbcolor();
  void windows_1252_ida_y_vuelta();
  void lineas_con_cada_final();
  void escribir_reemplaza_entero();
  void resolver_sin_mayusculas();
  void msgbox_guion_y_titulo();
  void msgbox_real_data();
  void msgbox_real();
  void msgbox_real_sin_titulo();
  void ajustes_en_carpeta_temporal();
  void twips_y_pixeles();
};

void PruebaPlataforma::val_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<double>("valor");
  QTest::newRow("integer") << "12" << 12.0;
  QTest::newRow("decimal point") << "3.25" << 3.25;
  QTest::newRow("leading blanks") << "   -0.5" << -0.5;
  QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
  QTest::newRow("trailing text") << "10.000 bohr" << 10.0;
  QTest::newRow("comma ends the number") << "1,5" << 1.0;
  QTest::newRow("exponent") << "1.5E3" << 1500.0;
  QTest::newRow("D exponent") << "2D-2" << 0.02;
  QTest::newRow("exponent without digits") << "7e" << 7.0;
  QTest::newRow("point first") << ".5" << 0.5;
  QTest::newRow("plus sign") << "+4" << 4.0;
  QTest::newRow("no number") << "abc" << 0.0;
  QTest::newRow("empty") << "" << 0.0;
  QTest::newRow("lone minus") << "-" << 0.0;
  QTest::newRow("lone point") << "." << 0.0;
  QTest::newRow("underflow") << "1e-999" << 0.0;
}

void PruebaPlataforma::val() {
  QFETCH(QString, texto);
  QFETCH(double, valor);
  QCOMPARE(Val(texto), valor);
}

void PruebaPlataforma::isnumeric_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("numerico");
  QTest::newRow("integer") << "12" << true;
  QTest::newRow("blanks around") << "  -3.5 " << true;
  QTest::newRow("trailing point") << "1." << true;
  QTest::newRow("point first") << ".5" << true;
  QTest::newRow("exponent") << "1e-3" << true;
  QTest::newRow("empty") << "" << false;
  QTest::newRow("blanks") << "   " << false;
  QTest::newRow("lone minus") << "-" << false;
  QTest::newRow("lone point") << "." << false;
  QTest::newRow("minus point") << "-." << false;
  QTest::newRow("comma") << "1,5" << false;
  QTest::newRow("two points") << "1.2.3" << false;
  QTest::newRow("blank inside") << "1 2" << false;
  QTest::newRow("letters") << "12a" << false;
  QTest::newRow("open exponent") << "1e" << false;
}

void PruebaPlataforma::isnumeric() {
  QFETCH(QString, texto);
  QFETCH(bool, numerico);
  QCOMPARE(IsNumeric(texto), numerico);
}

void PruebaPlataforma::format_data() {
  QTest::addColumn<double>("valor");
  QTest::addColumn<QString>("patron");
  QTest::addColumn<QString>("texto");
  QTest::newRow("one") << 1.0 << "####0.000" << "1.000";
  QTest::newRow("negative") << -0.25 << "####0.000" << "-0.250";
  QTest::newRow("ten") << 10.0 << "####0.000" << "10.000";
  QTest::newRow("zero") << 0.0 << "####0.000" << "0.000";
  QTest::newRow("large, no separator") << 1234567.5 << "####0.000" << "1234567.500";
  QTest::newRow("rounds up") << 2.0006 << "####0.000" << "2.001";
  QTest::newRow("rounds down") << 2.0004 << "####0.000" << "2.000";
  QTest::newRow("half away from zero as seen") << 2.0005 << "####0.000" << "2.001";
  QTest::newRow("negative half") << -2.0005 << "####0.000" << "-2.001";
  QTest::newRow("carry into integer") << 9.9996 << "####0.000" << "10.000";
  QTest::newRow("small") << 0.0004 << "####0.000" << "0.000";
  QTest::newRow("negative rounding to zero") << -0.0004 << "####0.000" << "0.000";
  QTest::newRow("tiny") << 1e-20 << "####0.000" << "0.000";
  QTest::newRow("four decimals") << 3.14159 << "####0.0000" << "3.1416";
  QTest::newRow("four decimals negative") << -0.00005 << "####0.0000" << "-0.0001";
}

void PruebaPlataforma::format() {
  QFETCH(double, valor);
  QFETCH(QString, patron);
  QFETCH(QString, texto);
  QCOMPARE(Format(valor, patron), texto);
}

void PruebaPlataforma::format_rechaza_otros_patrones() {
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Format(1.0, u"#,##0.00"));
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Format(1.0, u"0.0#"));
}

void PruebaPlataforma::qbcolor() {
  QCOMPARE(QBColor(0), QColor(0, 0, 0));
  QCOMPARE(QBColor(1), QColor(0, 0, 128));
  QCOMPARE(QBColor(4), QColor(128, 0, 0));
  QCOMPARE(QBColor(7), QColor(192, 192, 192));
  QCOMPARE(QBColor(8), QColor(128, 128, 128));
  QCOMPARE(QBColor(12), QColor(255, 0, 0));
  QCOMPARE(QBColor(14), QColor(255, 255, 0));
  QCOMPARE(QBColor(15), QColor(255, 255, 255));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, QBColor(16));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, QBColor(-1));
}

void PruebaPlataforma::windows_1252_ida_y_vuelta() {
  QByteArray todos;
  for (int b = 0; b < 256; ++b) todos.append(static_cast<char>(b));
  QCOMPARE(a_1252(desde_1252(todos)), todos);
  QCOMPARE(desde_1252("Espa\xF1ol \x80 \x93x\x94"), QString::fromUtf8("Español € “x”"));
  QCOMPARE(a_1252(QString::fromUtf8("Título ő 😀")), QByteArray("T\xEDtulo ? ?"));
}

void PruebaPlataforma::lineas_con_cada_final() {
  QCOMPARE(lineas("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
  QCOMPARE(lineas("a\r\n"), QStringList({"a"}));
  QCOMPARE(lineas("a\r\r\nb\r\n"), QStringList({"a", "", "b"}));
  QCOMPARE(lineas("\r\n\r\n"), QStringList({"", ""}));
  QCOMPARE(lineas(""), QStringList());
}

void PruebaPlataforma::escribir_reemplaza_entero() {
  QTemporaryDir dir;
  const QString ruta = dir.filePath("f.txt");
  QVERIFY(escribir_bytes(ruta, "viejo"));
  QVERIFY(escribir_bytes(ruta, "nuevo\r\n"));
  QByteArray leido;
  QVERIFY(leer_bytes(ruta, leido));
  QCOMPARE(leido, QByteArray("nuevo\r\n"));
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"f.txt"}));
  // A folder that cannot be written leaves nothing behind and says so.
  QVERIFY(!escribir_bytes(dir.filePath("no/hay/carpeta.txt"), "x"));
}

void PruebaPlataforma::resolver_sin_mayusculas() {
  QTemporaryDir dir;
  QFile(dir.filePath("RES.tot")).open(QIODevice::WriteOnly);
  QCOMPARE(resolver_nombre(dir.filePath("res.tot")), dir.filePath("RES.tot"));
  QCOMPARE(resolver_nombre(dir.filePath("RES.tot")), dir.filePath("RES.tot"));
  QCOMPARE(resolver_nombre(dir.filePath("otro.tot")), dir.filePath("otro.tot"));
}

void PruebaPlataforma::msgbox_guion_y_titulo() {
  prueba::Guion guion({vbNo});
  QCOMPARE(MsgBox("pregunta", vbYesNo + vbQuestion, QString()), vbNo);
  QCOMPARE(MsgBox("aviso"), vbOK);
  QCOMPARE(guion.cajas.size(), 2);
  QCOMPARE(guion.cajas[0].estilo, 36);
  QCOMPARE(guion.cajas[0].titulo, QString());
  QCOMPARE(guion.cajas[1].titulo, App::Title);
}

// The real box, its buttons pressed by the test: every answer code. Escape
// and the window's close answer Cancel where there is one, OK on an OK box,
// and nothing on a Yes/No box, which stays open until a button is pressed.
void PruebaPlataforma::msgbox_real_data() {
  QTest::addColumn<int>("estilo");
  QTest::addColumn<int>("boton");  // a QMessageBox::StandardButton; 0 Escape, -1 close
  QTest::addColumn<int>("respuesta");
  QTest::newRow("OK") << 0 << int(QMessageBox::Ok) << vbOK;
  QTest::newRow("critical OK") << 16 << int(QMessageBox::Ok) << vbOK;
  QTest::newRow("information, Escape") << 64 << 0 << vbOK;
  QTest::newRow("OK, closed") << 0 << -1 << vbOK;
  QTest::newRow("critical, closed") << 16 << -1 << vbOK;
  QTest::newRow("35 Yes") << 35 << int(QMessageBox::Yes) << vbYes;
  QTest::newRow("35 No") << 35 << int(QMessageBox::No) << vbNo;
  QTest::newRow("35 Cancel") << 35 << int(QMessageBox::Cancel) << vbCancel;
  QTest::newRow("35 Escape") << 35 << 0 << vbCancel;
  QTest::newRow("35 closed") << 35 << -1 << vbCancel;
  QTest::newRow("36 Yes") << 36 << int(QMessageBox::Yes) << vbYes;
  QTest::newRow("36 No") << 36 << int(QMessageBox::No) << vbNo;
  QTest::newRow("36 Escape: no answer") << 36 << 0 << 0;
  QTest::newRow("36 closed: no answer") << 36 << -1 << 0;
}

void PruebaPlataforma::msgbox_real() {
  QFETCH(int, estilo);
  QFETCH(int, boton);
  QFETCH(int, respuesta);
  QString titulo;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  bool sigue_abierta = false;
  QTimer::singleShot(0, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(caja != nullptr);
    titulo = caja->windowTitle();
    icono = caja->icon();
    if (boton == 0)
      QTest::keyClick(caja, Qt::Key_Escape);
    else if (boton == -1)
      caja->close();
    else
      caja->button(static_cast<QMessageBox::StandardButton>(boton))->click();
    if (respuesta != 0) return;
    // A Yes/No box is still there, waiting for one of its buttons.
    QTimer::singleShot(200, [&, caja] {
      sigue_abierta = QApplication::activeModalWidget() == caja && caja->isVisible();
      caja->button(QMessageBox::Yes)->click();
    });
  });
  const int r = MsgBox("texto", estilo, "titulo");
  if (respuesta == 0) {
    QVERIFY(sigue_abierta);
    QCOMPARE(r, vbYes);
  } else {
    QCOMPARE(r, respuesta);
  }
  QCOMPARE(titulo, QString("titulo"));
  const QMessageBox::Icon esperado = (estilo & 0x70) == 16   ? QMessageBox::Critical
                                     : (estilo & 0x70) == 32 ? QMessageBox::Question
                                     : (estilo & 0x70) == 64 ? QMessageBox::Information
                                                             : QMessageBox::NoIcon;
  QCOMPARE(icono, esperado);
}

// A box with an empty title carries the program's title, as one without.
void PruebaPlataforma::msgbox_real_sin_titulo() {
  QStringList titulos;
  for (const std::optional<QString>& t : {std::optional<QString>(QString()), std::optional<QString>()}) {
    QTimer::singleShot(0, [&] {
      auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(caja != nullptr);
      titulos << caja->windowTitle();
      caja->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(MsgBox("texto", vbInformation, t), vbOK);
  }
  QCOMPARE(titulos, QStringList({"Zedevodero", "Zedevodero"}));
}

void PruebaPlataforma::ajustes_en_carpeta_temporal() {
  QTemporaryDir dir;
  fijar_carpeta_ajustes(dir.path());
  QCOMPARE(GetSetting("Zedevodero", "Settings", "MainLeft", "1000"), QString("1000"));
  SaveSetting("Zedevodero", "Settings", "MainLeft", "1234");
  QCOMPARE(GetSetting("Zedevodero", "Settings", "MainLeft", "1000"), QString("1234"));
  QVERIFY(QFile::exists(dir.filePath("Zedevodero.ini")));
}

void PruebaPlataforma::twips_y_pixeles() {
  // 1440 twips per inch: at 96 dpi, 15 twips per pixel.
  QCOMPARE(twips_por_pixel_x() * QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 1440.0);
  QCOMPARE(pixeles_x(twips_x(67)), 67);
  QCOMPARE(rect_twips(0, 0, 1440, 1440).width(),
           qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
}

QTEST_MAIN(PruebaPlataforma)
#include "plataforma_test.moc"
