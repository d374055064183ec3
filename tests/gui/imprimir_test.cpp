// The text printer: page header, word wrap, line ends, tabs, page breaks and
// page numbers, on the recording printer (11000 x 16000 twips, Courier New
// 10 at 120 twips a character and 240 a line); the system printer's PDF
// when the machine has no printer, and its jobs handed to a printer's queue
// (a fake one here) only when they are complete.
#include <QDialog>
#include <QDir>
#include <QLibrary>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QRegularExpression>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "comun.hpp"
#include "modales.hpp"
#include "frame/idiomas.hpp"
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
// (the printer may remove the file afterwards). It may be made to answer
// nothing: the call then waits until the test lets it go, and a call whose
// caller has given it up ends without taking the job. Its calls come on
// threads of their own.
struct ColaFalsa : plataforma::ColaImpresion {
  struct Envio {
    QString impresora, fichero, titulo;
    int papel;
    QByteArray pdf;
  };
  std::vector<Envio> envios;
  QString respuesta;  // "" takes the job; otherwise the queue's refusal
  Destino destino_dado{"Falsa", {}};
  enum Bloqueo { Nunca, EnDestino, EnEnvio } bloqueo = Nunca;

  // The PDF a call that did not answer found once let go, and whether its
  // caller had given it up by then.
  QByteArray pdf_tardio;
  bool abandonada_tardia = false;
  std::atomic<int> tardias{0};
  std::atomic<bool> esperando{false};  // a call waits to be let go

  Destino destino(const std::atomic<bool>& abandonada) override {
    if (bloqueo == EnDestino) esperar(abandonada, {});
    return destino_dado;
  }
  QString enviar(const QString& impresora, const QString& fichero, const QString& titulo, int papel,
                 const std::atomic<bool>& abandonada) override {
    if (bloqueo == EnEnvio && esperar(abandonada, fichero)) return "abandoned";
    QFile f(fichero);
    f.open(QIODevice::ReadOnly);
    envios.push_back({impresora, fichero, titulo, papel, f.readAll()});
    return respuesta;
  }
  QString servidor() override { return "falso:631"; }

  void soltar() {
    const std::lock_guard<std::mutex> cerrado(cerrojo_);
    suelta_ = true;
    cambio_.notify_all();
  }

 private:
  // Waits to be let go; true when the caller has given the call up.
  bool esperar(const std::atomic<bool>& abandonada, const QString& fichero) {
    std::unique_lock<std::mutex> cerrado(cerrojo_);
    esperando = true;
    cambio_.wait(cerrado, [this] { return suelta_; });
    abandonada_tardia = abandonada;
    if (!fichero.isEmpty()) {
      QFile f(fichero);
      f.open(QIODevice::ReadOnly);
      pdf_tardio = f.readAll();
    }
    ++tardias;
    return abandonada;
  }
  std::mutex cerrojo_;
  std::condition_variable cambio_;
  bool suelta_ = false;
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

// Clicks Cancel on the progress window once its text passes `cuando`,
// keeping that text in `visto`: a timer looks at it at every round of events.
class Cancelador {
 public:
  Cancelador(std::function<bool(const QString&)> cuando, QString& visto) {
    QObject::connect(&reloj_, &QTimer::timeout, [this, cuando = std::move(cuando), &visto] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* ventana = qobject_cast<QDialog*>(w);
        if (ventana == nullptr || w->objectName() != "progreso" || !w->isVisible()) continue;
        const QString texto = ventana->findChild<QLabel*>("texto")->text();
        if (!cuando(texto)) return;
        visto = texto;
        reloj_.stop();
        QVERIFY(ventana->isModal());
        QTest::mouseClick(ventana->findChild<QPushButton*>("cancelar"), Qt::LeftButton);
      }
    });
    reloj_.start(0);
  }

 private:
  QTimer reloj_;
};

// The folder's language, whose texts of printing read "en<key>".
void idioma_impresion(const prueba::Carpeta& carpeta) {
  QByteArray t = "[Idioma]\r\nidioma=English\r\n[English]\r\n";
  for (int k : {10, 82, 212, 213, 214, 255, 256, 257}) t += QByteArray::number(k) + "=en" + QByteArray::number(k) + "\r\n";
  carpeta.idioma(t);
  idiomas::idioma_actual = "English";
}

// A complete PDF file of `paginas` pages.
bool pdf_completo(const QByteArray& pdf, int paginas) {
  return pdf.startsWith("%PDF") && pdf.trimmed().endsWith("%%EOF") && paginas_pdf(pdf) == paginas;
}

