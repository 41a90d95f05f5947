#include "Traccia.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QStringList>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

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
  // Written whole: a NUL in the text must not end the line early.
  std::fputs("QUIRLO ", stderr);
  std::fwrite(testo.constData(), 1, size_t(testo.size()), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

qint64 istanteMicro() {
  // The monotonic clock that every process reads alike (CLOCK_MONOTONIC on
  // Linux, the performance counter on Windows).
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void tracciaPrimiFrame() {
  static bool installato = false;
  if (installato || !tracciaAttiva() || !QCoreApplication::instance())
    return;
  installato = true;
  QCoreApplication::instance()->installEventFilter(new OsservatoreFrame(QCoreApplication::instance()));
}

QString testoInRiga(const QString &testo) {
  QString t;
  t.reserve(testo.size());
  for (const QChar c : testo) {
    const char16_t u = c.unicode();
    if (u == u'\\')
      t += QLatin1String("\\\\");
    else if (u == u'\r')
      t += QLatin1String("\\r");
    else if (u == u'\n')
      t += QLatin1String("\\n");
    else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
      t += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    else
      t += c;
  }
  return t;
}

namespace {

// Showing the widget arms it; the next exposure of its native window fires the
// action, queued so that the paint the exposure asks for comes first.
class Esposizione : public QObject {
 public:
  Esposizione(QWidget *w, std::function<void()> azione) : QObject(w), widget_(w), azione_(std::move(azione)) {
    w->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject *o, QEvent *e) override {
    if (o == widget_ && e->type() == QEvent::Show) {
      armata_ = true;
      QWindow *finestra = widget_->windowHandle();
      if (finestra && finestra != osservata_) {
        osservata_ = finestra;
        finestra->installEventFilter(this);
      }
    } else if (o == osservata_ && e->type() == QEvent::Expose && armata_ && osservata_->isExposed()) {
      armata_ = false;
      QTimer::singleShot(0, this, [this] { azione_(); });
    }
    return false;
  }

 private:
  QWidget *widget_;
  QPointer<QWindow> osservata_;
  std::function<void()> azione_;
  bool armata_ = false;
};

}  // namespace

void quandoEsposta(QWidget *w, std::function<void()> azione) {
  if (tracciaAttiva() && w)
    new Esposizione(w, std::move(azione));
}

void tracciaTendine(QWidget *finestra) {
  if (!tracciaAttiva())
    return;
  for (QMenu *tendina : finestra->findChildren<QMenu *>())
    quandoEsposta(tendina, [tendina] {
      QStringList voci;
      for (QAction *a : tendina->actions()) {
        const QPoint c = tendina->mapToGlobal(tendina->actionGeometry(a).center());
        voci << QStringLiteral("%1|%2|%3|%4").arg(a->objectName()).arg(a->isChecked() ? 1 : 0).arg(c.x()).arg(c.y());
      }
      traccia(QStringLiteral("tendina %1 %2").arg(tendina->objectName(), voci.join(QLatin1Char(';'))));
    });
}

}  // namespace quirlo
