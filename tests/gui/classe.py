#!/usr/bin/env python3
"""For the classroom, on real windows: the game started in full screen on a
1920 x 1080 board, played by drag and by tap at that scale, F11 out and back;
and the accessibility tree read over AT-SPI as a screen reader reads it.

Usage: classe.py --programma build/bin/quirlo --artefatti DIR JOURNEY
(the AT-SPI journey runs inside dbus-run-session)."""

import math
import os
import re
import sys
import time

from banco import Stato, attendi_condizione, esegui, ripeti, verifica
from schermate import BIANCO, VERDE

LAVAGNA = (1920, 1080)


def pixel_scalato(twip, fattore):
    return math.floor(twip * fattore / 15 + 0.5)


def pulsanti(riga):
    """Centres of the buttons on a "dipinta" line."""
    centri = {}
    for voce in re.search(r"pulsanti=(\S*)", riga).group(1).split(";"):
        if voce:
            nome, x, y = voce.split("|")
            centri[nome] = (int(x), int(y))
    return centri


def scala(g, finestra, intero, dopo):
    """The factor of the first "scala" line of `finestra` in that state from `dopo` on."""
    _, riga = g.attendi(rf"scala {finestra} intero={intero} ", dopo)
    return float(re.search(r"fattore=(\S+)", riga).group(1))


def ultimo_stato(g, nome, dopo, attesa=0.7):
    """The exercise's state once it has settled: the last "stato" line after a quiet moment."""
    g.attendi(rf"stato {nome} ", dopo)
    time.sleep(attesa)
    righe = [r for r in g.righe_da(dopo) if r.startswith(f"stato {nome} ")]
    return Stato(righe[-1])


def apri(g, finestra, pulsante, dopo):
    _, riga = g.attendi(rf"dipinta {finestra} ", dopo)
    segno = g.segno()
    g.clic(*pulsanti(riga)[pulsante])
    return segno


