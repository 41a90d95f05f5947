#include "VoceParola.h"

#include "Catalogo.h"
#include "Copie.h"
#include "FileRegolare.h"
#include "GiudizioVoce.h"
#include "Scrittura.h"
#include "TestoVisibile.h"
#include "Voci.h"
#include "Wav.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace quirlo::editor {

namespace {

QString tra(const QString &t) {
  return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t));
}

// Under this peak a recording is the room, not a voice.
constexpr int PiccoMinimo = 300;
// What is kept of the quiet around the word, in frames.
constexpr qsizetype MargineIniziale = formatoSuono::Frequenza / 10;
constexpr qsizetype MargineFinale = formatoSuono::Frequenza * 15 / 100;

int ampiezza(const QByteArray &pcm, qsizetype frame) {
  int massimo = 0;
  const auto *campioni = reinterpret_cast<const uchar *>(pcm.constData()) + frame * formatoSuono::BytePerFrame;
  for (int c = 0; c < formatoSuono::Canali; ++c)
    massimo = std::max(massimo, std::abs(int(qFromLittleEndian<qint16>(campioni + 2 * c))));
  return massimo;
}

// Her file the game would play for `parola`, and its content; false when she has none.
bool leggiSua(const Cartelle &cartelle, const QString &parola, QString &percorso, QByteArray &byte) {
  percorso = voceSua(cartelle, parola);
  QFile file;
  if (percorso.isEmpty() || !apriFileRegolare(file, percorso))
    return false;
  byte = file.read(MassimoByteVoce);
  return true;
}

}  // namespace

QString fileVoce(const Cartelle &cartelle, const QString &parola) {
  return QDir(cartelle.utente).filePath(catalogo::voce(parola.normalized(QString::NormalizationForm_C)));
}

QString voceSua(const Cartelle &cartelle, const QString &parola) {
  if (cartelle.utente.isEmpty())
    return {};
  // The game's own search; any regular file counts, played or not.
  const auto presente = [](const QString &p) {
    return fileRegolare(p) ? QByteArray(formatoSuono::BytePerFrame, 0) : QByteArray();
  };
  return voceRegistrata(parola, cartelle.utente, {}, presente).percorso;
}

VoceLetta leggiVoce(const QString &file) {
  verifica::GiudizioVoce g = verifica::giudicaVoce(file);
  if (!g.buona())
    return {{}, QStringLiteral("Non posso usare %1 come voce: %2.").arg(mostra(QFileInfo(file).fileName()), g.motivo)};
  return {std::move(g.pcm), {}};
}

QByteArray senzaSilenzio(const QByteArray &pcm) {
  const qsizetype frame = pcm.size() / formatoSuono::BytePerFrame;
  int picco = 0;
  for (qsizetype i = 0; i < frame; ++i)
    picco = std::max(picco, ampiezza(pcm, i));
  if (picco < PiccoMinimo)
    return {};
  // Relative to the loudest moment: a quiet microphone still has a word in it.
  const int soglia = std::max(PiccoMinimo, picco / 10);
  qsizetype inizio = 0, fine = frame;
  while (ampiezza(pcm, inizio) < soglia)
    ++inizio;
  while (ampiezza(pcm, fine - 1) < soglia)
    --fine;
  inizio = std::max<qsizetype>(0, inizio - MargineIniziale);
  fine = std::min(frame, fine + MargineFinale);
  return pcm.mid(inizio * formatoSuono::BytePerFrame, (fine - inizio) * formatoSuono::BytePerFrame);
}

Esito salvaVoce(const Cartelle &cartelle, const QString &parola, const QByteArray &pcm) {
  if (!QDir::isAbsolutePath(cartelle.utente))
    return senzaCartellaUtente();
  const qsizetype byte = pcm.size() / formatoSuono::BytePerFrame * formatoSuono::BytePerFrame;
  if (byte == 0)
    return {Esito::Rifiutato, QStringLiteral("La registrazione di %1 è vuota.").arg(tra(parola))};
  const QString percorso = fileVoce(cartelle, parola);
  QFile vecchia;
  if (apriFileRegolare(vecchia, percorso)) {
    const QString errore =
        conservaCopia(cartelle.utente, QDir(cartelle.utente).relativeFilePath(percorso), vecchia.read(MassimoByteVoce));
    if (!errore.isEmpty())
      return {Esito::NonScritto, errore};
  }
  const QString errore = scriviTutto(percorso, intestazioneWav(byte) + pcm.left(byte));
  if (!errore.isEmpty())
    return {Esito::NonScritto, errore};
  return {};
}

Esito togliVoce(const Cartelle &cartelle, const QString &parola) {
  QString percorso;
  QByteArray byte;
  // One at a time, as the game would find them: one in another letter case may lie behind.
  for (int i = 0; i < 8 && leggiSua(cartelle, parola, percorso, byte); ++i) {
    const QString errore = conservaCopia(cartelle.utente, QDir(cartelle.utente).relativeFilePath(percorso), byte);
    if (!errore.isEmpty())
      return {Esito::NonScritto, errore};
    QFile file(percorso);
    if (!file.remove())
      return {Esito::NonScritto, QStringLiteral("Non riesco a togliere %1: %2.").arg(mostra(percorso), motivo(file))};
  }
  return {};
}

QString portaVoce(const Cartelle &cartelle, const QString &vecchia, const QString &nuova) {
  const auto chiave = [](const QString &p) { return p.normalized(QString::NormalizationForm_C).toCaseFolded(); };
  if (chiave(vecchia) == chiave(nuova) || !voceSua(cartelle, nuova).isEmpty())
    return {};
  QString percorso;
  QByteArray byte;
  if (!leggiSua(cartelle, vecchia, percorso, byte))
    return {};
  return scriviTutto(fileVoce(cartelle, nuova), byte);
}

}  // namespace quirlo::editor
