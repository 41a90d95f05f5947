#include "Wav.h"

#include "Ricampiona.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace quirlo {

namespace {

constexpr quint16 FormatoPcm = 1;
constexpr quint16 FormatoFloat = 3;
constexpr quint16 FormatoEsteso = 0xFFFE;

quint16 leggi16(const char *p) {
  return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}
quint32 leggi32(const char *p) {
  return quint32(leggi16(p)) | quint32(leggi16(p + 2)) << 16;
}

struct Formato {
  quint16 tipo = 0;
  int canali = 0;
  quint32 frequenza = 0;
  int bit = 0;
  int bloccoByte = 0;
};

// One sample as a float in [-1, 1].
float campione(const char *p, const Formato &f) {
  switch (f.bit) {
    case 8:
      return float(int(quint8(p[0])) - 128) / 128.0f;
    case 16:
      return float(qint16(leggi16(p))) / 32768.0f;
    case 24: {
      const qint32 v = qint32(quint32(quint8(p[0])) << 8 | quint32(quint8(p[1])) << 16 | quint32(quint8(p[2])) << 24);
      return float(v >> 8) / 8388608.0f;
    }
    default:
      if (f.tipo == FormatoFloat) {
        const quint32 bit = leggi32(p);
        float v;
        std::memcpy(&v, &bit, sizeof v);
        return std::isfinite(v) ? v : 0.0f;
      }
      return float(double(qint32(leggi32(p))) / 2147483648.0);
  }
}

bool formatoValido(const Formato &f) {
  const bool intero = f.tipo == FormatoPcm && (f.bit == 8 || f.bit == 16 || f.bit == 24 || f.bit == 32);
  const bool virgola = f.tipo == FormatoFloat && f.bit == 32;
  return (intero || virgola) && f.bloccoByte == f.canali * (f.bit / 8);
}

}  // namespace

SuonoLetto leggiWav(const QByteArray &file, int frequenza, int canali, int massimoSecondi) {
  SuonoLetto esito;
  const qsizetype n = file.size();
  const char *d = file.constData();
  if (n < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0)
    return esito;

  Formato f;
  bool formatoLetto = false;
  const char *dati = nullptr;
  qsizetype datiByte = 0;
  // Chunks in any order; sizes are trusted only as far as the file goes.
  qsizetype pos = 12;
  while (pos + 8 <= n) {
    const char *id = d + pos;
    const qsizetype dichiarata = qsizetype(leggi32(d + pos + 4));
    const qsizetype inizio = pos + 8;
    const qsizetype dimensione = std::min(dichiarata, n - inizio);
    if (std::memcmp(id, "fmt ", 4) == 0) {
      if (dimensione < 16)
        return esito;
      const char *p = d + inizio;
      f.tipo = leggi16(p);
      f.canali = leggi16(p + 2);
      f.frequenza = leggi32(p + 4);
      f.bloccoByte = leggi16(p + 12);
      f.bit = leggi16(p + 14);
      if (f.tipo == FormatoEsteso) {
        // The first two bytes of the sub-format GUID carry the plain format code.
        if (dimensione < 40)
          return esito;
        f.tipo = leggi16(p + 24);
      }
      formatoLetto = true;
    } else if (std::memcmp(id, "data", 4) == 0) {
      dati = d + inizio;
      datiByte = dimensione;
      break;
    }
    // Chunks are padded to an even length.
    pos = inizio + dichiarata + (dichiarata & 1);
  }
  if (!formatoLetto || !dati || frequenza <= 0 || canali <= 0)
    return esito;
  esito.frequenza = f.frequenza;
  esito.canali = f.canali;
  esito.stato = limitiSuono(f.frequenza, f.canali);
  if (esito.stato != StatoSuono::Buono)
    return esito;
  esito.stato = StatoSuono::NonSuono;
  if (!formatoValido(f))
    return esito;

  const qint64 tutti = qint64(datiByte / f.bloccoByte);
  const qint64 letti = std::min(frameDaLeggere(tutti, f.frequenza, f.bloccoByte), qint64(f.frequenza) * massimoSecondi);
  if (letti <= 0)
    return esito;

  // In blocks, so that a file mapped from disk is read only as far as it is decoded.
  const int byteCampione = f.bit / 8;
  Ricampionatore ricampiona(f.frequenza, frequenza, canali, letti);
  constexpr qint64 Blocco = 4096;
  for (qint64 primo = 0; primo < letti; primo += Blocco) {
    const char *blocco = dati + primo * f.bloccoByte;
    ricampiona.aggiungi(
        [&](qint64 frame, int c) {
          const int canale = std::min(c, f.canali - 1);
          return campione(blocco + frame * f.bloccoByte + canale * byteCampione, f);
        },
        std::min(Blocco, letti - primo));
  }
  esito.pcm = ricampiona.fine();
  esito.stato = StatoSuono::Buono;
  esito.tagliato = letti < tutti;
  return esito;
}

QByteArray intestazioneWav(qint64 bytePcm) {
  QByteArray h;
  const auto scrivi = [&h](quint32 v, int byte) {
    for (int i = 0; i < byte; ++i)
      h.append(char((v >> (8 * i)) & 0xFF));
  };
  const auto byte = quint32(std::clamp<qint64>(bytePcm, 0, 0xFFFFFFFFLL - 36));
  h.append("RIFF", 4);
  scrivi(36 + byte, 4);
  h.append("WAVEfmt ", 8);
  scrivi(16, 4);
  scrivi(FormatoPcm, 2);
  scrivi(formatoSuono::Canali, 2);
  scrivi(formatoSuono::Frequenza, 4);
  scrivi(formatoSuono::BytePerSecondo, 4);
  scrivi(formatoSuono::BytePerFrame, 2);
  scrivi(16, 2);
  h.append("data", 4);
  scrivi(byte, 4);
  return h;
}

}  // namespace quirlo
