// The text printer: page header, word wrap, line ends, tabs, page breaks and
// page numbers, on the recording printer (11000 x 16000 twips, Courier New
// 10 at 120 twips a character and 240 a line); the system printer's PDF
// when the machine has no printer, and its jobs handed to a printer's queue
// (a fake one here) only when they are complete.
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QRegularExpression>
#include <QtTest>
#include <optional>

#include "comun.hpp"
#include "frame/imprimir.hpp"
#include "platform/impresora.hpp"
#include "platform/mensajes.hpp"
#include "platform/progreso.hpp"

using Orden = plataforma::ImpresoraGrabadora::Orden;

namespace {

constexpr double ancho = 11000, alto = 16000;
constexpr double letra = 120, linea = 240;
constexpr double inicio_texto = 800 + 7 * linea;  // below a two-line header

std::vector<Orden> grabar(const QString& texto, const QString& c1 = "cab1", const QString& c2 = "cab2") {
  auto propia = std::make_unique<plataforma::ImpresoraGrabadora>(ancho, alto);
  plataforma::ImpresoraGrabadora* grabadora = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  imprimir::imprimir_texto(texto, c1, c2, 7);
  std::vector<Orden> ordenes = grabadora->ordenes;
  plataforma::fijar_impresora(nullptr);
  return ordenes;
}

// The first text order that reads `texto`.
const Orden* buscar(const std::vector<Orden>& ordenes, const QString& texto) {
  for (const Orden& o : ordenes)
    if (o.tipo == Orden::Texto && o.texto == texto) return &o;
  return nullptr;
}

int paginas_pdf(const QByteArray& pdf) {
  return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// A printer's queue that keeps what it is handed, its PDF read at once
// (the printer may remove the file afterwards).
struct ColaFalsa : plataforma::ColaImpresion {
  struct Envio {
    QString impresora, fichero, titulo;
    int papel;
    QByteArray pdf;
  };
  std::vector<Envio> envios;
  QString respuesta;  // "" takes the job; otherwise the queue's refusal
  QString destino() override { return QStringLiteral("Falsa"); }
  QString enviar(const QString& impresora, const QString& fichero, const QString& titulo, int papel) override {
    QFile f(fichero);
    f.open(QIODevice::ReadOnly);
    envios.push_back({impresora, fichero, titulo, papel, f.readAll()});
    return respuesta;
  }
};

// The system printer on a machine whose default printer has the fake queue,
// with the temporary files of its jobs in a folder of the test's own.
struct ConCola {
  QTemporaryDir temporal;
  QByteArray tmpdir_anterior = qgetenv("TMPDIR");
  ColaFalsa* cola;
  ConCola() {
    qputenv("TMPDIR", temporal.path().toLocal8Bit());
    auto propia = std::make_unique<ColaFalsa>();
    cola = propia.get();
    plataforma::fijar_cola_impresion(std::move(propia));
    plataforma::fijar_impresora(std::make_unique<plataforma::ImpresoraSistema>());
  }
  ~ConCola() {
    plataforma::fijar_impresora(nullptr);
    plataforma::fijar_cola_impresion(nullptr);
    if (tmpdir_anterior.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", tmpdir_anterior);
  }
  QStringList restos() const { return QDir(temporal.path()).entryList(QDir::Files | QDir::Hidden); }
};

QString lineas(int n) {
  QStringList l;
  for (int i = 1; i <= n; ++i) l << "l" + QString::number(i);
  return l.join('\n');
}

}  // namespace

class PruebaImprimir : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cabecera_y_pie();
  void cabecera_de_una_linea();
  void palabras_largas();
  void finales_de_linea();
  void tabuladores_data();
  void tabuladores();
  void saltos_de_pagina();
  void salto_forzado();
  void pdf_sin_impresora();
  void cola_de_la_impresora_data();
  void cola_de_la_impresora();
  void cancelar_data();
  void cancelar();
};

void PruebaImprimir::cabecera_y_pie() {
  const std::vector<Orden> o = grabar("hola");
  QVERIFY(!o.empty());
  QCOMPARE(o.front().papel, 9);
  QCOMPARE(o.front().letra.family(), QString("Courier New"));
  QCOMPARE(o.front().letra.pointSizeF(), 10.0);

  struct {
    QString texto;
    double x, y;
  } esperado[] = {
      {" ", 0, 800},
      {" ", 0, 800 + linea},
      {"cab1", (ancho - 4 * letra) / 2, 800 + 2 * linea},
      {" ", 0, 800 + 3 * linea},
      {"cab2", (ancho - 4 * letra) / 2, 800 + 4 * linea},
      {" ", 0, 800 + 5 * linea},
      {"hola", 1440, inicio_texto},
  };
  for (std::size_t i = 0; i < std::size(esperado); ++i) {
    QCOMPARE(o[i].tipo, Orden::Texto);
    QCOMPARE(o[i].texto, esperado[i].texto);
    QCOMPARE(o[i].x, esperado[i].x);
    QCOMPARE(o[i].y, esperado[i].y);
  }
  // Empty lines down to the threshold, then the footer; the new page it
  // asks for stays empty and is not printed.
  const Orden& pie = o[o.size() - 2];
  QCOMPARE(pie.texto, QString("Página: 1"));
  QCOMPARE(pie.x, (ancho - 9 * letra) / 2);
  QVERIFY(pie.y >= alto - 1000 + linea && pie.y < alto - 1000 + 2 * linea + 1);
  QCOMPARE(o.back().tipo, Orden::Fin);
  for (const Orden& x : o) QVERIFY(x.tipo != Orden::Pagina);
}

void PruebaImprimir::cabecera_de_una_linea() {
  const std::vector<Orden> o = grabar("", "solo", "");
  QCOMPARE(o[2].texto, QString("solo"));
  QCOMPARE(o[3].texto, QString(" "));
  QCOMPARE(o[4].texto.startsWith("Página"), true);  // nothing else on the page
  QCOMPARE(o[4].pagina, 1);
}

void PruebaImprimir::palabras_largas() {
  // 75 characters end at 10440; the blank and a five-letter word would end at 11160.
  const QString largo(75, 'a');
  std::vector<Orden> o = grabar(largo + " bbbbb");
  const Orden* b = buscar(o, "bbbbb");
  QVERIFY(b != nullptr);
  QCOMPARE(b->x, 1440.0);
  QCOMPARE(b->y, inicio_texto + linea);

  // Wider than the whole line: from the left margin, past the right edge.
  const QString enorme(90, 'c');
  o = grabar("x " + enorme + " y");
  const Orden* c = buscar(o, enorme);
  QVERIFY(c != nullptr);
  QCOMPARE(c->x, 1440.0);
  QCOMPARE(c->y, inicio_texto + linea);
  QCOMPARE(buscar(o, "y")->y, inicio_texto + 2 * linea);  // the line is full: the next word wraps
}

void PruebaImprimir::finales_de_linea() {
  const std::vector<Orden> o = grabar("uno\r\ndos\n\ntres");
  QCOMPARE(buscar(o, "uno")->y, inicio_texto);
  QCOMPARE(buscar(o, "dos")->y, inicio_texto + linea);
  QCOMPARE(buscar(o, "tres")->y, inicio_texto + 3 * linea);  // two line feeds: an empty line
  for (const char* p : {"dos", "tres"}) QCOMPARE(buscar(o, p)->x, 1440.0);
  for (const Orden& x : o) QVERIFY(!x.texto.contains('\r'));
}

void PruebaImprimir::tabuladores_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("palabra");
  QTest::addColumn<int>("columna");
  QTest::newRow("at the start of a line") << "\tA" << "A" << 10;
  QTest::newRow("inside the first ten") << "abc\tC" << "C" << 10;
  QTest::newRow("at column 10") << "0123456789\tB" << "B" << 20;
  QTest::newRow("two tabs") << "ab\t\tD" << "D" << 20;
}