def apri_sulla_lavagna(g, finestra, geometria, pulsante, dopo):
    """Clicks a button of a window that fills the board where its layout on the board puts it
    (left, top, width, height in twips): the centres on its "dipinta" line may be those of the
    size it had when first painted, before it grew."""
    g.attendi(rf"dipinta {finestra} ", dopo)
    _, riga = g.attendi(rf"scala {finestra} intero=1 .*finestra={LAVAGNA[0]}x{LAVAGNA[1]}", dopo)
    f = float(re.search(r"fattore=(\S+)", riga).group(1))
    ox, oy = (int(v) for v in re.search(r"origine=(-?\d+),(-?\d+)", riga).groups())
    left, top, width, height = pulsante
    segno = g.segno()
    g.clic(geometria.x + ox + pixel_scalato(left, f) + (pixel_scalato(width, f) - 1) // 2,
           geometria.y + oy + pixel_scalato(top, f) + (pixel_scalato(height, f) - 1) // 2)
    return segno


def giusta(stato):
    """An enabled card and the empty slot that expects its text."""
    for nome, (testo, abilitata, _, _) in sorted(stato.carte.items()):
        if not abilitata:
            continue
        for casella, (contenuto, atteso, _, _) in sorted(stato.caselle.items()):
            if not contenuto and atteso.upper() == testo.upper():
                return nome, casella
    raise AssertionError("no card left to place")


def schermo_intero(g):
    # The start screen and the menu fill the board's height, centred.
    f = scala(g, "FormAvvio", 1, 0)
    verifica(abs(f - LAVAGNA[1] / 608) < 1e-3, f"the start screen fills the height: {f}")
    avvio = ripeti(lambda: _grande(g, "FormAvvio", 0))
    segno = apri_sulla_lavagna(g, "FormAvvio", avvio, (3000, 4200, 3735, 1455), 0)
    verifica(scala(g, "FormMenu", 1, segno) > 2.0, "the menu opens in full screen too")
    menu = ripeti(lambda: _grande(g, "FormMenu", segno))
    segno = apri_sulla_lavagna(g, "FormMenu", menu, (1920, 360, 4425, 1245), segno)

    # The exercise: the layout is the table's, times one factor, its controls
    # (105 to 9120 twips across) centred on the board.
    f = scala(g, "DISEGNI1", 1, segno)
    finestra = ripeti(lambda: _grande(g, "DISEGNI1", segno))
    s = ultimo_stato(g, "DISEGNI1", segno)
    ox = (LAVAGNA[0] - (pixel_scalato(9120, f) - pixel_scalato(105, f))) // 2 - pixel_scalato(105, f)
    verifica(f > 2.0 and ox > 100, f"the exercise grows to the board: factor {f}, margin {ox}")
    for nome, left in [("Label2(0)", 120), ("Label3(1)", 3480), ("Label2(3)", 6960)]:
        x = s.caselle[nome][2] - finestra.x
        attesa = ox + pixel_scalato(left, f) + (pixel_scalato(1035, f) - 1) // 2
        verifica(abs(x - attesa) <= 1, f"{nome} is centred at {x}, the table says {attesa}")
    carta, casella = giusta(s)
    img = g.cattura(finestra, "lavagna")
    verifica(img(ox // 2, LAVAGNA[1] // 2) == VERDE, "the margins are the window's green")
    cx, cy = s.carte[carta][2] - finestra.x, s.carte[carta][3] - finestra.y
    verifica(img(cx - pixel_scalato(1035, f) // 2 + 6, cy) == BIANCO, f"{carta} is drawn at its scaled width")

    # A drag and a tap land where the child sees the slots.
    segno = g.segno()
    g.trascina(s.carte[carta][2:], s.caselle[casella][2:])
    _, s = g.attendi_stato("DISEGNI1", segno)
    verifica(s.giuste == 1 and s.caselle[casella][0].upper() == s.caselle[casella][1].upper() and s.errati == 0,
             f"the dragged card lands in {casella}: {s.riga}")
    carta, casella = giusta(s)
    segno = g.segno()
    g.clic(*s.carte[carta][2:])
    g.attendi(rf"selezione DISEGNI1 {re.escape(carta)}$", segno)
    g.clic(*s.caselle[casella][2:])
    _, s = g.attendi_stato("DISEGNI1", segno)
    verifica(s.giuste == 2 and s.caselle[casella][0] != "" and s.errati == 0,
             f"the tapped card lands in {casella}: {s.riga}")
    g.cattura(finestra, "lavagna-giocata")

    # F11 leaves full screen with nothing lost, and comes back.
    segno = g.segno()
    g.x11("xdotool", "key", "F11")
    verifica(scala(g, "DISEGNI1", 0, segno) == 1.0, "out of full screen the window is as drawn")
    verifica(attendi_condizione(lambda: g.geometria("DISEGNI1", finestra.id).larghezza == 638, 5),
             "the window is 638 pixels wide again")
    s2 = ultimo_stato(g, "DISEGNI1", segno)
    verifica(s2.giuste == 2 and s2.caselle[casella][0] == s.caselle[casella][0], "nothing of the exercise is lost")
    segno = g.segno()
    g.x11("xdotool", "key", "F11")
    verifica(scala(g, "DISEGNI1", 1, segno) == f, "F11 again: the same full screen")
    ripeti(lambda: _grande(g, "DISEGNI1", 0))

    # A list refused on the board says so in a box as large as the rest.
    with open(os.path.join(g.cartella, "lista4.txt"), "wb"):
        pass
    grande = _riquadro_rifiuto(g)
    # With no window manager nobody gives the keyboard back once the box has gone.
    g.x11("xdotool", "windowfocus", "--sync", finestra.id)
    segno = g.segno()
    g.x11("xdotool", "key", "F11")
    scala(g, "DISEGNI1", 0, segno)
    piccolo = _riquadro_rifiuto(g)
    verifica(grande[0] >= 2 * piccolo[0] and grande[1] >= 2 * piccolo[1],
             f"the refusal box grows with the board: {grande} against {piccolo}")
    g.chiudi_dal_bordo(finestra)
    verifica(g.attendi_uscita() == 0, "closing the window ends the game")


def _riquadro_rifiuto(g):
    """Chooses "difficile" by keyboard, measures the refusal box that opens, closes it: (width, height)."""
    segno = g.segno()
    # The menu bar takes the keyboard a moment after F10, as it does after a lone Alt.
    g.x11("xdotool", "key", "F10", "sleep", "0.3", "key", "Right", "sleep", "0.2", "key", "Down")
    _, riga = g.attendi(r"tendina mnuLista ", segno)
    voce = re.search(r"mnudifficile\|\d\|(\d+)\|(\d+)", riga)
    segno = g.segno()
    g.clic(int(voce.group(1)), int(voce.group(2)))
    g.attendi(r"dipinta QMessageBox ", segno)
    wid = g.x11("xdotool", "search", "--onlyvisible", "--name", "^Quirlo$").split()[0]
    box = g.geometria("QMessageBox", wid)
    g.cattura(box, f"rifiuto-{box.larghezza}x{box.altezza}")
    g.rispondi(segno, "OK")
    return box.larghezza, box.altezza


def _grande(g, nome, dopo):
    _, aperta = g.attendi(rf"aperta {nome} id=", dopo)
    f = g.geometria(nome, aperta.split("id=")[1].split()[0])
    verifica((f.larghezza, f.altezza) == LAVAGNA, f"{nome} covers the board: {f.larghezza}x{f.altezza}")
    return f


def albero(nodo, profondita=0):
    """Every accessible below `nodo`: (role name, name, node)."""
    trovati = [(nodo.getRoleName(), nodo.name, nodo)]
    if profondita < 12:
        for i in range(nodo.childCount):
            figlio = nodo.getChildAtIndex(i)
            if figlio is not None:
                trovati += albero(figlio, profondita + 1)
    return trovati


def premi(nodo):
    azioni = nodo.queryAction()
    nomi = [azioni.getName(i) for i in range(azioni.nActions)]
    verifica("Press" in nomi or "press" in nomi, f"{nodo.name} can be pressed: {nomi}")
    azioni.doAction(nomi.index("Press" if "Press" in nomi else "press"))


def accessibilita(g):
    import pyatspi

    segno = apri(g, "FormAvvio", "Command1", 0)
    segno = apri(g, "FormMenu", "Command3D1", segno)
    _, s = g.attendi_stato("DISEGNI1", segno)
    s = ultimo_stato(g, "DISEGNI1", segno)

    def gioco():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "quirlo":
                return app
        return None

    verifica(attendi_condizione(lambda: gioco() is not None, 10), "the game shows in the accessibility tree")

    def leggi():
        nodi = albero(gioco())
        per_nome = {}
        for ruolo, nome, nodo in nodi:
            per_nome.setdefault(nome, []).append((ruolo, nodo))
        verifica("Quirlo, parole di due sillabe" in per_nome, f"the window is named: {sorted(per_nome)[:20]}")
        return nodi, per_nome

    nodi, per_nome = ripeti(leggi, 10)
    with open(f"{g.artefatti}/{g.nome_prova}-albero.txt", "w") as f:
        f.write("\n".join(f"{r}\t{n}" for r, n, _ in nodi) + "\n")
    for nome, (testo, _, _, _) in s.carte.items():
        verifica(any(r == "push button" for r, _ in per_nome.get(testo, [])), f"card {nome} is a button named {testo}")
    for parola in (1, 2, 3, 4):
        for sillaba in (1, 2):
            nome = f"casella {sillaba} della parola {parola}, vuota"
            verifica(nome in per_nome, f"a slot is named {nome!r}")
    for nome in ("Esatti: 0", "Errati: 0"):
        verifica(nome in per_nome, f"a counter is named {nome!r}")
    immagini = [n for r, n, _ in nodi if r == "image" and n]
    verifica(len([n for n in immagini if not n.startswith("faccina")]) == 4, f"four drawings named: {immagini}")

    # A screen reader presses a card, then its slot: the drop is judged as a tap's.
    carta, casella = giusta(s)
    testo = s.carte[carta][0]
    riga, parola = {"Label2": 1, "Label3": 2}[casella[:6]], int(casella[7]) + 1
    pulsante = next(nodo for r, nodo in per_nome[testo] if r == "push button")
    segno = g.segno()
    premi(pulsante)
    g.attendi(rf"selezione DISEGNI1 {re.escape(carta)}$", segno)
    vuota = f"casella {riga} della parola {parola}, vuota"
    premi(per_nome[vuota][0][1])
    _, s = g.attendi_stato("DISEGNI1", segno)
    verifica(s.giuste == 1 and s.caselle[casella][0] == testo, f"the pressed card lands in {casella}: {s.riga}")
    piena = f"casella {riga} della parola {parola}, contiene {testo}"
    ripeti(lambda: verifica(piena in leggi()[1], f"the slot now says {piena!r}"), 5)
    g.chiudi_dal_bordo(g.attendi_finestra("DISEGNI1", 0))
    verifica(g.attendi_uscita() == 0, "closing the window ends the game")


PERCORSI = {"schermo_intero": schermo_intero, "accessibilita": accessibilita}
OPZIONI = {
    "schermo_intero": {"schermo": "1920x1080", "argomenti": ["--schermo-intero"]},
    "accessibilita": {"ambiente": {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"}},
}

if __name__ == "__main__":
    sys.exit(esegui(PERCORSI, OPZIONI))
