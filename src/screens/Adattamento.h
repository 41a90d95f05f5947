#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>

#include "Costruttore.h"

class QMenuBar;
class QWindow;

namespace quirlo {

// Whether windows open in full screen. `--schermo-intero` sets it and F11 in
// any window changes it, so the next window opens as the last one was left.
namespace SchermoIntero {
bool attivo();
void imposta(bool attivo);
}  // namespace SchermoIntero

// The scale at which a client area of `cliente` pixels (its size at scale 1),
// with `fisso` pixels beside it that do not grow (a frame), fills `spazio`
// without passing it in either direction.
double fattorePerSpazio(QSize spazio, QSize cliente, QSize fisso = QSize(0, 0));
// The same, never above 1: a window that fits keeps its size.
double fattoreAdattato(QSize disponibile, QSize cliente, QSize fisso = QSize(0, 0));

// Keeps a top-level window at its scale: as drawn when it fits the screen,
// shrunk when it would not, and grown to fill the screen in full screen with
// the client area centred on the window's own colour. F11 toggles full screen.
class Adattatore : public QObject {
  Q_OBJECT
 public:
  // `cliente` carries the controls; for the start screen and the menu it is
  // the window itself. `barra` is the menu bar, which scales with the rest.
  Adattatore(QWidget *finestra, QWidget *cliente, const Schermata &s, const Controlli &controlli,
             QMenuBar *barra = nullptr);

  double fattore() const { return fattore_; }
  QPoint origine() const { return origine_; }
  void alternaSchermoIntero();
  // Works the scale out again from the screen and the window's state.
  void aggiorna();

 signals:
  void fattoreCambiato(double fattore);
  // Every control has been placed anew (another scale or another centre).
  void controlliSpostati();

 protected:
  bool eventFilter(QObject *oggetto, QEvent *evento) override;

 private:
  bool intero() const;
  // The two ways a window is scaled; each returns the factor, the first also
  // where the scaled client area starts.
  double scalaSchermoIntero(const QRect &area, QPoint &origine);
  double scalaInFinestra(const QRect &disponibile);
  void osservaSchermo();
  void pianifica();
  void scalaMenu(double fattore);
  int altezzaMenu() const;
  // Where the scaled controls start, for a full-screen client area.
  QPoint centra(double fattore) const;
  void fissa(QSize scalato);
  void libera();

  QWidget *finestra_;
  QWidget *cliente_;
  const Schermata &schermata_;
  const Controlli &controlli_;
  QMenuBar *barra_;
  QPointer<QWindow> osservata_;
  QRect ingombro_;  // the controls' bounding rectangle, twips
  QFont fontMenu_;
  double fattoreMenu_ = 1.0;
  double fattore_ = 1.0;
  QPoint origine_;
  bool inCorso_ = false;
  bool pianificato_ = false;
  bool intero_ = false;
};

}  // namespace quirlo
