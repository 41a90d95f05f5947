#include "Disegni.h"
#include "FormSemplice.h"
#include "Finestre.h"
#include "Modulo1.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaQt.h"

#include <QApplication>
#include <QFont>
#include <QTimer>
#include <functional>
#include <utility>
#include <unistd.h>

using namespace quirlo;

namespace {

// Runs `azione` once, right after `finestra` has painted for the first time:
// the zero timer fires when the frame has been handed to the screen. Without
// a window the action runs at once; should the window never paint, the
// sounds are decoded at their first use instead.
void dopoPrimoFrame(QWidget *finestra, std::function<void()> azione) {
  class Osservatore : public QObject {
   public:
    Osservatore(QWidget *w, std::function<void()> a) : QObject(w), azione_(std::move(a)) { w->installEventFilter(this); }

   protected:
    bool eventFilter(QObject *o, QEvent *e) override {
      if (e->type() == QEvent::Paint && azione_) {
        o->removeEventFilter(this);
        QTimer::singleShot(0, qApp, std::exchange(azione_, nullptr));
      }
      return false;
    }

   private:
    std::function<void()> azione_;
  };
  if (finestra)
    new Osservatore(finestra, std::move(azione));
  else
    QTimer::singleShot(0, qApp, std::move(azione));
}

}  // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quirlo"));
  // The layouts were drawn for these faces; Liberation Sans keeps Arial's metrics.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

  PiattaformaQt piattaformaQt;
  impostaPiattaforma(&piattaformaQt);

  Finestre::registra(TipoFinestra::FormAvvio, [] { return new FormAvvio; });
  Finestre::registra(TipoFinestra::FormMenu, [] { return new FormMenu; });
  Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
  Finestre::registra(TipoFinestra::DISEGNI2, [] { return new DISEGNI2; });

  Modulo1::Main();

  // Decode the five sounds and open the audio output once the start screen has
  // painted its first frame, so neither that frame nor a drop waits on disk or
  // on the sound server.
  dopoPrimoFrame(Finestre::aperta(TipoFinestra::FormAvvio), [&piattaformaQt] {
    for (int n = 1; n <= ModuloColoriSuoni::SuoniEsatti; ++n)
      piattaformaQt.lettore().precarica(ModuloColoriSuoni::percorsoSuonoEsatto(n));
    piattaformaQt.lettore().precarica(ModuloColoriSuoni::percorsoSuonoErrato());
  });

  const int esito = QApplication::exec();
  // Qt Multimedia can abort inside the sound server's library while shutting
  // down; the program writes nothing, so leave at once.
  std::fflush(nullptr);
  _exit(esito);
}
