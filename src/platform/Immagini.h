#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>

class QIODevice;

namespace quirlo {

// Pictures from files anyone may have put in a data folder: the game's
// drawings, and the photos a teacher brings to the word editor. Every
// function here may run on any thread, and on several at once; none shows
// anything. Nothing is decoded before its cost is known: the decoder's
// memory (64 MiB, whatever the size shown), its work (scans over the image),
// the metadata it keeps, the file's size. The orientation a camera writes
// (EXIF) is applied, and the sizes given and returned are those of the
// picture as it is shown, the right way up.

enum class StatoImmagine {
  Buona,          // a picture we can decode, within its budget
  NonApribile,    // a file that can't be opened (its permissions, most often)
  NonLeggibile,   // no picture, or a broken one
  TroppoPesante,  // a picture, but dearer to decode than the budget allows
};

struct EsameImmagine {
  StatoImmagine stato = StatoImmagine::NonLeggibile;
  QSize dimensione;  // upright; only for a picture
};

// What the file at `percorso` is. From its header alone (no more than 1 MiB
// read into memory, a list's hundred drawings checked in a row), or from its
// whole structure (every segment and scan: what decoding it will cost, the
// file read once through).
EsameImmagine esaminaImmagine(const QString &percorso, bool tutta = false);
inline StatoImmagine controllaImmagine(const QString &percorso) { return esaminaImmagine(percorso).stato; }
inline bool immagineLeggibile(const QString &percorso) { return controllaImmagine(percorso) == StatoImmagine::Buona; }

// Decodes straight at `dimensione` (the frames stretch the picture anyway),
// so a huge photo is never held at full size; an invalid size decodes at full
// size, which only pictures small enough for the budget allow. The whole file
// is checked first. Once `annullata` is set the file reads as ended: the
// decoder stops at once and the result is null. Null on any failure.
QImage decodificaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> *annullata = nullptr);

// What the JPEG decoder will hold to decode this file, in bytes, from its
// frame header; 0 when it is no JPEG or its header can't be found. A file
// read in one pass costs a few rows; one read in several passes (progressive,
// or components in separate scans) keeps every coefficient of the whole image.
qint64 memoriaDecodificaJpeg(QIODevice &dispositivo);

}  // namespace quirlo
