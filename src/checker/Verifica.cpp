#include "Verifica.h"

#include "Accettazione.h"
#include "Disegni.h"
#include "FileRegolare.h"
#include "FuoriPasso.h"
#include "LettoreSuoni.h"
#include "ListaParole.h"
#include "Piattaforma.h"
#include "TestoLista.h"
#include "TestoVisibile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace quirlo::verifica {

namespace {

// Written as the game writes them, relative to its folder.
constexpr const char *Suoni[] = {"\\suoni\\si1.wav", "\\suoni\\si2.wav", "\\suoni\\si3.wav", "\\suoni\\si4.wav",
                                 "\\suoni\\no.wav"};

QString tra(const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t)); }

QString contaParole(qsizetype n) {
  return n == 1 ? QStringLiteral("1 parola") : QStringLiteral("%1 parole").arg(n);
}

// The folder entry that `nome` opens: itself, or on a file system that ignores
// case the one spelt otherwise; empty when the folder can't be listed.
QString nomeSulDisco(const QString &cartella, const QString &nome) {
  const QStringList tutti = QDir(cartella).entryList(QDir::Files | QDir::Hidden);
  if (tutti.contains(nome))
    return nome;
  for (const QString &f : tutti)
    if (f.compare(nome, Qt::CaseInsensitive) == 0)
      return f;
  return {};
}

struct Lista {
  const ConfigurazioneEsercizio &esercizio;
  const char *nome;
  const char *livello;
};

class VerificaLista {
 public:
  VerificaLista(const QStringList &cartelle, const Lista &lista, Rapporto &rapporto)
      : cartelle_(cartelle), lista_(lista), rapporto_(rapporto),
        percorso_(percorsoLista(cartelle, QString::fromUtf8(lista.nome))),
        file_(QFileInfo(percorso_).fileName()), disegni_(cartelle) {}

  void esegui() {
    const int primo = int(rapporto_.segnalazioni.size());
    controlla();
    // Read top to bottom, as the teacher will fix them.
    // A line that puts the reading out of step comes first on that line.
    const auto ordine = [](const Segnalazione &s) {
      return std::pair(s.riga, s.difetto == Difetto::FuoriPasso ? 0 : s.difetto == Difetto::ConseguenzeFuoriPasso ? 1 : 2);
    };
    std::stable_sort(rapporto_.segnalazioni.begin() + primo, rapporto_.segnalazioni.end(),
                     [&](const Segnalazione &a, const Segnalazione &b) { return ordine(a) < ordine(b); });
  }

 private:
  void segnala(Difetto d, Gravita g, int riga, const QString &testo) {
    rapporto_.segnalazioni.append({d, g, file_, riga, testo});
  }

  // A finding about word `k`: listed, or only counted when that word was read
  // out of step (it is a consequence of the line that put it there).
  void segnalaParola(qsizetype k, Difetto d, Gravita g, int riga, const QString &testo) {
    for (Tratto &t : tratti_)
      if (k >= t.dove.primaParola && k <= t.dove.ultimaParola) {
        ++(g == Gravita::Errore ? t.errori : t.avvisi);
        return;
      }
    segnala(d, g, riga, testo);
  }

  void controlla() {
    ++rapporto_.liste;
    const QFileInfo info(percorso_);
    rapporto_.provenienze.append({file_, info.exists() || info.isSymLink() ? info.path() : QString()});
    const int campi = lista_.esercizio.campi;
    ListaLetta letta = leggiLista(percorso_, campi);
    const bool incompleta = letta.rifiuto && letta.rifiuto->problema == Problema::SillabeIncomplete;
    if (!letta.parole.isEmpty() || incompleta)
      trovaTratti(letta.parole.size() + (incompleta ? 1 : 0));
    if (letta.rifiuto && !lettura(*letta.rifiuto, letta.parole.size()))
      return;
    rapporto_.parole += int(letta.parole.size());

    for (qsizetype k = 0; k < letta.parole.size(); ++k) {
      const Parola &p = letta.parole[k];
      for (qsizetype s = 0; s < p.sillabe.size(); ++s)
        if (p.sillabe[s].isEmpty())
          segnalaParola(k, Difetto::SillabaVuota, Gravita::Errore, p.riga,
                        QStringLiteral("la sillaba %1 della parola %2 è vuota (due virgole di seguito, o una virgola "
                                       "in fondo alla riga?)")
                            .arg(s + 1)
                            .arg(tra(p.testo())));
      if (p.rigaFine != p.riga)
        segnalaParola(k, Difetto::ParolaSuPiuRighe, Gravita::Avviso, p.riga,
                      QStringLiteral("la parola %1 comincia alla riga %2 e finisce alla riga %3: ogni riga "
                                     "dovrebbe avere %4 sillabe separate da virgole")
                          .arg(tra(p.testo()))
                          .arg(p.riga)
                          .arg(p.rigaFine)
                          .arg(campi));
    }
    for (const auto &[ripetuta, prima] : paroleRipetute(letta.parole))
      segnalaParola(ripetuta, Difetto::ParolaRipetuta, Gravita::Avviso, letta.parole[ripetuta].riga,
                    QStringLiteral("la parola %1 c'è già alla riga %2")
                        .arg(tra(letta.parole[ripetuta].testo()))
                        .arg(letta.parole[prima].riga));

    disegni(letta.parole, letta.accettata());
    riassumiTratti();
  }

