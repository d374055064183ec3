#include "platform/impresora.hpp"

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

#include "platform/app.hpp"
#include "platform/ficheros.hpp"
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

// The CUPS server's queues: the server of CUPS_SERVER or the client
// configuration, the machine's own otherwise. The CUPS library is loaded
// when a job first asks for the printer, not with the program: the security
// libraries it brings set themselves up as they load, which the program has
// no need of until it prints. Without the library there is no printer.
class ColaCups : public ColaImpresion {
 public:
  QString destino() override {
    if (!cargar()) return {};
    cups_dest_t* d = GetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (d == nullptr) return {};
    const QString nombre = QString::fromUtf8(d->name);
    FreeDests(1, d);
    return nombre;
  }

  QString enviar(const QString& impresora, const QString& fichero, const QString& titulo, int papel) override {
    if (!cargar()) return biblioteca_.errorString();
    const QByteArray nombre = impresora.toUtf8();
    // The printer's own defaults (as lp takes them), on the job's paper.
    int n = 0;
    cups_option_t* opciones = nullptr;
    if (cups_dest_t* d = GetNamedDest(CUPS_HTTP_DEFAULT, nombre.constData(), nullptr)) {
      for (int i = 0; i < d->num_options; ++i) n = AddOption(d->options[i].name, d->options[i].value, n, &opciones);
      FreeDests(1, d);
    }
    n = AddOption("media", papel == 1 ? "Letter" : "A4", n, &opciones);
    const int trabajo = PrintFile(nombre.constData(), QFile::encodeName(fichero).constData(),
                                  titulo.toUtf8().constData(), n, opciones);
    FreeOptions(n, opciones);
    if (trabajo == 0) return QString::fromUtf8(LastErrorString());
    return {};
  }

 private:
  template <class F>
  bool resolver(F& funcion, const char* nombre) {
    funcion = reinterpret_cast<F>(biblioteca_.resolve(nombre));
    return funcion != nullptr;
  }

  bool cargar() {
    if (!intentado_) {
      intentado_ = true;
      cargada_ = biblioteca_.load() && resolver(GetNamedDest, "cupsGetNamedDest") &&
                 resolver(FreeDests, "cupsFreeDests") && resolver(AddOption, "cupsAddOption") &&
                 resolver(FreeOptions, "cupsFreeOptions") && resolver(PrintFile, "cupsPrintFile") &&
                 resolver(LastErrorString, "cupsLastErrorString");
    }
    return cargada_;
  }

  QLibrary biblioteca_{QStringLiteral("cups"), 2};
  bool intentado_ = false, cargada_ = false;
  decltype(&cupsGetNamedDest) GetNamedDest = nullptr;
  decltype(&cupsFreeDests) FreeDests = nullptr;
  decltype(&cupsAddOption) AddOption = nullptr;
  decltype(&cupsFreeOptions) FreeOptions = nullptr;
  decltype(&cupsPrintFile) PrintFile = nullptr;
  decltype(&cupsLastErrorString) LastErrorString = nullptr;
};

std::unique_ptr<ColaImpresion> cola_actual;

}  // namespace

ColaImpresion& cola_impresion() {
  if (!cola_actual) cola_actual = std::make_unique<ColaCups>();
  return *cola_actual;
}

void fijar_cola_impresion(std::unique_ptr<ColaImpresion> cola) { cola_actual = std::move(cola); }

// ---- the system's printer -----------------------------------------------------------

struct ImpresoraSistema::Trabajo {
  QString impresora;                         // the printer's name; "" for the program folder's PDF
  std::unique_ptr<QTemporaryFile> temporal;  // a printer's job, until the queue has it
  std::unique_ptr<QSaveFile> pdf;            // the program folder's PDF, under a temporary name until committed
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

ImpresoraSistema::Trabajo& ImpresoraSistema::trabajo() {
  if (!trabajo_) {
    trabajo_ = std::make_unique<Trabajo>();
    Trabajo& t = *trabajo_;
    if (!siempre_pdf_) t.impresora = cola_impresion().destino();
    QIODevice* salida = nullptr;
    if (!t.impresora.isEmpty()) {
      t.temporal = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("tarvo-impresion-XXXXXX.pdf")));
      if (!t.temporal->open()) t.fallo = true;
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
  if (tr->temporal) {
    // The whole job, every page of it, goes to the queue as one file; the
    // temporary file goes with its QTemporaryFile.
    fin.destino = tr->impresora;
    if (!pintado || tr->fallo || !tr->temporal->flush()) {
      fin.estado = FinTrabajo::Fallo;
      return fin;
    }
    fin.motivo = cola_impresion().enviar(tr->impresora, tr->temporal->fileName(), App::Title, PaperSize());
    if (!fin.motivo.isEmpty()) fin.estado = FinTrabajo::Fallo;
    return fin;
  }
  fin.destino = tr->pdf->fileName();
  // Nothing painted, or the file failed: the former file stays. The commit
  // alone would not see a write that failed as the buffer was flushed (a
  // full disk), and would put a cut file in place.
  if (!pintado || tr->fallo || !tr->pdf->flush() || !tr->pdf->commit()) {
    tr->pdf->cancelWriting();
    fin.estado = FinTrabajo::Fallo;
    return fin;
  }
  fin.estado = FinTrabajo::EnFichero;
  return fin;
}

void ImpresoraSistema::abandonar_trabajo() {
  if (!trabajo_) return;
  std::unique_ptr<Trabajo> tr = std::move(trabajo_);
  if (tr->pintor.isActive()) tr->pintor.end();
  tr->escritor.reset();
  if (tr->pdf) tr->pdf->cancelWriting();
  // Nothing reaches the queue: the printer's temporary file goes with its
  // QTemporaryFile, and the folder's, uncommitted, with its QSaveFile.
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
