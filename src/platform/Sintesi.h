#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QThread;

namespace quirlo {

// Sound ready to play: 16-bit interleaved PCM at its own rate; what Sintesi
// and Voci hand out is in the player's format (formatoSuono).
struct Pcm {
  std::shared_ptr<const QByteArray> dati;
  int frequenza = 0;
  int canali = 0;
  bool vuoto() const { return !dati || dati->isEmpty() || frequenza <= 0 || canali <= 0; }
  double secondi() const { return vuoto() ? 0 : double(dati->size()) / (2.0 * canali * frequenza); }
};

class MotoreSintesi;
class OperaioSintesi;

// The computer's own voice, speaking Italian and no other language: on Linux
// libespeak-ng's Italian voice, inside the program; on Windows a SAPI voice
// whose language is Italian. Where there is none (Wine has no SAPI voice, a
// system may lack the espeak-ng data) every answer is empty: silence.
//
// chiedi() returns at once. The engine works on a thread of its own, one text
// at a time, and each answer comes back as pronta() on the caller's thread,
// never from inside chiedi(). Every request gets one answer. Results are kept
// while the program runs, so a word asked again is answered from memory.
class Sintesi : public QObject {
  Q_OBJECT
 public:
  struct Limiti {
    // A word to name a drawing; anything longer is refused unread.
    int lettere = 100;
    // Work on one text: past this the engine stops and the answer is empty.
    int millisecondi = 3000;
    // Sound longer than this is no word: the engine stops, the answer is empty.
    int millisecondiSuono = 5000;
    // Memory for results kept; the oldest go first.
    qsizetype byteScorta = 16 << 20;
  };

  explicit Sintesi(QObject *parent = nullptr);
  // `cartellaProgramma`: where Linux finds the engine's module (in "moduli");
  // empty for the program's own folder.
  explicit Sintesi(const Limiti &limiti, const QString &cartellaProgramma = {}, QObject *parent = nullptr);
  ~Sintesi() override;

  void chiedi(const QString &parola);

  // How many texts reached the engine (not answered from memory or refused).
  int sintesiFatte() const { return fatte_; }
  const Limiti &limiti() const { return limiti_; }

  // The text the engine is given for a word: composed, lower case (capitals
  // are spelled out letter by letter), trimmed. Empty when it must not be
  // spoken: no letter, a control character, longer than `lettere`.
  static QString testoDaDire(const QString &parola, int lettere);

 signals:
  void pronta(const QString &parola, const quirlo::Pcm &pcm);

 private:
  void ricevi(const QString &testo, const Pcm &pcm);
  void tieni(const QString &testo, const Pcm &pcm);

  Limiti limiti_;
  QString cartellaProgramma_;
  QThread *filo_ = nullptr;
  OperaioSintesi *operaio_ = nullptr;  // lives on filo_; reached by queued calls only
  QHash<QString, Pcm> scorta_;
  QStringList ordine_;  // of scorta_'s keys, oldest first
  qsizetype byteTenuti_ = 0;
  QHash<QString, QStringList> inAttesa_;  // text -> the words that asked for it
  int fatte_ = 0;
};

}  // namespace quirlo

Q_DECLARE_METATYPE(quirlo::Pcm)
