#pragma once

#include "Archivio.h"
#include "LettoreSuoni.h"

#include <QByteArray>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace quirlo {
class Microfono;
class Voci;
struct Voce;
}  // namespace quirlo

namespace quirlo::editor {

// The voice of the word in its dialog: which one the game would play, and
// her own, recorded or from a file, or the computer's in its place. What she
// chooses is written only when the word is saved.
class SezioneVoce : public QWidget {
  Q_OBJECT
 public:
  explicit SezioneVoce(const Cartelle &cartelle, QWidget *parent = nullptr);
  ~SezioneVoce() override;

  // The word as it is written now; looked at once she stops typing.
  void impostaParola(const QString &parola);
  // A sound file as if chosen in the file dialog.
  void usaFile(const QString &file);
  // Her choice written for `parola`, the word just saved.
  Esito salva(const QString &parola);

 signals:
  // While true the word must not be saved: the recording is not back yet.
  void registrando(bool si);

 private:
  enum class Scelta { Nessuna, Nuova, Computer };

  void chiedi();
  void pronta(const QString &parola, const Voce &voce);
  void ascolta();
  void registra();
  void registrata(const QByteArray &pcm);
  void nonRegistrata(const QString &messaggio);
  void scegliFile();
  void usaComputer();
  void mostra(const QString &testo);

  const Cartelle cartelle_;
  QString parola_;
  Scelta scelta_ = Scelta::Nessuna;
  QByteArray nuova_;  // in formatoSuono, with Scelta::Nuova
  QString daDove_;    // what the new voice is, as she is told
  bool haSua_ = false;
  bool suonaQuandoPronta_ = false;
  QTimer attesa_;
  LettoreSuoni lettore_;
  Voci *voci_;      // as the game looks: her folder, the program's, the computer
  Voci *senzaSua_;  // as it will look once hers is taken away
  Microfono *microfono_;
  QLabel *stato_;
  QPushButton *ascolta_, *registra_, *scegli_, *computer_;
};

}  // namespace quirlo::editor
