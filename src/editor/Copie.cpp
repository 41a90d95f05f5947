#include "Copie.h"

#include "Scrittura.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace quirlo::editor {

namespace {

struct Copia {
  QString nome;
  QString quando;  // "2026-12-09 14.30.05": sorts as it reads
  int numero = 0;  // a second copy in the same second
};

QDir cartellaDi(const QString &utente, const QString &relativo) {
  const QString sotto = QFileInfo(relativo).path();
  QString c = QDir(utente).filePath(QLatin1String(CartellaCopie));
  if (sotto != QLatin1String("."))
    c = QDir(c).filePath(sotto);
  return QDir(c);
}

QList<Copia> elenca(const QDir &cartella, const QString &relativo) {
  const QFileInfo f(relativo);
  const QRegularExpression re(QStringLiteral("^%1 (\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d)(?: (\\d+))?\\.%2$")
                                  .arg(QRegularExpression::escape(f.completeBaseName()),
                                       QRegularExpression::escape(f.suffix())));
  QList<Copia> tutte;
  for (const QString &nome : cartella.entryList(QDir::Files)) {
    const QRegularExpressionMatch m = re.match(nome);
    if (m.hasMatch())
      tutte.append({nome, m.captured(1), m.captured(2).toInt()});
  }
  std::sort(tutte.begin(), tutte.end(), [](const Copia &a, const Copia &b) {
    return std::pair(a.quando, a.numero) > std::pair(b.quando, b.numero);
  });
  return tutte;
}

}  // namespace

QString conservaCopia(const QString &cartellaUtente, const QString &relativo, const QByteArray &byte) {
  const QDir cartella = cartellaDi(cartellaUtente, relativo);
  const QFileInfo f(relativo);
  const QString quando = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
  // A second copy in the same second is numbered after the newest one kept,
  // so it still sorts as the newest once older ones are gone.
  int numero = 0;
  for (const Copia &c : elenca(cartella, relativo))
    if (c.quando == quando)
      numero = std::max(numero, std::max(c.numero, 1));
  const QString nome = numero == 0 ? QStringLiteral("%1 %2.%3").arg(f.completeBaseName(), quando, f.suffix())
                                   : QStringLiteral("%1 %2 %3.%4").arg(f.completeBaseName(), quando).arg(numero + 1).arg(f.suffix());
  const QString errore = scriviTutto(cartella.filePath(nome), byte);
  if (!errore.isEmpty())
    return QStringLiteral("Non riesco a conservare una copia della versione di prima, quindi non cambio niente. ") +
           errore;
  const QList<Copia> tutte = elenca(cartella, relativo);
  for (qsizetype i = CopieTenute; i < tutte.size(); ++i)
    QFile::remove(cartella.filePath(tutte[i].nome));
  return {};
}

QStringList copie(const QString &cartellaUtente, const QString &relativo) {
  const QDir cartella = cartellaDi(cartellaUtente, relativo);
  QStringList percorsi;
  for (const Copia &c : elenca(cartella, relativo))
    percorsi << cartella.filePath(c.nome);
  return percorsi;
}

}  // namespace quirlo::editor
