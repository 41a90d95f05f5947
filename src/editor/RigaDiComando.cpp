#include "RigaDiComando.h"

#include "Biblioteca.h"
#include "ComandoVoce.h"
#include "Cornice.h"
#include "Operazioni.h"
#include "Schede.h"
#include "Scrittura.h"
#include "Sillabazione.h"
#include "TestoVisibile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTextStream>
#include <functional>

namespace quirlo::editor {

namespace {

QString tra(const QString &t) { return QStringLiteral("\u00AB%1\u00BB").arg(accorciato(t)); }

// The library's file as the index and --cerca write it: relative to the program's folder.
QString relativo(const Cartelle &cartelle, const QString &file) {
  return QDir(cartelle.programma).relativeFilePath(file);
}

// The picture --disegno names: a file as --cerca prints it, or a name. A name
// takes the first picture called so (a plural finds its singular), never one
// that only mentions it: the teacher did not see the choice.
std::optional<Risultato> disegnoChiamato(Biblioteca &biblioteca, const QString &nome) {
  if (nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')))
    return biblioteca.disegno(QDir::fromNativeSeparators(nome));
  const QList<Risultato> trovati = biblioteca.cerca(nome, 1);
  if (!trovati.isEmpty() && trovati.first().punteggio > Biblioteca::NomeTrovato)
    return trovati.first();
  return std::nullopt;
}

int cerca(const Cartelle &cartelle, const QString &testo, QTextStream &out) {
  Biblioteca biblioteca(cartelle.programma);
  if (biblioteca.vuota()) {
    out << biblioteca.problema() << '\n';
    return Uscita::FotoInutile;
  }
  const QList<Risultato> trovati = biblioteca.cerca(testo, 0);
  if (trovati.isEmpty()) {
    out << "Nessun disegno per " << tra(testo) << ": prova con un'altra parola.\n";
    return Uscita::Rifiutato;
  }
  for (const Risultato &r : trovati)
    out << senzaControlli(r.nome) << '\t' << senzaControlli(relativo(cartelle, r.file)) << '\n';
  return Uscita::Fatto;
}

QString provenienza(const ListaAperta &a) {
  return a.dellUtente ? QStringLiteral("la tua lista, in %1").arg(mostra(a.percorso))
                      : QStringLiteral("la lista del programma");
}

// --schede LISTA [--tipo sillabe|ritaglia] [--maiuscolo|--minuscolo] -o FILE [PAROLA...]
int schede(const QStringList &resto, const Cartelle &cartelle, QTextStream &out, const std::function<int()> &uso) {
  RichiestaSchede r;
  r.lista = catalogo::listaDaNome(resto.value(0));
  QString uscita;
  QStringList scelte;
  for (qsizetype i = 1; i < resto.size(); ++i) {
    const QString &a = resto[i];
    const bool conValore = a == QLatin1String("--tipo") || a == QLatin1String("-o");
    if (conValore && i + 1 >= resto.size())
      return uso();
    if (a == QLatin1String("--tipo")) {
      const QString tipo = resto[++i];
      if (tipo == QLatin1String("sillabe"))
        r.tipo = schede::Tipo::Sillabe;
      else if (tipo == QLatin1String("ritaglia"))
        r.tipo = schede::Tipo::Ritaglio;
      else
        return uso();
    } else if (a == QLatin1String("-o")) {
      uscita = resto[++i];
    } else if (a == QLatin1String("--maiuscolo") || a == QLatin1String("--minuscolo")) {
      r.maiuscolo = a == QLatin1String("--maiuscolo");
    } else if (a.startsWith(QLatin1Char('-'))) {
      return uso();
    } else {
      scelte << a;
    }
  }
  if (resto.isEmpty() || uscita.isEmpty())
    return uso();
  if (!r.lista) {
    out << "Non c'è una lista che si chiami " << tra(resto[0]) << ": le liste sono lista2, lista3, lista4 e lista5.\n";
    return Uscita::Uso;
  }
  const ListaAperta aperta = apriLista(cartelle, *r.lista);
  if (scelte.isEmpty())
    r.parole = aperta.parole;
  for (const QString &scelta : std::as_const(scelte)) {
    const sillabe::Scritta s = sillabe::leggiScritta(scelta);
    const qsizetype i = s.errore.isEmpty() ? indiceDi(aperta, s.parola) : -1;
    if (i < 0) {
      out << tra(scelta) << " non c'è in " << r.lista->file << ".\n";
      return Uscita::Rifiutato;
    }
    r.parole << aperta.parole[i];
  }
  r.seme = QRandomGenerator::global()->generate();
  const Esito e = scriviSchede(cartelle, r, uscita);
  out << e.messaggio << '\n';
  return codice(e);
}

}  // namespace

int codice(const Esito &e) {
  switch (e.tipo) {
    case Esito::Fatto:
      return Uscita::Fatto;
    case Esito::Rifiutato:
      return Uscita::Rifiutato;
    case Esito::CambiataSulDisco:
    case Esito::NonScritto:
      return Uscita::NonScritto;
  }
  return Uscita::NonScritto;
}

QString aiuto() {
  return QStringLiteral(
      "Uso: quirlo-parole                              apre la finestra «Le mie parole»\n"
      "     quirlo-parole --elenca LISTA               scrive le parole della lista\n"
      "     quirlo-parole --aggiungi LISTA PAROLA [FOTO]\n"
      "                                                aggiunge la parola, con la foto se c'è\n"
      "     quirlo-parole --aggiungi LISTA PAROLA --disegno DISEGNO\n"
      "                                                con un disegno della biblioteca\n"
      "     quirlo-parole --cerca PAROLA               cerca i disegni della biblioteca\n"
      "     quirlo-parole --togli LISTA PAROLA         toglie la parola dalla lista\n"
      "     quirlo-parole --ripristina LISTA           torna alla lista del programma\n"
      "     quirlo-parole --voce LISTA PAROLA FILE.wav\n"
      "                                                la tua voce per la parola, dal file WAV\n"
      "     quirlo-parole --sillabe PAROLA             divide la parola in sillabe\n"
      "     quirlo-parole --schede LISTA [--tipo sillabe|ritaglia] [--maiuscolo|--minuscolo]\n"
      "                   -o FILE.pdf [PAROLA...]\n"
      "                                                scrive la scheda da stampare (A4), con\n"
      "                                                tutte le parole della lista o solo quelle date\n"
      "LISTA è lista2, lista3, lista4 o lista5. PAROLA si può scrivere già divisa (la-go):\n"
      "altrimenti la divido come si fa a scuola. La FOTO e il DISEGNO vengono\n"
      "ritagliati al centro. --cerca scrive un disegno per riga, i migliori prima: il\n"
      "nome, poi il file. DISEGNO è un nome (gatto) o uno di quei file\n"
      "(biblioteca/noto/cat.png).\n"
      "Cambia solo la cartella personale (%1); la scheda va nel FILE dato con -o.\n"
      "Esce con 0 se è fatto, 1 se le opzioni sono sbagliate, 2 se la parola o la lista\n"
      "non vanno (non cambia niente; per la scheda: una parola senza disegno) o se\n"
      "--cerca non trova niente, 3 se la foto, il disegno o la voce non si possono\n"
      "usare, 4 se non riesce a scrivere (disco pieno, cartella di sola lettura, lista\n"
      "cambiata nel frattempo).\n")
      .arg(QDir::toNativeSeparators(Cartelle::delSistema().utente));
}

bool perRigaDiComando(const QStringList &argomenti) {
  for (qsizetype i = 1; i < argomenti.size(); ++i)
    if (argomenti[i].startsWith(QLatin1String("--")) || argomenti[i] == QLatin1String("-h"))
      return true;
  return false;
}

int eseguiRigaDiComando(const QStringList &argomenti, const Cartelle &cartelle, QString &testo) {
  QTextStream out(&testo);
  const QString comando = argomenti.value(1);
  const auto uso = [&] {
    out << aiuto();
    return comando == QLatin1String("--help") || comando == QLatin1String("-h") ? Uscita::Fatto : Uscita::Uso;
  };
  if (comando == QLatin1String("--schede"))
    return schede(argomenti.mid(2), cartelle, out, uso);
  if (comando == QLatin1String("--voce")) {
    const int esito = comandoVoce(argomenti.mid(2), cartelle, out);
    return esito == Uscita::Uso && testo.isEmpty() ? uso() : esito;
  }
  if (comando == QLatin1String("--sillabe")) {
    if (argomenti.size() != 3)
      return uso();
    const sillabe::Scritta s = sillabe::leggiScritta(argomenti[2]);
    if (!s.errore.isEmpty()) {
      out << s.errore << '\n';
      return Uscita::Rifiutato;
    }
    out << sillabe::scrivi(s.regole.sillabe) << '\n';
    if (s.regole.controlla)
      out << "controlla: dipende da come si pronuncia, potrebbe essere " << sillabe::scrivi(s.regole.alternativa)
          << '\n';
    return Uscita::Fatto;
  }
  if (comando == QLatin1String("--cerca")) {
    if (argomenti.size() != 3)
      return uso();
    return cerca(cartelle, argomenti[2], out);
  }
  // --disegno NOME ends --aggiungi's arguments, in place of a photo.
  QString nomeDisegno;
  bool conDisegno = false;
  QStringList resto = argomenti.mid(2);
  if (comando == QLatin1String("--aggiungi") && resto.size() == 4 && resto[2] == QLatin1String("--disegno")) {
    conDisegno = true;
    nomeDisegno = resto[3];
    resto = resto.mid(0, 2);
  } else if (resto.contains(QLatin1String("--disegno"))) {
    return uso();
  }
  const bool elenca = comando == QLatin1String("--elenca"), ripristinare = comando == QLatin1String("--ripristina");
  const bool aggiungere = comando == QLatin1String("--aggiungi"), togliere = comando == QLatin1String("--togli");
  if (!((elenca || ripristinare) && resto.size() == 1) && !(togliere && resto.size() == 2) &&
      !(aggiungere && (resto.size() == 2 || resto.size() == 3)))
    return uso();
  const catalogo::Lista *lista = catalogo::listaDaNome(resto[0]);
  if (!lista) {
    out << "Non c'è una lista che si chiami " << tra(resto[0]) << ": le liste sono lista2, lista3, lista4 e lista5.\n";
    return Uscita::Uso;
  }
  ListaAperta aperta = apriLista(cartelle, *lista);
  if (elenca) {
    out << lista->nome << " (" << lista->file << "): " << aperta.contaParole() << " parole su "
        << catalogo::MassimoParole << ", " << provenienza(aperta) << '\n';
    if (aperta.rifiuto)
      out << "Il gioco non la usa: " << fraseRifiuto(*aperta.rifiuto) << '\n';
    for (const Parola &p : std::as_const(aperta.parole))
      out << senzaControlli(sillabe::scrivi(p.sillabe)) << '\n';
    return Uscita::Fatto;
  }
  if (ripristinare) {
    const Esito e = ripristina(cartelle, aperta);
    out << e.messaggio << '\n';
    return codice(e);
  }
  const sillabe::Scritta s = sillabe::leggiScritta(resto[1]);
  if (!s.errore.isEmpty()) {
    out << s.errore << '\n';
    return Uscita::Rifiutato;
  }
  Esito e;
  QString detto;  // which library picture, for the answer
  if (togliere) {
    const qsizetype i = indiceDi(aperta, s.parola);
    if (i < 0) {
      out << tra(s.parola) << " non c'è in " << lista->file << ".\n";
      return Uscita::Rifiutato;
    }
    e = togli(cartelle, aperta, i);
  } else {
    Foto foto;
    Immagine immagine;
    QString fileFoto = resto.value(2);
    if (conDisegno) {
      Biblioteca biblioteca(cartelle.programma);
      if (biblioteca.vuota()) {
        out << biblioteca.problema() << '\n';
        return Uscita::FotoInutile;
      }
      const std::optional<Risultato> d = disegnoChiamato(biblioteca, nomeDisegno);
      if (!d) {
        out << "Nella biblioteca non c'è un disegno " << tra(nomeDisegno)
            << ": cercalo con quirlo-parole --cerca e scrivi il nome o il file che trovi.\n";
        return Uscita::FotoInutile;
      }
      fileFoto = d->file;
      detto = QStringLiteral(", con il disegno %1 (%2)").arg(tra(d->nome), relativo(cartelle, d->file));
    }
    if (!fileFoto.isEmpty()) {
      foto = apriFoto(fileFoto, 1);
      if (!foto.valida()) {
        out << foto.errore << '\n';
        return Uscita::FotoInutile;
      }
      immagine = {&foto, ritaglioPredefinito(foto.dimensione, cornice(*lista))};
    }
    e = aggiungi(cartelle, aperta, s.sillabe, immagine);
  }
  if (e.riuscito())
    out << (togliere ? "Tolta " : "Aggiunta ") << tra(sillabe::scrivi(s.sillabe)) << (togliere ? " da " : " a ")
        << lista->file << detto << ": " << aperta.contaParole() << " parole.\n";
  if (!e.messaggio.isEmpty())
    out << e.messaggio << '\n';
  return codice(e);
}

}  // namespace quirlo::editor
