#include "PrimoFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace quirlo {

namespace {

// A paint event reaches the top-level widget while its frame is being drawn;
// a zero timer started then fires once that frame has been flushed.
class Osservatore : public QObject {
 public:
  Osservatore(QWidget *finestra, std::function<void()> azione) : QObject(finestra), azione_(std::move(azione)) {
    finestra->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject *oggetto, QEvent *evento) override {
    if (evento->type() == QEvent::Paint && azione_) {
      oggetto->removeEventFilter(this);
      QTimer::singleShot(0, QCoreApplication::instance(), std::exchange(azione_, nullptr));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> azione_;
};

}  // namespace

void dopoPrimoFrame(QWidget *finestra, std::function<void()> azione) {
  if (finestra)
    new Osservatore(finestra, std::move(azione));
  else
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(azione));
}

}  // namespace quirlo
