// The process's number separators under a user locale that writes "," for
// decimals: after the start-up set-up this process uses "." everywhere, and
// the environment (the user's settings) is left as it was. Run with LC_ALL
// naming such a locale.
#include <QLocale>
#include <QtTest>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "frame/confreg.hpp"
#include "platform/vb.hpp"

class PruebaNumeros : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void separadores_del_proceso();
};

void PruebaNumeros::separadores_del_proceso() {
  // The test runs where the user's locale really writes ",".
  const QByteArray entorno = qgetenv("LC_ALL");
  QVERIFY2(QLocale::system().decimalPoint() == ",", entorno.constData());
  QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));

  confreg::configura_separadores();

  QCOMPARE(QString(std::localeconv()->decimal_point), QString("."));
  QCOMPARE(QLocale().decimalPoint(), QString("."));
  QCOMPARE(QLocale().groupSeparator(), QString(","));
  QCOMPARE(QLocale().toString(1234.5, 'f', 1), QString("1234.5"));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", 2.5);
  QCOMPARE(QString(buf), QString("2.500"));
  QCOMPARE(std::strtod("1.25", nullptr), 1.25);
  QCOMPARE(plataforma::Format(-0.25, u"####0.000"), QString("-0.250"));
  QCOMPARE(plataforma::Val(u"3.5"), 3.5);
  QVERIFY(plataforma::IsNumeric(u"3.5"));
  QVERIFY(!plataforma::IsNumeric(u"3,5"));

  // Only this process changed: the user's settings are as they were.
  QCOMPARE(qgetenv("LC_ALL"), entorno);
  QCOMPARE(QLocale::system().decimalPoint(), QString(","));
}

QTEST_MAIN(PruebaNumeros)
#include "numeros_test.moc"
