// Playing by keyboard: Tab walks the enabled cards, then the slots, then the
// drawings, in reading order; the arrows move across the screen, Left and
// Right along the row the frame is in, Up and Down to the nearest control of
// the row above or below. Space or Enter does what a tap does (on a drawing:
// says its word); Esc takes the choice back. The keys only move the focus:
// choosing and dropping go through the tap's path.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <algorithm>
#include <cstdlib>

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
  for (int i = 0; i < int(regole().carte.size()); ++i)
    if (carta(i)->isEnabled())
      carte.append(carta(i));
  // Cards change places with every exercise; slots never do.
  std::sort(carte.begin(), carte.end(), primaInLettura);
  QList<QWidget *> caselle;
  for (int riga = 0; riga < regole().campi(); ++riga)
    for (int k = 0; k < regole().parole(); ++k)
      caselle.append(casella(riga, k));
  std::sort(caselle.begin(), caselle.end(), primaInLettura);
  QList<QWidget *> disegni;
  for (int k = 0; k < regole().parole(); ++k)
    disegni.append(cornice(k));
  std::sort(disegni.begin(), disegni.end(), primaInLettura);
  return carte + caselle + disegni;
}

QList<QList<QWidget *>> Esercizio::righeTastiera() const {
  QList<QList<QWidget *>> righe;
  QList<QWidget *> ordine = ordineTastiera();
  std::stable_sort(ordine.begin(), ordine.end(), primaInLettura);
  for (QWidget *w : ordine) {
    if (righe.isEmpty() || righe.last().first()->y() != w->y())
      righe.append(QList<QWidget *>());
    righe.last().append(w);
  }
  return righe;
}

void Esercizio::muoviFreccia(int colonne, int righe) {
  const QList<QList<QWidget *>> tutte = righeTastiera();
  qsizetype r = -1, c = -1;
  for (qsizetype i = 0; i < tutte.size() && r < 0; ++i)
    if ((c = tutte[i].indexOf(focusWidget())) >= 0)
      r = i;
  if (r < 0) {
    spostaFuoco(colonne + righe > 0 ? 1 : -1);
    return;
  }
  QWidget *da = tutte[r][c];
  QWidget *a = da;
  if (colonne != 0) {
    // The row's ends are where the frame stops: the child sees there is no more.
    a = tutte[r][std::clamp<qsizetype>(c + colonne, 0, tutte[r].size() - 1)];
  } else if (r + righe >= 0 && r + righe < tutte.size()) {
    const int centro = da->geometry().center().x();
    const auto distanza = [centro](const QWidget *w) { return std::abs(w->geometry().center().x() - centro); };
    const QList<QWidget *> &riga = tutte[r + righe];
    a = *std::min_element(riga.begin(), riga.end(),
                          [&](const QWidget *x, const QWidget *y) { return distanza(x) < distanza(y); });
  }
  a->setFocus(Qt::OtherFocusReason);
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
    case Qt::Key_Right: muoviFreccia(1, 0); break;
    case Qt::Key_Left: muoviFreccia(-1, 0); break;
    case Qt::Key_Down: muoviFreccia(0, 1); break;
    case Qt::Key_Up: muoviFreccia(0, -1); break;
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
