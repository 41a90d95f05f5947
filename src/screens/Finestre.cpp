#include "Finestre.h"

#include "Adattamento.h"
#include "Didascalia.h"
#include "Piattaforma.h"
#include "Traccia.h"
#include "TracciaFinestre.h"

#include <QHash>
#include <QPointer>
#include <QWindow>

namespace quirlo::Finestre {

namespace {

struct Voce {
  Fabbrica fabbrica;
  QPointer<QWidget> finestra;
  QPointer<QWidget> pronta;  // built by prepara(), not yet loaded
  bool prontaIntera = false;  // the full-screen choice it was built for
};

QHash<int, Voce> &registro() {
  static QHash<int, Voce> r;
  return r;
}

const char *nome(TipoFinestra tipo) {
  switch (tipo) {
    case TipoFinestra::FormAvvio: return "FormAvvio";
    case TipoFinestra::FormMenu: return "FormMenu";
    case TipoFinestra::DISEGNI1: return "DISEGNI1";
    case TipoFinestra::DISEGNI2: return "DISEGNI2";
  }
  return "?";
}

QWidget *costruisci(Voce &voce) {
  QWidget *nuova = voce.fabbrica();
  nuova->setAttribute(Qt::WA_DeleteOnClose);
  nuova->winId();  // the caption is mended on the native window, before it is shown
  didascaliaVuota(nuova->windowHandle());
  return nuova;
}

void scartaPreparate() {
  for (Voce &voce : registro())
    if (QWidget *w = voce.pronta) {
      voce.pronta = nullptr;
      w->deleteLater();
    }
}

}  // namespace

void registra(TipoFinestra tipo, Fabbrica fabbrica) {
  registro()[int(tipo)].fabbrica = std::move(fabbrica);
}

bool mostra(TipoFinestra tipo) {
  tracciaPrimiFrame();
  Voce &voce = registro()[int(tipo)];
  if (!voce.finestra) {
    // A window takes the full-screen choice when it is built: one built
    // before the choice changed (F11 on the menu) is built again.
    if (voce.pronta && voce.prontaIntera != SchermoIntero::attivo())
      scartaPreparate();
    if (!voce.pronta && !voce.fabbrica)
      return false;
    QWidget *nuova = voce.pronta ? voce.pronta.data() : costruisci(voce);
    voce.pronta = nullptr;
    scartaPreparate();
    if (auto *caricabile = dynamic_cast<Caricabile *>(nuova); caricabile && !caricabile->Form_Load()) {
      delete nuova;
      traccia(QStringLiteral("rifiutata %1").arg(QLatin1String(nome(tipo))));
      return false;
    }
    voce.finestra = nuova;
  }
  voce.finestra->show();
  voce.finestra->raise();
  voce.finestra->activateWindow();
  traccia(QStringLiteral("aperta %1 id=0x%2").arg(QLatin1String(nome(tipo))).arg(voce.finestra->winId(), 0, 16));
  return true;
}

void prepara(TipoFinestra tipo) {
  Voce &voce = registro()[int(tipo)];
  if (!voce.finestra && !voce.pronta && voce.fabbrica) {
    voce.pronta = costruisci(voce);
    voce.prontaIntera = SchermoIntero::attivo();
  }
}

void scarica(QWidget *finestra) {
  if (!finestra)
    return;
  for (auto it = registro().begin(); it != registro().end(); ++it) {
    if (it->finestra == finestra) {
      it->finestra = nullptr;
      traccia(QStringLiteral("chiusa %1").arg(QLatin1String(nome(TipoFinestra(it.key())))));
    }
  }
  // Unloading destroys the window: the next show builds and loads it anew.
  finestra->hide();
  finestra->deleteLater();
}

void scarica(TipoFinestra tipo) { scarica(aperta(tipo)); }

QWidget *aperta(TipoFinestra tipo) {
  auto it = registro().constFind(int(tipo));
  return it == registro().constEnd() ? nullptr : it->finestra.data();
}

int quanteAperte() {
  int n = 0;
  for (const Voce &voce : std::as_const(registro()))
    n += voce.finestra ? 1 : 0;
  return n;
}

void terminaProgramma() {
  scartaPreparate();
  for (Voce &voce : registro()) {
    if (QWidget *w = voce.finestra) {
      voce.finestra = nullptr;
      w->hide();
      w->deleteLater();
    }
  }
  traccia(QStringLiteral("fine"));
  piattaforma().termina();
}

}  // namespace quirlo::Finestre
