#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

namespace quirlo {

// Message box flags and results, with the values the program has always used.
namespace Msg {
inline constexpr int SoloOk = 0;
inline constexpr int SiNo = 4;
inline constexpr int IconaDomanda = 32;
inline constexpr int IconaAvviso = 48;
inline constexpr int IconaInformazione = 64;
inline constexpr int Domanda = SiNo + IconaDomanda;  // 36
inline constexpr int Avviso = SoloOk + IconaAvviso;  // 48
inline constexpr int RispostaOk = 1;
inline constexpr int RispostaSi = 6;
inline constexpr int RispostaNo = 7;
}  // namespace Msg

inline const QString TitoloProgramma = QStringLiteral("Quirlo");

// The program's seam to the platform. The game uses the Qt implementation;
// tests install a scripted one.
class Piattaforma {
 public:
  virtual ~Piattaforma() = default;

  // Folder of the program, where lists, drawings and sounds lie.
  virtual QString cartellaProgramma() const = 0;
  // The user's own folder of lists and drawings, looked in before the
  // program's; it need not exist. Empty where there is none.
  virtual QString cartellaUtente() const { return {}; }
  // Modal box titled "Quirlo"; returns Msg::RispostaOk, RispostaSi or RispostaNo.
  virtual int messaggio(const QString &testo, int flags) = 0;
  virtual void seminaDalOrologio() = 0;
  // Uniform, 0 <= r < 1.
  virtual double casuale() = 0;
  // Returns at once; a new sound cuts off the one playing; a missing file is silent.
  virtual void suona(const QString &percorso) = 0;
  // Sound already decoded, in the player's format (a word's voice), through
  // the same player: returns at once, cuts off and is cut off like a file.
  virtual void suonaPcm(std::shared_ptr<const QByteArray> pcm) = 0;
  // How the player reads a sound file into its format (LettoreSuoni::lettura):
  // callable on any thread but the windows', which must not wait on the disk.
  virtual std::function<QByteArray(const QString &percorso)> letturaSuoni() = 0;
  // Decoded straight at the given size; a null image when the file can't be
  // read or costs more than the decoder's budget. Called on the thread that
  // decodes pictures, never the windows' (see CaricatoreImmagini); once
  // `annullata` is set the result is no longer wanted.
  virtual QImage caricaImmagine(const QString &percorso, QSize dimensione, const std::atomic<bool> &annullata) = 0;
  // Leaves the event loop; the windows are already closed.
  virtual void termina() = 0;

  // What the teacher must hear about the data folders, the first time it is
  // asked in this run: a user's folder that exists but can't be read, whose
  // lists the game can't use. Empty otherwise.
  QString avvisoCartelle();

 private:
  bool avvisata_ = false;
};

Piattaforma &piattaforma();
// Whether one is set: answers that come late (a word's voice) may find none.
bool piattaformaPresente();
// Not owned. Set once by main() or by a test.
void impostaPiattaforma(Piattaforma *p);

// One draw: a whole number from 1 to n, each with probability 1/n (floor(r * n) + 1,
// kept inside its range even for an r that rounds up to 1).
int estrai(int n);

// The user's data folder on this system: ~/.local/share/quirlo (under
// $XDG_DATA_HOME when set), %APPDATA%\Quirlo on Windows. Not created.
QString cartellaUtenteDelSistema();

// Where lists and drawings are read from, in the order they are looked in:
// the user's folder when it exists and can be read, then the program folder
// (always last).
struct CartelleDati {
  QStringList cartelle;
  QString utenteIlleggibile;  // the user's folder, when it exists but can't be read
};
CartelleDati trovaCartelleDati(const QString &utente, const QString &programma);
QStringList cartelleDati();
// What the teacher is told about such a folder.
QString avvisoCartellaIlleggibile(const QString &cartella);

// The program folder joined with a name written the old way ("\jpg\casa.jpg").
QString percorsoDati(const QString &nomeRelativo);
QString unisciPercorso(const QString &cartella, const QString &nomeRelativo);

}  // namespace quirlo
