#include "TestoVisibile.h"

#include <QList>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace quirlo {

namespace {

bool controllo(char16_t u) {
  return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
}

void aggiungiVisibile(QString &fuori, QStringView testo) {
  for (const QChar c : testo) {
    if (controllo(c.unicode()))
      fuori += QStringLiteral("\\x%1").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
    else
      fuori += c;
  }
}

}  // namespace

QString senzaControlli(const QString &testo) {
  QString fuori;
  fuori.reserve(testo.size());
  aggiungiVisibile(fuori, testo);
  return fuori;
}

QString accorciato(const QString &testo, qsizetype massimo) {
  massimo = std::max<qsizetype>(massimo, 2);
  // Escaping only lengthens, so a prefix one past the limit is enough to
  // decide, and only it is looked at.
  const QString inizio = testo.left(massimo + 2);
  QTextBoundaryFinder grafemi(QTextBoundaryFinder::Grapheme, inizio);
  QList<QString> pezzi;
  qsizetype totale = 0;
  for (qsizetype da = 0, a = grafemi.toNextBoundary(); a != -1; da = a, a = grafemi.toNextBoundary()) {
    QString pezzo;
    aggiungiVisibile(pezzo, QStringView(inizio).sliced(da, a - da));
    totale += pezzo.size();
    pezzi.append(std::move(pezzo));
  }
  QString fuori;
  if (inizio.size() == testo.size() && totale <= massimo) {
    for (const QString &p : std::as_const(pezzi))
      fuori += p;
    return fuori;
  }
  for (const QString &p : std::as_const(pezzi)) {
    if (fuori.size() + p.size() > massimo - 1)
      break;
    fuori += p;
  }
  return fuori + QChar(0x2026);
}

QString nomeAccorciato(const QString &nome, qsizetype massimo) {
  const qsizetype punto = nome.lastIndexOf(QLatin1Char('.'));
  const qsizetype estensione = punto < 0 ? 0 : nome.size() - punto;
  if (punto <= 0 || estensione > 5 || massimo - estensione < 4)
    return accorciato(nome, massimo);
  const QString base = nome.left(punto);
  const QString corta = accorciato(base, massimo - estensione);
  return corta + senzaControlli(nome.sliced(punto));
}

}  // namespace quirlo
