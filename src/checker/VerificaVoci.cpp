// The words' voices: every file in the voci folders checked as the game reads
// it, and the words that have no recording, which the computer's voice says.
#include "VerificaInterna.h"

#include "Accettazione.h"
#include "DecodificaSuoni.h"
#include "FileRegolare.h"
#include "GiudizioVoce.h"
#include "ListaParole.h"
#include "Piattaforma.h"
#include "TestoVisibile.h"
#include "Voci.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace quirlo::verifica {

namespace {

QString chiave(const QString &nome) { return nome.normalized(QString::NormalizationForm_C).toCaseFolded(); }

// What the game does instead of playing a voice it can't use.
const QString AlSuoPosto = QStringLiteral(": il gioco non la usa, e dice la parola con la voce che trova dopo "
                                          "(quella del programma o quella del computer)");

// `parole`: the words a file's name must be one of; null where any name may
// stand (the program's folder under a user's own lists keeps its voices).
// Whether the game plays the file.
bool verificaFile(const QString &relativo, const QString &percorso, const QSet<QString> *parole, Rapporto &r) {
  const auto avvisa = [&](Difetto d, const QString &testo) {
    r.segnalazioni.append({d, Gravita::Avviso, relativo, 0, testo});
  };
  // Looked at before it is opened: a FIFO or a device would never answer.
  if (!fileRegolare(percorso)) {
    avvisa(Difetto::VoceIllegibile, QStringLiteral("non è un file normale") + AlSuoPosto);
    return false;
  }
  const QString parola = QFileInfo(percorso).completeBaseName();
  if (parole && !parole->contains(chiave(parola)))
    avvisa(Difetto::VoceSenzaParola, QStringLiteral("nessuna parola delle liste si chiama \u00AB%1\u00BB: il gioco non "
                                                    "usa questa voce (il nome deve essere quello del disegno)")
                                         .arg(accorciato(parola)));
  const GiudizioVoce giudizio = giudicaVoce(percorso);
  if (!giudizio.buona()) {
    avvisa(giudizio.difetto, giudizio.motivo + AlSuoPosto);
    return false;
  }
  return true;
}

}  // namespace

void verificaVoci(const QStringList &cartelle, Rapporto &r) {
  // The words of the lists as the game reads them, each once.
  QStringList parole;
  QSet<QString> viste;
  for (const catalogo::Lista &l : catalogo::Liste) {
    const ListaLetta letta = leggiLista(percorsoLista(cartelle, QString::fromLatin1(l.file)), l.sillabe);
    for (const Parola &p : letta.parole)
      if (!viste.contains(chiave(p.testo()))) {
        viste.insert(chiave(p.testo()));
        parole << p.testo();
      }
  }
  QSet<QString> buone;  // the files the game plays
  for (const QString &cartella : cartelle) {
    const QDir voci(QDir(cartella).filePath(QLatin1String(catalogo::CartellaVoci)));
    // In the teacher's own folder a recording named after no word is a slip;
    // a program's folder keeps the voices of words taken out of its lists.
    const QSet<QString> *nomi = cartelle.size() > 1 && cartella == cartelle.first() ? &viste : nullptr;
    // Special files too: the game passes them over, the teacher should hear of them.
    const QStringList file = voci.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString &nome : file) {
      if (!nome.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        continue;
      ++r.voci;
      if (verificaFile(QStringLiteral("%1/%2").arg(QLatin1String(catalogo::CartellaVoci), nome), voci.filePath(nome),
                       nomi, r))
        buone.insert(QFileInfo(voci.filePath(nome)).absoluteFilePath());
    }
  }
  // As the game looks: the user's folder, then the program's (the last).
  const QString utente = cartelle.size() > 1 ? cartelle.first() : QString();
  // Each file was read above: a frame of silence stands for one that plays,
  // so the game's own search picks the same file without reading it again.
  const LettoreSuoni::Lettura leggi = [&buone](const QString &p) {
    return buone.contains(QFileInfo(p).absoluteFilePath()) ? QByteArray(formatoSuono::BytePerFrame, 0) : QByteArray();
  };
  for (const QString &parola : std::as_const(parole))
    if (voceRegistrata(parola, utente, cartelle.last(), leggi).fonte == FonteVoce::Nessuna)
      r.paroleSenzaVoce << parola;
    else
      ++r.paroleConVoce;
}

QString riepilogoVoci(const Rapporto &r) {
  const qsizetype senza = r.paroleSenzaVoce.size();
  if (senza == 0 && r.paroleConVoce == 0)
    return {};
  if (senza == 0)
    return QStringLiteral("Voci: tutte le %1 parole hanno la loro registrazione.").arg(r.paroleConVoce);
  // A few are worth naming; a folder with no recordings at all is said in a word.
  constexpr qsizetype Nominate = 20;
  QStringList nomi;
  for (qsizetype i = 0; i < std::min(senza, Nominate); ++i)
    nomi << QStringLiteral("\u00AB%1\u00BB").arg(accorciato(r.paroleSenzaVoce[i]));
  QString elenco = nomi.join(QStringLiteral(", "));
  if (senza > Nominate)
    elenco += QStringLiteral(" e altre %1").arg(senza - Nominate);
  const QString computer = QStringLiteral("la voce del computer, se ne ha una italiana (altrimenti c'è silenzio)");
  if (r.paroleConVoce == 0)
    return QStringLiteral("Voci: nessuna parola ha la sua registrazione, le dice tutte %1.").arg(computer);
  return senzaControlli(QStringLiteral("Voci: %1 con la registrazione, %2 senza: %3 %4: %5.")
                            .arg(plurale(r.paroleConVoce, u"parola", u"parole"), QString::number(senza),
                                 senza == 1 ? QStringLiteral("la dice") : QStringLiteral("le dice"), computer, elenco));
}

}  // namespace quirlo::verifica
