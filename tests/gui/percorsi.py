#!/usr/bin/env python3
"""Real-window journeys through the game: a real X server (Xvfb, no window
manager, no sound server), the real program, the real mouse.

Usage: percorsi.py --programma build/bin/quirlo --artefatti DIR JOURNEY"""

import sys

sys.dont_write_bytecode = True  # nothing written into the source tree

import dati  # noqa: E402
from banco import esegui, attendi_condizione, ripeti, verifica  # noqa: E402
from partita import Partita, centro  # noqa: E402
from schermate import dentro, scuro  # noqa: E402

RIGA = " ----------------------- "


def controlla_schermata(g, finestra, nome, cliente, pulsanti, titolo=None):
    """Start screen or menu: the layout's size, one palette colour behind the controls."""
    return ripeti(lambda: _controlla_schermata(g, finestra, nome, cliente, pulsanti, titolo))


def _controlla_schermata(g, finestra, nome, cliente, pulsanti, titolo):
    img = g.cattura(finestra, nome)
    verifica((img.larghezza, img.altezza) == cliente, f"{finestra.nome} is {cliente}: {img.larghezza}x{img.altezza}")
    sfondo = img(2, 2)
    verifica(sfondo in dati.COLORI_TAVOLOZZA, f"{finestra.nome} takes a palette colour: {sfondo}")
    occupati = list(pulsanti.values()) + ([titolo] if titolo else [])
    for py in range(2, cliente[1], 9):
        for px in range(2, cliente[0], 9):
            if not any(dentro((px, py), r, 2) for r in occupati):
                verifica(img(px, py) == sfondo, f"{finestra.nome}: background at {px},{py} is {img(px, py)}")
    for nome_pulsante, r in pulsanti.items():
        verifica(len(img.colori(r) - {sfondo}) > 3, f"{nome_pulsante} is drawn where the layout puts it")
    if titolo:
        verifica(any(scuro(c) for c in img.colori(titolo)), "the title is written")
    return sfondo


def clic_pulsante(g, finestra, nome):
    x, y = centro(dati.PULSANTI[finestra.nome][nome])
    g.clic(finestra.x + x, finestra.y + y)


def al_menu(g, controlla=False):
    avvio = g.attendi_finestra("FormAvvio", 0)
    if controlla:
        controlla_schermata(g, avvio, "avvio", dati.CLIENTE_AVVIO, dati.PULSANTI["FormAvvio"], dati.TITOLO_AVVIO)
    segno = g.segno()
    clic_pulsante(g, avvio, "Command1")
    menu = g.attendi_finestra("FormMenu", segno)
    g.attendi(r"chiusa FormAvvio", segno)
    return menu


def esci_dal_menu(g, menu):
    segno = g.segno()
    clic_pulsante(g, menu, "Command3D5")
    flags, testo = g.rispondi(segno, "Sì")
    verifica((flags, testo) == (36, "Vuoi uscire dal programma?"), f"quit question: {flags} {testo!r}")
    g.attendi(r"fine$", segno)
    verifica(g.attendi_uscita() == 0, "the game ends with status 0")


def suoni(righe):
    return [r for r in righe if r.startswith("suono")]


# --- journeys ---

def avvio_e_menu(g):
    menu = al_menu(g, controlla=True)
    sfondo = controlla_schermata(g, menu, "menu", dati.CLIENTE_MENU, dati.PULSANTI["FormMenu"])

    testi = []
    for volta in range(2):
        segno = g.segno()
        clic_pulsante(g, menu, "Command3D6")
        flags, testo = g.rispondi(segno, "OK")
        verifica(flags == 64, f"the about box has the information icon and OK: {flags}")
        righe = testo.split("\r\n")
        verifica(len(righe) == 6 and righe[1] == righe[4] == RIGA and not righe[5].endswith("\n"),
                 f"the about text has six lines joined by CR LF: {righe}")
        verifica(righe[5] == "disegni eseguiti dai ragazzi delle classi 4\u00b0 e 5\u00b0 di Valdorsa",
                 f"the last line names the children who drew: {righe[5]!r}")
        testi.append(testo)
    verifica(testi[0] == testi[1], "the about box says the same each time")

    segno = g.segno()
    clic_pulsante(g, menu, "Command3D5")
    flags, testo = g.rispondi(segno, "No")
    verifica((flags, testo) == (36, "Vuoi uscire dal programma?"), f"quit question: {flags} {testo!r}")
    verifica(not [r for r in g.righe_da(segno) if r.startswith(("chiusa", "aperta", "fine"))],
             "No leaves the menu open")
    verifica(g.processo.poll() is None, "the game goes on after No")
    menu = g.geometria("FormMenu", menu.id)
    verifica(controlla_schermata(g, menu, "menu-dopo-no", dati.CLIENTE_MENU, dati.PULSANTI["FormMenu"]) == sfondo,
             "the menu keeps its colour after the about box and No")
    esci_dal_menu(g, menu)


