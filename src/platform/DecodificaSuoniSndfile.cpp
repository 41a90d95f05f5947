#include "DecodificaSuoni.h"

#include "FileRegolare.h"
#include "Ricampiona.h"

#include <QFile>
#include <algorithm>
#include <memory>
#include <sndfile.h>
#include <vector>

namespace quirlo {

namespace {

struct ChiudiFile {
  void operator()(SNDFILE *f) const { sf_close(f); }
};

// libsndfile reads through a QFile so that non-ASCII paths work everywhere,
// and never past a bound: a header may lie about what follows it.
struct Sorgente {
  QFile file;
  qint64 letti = 0;
  static constexpr qint64 Limite = formatoSuono::MassimoByteLetti + (1 << 20);  // the data and its header
};

sf_count_t vLunghezza(void *u) { return static_cast<Sorgente *>(u)->file.size(); }
sf_count_t vPosiziona(sf_count_t offset, int whence, void *u) {
  QFile &f = static_cast<Sorgente *>(u)->file;
  qint64 base = whence == SEEK_CUR ? f.pos() : whence == SEEK_END ? f.size() : 0;
  return f.seek(base + offset) ? f.pos() : -1;
}
sf_count_t vLeggi(void *ptr, sf_count_t n, void *u) {
  auto *s = static_cast<Sorgente *>(u);
  const qint64 letti = s->file.read(static_cast<char *>(ptr), std::min<qint64>(n, Sorgente::Limite - s->letti));
  s->letti += std::max<qint64>(letti, 0);
  return letti;
}
sf_count_t vScrivi(const void *, sf_count_t, void *) { return 0; }
sf_count_t vDove(void *u) { return static_cast<Sorgente *>(u)->file.pos(); }

// Bytes of one sample as the file stores it; 1 for compressed layouts, whose
// bytes read the source bounds instead.
int byteCampione(int formato) {
  switch (formato & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: return 2;
    case SF_FORMAT_PCM_24: return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT: return 4;
    case SF_FORMAT_DOUBLE: return 8;
    default: return 1;
  }
}

}  // namespace

SuonoLetto leggiSuono(const QString &percorso) {
  SuonoLetto esito;
  Sorgente sorgente;
  if (!apriFileRegolare(sorgente.file, percorso))
    return esito;
  SF_VIRTUAL_IO io{vLunghezza, vPosiziona, vLeggi, vScrivi, vDove};
  SF_INFO info{};
  std::unique_ptr<SNDFILE, ChiudiFile> sf(sf_open_virtual(&io, SFM_READ, &info, &sorgente));
  if (!sf || info.frames <= 0)
    return esito;
  esito.frequenza = info.samplerate;
  esito.canali = info.channels;
  esito.stato = limitiSuono(info.samplerate, info.channels);
  if (esito.stato != StatoSuono::Buono)
    return esito;

  const int canali = info.channels;
  const qint64 frame = frameDaLeggere(info.frames, info.samplerate, qint64(canali) * byteCampione(info.format));
  Ricampionatore ricampiona(info.samplerate, formatoSuono::Frequenza, formatoSuono::Canali, frame);
  constexpr qint64 Blocco = 4096;
  std::vector<float> blocco(size_t(Blocco * canali));
  qint64 letti = 0;
  while (letti < frame) {
    const sf_count_t n = sf_readf_float(sf.get(), blocco.data(), std::min(Blocco, frame - letti));
    if (n <= 0)
      break;
    ricampiona.aggiungi([&](qint64 f, int c) { return blocco[size_t(f * canali + std::min(c, canali - 1))]; }, n);
    letti += n;
  }
  esito.pcm = ricampiona.fine();
  if (esito.pcm.isEmpty()) {
    esito.stato = StatoSuono::NonSuono;
    return esito;
  }
  esito.tagliato = frame < info.frames;
  return esito;
}

}  // namespace quirlo
