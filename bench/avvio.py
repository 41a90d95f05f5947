#!/usr/bin/env python3
"""Start-up, response and memory of the real game on an Xvfb display.

The game, with QUIRLO_TRACCIA set, writes "dipinta <window> t=<us>" once a
window's first frame is on the screen and "rilascio t=<us>" when a mouse
button is released, both on the monotonic clock this script reads too. So:

  start screen  = its first frame - the moment just before the process is spawned
  menu/exercise = its first frame - the release of the click on its button

Memory: peak resident set (VmHWM) after opening both exercises and playing
ten exercises in each, driven with xdotool from the cards and slots the trace
reports.

For comparison, --floor runs an empty window traced the same way, once
after each start-up run, so that both see the same machine load.

Usage: avvio.py BINARY [--floor EMPTY_WINDOW] [--runs 20] [--memory-runs 3] [--json OUT]
"""

import argparse
import json
import os
import re
import select
import signal
import statistics
import subprocess
import sys
import time


def adesso_us():
    return time.monotonic_ns() // 1000


class Xvfb:
    def __init__(self):
        lettura, scrittura = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(scrittura), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=[scrittura], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(scrittura)
        numero = b""
        fine = time.monotonic() + 20
        while not numero.endswith(b"\n") and time.monotonic() < fine:
            pronti, _, _ = select.select([lettura], [], [], 1)
            if pronti:
                pezzo = os.read(lettura, 16)
                if not pezzo:
                    break
                numero += pezzo
        os.close(lettura)
        if not numero.strip():
            self.chiudi()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + numero.decode().strip()

    def chiudi(self):
        self.proc.terminate()
        self.proc.wait(timeout=10)


class Riga:
    """One trace line: 'QUIRLO <kind> [<name>] key=value ...'."""

    def __init__(self, testo):
        parti = testo.split(" ")
        self.tipo = parti[1] if len(parti) > 1 else ""
        self.nome = ""
        self.campi = {}
        for p in parti[2:]:
            if "=" in p:
                k, v = p.split("=", 1)
                self.campi[k] = v
            elif not self.nome:
                self.nome = p

    def t(self):
        return int(self.campi["t"])

    def centri(self, campo):
        """'name|x|y;...' -> {name: (x, y)}"""
        esito = {}
        for voce in filter(None, self.campi.get(campo, "").split(";")):
            nome, x, y = voce.rsplit("|", 2)
            esito[nome] = (int(x), int(y))
        return esito


