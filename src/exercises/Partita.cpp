#include "Partita.h"

#include "Contatori.h"
#include "Piattaforma.h"

#include <algorithm>

namespace quirlo {

void Partita::caricaLista(ListaAccettata lista) {
  lista_ = std::move(lista);
  Globali::NumeroParole = std::int16_t(lista_.parole.size());
}

void Partita::genera(const QStringList &preferite) {
  sillabeGiuste_ = 0;
  usate_.fill(false);
  // Lists are refused unless they hold enough words, so this always ends.
  for (int k = 0; k < regole_.parole(); ++k) {
    std::int16_t s = 0;
    do
      s = std::int16_t(estrai(Globali::NumeroParole));
    while (std::find(scelte_.begin(), scelte_.begin() + k, s) != scelte_.begin() + k);
    scelte_[size_t(k)] = s;
  }
  riga_ = estrai(RigheDisposizioni) - 1;
  // Places libere[0, messe) hold preferred words; the others may still take one.
  const int n = regole_.parole();
  std::array<int, MassimoParoleEsercizio> libere{0, 1, 2, 3};
  int messe = 0;
  for (const QString &p : preferite) {
    if (messe == n)
      break;
    const auto trovata =
        std::find_if(lista_.parole.cbegin(), lista_.parole.cend(), [&p](const Parola &w) { return w.testo() == p; });
    if (trovata == lista_.parole.cend())
      continue;
    const auto record = std::int16_t(trovata - lista_.parole.cbegin() + 1);
    const auto disegnata = std::find(scelte_.begin(), scelte_.begin() + n, record);
    int j = 0;
    if (disegnata != scelte_.begin() + n) {
      j = int(std::find(libere.begin(), libere.begin() + n, int(disegnata - scelte_.begin())) - libere.begin());
      if (j < messe)
        continue;  // the same word twice
    } else {
      j = messe + estrai(n - messe) - 1;
      scelte_[size_t(libere[size_t(j)])] = record;
    }
    std::swap(libere[size_t(j)], libere[size_t(messe)]);
    ++messe;
  }
}

Esito Partita::lascia(int carta, int riga, int indice, bool legenda) {
  if (carta < 0 || carta >= int(regole_.carte.size()) || usata(carta))
    return Esito::Ignorato;
  // Judged by text, so two cards of the same syllable are interchangeable, and
  // on the syllable the card carries, not on what it shows: lower case does
  // not turn back into the same upper case for every letter (ẞ, İ).
  if (legenda || attesa(riga, indice).toUpper() != sillabaCarta(carta).toUpper()) {
    incrementa(Globali::NumeroErrati);
    return Esito::Sbagliato;
  }
  usate_[size_t(carta)] = true;
  ++sillabeGiuste_;
  if (sillabeGiuste_ < int(regole_.carte.size()))
    return Esito::Giusto;
  incrementa(Globali::NumeroEsatti);
  return Esito::Completato;
}

const QString &Partita::sillaba(int campo, int i) const { return lista_.parole[i - 1].sillabe[campo]; }

QString Partita::parola(int k) const { return lista_.parole[scelta(k) - 1].testo(); }

const QString &Partita::disegno(int k) const { return lista_.disegni[scelta(k) - 1]; }

const QString &Partita::sillabaCarta(int carta) const {
  const CartaEsercizio &c = regole_.carte[size_t(carta)];
  return sillaba(c.sillaba, scelta(c.parola));
}

const QString &Partita::attesa(int riga, int indice) const {
  static const QString nessuna;
  if (!generata() || riga < 0 || riga >= regole_.campi() || indice < 0 || indice >= regole_.parole())
    return nessuna;
  return sillaba(riga, scelta(indice));
}

int Partita::posto(int carta) const {
  return regole_.disposizioni[size_t(riga_ * int(regole_.carte.size()) + carta)];
}

}  // namespace quirlo
