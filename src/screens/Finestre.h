#pragma once

#include <QWidget>
#include <functional>

namespace quirlo {

enum class TipoFinestra { FormAvvio, FormMenu, DISEGNI1, DISEGNI2 };

// A window whose load handler runs before it is first displayed. A load that
// returns false means the window could not open; it is destroyed unseen.
class Caricabile {
 public:
  virtual ~Caricabile() = default;
  virtual bool Form_Load() = 0;
};

// One instance per kind of window, made on first show and destroyed on unload.
// Windows open one another by kind, so no window needs to know another's class.
namespace Finestre {

using Fabbrica = std::function<QWidget *()>;

void registra(TipoFinestra tipo, Fabbrica fabbrica);
// Shows the window modeless, loading it first when needed. False when its load refused.
bool mostra(TipoFinestra tipo);
// Builds the window, hidden and not loaded, while the user reads the one on
// screen, so that showing it later only loads it. Showing any window drops
// the other prepared ones.
void prepara(TipoFinestra tipo);
void scarica(TipoFinestra tipo);
void scarica(QWidget *finestra);
QWidget *aperta(TipoFinestra tipo);
int quanteAperte();
// Closes every window and ends the program.
void terminaProgramma();

}  // namespace Finestre
}  // namespace quirlo
