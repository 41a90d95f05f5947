#!/usr/bin/env python3
"""Takes the pictures of the teacher's guide (docs/guida-*.png) from the real
game, with the shipped lists and drawings, on an Xvfb display of its own,
driven through xdotool as the real-window tests drive it.

Usage: tools/guida/schermate.py --programma build/bin/quirlo --uscita docs [--casa /home/maestra]

--casa is the home folder the message about the teacher's list names: made for
the run and removed after it (it must not exist yet)."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "gui"))

import banco  # noqa: E402


class GiocoVero(banco.Gioco):
    """The game's own folder (program, lists, drawings, sounds) copied and started;
    a user folder of its own, where a broken list can be put."""

    def __init__(self, programma, artefatti, casa):
        self.artefatti = artefatti
        self.nome_prova = "guida"
        self.cartella = tempfile.mkdtemp(prefix="quirlo-guida-")
        gioco = os.path.join(self.cartella, "gioco")
        shutil.copytree(os.path.dirname(os.path.abspath(programma)), gioco,
                        ignore=shutil.ignore_patterns("quirlo-*"))
        self.utente = os.path.join(casa or os.path.join(self.cartella, "casa"), ".local", "share", "quirlo")
        os.makedirs(self.utente)
        # Four words of the shipped difficult list and one whose drawing is missing.
        with open(os.path.join(gioco, "lista4.txt"), "rb") as f:
            righe = f.read().splitlines()[:4]
        with open(os.path.join(self.utente, "lista4.txt"), "wb") as f:
            f.write(b"\r\n".join(righe + [b"pi,no", b""]))
        self.schermo = banco.Schermo()
        self.ambiente = {k: v for k, v in os.environ.items()
                         if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")}
        runtime = os.path.join(self.cartella, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.ambiente.update({
            "DISPLAY": self.schermo.display, "QT_QPA_PLATFORM": "xcb", "QUIRLO_TRACCIA": "1",
            "XDG_RUNTIME_DIR": runtime, "XDG_DATA_HOME": os.path.dirname(self.utente), "HOME": casa or self.cartella,
            "PULSE_SERVER": "unix:" + os.path.join(self.cartella, "nessun-server-audio"),
        })
        self._avvia([os.path.join(gioco, "quirlo")])

    def pulsanti(self, nome, dopo):
        """Waits for window `nome` painted: its geometry and its buttons' and menus' centres."""
        finestra = self.attendi_finestra(nome, dopo)
        _, dipinta = self.attendi(r"dipinta " + nome + " ", dopo)
        centri = {}
        for chiave in ("pulsanti", "menu"):
            for voce in re.search(chiave + r"=(\S*)", dipinta).group(1).split(";"):
                if voce:
                    n, x, y = voce.rsplit("|", 2)
                    centri[n.replace("&", "")] = (int(x), int(y))
        return finestra, centri

    def foto(self, finestra, nome, uscita):
        """The screen inside the window's rectangle (menus and message boxes over it included)."""
        percorso = os.path.join(uscita, f"guida-{nome}.png")
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{finestra.larghezza}x{finestra.altezza}+{finestra.x}+{finestra.y}", "+repage",
                        "-strip", percorso], env=self.ambiente, check=True, timeout=banco.ATTESA)
        print("written", percorso)


def tendina(g, centri, menu, voce):
    """Opens drop-down `menu` and returns the centre of its entry `voce`."""
    segno = g.segno()
    g.clic(*centri[menu])
    _, riga = g.attendi(r"tendina " + menu + " ", segno)
    for v in riga.split(" ", 2)[2].split(";"):
        nome, _, x, y = v.split("|")
        if nome == voce:
            return int(x), int(y)
    raise banco.Fallito(f"no {voce} in {riga}")


