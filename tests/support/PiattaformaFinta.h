#pragma once

#include "Piattaforma.h"

#include <QList>

#include <QStringList>

namespace quirlo::prova {

// A scripted platform: random numbers and message-box answers come from
// queues the test fills; sounds, boxes and pictures are recorded.
class PiattaformaFinta final : public Piattaforma {
 public:
  struct Messaggio {
    QString testo;
    int flags;
  };

  QString cartella;
  QString utente;  // the user's folder; empty: none
  QList<double> numeri;
  // When the queue runs dry: a fixed number, or (when negative) a sequence
  // that spreads evenly over [0, 1), so long runs need no script.
  double numeroPredefinito = -1.0;
  double sequenza = 0.0;
  bool numeriFiniti = false;  // draws past the queue fail the test
  QList<int> risposte;
  QList<Messaggio> messaggi;
  QStringList suoni;
  QStringList immagini;
  int estrazioni = 0;
  int semine = 0;
  int terminazioni = 0;

  QString cartellaProgramma() const override { return cartella; }
  QString cartellaUtente() const override { return utente; }
  int messaggio(const QString &testo, int flags) override;
  void seminaDalOrologio() override { ++semine; }
  double casuale() override;
  void suona(const QString &percorso) override { suoni.append(percorso); }
  QImage caricaImmagine(const QString &percorso, QSize dimensione) override;
  void termina() override { ++terminazioni; }

  void azzeraRegistri();
};

// Installs itself for the lifetime of a test function.
class PiattaformaInstallata {
 public:
  PiattaformaInstallata() { impostaPiattaforma(&finta); }
  ~PiattaformaInstallata() { impostaPiattaforma(nullptr); }
  PiattaformaFinta finta;
};

}  // namespace quirlo::prova
