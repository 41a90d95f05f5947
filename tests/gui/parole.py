#!/usr/bin/env python3
"""The word editor in a real window, as a teacher uses it: a word typed, a photo
chosen in the file dialog and saved, two words taken out; then the real game,
started afterwards, shows the new word in its exercise.

Usage: parole.py --programma build/bin/quirlo --editor build/bin/quirlo-parole --artefatti DIR"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree

import dati  # noqa: E402
from banco import Fallito, Gioco, verifica  # noqa: E402
from partita import Partita, centro, voci  # noqa: E402
from percorsi import al_menu  # noqa: E402
from schermate import sposta, vicino  # noqa: E402

GIALLO = (250, 250, 0)  # far from every fixture drawing's colour


class Editor(Gioco):
    """The editor started from the same temporary folder the game is copied to."""

    def __init__(self, programma, editor, artefatti):
        self._editor = editor
        super().__init__(programma, artefatti, "parola_nel_gioco")

    def _avvia(self, comando):
        if comando[0].endswith("quirlo") and not hasattr(self, "_partito"):
            self._partito = True
            shutil.copy2(self._editor, os.path.join(self.cartella, "quirlo-parole"))
            # A phone's photo: 3000 x 2000, one colour, so the game's frame tells it apart.
            self.foto = os.path.join(self.cartella, "foto del lago.jpg")
            subprocess.run(["convert", "-size", "3000x2000", f"xc:rgb{GIALLO}", "-quality", "90", self.foto],
                           check=True)
            comando = [os.path.join(self.cartella, "quirlo-parole")]
        super()._avvia(comando)

    def pulsanti(self, finestra, dopo):
        _, dipinta = self.attendi(r"dipinta " + finestra + " ", dopo)
        return {nome.replace("&", ""): (int(x), int(y)) for nome, (x, y) in voci(dipinta, "pulsanti").items()}

    def tasti(self, *tasti):
        self.x11("xdotool", "key", "--delay", "60", *tasti)

    def scrivi(self, testo):
        self.x11("xdotool", "type", "--delay", "60", testo)


def togli_la_prima(e, principale, attesa):
    """Selects the first word of the page and takes it out, answering the question."""
    x, y = principale["aggiungi"]
    e.clic(x, y - 120)  # inside the list of words, above the buttons
    e.tasti("Home")
    segno = e.segno()
    e.clic(*principale["togli"])
    _, domanda = e.attendi(r"domanda ", segno)
    verifica(f"«{attesa}»" in domanda, f"the question names {attesa}: {domanda}")
    e.clic(*e.pulsanti("domanda", segno)["si"])
    return e.attendi(r"lista lista2\.txt \d+ parole utente", segno)[1]


def parola_nel_gioco(e):
    finestra = e.attendi_finestra("FinestraParole", 0)
    principale = e.pulsanti("FinestraParole", 0)
    e.attendi(r"lista lista2\.txt 5 parole programma", 0)

    # A new word with its photo.
    segno = e.segno()
    e.clic(*principale["aggiungi"])
    dialogo = e.pulsanti("FinestraParola", segno)
    e.scrivi("lago")
    segno = e.segno()
    e.clic(*dialogo["scegliFoto"])
    e.attendi(r"dipinta QFileDialog ", segno)
    time.sleep(0.3)
    e.scrivi(e.foto)
    e.tasti("Return")
    e.attendi(r"foto 3000x2000 ritaglio 300,0,2400x2000$", segno)
    segno = e.segno()
    e.clic(*dialogo["salva"])
    e.attendi(r"parola salvata lista2\.txt la-go$", segno)
    e.attendi(r"lista lista2\.txt 6 parole utente", segno)

    # Two words out: four left, so every exercise shows the new one.
    verifica("5 parole" in togli_la_prima(e, principale, "casa"), "casa taken out")
    verifica("4 parole" in togli_la_prima(e, principale, "luna"), "luna taken out")
    e.cattura(finestra, "editor")
    e.chiudi_dal_bordo(finestra)
    verifica(e.attendi_uscita() == 0, "the editor ends with status 0")

    utente = os.path.join(e.cartella, "dati-utente", "quirlo")
    with open(os.path.join(utente, "lista2.txt"), "rb") as f:
        scritta = f.read()
    verifica(scritta == b"pe,ra\r\nto,po\r\nme,la\r\nla,go\r\n", f"the teacher's list: {scritta!r}")
    formato = subprocess.run(["identify", "-format", "%wx%h", os.path.join(utente, "jpg", "lago.jpg")],
                             capture_output=True, text=True, check=True).stdout
    verifica(formato == "648x540", f"the drawing is 648x540: {formato}")
    with open(os.path.join(e.cartella, "lista2.txt"), "rb") as f:
        verifica(f.read().startswith(b"ca,sa\r\n"), "the program's list is untouched")

    # The game, started now, reads her list: la and go are among the cards and
    # a frame shows the photo.
    e._avvia([os.path.join(e.cartella, "quirlo")])
    menu = al_menu(e)
    p = Partita.apri(e, menu, dati.DISEGNI1)
    carte = sorted(testo.lower() for testo, _, _, _ in p.stato.carte.values())
    verifica(carte == sorted(["pe", "ra", "to", "po", "me", "la", "la", "go"]), f"the cards: {carte}")
    img = e.cattura(p.f, "esercizio")
    colori = [img(*centro(sposta(r, 0, p.barra))) for r in dati.DISEGNI1.cornici.values()]
    verifica(any(vicino(c, GIALLO, 25) for c in colori), f"a frame shows the photo: {colori}")


def main():
    a = argparse.ArgumentParser()
    a.add_argument("--programma", required=True)
    a.add_argument("--editor", required=True)
    a.add_argument("--artefatti", required=True)
    opzioni = a.parse_args()
    os.makedirs(opzioni.artefatti, exist_ok=True)
    inizio = time.monotonic()
    e = Editor(opzioni.programma, opzioni.editor, opzioni.artefatti)
    try:
        parola_nel_gioco(e)
    except Fallito as errore:
        print(f"FAIL parola_nel_gioco: {errore}", file=sys.stderr)
        return 1
    finally:
        e.chiudi()
    print(f"PASS parola_nel_gioco in {time.monotonic() - inizio:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