void PruebaImprimir::tabuladores() {
  QFETCH(QString, texto);
  QFETCH(QString, palabra);
  QFETCH(int, columna);
  const std::vector<Orden> o = grabar(texto);
  QCOMPARE(buscar(o, palabra)->x, 1440 + columna * letra);
}

void PruebaImprimir::saltos_de_pagina() {
  const std::vector<Orden> o = grabar(lineas(150));
  // Page 1 holds the lines down to the threshold; the line feed after the
  // last of them ends the page.
  const int por_pagina = static_cast<int>((alto - 1000 - inicio_texto) / linea) + 1;
  const Orden* ultima = buscar(o, "l" + QString::number(por_pagina));
  const Orden* primera = buscar(o, "l" + QString::number(por_pagina + 1));
  QVERIFY(ultima != nullptr && primera != nullptr);
  QCOMPARE(ultima->pagina, 1);
  QCOMPARE(primera->pagina, 2);
  QCOMPARE(primera->x, 1440.0);
  QCOMPARE(primera->y, inicio_texto);  // below the repeated header

  // Page 2: the first header line again, a blank second line, no cabecera2.
  QStringList cabecera;
  for (const Orden& x : o)
    if (x.pagina == 2 && x.tipo == Orden::Texto && x.y < inicio_texto) cabecera << x.texto;
  QCOMPARE(cabecera, (QStringList{" ", " ", "cab1", " ", " ", " "}));
  const auto pagina = std::find_if(o.begin(), o.end(), [](const Orden& x) { return x.tipo == Orden::Pagina; });
  QVERIFY(pagina != o.end());
  QCOMPARE((pagina - 1)->texto, QString("Página: 1"));

  QVERIFY(buscar(o, "Página: 3") != nullptr);
  QCOMPARE(buscar(o, "Página: 3")->pagina, 3);
  QCOMPARE(o.back().tipo, Orden::Fin);
}

