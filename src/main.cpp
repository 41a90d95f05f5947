#include "Adattamento.h"
#include "CaratteriInAnticipo.h"
#include "Disegni.h"
#include "FormSemplice.h"
#include "Finestre.h"
#include "Layout.h"
#include "Modulo1.h"
#include "ModuloColoriSuoni.h"
#include "PiattaformaFinestre.h"
#include "PrimoFrame.h"
#include "TestiInAnticipo.h"
#include "Uscita.h"

#include <QApplication>

using namespace quirlo;

int main(int argc, char *argv[]) {
  CaratteriInAnticipo caratteri;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quirlo"));
  // Ties the window to the menu entry and its icon where the compositor asks
  // (Wayland); on X11 the entry's StartupWMClass matches the class "Quirlo".
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quirlo"));
  sostituisciCaratteri();
  caratteri.apri(caratteriDi(schermataAvvio()));

  // The one option: a classroom board shows the game on the whole screen.
  // Anything else on the command line is ignored.
  if (QApplication::arguments().contains(QStringLiteral("--schermo-intero")))
    SchermoIntero::imposta(true);

  PiattaformaFinestre piattaformaQt;
  impostaPiattaforma(&piattaformaQt);

  Finestre::registra(TipoFinestra::FormAvvio, [] { return new FormAvvio; });
  Finestre::registra(TipoFinestra::FormMenu, [] { return new FormMenu; });
  Finestre::registra(TipoFinestra::DISEGNI1, [] { return new DISEGNI1; });
  Finestre::registra(TipoFinestra::DISEGNI2, [] { return new DISEGNI2; });

  Modulo1::Main();

  // Decode the five sounds and open the audio output once the start screen has
  // painted its first frame, so neither that frame nor a drop waits on disk or
  // on the sound server; then, while the child reads the start screen, make
  // ready the letters of the windows to come and build the menu.
  dopoPrimoFrame(Finestre::aperta(TipoFinestra::FormAvvio), [&piattaformaQt, &caratteri] {
    caratteri.attendi();
    for (const QString &suono : ModuloColoriSuoni::percorsiSuoni())
      piattaformaQt.lettore().precarica(suono);
    for (const Schermata *s : {&schermataMenu(), &schermataDisegni1(), &schermataDisegni2()})
      preparaTesti(*s);
    Finestre::prepara(TipoFinestra::FormMenu);
  });

  return fineProgramma(QApplication::exec());
}
