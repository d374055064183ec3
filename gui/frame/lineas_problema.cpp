#include "frame/lineas_problema.hpp"

#include <algorithm>
#include <cmath>

#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/problema_texto.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/mensajes.hpp"
#include "platform/vb.hpp"

namespace lineas_problema {

using idiomas::texto;

namespace {

using problema_texto::Campo;

// The file's own label of a line, then " = ".
QString rotulo(Campo campo, int zona = 0, int indice = 0) {
  return problema_texto::etiqueta({campo, zona, indice}, texto) + " = ";
}

}  // namespace

QString titulo() { return rotulo(Campo::titulo); }
QString masa() { return rotulo(Campo::masa); }
QString base() { return rotulo(Campo::funciones); }
QString zonas() { return rotulo(Campo::zonas); }
QString puntos() { return rotulo(Campo::puntos); }
QString tipo(int i) { return rotulo(Campo::tipo, i); }
QString limite_izquierdo(int i) { return rotulo(Campo::xini, i); }
QString limite_derecho(int i) { return rotulo(Campo::xfin, i); }
QString v0() { return rotulo(Campo::v0); }
QString vertices(int i) { return rotulo(Campo::vertices, i); }
QString vertice_x(int j) { return rotulo(Campo::x, 0, j); }
QString vertice_y(int j) { return rotulo(Campo::v, 0, j); }
QString x0() { return rotulo(Campo::x0); }
QString k(int n) { return rotulo(n == 2 ? Campo::k2 : n == 3 ? Campo::k3 : Campo::k4); }
QString coeficiente(int k) { return rotulo(Campo::coeficiente, 0, k); }

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

bool cabe(const problema_texto::Linea& linea, double valor) {
  if (!std::isfinite(valor)) return false;
  const QString escrito = linea.campo == Campo::tipo ? QString::number(valor, 'f', 0) : real(valor);
  return rotulo(linea.campo, linea.zona, linea.indice).size() + escrito.size() <= caracteres_leidos;
}

void limitar(plataforma::ReglaNumerica& regla, std::function<QString()> etiqueta, Escrito como) {
  regla.admite = [etiqueta = std::move(etiqueta), como](const QString& t) { return cabe(etiqueta(), t, como); };
  regla.rechazo = [] { plataforma::MsgBox(texto(220), plataforma::vbExclamation); };
}

}  // namespace lineas_problema