void PruebaImprimir::salto_forzado() {
  const std::vector<Orden> o = grabar("a .../... b ... / ...");
  QVERIFY(buscar(o, ".../...") == nullptr);
  QCOMPARE(buscar(o, "a")->pagina, 1);
  QCOMPARE(buscar(o, "b")->pagina, 2);
  QCOMPARE(buscar(o, "Página: 1")->pagina, 1);
  // Spaced out it is three words, printed as they are.
  QCOMPARE(buscar(o, "/")->pagina, 2);
  QCOMPARE(buscar(o, "...")->pagina, 2);
}

void PruebaImprimir::pdf_sin_impresora() {
  prueba::Carpeta carpeta;
  prueba::Guion guion;
  plataforma::fijar_impresora(std::make_unique<plataforma::ImpresoraSistema>(true));
  imprimir::imprimir_texto("hola\nmundo", "cabecera", "", 7);
  imprimir::imprimir_texto(lineas(100), "cabecera", "", 7);  // a second job replaces the file
  plataforma::fijar_impresora(nullptr);

  const QByteArray pdf = carpeta.leer("impresion.pdf");
  QVERIFY(pdf.startsWith("%PDF"));
  QCOMPARE(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")), 2);
  QCOMPARE(QDir(carpeta.ruta("")).entryList(QDir::Files).filter(".tmp").size(), 0);
  QCOMPARE(guion.cajas.size(), 2);
  QCOMPARE(guion.cajas[1].estilo, plataforma::vbInformation);
  QVERIFY(guion.cajas[1].texto.contains(carpeta.ruta("impresion.pdf")));
}

// A complete job reaches the default printer's queue once, as one PDF of
// all its pages, and leaves no file behind; the program folder gets no PDF.
// A queue that refuses the job is reported with the printer and its reason.
void PruebaImprimir::cola_de_la_impresora_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<int>("modo");
  QTest::addColumn<int>("paginas");
  QTest::addColumn<QString>("rechazo");
  QTest::newRow("one page") << "hola\nmundo" << 7 << 1 << "";
  QTest::newRow("many pages") << lineas(100) << 7 << 2 << "";
  QTest::newRow("a graph's page") << "" << 6 << 1 << "";
  QTest::newRow("the queue refuses") << "hola" << 7 << 1 << "The printer is not accepting jobs.";
}

