#include "Traccia.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quirlo {

namespace {

// Taken while the program's statics are set up, just before main() runs.
const qint64 InizioProgramma = istanteMicro();

QString centro(const QWidget *w, const QRect &r) {
  const QPoint c = w->mapToGlobal(r.center());
  return QStringLiteral("%1|%2").arg(c.x()).arg(c.y());
}

// "<name> t=<us> inizio=<us> pulsanti=<name>|x|y;... menu=<name>|x|y;...", centres on the screen.
QString descriviFrame(const QWindow *finestra, qint64 t) {
  QWidget *w = nullptr;
  for (QWidget *candidata : QApplication::topLevelWidgets())
    if (candidata->windowHandle() == finestra)
      w = candidata;
  const QString tempi = QStringLiteral(" t=%1 inizio=%2").arg(t).arg(InizioProgramma);
  if (!w)
    return finestra->objectName() + tempi;
  QString nome = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
  nome += tempi;
  QStringList pulsanti;
  for (const QAbstractButton *b : w->findChildren<QAbstractButton *>())
    if (b->isVisible())
      pulsanti << (b->objectName().isEmpty() ? b->text() : b->objectName()) + QLatin1Char('|') + centro(b, b->rect());
  QStringList menu;
  for (const QMenuBar *barra : w->findChildren<QMenuBar *>())
    for (QAction *a : barra->actions())
      if (!a->objectName().isEmpty())
        menu << a->objectName() + QLatin1Char('|') + centro(barra, barra->actionGeometry(a));
  nome += QStringLiteral(" pulsanti=%1 menu=%2").arg(pulsanti.join(QLatin1Char(';')), menu.join(QLatin1Char(';')));
  return nome;
}

class OsservatoreFrame : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *o, QEvent *e) override {
    if (e->type() == QEvent::MouseButtonRelease && e->spontaneous() && o->isWindowType()) {
      traccia(QStringLiteral("rilascio t=%1").arg(istanteMicro()));
    } else if (e->type() == QEvent::Expose && o->isWindowType()) {
      auto *finestra = static_cast<QWindow *>(o);
      if (finestra->isExposed() && !finestra->property(Dipinta).toBool()) {
        finestra->setProperty(Dipinta, true);
        // Deliver the expose now, which paints the window and flushes it to the
        // screen, so the time written is that of a frame really shown.
        QCoreApplication::sendEvent(finestra, e);
        traccia(QStringLiteral("dipinta ") + descriviFrame(finestra, istanteMicro()));
        return true;
      }
    }
    return false;
  }

 private:
  static constexpr const char *Dipinta = "quirloDipinta";
};

}  // namespace

bool tracciaAttiva() {
  static const bool attiva = std::getenv("QUIRLO_TRACCIA") != nullptr;
  return attiva;
}

void traccia(const QString &riga) {
  if (!tracciaAttiva())
    return;
  const QByteArray testo = riga.toUtf8();
  std::fprintf(stderr, "QUIRLO %s\n", testo.constData());
  std::fflush(stderr);
}

qint64 istanteMicro() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

void tracciaPrimiFrame() {
  static bool installato = false;
  if (installato || !tracciaAttiva() || !QCoreApplication::instance())
    return;
  installato = true;
  QCoreApplication::instance()->installEventFilter(new OsservatoreFrame(QCoreApplication::instance()));
}

}  // namespace quirlo
