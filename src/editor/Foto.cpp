#include "Foto.h"

#include "Copie.h"
#include "Cornice.h"
#include "FileRegolare.h"
#include "Immagini.h"
#include "Scrittura.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <numeric>
#include <optional>

namespace quirlo::editor {

namespace {

// A pasted picture is already in memory; one larger than this is no photo.
constexpr qint64 MassimoPixelIncollati = 120'000'000;
constexpr int QualitaJpeg = 90;
// A palette picture decoded whole and turned to true colour, at most.
constexpr qint64 MassimoByteVeriColori = 64LL * 1024 * 1024;

QString nomeMostrato(const QString &percorso) { return mostra(QFileInfo(percorso).fileName()); }

// Whether a picture of this format and size is better scaled after decoding:
// one with a palette, small enough to be held whole in true colour.
bool scalaDopo(QImage::Format formato, QSize dimensione) {
  const bool conTavolozza = formato == QImage::Format_Indexed8 || formato == QImage::Format_Mono ||
                            formato == QImage::Format_MonoLSB;
  return conTavolozza && qint64(dimensione.width()) * dimensione.height() * 4 <= MassimoByteVeriColori;
}

QImage inVeriColori(const QImage &immagine) {
  if (immagine.format() != QImage::Format_Indexed8 && immagine.format() != QImage::Format_Mono &&
      immagine.format() != QImage::Format_MonoLSB)
    return immagine;
  return immagine.convertToFormat(immagine.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// The file's picture, upright, decoded straight at `voluta` (upright size; the
// full size when invalid), after the same header checks the game makes.
QImage decodifica(const QString &percorso, QSize voluta, QSize *dimensione, QString *errore) {
  const QString nome = nomeMostrato(percorso);
  QFile file;
  if (!fileRegolare(percorso) || !apriFileRegolare(file, percorso)) {
    *errore = fileRegolare(percorso)
                  ? QStringLiteral("Non riesco ad aprire %1: controlla i suoi permessi.").arg(nome)
                  : QStringLiteral("%1 non è un file che si possa leggere.").arg(nome);
    return {};
  }
  if (controllaImmagine(percorso) != StatoImmagine::Buona) {
    QImageReader prova(&file);
    prova.setDecideFormatFromContent(true);
    *errore = prova.canRead()
                  ? QStringLiteral("%1 è un'immagine troppo grande per essere aperta senza bloccare il computer: "
                                   "usa una foto più piccola.")
                        .arg(nome)
                  : QStringLiteral("%1 non è un'immagine che so leggere: va bene una foto o un disegno JPEG, PNG, "
                                   "BMP o GIF.")
                        .arg(nome);
    return {};
  }
  QImageReader lettore(&file);
  lettore.setDecideFormatFromContent(true);
  lettore.setAutoTransform(true);
  // The decoder scales the picture as stored; the turn comes after.
  const bool girata = lettore.transformation() & QImageIOHandler::TransformationRotate90;
  const QSize memorizzata = lettore.size();
  *dimensione = girata ? memorizzata.transposed() : memorizzata;
  const bool ridurre = voluta.isValid() && !voluta.isEmpty() && voluta != *dimensione;
  // A picture with a palette comes out of the decoder's scaling with a
  // palette again, dithered to 216 colours: it is scaled here in true colour
  // instead, when it fits in memory so.
  const bool tavolozza = scalaDopo(lettore.imageFormat(), *dimensione);
  if (ridurre && !tavolozza)
    lettore.setScaledSize(girata ? voluta.transposed() : voluta);
  QImage immagine = lettore.read();
  if (immagine.isNull())
    *errore = QStringLiteral("%1 è rovinata: non riesco a leggerla tutta.").arg(nome);
  else if (ridurre && tavolozza)
    immagine = inVeriColori(immagine).scaled(voluta, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return immagine;
}

// `dimensione` shrunk to fit in a square of `lato`, never enlarged.
QSize entro(QSize dimensione, int lato) {
  if (dimensione.width() <= lato && dimensione.height() <= lato)
    return dimensione;
  return dimensione.scaled(lato, lato, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The preview's size: the JPEG decoder shrinks by 1/2, 1/4 or 1/8 while it
// decodes at almost no cost, where any other size is resampled afterwards at
// the full photo's cost. So the largest such step that still leaves half of
// `lato` on the long side; within `lato` when no step does.
QSize passoDecodifica(QSize dimensione, int lato) {
  for (int d = 8; d >= 1; d /= 2) {
    const QSize s((dimensione.width() + d - 1) / d, (dimensione.height() + d - 1) / d);
    if (std::max(s.width(), s.height()) >= lato / 2 && std::max(s.width(), s.height()) <= lato)
      return s;
  }
  return entro(dimensione, lato);
}

}  // namespace

Foto apriFoto(const QString &percorso, int latoAnteprima) {
  Foto f;
  f.percorso = percorso;
  // The preview size needs the full size, which needs the header: read it once
  // through the checks, then decode at the size that fits.
  QSize dimensione;
  {
    QFile file;
    if (apriFileRegolare(file, percorso)) {
      QImageReader lettore(&file);
      lettore.setDecideFormatFromContent(true);
      lettore.setAutoTransform(true);
      const bool girata = lettore.transformation() & QImageIOHandler::TransformationRotate90;
      dimensione = girata ? lettore.size().transposed() : lettore.size();
    }
  }
  f.anteprima = decodifica(percorso, passoDecodifica(dimensione, latoAnteprima), &f.dimensione, &f.errore);
  if (!f.errore.isEmpty())
    f.anteprima = QImage();
  return f;
}

Foto fotoDaImmagine(const QImage &immagine, int latoAnteprima) {
  Foto f;
  if (immagine.isNull()) {
    f.errore = QStringLiteral("Quello che hai incollato non è un'immagine.");
    return f;
  }
  if (qint64(immagine.width()) * immagine.height() > MassimoPixelIncollati) {
    f.errore = QStringLiteral("L'immagine incollata è troppo grande: usa una foto più piccola.");
    return f;
  }
  f.incollata = immagine;
  f.dimensione = immagine.size();
  f.anteprima = inVeriColori(immagine).scaled(entro(immagine.size(), latoAnteprima), Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
  return f;
}

QRect ritaglioPredefinito(QSize immagine, QSize proporzione) {
  if (immagine.isEmpty() || proporzione.isEmpty())
    return {};
  const QSize dentro = proporzione.scaled(immagine, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  return {QPoint((immagine.width() - dentro.width()) / 2, (immagine.height() - dentro.height()) / 2), dentro};
}

DisegnoSalvato salvaDisegno(const Foto &foto, QRect ritaglio, const catalogo::Lista &lista, const QString &parola,
                            const QString &cartellaUtente) {
  DisegnoSalvato esito;
  const QString nfc = parola.normalized(QString::NormalizationForm_C);
  if (nfc.isEmpty() || nfc.contains(QLatin1Char('/')) || nfc.contains(QLatin1Char('\\')) || nfc.startsWith(QLatin1Char('.'))) {
    esito.errore = QStringLiteral("La parola non può dare il nome a un file.");
    return esito;
  }
  if (!QDir::isAbsolutePath(cartellaUtente)) {
    esito.errore = QStringLiteral("Non so dove salvare: il sistema non indica una cartella personale.");
    return esito;
  }
  const QRect r = ritaglio.intersected(QRect(QPoint(0, 0), foto.dimensione));
  if (!foto.valida() || r.isEmpty()) {
    esito.errore = QStringLiteral("Scegli prima una foto o un disegno.");
    return esito;
  }
  // Never enlarged: a small part of a small picture is saved at its own size,
  // in whole steps of the frame's proportion.
  const QSize c = cornice(lista);
  const int mcd = std::gcd(c.width(), c.height());
  const QSize unita(c.width() / mcd, c.height() / mcd);
  QSize uscita = formatoDisegno(lista);
  if (r.width() < uscita.width())
    uscita = unita * std::max(1, r.width() / unita.width());

  QImage sorgente;
  double k = 1.0;  // from full size to the decoded picture
  if (!foto.incollata.isNull()) {
    sorgente = foto.incollata;
  } else {
    // Decoded at the smallest of the decoder's own steps that keeps the part
    // at least as large as the drawing: one resampling, of a small picture.
    int d = 8;
    while (d > 1 && (r.width() / d < uscita.width() || r.height() / d < uscita.height()))
      d /= 2;
    const QSize voluta((foto.dimensione.width() + d - 1) / d, (foto.dimensione.height() + d - 1) / d);
    QSize dimensione;
    sorgente = decodifica(foto.percorso, voluta, &dimensione, &esito.errore);
    if (sorgente.isNull())
      return esito;
    if (dimensione != foto.dimensione) {
      esito.errore = QStringLiteral("%1 è cambiata da quando l'hai scelta: sceglila di nuovo.").arg(nomeMostrato(foto.percorso));
      return esito;
    }
    k = double(sorgente.width()) / foto.dimensione.width();
  }
  const QRectF parte(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
  // JPEG has no transparency: what was transparent comes out white, not black.
  QImage disegno(uscita, QImage::Format_RGB32);
  disegno.fill(Qt::white);
  {
    QPainter p(&disegno);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), QSizeF(uscita)), sorgente, parte);
  }
  QByteArray jpeg;
  {
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter scrittore(&buffer, "jpeg");
    scrittore.setQuality(QualitaJpeg);
    if (!scrittore.write(disegno)) {
      esito.errore = QStringLiteral("Non riesco a preparare il disegno in JPEG.");
      return esito;
    }
  }
  const QString relativo = catalogo::disegno(nfc);
  const QString percorso = QDir(cartellaUtente).filePath(relativo);
  // Read and closed before it is replaced: Windows replaces no file held open.
  std::optional<QByteArray> prima;
  {
    QFile vecchio;
    if (apriFileRegolare(vecchio, percorso))
      prima = vecchio.readAll();
  }
  if (prima) {
    esito.errore = conservaCopia(cartellaUtente, relativo, *prima);
    if (!esito.errore.isEmpty())
      return esito;
  }
  esito.errore = scriviTutto(percorso, jpeg);
  if (esito.errore.isEmpty())
    esito.percorso = percorso;
  return esito;
}

}  // namespace quirlo::editor
