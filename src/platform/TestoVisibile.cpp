#include "TestoVisibile.h"

#include <QList>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace quirlo {

namespace {

bool controllo(char16_t u) {
  return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
}

// Marks that turn the text around them right to left or break its line where
// nobody sees a line end: in a file's name they can make "gpj.exe" read as
// "exe.jpg", or move the rest of a message elsewhere.
bool direzione(char16_t u) {
  return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F ||
         u == 0x061C || u == 0x2028 || u == 0x2029;
}

// `inRiga`: also the characters that would break a trace line, and the
// backslash that escapes them.
void aggiungiVisibile(QString &fuori, QStringView testo, bool inRiga = false) {
  for (qsizetype i = 0; i < testo.size(); ++i) {
    const QChar c = testo[i];
    const char16_t u = c.unicode();
    // Half a surrogate pair is no character: written out it would become "?".
    const bool coppia = (c.isHighSurrogate() && i + 1 < testo.size() && testo[i + 1].isLowSurrogate()) ||
                        (c.isLowSurrogate() && i > 0 && testo[i - 1].isHighSurrogate());
    if (inRiga && u == u'\\')
      fuori += QLatin1String("\\\\");
    else if (inRiga && u == u'\r')
      fuori += QLatin1String("\\r");
    else if (inRiga && u == u'\n')
      fuori += QLatin1String("\\n");
    else if (controllo(u))
      fuori += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    else if (direzione(u) || (c.isSurrogate() && !coppia))
      fuori += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
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

QString testoInRiga(const QString &testo) {
  QString fuori;
  fuori.reserve(testo.size());
  aggiungiVisibile(fuori, testo, true);
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
  // A first letter with hundreds of marks on it still shows its start, cut
  // between characters rather than between letters.
  if (fuori.isEmpty() && !pezzi.isEmpty()) {
    const QString &primo = pezzi.first();
    qsizetype fine = std::min<qsizetype>(primo.size(), massimo - 1);
    if (fine > 0 && fine < primo.size() && primo[fine - 1].isHighSurrogate() && primo[fine].isLowSurrogate())
      --fine;
    fuori = primo.left(fine);
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

QString plurale(qsizetype n, QStringView singolare, QStringView plurale) {
  return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? singolare : plurale);
}

}  // namespace quirlo
