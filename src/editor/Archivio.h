#pragma once

#include "Catalogo.h"
#include "ListaParole.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace quirlo::editor {

// The two data folders: the teacher's, where the editor writes, and the
// program's, which it only reads.
struct Cartelle {
  QString utente;
  QString programma;
  // As the game looks in them: the user's first when it exists.
  QStringList dati() const;
  static Cartelle delSistema();  // ~/.local/share/quirlo or %APPDATA%\Quirlo; the program's own
};

// A list as the editor opened it.
struct ListaAperta {
  const catalogo::Lista *lista = nullptr;
  QList<Parola> parole;
  bool dellUtente = false;  // read from the user folder
  QString percorso;         // where it was read from
  std::optional<QByteArray> impronta;  // the user file's hash when read; none when there was no file
  std::optional<Rifiuto> rifiuto;      // why the game refuses it as it is now
  int contaParole() const { return int(parole.size()); }
};

ListaAperta apriLista(const Cartelle &cartelle, const catalogo::Lista &lista);

// The list file as the game reads it and Notepad shows it: UTF-8, CR LF.
QByteArray testoLista(const QList<Parola> &parole);

struct Esito {
  enum Tipo {
    Fatto,
    Rifiutato,         // the game would refuse the list, or the request makes no sense
    CambiataSulDisco,  // someone else changed the list since it was opened
    NonScritto,        // the disk or the folder would not take it
  };
  Tipo tipo = Fatto;
  QString messaggio;  // one or two Italian sentences; may be set when Fatto (a warning)
  bool riuscito() const { return tipo == Fatto; }
};

// Saves `parole` as the teacher's list: checked first with the game's own
// reader and acceptance rules, the version on disk kept among the copies,
// written at once or not at all. A list the game would take is never turned
// into one it refuses; one it refuses already may be saved while being mended.
// Unless `ancheSeCambiata`, a list changed on disk since `aperta` was read is
// left alone. `aperta` is updated on success.
Esito salvaLista(const Cartelle &cartelle, ListaAperta &aperta, const QList<Parola> &parole,
                 bool ancheSeCambiata = false);

// Gives the game the program's list back: the teacher's is kept among the copies.
Esito ripristina(const Cartelle &cartelle, ListaAperta &aperta);

// The answer when the system names no user folder to write in.
Esito senzaCartellaUtente();

// Why the game would refuse a list, as one sentence that fits the editor.
QString fraseRifiuto(const Rifiuto &r);

}  // namespace quirlo::editor
