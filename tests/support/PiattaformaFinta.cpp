#include "PiattaformaFinta.h"

#include "Immagini.h"

#include <QTest>
#include <cmath>

namespace quirlo::prova {

int PiattaformaFinta::messaggio(const QString &testo, int flags) {
  messaggi.append({testo, flags});
  if (!risposte.isEmpty())
    return risposte.takeFirst();
  return (flags & 0x7) == Msg::SiNo ? Msg::RispostaNo : Msg::RispostaOk;
}

double PiattaformaFinta::casuale() {
  ++estrazioni;
  if (!numeri.isEmpty())
    return numeri.takeFirst();
  if (numeriFiniti)
    qFatal("the test asked for more random numbers than it scripted");
  // A default that keeps drawing the same word would spin for ever.
  if (estrazioni > 1000000)
    qFatal("endless drawing: the test's random numbers never give distinct words");
  if (numeroPredefinito >= 0)
    return numeroPredefinito;
  sequenza += 0.6180339887498949;
  sequenza -= std::floor(sequenza);
  return sequenza;
}

QImage PiattaformaFinta::caricaImmagine(const QString &percorso, QSize dimensione) {
  immagini.append(percorso);
  return decodificaImmagine(percorso, dimensione);
}

void PiattaformaFinta::azzeraRegistri() {
  messaggi.clear();
  suoni.clear();
  immagini.clear();
  estrazioni = 0;
}

}  // namespace quirlo::prova
