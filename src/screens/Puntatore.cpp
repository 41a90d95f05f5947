#include "Puntatore.h"

#include "Layout.h"

#include <QHash>
#include <QPixmap>
#include <cmath>

namespace quirlo {

QCursor puntatoreFreccia(double fattore) {
  static const QPixmap figura = QPixmap::fromImage(immagineIncorporata(":/pictures/freccia.png"));
  static const QCursor freccia(figura, 3, 1);
  if (fattore == 1.0)
    return freccia;
  // One cursor per scale in use: a window changes scale rarely and has dozens of controls.
  static QHash<int, QCursor> scalate;
  const int chiave = int(std::lround(fattore * 1000));
  auto it = scalate.find(chiave);
  if (it == scalate.end()) {
    const QPixmap grande = figura.scaled(figura.size() * fattore, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    it = scalate.insert(chiave, QCursor(grande, int(std::lround(3 * fattore)), int(std::lround(1 * fattore))));
  }
  return *it;
}

}  // namespace quirlo
