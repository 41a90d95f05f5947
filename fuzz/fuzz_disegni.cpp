// libFuzzer target on bytes saved as a drawing: the check a list's drawings
// get, the whole-file check and the decode must agree, never crash, and never
// take more than the decoder's budget (libFuzzer's -rss_limit_mb and -timeout
// catch what would).
#include "Immagini.h"
#include "StrutturaJpeg.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace quirlo;

namespace {

void verifica(bool condizione, const char *regola) {
  if (!condizione) {
    std::fprintf(stderr, "invariant broken: %s\n", regola);
    std::abort();
  }
}

QTemporaryDir *cartella = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  static QTemporaryDir dir;
  cartella = &dir;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t dimensione) {
  QByteArray byte(reinterpret_cast<const char *>(dati), qsizetype(dimensione));
  for (Portata portata : {Portata::Intestazione, Portata::Tutto}) {
    QBuffer b(&byte);
    b.open(QIODevice::ReadOnly);
    const CostoJpeg c = costoJpeg(b, portata);
    verifica(c.memoria >= 0 && c.visite >= 0 && c.segmenti <= limitiJpeg::MassimiSegmenti + 1, "costs are counts");
    verifica(!c.letto || c.jpeg, "only a JPEG is read as one");
  }

  const QString percorso = cartella->filePath(QStringLiteral("disegno.jpg"));
  {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(byte) != byte.size())
      std::abort();
  }
  const EsameImmagine intestazione = esaminaImmagine(percorso);
  const EsameImmagine tutta = esaminaImmagine(percorso, true);
  verifica(tutta.stato != StatoImmagine::Buona || intestazione.stato == StatoImmagine::Buona,
           "what the whole file allows, its header allows");
  verifica(intestazione.stato != StatoImmagine::NonApribile, "a file just written opens");
  const QImage immagine = decodificaImmagine(percorso, QSize(64, 48));
  verifica(immagine.isNull() || tutta.stato == StatoImmagine::Buona, "only what the checks allow is decoded");
  verifica(immagine.isNull() || immagine.size() == QSize(64, 48), "decoded at the size asked for");
  return 0;
}
