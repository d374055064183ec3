#pragma once
// The engines' routines for INI-format text files, used to read the texts of
// idioma.lng. Every lookup opens the file, scans it from the top and closes it.
//
// Records are read as their first 100 characters, blank-padded. A section
// header is a record beginning with "["; its name runs from the second
// character to the one before the last non-blank character. A key line's key
// is the text before its first "=", its value the text after it up to the
// last non-blank character. Names and keys match ignoring the case of a-z and
// trailing blanks (COMPARACADENA); leading blanks count.
#include <string>
#include <vector>

namespace ini {

constexpr int LONGITUD_CAMPO = 100;

// The value of `clave` in the first section named `seccion` of `fichero`,
// blank-padded to 100 characters; blank when the section or the key is
// absent. A missing file is an input-layer error.
std::string LEERVALOR(const std::string& fichero, const std::string& seccion, const std::string& clave);

// The names of the section headers of `fichero`, in file order, without
// their trailing blanks (the rule of LEERVALOR). A missing file is an
// input-layer error.
std::vector<std::string> SECCIONES(const std::string& fichero);

// True when a and b are equal ignoring a-z case and trailing blanks. Both
// arguments are put into upper case in place.
bool COMPARACADENA(std::string& a, std::string& b);

// modo 1: a-z to upper case; modo 0: A-Z to lower case; any other: nothing.
// Only the characters up to the last non-blank one are visited.
void CMAYMIN(std::string& s, int modo);

// 0 (or 0.0) for a blank value, otherwise the value read in free form.
int LEERVALOR_INT(const std::string& fichero, const std::string& seccion, const std::string& clave);
double LEERVALOR_REAL(const std::string& fichero, const std::string& seccion, const std::string& clave);

// n in decimal, left-adjusted in a 100-character field.
std::string INTTOSTR(int n);
// x in its shortest form that reads back as the same double, without blanks.
std::string REALTOSTR(double x);

// Appends an empty line and "[seccion]" when no header matches the section;
// creates the file when it is missing.
void CREARSECCION(const std::string& fichero, const std::string& seccion);

// Sets clave=valor in the section (created when absent), rewriting the file
// through the scratch file TMPFILE.INI beside it. Every other line keeps its
// text and its place: the line of the key is replaced where it stands; a new
// key goes after the section's last non-blank line, before the blank lines
// that precede the next header, or at the end of the file when the section
// is the last one. Lines are written with CR LF; key and value are written
// without their trailing blanks.
void GUARDAVALOR(const std::string& fichero, const std::string& seccion, const std::string& clave,
                 const std::string& valor);

} // namespace ini
