#include "Immagini.h"

#include <QFileInfo>
#include <QImageReader>

namespace quirlo {

bool immagineLeggibile(const QString &percorso) {
  if (!QFileInfo(percorso).isFile())
    return false;
  QImageReader lettore(percorso);
  lettore.setDecideFormatFromContent(true);
  return lettore.canRead() && lettore.size().isValid() && !lettore.size().isEmpty();
}

QImage decodificaImmagine(const QString &percorso, QSize dimensione) {
  QImageReader lettore(percorso);
  lettore.setDecideFormatFromContent(true);
  const QSize originale = lettore.size();
  if (!originale.isValid() || originale.isEmpty())
    return {};
  if (dimensione.isValid() && !dimensione.isEmpty())
    lettore.setScaledSize(dimensione);
  QImage immagine = lettore.read();
  if (immagine.isNull())
    return {};
  return immagine;
}

}  // namespace quirlo
