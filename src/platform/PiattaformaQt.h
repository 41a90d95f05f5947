#pragma once

#include "LettoreSuoni.h"
#include "Piattaforma.h"

#include <random>

namespace quirlo {

// The platform's own services: folders, random numbers, sound and pictures.
// Message boxes are windows, so the programs that show them complete this
// with their own (see PiattaformaFinestre).
class PiattaformaQt : public Piattaforma {
 public:
  QString cartellaProgramma() const override;
  QString cartellaUtente() const override { return cartellaUtenteDelSistema(); }
  void seminaDalOrologio() override;
  double casuale() override;
  void suona(const QString &percorso) override;
  void suonaPcm(std::shared_ptr<const QByteArray> pcm) override;
  std::function<QByteArray(const QString &percorso)> letturaSuoni() override;
  QImage caricaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata) override;
  void termina() override;

  LettoreSuoni &lettore() { return lettore_; }

 private:
  std::mt19937_64 generatore_;
  LettoreSuoni lettore_;
  LettoreSuoni::Lettura lettura_;
};

}  // namespace quirlo