// A print server that stands still: the call waits no longer than this.
struct LimiteCorto {
  LimiteCorto() { plataforma::ImpresoraSistema::fijar_limite_servidor(300); }
  ~LimiteCorto() { plataforma::ImpresoraSistema::fijar_limite_servidor(20000); }
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
  void sin_impresora_o_sin_servidor_data();
  void sin_impresora_o_sin_servidor();
  void servidor_que_no_responde_data();
  void servidor_que_no_responde();
  void cancelar_mientras_espera_el_servidor_data();
  void cancelar_mientras_espera_el_servidor();
  void servidor_cups_data();
  void servidor_cups();
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
// clicked once the window tells the second page, ends the job: the pages stop,
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
  Cancelador cancelador([](const QString& texto) { return texto.endsWith(" 2"); }, visto);
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

// A machine without a default printer, and one whose print server cannot be
// asked: the job goes whole to the program folder's PDF, and the message
// says which of the two it was (with the server's reason).
void PruebaImprimir::sin_impresora_o_sin_servidor_data() {
  QTest::addColumn<QString>("error");
  QTest::addColumn<QString>("clave");
  QTest::addColumn<int>("estilo");
  QTest::newRow("no printer") << "" << "en212" << plataforma::vbInformation;
  QTest::newRow("the server cannot be reached") << "falso:631: Connection refused" << "en256" << plataforma::vbCritical;
}

void PruebaImprimir::sin_impresora_o_sin_servidor() {
  QFETCH(QString, error);
  QFETCH(QString, clave);
  QFETCH(int, estilo);
  prueba::Carpeta carpeta;
  idioma_impresion(carpeta);
  prueba::Guion guion;
  ConCola con;
  con.cola->destino_dado = {"", error};
  imprimir::imprimir_texto(lineas(100), "cabecera", "", 7);

  QVERIFY(con.cola->envios.empty());
  QVERIFY(pdf_completo(carpeta.leer("impresion.pdf"), 2));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].estilo, estilo);
  QVERIFY(guion.cajas[0].texto.startsWith(clave + "\n\n" + carpeta.ruta("impresion.pdf")));
  if (!error.isEmpty()) QVERIFY(guion.cajas[0].texto.endsWith("\n\n" + error));
  QCOMPARE(con.restos(), QStringList());
}

void PruebaImprimir::servidor_que_no_responde_data() {
  QTest::addColumn<int>("bloqueo");
  QTest::newRow("asked for the default printer") << int(ColaFalsa::EnDestino);
  QTest::newRow("handed the job") << int(ColaFalsa::EnEnvio);
}

// A print server that never answers, before the job is painted or when it
// is handed over: the window's events go on meanwhile (a timer fires, the
// progress window tells the wait), the wait ends after its limit, and the
// job is kept whole in the program folder's PDF, with a message that names
// the server. A call left waiting holds the job's file, complete, until it
// ends; then nothing is left behind, and the next job reaches the printer.
void PruebaImprimir::servidor_que_no_responde() {
  QFETCH(int, bloqueo);
  prueba::Carpeta carpeta;
  idioma_impresion(carpeta);
  prueba::Guion guion;
  LimiteCorto limite;
  plataforma::Progreso::fijar_espera(0);
  ConCola con;
  con.cola->bloqueo = static_cast<ColaFalsa::Bloqueo>(bloqueo);
  int latidos = 0;
  QStringList vistos;
  QTimer latido;
  QObject::connect(&latido, &QTimer::timeout, [&] {
    ++latidos;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "progreso" && w->isVisible()) vistos << w->findChild<QLabel*>("texto")->text();
  });
  latido.start(10);
  imprimir::imprimir_texto(lineas(100), "cabecera", "", 7);
  latido.stop();
  plataforma::Progreso::fijar_espera(400);

  QVERIFY(latidos > 0);
  QVERIFY(vistos.contains("en257"));
  QVERIFY(con.cola->envios.empty());
  QVERIFY(pdf_completo(carpeta.leer("impresion.pdf"), 2));
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(guion.cajas[0].texto, "en255\n\n" + carpeta.ruta("impresion.pdf") + "\n\nfalso:631");
  for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(w->objectName() != "progreso");

  con.cola->soltar();
  QTRY_COMPARE(con.cola->tardias.load(), 1);
  QVERIFY(con.cola->abandonada_tardia);
  if (bloqueo == ColaFalsa::EnEnvio) QVERIFY(pdf_completo(con.cola->pdf_tardio, 2));
  QVERIFY(con.cola->envios.empty());
  QTRY_COMPARE(con.restos(), QStringList());

  con.cola->bloqueo = ColaFalsa::Nunca;
  imprimir::imprimir_texto("otra", "cabecera", "", 7);
  QCOMPARE(con.cola->envios.size(), std::size_t(1));
  QCOMPARE(guion.cajas.size(), 1);
}

