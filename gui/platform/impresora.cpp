#include "platform/impresora.hpp"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cups/cups.h>
#include <sys/socket.h>

#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/progreso.hpp"
#include "platform/twips.hpp"

namespace plataforma {

// ---- the job and its pages -------------------------------------------------------

void Impresora::salida() {
  en_trabajo_ = true;
  if (pagina_pendiente_) {
    pagina_pendiente_ = false;
    pagina_siguiente();
  }
}

void Impresora::Print(const QString& t) {
  salida();
  texto(CurrentX, CurrentY, t);
  CurrentX += TextWidth(t);
}

void Impresora::FinLinea() {
  salida();
  CurrentX = 0;
  CurrentY += TextHeight(QStringLiteral("Ag"));
}

void Impresora::NewPage() {
  salida();
  pagina_pendiente_ = true;
  ++pagina_;
  CurrentX = 0;
  CurrentY = 0;
}

FinTrabajo Impresora::EndDoc() {
  FinTrabajo fin;
  if (en_trabajo_) fin = fin_trabajo();
  reiniciar();
  return fin;
}

void Impresora::KillDoc() {
  if (en_trabajo_) abandonar_trabajo();
  reiniciar();
}

void Impresora::reiniciar() {
  en_trabajo_ = false;
  pagina_pendiente_ = false;
  pagina_ = 1;
  CurrentX = 0;
  CurrentY = 0;
}

void Impresora::PaintPicture(const QImage& dibujo, double x, double y) {
  PaintPicture(dibujo, x, y, twips_x(dibujo.width()), twips_y(dibujo.height()));
}

void Impresora::PaintPicture(const QImage& dibujo, double x, double y, double ancho, double alto) {
  salida();
  imagen(x, y, ancho, alto, dibujo);
}

namespace {
std::unique_ptr<Impresora> impresora_actual;
}

Impresora& Printer() {
  if (!impresora_actual) impresora_actual = std::make_unique<ImpresoraSistema>();
  return *impresora_actual;
}

void fijar_impresora(std::unique_ptr<Impresora> impresora) { impresora_actual = std::move(impresora); }

// ---- the print queue ------------------------------------------------------------------

namespace {

std::atomic<int> limite{20000};  // ms a print server is awaited at each call

// The CUPS server's queues: the server of CUPS_SERVER or the client
// configuration, the machine's own otherwise. The CUPS library is loaded
// when a job first asks for the printer, not with the program: the security
// libraries it brings set themselves up as they load, which the program has
// no need of until it prints. Without the library there is no printer.
// Every call opens a connection of its own, whose waits for the server end
// once the call is abandoned.
class ColaCups : public ColaImpresion {
 public:
  Destino destino(const std::atomic<bool>& abandonada) override {
    if (!cargar()) return {};
    Conexion c(*this, abandonada);
    if (c.http == nullptr) return {{}, c.error};
    cups_dest_t* d = GetNamedDest(c.http, nullptr, nullptr);
    if (d == nullptr) {
      // The server says it has no default printer, or it did not answer.
      if (LastError() == IPP_STATUS_ERROR_NOT_FOUND) return {};
      return {{}, servidor() + ": " + QString::fromUtf8(LastErrorString())};
    }
    const QString nombre = QString::fromUtf8(d->name);
    FreeDests(1, d);
    return {nombre, {}};
  }

