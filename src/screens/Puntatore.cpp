#include "Puntatore.h"

#include <QPixmap>

namespace quirlo {

QCursor puntatoreFreccia() {
  static const QCursor freccia(QPixmap(QStringLiteral(":/pictures/freccia.png")), 3, 1);
  return freccia;
}

}  // namespace quirlo
