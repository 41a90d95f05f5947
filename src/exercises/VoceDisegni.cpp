#include "VoceDisegni.h"

#include "Piattaforma.h"
#include "Sintesi.h"
#include "Traccia.h"
#include "Voci.h"

#include <QCoreApplication>
#include <QPointer>

namespace quirlo::VoceDisegni {

namespace {

struct Stato {
  QPointer<Voci> voci;
  QString ultima;  // the word asked for last: only its answer is played
};

Stato &stato() {
  static Stato s;
  if (!s.voci) {
    // Children of the application: their threads end with it.
    auto *sintesi = new Sintesi(QCoreApplication::instance());
    s.voci = new Voci(sintesi, QCoreApplication::instance());
    QObject::connect(s.voci, &Voci::pronta, s.voci, [](const QString &parola, const Voce &voce) {
      traccia(QStringLiteral("voce %1 %2").arg(parola, nomeFonte(voce.fonte)));
      if (parola == stato().ultima && !voce.pcm.vuoto() && piattaformaPresente())
        piattaforma().suonaPcm(voce.pcm.dati);
    });
  }
  return s;
}

}  // namespace

void di(const QString &parola) {
  Stato &s = stato();
  s.ultima = parola;
  s.voci->chiedi(parola);
}

}  // namespace quirlo::VoceDisegni
