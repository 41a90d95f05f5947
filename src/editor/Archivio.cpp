#include "Archivio.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include "Accettazione.h"
#include "Copie.h"
#include "FileRegolare.h"
#include "PiattaformaQt.h"
#include "Scrittura.h"
#include "TestoVisibile.h"

namespace quirlo::editor {

namespace {

QByteArray impronta(const QByteArray &byte) {
  return QCryptographicHash::hash(byte, QCryptographicHash::Sha256);
}

QString tra(const QString &t) {
  return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t));
}

// The user's list file now: its bytes, none when there is none. False when
// something stands there that is no readable file.
bool leggiAttuale(const QString &percorso, std::optional<QByteArray> &byte) {
  const QFileInfo info(percorso);
  byte.reset();
  if (!info.exists() && !info.isSymLink())
    return true;
  QFile file;
  if (!apriFileRegolare(file, percorso))
    return false;
  byte = file.read(catalogo::MassimoByteLista + 1);
  return file.error() == QFileDevice::NoError;
}

}  // namespace

QStringList Cartelle::dati() const {
  if (utente.isEmpty() || !QFileInfo(utente).isDir() ||
      QFileInfo(utente).canonicalFilePath() == QFileInfo(programma).canonicalFilePath())
    return {programma};
  return {utente, programma};
}

Cartelle Cartelle::delSistema() {
  return {cartellaUtenteDelSistema(), QCoreApplication::applicationDirPath()};
}

ListaAperta apriLista(const Cartelle &cartelle, const catalogo::Lista &lista) {
  ListaAperta a;
  a.lista = &lista;
  const QString file = QString::fromLatin1(lista.file);
  const QStringList dati = cartelle.dati();
  a.percorso = percorsoLista(dati, file);
  a.dellUtente = dati.size() > 1 && cartellaDellaLista(dati, file) == 0;
  std::optional<QByteArray> byte;
  ListaLetta letta;
  if (!leggiAttuale(a.percorso, byte) || !byte) {
    letta.rifiuto = Rifiuto{.problema = Problema::FileIlleggibile, .nomeFile = file, .campi = lista.sillabe};
  } else if (byte->size() > catalogo::MassimoByteLista) {
    letta.rifiuto = Rifiuto{.problema = Problema::FileTroppoGrande, .nomeFile = file, .campi = lista.sillabe};
  } else {
    letta = leggiListaDaByte(*byte, file, lista.sillabe);
  }
  if (a.dellUtente && byte)
    a.impronta = impronta(*byte);
  a.parole = letta.parole;
  a.rifiuto = accettaLista(dati, std::move(letta), file, lista.paroleEsercizio).rifiuto;
  return a;
}

QByteArray testoLista(const QList<Parola> &parole) {
  QByteArray testo;
  for (const Parola &p : parole) {
    QStringList campi;
    for (const QString &s : p.sillabe)
      // A comma or a blank at an end would change what the reader sees: quoted, it is kept.
      campi << (s.contains(QLatin1Char(',')) || s != s.trimmed() ? QStringLiteral("\"%1\"").arg(s) : s);
    testo += campi.join(QLatin1Char(',')).toUtf8() + "\r\n";
  }
  return testo;
}

QString fraseRifiuto(const Rifiuto &r) {
  switch (r.problema) {
    case Problema::TroppeParole:
      return QStringLiteral("Una lista può avere al massimo %1 parole.").arg(catalogo::MassimoParole);
    case Problema::TroppoPoche:
      return QStringLiteral("Per questo esercizio la lista deve avere almeno %1 parole.").arg(r.servono);
    case Problema::SillabaTroppoLunga:
      return QStringLiteral("La sillaba %1 è troppo lunga: al massimo %2 lettere.").arg(tra(r.testo)).arg(r.limite);
    case Problema::NomeTroppoLungo:
      return QStringLiteral("La parola %1 è troppo lunga per dare il nome al file del suo disegno.").arg(tra(r.testo));
    case Problema::DisegniMancanti: {
      const DisegnoDifettoso &d = r.disegni.first();
      const QString altre = r.disegni.size() == 1   ? QString()
                            : r.disegni.size() == 2 ? QStringLiteral(" (e un'altra parola)")
                                                    : QStringLiteral(" (e altre %1 parole)").arg(r.disegni.size() - 1);
      return QStringLiteral("La parola %1%2 non ha un disegno che il gioco possa mostrare.").arg(tra(d.parola), altre);
    }
    case Problema::SillabeIncomplete:
      return QStringLiteral("Nella riga %1 mancano delle sillabe: ogni parola deve averne %2.")
          .arg(r.riga)
          .arg(r.campi);
    case Problema::FileIlleggibile:
    case Problema::FileTroppoGrande:
      return QStringLiteral("Il file della lista non si può leggere.");
  }
  return {};
}

