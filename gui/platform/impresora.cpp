#include "platform/impresora.hpp"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

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

// ---- the system's printer -----------------------------------------------------------

struct ImpresoraSistema::Trabajo {
  std::unique_ptr<QPrinter> impresora;  // a real printer, or
  std::unique_ptr<QSaveFile> pdf;       // the PDF file, under a temporary name until committed
  std::unique_ptr<QPdfWriter> escritor;
  QPainter pintor;
  bool fallo = false;

  QPagedPaintDevice& dispositivo() {
    if (impresora) return *impresora;
    return *escritor;
  }
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
    if (!siempre_pdf_ && !QPrinterInfo::defaultPrinter().isNull()) {
      trabajo_->impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    } else {
      trabajo_->pdf = std::make_unique<QSaveFile>(resolver_nombre(fichero_pdf()));
      // A file that cannot be created fails the job, which then paints nothing.
      if (!trabajo_->pdf->open(QIODevice::WriteOnly)) trabajo_->fallo = true;
      trabajo_->escritor = std::make_unique<QPdfWriter>(trabajo_->pdf.get());
      trabajo_->escritor->setResolution(1200);
      trabajo_->escritor->setCreator(App::Title);
      // A printer's usual unprintable edge.
      trabajo_->escritor->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    }
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
  if (tr->impresora) {
    fin.destino = tr->impresora->printerName();
    if (tr->fallo || tr->impresora->printerState() == QPrinter::Error) fin.estado = FinTrabajo::Fallo;
    return fin;
  }
  fin.destino = tr->pdf->fileName();
  tr->escritor.reset();  // completes the PDF
  // Nothing painted, or the file failed: the former file stays.
  if (!pintado || tr->fallo || !tr->pdf->commit()) {
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
  if (tr->impresora) tr->impresora->abort();
  if (tr->pdf) tr->pdf->cancelWriting();
  if (tr->pintor.isActive()) tr->pintor.end();
  // The temporary file goes with its QSaveFile, uncommitted.
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
