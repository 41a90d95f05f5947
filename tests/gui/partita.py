"""An exercise window under test: its state from the trace, real drags and menu
clicks, and screenshots checked against the layout."""

import re
import time

import dati
from banco import ATTESA, Fallito, attendi_condizione, ripeti, verifica  # noqa: F401 (tocchi.py)
from schermate import BIANCO, GIALLO, NERO, VERDE, dentro, scuro, sposta, vicino


def centro(rett):
    x, y, w, h = rett
    return (x + (w - 1) // 2, y + (h - 1) // 2)


def voci(riga, chiave):
    """"nome|a|b;nome|a|b" after `chiave=` as {nome: [a, b]}."""
    testo = re.search(chiave + r"=(\S*)", riga).group(1)
    return {v.split("|")[0]: v.split("|")[1:] for v in testo.split(";") if v}


class Partita:
    def __init__(self, gioco, esercizio, finestra, stato, menu):
        self.g, self.e, self.f, self.stato = gioco, esercizio, finestra, stato
        self.barra = finestra.altezza - dati.CLIENTE_ESERCIZIO[1]
        self.menu = {nome: (int(x), int(y)) for nome, (x, y) in menu.items()}
        self.firme = {}  # what a counter shows -> its pixels
        self.facce = {}  # "si" / "no" -> pixels of the face shown

    @staticmethod
    def apri(gioco, menu, esercizio):
        """Clicks the menu button of `esercizio` and waits until its window is on screen."""
        segno = gioco.segno()
        x, y = centro(dati.PULSANTI["FormMenu"][esercizio.pulsante])
        gioco.clic(menu.x + x, menu.y + y)
        finestra = gioco.attendi_finestra(esercizio.nome, segno)
        gioco.attendi(r"chiusa FormMenu", segno)
        i, _ = gioco.attendi(r"aperta " + esercizio.nome, segno)
        _, stato = gioco.attendi_stato(esercizio.nome, i)  # traced once painted: true screen places
        _, dipinta = gioco.attendi(r"dipinta " + esercizio.nome + " ", segno)
        return Partita(gioco, esercizio, finestra, stato, voci(dipinta, "menu"))

    # --- places on the screen ---

    def su_schermo(self, rett):
        """A client-area rectangle as screen coordinates of its centre."""
        x, y = centro(sposta(rett, self.f.x, self.f.y + self.barra))
        return (x, y)

    def carta(self, nome):
        testo, _, x, y = self.stato.carte[nome]
        return (x, y)

    def casella(self, nome):
        return self.su_schermo(self.e.caselle[nome])

    # --- moves ---

    def lascia(self, carta, punto, segno=None):
        """Drags `carta` to a slot at `punto`: the trace lines from `segno` and the state
        the drop leads to. The drop's sound marks its state, which later lines can't be
        mistaken for."""
        segno = self.g.segno() if segno is None else segno
        self.g.trascina(self.carta(carta), punto)
        i, _ = self.g.attendi(r"suono ", segno)
        i, self.stato = self.g.attendi_stato(self.e.nome, i)
        return self.g.righe_da(segno, i), self.stato

    def nuovo_stato(self, segno, prova, descrizione):
        """The first state after `segno` for which `prova` holds."""
        scadenza = time.monotonic() + ATTESA
        while True:
            try:
                i, stato = self.g.attendi_stato(self.e.nome, segno, max(0.1, scadenza - time.monotonic()))
            except Fallito as errore:
                raise Fallito(f"{descrizione}: {errore}") from None
            if prova(stato):
                self.stato = stato
                return i, stato
            segno = i + 1

    def giusta(self):
        """An enabled card and the empty slot that expects it."""
        for nome, (testo, abilitata, _, _) in sorted(self.stato.carte.items()):
            for casella, (scritto, atteso, _, _) in sorted(self.stato.caselle.items()):
                if abilitata and testo and not scritto and atteso == testo.upper():
                    return nome, casella
        raise Fallito("no card fits an empty slot: " + self.stato.riga)

    def sbagliata(self):
        for nome, (testo, abilitata, _, _) in sorted(self.stato.carte.items()):
            for casella, (_, atteso, _, _) in sorted(self.stato.caselle.items()):
                if abilitata and testo and atteso != testo.upper():
                    return nome, casella
        raise Fallito("every card fits every slot: " + self.stato.riga)

    def drop_giusto(self):
        prima = self.stato
        carta, casella = self.giusta()
        righe, dopo = self.lascia(carta, self.casella(casella))
        testo = prima.carte[carta][0]
        suoni = [r for r in righe if r.startswith("suono")]
        verifica(len(suoni) == 1 and re.match(r"suono si[1-4]$", suoni[0]), f"one right-answer sound: {righe}")
        if dopo.esatti == prima.esatti:
            verifica(dopo.caselle[casella][0] == testo, f"{casella} shows {testo}: {dopo.riga}")
            verifica(dopo.carte[carta][:2] == ("", False), f"{carta} is left empty and disabled: {dopo.riga}")
            verifica(dopo.giuste == prima.giuste + 1, "one more syllable placed")
        verifica((dopo.si, dopo.no, dopo.errati) == (1, 0, prima.errati), f"happy face only: {dopo.riga}")
        return carta, casella

    def comando(self, voce):
        """Clicks a menu-bar entry."""
        self.g.clic(*self.menu[voce])

    def dalla_tendina(self, tendina, voce, segni_attesi):
        """Opens a drop-down from the menu bar, checks its marks and clicks `voce`."""
        segno = self.g.segno()
        self.comando(tendina)
        _, riga = self.g.attendi(r"tendina " + tendina + " ", segno)
        elenco = voci(" v=" + riga.split(" ", 2)[2], "v")
        segni = {nome: valori[0] == "1" for nome, valori in elenco.items()}
        verifica(segni == segni_attesi, f"check marks {segni}, expected {segni_attesi}")
        segno = self.g.segno()
        self.g.clic(int(elenco[voce][1]), int(elenco[voce][2]))
        return segno

    # --- screenshots ---

    def controlla(self, nome):
        """Checks a screenshot of the window against the layout and the last state traced.
        The state is traced before the window repaints: retried until the screen agrees."""
        return ripeti(lambda: self._controlla(nome))

    def _controlla(self, nome):
        img = self.g.cattura(self.f, nome)
        firme, facce = dict(self.firme), dict(self.facce)
        s, e = self.stato, self.e
        verifica(self.barra > 0 and (img.larghezza, img.altezza) == (638, 480 + self.barra),
                 f"{e.nome} is 638 x 480 under a menu bar: {img.larghezza}x{img.altezza}")
        occupati = []

        for casella, rett in e.caselle.items():
            x, y, w, h = r = sposta(rett, 0, self.barra)
            occupati.append(r)
            scritto, _, gx, gy = s.caselle[casella]
            verifica((gx - self.f.x, gy - self.f.y) == centro(r), f"{casella} traced where it is drawn")
            for px, py in [(x + 3, y + 3), (x + w - 4, y + 3), (x + 3, y + h - 4), (x + w - 4, y + h - 4)]:
                verifica(img(px, py) == GIALLO, f"{casella} is light yellow at {px},{py}: {img(px, py)}")
            # Sunken: the top and left edges are darker than the bottom and right ones.
            for a, b in [((x + w // 2, y), (x + w // 2, y + h - 1)), ((x, y + h // 2), (x + w - 1, y + h // 2)),
                         ((x + w // 2, y + 1), (x + w // 2, y + h - 2)),
                         ((x + 1, y + h // 2), (x + w - 2, y + h // 2))]:
                verifica(sum(img(*a)) + 200 <= sum(img(*b)), f"{casella} has a sunken border: {img(*a)} {img(*b)}")
            testo = any(scuro(c) for c in img.colori((x + 3, y + 3, w - 6, h - 6)))
            verifica(testo == bool(scritto), f"{casella} shows text exactly when the trace says so ({scritto!r})")

        larghezza, altezza, alto = e.carta
        lefts = []
        for carta, (testo, _, gx, gy) in s.carte.items():
            cx, cy = gx - self.f.x, gy - self.f.y
            x, y = cx - (larghezza - 1) // 2, cy - (altezza - 1) // 2
            verifica(y == alto + self.barra, f"{carta} stands in the card row: {y}")
            verifica(x in e.posti, f"{carta} stands at one of the arrangement places: {x}")
            lefts.append(x)
            occupati.append((x, y, larghezza, altezza))
            for px, py in [(x + 1, y + 1), (x + larghezza - 2, y + 1), (x + 1, y + altezza - 2),
                           (x + larghezza - 2, y + altezza - 2)]:
                verifica(img(px, py) == BIANCO, f"{carta} is white at {px},{py}: {img(px, py)}")
            verifica(img(x - 1, cy) == VERDE, f"{carta} ends where the layout says")
            ha_testo = any(scuro(c) for c in img.colori((x + 1, y + 1, larghezza - 2, altezza - 2)))
            verifica(ha_testo == bool(testo), f"{carta} shows text exactly when the trace says so ({testo!r})")
        verifica(sorted(lefts) == sorted(e.posti), f"each place holds one card: {sorted(lefts)}")

        for k, rett in e.cornici.items():
            x, y, w, h = r = sposta(rett, 0, self.barra)
            occupati.append(r)
            parola = "".join(s.caselle[f"{riga}({k})"][1] for riga in e.righe).lower()
            colore = dati.COLORE_DISEGNO[parola]
            verifica(img(x, y + h // 2) == NERO and img(x + w // 2, y) == NERO, f"frame {k} has a thin border")
            for px, py in [(x + 2, y + 2), (x + w - 3, y + 2), (x + 2, y + h - 3), (x + w - 3, y + h - 3),
                           centro(r)]:
                verifica(vicino(img(px, py), colore, 24),
                         f"frame {k} shows the drawing of {parola} edge to edge: {img(px, py)} at {px},{py}")

        basso = {n: sposta(r, 0, self.barra) for n, r in dati.RIGA_IN_BASSO.items()}
        occupati += basso.values()
        for legenda in ["Label2(4)", "Label3(4)"]:
            verifica(any(scuro(c) for c in img.colori(basso[legenda])), f"the legend {legenda} is written")
        self._contatori(img, basso, firme)
        self._facce(img, basso["ComandoIcona"], facce)

        cx, cy = 0, self.barra
        for py in range(cy + 2, cy + 480, 9):
            for px in range(2, 638, 9):
                if not any(dentro((px, py), r, 2) for r in occupati):
                    verifica(img(px, py) == VERDE, f"the background is pure green at {px},{py}: {img(px, py)}")
        self.firme, self.facce = firme, facce
        return img

    def _contatori(self, img, basso, firme):
        # Both counters are left-aligned in one font: equal numbers draw equal pixels.
        larghezza = min(basso["EtichettaEsatti"][2], basso["EtichettaErrati"][2])
        for etichetta, valore in [("EtichettaEsatti", self.stato.esatti), ("EtichettaErrati", self.stato.errati)]:
            x, y, _, h = basso[etichetta]
            pixel = img.regione((x, y, larghezza, h))
            verifica(any(scuro(c) for c in img.colori((x, y, larghezza, h))), f"{etichetta} shows a number")
            for noto, firma in firme.items():
                verifica((firma == pixel) == (noto == valore),
                         f"{etichetta} draws {valore} {'unlike' if noto == valore else 'like'} {noto} before")
            firme[valore] = pixel

    def _facce(self, img, rett, facce):
        verifica(any(c != VERDE for c in img.colori(rett)), "a face is shown")
        if self.stato.si + self.stato.no != 1:
            return
        faccia, altra = ("si", "no") if self.stato.si else ("no", "si")
        pixel = img.regione(rett)
        verifica(facce.setdefault(faccia, pixel) == pixel, f"the {faccia} face looks as before")
        verifica(facce.get(altra) != pixel, "the two faces differ")