Esito senzaCartellaUtente() {
  return {Esito::NonScritto, QStringLiteral("Non so dove salvare: il sistema non indica una cartella personale.")};
}

// What stands where her list should be is no file of text (a folder, a device).
static Esito nonUnaLista(const QString &percorso) {
  return {Esito::NonScritto, QStringLiteral("Al posto della lista %1 c'è qualcosa che non è un file di testo: "
                                            "spostalo, poi riprova.")
                                 .arg(mostra(percorso))};
}

Esito salvaLista(const Cartelle &cartelle, ListaAperta &aperta, const QList<Parola> &parole, bool ancheSeCambiata) {
  // A relative path would land wherever the program was started from.
  if (!QDir::isAbsolutePath(cartelle.utente))
    return senzaCartellaUtente();
  const catalogo::Lista &lista = *aperta.lista;
  const QString file = QString::fromLatin1(lista.file);
  const QByteArray byte = testoLista(parole);
  // Read back with the game's reader: what it would make of the file is what counts.
  ListaLetta letta = leggiListaDaByte(byte, file, lista.sillabe);
  if (letta.rifiuto)
    return {Esito::Rifiutato, fraseRifiuto(*letta.rifiuto)};
  for (qsizetype i = 0; i < parole.size(); ++i)
    if (letta.parole.value(i).sillabe != parole[i].sillabe)
      return {Esito::Rifiutato, QStringLiteral("La parola %1 ha un segno che una lista non può contenere (virgolette "
                                               "o una virgola).")
                                    .arg(tra(parole[i].testo()))};
  const EsitoAccettazione accettata = accettaLista(cartelle.dati(), letta, file, lista.paroleEsercizio);
  Esito esito;
  if (accettata.rifiuto) {
    if (!aperta.rifiuto)
      return {Esito::Rifiutato, QStringLiteral("Non posso salvare: il gioco non userebbe più la lista. ") +
                                    fraseRifiuto(*accettata.rifiuto)};
    esito.messaggio =
        QStringLiteral("La lista è salvata, ma il gioco non la userà ancora. ") + fraseRifiuto(*accettata.rifiuto);
  }

  const QString percorso = QDir(cartelle.utente).filePath(file);
  std::optional<QByteArray> attuale;
  if (!leggiAttuale(percorso, attuale))
    return nonUnaLista(percorso);
  const bool cambiata =
      attuale.has_value() != aperta.impronta.has_value() || (attuale && impronta(*attuale) != *aperta.impronta);
  if (cambiata && !ancheSeCambiata)
    return {Esito::CambiataSulDisco,
            QStringLiteral("La lista %1 è stata cambiata da un altro programma dopo che l'hai aperta.")
                .arg(mostra(percorso))};
  if (attuale) {
    const QString errore = conservaCopia(cartelle.utente, file, *attuale);
    if (!errore.isEmpty())
      return {Esito::NonScritto, errore};
  }
  const QString errore = scriviTutto(percorso, byte);
  if (!errore.isEmpty())
    return {Esito::NonScritto, errore};
  aperta.parole = letta.parole;
  aperta.dellUtente = true;
  aperta.percorso = percorso;
  aperta.impronta = impronta(byte);
  aperta.rifiuto = accettata.rifiuto;
  return esito;
}

Esito ripristina(const Cartelle &cartelle, ListaAperta &aperta) {
  if (!QDir::isAbsolutePath(cartelle.utente))
    return senzaCartellaUtente();
  const QString file = QString::fromLatin1(aperta.lista->file);
  const QString percorso = QDir(cartelle.utente).filePath(file);
  std::optional<QByteArray> attuale;
  if (!leggiAttuale(percorso, attuale))
    return nonUnaLista(percorso);
  if (!attuale)
    return {Esito::Rifiutato, QStringLiteral("Questa lista è già quella del programma.")};
  QString errore = conservaCopia(cartelle.utente, file, *attuale);
  if (!errore.isEmpty())
    return {Esito::NonScritto, errore};
  QFile vecchia(percorso);
  if (!vecchia.remove())
    return {Esito::NonScritto,
            QStringLiteral("Non riesco a togliere la tua lista %1: %2.").arg(mostra(percorso), motivo(vecchia))};
  aperta = apriLista(cartelle, *aperta.lista);
  return {Esito::Fatto, QStringLiteral("La tua versione è tra le copie, nella cartella %1.")
                            .arg(mostra(QDir(cartelle.utente).filePath(QLatin1String(CartellaCopie))))};
}

}  // namespace quirlo::editor
