#include "Sillabazione.h"

#include "Catalogo.h"
#include "TestoVisibile.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace quirlo::sillabe {

namespace {

bool accentata(QChar c) { return QStringView(u"àáâäèéêëìíîïòóôöùúûü").contains(c); }
bool vocale(QChar c) { return QStringView(u"aeiouy").contains(c) || accentata(c); }
// Unstressed i and u lean on the vowel beside them; a written accent stresses it.
bool debole(QChar c) { return c == u'i' || c == u'u' || c == u'y'; }
bool forte(QChar c) { return vocale(c) && !debole(c); }
bool muta(QChar c) { return QStringView(u"bcdfgptv").contains(c); }

// Letters that can open a syllable inside a word: one consonant, ch gh gn, a
// consonant with l or r after it (but not tl, dl: at-le-ta), each with an s
// in front (pe-sce, fi-ne-stra). A double never opens one.
bool attacco(QStringView s) {
  if (s.size() > 1 && s[0] == u's' && s[1] != u's')
    s = s.sliced(1);
  if (s.size() <= 1)
    return true;
  if (s.size() > 2)
    return false;
  const QChar a = s[0], b = s[1];
  return ((a == u'c' || a == u'g') && b == u'h') || (a == u'g' && b == u'n') ||
         (muta(a) && (b == u'r' || (b == u'l' && a != u't' && a != u'd')));
}

struct Giunto {
  qsizetype dove;  // the second of the two vowels
  bool ascendente;  // i or u first (fio-re), else after (pau-ra)
};

class Divisore {
 public:
  explicit Divisore(const QString &w) : w_(w), inizio_(size_t(w.size()), false) {}

  Divisione esegui() {
    qsizetype fineRun = -1, primo = -1;
    for (qsizetype a = 0; a < w_.size();) {
      if (!vocale(w_[a])) {
        ++a;
        continue;
      }
      qsizetype b = a;
      while (b < w_.size() && vocale(w_[b]))
        ++b;
      if (fineRun >= 0) {
        qsizetype lungo = a - fineRun;
        while (!attacco(QStringView(w_).sliced(a - lungo, lungo)))
          --lungo;
        inizio_[size_t(a - lungo)] = true;
      } else {
        primo = a;
      }
      vocali(a, b, primo == a);
      fineRun = b;
      a = b;
    }
    Divisione d;
    d.sillabe = sillabe();
    if (d.sillabe.size() == 1 && monosillabo()) {
      d.controlla = true;
      d.alternativa = QStringList{w_};
      d.sillabe = sillabe();
      return d;
    }
    const qsizetype n = d.sillabe.size();
    std::vector<qsizetype> girati;
    for (const Giunto &g : dubbi_) {
      // Where the stress usually falls, on the last syllable but one, an i or u
      // stressed would stand apart (zì-o, bu-gì-a, pa-ù-ra); so would the first
      // syllable's i or u of a word made from another (vi-o-la, sci-a-re).
      const qsizetype debole = g.ascendente ? g.dove - 1 : g.dove;
      const qsizetype sillaba = indice(debole) + (g.ascendente ? 0 : 1);
      const bool accento = sillaba == n - 1;
      const bool origine = g.ascendente && indice(debole) == 0 && primoRunConAttacco_;
      if (accento || origine)
        girati.push_back(g.dove);
    }
    if (girati.empty())
      return d;
    for (qsizetype p : girati)
      inizio_[size_t(p)] = true;
    d.controlla = true;
    d.alternativa = sillabe();
    return d;
  }

 private:
  // Splits a run of vowels [a, b) and notes the joins the stress could undo.
  void vocali(qsizetype a, qsizetype b, bool primoRun) {
    if (primoRun)
      primoRunConAttacco_ = a > 0;
    const QChar prima = a > 0 ? w_[a - 1] : QChar();
    for (qsizetype p = a + 1; p < b; ++p) {
      const QChar x = w_[p - 1], y = w_[p];
      // An i between two vowels goes with the second: ma-ia-le, gio-ia.
      if ((y == u'i' || y == u'y') && p + 1 < b) {
        inizio_[size_t(p)] = true;
        continue;
      }
      if (forte(x) && forte(y)) {  // le-o-ne, ma-e-stra, farmacì-a
        inizio_[size_t(p)] = true;
        continue;
      }
      if (debole(x) && debole(y))
        continue;  // piu-ma, pin-gui-no
      if (forte(x)) {
        dubbi_.push_back({p, false});
        continue;
      }
      // Rising: i or u before a, e, o. These never split.
      const bool inizioRun = p - 1 == a;
      if (!inizioRun && inizio_[size_t(p - 1)])
        continue;  // the i that came between two vowels (cuc-chia-io)
      if (x == u'u' && (y == u'o' || (inizioRun && (prima == u'q' || prima == u'g'))))
        continue;  // fuo-co, squa-lo, guan-ti
      if (x == u'i' && inizioRun && a >= 2 && w_[a - 1] == u'h')
        continue;  // chia-ve, ghiac-cio
      if (x == u'i' && inizioRun && a >= 2 && w_[a - 1] == u'l' && w_[a - 2] == u'g')
        continue;  // fo-glia
      if (x == u'i' && inizioRun && (prima == u'c' || prima == u'g')) {
        // A written i that only softens c or g (ca-mi-cia), unless the stress
        // may fall on it at the word's end (bu-gì-a) or it is the sci of sci-a-re.
        const bool fine = p == w_.size() - 1 && y == u'a';
        const bool sci = a == 2 && w_[0] == u's' && w_[1] == u'c';
        if (!fine && !sci)
          continue;
      }
      dubbi_.push_back({p, true});
    }
  }

