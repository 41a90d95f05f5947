#include "Miniature.h"

#include "Immagini.h"
#include "Traccia.h"

#include <QPointer>

namespace quirlo::editor {

namespace {
QString chiave(const QString &percorso, QSize d) {
  return QStringLiteral("%1x%2 %3").arg(d.width()).arg(d.height()).arg(percorso);
}
}  // namespace

Miniature::Miniature(QObject *parent) : QObject(parent) {
  // Decoding reads the disk as much as it computes: two at a time suffice.
  lavoratori_.setMaxThreadCount(2);
}

Miniature::~Miniature() {
  lavoratori_.clear();
  lavoratori_.waitForDone();
}

QImage Miniature::miniatura(const QString &percorso, QSize dimensione) {
  const QString k = chiave(percorso, dimensione);
  const auto trovata = fatte_.constFind(k);
  if (trovata != fatte_.constEnd())
    return *trovata;
  if (percorso.isEmpty() || inCorso_.contains(k))
    return {};
  inCorso_.insert(k);
  QPointer<Miniature> questo(this);
  lavoratori_.start([questo, percorso, dimensione, k] {
    // The game's own guarded decoder, straight at the thumbnail's size.
    const QImage img = decodificaImmagine(percorso, dimensione);
    QMetaObject::invokeMethod(
        questo,
        [questo, percorso, k, img] {
          if (!questo)
            return;
          questo->inCorso_.remove(k);
          questo->fatte_.insert(k, img);
          emit questo->pronta(percorso);
          if (questo->inCorso_.isEmpty())
            traccia(QStringLiteral("miniature pronte %1 t=%2").arg(questo->fatte_.size()).arg(istanteMicro()));
        },
        Qt::QueuedConnection);
  });
  return {};
}

void Miniature::dimentica(const QString &percorso) {
  for (auto it = fatte_.begin(); it != fatte_.end();)
    it = it.key().endsWith(QLatin1Char(' ') + percorso) ? fatte_.erase(it) : std::next(it);
}

void Miniature::aspetta() { lavoratori_.waitForDone(); }

}  // namespace quirlo::editor
