#include "platform/ayuda.hpp"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStringDecoder>
#include <QTextBrowser>

#include "platform/ficheros.hpp"
#include "platform/texto1252.hpp"
#include "platform/twips.hpp"

namespace plataforma {

namespace {
QPointer<QTextBrowser> ventana;
}

QTextBrowser* ventana_ayuda() { return ventana.data(); }

QRect lugar_de_ayuda(const QRect& disponible, QSize tam) {
  if (disponible.isEmpty()) return QRect(QPoint(0, 0), tam);
  // Room for the window manager's frame: a title bar and a border.
  constexpr int titulo = 40, borde = 8;
  const QSize marco(2 * borde, titulo + borde);
  tam = tam.boundedTo(disponible.size() - marco);
  const QPoint esquina(disponible.x() + (disponible.width() - tam.width() - marco.width()) / 2 + borde,
                       disponible.y() + (disponible.height() - tam.height() - marco.height()) / 2 + titulo);
  return QRect(esquina, tam);
}

QString mostrar_ayuda(QWidget* dueno, const QString& fichero) {
  // Read without waiting on what is no regular file (a named pipe).
  QByteArray bytes;
  QString motivo;
  if (!leer_bytes(fichero, bytes, &motivo)) return motivo + ": " + fichero;

  // The page names its encoding (UTF-8 when it names none); a name that Qt
  // does not know reads as Windows-1252.
  QStringDecoder decodificador = QStringDecoder::decoderForHtml(bytes);
  const QString html = decodificador.isValid() ? QString(decodificador(bytes)) : desde_1252(bytes);

  if (ventana.isNull()) {
    // A window of its owner, kept in front of it; no minimise button, since
    // the window manager minimises an owned window with its owner.
    ventana = new QTextBrowser(dueno);
    ventana->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setOpenExternalLinks(true);
    const QScreen* pantalla = dueno != nullptr && dueno->screen() != nullptr ? dueno->screen()
                                                                             : QGuiApplication::primaryScreen();
    ventana->setGeometry(lugar_de_ayuda(pantalla != nullptr ? pantalla->availableGeometry() : QRect(),
                                        QSize(pixeles_x(9000), pixeles_y(9000))));
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
