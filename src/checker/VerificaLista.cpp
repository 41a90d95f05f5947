// One list checked as the game reads it: the reader's and the acceptance's
// findings in the teacher's words, with where the reading goes out of step.
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "Accettazione.h"
#include "FileRegolare.h"
#include "FuoriPasso.h"
#include "Immagini.h"
#include "ListaParole.h"
#include "Piattaforma.h"
#include "Suggerimenti.h"
#include "TestoLista.h"
#include "TestoVisibile.h"
#include "VerificaInterna.h"

namespace quirlo::verifica {

namespace {

class VerificaLista {
 public:
  VerificaLista(const QStringList &cartelle, const catalogo::Lista &lista, Rapporto &rapporto)
      : cartelle_(cartelle),
        lista_(lista),
        rapporto_(rapporto),
        percorso_(percorsoLista(cartelle, QString::fromLatin1(lista.file))),
        file_(QFileInfo(percorso_).fileName()),
        disegni_(cartelle) {}

  void esegui() {
    const int primo = int(rapporto_.segnalazioni.size());
    controlla();
    // Read top to bottom, as the teacher will fix them.
    // A line that puts the reading out of step comes first on that line.
    const auto ordine = [](const Segnalazione &s) {
      return std::pair(s.riga, s.difetto == Difetto::FuoriPasso              ? 0
                               : s.difetto == Difetto::ConseguenzeFuoriPasso ? 1
                                                                             : 2);
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
    const int campi = lista_.sillabe;
    ListaLetta letta = leggiLista(percorso_, campi);
    const bool incompleta = letta.rifiuto && letta.rifiuto->problema == Problema::SillabeIncomplete;
    if (!letta.parole.isEmpty() || incompleta)
      trovaTratti(letta.parole.size() + (incompleta ? 1 : 0));
    for (const QString &m : listePassate(cartelle_, file_))
      segnala(Difetto::ListaQuasi, Gravita::Avviso, 0, m);
    if (const auto t = sillabeColTrattino(percorso_))
      segnala(Difetto::SillabeColTrattino, Gravita::Errore, t->riga, t->testo);
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
      if (const QString scuola = divisioneDiScuola(p.sillabe); !scuola.isEmpty())
        segnalaParola(k, Difetto::DivisioneDiversa, Gravita::Avviso, p.riga,
                      QStringLiteral("la parola %1 è divisa %2, ma a scuola si divide %3")
                          .arg(tra(p.testo()), tra(p.sillabe.join(QLatin1Char(','))), tra(scuola)));
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
    for (const DisegnoPassato &d : disegniPassati(cartelle_, disegni_, letta.parole))
      segnalaParola(d.parola, Difetto::DisegnoQuasi, Gravita::Avviso, letta.parole[d.parola].riga, d.testo);
    riassumiTratti();
  }

  // Where the reading goes out of step with the lines, from the fields as the game reads them.
  void trovaTratti(qsizetype parole) {
    QFile file;
    if (!apriFileRegolare(file, percorso_))
      return;
    const QList<Campo> campi = leggiCampi(decodificaLista(file.read(catalogo::MassimoByteLista)));
    for (const TrattoFuoriPasso &t : trattiFuoriPasso(campi, lista_.sillabe, parole))
      tratti_.append({t, 0, 0});
  }

  void riassumiTratti() {
    for (const Tratto &t : std::as_const(tratti_)) {
      segnala(Difetto::FuoriPasso, Gravita::Errore, t.dove.riga, testoTratto(t.dove, lista_.sillabe));
      if (t.errori + t.avvisi > 0)
        segnala(Difetto::ConseguenzeFuoriPasso, Gravita::Nota, t.dove.riga, testoConseguenze(t.errori, t.avvisi));
    }
  }

  // False when nothing of the list could be read.
  bool lettura(const Rifiuto &r, qsizetype lette) {
    switch (r.problema) {
      case Problema::FileIlleggibile:
        if (!QFileInfo::exists(percorso_)) {
          const QStringList quasi = viciniNelleCartelle(cartelle_, quasiLista, file_);
          segnala(quasi.isEmpty() ? Difetto::ListaMancante : Difetto::ListaQuasi, Gravita::Errore, 0,
                  QStringLiteral("manca il file: senza questa lista il gioco non ha le parole %1").arg(descrizione()) +
                      (quasi.isEmpty() ? QString() : QStringLiteral("; ") + quasi.join(QStringLiteral("; "))));
        } else
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
                    .arg(r.limite));
        return true;
      case Problema::NomeTroppoLungo:
        segnala(Difetto::NomeTroppoLungo, Gravita::Errore, r.riga,
                QStringLiteral("la parola %1 è troppo lunga per dare il nome al file del suo disegno (al massimo %2 "
                               "caratteri, e una lettera accentata conta per due); il gioco non carica la lista")
                    .arg(tra(r.testo))
                    .arg(r.limite));
        return true;
      case Problema::TroppoPoche:
      case Problema::DisegniMancanti:
        break;
    }
    return true;
  }

