#pragma once
// The curve kinds 2 to 7 drawn on the graph window's plot picture, in its
// user scale, from a curve's own fields.
#include <cstdint>

#include "frame/global.hpp"

namespace plataforma {
class Lienzo;
}

namespace graficos {

void dibuja_spline(plataforma::Lienzo& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                   std::int16_t estilo_trazo, const global::lista_vertices& puntos, std::int32_t color);
void dibuja_polinomio(plataforma::Lienzo& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                      std::int16_t estilo_trazo, const global::lista_vertices& puntos, std::int32_t color);
void dibuja_ajuste(plataforma::Lienzo& pctgrafico, std::int16_t clase, std::int16_t parametro, std::int16_t marcas,
                   std::int16_t npuntos, std::int16_t grosor, std::int16_t estilo_trazo,
                   const global::lista_vertices& puntos, std::int32_t color);
void dibuja_fourier(plataforma::Lienzo& pctgrafico, std::int16_t parametro, std::int16_t marcas, std::int16_t npuntos,
                    std::int16_t grosor, std::int16_t estilo_trazo, const global::lista_vertices& puntos,
                    std::int32_t color);

}  // namespace graficos
