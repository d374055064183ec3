#include "platform/ayuda.hpp"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStringDecoder>
#include <QTextBrowser>

#include "platform/texto1252.hpp"
#include "platform/twips.hpp"

namespace plataforma {

namespace {
QPointer<QTextBrowser> ventana;
}

QTextBrowser* ventana_ayuda() { return ventana.data(); }

QString mostrar_ayuda(QWidget* dueno, const QString& fichero) {
  QFile f(fichero);
  if (!f.open(QIODevice::ReadOnly)) return f.errorString() + ": " + fichero;
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return f.errorString() + ": " + fichero;

  // The page names its encoding (UTF-8 when it names none); a name that Qt
  // does not know reads as Windows-1252.
  QStringDecoder decodificador = QStringDecoder::decoderForHtml(bytes);
  const QString html = decodificador.isValid() ? QString(decodificador(bytes)) : desde_1252(bytes);

  if (ventana.isNull()) {
    ventana = new QTextBrowser(dueno);
    ventana->setWindowFlag(Qt::Window);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setOpenExternalLinks(true);
    ventana->resize(pixeles_x(9000), pixeles_y(9000));
  }
  ventana->setSearchPaths({QFileInfo(fichero).absolutePath()});
  ventana->setHtml(html);
  ventana->setWindowTitle(ventana->documentTitle().isEmpty() ? QFileInfo(fichero).fileName()
                                                             : ventana->documentTitle());
  ventana->show();
  ventana->raise();
  ventana->activateWindow();
  return QString();
}

}  // namespace plataforma