  // The job is sent in steps, so that a call given up never completes it:
  // a server that comes back after the caller has kept the job elsewhere
  // does not print it as well. (The library's own look-ups may wait on a
  // connection of their own, without the time limit; the call then ends late.)
  QString enviar(const QString& impresora, const QString& fichero, const QString& titulo, int papel,
                 const std::atomic<bool>& abandonada) override {
    if (!cargar()) return error_carga_;
    QFile datos(fichero);
    if (!datos.open(QIODevice::ReadOnly)) return datos.errorString();
    Conexion c(*this, abandonada);
    if (c.http == nullptr) return c.error;
    const QByteArray nombre = impresora.toUtf8();
    const QByteArray nombre_trabajo = titulo.toUtf8();
    // The printer's own defaults (as lp takes them), on the job's paper.
    int n = 0;
    cups_option_t* opciones = nullptr;
    if (cups_dest_t* d = GetNamedDest(c.http, nombre.constData(), nullptr)) {
      for (int i = 0; i < d->num_options; ++i) n = AddOption(d->options[i].name, d->options[i].value, n, &opciones);
      FreeDests(1, d);
    }
    n = AddOption("media", papel == 1 ? "Letter" : "A4", n, &opciones);
    const int trabajo = abandonada ? 0 : CreateJob(c.http, nombre.constData(), nombre_trabajo.constData(), n, opciones);
    FreeOptions(n, opciones);
    if (abandonada) {
      if (trabajo != 0) CancelJob2(c.http, nombre.constData(), trabajo, 0);
      return QStringLiteral("abandoned");
    }
    if (trabajo == 0) return QString::fromUtf8(LastErrorString());
    // A document left unfinished is aborted by the server when the
    // connection closes.
    if (StartDocument(c.http, nombre.constData(), trabajo, nombre_trabajo.constData(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE)
      return QString::fromUtf8(LastErrorString());
    while (!datos.atEnd()) {
      const QByteArray trozo = datos.read(64 << 10);
      if (abandonada) return QStringLiteral("abandoned");
      if (trozo.isEmpty()) return datos.errorString();
      if (WriteRequestData(c.http, trozo.constData(), static_cast<size_t>(trozo.size())) != HTTP_STATUS_CONTINUE)
        return QString::fromUtf8(LastErrorString());
    }
    if (abandonada) return QStringLiteral("abandoned");
    if (FinishDocument(c.http, nombre.constData()) >= IPP_STATUS_REDIRECTION_OTHER_SITE)
      return QString::fromUtf8(LastErrorString());
    return {};
  }

  QString servidor() override {
    if (!cargar()) return {};
    const QString nombre = QString::fromUtf8(Server());
    if (nombre.startsWith('/')) return nombre;  // the machine's own socket
    return nombre + ':' + QString::number(IppPort());
  }

 private:
  // A connection to the server whose waits go on while the call is not
  // abandoned.
  struct Conexion {
    http_t* http = nullptr;
    QString error;
    ColaCups& cola;
    Conexion(ColaCups& c, const std::atomic<bool>& abandonada) : cola(c) {
      http = c.Connect2(c.Server(), c.IppPort(), nullptr, AF_UNSPEC, c.Encryption(), 1, limite, nullptr);
      if (http == nullptr) {
        error = c.servidor() + ": " + QString::fromUtf8(c.LastErrorString());
        return;
      }
      c.SetTimeout(http, 1.0, &Conexion::seguir_esperando, const_cast<std::atomic<bool>*>(&abandonada));
    }
    ~Conexion() {
      if (http != nullptr) cola.Close(http);
    }
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;
    static int seguir_esperando(http_t*, void* abandonada) {
      return static_cast<const std::atomic<bool>*>(abandonada)->load() ? 0 : 1;
    }
  };

  template <class F>
  bool resolver(F& funcion, const char* nombre) {
    funcion = reinterpret_cast<F>(biblioteca_.resolve(nombre));
    return funcion != nullptr;
  }

  bool cargar() {
    std::call_once(carga_, [this] {
      cargada_ = biblioteca_.load() && resolver(GetNamedDest, "cupsGetNamedDest") &&
                 resolver(FreeDests, "cupsFreeDests") && resolver(AddOption, "cupsAddOption") &&
                 resolver(FreeOptions, "cupsFreeOptions") && resolver(CreateJob, "cupsCreateJob") &&
                 resolver(StartDocument, "cupsStartDocument") &&
                 resolver(WriteRequestData, "cupsWriteRequestData") &&
                 resolver(FinishDocument, "cupsFinishDocument") && resolver(CancelJob2, "cupsCancelJob2") &&
                 resolver(LastError, "cupsLastError") && resolver(LastErrorString, "cupsLastErrorString") &&
                 resolver(Connect2, "httpConnect2") && resolver(Close, "httpClose") &&
                 resolver(SetTimeout, "httpSetTimeout") && resolver(Server, "cupsServer") &&
                 resolver(IppPort, "ippPort") && resolver(Encryption, "cupsEncryption");
      if (!cargada_) error_carga_ = biblioteca_.errorString();
    });
    return cargada_;
  }

  QLibrary biblioteca_{QStringLiteral("cups"), 2};
  std::once_flag carga_;
  bool cargada_ = false;
  QString error_carga_;
  decltype(&cupsGetNamedDest) GetNamedDest = nullptr;
  decltype(&cupsFreeDests) FreeDests = nullptr;
  decltype(&cupsAddOption) AddOption = nullptr;
  decltype(&cupsFreeOptions) FreeOptions = nullptr;
  decltype(&cupsCreateJob) CreateJob = nullptr;
  decltype(&cupsStartDocument) StartDocument = nullptr;
  decltype(&cupsWriteRequestData) WriteRequestData = nullptr;
  decltype(&cupsFinishDocument) FinishDocument = nullptr;
  decltype(&cupsCancelJob2) CancelJob2 = nullptr;
  decltype(&cupsLastError) LastError = nullptr;
  decltype(&cupsLastErrorString) LastErrorString = nullptr;
  decltype(&httpConnect2) Connect2 = nullptr;
  decltype(&httpClose) Close = nullptr;
  decltype(&httpSetTimeout) SetTimeout = nullptr;
  decltype(&cupsServer) Server = nullptr;
  decltype(&ippPort) IppPort = nullptr;
  decltype(&cupsEncryption) Encryption = nullptr;
};

std::shared_ptr<ColaImpresion> cola_actual;

// What a call to the print queue gives back: a value (the printer's name)
// or why not.
struct Respuesta {
  QString valor;
  QString error;
};

// A call to the print queue made on a thread of its own, shared by the
// thread and its caller.
struct Llamada {
  std::mutex cerrojo;
  bool hecha = false;
  Respuesta respuesta;
  std::atomic<bool> abandonada{false};
};

// Makes the call on a thread of its own and waits for it in `progreso`.
// A call given up (cancelled, or the server took too long) is left to end by
// itself: it holds what it uses (the queue, the job's file) until then, and
// lets go of it before it says it is done. The program may end meanwhile.
Progreso::Espera en_otro_hilo(std::function<Respuesta(const std::atomic<bool>&)> funcion, Respuesta& respuesta,
                              Progreso& progreso, const QString& texto) {
  auto llamada = std::make_shared<Llamada>();
  try {
    std::thread([llamada, funcion = std::move(funcion)]() mutable {
      Respuesta r = funcion(llamada->abandonada);
      funcion = nullptr;
      const std::lock_guard<std::mutex> cerrado(llamada->cerrojo);
      llamada->respuesta = std::move(r);
      llamada->hecha = true;
    }).detach();
  } catch (const std::system_error& e) {
    respuesta = {{}, QString::fromLocal8Bit(e.what())};
    return Progreso::Espera::Lista;
  }
  const Progreso::Espera fin = progreso.esperar(
      texto,
      [&] {
        const std::lock_guard<std::mutex> cerrado(llamada->cerrojo);
        return llamada->hecha;
      },
      limite);
  if (fin == Progreso::Espera::Lista) {
    const std::lock_guard<std::mutex> cerrado(llamada->cerrojo);
    respuesta = std::move(llamada->respuesta);
  } else {
    llamada->abandonada = true;
  }
  return fin;
}

}  // namespace

std::shared_ptr<ColaImpresion> cola_impresion() {
  if (!cola_actual) cola_actual = std::make_shared<ColaCups>();
  return cola_actual;
}

void fijar_cola_impresion(std::unique_ptr<ColaImpresion> cola) { cola_actual = std::move(cola); }

// ---- the system's printer -----------------------------------------------------------

namespace {
// The file of a printer's job, removed once neither the job nor a call to
// the queue holds it.
struct FicheroTrabajo {
  QString ruta;
  ~FicheroTrabajo() { QFile::remove(ruta); }
};
}  // namespace

struct ImpresoraSistema::Trabajo {
  QString impresora;                         // the printer's name; "" for the program folder's PDF
  FinTrabajo::Causa causa = FinTrabajo::SinImpresora;  // why the job goes to the program folder's PDF
  QString motivo;                            // and what the server said
  bool cancelado = false;                    // the user cancelled while the server was awaited
  std::shared_ptr<FicheroTrabajo> fichero;   // a printer's job, until the queue has it
  std::unique_ptr<QTemporaryFile> temporal;  // its writer
  std::unique_ptr<QSaveFile> pdf;            // the program folder's PDF, under a temporary name until committed
  std::unique_ptr<QBuffer> nada;             // a cancelled job: painted nowhere
  std::unique_ptr<QPdfWriter> escritor;
  QPainter pintor;
  bool fallo = false;

