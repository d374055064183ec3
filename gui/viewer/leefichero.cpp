// The graph window's reading of its plot file: the file's bytes go through
// the parser, and what it read becomes the graph data and the legend labels.
#include <QLabel>
#include <utility>

#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/grafica_texto.hpp"
#include "viewer/graficos.hpp"

bool frmgraficos::leefichero() {
  using namespace graficos;
  fichero_grafico = plataforma::App::en_carpeta(fichero_grafico);
  QByteArray bytes;
  if (!plataforma::leer_bytes(plataforma::resolver_nombre(fichero_grafico), bytes)) {
    fallo_grave(idiomas::texto(123), QStringLiteral("Error"));
    return false;
  }
  cambia_titulo_grafico();

  grafica_texto::Lectura lectura = grafica_texto::leer(std::move(bytes));
  if (!lectura.leida) {
    // The file cannot be read to its end: the window cannot show it.
    fallo_grave(idiomas::texto(123), QStringLiteral("Error"));
    return false;
  }
  grafica_texto::Grafica& g = lectura.grafica;
  comentario_grafico = g.comentario;
  etiqueta_x = g.etiqueta_x;
  etiqueta_y = g.etiqueta_y;
  int c = 0;
  for (tcurva& leida : g.curvas) {
    ++c;
    if (c > 1) nueva_leyenda();
    tcurva& curva = curvas(c);
    // A curve without parametro keeps the one its slot held.
    const std::int16_t parametro = curva.parametro;
    curva = std::move(leida);
    if (curva.tipo <= 3) curva.parametro = parametro;
  }
  num_curvas = static_cast<std::int16_t>(c);
  return true;
}
