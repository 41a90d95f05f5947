#pragma once

#include "LettoreSuoni.h"
#include "Piattaforma.h"

#include <random>

namespace quirlo {

// The user's data folder on this system: ~/.local/share/quirlo (under
// $XDG_DATA_HOME when set), %APPDATA%\Quirlo on Windows. Not created.
QString cartellaUtenteDelSistema();

class PiattaformaQt final : public Piattaforma {
 public:
  PiattaformaQt();

  QString cartellaProgramma() const override;
  QString cartellaUtente() const override { return cartellaUtenteDelSistema(); }
  int messaggio(const QString &testo, int flags) override;
  void seminaDalOrologio() override;
  double casuale() override;
  void suona(const QString &percorso) override;
  QImage caricaImmagine(const QString &percorso, QSize dimensione) override;
  void termina() override;

  LettoreSuoni &lettore() { return lettore_; }

 private:
  std::mt19937_64 generatore_;
  LettoreSuoni lettore_;
};

}  // namespace quirlo