void PruebaImprimir::cola_de_la_impresora() {
  QFETCH(QString, texto);
  QFETCH(int, modo);
  QFETCH(int, paginas);
  QFETCH(QString, rechazo);
  prueba::Carpeta carpeta;
  prueba::Guion guion;
  ConCola con;
  con.cola->respuesta = rechazo;
  imprimir::imprimir_texto(texto, "cabecera", "", static_cast<std::int16_t>(modo));

  QCOMPARE(con.cola->envios.size(), std::size_t(1));
  const ColaFalsa::Envio& e = con.cola->envios[0];
  QCOMPARE(e.impresora, QString("Falsa"));
  QCOMPARE(e.papel, 9);
  QVERIFY(e.pdf.startsWith("%PDF"));
  QVERIFY(e.pdf.trimmed().endsWith("%%EOF"));  // the whole file, not a part of it
  QCOMPARE(paginas_pdf(e.pdf), paginas);
  QCOMPARE(con.restos(), QStringList());
  QVERIFY(!carpeta.existe("impresion.pdf"));
  if (rechazo.isEmpty()) {
    QCOMPARE(guion.cajas.size(), 0);
  } else {
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
    QVERIFY(guion.cajas[0].texto.contains("Falsa"));
    QVERIFY(guion.cajas[0].texto.contains(rechazo));
  }

  // The next job is a job of its own.
  imprimir::imprimir_texto("otra", "cabecera", "", 7);
  QCOMPARE(con.cola->envios.size(), std::size_t(2));
  QCOMPARE(paginas_pdf(con.cola->envios[1].pdf), 1);
}

void PruebaImprimir::cancelar_data() {
  QTest::addColumn<QString>("impresora");
  QTest::newRow("recording printer") << "grabadora";
  QTest::newRow("PDF of a machine without a printer") << "pdf";
  QTest::newRow("the machine's printer") << "cola";
}

// A long job shows its progress window at once here; its Cancel button,
// clicked at the first round of window events, ends the job: the pages stop,
// nothing reaches a printer's queue, and the earlier PDF stays where it was.
void PruebaImprimir::cancelar() {
  QFETCH(QString, impresora);
  prueba::Carpeta carpeta;
  prueba::Guion guion;
  carpeta.escribir("impresion.pdf", "anterior");
  plataforma::Progreso::fijar_espera(0);
  plataforma::ImpresoraGrabadora* grabadora = nullptr;
  std::optional<ConCola> con;
  if (impresora == "pdf") {
    plataforma::fijar_impresora(std::make_unique<plataforma::ImpresoraSistema>(true));
  } else if (impresora == "cola") {
    con.emplace();
  } else {
    auto propia = std::make_unique<plataforma::ImpresoraGrabadora>(ancho, alto);
    grabadora = propia.get();
    plataforma::fijar_impresora(std::move(propia));
  }
  QString visto;
  QTimer::singleShot(0, [&] {
    QDialog* ventana = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "progreso" && w->isVisible()) ventana = qobject_cast<QDialog*>(w);
    if (ventana == nullptr) return;
    visto = ventana->findChild<QLabel*>("texto")->text();
    QVERIFY(ventana->isModal());
    QTest::mouseClick(ventana->findChild<QPushButton*>("cancelar"), Qt::LeftButton);
  });
  imprimir::imprimir_texto(lineas(20000), "cabecera", "", 7);
  std::vector<Orden> o = grabadora != nullptr ? grabadora->ordenes : std::vector<Orden>{};
  plataforma::fijar_impresora(nullptr);
  plataforma::Progreso::fijar_espera(400);

  QVERIFY(visto.endsWith(" 2"));  // the page being printed
  for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(w->objectName() != "progreso");
  QCOMPARE(guion.cajas.size(), 0);  // the user stopped it: nothing to tell
  QCOMPARE(carpeta.leer("impresion.pdf"), QByteArray("anterior"));
  QCOMPARE(QDir(carpeta.ruta("")).entryList(QDir::Files), (QStringList{"impresion.pdf"}));
  if (con) {
    QCOMPARE(con->cola->envios.size(), std::size_t(0));
    QCOMPARE(con->restos(), QStringList());
    // The printer is free for the next job, which reaches it whole.
    imprimir::imprimir_texto(lineas(100), "cabecera", "", 7);
    QCOMPARE(con->cola->envios.size(), std::size_t(1));
    QCOMPARE(paginas_pdf(con->cola->envios[0].pdf), 2);
  }
  if (grabadora != nullptr) {
    QVERIFY(!o.empty());
    QCOMPARE(o.back().tipo, Orden::Abandono);
    QVERIFY(o.back().pagina <= 3);  // of some 340 pages
    QVERIFY(std::none_of(o.begin(), o.end(), [](const Orden& x) { return x.tipo == Orden::Fin; }));
  }
}

QTEST_MAIN(PruebaImprimir)
#include "imprimir_test.moc"