  // Where the reading goes out of step with the lines, from the fields as the game reads them.
  void trovaTratti(qsizetype parole) {
    QFile file;
    if (!apriFileRegolare(file, percorso_))
      return;
    const QList<Campo> campi = leggiCampi(decodificaLista(file.read(1 << 20)));
    for (const TrattoFuoriPasso &t : trattiFuoriPasso(campi, lista_.esercizio.campi, parole))
      tratti_.append({t, 0, 0});
  }

  void riassumiTratti() {
    const int campi = lista_.esercizio.campi;
    for (const Tratto &t : std::as_const(tratti_)) {
      const QString quante = t.dove.sillabe == 1 ? QStringLiteral("1 sillaba") : QStringLiteral("%1 sillabe").arg(t.dove.sillabe);
      segnala(Difetto::FuoriPasso, Gravita::Errore, t.dove.riga,
              QStringLiteral("questa riga ha %1 invece di %2, e il gioco legge le sillabe una dopo l'altra senza "
                             "guardare dove finiscono le righe: da qui alla riga %3 ogni parola è fatta con sillabe "
                             "di parole diverse")
                  .arg(t.dove.sillabe > campi ? quante : QStringLiteral("solo ") + quante)
                  .arg(campi)
                  .arg(t.dove.ultimaRiga));
      const int tutte = t.errori + t.avvisi;
      if (tutte > 0)
        segnala(Difetto::ConseguenzeFuoriPasso, Gravita::Nota, t.dove.riga,
                QStringLiteral("%1 sulle parole lette così (%2 e %3) non %4 elencat%5: sistemata questa riga, "
                               "controlla di nuovo")
                    .arg(tutte == 1 ? QStringLiteral("1 segnalazione") : QStringLiteral("%1 segnalazioni").arg(tutte),
                         t.errori == 1 ? QStringLiteral("1 errore") : QStringLiteral("%1 errori").arg(t.errori),
                         t.avvisi == 1 ? QStringLiteral("1 avviso") : QStringLiteral("%1 avvisi").arg(t.avvisi),
                         tutte == 1 ? QStringLiteral("è") : QStringLiteral("sono"),
                         tutte == 1 ? QStringLiteral("a") : QStringLiteral("e")));
    }
  }

  // False when nothing of the list could be read.
  bool lettura(const Rifiuto &r, qsizetype lette) {
    switch (r.problema) {
      case Problema::FileIlleggibile:
        if (!QFileInfo::exists(percorso_))
          segnala(Difetto::ListaMancante, Gravita::Errore, 0,
                  QStringLiteral("manca il file: senza questa lista il gioco non ha le parole %1").arg(descrizione()));
        else
          segnala(Difetto::ListaIlleggibile, Gravita::Errore, 0, QStringLiteral("non riesco a leggere il file"));
        return false;
      case Problema::FileTroppoGrande:
        segnala(Difetto::ListaIlleggibile, Gravita::Errore, 0,
                QStringLiteral("il file è troppo grande per essere una lista di parole"));
        return false;
      case Problema::TroppeParole:
        segnala(Difetto::TroppeParole, Gravita::Errore, r.riga,
                QStringLiteral("qui comincia la parola numero %1: una lista può avere al massimo %2 parole")
                    .arg(MassimoParole + 1)
                    .arg(MassimoParole));
        return true;
      case Problema::SillabeIncomplete:
        segnalaParola(lette, Difetto::SillabeIncomplete, Gravita::Errore, r.riga,
                      QStringLiteral("l'ultima parola è incompleta: ogni parola deve avere %1 sillabe separate da "
                                     "virgole")
                          .arg(r.campi));
        return true;
      case Problema::SillabaTroppoLunga:
        segnala(Difetto::SillabaTroppoLunga, Gravita::Errore, r.riga,
                QStringLiteral("la sillaba %1 ha %2 lettere: una sillaba può averne al massimo %3 (manca una "
                               "virgola?); il gioco non carica la lista")
                    .arg(tra(r.testo))
                    .arg(r.testo.size())
                    .arg(r.quante));
        return true;
      case Problema::NomeTroppoLungo:
        segnala(Difetto::NomeTroppoLungo, Gravita::Errore, r.riga,
                QStringLiteral("la parola %1 è troppo lunga per dare il nome al file del suo disegno (al massimo %2 "
                               "caratteri, e una lettera accentata conta per due); il gioco non carica la lista")
                    .arg(tra(r.testo))
                    .arg(r.quante));
        return true;
      case Problema::TroppoPoche:
      case Problema::DisegniMancanti:
        break;
    }
    return true;
  }

