#include "Adattamento.h"
#include "Disegni.h"
#include "FormSemplice.h"
#include "Finestre.h"
#include "Modulo1.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaQt.h"
#include "PrimoFrame.h"
#include "Uscita.h"

#include <QApplication>
#include <QFont>

using namespace quirlo;

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quirlo"));
  // Ties the window to the menu entry and its icon where the compositor asks
  // (Wayland); on X11 the entry's StartupWMClass matches the class "Quirlo".
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quirlo"));
  // The layouts were drawn for these faces; Liberation Sans keeps Arial's metrics.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

  // The one option: a classroom board shows the game on the whole screen.
  // Anything else on the command line is ignored.
  if (QApplication::arguments().contains(QStringLiteral("--schermo-intero")))
    SchermoIntero::imposta(true);

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

  return fineProgramma(QApplication::exec());
}
