// Where the program's secondary windows stand: the results and graph-data
// dialogs, the graph window, the about box and the help window belong to the
// main window, the help window opens inside the screen, and Qt's own texts
// follow the desktop's language.
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

#include "comun.hpp"
#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "grafica_comun.hpp"
#include "platform/app.hpp"
#include "platform/ayuda.hpp"
#include "platform/consola.hpp"
#include "platform/traducciones.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"

class PruebaVentanas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmprintres::destruir();
    frmprintgraf::destruir();
    prueba::limpiar();
  }
  void dialogos_del_principal();
  void ventanas_del_principal();
  void ayuda_dentro_de_la_pantalla();
  void textos_de_qt_en_el_idioma_del_escritorio();
};

// Both dialogs are owned by the main window, so the window manager keeps them
// in front of it; they stay modeless, and they go with the main window.
void PruebaVentanas::dialogos_del_principal() {
  prueba::Carpeta carpeta;
  carpeta.idioma(prueba::fichero_idiomas());
  frmMain& principal = frmMain::instancia();
  principal.show();
  QDialog* dialogos[] = {&frmprintres::instancia(), &frmprintgraf::instancia()};
  for (QDialog* d : dialogos) {
    d->show();
    QCOMPARE(d->parentWidget(), static_cast<QWidget*>(&principal));
    QVERIFY(d->isWindow());
    QCOMPARE(d->windowType(), Qt::Dialog);
    QVERIFY(!d->isModal());
    QCOMPARE(d->windowModality(), Qt::NonModal);
    QCOMPARE(d->windowHandle()->transientParent(), principal.windowHandle());
  }
  // The main window can still be used while they are open.
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  frmMain::destruir();
  QVERIFY(!frmprintres::cargado());
  QVERIFY(!frmprintgraf::cargado());
  // A new one opens on the next main window.
  frmMain& otro = frmMain::instancia();
  QCOMPARE(frmprintres::instancia().parentWidget(), static_cast<QWidget*>(&otro));
}

// The graph window, the about box and the help window are owned by the main
// window as the dialogs are (the window manager keeps an owned dialog in
// front of its owner, also when the owner is clicked or raised), keep their
// own sizes, have no minimise button (the window manager would minimise the
// main window with them) and go with the main window. The console window
// has no owner: it is minimised by the runs, and raised when one fails.
void PruebaVentanas::ventanas_del_principal() {
  prueba::Visor visor;
  visor.carpeta.escribir("English.hlp", "<html><head><title>Ayuda</title></head><body>Texto</body></html>");
  plataforma::App::HelpFile() = visor.carpeta.ruta("English.hlp");
  frmMain& principal = frmMain::instancia();
  principal.showMaximized();
  QVERIFY(QTest::qWaitForWindowExposed(&principal));
  prueba::Curva curva;
  curva.puntos = prueba::serie(5);
  QVERIFY(visor.abrir(prueba::grafica({curva})) != nullptr);
  principal.mnuHelpAbout->trigger();
  principal.mnuHelpContents->trigger();
  QVERIFY(visor.guion.cajas.isEmpty());

  struct Ventana {
    const char* que;
    QWidget* w;
    bool redimensionable;
  } ventanas[] = {
      {"graph window", &frmgraficos::instancia(), true},
      {"about box", &frmAbout::instancia(), false},
      {"help window", plataforma::ventana_ayuda(), true},
  };
  for (const Ventana& v : ventanas) {
    QVERIFY2(v.w != nullptr && v.w->isVisible(), v.que);
    QVERIFY2(v.w->parentWidget() == &principal, v.que);
    QVERIFY2(v.w->isWindow(), v.que);
    QVERIFY2(v.w->windowType() == Qt::Dialog, v.que);
    QVERIFY2(v.w->windowHandle()->transientParent() == principal.windowHandle(), v.que);
    QVERIFY2(v.w->windowModality() == Qt::NonModal, v.que);
    QVERIFY2(!(v.w->windowFlags() & Qt::WindowMinimizeButtonHint), v.que);
    QVERIFY2(v.w->windowFlags().testFlag(Qt::WindowCloseButtonHint), v.que);
    QVERIFY2(v.w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint) == v.redimensionable, v.que);
    QVERIFY2((v.w->minimumSize() == v.w->maximumSize()) == !v.redimensionable, v.que);
    // Smaller than the maximised main window, which does not cover them.
    QVERIFY2(v.w->width() < principal.width() && v.w->height() < principal.height(), v.que);
  }
  QVERIFY(QApplication::activeModalWidget() == nullptr);

  // The console window stands on its own, inside the screen and clear of the
  // menus and the toolbar of the maximised main window, which it covers when
  // a failed run raises it.
  const plataforma::VentanaConsola& consola = plataforma::VentanaConsola::instancia();
  QVERIFY(consola.parentWidget() == nullptr);
  QVERIFY(principal.screen()->availableGeometry().contains(consola.geometry()));
  const QRect barras(principal.menuBar()->mapToGlobal(QPoint(0, 0)),
                     principal.tbToolBar->mapToGlobal(QPoint(principal.width(), principal.tbToolBar->height())));
  QVERIFY(!barras.intersects(consola.geometry()));
  plataforma::VentanaConsola::destruir();

  // The graph window still closes the about box; all go with the main window.
  frmgraficos::instancia().close();
  QVERIFY(!frmAbout::cargado());
  principal.mnuHelpAbout->trigger();
  QVERIFY(visor.abrir(prueba::grafica({curva})) != nullptr);
  frmMain::destruir();
  QVERIFY(!frmgraficos::cargado());
  QVERIFY(!frmAbout::cargado());
  QVERIFY(plataforma::ventana_ayuda() == nullptr);
}

