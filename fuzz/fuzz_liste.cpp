// libFuzzer targets on bytes a teacher might have saved from any editor:
// fuzz_lettore runs the reader alone (fast); fuzz_accettazione also writes the
// bytes as a list file and accepts it against a folder of drawings.
#include "Accettazione.h"
#include "ListaParole.h"
#include "TestoLista.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace quirlo;

namespace {

[[noreturn]] void violato(const char *regola) {
  std::fprintf(stderr, "invariant broken: %s\n", regola);
  std::abort();
}

void verifica(bool condizione, const char *regola) {
  if (!condizione)
    violato(regola);
}

// A program folder shared by every run: a few good drawings, one whose name
// differs in case, one that is text with a picture's name.
struct Cartella {
  QTemporaryDir dir;
  QString lista2, lista3;

  Cartella() {
    QDir(dir.path()).mkpath(QStringLiteral("jpg"));
    const char *buone[] = {"casa", "luna", "ape", "rana", "tavolo", "banana", "patata", "carota", "limone"};
    for (const char *parola : buone) {
      QImage img(8, 6, QImage::Format_RGB32);
      img.fill(QColor(200, 120, 40));
      img.save(dir.filePath(QStringLiteral("jpg/%1.jpg").arg(QString::fromUtf8(parola))), "JPG");
    }
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::blue);
    img.save(dir.filePath(QStringLiteral("jpg/Mela.jpg")), "JPG");
    QFile rotto(dir.filePath(QStringLiteral("jpg/rotto.jpg")));
    if (rotto.open(QIODevice::WriteOnly))
      rotto.write("not a picture\n");
    lista2 = dir.filePath(QStringLiteral("lista2.txt"));
    lista3 = dir.filePath(QStringLiteral("lista3.txt"));
  }
};

Cartella *cartella = nullptr;

void verificaCampi(const QList<Campo> &campi, const QString &testo) {
  const qsizetype righe = testo.count(QLatin1Char('\n')) + testo.count(QLatin1Char('\r')) + 1;
  int precedente = 1;
  for (const Campo &c : campi) {
    verifica(c.riga >= precedente && c.riga <= righe, "field lines run forward inside the text");
    precedente = c.riga;
    verifica(!c.testo.contains(QLatin1Char('\n')) && !c.testo.contains(QLatin1Char('\r')),
             "no line end inside a field");
    verifica((!c.testo.startsWith(QLatin1Char(' ')) && !c.testo.startsWith(QLatin1Char('\t'))) ||
                 testo.contains(QLatin1Char('"')),
             "leading blanks skipped outside quotes");
  }
}

void verificaLettura(const ListaLetta &letta, const QList<Campo> &campi, int n) {
  for (const Parola &p : letta.parole)
    verifica(p.sillabe.size() == n, "every word has all its syllables");
  verifica(letta.parole.size() <= MassimoParole, "at most 100 words");
  if (letta.accettata()) {
    verifica(letta.parole.size() * n == campi.size(), "an accepted list uses every field");
    return;
  }
  const Rifiuto &r = *letta.rifiuto;
  verifica(!r.messaggio().isEmpty() && r.messaggio().contains(r.nomeFile), "the message names the file");
  switch (r.problema) {
    case Problema::TroppeParole:
      verifica(letta.parole.size() == MassimoParole && campi.size() > MassimoParole * n, "101st word refused");
      break;
    case Problema::SillabeIncomplete:
      verifica((campi.size() % n != 0 || campi.last().troncato) && campi.size() < (MassimoParole + 1) * n,
               "incomplete only when short, or cut after a comma");
      break;
    case Problema::SillabaTroppoLunga:
      verifica(r.testo.size() > MassimoLettereSillaba && campi.size() > letta.parole.size() * n,
               "a syllable refused only when too long");
      verifica(r.messaggio().size() < 400, "the message stays short whatever the syllable");
      break;
    case Problema::NomeTroppoLungo:
      verifica((r.testo + QStringLiteral(".jpg")).toUtf8().size() > MassimoByteNomeFile,
               "a word refused only when its drawing's name could not exist");
      verifica(r.messaggio().size() < 400, "the message stays short whatever the word");
      break;
    default:
      violato("unexpected refusal from bytes in memory");
  }
}

[[maybe_unused]] void accetta(const QByteArray &byte, const QString &file, const QString &nome, int campi, int servono,
             const ListaLetta &inMemoria) {
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
      violato("cannot write the list");
    f.write(byte);
  }
  const EsitoAccettazione esito = accettaLista(cartella->dir.path(), QStringLiteral("\\") + nome, campi, servono);
  verifica(esito.lista.has_value() != esito.rifiuto.has_value(), "either a list or a refusal");
  if (esito.lista) {
    verifica(inMemoria.accettata(), "the file reads as the bytes do");
    verifica(esito.lista->parole.size() >= servono, "enough words");
    verifica(esito.lista->disegni.size() == esito.lista->parole.size(), "a drawing per word");
    for (const QString &d : esito.lista->disegni)
      verifica(QFileInfo(d).isFile() && QFileInfo(d).absolutePath().endsWith(QStringLiteral("/jpg")),
               "drawings lie inside jpg");
    return;
  }
  const Rifiuto &r = *esito.rifiuto;
  verifica(r.nomeFile == nome && r.messaggio().contains(nome), "the refusal names the list");
  if (!inMemoria.accettata())
    verifica(r.problema == inMemoria.rifiuto->problema, "the same refusal as in memory");
  else if (r.problema == Problema::TroppoPoche)
    verifica(inMemoria.parole.size() < servono && r.trovate == inMemoria.parole.size(), "too few counted");
  else
    verifica(r.problema == Problema::DisegniMancanti && !r.disegni.isEmpty(), "a missing drawing is named");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  static QCoreApplication app(*argc, *argv);
#ifdef QUIRLO_FUZZ_ACCETTAZIONE
  static Cartella c;
  cartella = &c;
#endif
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t dimensione) {
  const QByteArray byte(reinterpret_cast<const char *>(dati), qsizetype(dimensione));
  const QString testo = decodificaLista(byte);
  const QList<Campo> campi = leggiCampi(testo);
  verificaCampi(campi, testo);

  const ListaLetta due = leggiListaDaByte(byte, QStringLiteral("lista2.txt"), 2);
  const ListaLetta tre = leggiListaDaByte(byte, QStringLiteral("lista3.txt"), 3);
  verificaLettura(due, campi, 2);
  verificaLettura(tre, campi, 3);

#ifdef QUIRLO_FUZZ_ACCETTAZIONE
  accetta(byte, cartella->lista2, QStringLiteral("lista2.txt"), 2, 4, due);
  accetta(byte, cartella->lista3, QStringLiteral("lista3.txt"), 3, 3, tre);
#endif
  return 0;
}
