#include "grafica_comun.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QtTest>

#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/impresora.hpp"
#include "platform/texto1252.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

namespace prueba {

namespace {
QString numero(double v) { return QString::number(v, 'g', 17); }
}  // namespace

QByteArray grafica(const std::vector<Curva>& curvas, const QString& fin, const QStringList& cabecera) {
  QStringList l;
  for (const QString& c : cabecera) l << "  " + c;
  for (const Curva& c : curvas) {
    l << "  " + c.leyenda;
    l << "  " + numero(c.leyenda_x) + "  " + numero(c.leyenda_y);
    QString codigos = "  " + QString::number(c.npuntos.value_or(static_cast<int>(c.puntos.size()))) + "  " +
                      QString::number(c.marcas) + "  " + QString::number(c.tipo);
    if (c.parametro) codigos += "  " + QString::number(*c.parametro);
    codigos += "  " + QString::number(c.grosor) + "  " + QString::number(c.estilo_trazo) + "  " +
               QString::number(c.color);
    l << codigos;
    for (const QPointF& p : c.puntos) l << "  " + numero(p.x()) + "  " + numero(p.y());
  }
  if (!fin.isEmpty()) l << "  " + fin;
  return plataforma::a_1252(l.join("\r\n") + "\r\n");
}

std::vector<QPointF> serie(int n, double (*f)(int)) {
  std::vector<QPointF> p;
  for (int k = 1; k <= n; ++k) p.emplace_back(k, f != nullptr ? f(k) : k % 7);
  return p;
}

QByteArray idioma_visor() {
  QString texto = "[Idioma]\r\nidioma=English\r\n[English]\r\n";
  for (int k : {10, 11, 113, 120, 121, 122, 123, 126, 201, 202, 203, 204, 205, 258})
    texto += QString::number(k) + "=en" + QString::number(k) + "\r\n";
  return plataforma::a_1252(texto);
}

void limpiar_visor() {
  frmgraficos::destruir();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  using namespace graficos;
  num_curvas = 0;
  comentario_grafico.clear();
  etiqueta_x.clear();
  etiqueta_y.clear();
  minimo_datos = maximo_datos = minimo = maximo = {};
  fichero_grafico.clear();
  textoanterior.clear();
  titulo_grafico.clear();
  nombre_grafico.clear();
  plataforma::fijar_impresora(nullptr);
}

Visor::Visor() {
  limpiar_visor();
  carpeta.idioma(idioma_visor());
  idiomas::idioma_actual = "English";
  plataforma::App::fijar_End([this] { programa_terminado = true; });
}

Visor::~Visor() { limpiar_visor(); }

frmgraficos* Visor::abrir(const QByteArray& fichero, const QString& nombre, const QString& nombre_fichero) {
  carpeta.escribir(nombre_fichero, fichero);
  graficos::fichero_grafico = nombre;
  frmgraficos& w = frmgraficos::instancia();
  w.Show();
  if (!frmgraficos::cargado()) return nullptr;
  if (!QTest::qWaitForWindowExposed(&w)) qFatal("the graph window is not shown");
  QCoreApplication::processEvents();
  return &w;
}

}  // namespace prueba
