#pragma once

#include "PiattaformaQt.h"

#include <QStringList>

namespace quirlo::banco {

// The game's own platform, with two changes a benchmark needs: the program
// folder can be pointed at a prepared one, and message boxes are recorded
// instead of waiting for a click. Pictures and sounds go through the real code.
class PiattaformaBanco final : public Piattaforma {
 public:
  QString cartella;  // empty: the folder the benchmark runs from, as the game does
  QStringList messaggi;

  QString cartellaProgramma() const override {
    return cartella.isEmpty() ? qt_.cartellaProgramma() : cartella;
  }
  int messaggio(const QString &testo, int flags) override {
    messaggi.append(testo);
    return (flags & 0x7) == Msg::SiNo ? Msg::RispostaNo : Msg::RispostaOk;
  }
  void seminaDalOrologio() override {}  // the same draws on every run
  double casuale() override { return qt_.casuale(); }
  void suona(const QString &percorso) override { qt_.suona(percorso); }
  QImage caricaImmagine(const QString &percorso, QSize dimensione) override {
    return qt_.caricaImmagine(percorso, dimensione);
  }
  void termina() override {}

  LettoreSuoni &lettore() { return qt_.lettore(); }

 private:
  PiattaformaQt qt_;
};

}  // namespace quirlo::banco
