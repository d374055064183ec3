#include "frame/lineas_problema.hpp"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <memory>

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

// The longest label of a line under the current language and every
// language of the language file, then " = ". The file is read afresh, as
// every text is.
QString rotulo(Campo campo, int zona = 0, int indice = 0) {
  const problema_texto::Linea linea{campo, zona, indice};
  QString larga = problema_texto::etiqueta(linea, texto);
  QStringList lenguas;
  idiomas::leersecciones(idiomas::fichero_idioma, lenguas);
  for (const QString& lengua : lenguas) {
    const QString e = problema_texto::etiqueta(linea, [&lengua](int clave) {
      return idiomas::leervalor(idiomas::fichero_idioma, lengua, QString::number(clave));
    });
    if (e.size() > larga.size()) larga = e;
  }
  return larga + " = ";
}

// The number the engines take from a count's text, its first item,
// truncated toward zero (an infinity for one beyond a double).
double recuento(const QString& texto) {
  double n = 0;
  QString item;
  if (!problema_texto::numero(QStringView(texto), n, &item)) n = plataforma::Val(item);
  return std::trunc(n);
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

QString real(double valor) { return problema_texto::real(valor); }

int rechazo(const QString& etiqueta, const QString& texto, Escrito como) {
  if (como == Escrito::recuento) {
    const double n = recuento(texto);
    if (!(n >= -recuento_maximo - 1 && n <= recuento_maximo)) return 226;
  }
  const double valor = plataforma::Val(texto);
  if (!std::isfinite(valor)) return 220;
  const qsizetype largo = como == Escrito::real ? real(valor).size() : texto.size();
  return etiqueta.size() + largo <= caracteres_leidos ? 0 : 220;
}

bool cabe(const QString& etiqueta, const QString& texto, Escrito como) { return rechazo(etiqueta, texto, como) == 0; }

bool cabe(const problema_texto::Linea& linea, double valor) {
  if (!std::isfinite(valor)) return false;
  const QString escrito = linea.campo == Campo::tipo ? QString::number(valor, 'f', 0) : real(valor);
  return rotulo(linea.campo, linea.zona, linea.indice).size() + escrito.size() <= caracteres_leidos;
}

bool cabe(const problema_texto::Linea& linea, const QString& texto) {
  return rotulo(linea.campo, linea.zona, linea.indice).size() + texto.size() <= caracteres_leidos;
}

void limitar(plataforma::ReglaNumerica& regla, std::function<QString()> etiqueta, Escrito como) {
  // The box asks admite, then undoes the number and calls rechazo.
  auto motivo = std::make_shared<int>(220);
  regla.admite = [etiqueta = std::move(etiqueta), como, motivo](const QString& t) {
    *motivo = rechazo(etiqueta(), t, como);
    return *motivo == 0;
  };
  regla.rechazo = [motivo] { plataforma::MsgBox(texto(*motivo), plataforma::vbExclamation); };
}

}  // namespace lineas_problema
