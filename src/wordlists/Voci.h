#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "LettoreSuoni.h"
#include "Sintesi.h"

class QThread;

namespace quirlo {

// Where a word's voice came from, as the trace names it.
enum class FonteVoce { Utente, Programma, Sintesi, Nessuna };
QString nomeFonte(FonteVoce fonte);  // "utente", "programma", "sintesi", "nessuna"

// A recording longer than this is not a word (a whole lesson dropped in by mistake).
inline constexpr int MassimoSecondiVoce = 10;
// Ten seconds of the richest WAV (96 kHz, stereo, 32-bit) fit in 8 MB; a larger
// file is not read at all.
inline constexpr qint64 MassimoByteVoce = 16 << 20;

struct Voce {
  FonteVoce fonte = FonteVoce::Nessuna;
  QString percorso;  // the file, for a recording
  Pcm pcm;           // empty for Nessuna
};

// The recorded voice of a word: `voci/<word>.wav` in the user's folder, then in
// the program's (either may be empty or missing). The first that is a regular
// file of at most MassimoByteVoce and decodes to at most MassimoSecondiVoce of
// sound; a name that differs only in letter case or in how its accents are
// composed is found too. A FIFO, a device, an empty or broken file is passed
// over without waiting. Files are read with `leggi` (the player's reader).
// Reads the disk: not for the UI thread.
Voce voceRegistrata(const QString &parola, const QString &cartellaUtente, const QString &cartellaProgramma,
                    const LettoreSuoni::Lettura &leggi);

// The voice of a word, looked for in order: the user's recording, the
// program's, the computer's voice (when a Sintesi is given), else none.
// chiedi() returns at once; files are looked at on a thread of their own and
// the answer, one per request, comes back as pronta() on the caller's thread.
// Recordings are read again at every request (about a millisecond): a
// teacher's new file is heard at once, and no voice stays in memory.
class Voci : public QObject {
  Q_OBJECT
 public:
  // Folders and the reader as the platform gives them at each request.
  explicit Voci(Sintesi *sintesi, QObject *parent = nullptr);
  // Fixed folders: for the editor, the checker and tests.
  Voci(Sintesi *sintesi, LettoreSuoni::Lettura leggi, const QString &cartellaUtente, const QString &cartellaProgramma,
       QObject *parent = nullptr);
  ~Voci() override;

  void chiedi(const QString &parola);

 signals:
  void pronta(const QString &parola, const quirlo::Voce &voce);

 private:
  void registrata(const QString &parola, const Voce &voce);
  void sintetizzata(const QString &parola, const Pcm &pcm);

  QPointer<Sintesi> sintesi_;
  LettoreSuoni::Lettura leggi_;
  bool cartelleFisse_ = false;
  QString cartellaUtente_, cartellaProgramma_;
  QThread *filo_ = nullptr;
  QObject *operaio_ = nullptr;  // lives on filo_
  QStringList allaSintesi_;     // words handed to sintesi_, one entry per request
};

}  // namespace quirlo

Q_DECLARE_METATYPE(quirlo::Voce)