  void disegni(const QList<Parola> &parole, bool lettaTutta) {
    const int servono = lista_.esercizio.parole;
    // The game refuses a list that is too short before it looks at the
    // drawings; the teacher wants to hear about both.
    EsitoAccettazione esito = accettaLista(cartelle_, ListaLetta{parole, {}}, file_, servono);
    if (esito.rifiuto && esito.rifiuto->problema == Problema::TroppoPoche) {
      segnala(Difetto::TroppoPoche, Gravita::Errore, 0,
              (!parole.isEmpty() ? QStringLiteral("la lista ha solo %1").arg(contaParole(parole.size()))
               : lettaTutta      ? QStringLiteral("la lista è vuota")
                                 : QStringLiteral("la lista non ha nemmeno una parola completa")) +
                  QStringLiteral(": per questo esercizio ne servono almeno %1").arg(servono));
      esito = accettaLista(cartelle_, ListaLetta{parole, {}}, file_, 0);
    }

    qsizetype k = 0;  // the word each drawing belongs to: they come in word order
    if (esito.rifiuto && esito.rifiuto->problema == Problema::DisegniMancanti)
      for (const DisegnoDifettoso &d : std::as_const(esito.rifiuto->disegni)) {
        while (k < parole.size() && (parole[k].riga != d.riga || parole[k].testo() != d.parola))
          ++k;
        if (d.chiuso)
          segnalaParola(k, Difetto::DisegnoNonApribile, Gravita::Errore, d.riga,
                        QStringLiteral("non riesco ad aprire il disegno della parola %1, %2: controlla i permessi "
                                       "del file")
                            .arg(tra(d.parola), nomeTrovato(d.parola)));
        else if (d.illeggibile)
          segnalaParola(k, Difetto::DisegnoIlleggibile, Gravita::Errore, d.riga,
                        QStringLiteral("il disegno della parola %1, %2, non è un'immagine leggibile")
                            .arg(tra(d.parola), nomeTrovato(d.parola)));
        else
          segnalaParola(k, Difetto::DisegnoMancante, Gravita::Errore, d.riga,
                        QStringLiteral("manca il disegno della parola %1: il file deve chiamarsi %2")
                            .arg(tra(d.parola), nomeAccorciato(QDir::toNativeSeparators(d.nomeFile))));
        ++k;
      }

    for (k = 0; k < parole.size(); ++k) {
      const Parola &p = parole[k];
      const QString trovato = disegni_.percorso(p.testo());
      const QString atteso = CartellaDisegni::nomeAtteso(p.testo());
      // A name composed otherwise (accents decomposed on a Mac) looks the same to the teacher.
      if (!trovato.isEmpty() && QFileInfo(trovato).fileName().normalized(QString::NormalizationForm_C) != atteso)
        segnalaParola(k, Difetto::DisegnoMaiuscole, Gravita::Avviso, p.riga,
                      QStringLiteral("il disegno della parola %1 si chiama %2: funziona, ma è meglio rinominarlo %3")
                          .arg(tra(p.testo()), nomeTrovato(p.testo()), nomeAccorciato(QDir::toNativeSeparators(QStringLiteral("jpg/") + atteso))));
    }
  }

  // "jpg/Luna.jpg", and which folder it is in when there are several.
  QString nomeTrovato(const QString &parola) const {
    const QFileInfo trovato(disegni_.percorso(parola));
    QString nome = nomeAccorciato(QDir::toNativeSeparators(QStringLiteral("jpg/") + trovato.fileName()));
    if (cartelle_.size() > 1)
      nome += QStringLiteral(" (in \u00AB%1\u00BB)")
                  .arg(senzaControlli(QDir::toNativeSeparators(QFileInfo(trovato.path()).path())));
    return nome;
  }

  QString descrizione() const {
    return QStringLiteral("di %1 sillabe %2").arg(lista_.esercizio.campi == 2 ? QStringLiteral("due") : QStringLiteral("tre"),
                                                  QString::fromUtf8(lista_.livello));
  }

  const QStringList &cartelle_;
  const Lista &lista_;
  Rapporto &rapporto_;
  const QString percorso_;
  const QString file_;
  const DisegniCercati disegni_;
  struct Tratto {
    TrattoFuoriPasso dove;
    int errori = 0, avvisi = 0;  // findings on its words, not listed
  };
  QList<Tratto> tratti_;
};

