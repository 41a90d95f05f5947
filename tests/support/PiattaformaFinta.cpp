#include "PiattaformaFinta.h"

#include "CaricatoreImmagini.h"
#include "DecodificaSuoni.h"
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

QImage PiattaformaFinta::caricaImmagine(const QString &percorso, QSize dimensione,
                                        const std::atomic<bool> &annullata) {
  {
    QMutexLocker blocco(&mutex_);
    immagini.append(percorso);
    filiDecodifica.append(QThread::currentThreadId());
  }
  if (primaDiDecodificare)
    primaDiDecodificare(percorso);
  return decodificaImmagine(percorso, dimensione, &annullata);
}

PiattaformaInstallata::~PiattaformaInstallata() {
  CaricatoreImmagini::attendiFilo();
  impostaPiattaforma(nullptr);
}

void PiattaformaFinta::azzeraRegistri() {
  messaggi.clear();
  suoni.clear();
  suoniPcm.clear();
  CaricatoreImmagini::attendiFilo();
  immagini.clear();
  filiDecodifica.clear();
  estrazioni = 0;
}

std::function<QByteArray(const QString &percorso)> PiattaformaFinta::letturaSuoni() {
  return [](const QString &percorso) { return decodificaSuono(percorso); };
}

}  // namespace quirlo::prova