class Gioco:
    def __init__(self, binario, display):
        env = dict(os.environ, DISPLAY=display, QUIRLO_TRACCIA="1")
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("WAYLAND_DISPLAY", None)
        self.display = display
        lettura, scrittura = os.pipe()
        nulla = os.open(os.devnull, os.O_WRONLY)
        azioni = [(os.POSIX_SPAWN_DUP2, scrittura, 2), (os.POSIX_SPAWN_DUP2, nulla, 1),
                  (os.POSIX_SPAWN_CLOSE, lettura)]
        self.partenza = adesso_us()
        self.pid = os.posix_spawn(binario, [binario], env, file_actions=azioni)
        os.close(scrittura)
        os.close(nulla)
        self.fd = lettura
        self.resto = b""
        self.righe = []  # read, not yet consumed
        self.finito = False

    def _leggi(self, attesa):
        pronti, _, _ = select.select([self.fd], [], [], attesa)
        if not pronti:
            return
        pezzo = os.read(self.fd, 65536)
        if not pezzo:
            self.finito = True
            return
        self.resto += pezzo
        *complete, self.resto = self.resto.split(b"\n")
        for r in complete:
            testo = r.decode("utf-8", "replace")
            if testo.startswith("QUIRLO "):
                self.righe.append(Riga(testo))

    def aspetta(self, condizione, secondi=15, cosa="a trace line"):
        """The first unconsumed line that meets the condition; the lines before it are consumed."""
        fine = time.monotonic() + secondi
        while True:
            while self.righe:
                r = self.righe.pop(0)
                if condizione(r):
                    return r
            if self.finito or time.monotonic() > fine:
                raise RuntimeError(f"the game did not write {cosa}")
            self._leggi(0.05)

    def dipinta(self, nome, secondi=15):
        return self.aspetta(lambda r: r.tipo == "dipinta" and r.nome == nome, secondi, f"'dipinta {nome}'")

    def ultimo_stato(self, condizione, secondi=15):
        """Waits for a state line meeting the condition, then takes the latest one written."""
        r = self.aspetta(lambda r: r.tipo == "stato" and condizione(r), secondi, "the expected state")
        time.sleep(0.02)
        self._leggi(0)
        for altra in [x for x in self.righe if x.tipo == "stato"]:
            r = altra
        self.righe = [x for x in self.righe if x.tipo != "stato"]
        return r

    def xdotool(self, *argomenti):
        subprocess.run(["xdotool", *map(str, argomenti)], check=True,
                       env=dict(os.environ, DISPLAY=self.display))

    def clic(self, punto):
        self.xdotool("mousemove", punto[0], punto[1], "sleep", "0.05", "click", "1")

    def trascina(self, da, a):
        self.xdotool("mousemove", da[0], da[1], "sleep", "0.03", "mousedown", "1", "sleep", "0.03",
                     "mousemove", da[0] + 6, da[1] + 6, "sleep", "0.03",
                     "mousemove", (da[0] + a[0]) // 2, (da[1] + a[1]) // 2, "sleep", "0.03",
                     "mousemove", a[0], a[1], "sleep", "0.03", "mouseup", "1")

    def picco_memoria_kib(self):
        with open(f"/proc/{self.pid}/status") as f:
            for riga in f:
                if riga.startswith("VmHWM:"):
                    return int(riga.split()[1])
        raise RuntimeError("no VmHWM")

    def chiudi(self):
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        os.waitpid(self.pid, 0)
        os.close(self.fd)
        # The kernel and the X server are still tearing the last process down
        # for a while after it is reaped; a run started at once paid for that
        # (tens of milliseconds here), so the next one waits.
        time.sleep(0.5)


def stato(riga):
    """Cards and slots of a state line."""
    carte = []
    for voce in riga.campi["carte"].split(";"):
        nome, testo, attiva, x, y = voce.rsplit("|", 4)
        carte.append({"nome": nome, "testo": testo, "attiva": attiva == "1", "punto": (int(x), int(y))})
    caselle = []
    for voce in riga.campi["caselle"].split(";"):
        nome, testo, atteso, x, y = voce.rsplit("|", 4)
        caselle.append({"nome": nome, "testo": testo, "atteso": atteso, "punto": (int(x), int(y))})
    conti = {k: int(riga.campi[k]) for k in ("esatti", "errati", "giuste")}
    return carte, caselle, conti


def gioca(gioco, finestra, esercizi):
    """Plays `esercizi` exercises, with one wrong drop in each; returns the window's menu-bar entries."""
    menu = gioco.dipinta(finestra).centri("menu")
    # The state written at load time predates the window's placement on the
    # screen; resetting the counters writes it again with the real positions.
    gioco.clic(menu["mnuAzzera"])
    riga = gioco.ultimo_stato(lambda r: r.nome == finestra and r.campi.get("esatti") == "0")
    for _ in range(esercizi):
        carte, caselle, conti = stato(riga)
        # One wrong drop: the first card onto a slot that expects something else.
        carta = next(c for c in carte if c["attiva"] and c["testo"])
        sbagliata = next(s for s in caselle if s["atteso"] and s["atteso"] != carta["testo"].upper())
        gioco.trascina(carta["punto"], sbagliata["punto"])
        errati = conti["errati"] + 1
        riga = gioco.ultimo_stato(lambda r: int(r.campi["errati"]) == errati)
        esatti_attesi = conti["esatti"] + 1
        while True:
            carte, caselle, conti = stato(riga)
            if conti["esatti"] == esatti_attesi:
                break
            carta = next(c for c in carte if c["attiva"] and c["testo"])
            casella = next(s for s in caselle if not s["testo"] and s["atteso"] == carta["testo"].upper())
            gioco.trascina(carta["punto"], casella["punto"])
            prima = (conti["esatti"], conti["giuste"])
            riga = gioco.ultimo_stato(
                lambda r, prima=prima: (int(r.campi["esatti"]), int(r.campi["giuste"])) != prima)
    return menu


