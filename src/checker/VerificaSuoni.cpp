// The five sounds, checked as the game will play them.
#include "VerificaInterna.h"

#include "DecodificaSuoni.h"
#include "Piattaforma.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace quirlo::verifica {

namespace {

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

// Whether the game plays the sound, and all of it.
void verificaContenuto(const QString &nome, const QString &percorso, Rapporto &r) {
  const SuonoLetto suono = leggiSuono(percorso);
  const QString silenzio = QStringLiteral(": il gioco non lo suona, e al suo posto ci sarà silenzio");
  switch (suono.stato) {
    case StatoSuono::NonSuono:
      r.segnalazioni.append({Difetto::SuonoIlleggibile, Gravita::Errore, nome, 0,
                             QStringLiteral("non è un suono che il gioco sa leggere: al suo posto ci sarà silenzio")});
      return;
    case StatoSuono::FrequenzaFuori:
      r.segnalazioni.append({Difetto::SuonoFuoriLimiti, Gravita::Errore, nome, 0,
                             QStringLiteral("il file dice che il suono ha una frequenza di %1 Hz, e il gioco ne sa "
                                            "suonare al massimo %2")
                                     .arg(suono.frequenza)
                                     .arg(formatoSuono::MassimaFrequenza) +
                                 silenzio});
      return;
    case StatoSuono::TroppiCanali:
      r.segnalazioni.append({Difetto::SuonoFuoriLimiti, Gravita::Errore, nome, 0,
                             QStringLiteral("il suono ha %1 canali, e il gioco ne sa suonare al massimo %2")
                                     .arg(suono.canali)
                                     .arg(formatoSuono::MassimiCanali) +
                                 silenzio});
      return;
    case StatoSuono::Buono:
      break;
  }
  if (suono.tagliato) {
    const double secondi = double(suono.pcm.size()) / formatoSuono::BytePerSecondo;
    r.segnalazioni.append({Difetto::SuonoTagliato, Gravita::Avviso, nome, 0,
                           QStringLiteral("il suono è troppo lungo (o troppo pesante): il gioco ne suona solo i primi "
                                          "%1 secondi; per un suono bastano pochi secondi")
                               .arg(QLocale(QLocale::Italian).toString(secondi, 'f', 1))});
  }
}

}  // namespace

void verificaSuoni(const QString &cartella, Rapporto &r) {
  for (const QString &nome : catalogo::suoni()) {
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
    } else {
      verificaContenuto(nome, percorso, r);
    }
  }
}

}  // namespace quirlo::verifica
