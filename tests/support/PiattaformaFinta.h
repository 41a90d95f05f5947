#pragma once

#include "Piattaforma.h"

#include <QList>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <functional>

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
  // Sounds handed over already decoded (words' voices): their sizes in bytes.
  QList<qsizetype> suoniPcm;
  // Pictures asked for, on the thread that decodes them: read them once
  // that thread is idle (aspettaDisegni).
  QStringList immagini;
  QList<Qt::HANDLE> filiDecodifica;
  // Called on that thread before each picture is decoded, so a test can hold it there.
  std::function<void(const QString &percorso)> primaDiDecodificare;
  int estrazioni = 0;
  int semine = 0;
  int terminazioni = 0;

  QString cartellaProgramma() const override { return cartella; }
  QString cartellaUtente() const override { return utente; }
  int messaggio(const QString &testo, int flags) override;
  void seminaDalOrologio() override { ++semine; }
  double casuale() override;
  void suona(const QString &percorso) override { suoni.append(percorso); }
  void suonaPcm(std::shared_ptr<const QByteArray> pcm) override { suoniPcm.append(pcm ? pcm->size() : -1); }
  // The decoder itself, as the player's module has it.
  std::function<QByteArray(const QString &percorso)> letturaSuoni() override;
  QImage caricaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata) override;
  void termina() override { ++terminazioni; }

  void azzeraRegistri();

 private:
  QMutex mutex_;
};

// Installs itself for the lifetime of a test function.
class PiattaformaInstallata {
 public:
  PiattaformaInstallata() { impostaPiattaforma(&finta); }
  // No picture is still being decoded through it once it is gone.
  ~PiattaformaInstallata();
  PiattaformaFinta finta;
};

}  // namespace quirlo::prova
