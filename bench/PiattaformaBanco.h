#pragma once

#include "PiattaformaQt.h"

#include <QStringList>
#include <chrono>

namespace quirlo::banco {

// The game's own platform, with two changes a benchmark needs: the program
// folder can be pointed at a prepared one, and message boxes are recorded
// instead of waiting for a click. Pictures and sounds go through the real code.
class PiattaformaBanco final : public PiattaformaQt {
 public:
  QString cartella;  // empty: the folder the benchmark runs from, as the game does
  QStringList messaggi;
  // Words' voices handed to the player, and when the last one was.
  int voci = 0;
  std::chrono::steady_clock::time_point ultimaVoce;

  QString cartellaProgramma() const override {
    return cartella.isEmpty() ? PiattaformaQt::cartellaProgramma() : cartella;
  }
  int messaggio(const QString &testo, int flags) override {
    messaggi.append(testo);
    return (flags & 0x7) == Msg::SiNo ? Msg::RispostaNo : Msg::RispostaOk;
  }
  void suonaPcm(std::shared_ptr<const QByteArray> pcm) override {
    ultimaVoce = std::chrono::steady_clock::now();
    ++voci;
    PiattaformaQt::suonaPcm(std::move(pcm));
  }
  void seminaDalOrologio() override {}  // the same draws on every run
  void termina() override {}
};

}  // namespace quirlo::banco
