#include "TestiInAnticipo.h"

#include "Layout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSet>

namespace quirlo {

namespace {

// Every letter a card, a counter or a caption may show.
const QString &lettere() {
  static const QString tutte = QStringLiteral(
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 "
      "\u00C0\u00C8\u00C9\u00CC\u00D2\u00D9\u00E0\u00E8\u00E9\u00EC\u00F2\u00F9'");
  return tutte;
}

void prepara(QPainter &p, const QFont &font) {
  p.setFont(font);
  QFontMetrics(font).height();
  p.drawText(QPoint(0, 20), lettere());
}

}  // namespace

QList<QFont> caratteriDi(const Schermata &s) {
  QList<QFont> caratteri;
  QSet<QString> visti;
  const auto una = [&](const QFont &font) {
    if (!visti.contains(font.key())) {
      visti.insert(font.key());
      caratteri.append(font);
    }
  };
  una(fontQt(s.carattere));
  for (const Controllo &c : s.controlli)
    if (c.carattere.famiglia)
      una(fontQt(c.carattere));
  if (!s.menu.empty()) {
    una(QApplication::font("QMenuBar"));
    una(QApplication::font("QMenu"));
  }
  return caratteri;
}

void preparaTesti(const Schermata &s) {
  // The format of a window's backing store on an opaque screen: the cached
  // letters are those that window will draw with.
  QImage foglio(8, 8, QImage::Format_RGB32);
  QPainter p(&foglio);
  for (const QFont &font : caratteriDi(s))
    prepara(p, font);
}

}  // namespace quirlo
