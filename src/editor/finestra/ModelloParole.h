#pragma once

#include "Archivio.h"

#include <QAbstractListModel>
#include <QSize>

namespace quirlo::editor {

class Miniature;

// A list's words for a view: the division as a caption, the drawing as the
// child sees it in its frame.
class ModelloParole : public QAbstractListModel {
  Q_OBJECT
 public:
  ModelloParole(Miniature *miniature, QObject *parent = nullptr);

  // `rapporto`: device pixels per pixel of the screen shown on (2 at 200 %).
  void imposta(const Cartelle &cartelle, const ListaAperta &aperta, QSize miniatura, qreal rapporto);
  int rowCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &indice, int ruolo) const override;
  QString disegno(int riga) const { return disegni_.value(riga); }

 private:
  Miniature *miniature_;
  QList<Parola> parole_;
  QStringList disegni_;  // full paths; empty where a word has none
  QSize miniatura_;
  qreal rapporto_ = 1;
};

}  // namespace quirlo::editor
