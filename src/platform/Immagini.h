#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quirlo {

enum class StatoImmagine {
  Buona,        // a picture we can decode, within the memory it may take
  NonApribile,  // a file that can't be opened (its permissions, most often)
  NonLeggibile, // no picture, a broken one, or one too big to decode
};

// What the file at `percorso` is, from its header alone.
StatoImmagine controllaImmagine(const QString &percorso);
// True when the file exists and its header is that of a picture we can decode.
inline bool immagineLeggibile(const QString &percorso) { return controllaImmagine(percorso) == StatoImmagine::Buona; }

// Decodes straight at the requested size (the frames stretch the picture anyway),
// so a huge photo never has to be held at full size. Null on failure.
QImage decodificaImmagine(const QString &percorso, QSize dimensione);

// What the JPEG decoder will hold to decode this file, in bytes, from its
// frame header; 0 when it is no JPEG or its header can't be found. A file
// read in one pass costs a few rows; one read in several passes (progressive,
// or components in separate scans) keeps every coefficient of the whole image.
qint64 memoriaDecodificaJpeg(QIODevice &dispositivo);

}  // namespace quirlo
