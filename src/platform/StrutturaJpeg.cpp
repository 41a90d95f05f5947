#include "StrutturaJpeg.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstring>

namespace quirlo {

namespace {

// A device read forward in blocks; segment bodies are skipped by seeking,
// so a header full of comments costs a few small reads, not the comments.
class Flusso {
 public:
  explicit Flusso(QIODevice &d) : d_(d) {}

  bool byte(uchar &b) {
    if (pos_ == buf_.size() && !riempi())
      return false;
    b = uchar(buf_[pos_++]);
    return true;
  }

  bool leggi(QByteArray &fuori, qint64 n) {
    fuori.clear();
    while (fuori.size() < n) {
      if (pos_ == buf_.size() && !riempi())
        return false;
      const qsizetype qui = std::min<qsizetype>(buf_.size() - pos_, qsizetype(n - fuori.size()));
      fuori.append(buf_.constData() + pos_, qui);
      pos_ += qui;
    }
    return true;
  }

  void salta(qint64 n) {
    const qint64 qui = std::min<qint64>(n, buf_.size() - pos_);
    pos_ += qsizetype(qui);
    if (n == qui)
      return;
    const qint64 dove = d_.pos() + (n - qui);
    if (d_.isSequential() || dove > d_.size() || !d_.seek(dove))
      fine_ = true;  // what a short file does to the decoder too: the data simply ends
    buf_.clear();
    pos_ = 0;
  }

  // Past any bytes that are not a marker, as the decoder goes: the next
  // marker code, or false at the end of the data. Inside a scan FF 00 is a
  // data byte and restart markers are part of the data.
  bool marcatore(uchar &codice) {
    for (;;) {
      if (!trovaFF())
        return false;
      do {
        if (!byte(codice))
          return false;
      } while (codice == 0xFF);
      if (codice != 0x00 && !(codice >= 0xD0 && codice <= 0xD7))
        return true;
    }
  }

 private:
  bool riempi() {
    if (fine_)
      return false;
    // Small blocks while walking segments, larger ones once inside scans.
    buf_ = d_.read(letti_ < (64 << 10) ? 4096 : (256 << 10));
    letti_ += buf_.size();
    pos_ = 0;
    return !buf_.isEmpty();
  }

  bool trovaFF() {
    for (;;) {
      if (pos_ == buf_.size() && !riempi())
        return false;
      const void *ff = std::memchr(buf_.constData() + pos_, 0xFF, size_t(buf_.size() - pos_));
      if (ff) {
        pos_ = static_cast<const char *>(ff) - buf_.constData() + 1;
        return true;
      }
      pos_ = buf_.size();
    }
  }

  QIODevice &d_;
  QByteArray buf_;
  qsizetype pos_ = 0;
  qint64 letti_ = 0;
  bool fine_ = false;
};

quint16 grandeEndian(const char *p) { return quint16((uchar(p[0]) << 8) | uchar(p[1])); }

struct Componente {
  int id, h, v;
};

// Blocks of 8x8 of one component, rounded up to whole units of its sampling,
// as the decoder lays them out.
qint64 blocchi(qint64 lato, int campione, int massimo) {
  const qint64 campioni = (lato * campione + massimo - 1) / massimo;
  const qint64 b8 = (campioni + 7) / 8;
  return (b8 + campione - 1) / campione * campione;
}

class Cammino {
 public:
  Cammino(QIODevice &d, Portata p) : flusso_(d), portata_(p) {}

  CostoJpeg percorri() {
    uchar b[2];
    if (!flusso_.byte(b[0]) || !flusso_.byte(b[1]) || b[0] != 0xFF || b[1] != 0xD8)
      return costo_;
    costo_.jpeg = true;
    uchar m;
    while (flusso_.marcatore(m)) {
      if (m == 0x01)
        continue;  // no length follows
      if (m == 0xD9)
        break;
      if (m == 0xD8) {  // a second start is an error for the decoder
        costo_.letto = false;
        break;
      }
      if (++costo_.segmenti > limitiJpeg::MassimiSegmenti) {
        costo_.troppi = true;
        break;
      }
      if (!segmento(m) || (portata_ == Portata::Intestazione && costo_.scansioni > 0))
        break;
    }
    costo_.letto = costo_.letto && costo_.scansioni > 0;
    costo_.memoria += metadati_;
    return costo_;
  }

 private:
  // False when the walk must end here.
  bool segmento(uchar m) {
    QByteArray lunghezza;
    if (!flusso_.leggi(lunghezza, 2))
      return false;
    const int corpo = grandeEndian(lunghezza.constData()) - 2;
    if (corpo < 0)
      return costo_.letto = false;
    const bool sof = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
    if (m == 0xE1 && !primoApp1_) {
      primoApp1_ = true;
      QByteArray exif;
      if (!flusso_.leggi(exif, corpo))
        return costo_.letto = false;
      costo_.orientamento = orientamentoExif(exif);
      metadati_ += 2LL * corpo;
      return true;
    }
    if (!sof && m != 0xDA) {
      // Comments become text twice over (and a description besides); EXIF and
      // colour profiles are kept once more beside the decoder's own copy.
      if (m == 0xFE)
        metadati_ += 9LL * corpo;
      else if (m == 0xE1 || m == 0xE2)
        metadati_ += 2LL * corpo;
      flusso_.salta(corpo);
      return true;
    }
    QByteArray dati;
    if (!flusso_.leggi(dati, corpo))
      return costo_.letto = false;
    return sof ? frame(m, dati) : scansione(dati);
  }

