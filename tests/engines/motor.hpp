#pragma once
// The steps of calculos on a test problem through the library: the problem
// read as calculos reads it, with the test language file, then sampled,
// built and diagonalised.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "calculos/ejecucion.hpp"
#include "calculos/jacobi.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"
#include "ini/mensajes.hpp"
#include "problema/problema.hpp"

namespace prueba {

struct Motor {
    CarpetaTemporal dir;
    std::ostringstream consola;
    ini::Mensajes m;

    Motor();
    problema::Problema leer(const ProblemaPrueba& p, const problema::Reglas& r = problema::reglas_calculos());
    // Samples the potential and builds the matrices.
    calculos::Trabajo construir(const problema::Problema& p);
    // And diagonalises HAM as calculos does.
    calculos::Trabajo calcular(const problema::Problema& p, long limite = calculos::LIMITE_ROTACIONES);
};

// Every element the same double, bit for bit (the sign of a zero included).
::testing::AssertionResult mismos_bits(const problema::Matriz& a, const problema::Matriz& b);
::testing::AssertionResult mismos_bits(const std::vector<double>& a, const std::vector<double>& b);

} // namespace prueba
