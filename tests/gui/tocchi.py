#!/usr/bin/env python3
"""Real-window journeys played by clicks alone: tap a card, then tap its slot.
Built on the bench of percorsi.py (Xvfb, the real program, xdotool).

Usage: tocchi.py --programma build/bin/quirlo --artefatti DIR JOURNEY"""

import os
import re
import shutil
import sys

import dati
from banco import esegui, ripeti, verifica
from partita import Partita, attendi_condizione
from percorsi import al_menu, controlla_inizio, suoni
from schermate import BIANCO

BLU = (0, 80, 220)  # the frame of a chosen card


class Tocchi:
    """Taps on an exercise window, read back through the trace."""

    def __init__(self, partita):
        self.p, self.g, self.e = partita, partita.g, partita.e

    def tocca(self, carta, scelta=None):
        """Clicks a card; `scelta` is what the window then says is chosen ("-": nothing)."""
        scelta = carta if scelta is None else scelta
        segno = self.g.segno()
        self.g.clic(*self.p.carta(carta))
        self.g.attendi(rf"selezione {self.e.nome} {re.escape(scelta)}$", segno)
        return segno

    def premi(self, punto):
        """Clicks a slot or legend while a card is chosen: the lines up to the state the drop led to."""
        segno = self.g.segno()
        self.g.clic(*punto)
        i, _ = self.g.attendi(r"suono ", segno)
        i, self.p.stato = self.g.attendi_stato(self.e.nome, i)
        righe = self.g.righe_da(segno, i)
        verifica(f"selezione {self.e.nome} -" in righe, f"the choice ends with the drop: {righe}")
        return righe, self.p.stato

    def nulla_fino_a(self, segno, prossimo):
        """Nothing was judged, counted or rebuilt between `segno` and the next line matching `prossimo`."""
        i, _ = self.g.attendi(prossimo, segno)
        righe = self.g.righe_da(segno, i)
        verifica(not [r for r in righe if r.startswith(("suono", "stato"))], f"nothing happened: {righe}")
        return righe

    def cornice(self, carta, attesa, nome):
        """A screenshot shows the card framed in blue round its edge, or not framed at all;
        the card itself is white to its edge either way."""
        def prova():
            img = self.g.cattura(self.p.f, nome)
            larghezza, altezza, _ = self.e.carta
            _, _, gx, gy = self.p.stato.carte[carta]
            x, y = gx - self.p.f.x - (larghezza - 1) // 2, gy - self.p.f.y - (altezza - 1) // 2
            fuori = [(x - 1, y - 1), (x - 4, y + altezza // 2), (x + larghezza, y + altezza),
                     (x + larghezza // 2, y + altezza + 3)]
            for px, py in fuori:
                if attesa:
                    verifica(img(px, py) == BLU, f"{carta} at {px},{py} is {img(px, py)}, not {BLU}")
                else:
                    verifica(img(px, py) != BLU, f"{carta} is still framed at {px},{py}")
            for px, py in [(x, y), (x + larghezza - 1, y + altezza - 1), (x + 6, y + altezza - 6)]:
                verifica(img(px, py) == BIANCO, f"{carta} at {px},{py} is {img(px, py)}, not white")
        ripeti(prova)


def gioco_a_tocchi(g, e):
    p = Partita.apri(g, al_menu(g), e)
    controlla_inizio(p, e.liste[0])
    t = Tocchi(p)
    vuoto = p.su_schermo((600, 420, 1, 1))

    # With nothing chosen a slot does nothing; a tap then chooses a card, framed in blue.
    carta, casella = p.giusta()
    segno = g.segno()
    g.clic(*p.casella(casella))
    g.clic(*p.carta(carta))
    t.nulla_fino_a(segno, rf"selezione {e.nome} {re.escape(carta)}$")
    t.cornice(carta, True, "scelta")

    # Another card takes the choice over; tapped again it is let go; the background lets go too.
    # The farthest card: a neighbour's frame fills the narrow gap between the two cards.
    altra = max((n for n in sorted(p.stato.carte) if n != carta),
                key=lambda n: abs(p.stato.carte[n][2] - p.stato.carte[carta][2]))
    t.tocca(altra)
    t.cornice(carta, False, "altra-scelta")
    t.cornice(altra, True, "altra-scelta")
    t.tocca(altra, "-")
    t.tocca(carta)
    segno = g.segno()
    g.clic(*vuoto)
    t.nulla_fino_a(segno, rf"selezione {e.nome} -$")
    p.controlla("nessuna-scelta")

    # A wrong slot and a legend judge the chosen card as a drop would.
    prima = p.stato
    sbagliata, casella = p.sbagliata()
    t.tocca(sbagliata)
    righe, s = t.premi(p.casella(casella))
    verifica(suoni(righe) == ["suono no"], f"a wrong slot buzzes: {righe}")
    verifica((s.errati, s.si, s.no) == (1, 0, 1) and s.carte == prima.carte and s.caselle == prima.caselle,
             f"a wrong slot counts an error and changes nothing else: {s.riga}")
    t.tocca(sbagliata)
    righe, s = t.premi(p.su_schermo(dati.RIGA_IN_BASSO["Label2(4)"]))
    verifica(suoni(righe) == ["suono no"] and s.errati == 2 and s.carte == prima.carte,
             f"the legend Errati is wrong: {s.riga}")
    p.controlla("errati")

    # A quick double tap chooses and lets go, and leaves no drag behind.
    segno = g.segno()
    g.x11("xdotool", "mousemove", *map(str, p.carta(carta)), "click", "--repeat", "2", "--delay", "60", "1")
    i, _ = g.attendi(rf"selezione {e.nome} {re.escape(carta)}$", segno)
    g.attendi(rf"selezione {e.nome} -$", i + 1)
    g.x11("xdotool", "mousemove", *map(str, vuoto))
    verifica(not attendi_condizione(lambda: e.carta[:2] in g.finestre_visibili(), 0.5),
             "no card outline follows the pointer after a double tap")

    # Resetting the counters keeps the choice; the next slot pressed takes the card.
    carta, casella = p.giusta()
    t.tocca(carta)
    segno = g.segno()
    p.comando("mnuAzzera")
    i, s = p.nuovo_stato(segno, lambda s: (s.esatti, s.errati) == (0, 0), "counters reset")
    verifica(not [r for r in g.righe_da(segno, i) if r.startswith("selezione")], "reset keeps the chosen card")
    t.cornice(carta, True, "azzerato")

    # The whole exercise, placed by taps alone.
    while True:
        prima = p.stato
        testo = prima.carte[carta][0]
        righe, s = t.premi(p.casella(casella))
        verifica(len(suoni(righe)) == 1 and re.match(r"suono si[1-4]$", suoni(righe)[0]),
                 f"a right slot chimes: {righe}")
        verifica((s.si, s.no, s.errati) == (1, 0, 0), f"happy face, no error: {s.riga}")
        if s.esatti:
            break
        verifica(s.caselle[casella][0] == testo and s.carte[carta][:2] == ("", False) and s.giuste == prima.giuste + 1,
                 f"{carta} goes into {casella}: {s.riga}")
        carta, casella = p.giusta()
        t.tocca(carta)
    verifica((s.esatti, s.giuste) == (1, 0), f"the exercise is done and renewed: {s.riga}")
    verifica(all(x and a for x, a, _, _ in s.carte.values()) and all(not x for x, _, _, _ in s.caselle.values()),
             "a new exercise: enabled cards, empty slots")
    p.controlla("rinnovato")

    # A case command builds a new exercise, which starts with nothing chosen.
    t.tocca(sorted(p.stato.carte)[0])
    segno = p.dalla_tendina("mnuCaratteri", "mnuMinuscolo", {"mnuMaiuscolo": True, "mnuMinuscolo": False})
    g.attendi(rf"selezione {e.nome} -$", segno)
    p.nuovo_stato(segno, lambda s: all(x == x.lower() for x, _, _, _ in s.carte.values()), "lower-case cards")

    # Dragging works as before and a drag onto a slot chooses nothing.
    segno = g.segno()
    carta, casella = p.drop_giusto()
    verifica(not [r for r in g.righe_da(segno) if r.startswith("selezione")], "a drag is not a tap")
    p.controlla("trascinato")

    segno = g.segno()
    g.chiudi_dal_bordo(p.f)
    verifica(g.attendi_uscita() == 0, "closing the exercise's frame ends the game with status 0")


def voci_dei_disegni(g, e):
    """A click on each drawing says its word, and nothing else happens: a
    recording of the program's where there is one, none for the word that has
    none (the computer's voice is left out of the copy, so the answer does not
    depend on the voices of the machine running the test)."""
    p = Partita.apri(g, al_menu(g), e)
    # The sound module (it reads the recordings) and the recordings, put in
    # place now: the game looks for both at the first sound, not before.
    os.makedirs(os.path.join(g.cartella, "moduli"))
    shutil.copy2(os.path.join(g.origine, "moduli", "libquirlo-suono.so"), os.path.join(g.cartella, "moduli"))
    os.makedirs(os.path.join(g.cartella, "voci"))
    parole = ["".join(p.stato.caselle[f"{riga}({k})"][1] for riga in e.righe).lower() for k in range(e.parole)]
    senza = parole[-1]  # the last drawing's word has no recording
    for parola in dati.parole():
        if parola != senza:
            dati.scrivi_suono(os.path.join(g.cartella, "voci", parola + ".wav"))
    for k, parola in enumerate(parole):
        segno = g.segno()
        g.clic(*p.su_schermo(e.cornici[k]))
        i, riga = g.attendi(rf"voce {re.escape(parola)} ", segno)
        fonte = "nessuna" if parola == senza else "programma"
        verifica(riga == f"voce {parola} {fonte}", f"drawing {k} says {parola} from {fonte}: {riga}")
        altro = [r for r in g.righe_da(segno, i) if r.startswith(("suono", "stato", "selezione"))]
        verifica(not altro, f"a drawing's word and nothing else: {altro}")
    p.controlla("voci")

    segno = g.segno()
    g.chiudi_dal_bordo(p.f)
    verifica(g.attendi_uscita() == 0, "closing the exercise's frame ends the game with status 0")


PERCORSI = {
    "disegni1_voci": lambda g: voci_dei_disegni(g, dati.DISEGNI1),
    "disegni2_voci": lambda g: voci_dei_disegni(g, dati.DISEGNI2),
    "disegni1_tocchi": lambda g: gioco_a_tocchi(g, dati.DISEGNI1),
    "disegni2_tocchi": lambda g: gioco_a_tocchi(g, dati.DISEGNI2),
}


if __name__ == "__main__":
    sys.exit(esegui(PERCORSI))
