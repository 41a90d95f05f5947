// Playing by keyboard: Tab and the arrows walk the enabled cards and then the
// slots; Space or Enter does what a tap does; Esc takes the choice back. The
// keys only move the focus: choosing and dropping go through the tap's path.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <algorithm>

#include "Esercizio.h"
#include "Widgets.h"

namespace quirlo {

namespace {

// Alt opens the menu bar, as on Windows, whatever the desktop style says.
class StileBarra : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption *opzione, const QWidget *widget,
                QStyleHintReturn *ritorno) const override {
    if (hint == SH_MenuBar_AltKeyNavigation)
      return 1;
    return QProxyStyle::styleHint(hint, opzione, widget, ritorno);
  }
};

bool primaInLettura(const QWidget *a, const QWidget *b) {
  return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
}

}  // namespace

void Esercizio::collegaTastiera() {
  auto *stile = new StileBarra;
  stile->setParent(menuBar());
  menuBar()->setStyle(stile);
  auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  f10->setContext(Qt::WindowShortcut);
  // Queued: the bar ignores an Alt that arrives while another key is being handled.
  connect(f10, &QShortcut::activated, this, &Esercizio::apriMenu, Qt::QueuedConnection);
}

QList<QWidget *> Esercizio::ordineTastiera() const {
  QList<QWidget *> carte;
  for (int i = 0; i < int(config_.carte.size()); ++i)
    if (carta(i)->isEnabled())
      carte.append(carta(i));
  // Cards change places with every exercise; slots never do.
  std::sort(carte.begin(), carte.end(), primaInLettura);
  QList<QWidget *> caselle;
  for (int riga = 0; riga < config_.campi; ++riga)
    for (int k = 0; k < config_.parole; ++k)
      caselle.append(casella(riga, k));
  std::sort(caselle.begin(), caselle.end(), primaInLettura);
  return carte + caselle;
}

void Esercizio::spostaFuoco(int passo) {
  const QList<QWidget *> ordine = ordineTastiera();
  if (ordine.isEmpty())
    return;
  const auto n = ordine.size();
  qsizetype i = ordine.indexOf(focusWidget());
  if (i < 0)
    i = passo > 0 ? 0 : n - 1;
  else
    i = ((i + passo) % n + n) % n;
  ordine[i]->setFocus(passo > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool Esercizio::focusNextPrevChild(bool avanti) {
  // A menu bar in keyboard mode keeps its own Tab.
  if (menuBar()->hasFocus())
    return QMainWindow::focusNextPrevChild(avanti);
  spostaFuoco(avanti ? 1 : -1);
  return true;
}

void Esercizio::keyPressEvent(QKeyEvent *evento) {
  if (evento->modifiers() & ~Qt::KeypadModifier) {
    QMainWindow::keyPressEvent(evento);
    return;
  }
  switch (evento->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
      spostaFuoco(1);
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
      spostaFuoco(-1);
      break;
    case Qt::Key_Escape:
      deseleziona();
      break;
    default:
      QMainWindow::keyPressEvent(evento);
      return;
  }
  evento->accept();
}

void Esercizio::apriMenu() {
  // The bar's own keyboard mode, the one a lone Alt gives: first entry lit,
  // arrows to move, Enter to choose, Esc to leave with the focus given back.
  // The bar listens for Alt where the keyboard is, as a real Alt arrives.
  QWidget *dove = focusWidget() ? focusWidget() : this;
  QKeyEvent alt(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(dove, &alt);
  QKeyEvent premuto(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(dove, &premuto);
  QKeyEvent lasciato(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(dove, &lasciato);
}

}  // namespace quirlo
