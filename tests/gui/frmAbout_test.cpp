// The about box: its texts, the system-information tool and the project's page.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "comun.hpp"
#include "frame/frmAbout.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/escritorio.hpp"
#include "platform/mensajes.hpp"

namespace {

// A PATH of fake programs (empty scripts) for the time of a test.
class RutaFalsa {
 public:
  explicit RutaFalsa(const QStringList& programas) : anterior_(qgetenv("PATH")) {
    for (const QString& p : programas) {
      QFile f(dir_.filePath(p));
      f.open(QIODevice::WriteOnly);
      f.write("#!/bin/sh\n");
      f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", dir_.path().toLocal8Bit());
  }
  ~RutaFalsa() { qputenv("PATH", anterior_); }
  QString ruta(const QString& p) const { return dir_.filePath(p); }

 private:
  QTemporaryDir dir_;
  QByteArray anterior_;
};

struct Arranques {
  QStringList vistos;
  bool resultado = true;
  Arranques() {
    plataforma::fijar_guion_programas([this](const QString& programa, const QStringList& argumentos) {
      vistos << (argumentos.isEmpty() ? programa : programa + " " + argumentos.join(' '));
      return resultado;
    });
  }
  ~Arranques() { plataforma::fijar_guion_programas({}); }
};

}  // namespace

class PruebaFrmAbout : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void textos();
  void informacion_del_sistema_data();
  void informacion_del_sistema();
  void pagina_del_proyecto_data();
  void pagina_del_proyecto();
  void pagina_sin_programa_en_caja_real();
  void aceptar_descarga();
};

void PruebaFrmAbout::textos() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  idiomas::idioma_actual = "English";
  frmAbout& a = frmAbout::instancia();
  QCOMPARE(a.lblTitle->text(), QString("Tarvo-Olvex"));
  QCOMPARE(a.windowTitle(), QString("en25Tarvo-Olvex"));
  QCOMPARE(a.lblDescription->text(), QString("en70"));
  QCOMPARE(a.lblVersion->text(), QString("en71"));
  QCOMPARE(a.lblDisclaimer->text(), QString("en72:"));
  QCOMPARE(a.cmdSysInfo->text(), QString("en73..."));
  QCOMPARE(a.cmdOK->text(), QString("en74"));
  QVERIFY(!a.Label1->text().isEmpty() && !a.Label2->text().isEmpty());
  QCOMPARE(a.lblweb->text(), QString("acerca.html"));
}

void PruebaFrmAbout::informacion_del_sistema_data() {
  QTest::addColumn<QStringList>("instalados");
  QTest::addColumn<bool>("arranca");
  QTest::addColumn<QString>("iniciado");  // "" when none is started
  QTest::addColumn<bool>("aviso");
  QTest::newRow("first found; the next not looked at") << QStringList{"kinfocenter", "hardinfo"} << true << "hardinfo"
                                                       << false;
  QTest::newRow("with its arguments") << QStringList{"gnome-control-center"} << true
                                      << "gnome-control-center info-overview" << false;
  QTest::newRow("none installed") << QStringList{} << true << "" << true;
  QTest::newRow("start fails") << QStringList{"kinfocenter"} << false << "kinfocenter" << true;
}

void PruebaFrmAbout::informacion_del_sistema() {
  QFETCH(QStringList, instalados);
  QFETCH(bool, arranca);
  QFETCH(QString, iniciado);
  QFETCH(bool, aviso);
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  idiomas::idioma_actual = "English";
  RutaFalsa ruta(instalados);
  Arranques arranques;
  arranques.resultado = arranca;
  prueba::Guion guion;
  frmAbout::instancia().cmdSysInfo->click();
  QCOMPARE(arranques.vistos, iniciado.isEmpty() ? QStringList() : QStringList{ruta.ruta(iniciado)});
  QCOMPARE(guion.cajas.size(), aviso ? 1 : 0);
  if (aviso) {
    QCOMPARE(guion.cajas[0].texto, QString("en75"));
    QCOMPARE(guion.cajas[0].estilo, 0);
    QCOMPARE(guion.cajas[0].titulo, plataforma::App::Title);
  }
}

// The language file with the key of the page's message.
QByteArray idiomas_con_pagina() { return prueba::fichero_idiomas() + "228=en228\r\n"; }

void PruebaFrmAbout::pagina_del_proyecto_data() {
  QTest::addColumn<bool>("abre");
  QTest::newRow("the desktop opens it") << true;
  QTest::newRow("no program to open it") << false;
}

// A page the desktop cannot open is reported, naming its file.
void PruebaFrmAbout::pagina_del_proyecto() {
  QFETCH(bool, abre);
  prueba::Carpeta c;
  c.idioma(idiomas_con_pagina());
  idiomas::idioma_actual = "English";
  QList<QUrl> abiertas;
  plataforma::fijar_guion_navegador([&](const QUrl& u) {
    abiertas << u;
    return abre;
  });
  prueba::Guion guion;
  frmAbout& a = frmAbout::instancia();
  a.Show();
  QTest::mouseClick(a.lblweb, Qt::LeftButton, {}, QPoint(2, 2));
  plataforma::fijar_guion_navegador({});
  QCOMPARE(abiertas, QList<QUrl>{QUrl::fromLocalFile(c.ruta("acerca.html"))});
  QCOMPARE(guion.cajas.size(), abre ? 0 : 1);
  if (!abre) {
    QCOMPARE(guion.cajas[0].texto, "en228\n\n" + c.ruta("acerca.html"));
    QCOMPARE(guion.cajas[0].estilo, 0);
    QCOMPARE(guion.cajas[0].titulo, plataforma::App::Title);
  }
  QVERIFY(frmAbout::cargado());
}

// The same message in a real box, in the language in use; the about box
// stays open behind it.
void PruebaFrmAbout::pagina_sin_programa_en_caja_real() {
  prueba::Carpeta c;
  QByteArray lng = prueba::fichero_idiomas("Español");
  lng.replace("[Espa\xF1ol]\r\n", "[Espa\xF1ol]\r\n228=es228\r\n");
  c.idioma(lng);
  idiomas::idioma_actual = "Español";
  plataforma::fijar_guion_navegador([](const QUrl&) { return false; });
  frmAbout& a = frmAbout::instancia();
  a.Show();
  QString visto;
  prueba::aceptar_caja_real(300, visto);
  QTest::mouseClick(a.lblweb, Qt::LeftButton, {}, QPoint(2, 2));
  plataforma::fijar_guion_navegador({});
  QCOMPARE(visto, "es228\n\n" + c.ruta("acerca.html"));
  QVERIFY(frmAbout::cargado() && a.isVisible());
}

void PruebaFrmAbout::aceptar_descarga() {
  prueba::Carpeta c;
  c.idioma(prueba::fichero_idiomas());
  frmAbout::instancia().Show();
  QTest::mouseClick(frmAbout::instancia().cmdOK, Qt::LeftButton);
  QVERIFY(!frmAbout::cargado());
}

QTEST_MAIN(PruebaFrmAbout)
#include "frmAbout_test.moc"
