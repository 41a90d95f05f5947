#include "TracciaFinestre.h"

#include "Traccia.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace quirlo {

namespace {

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
  const QString tempi = QStringLiteral(" t=%1 inizio=%2").arg(t).arg(istanteInizio());
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

void tracciaPrimiFrame() {
  static bool installato = false;
  if (installato || !tracciaAttiva() || !QCoreApplication::instance())
    return;
  installato = true;
  QCoreApplication::instance()->installEventFilter(new OsservatoreFrame(QCoreApplication::instance()));
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