  QPagedPaintDevice& dispositivo() { return *escritor; }
  double ppp() { return dispositivo().logicalDpiX(); }
  double a_pixeles(double twips) { return twips * ppp() / 1440.0; }
  double a_twips(double pixeles) { return pixeles * 1440.0 / ppp(); }
  bool empezar() {
    if (!fallo && !pintor.isActive()) fallo = !pintor.begin(&dispositivo());
    return !fallo;
  }
};

ImpresoraSistema::ImpresoraSistema(bool siempre_pdf) : siempre_pdf_(siempre_pdf) {}
ImpresoraSistema::~ImpresoraSistema() = default;

QString ImpresoraSistema::fichero_pdf() { return App::en_carpeta(QStringLiteral("impresion.pdf")); }

int ImpresoraSistema::limite_servidor() { return limite; }
void ImpresoraSistema::fijar_limite_servidor(int milisegundos) { limite = milisegundos; }

// The default printer, asked of the queue on a thread of its own: a server
// that cannot be asked, or does not answer in time, sends the job to the
// program folder's PDF, and the user learns why at the end.
void ImpresoraSistema::buscar_impresora(Trabajo& t) {
  std::shared_ptr<ColaImpresion> cola = cola_impresion();
  std::optional<Progreso> propio;
  Progreso& progreso = progreso_ != nullptr ? *progreso_ : propio.emplace(App::Title, QString());
  Respuesta r;
  const auto fin = en_otro_hilo(
      [cola](const std::atomic<bool>& abandonada) {
        ColaImpresion::Destino d = cola->destino(abandonada);
        return Respuesta{d.nombre, d.error};
      },
      r, progreso, texto_espera_);
  if (fin == Progreso::Espera::Cancelada) {
    t.cancelado = true;
  } else if (fin == Progreso::Espera::Agotada) {
    t.causa = FinTrabajo::SinRespuesta;
    t.motivo = cola->servidor();
  } else if (!r.error.isEmpty()) {
    t.causa = FinTrabajo::SinConexion;
    t.motivo = r.error;
  } else {
    t.impresora = r.valor;
  }
}

ImpresoraSistema::Trabajo& ImpresoraSistema::trabajo() {
  if (!trabajo_) {
    trabajo_ = std::make_unique<Trabajo>();
    Trabajo& t = *trabajo_;
    if (!siempre_pdf_) buscar_impresora(t);
    QIODevice* salida = nullptr;
    if (t.cancelado) {
      t.nada = std::make_unique<QBuffer>();
      t.nada->open(QIODevice::WriteOnly);
      t.fallo = true;
      salida = t.nada.get();
    } else if (!t.impresora.isEmpty()) {
      // The job's file lasts as long as the job or a call to the queue that
      // holds it, whichever ends last.
      t.temporal = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("tarvo-impresion-XXXXXX.pdf")));
      t.temporal->setAutoRemove(false);
      if (t.temporal->open()) {
        t.fichero = std::make_shared<FicheroTrabajo>();
        t.fichero->ruta = t.temporal->fileName();
      } else {
        t.fallo = true;
      }
      salida = t.temporal.get();
    } else {
      t.pdf = std::make_unique<QSaveFile>(resolver_nombre(fichero_pdf()));
      if (!t.pdf->open(QIODevice::WriteOnly)) t.fallo = true;
      salida = t.pdf.get();
    }
    // A file that cannot be created fails the job, which then paints nothing.
    t.escritor = std::make_unique<QPdfWriter>(salida);
    t.escritor->setResolution(1200);
    t.escritor->setCreator(App::Title);
    t.escritor->setTitle(App::Title);
    // A printer's usual unprintable edge.
    t.escritor->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
  }
  // The paper is set up until the job's first output.
  if (!trabajo_->pintor.isActive()) {
    const QPageSize papel(PaperSize() == 1 ? QPageSize::Letter : QPageSize::A4);
    if (trabajo_->dispositivo().pageLayout().pageSize() != papel) trabajo_->dispositivo().setPageSize(papel);
  }
  return *trabajo_;
}
double ImpresoraSistema::ScaleWidth() const {
  auto& t = const_cast<ImpresoraSistema*>(this)->trabajo();
  return t.dispositivo().pageLayout().paintRect(QPageLayout::Point).width() * 20.0;
}

double ImpresoraSistema::ScaleHeight() const {
  auto& t = const_cast<ImpresoraSistema*>(this)->trabajo();
  return t.dispositivo().pageLayout().paintRect(QPageLayout::Point).height() * 20.0;
}

double ImpresoraSistema::TextWidth(const QString& t) const {
  auto& tr = const_cast<ImpresoraSistema*>(this)->trabajo();
  return tr.a_twips(QFontMetricsF(Font(), &tr.dispositivo()).horizontalAdvance(t));
}

double ImpresoraSistema::TextHeight(const QString&) const {
  auto& tr = const_cast<ImpresoraSistema*>(this)->trabajo();
  return tr.a_twips(QFontMetricsF(Font(), &tr.dispositivo()).height());
}

void ImpresoraSistema::texto(double x, double y, const QString& t) {
  Trabajo& tr = trabajo();
  if (!tr.empezar()) return;
  const QFont letra(Font(), &tr.dispositivo());
  tr.pintor.setFont(letra);
  tr.pintor.setPen(Qt::black);
  const QFontMetricsF m(letra, &tr.dispositivo());
  tr.pintor.drawText(QPointF(tr.a_pixeles(x), tr.a_pixeles(y) + m.ascent()), t);
}

void ImpresoraSistema::imagen(double x, double y, double ancho, double alto, const QImage& dibujo) {
  Trabajo& tr = trabajo();
  if (!tr.empezar()) return;
  tr.pintor.drawImage(QRectF(tr.a_pixeles(x), tr.a_pixeles(y), tr.a_pixeles(ancho), tr.a_pixeles(alto)), dibujo);
}

void ImpresoraSistema::pagina_siguiente() {
  Trabajo& tr = trabajo();
  if (!tr.empezar()) return;
  tr.fallo = !tr.dispositivo().newPage();
}

FinTrabajo ImpresoraSistema::fin_trabajo() {
  FinTrabajo fin;
  if (!trabajo_) return fin;
  std::unique_ptr<Trabajo> tr = std::move(trabajo_);
  const bool pintado = tr->pintor.isActive();
  if (pintado) tr->pintor.end();
  tr->escritor.reset();  // completes the PDF
  if (tr->cancelado) {
    fin.estado = FinTrabajo::Abandonado;
    return fin;
  }
  if (tr->temporal) {
    // The whole job, every page of it, goes to the queue as one file.
    fin.destino = tr->impresora;
    const bool completo = pintado && !tr->fallo && tr->temporal->flush();
    tr->temporal->close();
    if (!completo) {
      fin.estado = FinTrabajo::Fallo;
      return fin;
    }
    enviar(*tr, fin);
    return fin;
  }
  fin.destino = tr->pdf->fileName();
  fin.causa = tr->causa;
  // Nothing painted, or the file failed: the former file stays. The commit
  // alone would not see a write that failed as the buffer was flushed (a
  // full disk), and would put a cut file in place.
  if (!pintado || tr->fallo || !tr->pdf->flush() || !tr->pdf->commit()) {
    tr->pdf->cancelWriting();
    fin.estado = FinTrabajo::Fallo;
    return fin;
  }
  fin.estado = FinTrabajo::EnFichero;
  fin.motivo = tr->motivo;
  return fin;
}

// Hands the complete job to the queue, on a thread of its own. A server that
// does not answer in time leaves the job in the program folder's PDF; a job
// cancelled meanwhile goes nowhere, unless the server has taken it already.
void ImpresoraSistema::enviar(Trabajo& t, FinTrabajo& fin) {
  std::shared_ptr<ColaImpresion> cola = cola_impresion();
  std::optional<Progreso> propio;
  Progreso& progreso = progreso_ != nullptr ? *progreso_ : propio.emplace(App::Title, QString());
  Respuesta r;
  const auto espera = en_otro_hilo(
      [cola, fichero = t.fichero, impresora = t.impresora, titulo = App::Title,
       papel = PaperSize()](const std::atomic<bool>& abandonada) {
        return Respuesta{{}, cola->enviar(impresora, fichero->ruta, titulo, papel, abandonada)};
      },
      r, progreso, texto_espera_);
  if (espera == Progreso::Espera::Cancelada) {
    fin.estado = FinTrabajo::Abandonado;
  } else if (espera == Progreso::Espera::Agotada) {
    fin.causa = FinTrabajo::SinRespuesta;
    guardar_en_pdf(t, fin);
    if (fin.estado == FinTrabajo::EnFichero) fin.motivo = cola->servidor();
  } else if (!r.error.isEmpty()) {
    fin.estado = FinTrabajo::Fallo;
    fin.motivo = r.error;
  }
}

void ImpresoraSistema::guardar_en_pdf(Trabajo& t, FinTrabajo& fin) {
  QFile origen(t.fichero->ruta);
  QSaveFile pdf(resolver_nombre(fichero_pdf()));
  fin.destino = pdf.fileName();
  fin.estado = FinTrabajo::Fallo;
  if (!origen.open(QIODevice::ReadOnly)) {
    fin.motivo = origen.errorString();
    return;
  }
  if (!pdf.open(QIODevice::WriteOnly)) {
    fin.motivo = pdf.errorString();
    return;
  }
  while (!origen.atEnd()) {
    const QByteArray trozo = origen.read(1 << 20);
    if (trozo.isEmpty() && origen.error() != QFileDevice::NoError) {
      fin.motivo = origen.errorString();
      pdf.cancelWriting();
      return;
    }
    if (pdf.write(trozo) != trozo.size()) break;
  }
  if (!pdf.flush() || !pdf.commit()) {
    fin.motivo = pdf.errorString();
    pdf.cancelWriting();
    return;
  }
  fin.estado = FinTrabajo::EnFichero;
}

void ImpresoraSistema::abandonar_trabajo() {
  if (!trabajo_) return;
  std::unique_ptr<Trabajo> tr = std::move(trabajo_);
  if (tr->pintor.isActive()) tr->pintor.end();
  tr->escritor.reset();
  if (tr->pdf) tr->pdf->cancelWriting();
  // Nothing reaches the queue: the printer's temporary file goes with the
  // job, and the folder's, uncommitted, with its QSaveFile.
}

// ---- the recording printer -------------------------------------------------------------

double ImpresoraGrabadora::TextWidth(const QString& t) const { return t.size() * Font().pointSizeF() * 12.0; }

double ImpresoraGrabadora::TextHeight(const QString&) const { return Font().pointSizeF() * 24.0; }

ImpresoraGrabadora::Orden ImpresoraGrabadora::orden(Orden::Tipo tipo, double x, double y) const {
  Orden o;
  o.tipo = tipo;
  o.x = x;
  o.y = y;
  o.pagina = pagina_grabada_;
  o.papel = PaperSize();
  return o;
}

void ImpresoraGrabadora::texto(double x, double y, const QString& t) {
  Orden o = orden(Orden::Texto, x, y);
  o.texto = t;
  o.letra = Font();
  ordenes.push_back(std::move(o));
}

void ImpresoraGrabadora::imagen(double x, double y, double ancho, double alto, const QImage& dibujo) {
  Orden o = orden(Orden::Imagen, x, y);
  o.ancho = ancho;
  o.alto = alto;
  o.imagen = dibujo;
  ordenes.push_back(std::move(o));
}

void ImpresoraGrabadora::pagina_siguiente() {
  ++pagina_grabada_;
  ordenes.push_back(orden(Orden::Pagina, 0, 0));
}

FinTrabajo ImpresoraGrabadora::fin_trabajo() {
  ordenes.push_back(orden(Orden::Fin, 0, 0));
  pagina_grabada_ = 1;
  return {};
}

void ImpresoraGrabadora::abandonar_trabajo() {
  ordenes.push_back(orden(Orden::Abandono, 0, 0));
  pagina_grabada_ = 1;
}

}  // namespace plataforma
