#include "frame/lineas_problema.hpp"

#include <algorithm>
#include <cmath>

#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/mensajes.hpp"
#include "platform/vb.hpp"

namespace lineas_problema {

using idiomas::texto;

namespace {

QString con_numero(int clave, int i) { return texto(clave) + " " + QString::number(i) + " = "; }
QString con_indice(int clave, int j) { return texto(clave) + "(" + QString::number(j) + ") = "; }

}  // namespace

QString titulo() { return texto(46) + " = "; }
QString masa() { return texto(47) + " (u.a.) = "; }
QString base() { return texto(48) + " = "; }
QString zonas() { return texto(49) + " = "; }
QString puntos() { return texto(50) + " = "; }
QString tipo(int i) { return con_numero(52, i); }
QString limite_izquierdo(int i) { return con_numero(53, i); }
QString limite_derecho(int i) { return con_numero(54, i); }
QString v0() { return texto(55) + " = "; }
QString vertices(int i) { return con_numero(56, i); }
QString vertice_x(int j) { return con_indice(57, j); }
QString vertice_y(int j) { return con_indice(58, j); }
QString x0() { return texto(59) + " = "; }
QString k(int n) { return texto(58 + n) + " = "; }
QString coeficiente(int k) { return con_indice(63, k); }

QString mas_larga(std::initializer_list<QString> etiquetas) {
  QString larga;
  for (const QString& e : etiquetas)
    if (e.size() > larga.size()) larga = e;
  return larga;
}

QString limite() {
  int vertices = 10;
  for (const global::tzona& z : global::zonas) vertices = std::max<int>(vertices, z.nvertices);
  return mas_larga({limite_izquierdo(10), limite_derecho(10), vertice_x(vertices)});
}

QString real(double valor) { return plataforma::Format(valor, u"####0.000"); }

bool cabe(const QString& etiqueta, const QString& texto, Escrito como) {
  const double valor = plataforma::Val(texto);
  if (!std::isfinite(valor)) return false;
  const qsizetype largo = como == Escrito::real ? real(valor).size() : texto.size();
  return etiqueta.size() + largo <= caracteres_leidos;
}

void limitar(plataforma::ReglaNumerica& regla, std::function<QString()> etiqueta, Escrito como) {
  regla.admite = [etiqueta = std::move(etiqueta), como](const QString& t) { return cabe(etiqueta(), t, como); };
  regla.rechazo = [] { plataforma::MsgBox(texto(220), plataforma::vbExclamation); };
}

}  // namespace lineas_problema