  // A single syllable ending in i or u and a vowel, with no accent written,
  // has its stress on the i or u: zi-o, vi-a, tu-o, sci-a (but qua, buoi, più).
  bool monosillabo() {
    const qsizetype n = w_.size();
    if (n < 2 || !forte(w_[n - 1]) || !debole(w_[n - 2]))
      return false;
    for (QChar c : w_)
      if (accentata(c))
        return false;
    if (w_[n - 2] == u'u' && n >= 3 && (w_[n - 3] == u'q' || w_[n - 3] == u'g'))
      return false;
    inizio_[size_t(n - 1)] = true;
    return true;
  }

  qsizetype indice(qsizetype pos) const {
    qsizetype s = 0;
    for (qsizetype i = 1; i <= pos; ++i)
      s += inizio_[size_t(i)];
    return s;
  }

  QStringList sillabe() const {
    QStringList l;
    qsizetype da = 0;
    for (qsizetype i = 1; i < w_.size(); ++i)
      if (inizio_[size_t(i)]) {
        l << w_.mid(da, i - da);
        da = i;
      }
    l << w_.mid(da);
    return l;
  }

  const QString &w_;
  std::vector<bool> inizio_;  // a syllable starts at this letter
  std::vector<Giunto> dubbi_;
  bool primoRunConAttacco_ = false;
};

// Marks a teacher may use between syllables: hyphen (and the dashes a word
// processor puts for it), comma, blank, slash, middle dot.
const QRegularExpression &separatori() {
  static const QRegularExpression re(QStringLiteral("[\\s\\-\u2010\u2011\u2013\u2014,/\u00B7]+"));
  return re;
}

// Names Windows keeps for devices in every folder: "con.jpg" can never be saved there.
bool nomeRiservato(const QString &parola) {
  static const QRegularExpression re(QStringLiteral("^(con|prn|aux|nul|com[0-9]|lpt[0-9])$"));
  return re.match(parola).hasMatch();
}

}  // namespace

Divisione dividi(const QString &parola) {
  if (parola.isEmpty())
    return {};
  return Divisore(parola).esegui();
}

Scritta leggiScritta(const QString &testo) {
  Scritta s;
  const QString pulito = testo.normalized(QString::NormalizationForm_C).toLower();
  const QStringList parti = pulito.split(separatori(), Qt::SkipEmptyParts);
  const QString parola = parti.join(QString());
  const QString mostrata = QStringLiteral("\u00AB%1\u00BB").arg(accorciato(testo.trimmed()));
  if (parola.isEmpty()) {
    s.errore = QStringLiteral("Scrivi la parola.");
    return s;
  }
  for (QChar c : parola)
    if (!c.isLetter()) {
      s.errore = QStringLiteral("%1 non va bene: una parola del gioco è fatta solo di lettere, senza apostrofi, "
                                "numeri o altri segni.")
                     .arg(mostrata);
      return s;
    }
  if (std::none_of(parola.begin(), parola.end(), vocale)) {
    s.errore = QStringLiteral("%1 non ha vocali: non si può dividere in sillabe.").arg(mostrata);
    return s;
  }
  if ((parola + QStringLiteral(".jpg")).toUtf8().size() > catalogo::MassimoByteNomeFile) {
    s.errore = QStringLiteral("%1 è troppo lunga: il nome del suo disegno non starebbe in un file.").arg(mostrata);
    return s;
  }
  if (nomeRiservato(parola)) {
    s.errore = QStringLiteral("%1 non si può usare: su Windows nessun file può chiamarsi così, e il suo disegno "
                              "non si potrebbe salvare.")
                   .arg(mostrata);
    return s;
  }
  s.parola = parola;
  s.regole = dividi(parola);
  s.aMano = parti.size() > 1;
  s.sillabe = s.aMano ? parti : s.regole.sillabe;
  return s;
}

}  // namespace quirlo::sillabe
