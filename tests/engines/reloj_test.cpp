#include <gtest/gtest.h>

#include "calculos/reloj.hpp"

using calculos::Hora;
using calculos::tiempo_transcurrido;

namespace {

TEST(TiempoTranscurrido, BorrowsAndCountsPastMidnight) {
    struct Caso {
        Hora inicio, fin;
        int horas, minutos;
        double segundos;
    } casos[] = {
        {{10, 0, 0, 0}, {10, 0, 5, 50}, 0, 0, 5.5},
        {{10, 59, 50, 0}, {11, 0, 10, 0}, 0, 0, 20.0},     // a second borrow
        {{10, 30, 50, 0}, {11, 0, 10, 0}, 0, 29, 20.0},
        {{10, 59, 59, 0}, {11, 0, 0, 0}, 0, 0, 1.0},       // seconds then minutes borrow
        {{10, 0, 30, 0}, {12, 0, 10, 0}, 1, 59, 40.0},     // minutes borrow an hour
        {{23, 59, 0, 0}, {0, 1, 0, 0}, 0, 2, 0.0},         // past midnight
        {{23, 0, 0, 0}, {1, 0, 0, 0}, 2, 0, 0.0},
        // the hundredths lower the seconds without a further borrow
        {{10, 0, 0, 90}, {10, 0, 1, 10}, 0, 0, 0.2},
        {{10, 0, 0, 99}, {10, 0, 0, 0}, 0, 0, -0.99},
    };
    for (const auto& c : casos) {
        const auto t = tiempo_transcurrido(c.inicio, c.fin);
        EXPECT_EQ(t.horas, c.horas);
        EXPECT_EQ(t.minutos, c.minutos);
        EXPECT_DOUBLE_EQ(t.segundos, c.segundos);
    }
}

} // namespace
