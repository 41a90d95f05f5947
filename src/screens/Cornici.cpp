// The two frames a card, a slot or a button can wear: the keyboard's, and
// the one round a card chosen by a tap.
#include "Widgets.h"

#include <QApplication>
#include <QPainter>

namespace quirlo {

namespace {

bool tastieraUsata = false;

// Notices the program's first key press, wherever it goes.
class SpiaTastiera : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *oggetto, QEvent *evento) override {
    if (evento->type() == QEvent::KeyPress && !tastieraUsata) {
      tastieraUsata = true;
      QCoreApplication::instance()->removeEventFilter(this);
      if (QWidget *w = QApplication::focusWidget())
        w->update();
    }
    return QObject::eventFilter(oggetto, evento);
  }
};

// Fills the bands of `spessore` pixels just inside `r`.
void riempiBordo(QPainter &p, const QRect &r, int spessore, const QColor &colore) {
  for (const QRect &banda : {QRect(r.left(), r.top(), r.width(), spessore),
                             QRect(r.left(), r.bottom() - spessore + 1, r.width(), spessore),
                             QRect(r.left(), r.top(), spessore, r.height()),
                             QRect(r.right() - spessore + 1, r.top(), spessore, r.height())})
    p.fillRect(banda, colore);
}

// The chosen card's frame: only its border is painted, the card shows through,
// and presses and drops go to what lies beneath.
class CorniceScelta : public QWidget {
 public:
  explicit CorniceScelta(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }
  int spessore = 0;

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    riempiBordo(p, rect(), spessore, Carta::coloreEvidenza());
  }
};

}  // namespace

// Magenta is told apart from the blue of a chosen card, and stands out on the
// white cards, the yellow slots and the grey buttons alike.
QColor coloreFuoco() { return QColor(190, 0, 130); }

bool mostraFuoco(const QWidget *w) {
  static bool spia = false;
  if (!spia && QCoreApplication::instance()) {
    spia = true;
    QCoreApplication::instance()->installEventFilter(new SpiaTastiera(QCoreApplication::instance()));
  }
  return tastieraUsata && w->hasFocus();
}

void disegnaFuoco(QWidget *w, double fattore) {
  QPainter p(w);
  riempiBordo(p, w->rect(), 3 * spessore(fattore), coloreFuoco());
}

void Carta::evidenzia(bool evidenziata) {
  if (evidenziata_ == evidenziata)
    return;
  evidenziata_ = evidenziata;
  if (evidenziata && !cornice_ && parentWidget())
    cornice_ = new CorniceScelta(parentWidget());
  posaCornice();
}

// Deep blue stands out both on the white card and on the green window; the
// cards stand far enough apart for it to lie between them.
void Carta::posaCornice() {
  auto *cornice = static_cast<CorniceScelta *>(cornice_);
  if (!cornice)
    return;
  cornice->setVisible(evidenziata_);
  if (!evidenziata_)
    return;
  cornice->spessore = SpessoreEvidenza * spessore(fattore());
  const int t = cornice->spessore;
  cornice->setGeometry(geometry().adjusted(-t, -t, t, t));
  cornice->raise();
  cornice->update();
}

void Carta::moveEvent(QMoveEvent *event) {
  Etichetta::moveEvent(event);
  posaCornice();
}

void Carta::resizeEvent(QResizeEvent *event) {
  Etichetta::resizeEvent(event);
  posaCornice();
}

}  // namespace quirlo
