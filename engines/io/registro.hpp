#pragma once
// The record writer of the engines' text output. A line is built from fields
// in the notation of the report, so that the code of a line reads like its
// layout:
//
//     linea(blancos(32), F(7, 3, xini), "   <  x  < ", F(7, 3, xfin))
//
// Fields follow each other without separators and the writer adds no blanks
// of its own. A number that does not fit its width prints as asterisks.
#include <string>
#include <string_view>

namespace io {

struct Campo {
    std::string s;
    Campo(std::string t) : s(std::move(t)) {}
    Campo(std::string_view t) : s(t) {}
    Campo(const char* t) : s(t) {}
};

Campo blancos(int n);
// Iw: an integer right-aligned in w columns.
Campo I(int w, long long v);
// Fw.d: a real rounded to d decimals, right-aligned in w columns. The zero
// before the point is dropped when only that makes the value fit.
Campo F(int w, int d, double v);
// Ew.d: [-]0.d...dE+xx right-aligned in w columns (ten in E14.7 prints
// " 0.1000000E+02"); exponents beyond two digits print as +xxx without E.
Campo E(int w, int d, double v);
// Aw: the first w characters of t, or t right-aligned in w columns.
Campo A(int w, std::string_view t);
// The characters of a text as they stand.
inline Campo texto(std::string_view t) { return Campo(t); }
// n copies of one character.
Campo repetir(int n, char c);

template <class... C>
std::string linea(const C&... campos) {
    std::string r;
    ((r += Campo(campos).s), ...);
    return r;
}

// The text without its trailing blanks.
std::string sin_blancos_finales(std::string_view t);

} // namespace io
