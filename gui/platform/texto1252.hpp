#pragma once
// Windows-1252 <-> Unicode, used only where the program reads or writes the
// system's text files (idioma.lng, problem files, reports, plot files).
#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace plataforma {

// One byte of a Windows-1252 file as a character. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, so that every byte survives a round trip.
QChar caracter_1252(unsigned char byte);

QString desde_1252(QByteArrayView bytes);

// Every character of the text has a byte of its own in Windows-1252, so that
// a_1252 keeps it.
bool en_1252(QStringView texto);

// Characters outside Windows-1252 become "?".
QByteArray a_1252(QStringView texto);

}  // namespace plataforma