def fotografa(g, uscita):
    avvio, centri = g.pulsanti("FormAvvio", 0)
    g.foto(avvio, "avvio", uscita)

    segno = g.segno()
    g.clic(*centri["Command1"])
    menu, centri_menu = g.pulsanti("FormMenu", segno)
    g.foto(menu, "menu", uscita)

    # Two syllables: a right drag, then a card chosen with a tap.
    segno = g.segno()
    g.clic(*centri_menu["Command3D1"])
    esercizio, centri_es = g.pulsanti("DISEGNI1", segno)
    # The state traced once the window is on screen holds the cards' true places.
    i, _ = g.attendi(r"aperta DISEGNI1", segno)
    _, stato = g.attendi_stato("DISEGNI1", i)
    attese = {atteso: nome for nome, (testo, atteso, _, _) in stato.caselle.items() if not testo}
    carta = next(n for n, (testo, abilitata, _, _) in sorted(stato.carte.items()) if abilitata and testo in attese)
    segno = g.segno()
    g.trascina(stato.carte[carta][2:], stato.caselle[attese[stato.carte[carta][0]]][2:])
    i, _ = g.attendi(r"suono ", segno)
    _, stato = g.attendi_stato("DISEGNI1", i)
    g.foto(esercizio, "bisillabe", uscita)
    altra = next(n for n, (testo, abilitata, _, _) in sorted(stato.carte.items()) if abilitata and testo)
    segno = g.segno()
    g.clic(*stato.carte[altra][2:])
    g.attendi(r"selezione DISEGNI1 ", segno)
    g.foto(esercizio, "tocco", uscita)
    g.x11("xdotool", "key", "Escape")

    # The menus: list level and letter case.
    tendina(g, centri_es, "mnuLista", "mnudifficile")
    g.foto(esercizio, "menu-lista", uscita)
    g.x11("xdotool", "key", "Escape")
    segno = g.segno()
    g.clic(*tendina(g, centri_es, "mnuCaratteri", "mnuMinuscolo"))
    g.attendi_stato("DISEGNI1", segno)
    g.foto(esercizio, "minuscolo", uscita)

    # The teacher's lista4.txt has a word without its drawing: the game says so.
    segno = g.segno()
    g.clic(*tendina(g, centri_es, "mnuLista", "mnudifficile"))
    g.attendi(r"dipinta QMessageBox ", segno)
    g.foto(esercizio, "rifiutata", uscita)
    g.rispondi(segno, "OK")

    # Three syllables, from the menu.
    segno = g.segno()
    g.clic(*centri_es["mnuEsci"])
    g.rispondi(segno, "Sì")
    _, centri_menu = g.pulsanti("FormMenu", segno)
    segno = g.segno()
    g.clic(*centri_menu["Command1"])
    esercizio, _ = g.pulsanti("DISEGNI2", segno)
    g.attendi_stato("DISEGNI2", segno)
    g.foto(esercizio, "trisillabe", uscita)


def main():
    argomenti = argparse.ArgumentParser()
    argomenti.add_argument("--programma", required=True)
    argomenti.add_argument("--uscita", required=True)
    argomenti.add_argument("--casa")
    a = argomenti.parse_args()
    if a.casa and os.path.exists(a.casa):
        print(f"{a.casa} exists already: name a folder that does not", file=sys.stderr)
        return 2
    artefatti = tempfile.mkdtemp(prefix="quirlo-guida-traccia-")
    try:
        g = GiocoVero(a.programma, artefatti, a.casa)
    except BaseException:
        if a.casa:
            shutil.rmtree(a.casa, ignore_errors=True)
        raise
    try:
        fotografa(g, os.path.abspath(a.uscita))
    except (banco.Fallito, StopIteration) as errore:
        print(f"FAIL: {errore!r}", file=sys.stderr)
        print("\n".join(g.tutto[-20:]), file=sys.stderr)
        return 1
    finally:
        g.chiudi()
        shutil.rmtree(artefatti, ignore_errors=True)
        if a.casa:
            shutil.rmtree(a.casa, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