  bool frame(uchar m, const QByteArray &c) {
    // A second frame header is an error for the decoder, and so are the
    // processes it does not know (lossless, hierarchical).
    const bool noto = m == 0xC0 || m == 0xC1 || m == 0xC2 || m == 0xC9 || m == 0xCA;
    if (!componenti_.isEmpty() || c.size() < 6 || !noto)
      return costo_.letto = false;
    progressivo_ = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
    altezza_ = grandeEndian(c.constData() + 1);
    larghezza_ = grandeEndian(c.constData() + 3);
    costo_.dimensione = QSize(int(larghezza_), int(altezza_));
    const int n = uchar(c[5]);
    if (n == 0 || c.size() < 6 + 3 * n)
      return costo_.letto = false;
    for (int i = 0; i < n; ++i) {
      const int campionamento = uchar(c[6 + 3 * i + 1]);
      const int h = campionamento >> 4, v = campionamento & 0x0F;
      if (h < 1 || h > 4 || v < 1 || v > 4)
        return costo_.letto = false;
      componenti_.append({uchar(c[6 + 3 * i]), h, v});
      hMax_ = std::max(hMax_, h);
      vMax_ = std::max(vMax_, v);
    }
    costo_.letto = true;
    return true;
  }

  bool scansione(const QByteArray &c) {
    const int n = c.isEmpty() ? 0 : uchar(c[0]);
    if (componenti_.isEmpty() || n < 1 || n > 4 || c.size() < 1 + 2 * n)
      return costo_.letto = false;
    if (++costo_.scansioni == 1)
      costo_.memoria = memoria(progressivo_ || n < componenti_.size());
    for (int i = 0; i < n; ++i)
      for (const Componente &k : std::as_const(componenti_))
        if (k.id == uchar(c[1 + 2 * i]))
          costo_.visite += blocchi(larghezza_, k.h, hMax_) * blocchi(altezza_, k.v, vMax_);
    return true;
  }

  // Each block is 64 coefficients of 2 bytes, kept for the whole image when
  // the file is read in several passes; otherwise one row of units, twice
  // over for context, plus the colour rows.
  qint64 memoria(bool piuPassate) const {
    qint64 m = 0;
    for (const Componente &k : std::as_const(componenti_)) {
      if (piuPassate)
        m += blocchi(larghezza_, k.h, hMax_) * blocchi(altezza_, k.v, vMax_) * 128;
      else
        m += blocchi(larghezza_, k.h, hMax_) * 64 * k.v * 3;
    }
    return m;
  }

  // Tag 0x0112 of the first image's IFD in an "Exif" APP1: where the decoder
  // looks for the orientation too.
  static int orientamentoExif(const QByteArray &a) {
    if (a.size() < 14 || !a.startsWith(QByteArrayView("Exif\0\0", 6)))
      return 0;
    const QByteArray t = a.mid(6);
    const bool intel = t.startsWith("II");
    if (!intel && !t.startsWith("MM"))
      return 0;
    const auto u16 = [&](qsizetype p) -> int {
      if (p < 0 || p + 2 > t.size())
        return -1;
      const int x = uchar(t[p]), y = uchar(t[p + 1]);
      return intel ? x | y << 8 : x << 8 | y;
    };
    const auto u32 = [&](qsizetype p) -> qint64 {
      const int basso = u16(intel ? p : p + 2), alto = u16(intel ? p + 2 : p);
      return basso < 0 || alto < 0 ? -1 : qint64(alto) << 16 | basso;
    };
    const qint64 ifd = u32(4);
    const int voci = ifd < 0 ? -1 : u16(ifd);
    for (int i = 0; i < voci; ++i) {
      const qint64 voce = ifd + 2 + 12LL * i;
      if (u16(voce) == 0x0112) {
        const int valore = u16(voce + 8);
        return valore >= 1 && valore <= 8 ? valore : 0;
      }
    }
    return 0;
  }

  Flusso flusso_;
  const Portata portata_;
  CostoJpeg costo_;
  QList<Componente> componenti_;
  qint64 larghezza_ = 0, altezza_ = 0;
  int hMax_ = 1, vMax_ = 1;
  bool progressivo_ = false;
  bool primoApp1_ = false;
  qint64 metadati_ = 0;
};

}  // namespace

CostoJpeg costoJpeg(QIODevice &dispositivo, Portata portata) { return Cammino(dispositivo, portata).percorri(); }

}  // namespace quirlo