void verificaSuoni(const QString &cartella, Rapporto &r) {
  for (const QString &nome : nomiSuoni()) {
    ++r.suoni;
    const QString percorso = unisciPercorso(cartella, nome);
    const QFileInfo info(percorso);
    const QString scopo = info.baseName() == QLatin1String("no") ? QStringLiteral("il suono della risposta sbagliata")
                                                                 : QStringLiteral("uno dei suoni della risposta giusta");
    const QString suDisco = nomeSulDisco(info.path(), info.fileName());
    const bool altreMaiuscole = !suDisco.isEmpty() && suDisco != info.fileName();
    const QString comeSulDisco = QDir::toNativeSeparators(QStringLiteral("suoni/") + suDisco);
    if (!info.isFile()) {
      QString testo = QStringLiteral("manca %1").arg(scopo);
      if (altreMaiuscole)
        testo += QStringLiteral(" (c'è %1: il gioco non lo trova, rinominalo %2)").arg(comeSulDisco, info.fileName());
      r.segnalazioni.append({Difetto::SuonoMancante, Gravita::Errore, nome, 0, testo});
    } else if (altreMaiuscole) {
      // Windows opens "Si3.wav" for "si3.wav"; the same folder copied elsewhere would not.
      r.segnalazioni.append({Difetto::SuonoMaiuscole, Gravita::Avviso, nome, 0,
                             QStringLiteral("%1 si chiama %2: funziona, ma è meglio rinominarlo %3")
                                 .arg(scopo, comeSulDisco, info.fileName())});
    } else if (LettoreSuoni::decodifica(percorso).isEmpty()) {
      r.segnalazioni.append({Difetto::SuonoIlleggibile, Gravita::Errore, nome, 0,
                             QStringLiteral("non è un suono che il gioco sa leggere: al suo posto ci sarà silenzio")});
    }
  }
}

}  // namespace

QStringList nomiSuoni() {
  QStringList nomi;
  for (const char *s : Suoni)
    nomi << QString::fromLatin1(s).replace(QLatin1Char('\\'), QLatin1Char('/')).mid(1);
  return nomi;
}

Rapporto verificaCartella(const QString &cartella) { return verificaCartelle({cartella}); }

Rapporto verificaCartelle(const QStringList &cartelle) {
  Q_ASSERT(!cartelle.isEmpty());
  const Lista liste[] = {
      {DISEGNI1::Configurazione(), DISEGNI1::Configurazione().listaFacile, "facili"},
      {DISEGNI1::Configurazione(), DISEGNI1::Configurazione().listaDifficile, "difficili"},
      {DISEGNI2::Configurazione(), DISEGNI2::Configurazione().listaFacile, "facili"},
      {DISEGNI2::Configurazione(), DISEGNI2::Configurazione().listaDifficile, "difficili"},
  };
  Rapporto r;
  for (const Lista &l : liste)
    VerificaLista(cartelle, l, r).esegui();
  verificaSuoni(cartelle.last(), r);
  return r;
}

QString formatta(const Segnalazione &s) {
  // Paths as the system writes them, where the teacher reads them.
  const QString file = QDir::toNativeSeparators(s.file);
  const QString dove = s.riga > 0 ? QStringLiteral("%1, riga %2").arg(file).arg(s.riga) : file;
  const QString gravita = s.gravita == Gravita::Errore  ? QStringLiteral("[ERRORE]")
                          : s.gravita == Gravita::Avviso ? QStringLiteral("[AVVISO]")
                                                         : QStringLiteral("[NOTA]");
  // Nothing from a list reaches the terminal as a control character.
  return senzaControlli(QStringLiteral("%1 %2: %3").arg(gravita, dove, s.testo));
}

QString riepilogo(const Rapporto &r) {
  const auto errori = std::count_if(r.segnalazioni.begin(), r.segnalazioni.end(),
                                    [](const Segnalazione &s) { return s.gravita == Gravita::Errore; });
  const auto avvisi = std::count_if(r.segnalazioni.begin(), r.segnalazioni.end(),
                                   [](const Segnalazione &s) { return s.gravita == Gravita::Avviso; });
  const QString controllato =
      QStringLiteral("%1 liste (%2), i loro disegni e %3 suoni").arg(r.liste).arg(contaParole(r.parole)).arg(r.suoni);
  if (r.segnalazioni.isEmpty())
    return QStringLiteral("Tutto a posto: controllati %1.").arg(controllato);
  return QStringLiteral("Da sistemare: %1 e %2 in %3.")
      .arg(errori == 1 ? QStringLiteral("1 errore") : QStringLiteral("%1 errori").arg(errori),
           avvisi == 1 ? QStringLiteral("1 avviso") : QStringLiteral("%1 avvisi").arg(avvisi), controllato);
}

}  // namespace quirlo::verifica