void PruebaImprimir::cancelar_mientras_espera_el_servidor_data() { servidor_que_no_responde_data(); }

// Cancel answers while the print server is awaited: the job goes nowhere,
// nothing is told, the earlier PDF stays, and the call left waiting ends
// without handing the job over.
void PruebaImprimir::cancelar_mientras_espera_el_servidor() {
  QFETCH(int, bloqueo);
  prueba::Carpeta carpeta;
  idioma_impresion(carpeta);
  carpeta.escribir("impresion.pdf", "anterior");
  prueba::Guion guion;
  plataforma::Progreso::fijar_espera(0);
  ConCola con;
  con.cola->bloqueo = static_cast<ColaFalsa::Bloqueo>(bloqueo);
  QString visto;
  {
    Cancelador cancelador([&](const QString& texto) { return texto == "en257" && con.cola->esperando; }, visto);
    imprimir::imprimir_texto(lineas(100), "cabecera", "", 7);
  }
  plataforma::Progreso::fijar_espera(400);

  QCOMPARE(visto, QString("en257"));
  QCOMPARE(guion.cajas.size(), 0);
  QCOMPARE(carpeta.leer("impresion.pdf"), QByteArray("anterior"));
  QCOMPARE(QDir(carpeta.ruta("")).entryList(QDir::Files), (QStringList{"idioma.lng", "impresion.pdf"}));
  con.cola->soltar();
  QTRY_COMPARE(con.cola->tardias.load(), 1);
  QVERIFY(con.cola->abandonada_tardia);
  QVERIFY(con.cola->envios.empty());
  QTRY_COMPARE(con.restos(), QStringList());
}

void PruebaImprimir::servidor_cups_data() {
  QTest::addColumn<bool>("escucha");
  QTest::addColumn<QString>("clave");
  QTest::newRow("a server that never answers") << true << "en255";
  QTest::newRow("no server at the address") << false << "en256";
}

// The CUPS library itself, pointed by CUPS_SERVER at a port of this machine
// that takes connections and never answers (a socket that listens and
// accepts none), or at one where nothing listens; the message comes in a
// real message box.
void PruebaImprimir::servidor_cups() {
  QFETCH(bool, escucha);
  QFETCH(QString, clave);
  if (!QLibrary(QStringLiteral("cups"), 2).load()) QSKIP("the CUPS library is not installed");
  const int enchufe = ::socket(AF_INET, SOCK_STREAM, 0);
  QVERIFY(enchufe >= 0);
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof direccion;
  QVERIFY(::bind(enchufe, reinterpret_cast<sockaddr*>(&direccion), largo) == 0);
  QVERIFY(::getsockname(enchufe, reinterpret_cast<sockaddr*>(&direccion), &largo) == 0);
  const QString servidor = "127.0.0.1:" + QString::number(ntohs(direccion.sin_port));
  if (escucha)
    QVERIFY(::listen(enchufe, 8) == 0);
  else
    ::close(enchufe);

  prueba::Carpeta carpeta;
  idioma_impresion(carpeta);
  LimiteCorto limite;
  prueba::Modales modales;
  modales << modales.boton(QMessageBox::Ok);
  const QByteArray anterior = qgetenv("CUPS_SERVER");
  qputenv("CUPS_SERVER", servidor.toLatin1());
  plataforma::fijar_cola_impresion(nullptr);
  plataforma::fijar_impresora(std::make_unique<plataforma::ImpresoraSistema>());
  imprimir::imprimir_texto("hola", "cabecera", "", 7);
  plataforma::fijar_impresora(nullptr);
  if (anterior.isNull())
    qunsetenv("CUPS_SERVER");
  else
    qputenv("CUPS_SERVER", anterior);
  if (escucha) ::close(enchufe);

  QVERIFY(pdf_completo(carpeta.leer("impresion.pdf"), 1));
  // Told in a real message box.
  QVERIFY(!modales.quedan());
  QCOMPARE(modales.textos.size(), 1);
  QVERIFY2(modales.textos[0].startsWith(clave + "\n\n" + carpeta.ruta("impresion.pdf") + "\n\n" + servidor),
           qPrintable(modales.textos[0]));
}

QTEST_MAIN(PruebaImprimir)
#include "imprimir_test.moc"