def chiusura_avvio(g):
    avvio = g.attendi_finestra("FormAvvio", 0)
    segno = g.segno()
    g.chiudi_dal_bordo(avvio)
    verifica(g.attendi_uscita() == 0, "closing the start screen's frame ends the game with status 0")
    verifica(not [r for r in g.righe_da(segno) if r.startswith("messaggio")], "nothing is asked")


def controlla_inizio(p, lista):
    s = p.stato
    sillabe = {t.upper() for t in dati.sillabe_della_lista(lista)}
    verifica((s.esatti, s.errati, s.giuste, s.si, s.no) == (0, 0, 0, 1, 1),
             f"a fresh window: counters 0, both faces shown: {s.riga}")
    testi = sorted(t for t, _, _, _ in s.carte.values())
    verifica(all(a for _, a, _, _ in s.carte.values()) and set(testi) <= sillabe,
             f"enabled cards with syllables of {lista}: {testi}")
    verifica(testi == sorted(a for _, a, _, _ in s.caselle.values()) and
             all(not t for t, _, _, _ in s.caselle.values()), "each card has one empty slot waiting for it")


def didascalia_vuota(g, finestra):
    """No caption at all, not the program's name in its place, in both the old and the new property."""
    proprieta = g.x11("xprop", "-id", finestra.id, "WM_NAME", "_NET_WM_NAME")
    verifica(proprieta.split("\n")[:2] == ['WM_NAME(STRING) = ', '_NET_WM_NAME(UTF8_STRING) = '],
             f"{finestra.nome} has an empty caption: {proprieta!r}")


def gioco(g, e):
    p = Partita.apri(g, al_menu(g), e)
    controlla_inizio(p, e.liste[0])
    didascalia_vuota(g, p.f)
    p.controlla("aperto")

    prima = p.stato
    carta, casella = p.sbagliata()
    righe, s = p.lascia(carta, p.casella(casella))
    verifica(suoni(righe) == ["suono no"], f"a wrong drop buzzes: {righe}")
    verifica((s.errati, s.si, s.no) == (1, 0, 1) and s.carte == prima.carte and s.caselle == prima.caselle,
             f"a wrong drop counts an error and changes nothing else: {s.riga}")
    p.controlla("errato")

    for legenda in ["Label2(4)", "Label3(4)"]:
        prima = p.stato
        righe, s = p.lascia(carta, p.su_schermo(dati.RIGA_IN_BASSO[legenda]))
        verifica(suoni(righe) == ["suono no"] and s.errati == prima.errati + 1 and s.carte == prima.carte,
                 f"a drop on the legend {legenda} is wrong: {s.riga}")

    # Released over a drawing, the background or another card, a card changes
    # nothing: the next right drop is the only thing the trace shows.
    segno, prima = g.segno(), p.stato
    altra = next(n for n in sorted(prima.carte) if n != carta)
    vuoto = p.su_schermo((600, 420, 1, 1))
    for punto in [p.su_schermo(e.cornici[0]), vuoto, p.carta(altra)]:
        g.trascina(p.carta(carta), punto)
    usata, casella = p.giusta()
    righe, s = p.lascia(usata, p.casella(casella), segno)
    verifica(len(suoni(righe)) == 1 and not [r for r in righe if r.startswith("stato")] and s.errati == prima.errati,
             f"drops outside the slots do nothing: {righe}")
    verifica({n: c for n, c in s.carte.items() if n != usata} == {n: c for n, c in prima.carte.items() if n != usata},
             "the other cards stay as they were")

    # A used card starts no drag: no outline window appears, while an enabled
    # card's drag shows one at once (so the probe itself works).
    libera = next(n for n, (_, a, _, _) in sorted(s.carte.items()) if a)
    prima = g.finestre_mostrate()
    g.premi_e_sposta(p.carta(libera), vuoto)
    visto = attendi_condizione(lambda: g.finestre_mostrate() - prima, 3)
    g.rilascia()
    verifica(visto, "dragging an enabled card shows its outline")
    verifica(attendi_condizione(lambda: not g.finestre_mostrate() - prima, 3), "the outline goes at release")
    segno = g.segno()
    g.premi_e_sposta(p.carta(usata), p.casella(casella))
    visto = attendi_condizione(lambda: g.finestre_mostrate() - prima, 0.6)
    g.rilascia()
    verifica(not visto, "a used card cannot be dragged")

    riempite = {casella}
    while p.stato.esatti == 0:
        prima = p.stato
        carta, casella = p.drop_giusto()
        riempite.add(casella)
        if len(riempite) == len(e.caselle) // 2:
            p.controlla("a-meta")
    righe = g.righe_da(segno)
    verifica(len(suoni(righe)) == len(e.caselle) - 1, f"pressing a used card made no drop: {suoni(righe)}")
    verifica(riempite == set(e.caselle), f"every slot of every row was filled: {sorted(riempite)}")
    s = p.stato
    verifica((s.esatti, s.errati, s.giuste, s.si, s.no) == (1, 3, 0, 1, 0), f"the exercise renews: {s.riga}")
    verifica(all(t and a for t, a, _, _ in s.carte.values()) and all(not t for t, _, _, _ in s.caselle.values()),
             "a new exercise: enabled cards, empty slots")
    p.controlla("rinnovato")

    segno = g.segno()
    g.chiudi_dal_bordo(p.f)
    verifica(g.attendi_uscita() == 0, "closing the exercise's frame ends the game with status 0")
    verifica(not [r for r in g.righe_da(segno) if r.startswith("messaggio")], "nothing is asked")


