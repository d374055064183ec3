#include "viewer/graficos.hpp"

#include <cmath>

#include "frame/idiomas.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/vb.hpp"
#include "viewer/frmgraficos.hpp"

namespace graficos {

bool escala_grafico(tvertice& minimo, tvertice& maximo) {
  global::estilo = plataforma::vbCritical;
  global::titulo_mensaje = QStringLiteral("Advertencia");
  const double alto = std::fabs(minimo.y - maximo.y);
  const double ancho = std::fabs(minimo.x - maximo.x);
  int clave = 0;
  if (alto == 0)
    clave = 201;
  else if (ancho == 0)
    clave = 202;
  else if (alto > 1e8)
    clave = 203;
  else if (ancho > 1e8)
    clave = 204;
  if (clave != 0) {
    // Two lines: the reason, then that the scale stays as it was.
    global::mensaje = idiomas::texto(clave) + "\n" + idiomas::texto(205);
    global::preguntar();
    return false;
  }
  if (!frmgraficos::cargado()) return false;
  frmgraficos& f = frmgraficos::instancia();
  auto formato = [](double v) { return plataforma::Format(v, u"####0.0000"); };
  f.leyescala_Caption(3, formato(minimo.x));
  f.leyescala_Caption(2, formato(minimo.y));
  f.leyescala_Caption(4, formato(maximo.x));
  f.leyescala_Caption(1, formato(maximo.y));
  plataforma::Lienzo& p = *f.pctgrafico;
  p.setScaleMode(0);
  p.setScaleTop(maximo.y);
  p.setScaleLeft(minimo.x);
  p.setScaleHeight(minimo.y - maximo.y);
  p.setScaleWidth(maximo.x - minimo.x);
  p.Cls();
  return true;
}

}  // namespace graficos
