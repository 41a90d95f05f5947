#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

// WAV files made by the tests, byte by byte, so that every layout and every
// broken header can be written.
namespace quirlo::prova::wav {

QByteArray le16(quint32 v);
QByteArray le32(quint32 v);
// A RIFF chunk, padded to an even length.
QByteArray blocco(const char *id, const QByteArray &corpo);
// The body of a "fmt " chunk; `esteso` writes the extensible header.
QByteArray fmt(quint16 tipo, int canali, int frequenza, int bit, bool esteso = false);
QByteArray riff(const QByteArray &blocchi);
// Samples in [-1, 1], encoded in the given layout (tipo 1 PCM, 3 float).
QByteArray campioni(const std::vector<float> &valori, quint16 tipo, int bit);
// A whole file: `n` samples of 16-bit mono PCM, alternately +valore and -valore.
QByteArray mono16(int n, qint16 valore, int frequenza);

}  // namespace quirlo::prova::wav