def comandi(g, e):
    facile, difficile = e.liste
    p = Partita.apri(g, al_menu(g), e)
    carta, casella = p.sbagliata()
    p.lascia(carta, p.casella(casella))

    def scegli_lista(voce, nome, segni):
        segno = p.dalla_tendina(e.menu_lista, voce, segni)
        i, _ = g.attendi(r"lista " + nome + " ", segno)
        _, s = g.attendi_stato(e.nome, i)
        p.stato = s
        sillabe = {t.upper() for t in dati.sillabe_della_lista(nome)}
        verifica(all(t.upper() in sillabe and a for t, a, _, _ in s.carte.values()) and s.giuste == 0,
                 f"{voce} builds an exercise from {nome}: {s.riga}")
        verifica((s.esatti, s.errati) == (0, 1), f"the counters stay: {s.riga}")

    scegli_lista("mnudifficile", difficile, {"mnufacile": True, "mnudifficile": False})
    p.controlla("difficile")
    scegli_lista("mnudifficile", difficile, {"mnufacile": False, "mnudifficile": True})

    segno = p.dalla_tendina("mnuCaratteri", "mnuMinuscolo", {"mnuMaiuscolo": True, "mnuMinuscolo": False})
    p.nuovo_stato(segno, lambda s: all(t == t.lower() != t.upper() for t, _, _, _ in s.carte.values()),
                  "lower-case cards")
    carta, casella = p.drop_giusto()
    testo = p.stato.caselle[casella][0]
    verifica(testo == testo.lower(), f"a lower-case card fills its slot in lower case: {testo}")
    p.controlla("minuscolo")
    segno = p.dalla_tendina("mnuCaratteri", "mnuMaiuscolo", {"mnuMaiuscolo": False, "mnuMinuscolo": True})
    _, s = p.nuovo_stato(segno, lambda s: all(t == t.upper() != t.lower() for t, _, _, _ in s.carte.values()),
                         "upper-case cards")
    verifica(s.giuste == 0 and (s.esatti, s.errati) == (0, 1), f"a new exercise, same counters: {s.riga}")
    scegli_lista("mnufacile", facile, {"mnufacile": False, "mnudifficile": True})

    prima = p.stato
    segno = g.segno()
    p.comando("mnuAzzera")
    _, s = p.nuovo_stato(segno, lambda s: (s.esatti, s.errati) == (0, 0), "counters reset")
    verifica((s.carte, s.caselle, s.giuste, s.si, s.no) == (prima.carte, prima.caselle, prima.giuste, prima.si,
                                                              prima.no), "resetting leaves the exercise")
    img = p.controlla("azzerato")

    segno = g.segno()
    p.comando("mnuEsci")
    flags, testo = g.rispondi(segno, "No")
    verifica((flags, testo) == (36, "Vuoi tornare al menù?"), f"the exercise asks: {flags} {testo!r}")
    verifica(attendi_condizione(lambda: g.cattura(p.f, "esci-no").dati == img.dati, 3),
             "No leaves the window as it was")
    verifica(not [r for r in g.righe_da(segno) if r.startswith(("stato", "aperta", "chiusa"))], "No changes nothing")

    segno = g.segno()
    p.comando("mnuEsci")
    g.rispondi(segno, "Sì")
    menu = g.attendi_finestra("FormMenu", segno)
    g.attendi(r"chiusa " + e.nome, segno)
    verifica("IsViewable" not in g.x11("sh", "-c", f"xwininfo -id {p.f.id} 2>&1 || true"), "the exercise is gone")

    p = Partita.apri(g, menu, e)
    controlla_inizio(p, facile)
    segno = g.segno()
    g.chiudi_dal_bordo(p.f)
    verifica(g.attendi_uscita() == 0, "closing the exercise's frame ends the game with status 0")


PERCORSI = {
    "avvio_menu": avvio_e_menu,
    "chiusura_avvio": chiusura_avvio,
    "disegni1_gioco": lambda g: gioco(g, dati.DISEGNI1),
    "disegni2_gioco": lambda g: gioco(g, dati.DISEGNI2),
    "disegni1_comandi": lambda g: comandi(g, dati.DISEGNI1),
    "disegni2_comandi": lambda g: comandi(g, dati.DISEGNI2),
}


if __name__ == "__main__":
    sys.exit(esegui(PERCORSI))
