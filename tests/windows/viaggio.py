#!/usr/bin/env python3
"""The Windows build in real windows under Wine, on an Xvfb display of its own,
driven with the real mouse through xdotool: the start screen, "Avvio" to the
menu, "parole bisillabe" to the exercise, a right drag that counts and plays its
sound, a click on a drawing that says its word, back to the menu and out
through the quit question.

Under Wine a window's handle is not an X window, so places on the screen come
from the game's own trace (the centres it writes of buttons, cards and slots),
never from the X server.

Usage: viaggio.py --cartella build-windows/Quirlo --wine build-windows/wine.sh --artefatti DIR"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui"))

import banco  # noqa: E402
import dati  # noqa: E402
from banco import ATTESA, Fallito, verifica  # noqa: E402

# Wine starts slower than a native program: its first window may take a while.
ATTESA_AVVIO = 60.0


class GiocoWine(banco.Gioco):
    """The portable folder copied to a temporary place and started under Wine."""

    def __init__(self, cartella, wine, artefatti):
        self.artefatti = artefatti
        self.nome_prova = "wine_viaggio"
        self.wine = wine
        self.cartella = tempfile.mkdtemp(prefix="quirlo-wine-")
        # Also a path with a space and an accent, as a Windows user folder may have.
        self.programma = os.path.join(self.cartella, "Gioco è qui")
        shutil.copytree(cartella, self.programma)
        self.schermo = banco.Schermo()
        self.ambiente = {k: v for k, v in os.environ.items()
                         if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")}
        self.ambiente.update({"DISPLAY": self.schermo.display, "QUIRLO_TRACCIA": "1"})
        self._avvia([wine, os.path.join(self.programma, "Quirlo.exe")])

    def _ferma(self):
        # The Windows process lives in the Wine server, not in the loader.
        subprocess.run([self.wine, "taskkill", "/f", "/im", "Quirlo.exe"], env=self.ambiente,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=ATTESA)
        return 10

    def pulsanti(self, nome, dopo, tempo=ATTESA):
        """Waits until window `nome` has been opened and painted: its buttons' centres."""
        self.attendi(r"aperta " + nome + r" id=", dopo, tempo)
        _, dipinta = self.attendi(r"dipinta " + nome + " ", dopo, tempo)
        centri = {}
        for chiave in ("pulsanti", "menu"):
            for voce in re.search(chiave + r"=(\S*)", dipinta).group(1).split(";"):
                if voce:
                    n, x, y = voce.rsplit("|", 2)
                    centri[n.replace("&", "")] = (int(x), int(y))
        return centri

    def trascina(self, da, a, passi=8):
        """Press, move in steps with pauses (Windows' drag loop polls the mouse), release."""
        self.x11("xdotool", "mousemove", str(da[0]), str(da[1]))
        time.sleep(0.3)
        self.x11("xdotool", "mousedown", "1")
        time.sleep(0.3)
        for i in range(1, passi + 1):
            self.x11("xdotool", "mousemove", str(da[0] + (a[0] - da[0]) * i // passi),
                     str(da[1] + (a[1] - da[1]) * i // passi))
            time.sleep(0.15)
        time.sleep(0.3)
        self.x11("xdotool", "mouseup", "1")


def clic_e_attendi(g, centri, pulsante, finestra):
    verifica(pulsante in centri, f"no button {pulsante}: {sorted(centri)}")
    segno = g.segno()
    g.clic(*centri[pulsante])
    return g.pulsanti(finestra, segno)


def viaggio(g):
    avvio = g.pulsanti("FormAvvio", 0, ATTESA_AVVIO)
    segno = g.segno()
    menu = clic_e_attendi(g, avvio, "Command1", "FormMenu")
    g.attendi(r"chiusa FormAvvio", segno)

    segno = g.segno()
    esercizio = clic_e_attendi(g, menu, "Command3D1", "DISEGNI1")
    g.attendi(r"chiusa FormMenu", segno)
    i, _ = g.attendi(r"aperta DISEGNI1", segno)
    _, prima = g.attendi_stato("DISEGNI1", i)
    verifica((prima.esatti, prima.errati, prima.giuste) == (0, 0, 0), f"a fresh exercise: {prima.riga}")

    # A right drag: a card onto the slot that expects its syllable.
    attese = {atteso: nome for nome, (testo, atteso, _, _) in prima.caselle.items() if not testo}
    carta = next(n for n, (testo, abilitata, _, _) in prima.carte.items() if abilitata and testo in attese)
    casella = attese[prima.carte[carta][0]]
    da = prima.carte[carta][2:]
    a = prima.caselle[casella][2:]
    segno = g.segno()
    g.trascina(da, a)
    i, suono = g.attendi(r"suono ", segno)
    verifica(re.match(r"suono si[1-4]$", suono), f"the right-answer sound: {suono}")
    _, dopo = g.attendi_stato("DISEGNI1", i)
    verifica(dopo.giuste == 1, f"the drop counts: {dopo.riga}")
    verifica(dopo.caselle[casella][0] == prima.carte[carta][0], f"{casella} shows the syllable: {dopo.riga}")
    verifica(dopo.carte[carta][:2] == ("", False), f"{carta} is left empty and disabled: {dopo.riga}")
    verifica((dopo.si, dopo.no, dopo.errati) == (1, 0, 0), f"happy face only: {dopo.riga}")
    # Windows took the sound file.
    _, playsound = g.attendi(r"playsound ", segno)
    verifica(re.match(r"playsound si[1-4]\.wav 1$", playsound), f"PlaySound plays it: {playsound}")

    # A click on the first drawing says its word from the program's recording
    # (every shipped word has one; Wine has no voice of its own). Its place on
    # the screen: that of the slot under it, moved as the layout says.
    x, y, w, h = dati.DISEGNI1.cornici[0]
    sx, sy, sw, sh = dati.DISEGNI1.caselle["Label2(0)"]
    tx, ty = prima.caselle["Label2(0)"][2:]
    parola = (prima.caselle["Label2(0)"][1] + prima.caselle["Label3(0)"][1]).lower()
    segno = g.segno()
    g.clic(tx + (x + w // 2) - (sx + sw // 2), ty + (y + h // 2) - (sy + sh // 2))
    _, voce = g.attendi(rf"voce {re.escape(parola)} ", segno)
    verifica(voce == f"voce {parola} programma", f"the drawing says its word: {voce}")
    _, playsound = g.attendi(r"playsound ", segno)
    verifica(playsound == "playsound memoria 1", f"PlaySound plays it from memory: {playsound}")

    segno = g.segno()
    verifica("mnuEsci" in esercizio, f"no menu entry mnuEsci: {sorted(esercizio)}")
    g.clic(*esercizio["mnuEsci"])
    flags, testo = g.rispondi(segno, "Sì")
    verifica((flags, testo) == (36, "Vuoi tornare al menù?"), f"the exercise asks: {flags} {testo!r}")
    menu = g.pulsanti("FormMenu", segno)
    g.attendi(r"chiusa DISEGNI1", segno)

    segno = g.segno()
    g.clic(*menu["Command3D5"])
    flags, testo = g.rispondi(segno, "Sì")
    verifica((flags, testo) == (36, "Vuoi uscire dal programma?"), f"quit question: {flags} {testo!r}")
    g.attendi(r"fine$", segno)
    verifica(g.attendi_uscita(20) == 0, "the game ends with status 0")


def main():
    argomenti = argparse.ArgumentParser()
    argomenti.add_argument("--cartella", required=True)
    argomenti.add_argument("--wine", required=True)
    argomenti.add_argument("--artefatti", required=True)
    a = argomenti.parse_args()
    os.makedirs(a.artefatti, exist_ok=True)
    inizio = time.monotonic()
    g = GiocoWine(a.cartella, a.wine, a.artefatti)
    try:
        viaggio(g)
    except (Fallito, StopIteration) as errore:
        print(f"FAIL wine_viaggio: {errore!r}", file=sys.stderr)
        print("\n".join(g.tutto[-30:]), file=sys.stderr)
        return 1
    finally:
        g.chiudi()
    print(f"PASS wine_viaggio in {time.monotonic() - inizio:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
