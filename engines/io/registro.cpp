#include "io/registro.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace io {

namespace {

std::string asteriscos(int w) { return std::string(static_cast<size_t>(w > 0 ? w : 0), '*'); }

std::string a_la_derecha(std::string s, int w) {
    if (static_cast<int>(s.size()) > w) return asteriscos(w);
    return std::string(static_cast<size_t>(w) - s.size(), ' ') + s;
}

// Drops the optional zero of "0." or "-0." when the text is one too wide.
std::string ajustar_cero(std::string s, int w) {
    if (static_cast<int>(s.size()) <= w) return s;
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s;
}

// The texts of the values that are not numbers.
std::string no_finito(double v, int w) {
    if (std::isnan(v)) return a_la_derecha("NaN", w);
    std::string s = v < 0 ? "-" : "";
    if (static_cast<int>(s.size()) + 8 <= w) return a_la_derecha(s + "Infinity", w);
    return a_la_derecha(s + "Inf", w);
}

} // namespace

Campo blancos(int n) { return Campo(std::string(static_cast<size_t>(n > 0 ? n : 0), ' ')); }

Campo repetir(int n, char c) { return Campo(std::string(static_cast<size_t>(n > 0 ? n : 0), c)); }

Campo I(int w, long long v) { return Campo(a_la_derecha(std::to_string(v), w)); }

Campo F(int w, int d, double v) {
    if (!std::isfinite(v)) return Campo(no_finito(v, w));
    char buf[512];
    // "%#.0f" keeps the point of F w.0, as the notation prints it.
    const int n = std::snprintf(buf, sizeof buf, d == 0 ? "%#.*f" : "%.*f", d, v);
    if (n < 0 || n >= static_cast<int>(sizeof buf)) return Campo(asteriscos(w));
    return Campo(a_la_derecha(ajustar_cero(buf, w), w));
}

Campo E(int w, int d, double v) {
    if (!std::isfinite(v)) return Campo(no_finito(v, w));
    if (d < 1) d = 1;
    std::string digitos;
    int exponente = 0;
    if (v == 0.0) {
        digitos.assign(static_cast<size_t>(d), '0');
    } else {
        // d significant digits, correctly rounded: d.ddde±x becomes 0.dddde±(x+1).
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(v));
        const std::string t(buf);
        const size_t e = t.find('e');
        for (size_t i = 0; i < e; ++i)
            if (t[i] != '.') digitos += t[i];
        exponente = std::atoi(t.c_str() + e + 1) + 1;
    }
    const char signo = exponente < 0 ? '-' : '+';
    const int ae = std::abs(exponente);
    char exp[8];
    if (ae <= 99) std::snprintf(exp, sizeof exp, "E%c%02d", signo, ae);
    else if (ae <= 999) std::snprintf(exp, sizeof exp, "%c%03d", signo, ae);
    else return Campo(asteriscos(w));
    std::string s = std::string(std::signbit(v) && v != 0.0 ? "-" : "") + "0." + digitos + exp;
    return Campo(a_la_derecha(ajustar_cero(s, w), w));
}

Campo A(int w, std::string_view t) {
    if (w <= 0) return Campo(std::string());
    if (static_cast<int>(t.size()) >= w) return Campo(t.substr(0, static_cast<size_t>(w)));
    return Campo(std::string(static_cast<size_t>(w) - t.size(), ' ') + std::string(t));
}

std::string sin_blancos_finales(std::string_view t) {
    size_t n = t.size();
    while (n > 0 && t[n - 1] == ' ') --n;
    return std::string(t.substr(0, n));
}

} // namespace io