  void disegni(const QList<Parola> &parole, bool lettaTutta) {
    const int servono = lista_.paroleEsercizio;
    // The game refuses a list that is too short before it looks at the
    // drawings; the teacher wants to hear about both.
    EsitoAccettazione esito = accettaLista(cartelle_, ListaLetta{parole, {}}, file_, servono);
    if (esito.rifiuto && esito.rifiuto->problema == Problema::TroppoPoche) {
      segnala(
          Difetto::TroppoPoche, Gravita::Errore, 0,
          (!parole.isEmpty() ? QStringLiteral("la lista ha solo %1").arg(plurale(parole.size(), u"parola", u"parole"))
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
        if (d.pesante)
          segnalaParola(k, Difetto::DisegnoTroppoPesante, Gravita::Errore, d.riga, troppoPesante(d.parola, false));
        else if (d.chiuso)
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
        if (!d.chiuso && !d.illeggibile)
          if (const QStringList quasi = viciniNelleCartelle(cartelle_, quasiDisegno, d.parola); !quasi.isEmpty())
            rapporto_.segnalazioni.last() = {Difetto::DisegnoQuasi, Gravita::Errore, file_, d.riga,
                                             QStringLiteral("manca il disegno della parola %1; ").arg(tra(d.parola)) +
                                                 quasi.join(QStringLiteral("; "))};
        ++k;
      }

    for (k = 0; k < parole.size(); ++k) {
      const Parola &p = parole[k];
      const QString trovato = disegni_.percorso(p.testo());
      const QString atteso = CartellaDisegni::nomeAtteso(p.testo());
      // Its header passed; what decoding it costs shows only in the whole file.
      if (!trovato.isEmpty() && controllaImmagine(trovato) == StatoImmagine::Buona) {
        const StatoImmagine tutta = esaminaImmagine(trovato, true).stato;
        if (tutta == StatoImmagine::TroppoPesante)
          segnalaParola(k, Difetto::DisegnoTroppoPesante, Gravita::Errore, p.riga, troppoPesante(p.testo(), true));
        else if (tutta != StatoImmagine::Buona)
          segnalaParola(k, Difetto::DisegnoIlleggibile, Gravita::Errore, p.riga,
                        QStringLiteral("il disegno della parola %1, %2, non è un'immagine leggibile: il gioco lascia "
                                       "la sua cornice vuota")
                            .arg(tra(p.testo()), nomeTrovato(p.testo())));
      }
      // A name composed otherwise (accents decomposed on a Mac) looks the same to the teacher.
      if (!trovato.isEmpty() && QFileInfo(trovato).fileName().normalized(QString::NormalizationForm_C) != atteso)
        segnalaParola(k, Difetto::DisegnoMaiuscole, Gravita::Avviso, p.riga,
                      QStringLiteral("il disegno della parola %1 si chiama %2: funziona, ma è meglio rinominarlo %3")
                          .arg(tra(p.testo()), nomeTrovato(p.testo()),
                               nomeAccorciato(QDir::toNativeSeparators(QStringLiteral("jpg/") + atteso))));
    }
  }

  // `caricata`: the list loads, and only the drawing's frame stays empty.
  QString troppoPesante(const QString &parola, bool caricata) const {
    return QStringLiteral("il disegno della parola %1, %2, è troppo pesante da mostrare%3 (rimpicciolisci l'immagine)")
        .arg(tra(parola), nomeTrovato(parola),
             caricata ? QStringLiteral(": il gioco lascia la sua cornice vuota") : QString());
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
    return QStringLiteral("di %1 sillabe %2")
        .arg(lista_.sillabe == 2 ? QStringLiteral("due") : QStringLiteral("tre"),
             lista_.livello == catalogo::Livello::Facile ? QStringLiteral("facili") : QStringLiteral("difficili"));
  }

  const QStringList &cartelle_;
  const catalogo::Lista &lista_;
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

}  // namespace

void verificaLista(const QStringList &cartelle, const catalogo::Lista &lista, Rapporto &rapporto) {
  VerificaLista(cartelle, lista, rapporto).esegui();
}

}  // namespace quirlo::verifica
