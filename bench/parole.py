#!/usr/bin/env python3
"""The word editor's speed and memory, on an Xvfb display and in processes of
their own.

  start-up      its main window's first frame, from just before the process
                is spawned (the trace's "dipinta FinestraParole t=<us>"), beside
                an empty Qt window measured in the same runs (the floor)
  4 x 100 words the same with four lists of 100 words in the user folder, and
                until the first page's thumbnails are all decoded
                ("miniature pronte")
  12 MP photo   quirlo_bench_foto: the photo read to the crop frame, and saved
                as a drawing; peak resident set of that process
  worksheet     quirlo_bench_schede: 100 shipped words written as an A4 PDF of
                each kind, its time and size

Usage: parole.py BIN_DIR [--runs 10] [--json OUT]
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from avvio import Xvfb, adesso_us  # noqa: E402

SILLABE = ["ba", "ce", "di", "fo", "gu", "la", "me", "ni", "po", "ru",
           "sa", "te", "vi", "zo", "mu", "ro", "ne", "pi", "ta", "co"]


def prepara_liste(utente, bin_dir):
    """Four lists of 100 words each, every word with a drawing of the shipped size."""
    jpg = os.path.join(utente, "jpg")
    os.makedirs(jpg)
    campioni = sorted(f for f in os.listdir(os.path.join(bin_dir, "jpg")) if f.endswith(".jpg"))
    n = 0
    for nome, sillabe in [("lista2.txt", 2), ("lista4.txt", 2), ("lista3.txt", 3), ("lista5.txt", 3)]:
        righe = []
        for i in range(100):
            parola = [SILLABE[(i + n) % 20], SILLABE[(i // 20 + 3 * n) % 20]] + ([SILLABE[(n + 7) % 20]] if sillabe == 3 else [])
            parola[-1] += "x" * (n + 1)  # unique across the lists
            righe.append(",".join(parola))
            shutil.copy(os.path.join(bin_dir, "jpg", campioni[(i + 37 * n) % len(campioni)]),
                        os.path.join(jpg, "".join(parola) + ".jpg"))
        n += 1
        with open(os.path.join(utente, nome), "w", newline="") as f:
            f.write("".join(r + "\r\n" for r in righe))


def misura(comando, display, casa, attese):
    """Spawns `comando`, returns {event: microseconds after the spawn} for each trace line awaited."""
    ambiente = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QUIRLO_TRACCIA="1",
                    XDG_DATA_HOME=casa, XDG_RUNTIME_DIR=casa)
    t0 = adesso_us()
    p = subprocess.Popen(comando, env=ambiente, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    esiti = {}
    fine = time.monotonic() + 30
    try:
        for riga in p.stderr:
            for chiave, inizio in attese.items():
                if chiave not in esiti and riga.startswith("QUIRLO " + inizio):
                    t = int(riga.split(" t=")[1].split()[0])
                    esiti[chiave] = (t - t0) / 1000
            if len(esiti) == len(attese) or time.monotonic() > fine:
                break
    finally:
        p.terminate()
        p.wait(10)
    return esiti


def main():
    a = argparse.ArgumentParser()
    a.add_argument("bin_dir")
    a.add_argument("--runs", type=int, default=10)
    a.add_argument("--json")
    o = a.parse_args()
    editor = os.path.join(o.bin_dir, "quirlo-parole")
    vuota = os.path.join(o.bin_dir, "quirlo_vuota")
    lavoro = tempfile.mkdtemp(prefix="quirlo-bench-parole-")
    x = Xvfb()
    risultati = {}
    try:
        vuota_casa = os.path.join(lavoro, "vuota")
        piena_casa = os.path.join(lavoro, "piena")
        os.makedirs(vuota_casa)
        prepara_liste(os.path.join(piena_casa, "quirlo"), o.bin_dir)
        campioni = {"avvio": [], "vuota": [], "avvio_400": [], "miniature_400": []}
        for _ in range(o.runs):
            campioni["avvio"].append(misura([editor], x.display, vuota_casa,
                                            {"d": "dipinta FinestraParole"})["d"])
            if os.path.exists(vuota):
                campioni["vuota"].append(misura([vuota], x.display, vuota_casa, {"d": "dipinta Vuota"})["d"])
            e = misura([editor], x.display, piena_casa, {"d": "dipinta FinestraParole", "m": "miniature pronte"})
            campioni["avvio_400"].append(e["d"])
            campioni["miniature_400"].append(e["m"])
        for k, v in campioni.items():
            if v:
                risultati[k] = statistics.median(v)
        foto = os.path.join(lavoro, "foto12mp.jpg")
        subprocess.run([os.path.join(o.bin_dir, "quirlo_bench_foto"), foto, lavoro], check=True)
        prove = []
        for _ in range(o.runs):
            uscita = subprocess.run([os.path.join(o.bin_dir, "quirlo_bench_foto"), foto, lavoro],
                                    check=True, capture_output=True, text=True).stdout
            prove.append(json.loads(uscita))
        assert all(p["dritta"] for p in prove), "the photo did not come out upright"
        for k in ["apertura_ms", "salvataggio_ms", "picco_mib", "picco_prima_mib"]:
            risultati["foto_" + k] = statistics.median(p[k] for p in prove)
        schede = os.path.join(o.bin_dir, "quirlo_bench_schede")
        for tipo in ["sillabe", "ritaglia"]:
            prove = []
            for _ in range(o.runs):
                uscita = subprocess.run([schede, tipo, os.path.join(lavoro, "schede.pdf")],
                                        check=True, capture_output=True, text=True).stdout
                prove.append(json.loads(uscita))
            for k in ["ms", "byte", "picco_mib"]:
                risultati[f"schede_{tipo}_{k}"] = statistics.median(p[k] for p in prove)
    finally:
        x.chiudi()
        shutil.rmtree(lavoro)

    righe = [
        ("Editor's window painted, from process start", risultati.get("avvio"), "ms", None),
        ("  floor: empty Qt window painted, same runs", risultati.get("vuota"), "ms", None),
        ("  ratio to the floor", risultati["avvio"] / risultati["vuota"] if risultati.get("vuota") else None, "x", None),
        ("Window painted with 4 x 100 words of her own", risultati.get("avvio_400"), "ms", None),
        ("  first page's 100 thumbnails all shown", risultati.get("miniature_400"), "ms", 1000),
        ("12 MP photo: chosen to crop frame", risultati.get("foto_apertura_ms"), "ms", 500),
        ("12 MP photo: saved as the drawing", risultati.get("foto_salvataggio_ms"), "ms", None),
        ("12 MP photo: peak RSS of the process", risultati.get("foto_picco_mib"), "MiB", 200),
        ("  floor: the same process before the photo", risultati.get("foto_picco_prima_mib"), "MiB", None),
        ("100-word worksheet PDF, Scrivi le sillabe", risultati.get("schede_sillabe_ms"), "ms", 2000),
        ("  its size (17 pages)", risultati.get("schede_sillabe_byte", 0) / 2**20 or None, "MiB", 10),
        ("100-word worksheet PDF, Ritaglia e incolla", risultati.get("schede_ritaglia_ms"), "ms", 2000),
        ("  its size (17 pages)", risultati.get("schede_ritaglia_byte", 0) / 2**20 or None, "MiB", 10),
        ("  peak RSS of the process", risultati.get("schede_ritaglia_picco_mib"), "MiB", None),
    ]
    mancati = 0
    print(f"{'figure':50} {'median':>10} {'target':>10}")
    for nome, valore, unita, limite in righe:
        ok = "" if limite is None else ("yes" if valore is not None and valore <= limite else "NO")
        mancati += ok == "NO"
        testo = "n/a" if valore is None else f"{valore:.1f} {unita}" if unita != "x" else f"{valore:.2f} x"
        print(f"{nome:50} {testo:>10} {'' if limite is None else f'<= {limite} {unita}':>10} {ok}")
    if o.json:
        with open(o.json, "w") as f:
            json.dump(risultati, f, indent=1)
    return 1 if mancati else 0


if __name__ == "__main__":
    sys.exit(main())
