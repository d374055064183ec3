#pragma once
// The toolkit's number conversions that the system relies on, independent of
// any locale: "." is the decimal point everywhere.
#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <QStringView>

namespace plataforma {

// The leading number of a text: blanks, tabs, CR and LF are ignored wherever
// they stand; then an optional sign, digits with an optional "." and an
// optional exponent (E or D). 0 when the text starts with no number.
double Val(QStringView texto);
// The same on the bytes of a Windows-1252 text, as the readers of the
// system's files take their numbers.
double Val(QByteArrayView bytes);
// True when Val finds a number at the start of the bytes, false when it
// gives 0 for want of one ("", "abc", "-", ".").
bool empieza_por_numero(QByteArrayView bytes);

// True when the whole text, blanks aside, is one number: optional sign,
// digits with an optional ".", at least one digit, optional exponent.
// "", "-", "." and texts with commas are not numeric.
bool IsNumeric(QStringView texto);

// Formats a value by a pattern of "#" and "0" digits with an optional "."
// and "0" decimals ("####0.000", "####0.0000"): at least as many integer
// digits as "0"s before the point, exactly as many decimals as after it,
// rounded half away from zero on the value's 15 significant digits, no
// thousands separator, "-" in front of a negative value that does not round
// to zero. Throws std::invalid_argument for any other pattern.
QString Format(double valor, QStringView patron);

// The 16 colours of the classic palette, 0 to 15; std::out_of_range otherwise.
QColor QBColor(int color);

}  // namespace plataforma
