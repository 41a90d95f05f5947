#include "Indice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include "Parole.h"

namespace quirlo::biblioteca {

namespace {

const QString NomeIndice = QStringLiteral("biblioteca/indice.tsv");

QString senzaProblemi(Indice &indice) {
  if (indice.voci.isEmpty() && indice.problema.isEmpty())
    indice.problema =
        QStringLiteral("La biblioteca dei disegni è vuota: il file «%1» non elenca nessun disegno.").arg(NomeIndice);
  return indice.problema;
}

// A path inside the data folder, written with "/": no drive, no root, no "..".
bool relativoSicuro(const QString &file) {
  if (file.isEmpty() || QDir::isAbsolutePath(file) || file.contains(QLatin1Char('\\')) ||
      file.contains(QLatin1Char(':')))
    return false;
  for (const QStringView parte : QStringView(file).split(QLatin1Char('/')))
    if (parte.isEmpty() || parte == u"." || parte == u"..")
      return false;
  return true;
}

// Builds the vocabulary while the index is read.
class Raccolta {
 public:
  explicit Raccolta(Vocabolario &v) : v_(v) {}

  QList<Testo> testi(QStringView colonna) {
    QList<Testo> fuori;
    for (const QStringView pezzo : colonna.split(QLatin1Char('|'))) {
      Testo t;
      t.scritto = pezzo.trimmed().toString();
      for (const QString &p : parole(normalizza(t.scritto)))
        t.parole.append(posto(p));
      if (!t.parole.isEmpty())
        fuori.append(std::move(t));
    }
    return fuori;
  }

 private:
  int posto(const QString &parola) {
    const auto trovata = posti_.constFind(parola);
    if (trovata != posti_.constEnd())
      return *trovata;
    const int n = int(v_.parole.size());
    v_.parole.append(parola);
    v_.forme.append(forme(parola));
    posti_.insert(parola, n);
    return n;
  }

  Vocabolario &v_;
  QHash<QString, int> posti_;
};

}  // namespace

Vocabolario paroleDi(QStringView testo) {
  Vocabolario v;
  v.parole = parole(normalizza(testo));
  for (const QString &p : v.parole)
    v.forme.append(forme(p));
  return v;
}

Indice leggiTestoIndice(QStringView testoIndice, const QString &cartella) {
  Indice indice;
  Raccolta raccolta(indice.vocabolario);
  const QDir dati(cartella);
  for (QStringView riga : testoIndice.split(QLatin1Char('\n'))) {
    if (riga.endsWith(QLatin1Char('\r')))
      riga.chop(1);
    if (riga.isEmpty() || riga.startsWith(QLatin1Char('#')))
      continue;
    const QList<QStringView> colonne = riga.split(QLatin1Char('\t'));
    if (colonne.size() < 2)
      continue;
    const QString file = colonne[0].trimmed().toString();
    if (!relativoSicuro(file))
      continue;
    Voce voce;
    voce.nomi = raccolta.testi(colonne[1]);
    if (voce.nomi.isEmpty())
      continue;
    if (colonne.size() > 2)
      voce.chiavi = raccolta.testi(colonne[2]);
    voce.file = QDir::cleanPath(dati.absoluteFilePath(file));
    indice.voci.append(std::move(voce));
  }
  senzaProblemi(indice);
  return indice;
}

Indice leggiIndice(const QString &cartella) {
  Indice indice;
  QFile file(QDir(cartella).filePath(NomeIndice));
  const QFileInfo info(file);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
    indice.problema = QStringLiteral(
                          "Non trovo la biblioteca dei disegni: manca il file «%1» nella cartella del "
                          "programma. Prova a reinstallare Quirlo.")
                          .arg(NomeIndice);
    return indice;
  }
  if (info.size() > MassimoByteIndice) {
    indice.problema = QStringLiteral("Il file «%1» è troppo grande per essere l'indice della biblioteca dei disegni.")
                          .arg(NomeIndice);
    return indice;
  }
  // read() stops at the limit even if the file grew after the check.
  const QByteArray byte = file.read(MassimoByteIndice + 1);
  if (byte.size() > MassimoByteIndice) {
    indice.problema = QStringLiteral("Il file «%1» è troppo grande per essere l'indice della biblioteca dei disegni.")
                          .arg(NomeIndice);
    return indice;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString testoIndice = utf8.decode(byte);
  return leggiTestoIndice(testoIndice, cartella);
}

}  // namespace quirlo::biblioteca
