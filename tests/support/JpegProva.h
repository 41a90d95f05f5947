#pragma once

#include <QByteArray>
#include <QImage>

// JPEG files made by the tests, marker by marker: the structures a hostile or
// a camera's file may have.
namespace quirlo::prova::jpeg {

QByteArray codifica(const QImage &img, bool progressivo = false, int qualita = 90);
// A real 16x16 progressive JPEG whose frame header then claims another size
// and sampling of its first component (0x11: 4:4:4, 0x22: 4:2:0).
QByteArray progressivoDichiarato(int larghezza, int altezza, quint8 campionamento);
// `byte` put right after the start marker.
QByteArray dopoInizio(const QByteArray &jpeg, const QByteArray &byte);
// `quanti` comment segments of `lunghezza` bytes each.
QByteArray commenti(int quanti, int lunghezza);
// The last scan (and what follows it up to the end marker) repeated `volte` times in all.
QByteArray ultimaScansioneRipetuta(const QByteArray &jpeg, int volte);
// An APP1 segment with the EXIF orientation tag (1-8) and nothing else.
QByteArray orientamentoExif(int orientamento);
// Left half `sinistra`, right half `destra`: which way up it is shown is plain to see.
QImage dueColori(int larghezza, int altezza, QColor sinistra, QColor destra);

}  // namespace quirlo::prova::jpeg
