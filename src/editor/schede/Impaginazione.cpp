#include "Impaginazione.h"

#include <QRandomGenerator>
#include <algorithm>

#include "Misure.h"

namespace quirlo::schede {

namespace {

const Misure &misure(int sillabe, Tipo tipo) {
  for (const Misure &m : Tabella)
    if (m.sillabe == sillabe && m.ritaglio == (tipo == Tipo::Ritaglio))
      return m;
  return Tabella[0];
}

int colonneCarte(const Misure &m) {
  return int(Utile / m.larghezzaCasella);
}

// Where the block of cards starts: the same on every page, as tall as a full page's cards.
double inizioCarte(const Misure &m) {
  const int carte = m.colonne * m.righe * m.sillabe;
  const int righe = (carte + colonneCarte(m) - 1) / colonneCarte(m);
  return FinePagina - righe * m.altezzaCasella;
}

ParolaPosata posa(const Misure &m, int parola, int posto, double fineParole) {
  const double larghezzaCella = Utile / m.colonne;
  const double altezzaCella = (fineParole - InizioParole) / m.righe;
  const double x0 = Margine + (posto % m.colonne) * larghezzaCella;
  const double y0 = InizioParole + (posto / m.colonne) * altezzaCella;
  const double contenuto = m.altezzaDisegno + m.sottoDisegno + m.altezzaCasella;
  const double y = y0 + (altezzaCella - contenuto) / 2;
  ParolaPosata p;
  p.parola = parola;
  p.disegno = QRectF(x0 + (larghezzaCella - m.larghezzaDisegno) / 2, y, m.larghezzaDisegno, m.altezzaDisegno);
  const double caselle = m.sillabe * m.larghezzaCasella + (m.sillabe - 1) * m.traCaselle;
  for (int s = 0; s < m.sillabe; ++s)
    p.caselle << QRectF(x0 + (larghezzaCella - caselle) / 2 + s * (m.larghezzaCasella + m.traCaselle),
                        y + m.altezzaDisegno + m.sottoDisegno, m.larghezzaCasella, m.altezzaCasella);
  return p;
}

// Fisher-Yates with Qt's generator: the same seed shuffles alike on every platform.
void mescola(QList<Carta> &carte, QRandomGenerator &caso) {
  const QList<Carta> prima = carte;
  for (qsizetype i = carte.size() - 1; i > 0; --i)
    std::swap(carte[i], carte[qsizetype(caso.bounded(quint32(i + 1)))]);
  // Cards in the words' own order would give the answer away.
  const auto stessoOrdine = [&] {
    return std::equal(carte.begin(), carte.end(), prima.begin(), prima.end(),
                      [](const Carta &a, const Carta &b) { return a.sillaba == b.sillaba; });
  };
  if (carte.size() > 1 && stessoOrdine())
    std::rotate(carte.begin(), carte.begin() + 1, carte.end());
}

void posaCarte(const Misure &m, Pagina &pagina) {
  const int colonne = colonneCarte(m);
  const double x0 = Margine + (Utile - colonne * m.larghezzaCasella) / 2;
  const double y0 = inizioCarte(m);
  const auto n = int(pagina.carte.size());
  const auto inRiga = [&](int riga) { return std::clamp(n - riga * colonne, 0, colonne); };
  const int righe = (n + colonne - 1) / colonne;
  for (int i = 0; i < n; ++i)
    pagina.carte[i].dove = QRectF(x0 + (i % colonne) * m.larghezzaCasella, y0 + (i / colonne) * m.altezzaCasella,
                                  m.larghezzaCasella, m.altezzaCasella);
  // A grid of lines, each cut once: neighbouring cards share theirs.
  for (int riga = 0; riga <= righe; ++riga) {
    const int larghe = std::max(riga < righe ? inRiga(riga) : 0, riga > 0 ? inRiga(riga - 1) : 0);
    const double y = y0 + riga * m.altezzaCasella;
    pagina.tagli << QLineF(x0, y, x0 + larghe * m.larghezzaCasella, y);
  }
  for (int riga = 0; riga < righe; ++riga)
    for (int c = 0; c <= inRiga(riga); ++c) {
      const double x = x0 + c * m.larghezzaCasella;
      pagina.tagli << QLineF(x, y0 + riga * m.altezzaCasella, x, y0 + (riga + 1) * m.altezzaCasella);
    }
}

}  // namespace

int parolePerPagina(int sillabe) {
  const Misure &m = misure(sillabe, Tipo::Sillabe);
  return m.colonne * m.righe;
}

Impaginazione impagina(const QList<QStringList> &parole, int sillabe, Tipo tipo, bool maiuscolo, quint32 seme) {
  Impaginazione imp;
  imp.sillabe = sillabe;
  imp.tipo = tipo;
  imp.maiuscolo = maiuscolo;
  const Misure &m = misure(sillabe, tipo);
  const int perPagina = m.colonne * m.righe;
  const double fineParole = tipo == Tipo::Ritaglio ? inizioCarte(m) - SopraCarte : FinePagina;
  QRandomGenerator caso(seme);
  for (int i = 0; i < parole.size(); i += perPagina) {
    Pagina pagina;
    for (int k = i; k < std::min(int(parole.size()), i + perPagina); ++k) {
      pagina.parole << posa(m, k, k - i, fineParole);
      if (tipo == Tipo::Ritaglio)
        for (const QString &s : parole[k])
          pagina.carte << Carta{maiuscolo ? s.toUpper() : s.toLower(), {}};
    }
    if (tipo == Tipo::Ritaglio) {
      mescola(pagina.carte, caso);
      posaCarte(m, pagina);
    }
    imp.pagine << pagina;
  }
  return imp;
}

QString titolo(int sillabe) {
  return sillabe == 3 ? QStringLiteral("Quirlo - parole di tre sillabe")
                      : QStringLiteral("Quirlo - parole di due sillabe");
}

QString consegna(Tipo tipo, bool maiuscolo) {
  const QString testo = tipo == Tipo::Ritaglio
                            ? QStringLiteral("Ritaglia le sillabe e incollale sotto il disegno giusto.")
                            : QStringLiteral("Scrivi le sillabe sotto ogni disegno.");
  return maiuscolo ? testo.toUpper() : testo;
}

}  // namespace quirlo::schede