def misura_avvio(binario, display, esercizio):
    """One run: start screen, menu and one exercise window, in ms."""
    pulsante = {"DISEGNI1": "Command3D1", "DISEGNI2": "Command1"}[esercizio]
    gioco = Gioco(binario, display)
    try:
        avvio = gioco.dipinta("FormAvvio")
        esito = {"avvio": (avvio.t() - gioco.partenza) / 1000,
                 "main": (avvio.t() - int(avvio.campi["inizio"])) / 1000}
        gioco.clic(avvio.centri("pulsanti")["Command1"])
        clic = gioco.aspetta(lambda r: r.tipo == "rilascio", cosa="the click")
        menu = gioco.dipinta("FormMenu")
        esito["menu"] = (menu.t() - clic.t()) / 1000
        gioco.clic(menu.centri("pulsanti")[pulsante])
        clic = gioco.aspetta(lambda r: r.tipo == "rilascio", cosa="the click")
        esito[esercizio] = (gioco.dipinta(esercizio).t() - clic.t()) / 1000
        return esito
    finally:
        gioco.chiudi()


def misura_vuota(binario, display):
    """The empty window: its first frame from the spawn, in ms, and its peak RSS then, in MiB."""
    gioco = Gioco(binario, display)
    try:
        dipinta = gioco.dipinta("Vuota")
        time.sleep(0.2)
        return (dipinta.t() - gioco.partenza) / 1000, gioco.picco_memoria_kib() / 1024
    finally:
        gioco.chiudi()


def misura_memoria(binario, display, esercizi):
    """Peak RSS in MiB after both exercises, `esercizi` played in each."""
    gioco = Gioco(binario, display)
    try:
        gioco.clic(gioco.dipinta("FormAvvio").centri("pulsanti")["Command1"])
        gioco.clic(gioco.dipinta("FormMenu").centri("pulsanti")["Command3D1"])
        menu = gioca(gioco, "DISEGNI1", esercizi)
        # Back to the menu: Esci, then Sì in the question box.
        gioco.clic(menu["mnuEsci"])
        domanda = gioco.aspetta(lambda r: r.tipo == "dipinta" and r.nome == "QMessageBox", cosa="the question box")
        gioco.clic(domanda.centri("pulsanti")["Sì"])
        gioco.clic(gioco.dipinta("FormMenu").centri("pulsanti")["Command1"])
        gioca(gioco, "DISEGNI2", esercizi)
        return gioco.picco_memoria_kib() / 1024
    finally:
        gioco.chiudi()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binario")
    parser.add_argument("--floor", help="an empty window traced the same way, measured alongside")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--memory-runs", type=int, default=3)
    parser.add_argument("--exercises", type=int, default=10)
    parser.add_argument("--json")
    args = parser.parse_args()

    xvfb = Xvfb()
    try:
        # One run first, not counted, so every counted one finds the libraries in the page cache.
        misura_avvio(args.binario, xvfb.display, "DISEGNI1")
        tempi = {"avvio": [], "main": [], "menu": [], "DISEGNI1": [], "DISEGNI2": [],
                 "vuota": [], "memoria_vuota": []}
        for i in range(args.runs):
            for esercizio in ("DISEGNI1", "DISEGNI2"):
                for k, v in misura_avvio(args.binario, xvfb.display, esercizio).items():
                    tempi[k].append(v)
                if args.floor:
                    avvio, memoria = misura_vuota(args.floor, xvfb.display)
                    tempi["vuota"].append(avvio)
                    tempi["memoria_vuota"].append(memoria)
            print(f"start-up run {i + 1}/{args.runs}", file=sys.stderr)
        memoria = []
        for i in range(args.memory_runs):
            memoria.append(misura_memoria(args.binario, xvfb.display, args.exercises))
            print(f"memory run {i + 1}/{args.memory_runs}: {memoria[-1]:.1f} MiB", file=sys.stderr)
    finally:
        xvfb.chiudi()

    tempi["memoria"] = memoria
    esito = {k: {"median": statistics.median(v) if v else None, "runs": len(v), "values": v} for k, v in tempi.items()}
    testo = json.dumps(esito, indent=1)
    if args.json:
        with open(args.json, "w") as f:
            f.write(testo)
    else:
        print(testo)


if __name__ == "__main__":
    main()
