#include "Layout.h"

#include <QString>

namespace quirlo {

QColor coloreQt(Colore c) {
  if ((c >> 24) == 0x80)
    return QColor(Qt::black);  // Window Text and Button Text
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QFont fontQt(const Carattere &c) {
  QFont f(QString::fromUtf8(c.famiglia));
  // Points at the 96 dpi the layouts were drawn for, as pixels: the text must
  // keep fitting its label whatever the screen reports.
  f.setPixelSize(int(c.punti * 96.0 / 72.0 + 0.5));
  f.setBold(c.grassetto);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace quirlo
