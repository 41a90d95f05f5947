#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quirlo {

// Lists are UTF-8 (a BOM is skipped), or UTF-16 when a BOM says so; a file
// that is not valid UTF-8 was written on an older Windows PC and is read as
// Windows-1252. The text comes
// back normalised to NFC so that a decomposed "é" equals a composed one.
QString decodificaLista(const QByteArray &byte);

struct Campo {
  QString testo;
  int riga = 0;  // 1-based line where the field starts
  bool troncato = false;  // empty, and closed by the end of the file right after a comma: the file was cut
};

// Splits a list's text into its fields, in file order. A field ends at a comma
// or a line end (CR LF, LF or CR alone); blanks before it are skipped and
// blanks after it dropped; a field in double quotes keeps its commas and
// anything after the closing mark up to the separator is ignored. Blank lines
// hold no field. Records are not tied to lines: the caller groups the fields.
QList<Campo> leggiCampi(const QString &testo);

}  // namespace quirlo
