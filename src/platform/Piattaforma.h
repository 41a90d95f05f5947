#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

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
  // Decoded straight at the given size; a null image when the file can't be read.
  virtual QImage caricaImmagine(const QString &percorso, QSize dimensione) = 0;
  // Leaves the event loop; the windows are already closed.
  virtual void termina() = 0;
};

Piattaforma &piattaforma();
// Not owned. Set once by main() or by a test.
void impostaPiattaforma(Piattaforma *p);

// Where lists and drawings are read from, in the order they are looked in:
// the user's folder when it exists, then the program folder (always last).
QStringList cartelleDati();

// The program folder joined with a name written the old way ("\jpg\casa.jpg").
QString percorsoDati(const QString &nomeRelativo);
QString unisciPercorso(const QString &cartella, const QString &nomeRelativo);

}  // namespace quirlo
