#include "Adattamento.h"

#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "Traccia.h"

namespace quirlo {

namespace SchermoIntero {
namespace {
bool intero = false;
}
bool attivo() {
  return intero;
}
void imposta(bool attivo) {
  intero = attivo;
}
}  // namespace SchermoIntero

namespace {
// Below this a window would be unreadable anyway; it also keeps a screen that
// reports no size at all from giving a window of nothing.
constexpr double FattoreMinimo = 0.25;
}  // namespace

double fattorePerSpazio(QSize spazio, QSize cliente, QSize fisso) {
  if (cliente.width() <= 0 || cliente.height() <= 0)
    return 1.0;
  const double orizzontale = double(spazio.width() - fisso.width()) / cliente.width();
  const double verticale = double(spazio.height() - fisso.height()) / cliente.height();
  return std::max(FattoreMinimo, std::min(orizzontale, verticale));
}

double fattoreAdattato(QSize disponibile, QSize cliente, QSize fisso) {
  return std::min(1.0, fattorePerSpazio(disponibile, cliente, fisso));
}

Adattatore::Adattatore(QWidget *finestra, QWidget *cliente, const Schermata &s, const Controlli &controlli,
                       QMenuBar *barra)
    : QObject(finestra), finestra_(finestra), cliente_(cliente), schermata_(s), controlli_(controlli), barra_(barra),
      ingombro_(ingombro(s)) {
  if (barra_)
    fontMenu_ = barra_->font();
  auto *f11 = new QShortcut(QKeySequence(Qt::Key_F11), finestra_);
  f11->setContext(Qt::WindowShortcut);
  connect(f11, &QShortcut::activated, this, &Adattatore::alternaSchermoIntero);
  finestra_->installEventFilter(this);
  if (cliente_ != finestra_)
    cliente_->installEventFilter(this);
  intero_ = SchermoIntero::attivo();
  if (intero_)
    finestra_->setWindowState(finestra_->windowState() | Qt::WindowFullScreen);
  aggiorna();
}

// The game's own choice, not the window state the platform reports: with no
// window manager X11 reports every full screen asked for at run time refused.
bool Adattatore::intero() const {
  return intero_;
}

void Adattatore::alternaSchermoIntero() {
  const bool diventaIntero = !intero();
  intero_ = diventaIntero;
  SchermoIntero::imposta(diventaIntero);
  if (diventaIntero)
    finestra_->showFullScreen();
  else
    finestra_->showNormal();
  aggiorna();
}

int Adattatore::altezzaMenu() const {
  return barra_ ? barra_->sizeHint().height() : 0;
}

void Adattatore::scalaMenu(double fattore) {
  if (!barra_ || fattore == fattoreMenu_)
    return;
  fattoreMenu_ = fattore;
  QFont f = fontMenu_;
  if (fontMenu_.pixelSize() > 0)
    f.setPixelSize(std::max(1, int(fontMenu_.pixelSize() * fattore + 0.5)));
  else
    f.setPointSizeF(fontMenu_.pointSizeF() * fattore);
  barra_->setFont(f);
  // Drop-down menus are windows of their own and take no font from the bar.
  for (QMenu *tendina : barra_->findChildren<QMenu *>())
    tendina->setFont(f);
}

QPoint Adattatore::centra(double fattore) const {
  const QSize spazio = cliente_->size();
  const QSize scalato = dimensioneCliente(schermata_, fattore);
  // Across, the controls themselves are centred: the start screen and the
  // menu were drawn left of their window's middle. Down, the window's area
  // is, so the menu bar keeps the exercises' drawings close under it.
  const int sinistra = pixelScalato(ingombro_.left(), fattore);
  const int larghezza = pixelScalato(ingombro_.left() + ingombro_.width(), fattore) - sinistra;
  return {(spazio.width() - larghezza) / 2 - sinistra, std::max(0, (spazio.height() - scalato.height()) / 2)};
}

void Adattatore::fissa(QSize scalato) {
  cliente_->setFixedSize(scalato);
  if (cliente_ != finestra_ && finestra_->layout())
    finestra_->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Adattatore::libera() {
  // A fixed-size layout leaves its size on the window as minimum and maximum.
  for (QWidget *w : {finestra_, cliente_}) {
    if (w->layout())
      w->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

double Adattatore::scalaSchermoIntero(const QRect &area, QPoint &origine) {
  const QSize base = dimensioneCliente(schermata_, 1.0);
  // The menu bar grows with the window: first guess it in proportion, then
  // measure it at that scale and fit the client area in what is left. Font
  // sizes round, so the bar at the final scale may be a pixel taller than
  // the one measured: measure again until the client area fits under it
  // (a smaller factor never makes the bar taller, so this ends at once).
  scalaMenu(1.0);
  double fattore = fattorePerSpazio(area.size(), base + QSize(0, altezzaMenu()));
  scalaMenu(fattore);
  for (int barra = altezzaMenu(), prove = 0; prove < 4; ++prove) {
    fattore = fattorePerSpazio(area.size(), base, {0, barra});
    scalaMenu(fattore);
    const int misurata = altezzaMenu();
    if (misurata <= barra)
      break;
    barra = misurata;
  }
  libera();
  // Without a window manager nobody else gives the window the whole screen.
  if (finestra_->isVisible() && finestra_->geometry() != area)
    finestra_->setGeometry(area);
  origine = centra(fattore);
  return fattore;
}

double Adattatore::scalaInFinestra(const QRect &disponibile) {
  const QSize base = dimensioneCliente(schermata_, 1.0);
  const QSize cornice =
      finestra_->isVisible() ? finestra_->frameGeometry().size() - finestra_->geometry().size() : QSize(0, 0);
  scalaMenu(1.0);
  double fattore = fattoreAdattato(disponibile.size(), base + QSize(0, altezzaMenu()), cornice);
  if (fattore < 1.0) {
    scalaMenu(fattore);
    fattore = fattoreAdattato(disponibile.size(), base, cornice + QSize(0, altezzaMenu()));
    scalaMenu(fattore);
  }
  fissa(dimensioneCliente(schermata_, fattore));
  // A window shrunk to fit must also lie where it fits.
  if (fattore < 1.0 && finestra_->isVisible() && !disponibile.contains(finestra_->frameGeometry()))
    finestra_->move(disponibile.topLeft());
  return fattore;
}

void Adattatore::aggiorna() {
  QScreen *schermo = finestra_->screen();
  if (inCorso_ || !schermo)
    return;
  inCorso_ = true;
  QPoint origine;
  const double fattore =
      intero() ? scalaSchermoIntero(schermo->geometry(), origine) : scalaInFinestra(schermo->availableGeometry());
  const bool nuovo = fattore != fattore_;
  const bool spostati = nuovo || origine != origine_;
  if (spostati) {
    fattore_ = fattore;
    origine_ = origine;
    applicaScala(controlli_, fattore_, origine_);
  }
  inCorso_ = false;
  traccia(QStringLiteral("scala %1 intero=%2 fattore=%3 origine=%4,%5 finestra=%6x%7")
              .arg(finestra_->objectName())
              .arg(intero() ? 1 : 0)
              .arg(fattore_, 0, 'f', 4)
              .arg(origine_.x())
              .arg(origine_.y())
              .arg(finestra_->width())
              .arg(finestra_->height()));
  if (nuovo)
    emit fattoreCambiato(fattore_);
  if (spostati)
    emit controlliSpostati();
}

void Adattatore::osservaSchermo() {
  // The native window exists once the window is shown; it tells when it moves
  // to another screen (a projector plugged in, a window dragged across).
  QWindow *nativa = finestra_->windowHandle();
  if (!nativa || nativa == osservata_)
    return;
  osservata_ = nativa;
  connect(nativa, &QWindow::screenChanged, this, &Adattatore::pianifica);
}

void Adattatore::pianifica() {
  // The platform may report a change of state more than once on the way (with
  // no window manager the full screen is first refused, then given): work the
  // scale out once, on the state it settles in.
  if (pianificato_)
    return;
  pianificato_ = true;
  QTimer::singleShot(0, this, [this] {
    pianificato_ = false;
    aggiorna();
  });
}

bool Adattatore::eventFilter(QObject *oggetto, QEvent *evento) {
  switch (evento->type()) {
    case QEvent::WindowStateChange:
      // A window manager's own full-screen command counts as F11.
      if (oggetto == finestra_ && (finestra_->windowState() & Qt::WindowFullScreen) && !intero_) {
        intero_ = true;
        SchermoIntero::imposta(true);
      }
      if (oggetto == finestra_)
        pianifica();
      break;
    case QEvent::Show:
      if (oggetto == finestra_) {
        osservaSchermo();
        pianifica();
      }
      break;
    case QEvent::Resize:
      // The client area's own size decides where the scaled layout is centred.
      if (oggetto == cliente_ && intero() && !inCorso_) {
        const QPoint origine = centra(fattore_);
        if (origine != origine_) {
          origine_ = origine;
          applicaScala(controlli_, fattore_, origine_);
          emit controlliSpostati();
        }
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(oggetto, evento);
}

}  // namespace quirlo
