#include "Layout.h"

#include <QImageReader>

#include <QString>
#include <algorithm>
#include <cmath>

namespace quirlo {

QImage immagineIncorporata(const char *risorsa) {
  QImageReader lettore(QString::fromUtf8(risorsa), "PNG");
  lettore.setAutoDetectImageFormat(false);
  return lettore.read();
}

QColor coloreQt(Colore c) {
  if ((c >> 24) == 0x80)
    return QColor(Qt::black);  // Window Text and Button Text
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

int pixelScalato(int twip, double fattore) {
  return int(std::floor(twip * fattore / TwipPerPixel + 0.5));
}

QRect rettangoloScalato(int left, int top, int width, int height, double fattore) {
  return {pixelScalato(left, fattore), pixelScalato(top, fattore), pixelScalato(width, fattore),
          pixelScalato(height, fattore)};
}

int spessore(double fattore) { return std::max(1, int(std::lround(fattore))); }

void sostituisciCaratteri() {
  const QStringList simili{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), simili);
  QFont::insertSubstitutions(QStringLiteral("Arial"), simili);
}

QFont fontQt(const Carattere &c, double fattore) {
  QFont f(QString::fromUtf8(c.famiglia));
  // Points at the 96 dpi the layouts were drawn for, as pixels: the text must
  // keep fitting its label whatever the screen reports.
  f.setPixelSize(std::max(1, int(c.punti * 96.0 / 72.0 * fattore + 0.5)));
  f.setBold(c.grassetto);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace quirlo
