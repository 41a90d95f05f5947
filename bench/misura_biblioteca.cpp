// What the picture library offers first for each word of the game's lists:
// once as shipped, and once without the game's own drawings (the real test
// of the library: the words a teacher will type are not in the game).
//
//   quirlo_misura_biblioteca DATI [--parole FILE] [GIUDIZI]
//
// --parole: the words of FILE (one a line, "#" comments) instead of the lists'.
// prints "parola<TAB>con|senza<TAB>nome<TAB>file" per word and mode. With
// GIUDIZI (tools/library/misura.tsv: parola, file, sì/no, why), it prints
// the share judged right instead, and every word whose first picture is no
// longer the one judged, so a changed index is judged again, not trusted.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "Biblioteca.h"

using namespace quirlo;

namespace {

QStringList paroleDelFile(const QString &percorso) {
  QStringList parole;
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly))
    return parole;
  for (const QString &riga : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
    if (!riga.trimmed().isEmpty() && !riga.startsWith(QLatin1Char('#')))
      parole.append(riga.trimmed());
  return parole;
}

QStringList paroleDelleListe(const QString &dati) {
  QStringList parole;
  for (const char *nome : {"lista2.txt", "lista3.txt", "lista4.txt", "lista5.txt"}) {
    QFile f(QDir(dati).filePath(QLatin1String(nome)));
    if (!f.open(QIODevice::ReadOnly))
      continue;
    for (const QString &riga : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
      const QString parola = riga.trimmed().remove(QLatin1Char(','));
      if (!parola.isEmpty())
        parole.append(parola);
    }
  }
  return parole;
}

// The library without the game's drawings, in a folder of its own.
bool senzaDisegniDelGioco(const QString &dati, const QString &cartella) {
  QFile indice(Biblioteca::percorsoIndice(dati));
  if (!indice.open(QIODevice::ReadOnly) || !QDir(cartella).mkpath(QStringLiteral("biblioteca")))
    return false;
  QFile fuori(Biblioteca::percorsoIndice(cartella));
  if (!fuori.open(QIODevice::WriteOnly))
    return false;
  while (!indice.atEnd()) {
    const QByteArray riga = indice.readLine();
    if (!riga.startsWith("jpg/"))
      fuori.write(riga);
  }
  for (const char *stile : {"noto", "fluent"})
    if (!QFile::link(QDir(dati).absoluteFilePath(QStringLiteral("biblioteca/") + QLatin1String(stile)),
                     QDir(cartella).filePath(QStringLiteral("biblioteca/") + QLatin1String(stile))))
      return false;
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QStringList argomenti = app.arguments();
  QString fileParole;
  if (const qsizetype i = argomenti.indexOf(QStringLiteral("--parole")); i > 0 && i + 1 < argomenti.size()) {
    fileParole = argomenti[i + 1];
    argomenti.remove(i, 2);
  }
  if (argomenti.size() < 2) {
    std::fprintf(stderr, "uso: quirlo_misura_biblioteca DATI [--parole FILE] [GIUDIZI]\n");
    return 2;
  }
  const QString dati = argomenti[1];
  QTemporaryDir tmp;
  if (!tmp.isValid() || !senzaDisegniDelGioco(dati, tmp.path())) {
    std::fprintf(stderr, "non riesco a preparare la biblioteca senza i disegni del gioco\n");
    return 1;
  }
  Biblioteca con(dati), senza(tmp.path());
  const QString radice = QDir(dati).absolutePath() + QLatin1Char('/');
  const QString radiceSenza = QDir(tmp.path()).absolutePath() + QLatin1Char('/');
  QHash<QString, QString> primo;  // "parola\tmodo" -> file relative to the data folder
  QTextStream out(stdout);
  const QStringList parole = fileParole.isEmpty() ? paroleDelleListe(dati) : paroleDelFile(fileParole);
  for (const QString &parola : parole) {
    for (auto [modo, b] : {std::pair{"con", &con}, std::pair{"senza", &senza}}) {
      const QList<Risultato> r = b->cerca(parola, 1);
      QString file = r.isEmpty() ? QStringLiteral("-") : r.first().file;
      file.remove(radice).remove(radiceSenza);
      primo.insert(parola + QLatin1Char('\t') + QLatin1String(modo), file);
      if (argomenti.size() < 3)
        out << parola << '\t' << modo << '\t' << (r.isEmpty() ? QStringLiteral("-") : r.first().nome) << '\t' << file
            << '\n';
    }
  }
  if (argomenti.size() < 3)
    return 0;

  QFile giudizi(argomenti[2]);
  if (!giudizi.open(QIODevice::ReadOnly))
    return 1;
  int giusti = 0, giudicati = 0, cambiati = 0;
  for (const QString &riga : QString::fromUtf8(giudizi.readAll()).split(QLatin1Char('\n'))) {
    const QStringList c = riga.split(QLatin1Char('\t'));
    if (riga.startsWith(QLatin1Char('#')) || c.size() < 3)
      continue;
    if (primo.value(c[0] + QStringLiteral("\tsenza")) != c[1]) {
      out << "da giudicare di nuovo: " << c[0] << " ora dà " << primo.value(c[0] + QStringLiteral("\tsenza")) << '\n';
      ++cambiati;
      continue;
    }
    ++giudicati;
    if (c[2] == QStringLiteral("sì"))
      ++giusti;
  }
  int conGiusti = 0;
  for (const QString &parola : parole)
    if (primo.value(parola + QStringLiteral("\tcon")) == QStringLiteral("jpg/") + parola + QStringLiteral(".jpg"))
      ++conGiusti;
  out << "con i disegni del gioco: " << conGiusti << " su " << parole.size()
      << " danno per primo il disegno del gioco\n";
  out << "senza: " << giusti << " giusti su " << giudicati << " giudicati (" << parole.size() << " parole, " << cambiati
      << " da giudicare di nuovo)\n";
  return cambiati == 0 ? 0 : 1;
}
