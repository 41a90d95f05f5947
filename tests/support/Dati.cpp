#include "Dati.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace quirlo::prova {

CartellaDati::CartellaDati() { QDir(dir_.path()).mkpath(QStringLiteral("jpg")); }

QString CartellaDati::file(const QString &relativo) const { return QDir(dir_.path()).filePath(relativo); }

void CartellaDati::scriviFile(const QString &relativo, const QByteArray &contenuto) const {
  const QString p = file(relativo);
  QDir().mkpath(QFileInfo(p).absolutePath());
  QFile f(p);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    qFatal("cannot write fixture %s", qPrintable(p));
  f.write(contenuto);
}

void CartellaDati::scriviLista(const QString &nome, const QList<QStringList> &parole, bool conDisegni) const {
  QByteArray testo;
  for (const QStringList &sillabe : parole) {
    testo += sillabe.join(QLatin1Char(',')).toUtf8() + "\r\n";
    if (conDisegni)
      scriviDisegno(sillabe.join(QString()));
  }
  scriviFile(nome, testo);
}

void CartellaDati::scriviDisegno(const QString &parola, int larghezza, int altezza) const {
  QImage img(larghezza, altezza, QImage::Format_RGB32);
  img.fill(QColor::fromHsv(int(qHash(parola) % 360), 200, 230));
  if (!img.save(file(QStringLiteral("jpg/%1.jpg").arg(parola)), "JPG"))
    qFatal("cannot write drawing for %s", qPrintable(parola));
}

void CartellaDati::rimuovi(const QString &relativo) const { QFile::remove(file(relativo)); }

bool CartellaDati::ignoraMaiuscole() const {
  scriviFile(QStringLiteral("prova-maiuscole"), "x");
  const bool ignora = QFileInfo::exists(file(QStringLiteral("PROVA-MAIUSCOLE")));
  rimuovi(QStringLiteral("prova-maiuscole"));
  return ignora;
}

namespace {
QList<QStringList> parole(int quante, int sillabe) {
  static const char *consonanti[] = {"b", "c", "d", "f", "g", "l", "m", "n", "p", "r", "s", "t", "v", "z"};
  static const char *vocali[] = {"a", "e", "i", "o", "u"};
  QList<QStringList> tutte;
  for (int i = 0; i < quante; ++i) {
    QStringList parola;
    int n = i;
    for (int s = 0; s < sillabe; ++s) {
      parola << QString::fromLatin1(consonanti[(n + s * 3) % 14]) + QString::fromLatin1(vocali[(n / 14 + s) % 5]);
      n = n / 14 + i * 7 + s;
    }
    // The index makes every word unique whatever the syllables.
    parola.last() += QString::number(i);
    tutte << parola;
  }
  return tutte;
}
}  // namespace

QList<QStringList> paroleBisillabe(int quante) { return parole(quante, 2); }
QList<QStringList> paroleTrisillabe(int quante) { return parole(quante, 3); }

}  // namespace quirlo::prova