void PruebaVentanas::ayuda_dentro_de_la_pantalla() {
  const QSize propio(600, 600);
  struct Caso {
    const char* que;
    QRect disponible;
  } casos[] = {
      {"a large screen", QRect(0, 0, 1600, 960)},
      {"a screen with a panel above and at the left", QRect(64, 32, 1536, 968)},
      {"a short screen", QRect(0, 0, 1400, 560)},
      {"a small screen", QRect(0, 24, 500, 400)},
  };
  for (const Caso& c : casos) {
    const QRect r = plataforma::lugar_de_ayuda(c.disponible, propio);
    // With a frame of a 40-pixel title bar and 8-pixel borders.
    const QRect marco = r.adjusted(-8, -40, 8, 8);
    QVERIFY2(c.disponible.contains(marco), c.que);
    QVERIFY2(r.width() == std::min(600, c.disponible.width() - 16), c.que);
    QVERIFY2(r.height() == std::min(600, c.disponible.height() - 48), c.que);
    // Centred.
    QVERIFY2(std::abs((marco.left() - c.disponible.left()) - (c.disponible.right() - marco.right())) <= 1, c.que);
    QVERIFY2(std::abs((marco.top() - c.disponible.top()) - (c.disponible.bottom() - marco.bottom())) <= 1, c.que);
  }

  // The help window itself.
  prueba::Carpeta carpeta;
  carpeta.escribir("Ayuda.hlp", "<html><head><title>Ayuda</title></head><body>Texto</body></html>");
  QWidget dueno;
  QCOMPARE(plataforma::mostrar_ayuda(&dueno, carpeta.ruta("Ayuda.hlp")), QString());
  QWidget* ayuda = plataforma::ventana_ayuda();
  QVERIFY(ayuda != nullptr);
  QVERIFY(dueno.screen()->availableGeometry().contains(ayuda->geometry()));
  ayuda->close();
}

// Spanish catalogues give Spanish standard buttons and file-dialog labels;
// a language without one, or no catalogues, leaves Qt's English texts.
void PruebaVentanas::textos_de_qt_en_el_idioma_del_escritorio() {
  auto si = [] {
    QMessageBox caja(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return QStringList{caja.button(QMessageBox::Yes)->text(), caja.button(QMessageBox::No)->text(),
                       caja.button(QMessageBox::Cancel)->text()};
  };
  const QStringList ingles = si();
  QCOMPARE(ingles, (QStringList{"&Yes", "&No", "Cancel"}));

  QTranslator* espanol = plataforma::cargar_traducciones_qt(QLocale(QLocale::Spanish, QLocale::Spain));
  QVERIFY(espanol != nullptr);
  QCOMPARE(si(), (QStringList{"&Sí", "&No", "Cancelar"}));
  QCOMPARE(QFileDialog::tr("Look in:"), QStringLiteral("Ver en:"));
  delete espanol;
  QCOMPARE(si(), ingles);

  // Through the desktop's locale, as the program starts.
  QLocale::setDefault(QLocale::c());
  QTranslator* sistema = plataforma::cargar_traducciones_qt(QLocale(QStringLiteral("es_AR")));
  QVERIFY(sistema != nullptr);  // Spanish of another country falls back to "es"
  QCOMPARE(si().front(), QStringLiteral("&Sí"));
  delete sistema;

  QVERIFY(plataforma::cargar_traducciones_qt(QLocale(QLocale::Zulu)) == nullptr);
  QTemporaryDir vacia;
  QVERIFY(plataforma::cargar_traducciones_qt(QLocale(QLocale::Spanish), vacia.path()) == nullptr);
  QCOMPARE(si(), ingles);
}

QTEST_MAIN(PruebaVentanas)
#include "ventanas_test.moc"
