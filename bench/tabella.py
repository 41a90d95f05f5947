#!/usr/bin/env python3
"""One table from the benchmark results and the start-up measurements:
figure, median, target, met?

Usage: tabella.py BANCO.json AVVIO.json [DISEGNI.json] [--markdown]
"""

import json
import sys

UNITA_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def mediane_banco(percorso):
    """run_name -> median real time in ms, plus the context the benchmark wrote."""
    with open(percorso) as f:
        dati = json.load(f)
    mediane = {}
    for b in dati["benchmarks"]:
        if b.get("aggregate_name") == "median" and not b.get("error_occurred"):
            nome = b["run_name"].split("/iterations:")[0].split("/repeats:")[0].split("/manual_time")[0]
            mediane[nome] = b["real_time"] * UNITA_MS[b["time_unit"]]
    errori = [b["name"] for b in dati["benchmarks"] if b.get("error_occurred")]
    return mediane, dati.get("context", {}), errori


# (figure, where it comes from, key, target as (limit, unit) or None); a unit
# "x KEY" makes the limit a multiple of figure KEY of the same source and runs.
RIGHE = [
    ("Start screen painted, from process start", "avvio", "avvio", (1.10, "x vuota")),
    ("  of which main() to start screen painted", "avvio", "main", None),
    ("  floor: empty Qt window painted, same runs", "avvio", "vuota", None),
    ("Menu painted, after the click", "avvio", "menu", (30, "ms")),
    # One frame at 60 Hz.
    ("DISEGNI1 painted, after the click", "avvio", "DISEGNI1", (16.7, "ms")),
    ("DISEGNI2 painted, after the click", "avvio", "DISEGNI2", (16.7, "ms")),
    ("GeneraEsercizio DISEGNI1 (4 drawings)", "banco", "GeneraEsercizio/DISEGNI1", (3, "ms")),
    ("GeneraEsercizio DISEGNI2 (3 drawings)", "banco", "GeneraEsercizio/DISEGNI2", (3, "ms")),
    ("Right drop DISEGNI1, sound included", "banco", "DropGiusto/DISEGNI1", (0.2, "ms")),
    ("Right drop DISEGNI2, sound included", "banco", "DropGiusto/DISEGNI2", (0.2, "ms")),
    ("Right drop after a 3 s pause (stream reopens)", "banco", "DropGiustoDopoPausa/DISEGNI1", (0.2, "ms")),
    ("Wrong drop DISEGNI1, sound included", "banco", "DropSbagliato/DISEGNI1", (0.2, "ms")),
    ("Wrong drop DISEGNI2, sound included", "banco", "DropSbagliato/DISEGNI2", (0.2, "ms")),
    # A tap on a drawing: asked to sound ready for the player, which starts at once.
    ("Word's voice: shipped recording, asked to ready", "banco", "Voce/registrata", (20, "ms")),
    ("Word's voice: computer's, a new word", "banco", "Voce/sintesi nuova", (100, "ms")),
    ("Word's voice: computer's, asked before", "banco", "Voce/sintesi tenuta", (20, "ms")),
    # The same from the press on the drawing to the sound handed to the player.
    ("Tap on a drawing to its sound: shipped voice", "banco", "Tocco/voce spedita", (20, "ms")),
    ("Tap on a drawing to its sound: computer's, new word", "banco", "Tocco/sintesi nuova", (100, "ms")),
    ("Tap on a drawing to its sound: computer's, said before", "banco", "Tocco/sintesi tenuta", (20, "ms")),
    ("Completing drop DISEGNI1 (builds the next)", "banco", "DropCompleto/DISEGNI1", None),
    ("Completing drop DISEGNI2 (builds the next)", "banco", "DropCompleto/DISEGNI2", None),
    ("CaricaLista 100 words x2 + drawing check", "banco", "CaricaLista/DISEGNI1", (5, "ms")),
    ("CaricaLista 100 words x3 + drawing check", "banco", "CaricaLista/DISEGNI2", (5, "ms")),
    ("accettaLista 100 words x2 with drawings", "banco", "accettaLista/100x2", (5, "ms")),
    ("accettaLista 100 words x3 with drawings", "banco", "accettaLista/100x3", (5, "ms")),
    ("leggiLista 100 records x2", "banco", "leggiLista/100x2", None),
    ("leggiLista 100 records x3", "banco", "leggiLista/100x3", None),
    ("Peak RSS, both exercises, 10 played in each", "avvio", "memoria", (40, "MiB")),
    ("  floor: empty Qt window, peak RSS", "avvio", "memoria_vuota", None),
] + [
    riga
    for tipo, descrizione in (
        ("progressivi", "progressive JPEGs at the memory limit"),
        ("foto", "120-megapixel photos"),
        ("scansioni", "progressive JPEGs with scans repeated to the work limit"),
        ("commenti", "drawings with comments to the memory limit"),
    )
    for riga in (
        (f"Four {descrizione}: window opened", "banco", f"AperturaPesanti/{tipo}", (100, "ms")),
        ("  completing drop (builds the next)", "banco", f"DropCompletoPesanti/{tipo}", (100, "ms")),
        ("  frames filled, after the exercise appears", "disegni", f"pronti_{tipo}", None),
        ("  peak RSS, six exercises", "disegni", f"memoria_{tipo}", (150, "MiB")),
    )
]


