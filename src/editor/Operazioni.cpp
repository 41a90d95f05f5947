#include "Operazioni.h"

#include "Accettazione.h"
#include "Copie.h"
#include "FileRegolare.h"
#include "Scrittura.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"
#include "VoceParola.h"

#include <QDir>

namespace quirlo::editor {

namespace {

QString tra(const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t)); }

// The checks a word must pass before anything is written.
QString controllaParola(const ListaAperta &aperta, const QStringList &sillabe, qsizetype escluso) {
  const catalogo::Lista &lista = *aperta.lista;
  const QString parola = sillabe.join(QString());
  if (parola.isEmpty())
    return QStringLiteral("Scrivi la parola.");
  for (const QString &s : sillabe)
    if (s.isEmpty())
      return QStringLiteral("La parola %1 ha una sillaba vuota.").arg(tra(sillabe::scrivi(sillabe)));
  if (sillabe.size() != lista.sillabe)
    return QStringLiteral("%1 è divisa in %2 sillab%3 (%4): in questa lista ogni parola ne ha %5.")
        .arg(tra(parola))
        .arg(sillabe.size())
        .arg(sillabe.size() == 1 ? QStringLiteral("a") : QStringLiteral("e"), sillabe::scrivi(sillabe))
        .arg(lista.sillabe);
  const qsizetype gia = indiceDi(aperta, parola);
  if (gia >= 0 && gia != escluso)
    return QStringLiteral("%1 c'è già in questa lista.").arg(tra(parola));
  return {};
}

Parola parolaDa(const QStringList &sillabe) {
  Parola p;
  p.sillabe = sillabe;
  return p;
}

// The picture first: the list is checked with it in place.
Esito salvaImmagine(const Cartelle &cartelle, const ListaAperta &aperta, const QString &parola, Immagine immagine) {
  if (!immagine.foto)
    return {};
  const DisegnoSalvato d = salvaDisegno(*immagine.foto, immagine.ritaglio, *aperta.lista, parola, cartelle.utente);
  if (!d.errore.isEmpty())
    return {Esito::NonScritto, d.errore};
  return {};
}

}  // namespace

qsizetype indiceDi(const ListaAperta &aperta, const QString &parola) {
  const QString cercata = parola.normalized(QString::NormalizationForm_C);
  for (qsizetype i = 0; i < aperta.parole.size(); ++i)
    if (aperta.parole[i].testo().compare(cercata, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

QString disegnoDi(const Cartelle &cartelle, const QString &parola) {
  return DisegniCercati(cartelle.dati()).percorso(parola);
}

Esito aggiungi(const Cartelle &cartelle, ListaAperta &aperta, const QStringList &sillabe, Immagine immagine,
               bool ancheSeCambiata) {
  const QString parola = sillabe.join(QString());
  QString errore = controllaParola(aperta, sillabe, -1);
  if (errore.isEmpty() && aperta.parole.size() >= catalogo::MassimoParole)
    errore = QStringLiteral("La lista ha già %1 parole, il massimo: per aggiungerne una, togline un'altra.")
                 .arg(catalogo::MassimoParole);
  if (errore.isEmpty() && !immagine.foto && disegnoDi(cartelle, parola).isEmpty())
    errore = QStringLiteral("%1 non ha ancora un disegno: scegli una foto o un disegno.").arg(tra(parola));
  if (!errore.isEmpty())
    return {Esito::Rifiutato, errore};
  const Esito foto = salvaImmagine(cartelle, aperta, parola, immagine);
  if (!foto.riuscito())
    return foto;
  QList<Parola> parole = aperta.parole;
  parole.append(parolaDa(sillabe));
  return salvaLista(cartelle, aperta, parole, ancheSeCambiata);
}

Esito cambia(const Cartelle &cartelle, ListaAperta &aperta, qsizetype indice, const QStringList &sillabe,
             Immagine immagine, bool ancheSeCambiata) {
  if (indice < 0 || indice >= aperta.parole.size())
    return {Esito::Rifiutato, QStringLiteral("Questa parola non c'è più nella lista.")};
  const QString errore = controllaParola(aperta, sillabe, indice);
  if (!errore.isEmpty())
    return {Esito::Rifiutato, errore};
  if (!QDir::isAbsolutePath(cartelle.utente))
    return senzaCartellaUtente();
  const QString parola = sillabe.join(QString());
  const QString vecchia = aperta.parole[indice].testo();
  if (!immagine.foto && parola != vecchia && disegnoDi(cartelle, parola).isEmpty()) {
    // Mending a typing slip must not lose the picture.
    QFile disegno;
    const QString origine = disegnoDi(cartelle, vecchia);
    if (origine.isEmpty() || !apriFileRegolare(disegno, origine))
      return {Esito::Rifiutato, QStringLiteral("%1 non ha ancora un disegno: scegli una foto o un disegno.").arg(tra(parola))};
    const QString scritto =
        scriviTutto(QDir(cartelle.utente).filePath(catalogo::disegno(parola.normalized(QString::NormalizationForm_C))),
                    disegno.readAll());
    if (!scritto.isEmpty())
      return {Esito::NonScritto, scritto};
  }
  const Esito foto = salvaImmagine(cartelle, aperta, parola, immagine);
  if (!foto.riuscito())
    return foto;
  // Her recording goes along as the drawing does.
  const QString voce = portaVoce(cartelle, vecchia, parola);
  if (!voce.isEmpty())
    return {Esito::NonScritto, voce};
  QList<Parola> parole = aperta.parole;
  parole[indice] = parolaDa(sillabe);
  return salvaLista(cartelle, aperta, parole, ancheSeCambiata);
}

Esito togli(const Cartelle &cartelle, ListaAperta &aperta, qsizetype indice, bool ancheSeCambiata) {
  if (indice < 0 || indice >= aperta.parole.size())
    return {Esito::Rifiutato, QStringLiteral("Questa parola non c'è più nella lista.")};
  QList<Parola> parole = aperta.parole;
  parole.removeAt(indice);
  return salvaLista(cartelle, aperta, parole, ancheSeCambiata);
}

}  // namespace quirlo::editor
