"""Fixture data laid out beside a copy of the game, and the window layouts the
screenshots are checked against (in twips, 15 to the pixel)."""

import os
import shutil
import struct
import subprocess
import wave

# Every syllable appears once per list, so each card fits exactly one slot.
LISTE = {
    "lista2.txt": [("ca", "sa"), ("lu", "na"), ("pe", "ra"), ("to", "po"), ("me", "la")],
    "lista4.txt": [("gat", "to"), ("scar", "pa"), ("zuc", "ca"), ("fio", "re"), ("tre", "no")],
    "lista3.txt": [("ta", "vo", "lo"), ("pe", "co", "ra"), ("ba", "le", "na"), ("fi", "nes", "tra"),
                   ("lu", "ma", "ca")],
    "lista5.txt": [("gior", "na", "le"), ("chi", "tar", "ra"), ("for", "mi", "ca"), ("spaz", "zo", "la")],
}

# One flat colour per drawing, far from the window's green, the slots' yellow
# and the cards' white, so a frame tells which drawing it shows.
_COLORI = [(200, 40, 40), (40, 40, 200), (150, 40, 150), (230, 120, 20), (110, 60, 20),
           (20, 140, 160), (90, 90, 90), (180, 20, 100), (60, 20, 120), (200, 160, 120),
           (20, 60, 60), (120, 120, 200), (160, 80, 80), (40, 100, 40), (220, 100, 160),
           (100, 20, 20), (20, 20, 90), (140, 140, 40), (70, 130, 220)]


def parole():
    return [("".join(s)) for lista in LISTE.values() for s in lista]


COLORE_DISEGNO = dict(zip(parole(), _COLORI))


def sillabe_della_lista(nome):
    return {s for parola in LISTE[nome] for s in parola}


def scrivi_suono(percorso):
    with wave.open(percorso, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(struct.pack("<h", 0) * 2205)


def prepara_cartella(cartella, programma):
    """Copies the program into `cartella` and lays out its lists, drawings and sounds."""
    os.makedirs(os.path.join(cartella, "jpg"))
    os.makedirs(os.path.join(cartella, "suoni"))
    shutil.copy2(programma, os.path.join(cartella, "quirlo"))
    for nome, voci in LISTE.items():
        with open(os.path.join(cartella, nome), "wb") as f:
            f.write("".join(",".join(s) + "\r\n" for s in voci).encode())
    for n in ["si1", "si2", "si3", "si4", "no"]:
        scrivi_suono(os.path.join(cartella, "suoni", n + ".wav"))
    # Drawings not shaped like their frames: a frame filled edge to edge shows
    # the picture was stretched, not fitted.
    comando = ["convert", "-size", "160x90"]
    for parola, (r, g, b) in COLORE_DISEGNO.items():
        comando += [f"xc:rgb({r},{g},{b})", "-quality", "95", "-write",
                    os.path.join(cartella, "jpg", parola + ".jpg"), "+delete"]
    subprocess.run(comando + ["xc:black", "null:"], check=True)


def pixel(twip):
    return (twip + 7) // 15


def rettangolo(left, top, width, height):
    return (pixel(left), pixel(top), pixel(width), pixel(height))


# The client areas.
CLIENTE_AVVIO = (707, 608)
CLIENTE_MENU = (676, 498)
CLIENTE_ESERCIZIO = (638, 480)

TITOLO_AVVIO = rettangolo(1320, 720, 6855, 2535)
PULSANTI = {
    "FormAvvio": {"Command1": rettangolo(3000, 4200, 3735, 1455)},
    "FormMenu": {
        "Command3D1": rettangolo(1920, 360, 4425, 1245),
        "Command1": rettangolo(1920, 1680, 4425, 1245),
        "Command3D6": rettangolo(1920, 3720, 4470, 1260),
        "Command3D5": rettangolo(1920, 5160, 4470, 1260),
    },
}

# The palette the start screen and the menu take their colour from (0x00BBGGRR).
TAVOLOZZA = [12632319, 8421631, 255, 8438015, 33023, 12648447, 65535, 16576, 8454016, 49152,
             16777152, 16776960, 16761024, 16761087, 14737632, 16711680, 16711935]
COLORI_TAVOLOZZA = {(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) for c in TAVOLOZZA}

RIGA_IN_BASSO = {
    "ComandoIcona": rettangolo(1080, 4320, 975, 855),
    "Label3(4)": rettangolo(2280, 4575, 735, 375),
    "EtichettaEsatti": rettangolo(3120, 4455, 975, 615),
    "Label2(4)": rettangolo(4680, 4575, 735, 495),
    "EtichettaErrati": rettangolo(5520, 4455, 855, 615),
}


class Esercizio:
    """What the checks need to know of one exercise window."""

    def __init__(self, nome, pulsante, parole, righe, menu_lista, liste, caselle, cornici, carta, posti):
        self.nome = nome
        self.pulsante = pulsante      # the menu button that opens it
        self.parole = parole
        self.righe = righe            # slot arrays, by syllable
        self.menu_lista = menu_lista
        self.liste = liste            # (easy, difficult)
        self.caselle = caselle        # "Label2(0)" -> rectangle in pixels
        self.cornici = cornici        # frame k -> rectangle
        self.carta = carta            # (width, height, top) in pixels
        self.posti = posti            # left edges a card may take


def _caselle(righe, lefts, top, width):
    return {f"{riga}({k})": rettangolo(left, top, width, 525)
            for riga, col in zip(righe, lefts) for k, left in enumerate(col)}


DISEGNI1 = Esercizio(
    "DISEGNI1", "Command3D1", 4, ["Label2", "Label3"], "mnuLista", ("lista2.txt", "lista4.txt"),
    _caselle(["Label2", "Label3"], [[120, 2400, 4680, 6960], [1200, 3480, 5760, 8040]], 2160, 1035),
    {k: rettangolo(left, 240, 2160, 1800) for k, left in enumerate([105, 2400, 4680, 6960])},
    (pixel(1035), pixel(615), pixel(3240)),
    [pixel(100 + 1100 * s) for s in range(8)])

DISEGNI2 = Esercizio(
    "DISEGNI2", "Command1", 3, ["Label2", "Label3", "Label4"], "mnulista", ("lista3.txt", "lista5.txt"),
    _caselle(["Label2", "Label3", "Label4"], [[120, 3120, 6360], [960, 3960, 7200], [1800, 4800, 8040]],
             2760, 795),
    {k: rettangolo(left, 240, 2400, 2400) for k, left in enumerate([240, 3240, 6360])},
    (pixel(795), pixel(615), pixel(3600)),
    [pixel(100 + 1000 * p) for p in range(9)])