def formato(valore, unita):
    if valore is None:
        return "n/a"
    if unita == "MiB":
        return f"{valore:.1f} MiB"
    if valore < 1:
        return f"{valore * 1000:.0f} us"
    return f"{valore:.2f} ms" if valore < 10 else f"{valore:.1f} ms"


def formato_limite(limite, unita):
    if unita == "ms" and limite < 1:
        return f"{limite * 1000:g} us"
    return f"{limite:g} {unita}"


def main():
    argomenti = [a for a in sys.argv[1:] if not a.startswith("--")]
    markdown = "--markdown" in sys.argv
    banco, contesto, errori = mediane_banco(argomenti[0])
    fonti = {"banco": banco}
    for fonte, percorso in zip(("avvio", "disegni"), argomenti[1:3]):
        with open(percorso) as f:
            fonti[fonte] = {k: v["median"] for k, v in json.load(f).items()}

    righe = []
    mancati = 0
    for figura, fonte, chiave, obiettivo in RIGHE:
        valore = fonti.get(fonte, {}).get(chiave)
        unita = obiettivo[1] if obiettivo else ("MiB" if chiave.startswith("memoria") else "ms")
        if obiettivo is None:
            righe.append((figura, formato(valore, unita), "-", "-"))
            continue
        limite = obiettivo[0]
        if unita.startswith("x "):
            base = fonti.get(fonte, {}).get(unita[2:])
            testo_limite = f"<= {limite:g} x floor"
            if valore is not None and base:
                testo_limite += f" ({limite * base:.1f} ms; now {valore / base:.2f} x)"
            esito = "n/a" if valore is None or not base else ("yes" if valore <= limite * base else "NO")
            unita = "ms"
        else:
            testo_limite = f"< {formato_limite(limite, unita)}"
            esito = "n/a" if valore is None else ("yes" if valore < limite else "NO")
        mancati += esito != "yes"
        righe.append((figura, formato(valore, unita), testo_limite, esito))

    intestazione = ("Figure", "Median", "Target", "Met?")
    if markdown:
        print("| " + " | ".join(intestazione) + " |")
        print("|---|---:|---:|:---:|")
        for r in righe:
            print("| " + " | ".join(r) + " |")
    else:
        larghezze = [max(len(r[i]) for r in righe + [intestazione]) for i in range(4)]
        def stampa(r):
            print("  ".join([r[0].ljust(larghezze[0])] + [r[i].rjust(larghezze[i]) for i in (1, 2)] + [r[3]]))
        stampa(intestazione)
        print("  ".join("-" * n for n in larghezze))
        for r in righe:
            stampa(r)
    print()
    print(f"Windows' data: {contesto.get('quirlo.finestre', '?')}; {contesto.get('quirlo.suono', '?')}")
    if errori:
        print("Benchmarks that failed: " + ", ".join(errori))
    return 1 if mancati or errori else 0


if __name__ == "__main__":
    sys.exit(main())
