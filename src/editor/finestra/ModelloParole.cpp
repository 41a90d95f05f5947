#include "ModelloParole.h"

#include "Accettazione.h"
#include "Miniature.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"

#include <QDir>
#include <QPixmap>

namespace quirlo::editor {

ModelloParole::ModelloParole(Miniature *miniature, QObject *parent)
    : QAbstractListModel(parent), miniature_(miniature) {
  connect(miniature_, &Miniature::pronta, this, [this](const QString &percorso) {
    for (int i = 0; i < disegni_.size(); ++i)
      if (disegni_[i] == percorso)
        emit dataChanged(index(i), index(i), {Qt::DecorationRole});
  });
}

void ModelloParole::imposta(const Cartelle &cartelle, const ListaAperta &aperta, QSize miniatura, qreal rapporto) {
  beginResetModel();
  rapporto_ = rapporto;
  parole_ = aperta.parole;
  miniatura_ = miniatura;
  disegni_.clear();
  const DisegniCercati cercati(cartelle.dati());
  for (const Parola &p : std::as_const(parole_))
    disegni_ << cercati.percorso(p.testo());
  endResetModel();
}

int ModelloParole::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(parole_.size()); }

QVariant ModelloParole::data(const QModelIndex &indice, int ruolo) const {
  if (!indice.isValid() || indice.row() >= parole_.size())
    return {};
  const Parola &p = parole_[indice.row()];
  const QString divisa = senzaControlli(sillabe::scrivi(p.sillabe));
  switch (ruolo) {
    case Qt::DisplayRole:
      return divisa;
    case Qt::DecorationRole: {
      // Decoded at the screen's own pixels: sharp at 200 % too.
      const QImage img = miniature_->miniatura(disegni_[indice.row()], miniatura_ * rapporto_);
      if (!img.isNull()) {
        QPixmap p = QPixmap::fromImage(img);
        p.setDevicePixelRatio(rapporto_);
        return p;
      }
      QPixmap vuota(miniatura_);
      vuota.fill(Qt::transparent);
      return vuota;
    }
    case Qt::ToolTipRole:
      return disegni_[indice.row()].isEmpty()
                 ? QStringLiteral("%1: manca il disegno").arg(divisa)
                 : QStringLiteral("%1: %2").arg(divisa, QDir::toNativeSeparators(disegni_[indice.row()]));
    case Qt::AccessibleTextRole:
      return disegni_[indice.row()].isEmpty() ? QStringLiteral("%1, divisa %2, senza disegno").arg(senzaControlli(p.testo()), divisa)
                                              : QStringLiteral("%1, divisa %2").arg(senzaControlli(p.testo()), divisa);
    default:
      return {};
  }
}

}  // namespace quirlo::editor
