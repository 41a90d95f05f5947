#include "Schede.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "Immagini.h"
#include "Operazioni.h"
#include "PdfSchede.h"
#include "Scrittura.h"
#include "TestoVisibile.h"

namespace quirlo::editor {

namespace {

QString tra(const QString &t) {
  return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(senzaControlli(t)));
}

// "«a», «b» e «c»"; past five, how many more.
QString elenco(const QStringList &parole) {
  constexpr int Mostrate = 5;
  QStringList nomi;
  for (qsizetype i = 0; i < std::min<qsizetype>(parole.size(), Mostrate); ++i)
    nomi << tra(parole[i]);
  if (parole.size() > Mostrate)
    return nomi.join(QStringLiteral(", ")) + QStringLiteral(" e altre %1").arg(parole.size() - Mostrate);
  if (nomi.size() == 1)
    return nomi.first();
  return nomi.mid(0, nomi.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + nomi.last();
}

}  // namespace

QString nomeScheda(schede::Tipo tipo) {
  return tipo == schede::Tipo::Ritaglio ? QStringLiteral("Ritaglia e incolla") : QStringLiteral("Scrivi le sillabe");
}

Esito scriviSchede(const Cartelle &cartelle, const RichiestaSchede &r, const QString &percorso) {
  if (!r.lista || r.parole.isEmpty())
    return {Esito::Rifiutato, QStringLiteral("Scegli almeno una parola.")};
  QList<schede::Disegno> disegni;
  QList<QStringList> sillabe;
  QStringList mancanti, rotti;
  for (const Parola &p : r.parole) {
    const QString percorsoDisegno = disegnoDi(cartelle, p.testo());
    if (percorsoDisegno.isEmpty())
      mancanti << p.testo();
    else if (controllaImmagine(percorsoDisegno) != StatoImmagine::Buona)
      rotti << p.testo();
    disegni << schede::Disegno{p.testo(), percorsoDisegno};
    sillabe << p.sillabe;
  }
  QStringList problemi;
  if (!mancanti.isEmpty())
    problemi << (mancanti.size() == 1 ? QStringLiteral("Manca il disegno di %1.")
                                      : QStringLiteral("Mancano i disegni di %1."))
                    .arg(elenco(mancanti));
  if (!rotti.isEmpty())
    problemi << (rotti.size() == 1 ? QStringLiteral("Il disegno di %1 non si può leggere (non si apre, non è "
                                                    "un'immagine, è rovinato o è troppo grande).")
                                   : QStringLiteral("I disegni di %1 non si possono leggere (non si aprono, non sono "
                                                    "immagini, sono rovinati o troppo grandi)."))
                    .arg(elenco(rotti));
  if (!problemi.isEmpty())
    return {
        Esito::Rifiutato,
        problemi.join(QLatin1Char(' ')) +
            QStringLiteral(" Non ho scritto la scheda: dai un disegno alla parola con «Cambia...», o lasciala fuori.")};

  const schede::Impaginazione imp = schede::impagina(sillabe, r.lista->sillabe, r.tipo, r.maiuscolo, r.seme);
  const QFileInfo dove(percorso);
  if (dove.isDir())
    return {Esito::NonScritto, QStringLiteral("%1 è una cartella: scegli un nome per il file.").arg(mostra(percorso))};
  if (!dove.absoluteDir().exists())
    return {Esito::NonScritto, QStringLiteral("Non riesco a scrivere %1: la cartella %2 non esiste.")
                                   .arg(mostra(percorso), mostra(dove.absolutePath()))};
  QSaveFile file(percorso);
  if (!file.open(QIODevice::WriteOnly))
    return {Esito::NonScritto, QStringLiteral("Non riesco a scrivere %1: %2.").arg(mostra(percorso), motivo(file))};
  const QString errore = schede::scriviPdf(file, imp, disegni);
  if (!errore.isEmpty()) {
    file.cancelWriting();
    return {Esito::Rifiutato, errore + QStringLiteral(" Non ho scritto la scheda.")};
  }
  if (!file.commit())
    return {Esito::NonScritto, QStringLiteral("Non riesco a scrivere %1: %2.").arg(mostra(percorso), motivo(file))};
  return {Esito::Fatto, QStringLiteral("Scritta la scheda «%1» in %2: %3, %4.")
                            .arg(nomeScheda(r.tipo), mostra(percorso), plurale(imp.pagine.size(), u"pagina", u"pagine"),
                                 plurale(r.parole.size(), u"parola", u"parole"))};
}

}  // namespace quirlo::editor
