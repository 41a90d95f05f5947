#include "Verifica.h"

#include "Accettazione.h"
#include "Disegni.h"
#include "LettoreSuoni.h"
#include "ListaParole.h"
#include "Piattaforma.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace quirlo::verifica {

namespace {

// Written as the game writes them, relative to its folder.
constexpr const char *Suoni[] = {"\\suoni\\si1.wav", "\\suoni\\si2.wav", "\\suoni\\si3.wav", "\\suoni\\si4.wav",
                                 "\\suoni\\no.wav"};

QString tra(const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(t); }

QString contaParole(qsizetype n) {
  return n == 1 ? QStringLiteral("1 parola") : QStringLiteral("%1 parole").arg(n);
}

// The folder entry whose name equals `nome` regardless of case, if any.
QString stessoNomeAltreMaiuscole(const QString &cartella, const QString &nome) {
  const QStringList tutti = QDir(cartella).entryList(QDir::Files | QDir::Hidden);
  for (const QString &f : tutti)
    if (f != nome && f.compare(nome, Qt::CaseInsensitive) == 0)
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
  VerificaLista(const QString &cartella, const Lista &lista, Rapporto &rapporto)
      : cartella_(cartella), lista_(lista), rapporto_(rapporto),
        percorso_(unisciPercorso(cartella, QString::fromUtf8(lista.nome))),
        file_(QFileInfo(percorso_).fileName()) {}

  void esegui() {
    const int primo = int(rapporto_.segnalazioni.size());
    controlla();
    // Read top to bottom, as the teacher will fix them.
    std::stable_sort(rapporto_.segnalazioni.begin() + primo, rapporto_.segnalazioni.end(),
                     [](const Segnalazione &a, const Segnalazione &b) { return a.riga < b.riga; });
  }

 private:
  void segnala(Difetto d, Gravita g, int riga, const QString &testo) {
    rapporto_.segnalazioni.append({d, g, file_, riga, testo});
  }

  void controlla() {
    ++rapporto_.liste;
    const int campi = lista_.esercizio.campi;
    ListaLetta letta = leggiLista(percorso_, campi);
    if (letta.rifiuto && !lettura(*letta.rifiuto))
      return;
    rapporto_.parole += int(letta.parole.size());

    for (const Parola &p : std::as_const(letta.parole)) {
      for (qsizetype s = 0; s < p.sillabe.size(); ++s)
        if (p.sillabe[s].isEmpty())
          segnala(Difetto::SillabaVuota, Gravita::Errore, p.riga,
                  QStringLiteral("la sillaba %1 della parola %2 è vuota (due virgole di seguito, o una virgola "
                                 "in fondo alla riga?)")
                      .arg(s + 1)
                      .arg(tra(p.testo())));
      if (p.rigaFine != p.riga)
        segnala(Difetto::ParolaSuPiuRighe, Gravita::Avviso, p.riga,
                QStringLiteral("la parola %1 comincia alla riga %2 e finisce alla riga %3: ogni riga dovrebbe "
                               "avere %4 sillabe separate da virgole")
                    .arg(tra(p.testo()))
                    .arg(p.riga)
                    .arg(p.rigaFine)
                    .arg(campi));
    }
    for (const auto &[ripetuta, prima] : paroleRipetute(letta.parole))
      segnala(Difetto::ParolaRipetuta, Gravita::Avviso, letta.parole[ripetuta].riga,
              QStringLiteral("la parola %1 c'è già alla riga %2")
                  .arg(tra(letta.parole[ripetuta].testo()))
                  .arg(letta.parole[prima].riga));

    disegni(letta.parole, letta.accettata());
  }

  // False when nothing of the list could be read.
  bool lettura(const Rifiuto &r) {
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
        segnala(Difetto::SillabeIncomplete, Gravita::Errore, r.riga,
                QStringLiteral("l'ultima parola è incompleta: ogni parola deve avere %1 sillabe separate da virgole")
                    .arg(r.campi));
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
    EsitoAccettazione esito = accettaLista(cartella_, ListaLetta{parole, {}}, file_, servono);
    if (esito.rifiuto && esito.rifiuto->problema == Problema::TroppoPoche) {
      segnala(Difetto::TroppoPoche, Gravita::Errore, 0,
              (!parole.isEmpty() ? QStringLiteral("la lista ha solo %1").arg(contaParole(parole.size()))
               : lettaTutta      ? QStringLiteral("la lista è vuota")
                                 : QStringLiteral("la lista non ha nemmeno una parola completa")) +
                  QStringLiteral(": per questo esercizio ne servono almeno %1").arg(servono));
      esito = accettaLista(cartella_, ListaLetta{parole, {}}, file_, 0);
    }

    CartellaDisegni cartella(cartella_);
    if (esito.rifiuto && esito.rifiuto->problema == Problema::DisegniMancanti)
      for (const DisegnoDifettoso &d : std::as_const(esito.rifiuto->disegni)) {
        if (d.illeggibile)
          segnala(Difetto::DisegnoIlleggibile, Gravita::Errore, d.riga,
                  QStringLiteral("il disegno della parola %1, %2, non è un'immagine leggibile")
                      .arg(tra(d.parola), nomeTrovato(cartella, d.parola)));
        else
          segnala(Difetto::DisegnoMancante, Gravita::Errore, d.riga,
                  QStringLiteral("manca il disegno della parola %1: il file deve chiamarsi %2")
                      .arg(tra(d.parola), QDir::toNativeSeparators(d.nomeFile)));
      }

    for (const Parola &p : parole) {
      const QString trovato = cartella.percorso(p.testo());
      const QString atteso = CartellaDisegni::nomeAtteso(p.testo());
      if (!trovato.isEmpty() && QFileInfo(trovato).fileName() != atteso)
        segnala(Difetto::DisegnoMaiuscole, Gravita::Avviso, p.riga,
                QStringLiteral("il disegno della parola %1 si chiama %2: funziona, ma è meglio rinominarlo %3")
                    .arg(tra(p.testo()), nomeTrovato(cartella, p.testo()),
                         QDir::toNativeSeparators(QStringLiteral("jpg/") + atteso)));
    }
  }

  static QString nomeTrovato(const CartellaDisegni &cartella, const QString &parola) {
    return QDir::toNativeSeparators(QStringLiteral("jpg/") + QFileInfo(cartella.percorso(parola)).fileName());
  }

  QString descrizione() const {
    return QStringLiteral("di %1 sillabe %2").arg(lista_.esercizio.campi == 2 ? QStringLiteral("due") : QStringLiteral("tre"),
                                                  QString::fromUtf8(lista_.livello));
  }

  const QString &cartella_;
  const Lista &lista_;
  Rapporto &rapporto_;
  const QString percorso_;
  const QString file_;
};

void verificaSuoni(const QString &cartella, Rapporto &r) {
  for (const QString &nome : nomiSuoni()) {
    ++r.suoni;
    const QString percorso = unisciPercorso(cartella, nome);
    const QString scopo = QFileInfo(percorso).baseName() == QLatin1String("no")
                              ? QStringLiteral("il suono della risposta sbagliata")
                              : QStringLiteral("uno dei suoni della risposta giusta");
    if (!QFileInfo(percorso).isFile()) {
      QString testo = QStringLiteral("manca %1").arg(scopo);
      const QString quasi = stessoNomeAltreMaiuscole(QFileInfo(percorso).path(), QFileInfo(percorso).fileName());
      if (!quasi.isEmpty())
        testo += QStringLiteral(" (c'è %1: il gioco non lo trova, rinominalo %2)")
                     .arg(QDir::toNativeSeparators(QStringLiteral("suoni/") + quasi), QFileInfo(percorso).fileName());
      r.segnalazioni.append({Difetto::SuonoMancante, Gravita::Errore, nome, 0, testo});
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

Rapporto verificaCartella(const QString &cartella) {
  const Lista liste[] = {
      {DISEGNI1::Configurazione(), DISEGNI1::Configurazione().listaFacile, "facili"},
      {DISEGNI1::Configurazione(), DISEGNI1::Configurazione().listaDifficile, "difficili"},
      {DISEGNI2::Configurazione(), DISEGNI2::Configurazione().listaFacile, "facili"},
      {DISEGNI2::Configurazione(), DISEGNI2::Configurazione().listaDifficile, "difficili"},
  };
  Rapporto r;
  for (const Lista &l : liste)
    VerificaLista(cartella, l, r).esegui();
  verificaSuoni(cartella, r);
  return r;
}

QString formatta(const Segnalazione &s) {
  // Paths as the system writes them, where the teacher reads them.
  const QString file = QDir::toNativeSeparators(s.file);
  const QString dove = s.riga > 0 ? QStringLiteral("%1, riga %2").arg(file).arg(s.riga) : file;
  return QStringLiteral("%1 %2: %3").arg(s.gravita == Gravita::Errore ? QStringLiteral("[ERRORE]")
                                                                      : QStringLiteral("[AVVISO]"),
                                         dove, s.testo);
}

QString riepilogo(const Rapporto &r) {
  const auto errori = std::count_if(r.segnalazioni.begin(), r.segnalazioni.end(),
                                    [](const Segnalazione &s) { return s.gravita == Gravita::Errore; });
  const auto avvisi = r.segnalazioni.size() - errori;
  const QString controllato =
      QStringLiteral("%1 liste (%2), i loro disegni e %3 suoni").arg(r.liste).arg(contaParole(r.parole)).arg(r.suoni);
  if (r.segnalazioni.isEmpty())
    return QStringLiteral("Tutto a posto: controllati %1.").arg(controllato);
  return QStringLiteral("Da sistemare: %1 e %2 in %3.")
      .arg(errori == 1 ? QStringLiteral("1 errore") : QStringLiteral("%1 errori").arg(errori),
           avvisi == 1 ? QStringLiteral("1 avviso") : QStringLiteral("%1 avvisi").arg(avvisi), controllato);
}

}  // namespace quirlo::verifica
