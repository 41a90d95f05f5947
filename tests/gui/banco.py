"""The test bench: an Xvfb display of its own, the game started on it from a
temporary folder, its trace read back line by line, and the real mouse and
keyboard driven through xdotool."""

import argparse
import ctypes
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import threading
import time

import dati
import schermate

ATTESA = 10.0  # seconds any single expected event may take


class Fallito(AssertionError):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def attendi_condizione(prova, tempo, passo=0.05):
    """Polls `prova` with short sleeps; True once it holds, False when time is up."""
    scadenza = time.monotonic() + tempo
    while True:
        if prova():
            return True
        if time.monotonic() >= scadenza:
            return False
        time.sleep(passo)


def ripeti(prova, tempo=8.0, passo=0.1):
    """Runs `prova` until it passes; its last failure once `tempo` has gone by."""
    scadenza = time.monotonic() + tempo
    while True:
        try:
            return prova()
        except Fallito:
            if time.monotonic() >= scadenza:
                raise
        time.sleep(passo)


def _muori_col_padre():
    """Run in a child before exec: it gets SIGTERM if the test dies, so no Xvfb or
    game outlives a test killed on its timeout."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class Schermo:
    """An Xvfb server on the first free display number, with no window manager."""

    def __init__(self, dimensioni="1024x768"):
        lettura, scrittura = os.pipe()
        self.processo = subprocess.Popen(
            ["Xvfb", "-displayfd", str(scrittura), "-screen", "0", dimensioni + "x24", "-nolisten", "tcp"],
            pass_fds=[scrittura], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_muori_col_padre)
        os.close(scrittura)
        numero = b""
        scadenza = time.monotonic() + ATTESA
        while not numero.endswith(b"\n"):
            pronti, _, _ = select.select([lettura], [], [], max(0.0, scadenza - time.monotonic()))
            pezzo = os.read(lettura, 16) if pronti else b""
            if not pezzo:
                self.chiudi()
                raise Fallito("Xvfb did not start")
            numero += pezzo
        os.close(lettura)
        self.display = ":" + numero.decode().strip()

    def chiudi(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(5)
            except subprocess.TimeoutExpired:
                self.processo.kill()
                self.processo.wait()


class Finestra:
    """A top-level X window of the game: its id and where it lies on the screen."""

    def __init__(self, nome, wid, x, y, larghezza, altezza):
        self.nome, self.id = nome, wid
        self.x, self.y, self.larghezza, self.altezza = x, y, larghezza, altezza


class Stato:
    """One "stato" trace line: counters, faces, cards and slots of an exercise."""

    def __init__(self, riga):
        campi = dict(re.findall(r"(\w+)=(\S*)", riga))
        self.riga = riga
        self.finestra = riga.split()[1]
        for nome in ["esatti", "errati", "giuste", "si", "no"]:
            setattr(self, nome, int(campi[nome]))
        self.carte = {}
        for voce in campi["carte"].split(";"):
            nome, testo, abilitata, x, y = voce.split("|")
            self.carte[nome] = (testo, abilitata == "1", int(x), int(y))
        self.caselle = {}
        for voce in campi["caselle"].split(";"):
            nome, testo, atteso, x, y = voce.split("|")
            self.caselle[nome] = (testo, atteso, int(x), int(y))


class Gioco:
    """The game started from a copy in a temporary folder, with the trace on."""

    def __init__(self, programma, artefatti, nome_prova, schermo="1024x768", argomenti=(), ambiente=None):
        self.artefatti = artefatti
        self.nome_prova = nome_prova
        self.cartella = tempfile.mkdtemp(prefix="quirlo-gui-")
        self.origine = os.path.dirname(os.path.abspath(programma))  # the build's folder of programs
        dati.prepara_cartella(self.cartella, programma)
        self.schermo = Schermo(schermo)
        self.ambiente = {k: v for k, v in os.environ.items()
                         if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")}
        runtime = os.path.join(self.cartella, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.ambiente.update({
            "DISPLAY": self.schermo.display, "QT_QPA_PLATFORM": "xcb", "QUIRLO_TRACCIA": "1",
            "XDG_RUNTIME_DIR": runtime,
            # The game reads the copy under test alone, never the lists of whoever runs the tests.
            "XDG_DATA_HOME": os.path.join(self.cartella, "dati-utente"),
            # No sound server can be reached: the game must play on, silent.
            "PULSE_SERVER": "unix:" + os.path.join(self.cartella, "nessun-server-audio"),
        })
        self.ambiente.update(ambiente or {})
        self._avvia([os.path.join(self.cartella, "quirlo"), *argomenti])

    def _avvia(self, comando):
        """Starts `comando` in the game's folder, its trace read as it comes."""
        self.righe = []
        self.tutto = []
        self.condizione = threading.Condition()
        try:
            self.processo = subprocess.Popen(comando, cwd=self.cartella, env=self.ambiente, stdin=subprocess.DEVNULL,
                                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                             preexec_fn=_muori_col_padre)
        except OSError:
            self.schermo.chiudi()
            raise
        self.lettore = threading.Thread(target=self._leggi, daemon=True)
        self.lettore.start()

    def _leggi(self):
        # Windows' C runtime ends each line of the trace with CR LF.
        for grezza in self.processo.stderr:
            riga = grezza.decode("utf-8", "replace").rstrip("\r\n")
            with self.condizione:
                self.tutto.append(riga)
                if riga.startswith("QUIRLO "):
                    self.righe.append(riga[len("QUIRLO "):])
                self.condizione.notify_all()
        with self.condizione:
            self.condizione.notify_all()

    def _ferma(self):
        """Asks the running game to end; how long to wait for it."""
        self.processo.send_signal(signal.SIGTERM)
        return 5

    def chiudi(self):
        if self.processo.poll() is None:
            attesa = self._ferma()
            try:
                self.processo.wait(attesa)
            except subprocess.TimeoutExpired:
                self.processo.kill()
                self.processo.wait()
        self.lettore.join(5)
        self.schermo.chiudi()
        with open(os.path.join(self.artefatti, self.nome_prova + ".log"), "w") as f:
            f.write("\n".join(self.tutto) + "\n")
        subprocess.run(["rm", "-rf", self.cartella])

    # --- the trace ---

    def segno(self):
        """Where the trace stands now: wait for lines after this point."""
        with self.condizione:
            return len(self.righe)

    def attendi(self, schema, dopo=0, tempo=ATTESA):
        """The first trace line from `dopo` on that matches `schema`: (index, line)."""
        regola = re.compile(schema)
        scadenza = time.monotonic() + tempo
        with self.condizione:
            while True:
                for i in range(dopo, len(self.righe)):
                    if regola.match(self.righe[i]):
                        return i, self.righe[i]
                rimasto = scadenza - time.monotonic()
                if rimasto <= 0 or (self.processo.poll() is not None and not self.lettore.is_alive()):
                    raise Fallito(f"no trace line /{schema}/ after line {dopo}; last lines:\n  "
                                  + "\n  ".join(self.righe[-8:]))
                self.condizione.wait(min(rimasto, 0.5))

    def righe_da(self, dopo, fino=None):
        with self.condizione:
            return list(self.righe[dopo:fino])

    def attendi_stato(self, nome, dopo, tempo=ATTESA):
        i, riga = self.attendi(r"stato " + nome + " ", dopo, tempo)
        return i, Stato(riga)

    def attendi_uscita(self, tempo=ATTESA):
        try:
            return self.processo.wait(tempo)
        except subprocess.TimeoutExpired:
            raise Fallito("the game did not end")

    # --- windows ---

    def attendi_finestra(self, nome, dopo):
        """Waits until window `nome` has been opened and painted; its place on the screen."""
        _, aperta = self.attendi(r"aperta " + nome + r" id=", dopo)
        wid = aperta.split("id=")[1].split()[0]
        self.attendi(r"dipinta " + nome + " ", dopo)
        return self.geometria(nome, wid)

    def geometria(self, nome, wid):
        testo = self.x11("xwininfo", "-id", wid)
        valori = {chiave: int(v) for chiave, v in re.findall(r"(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)",
                                                             testo)}
        verifica("IsViewable" in testo, f"{nome} is not viewable")
        return Finestra(nome, wid, valori["Absolute upper-left X"], valori["Absolute upper-left Y"],
                        valori["Width"], valori["Height"])

    def finestre_mostrate(self):
        """Ids of the top-level windows on screen; while a card is dragged its outline is one."""
        esito = subprocess.run(["xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--name", ""],
                               env=self.ambiente, capture_output=True, text=True, timeout=ATTESA)
        return set(esito.stdout.split())

    def finestre_visibili(self):
        """(width, height) of every mapped top-level window."""
        albero = self.x11("xwininfo", "-root", "-children")
        trovate = []
        for wid in re.findall(r"^\s+(0x[0-9a-f]+)", albero, re.M):
            # A window may go between the two calls (a drag's outline does).
            info = subprocess.run(["xwininfo", "-id", wid], env=self.ambiente, capture_output=True, text=True,
                                  timeout=ATTESA).stdout
            if "IsViewable" in info:
                trovate.append(tuple(int(v) for v in re.findall(r"(?:Width|Height):\s+(\d+)", info)))
        return trovate

    # --- X input ---

    def x11(self, *comando):
        esito = subprocess.run(comando, env=self.ambiente, capture_output=True, text=True, timeout=ATTESA)
        verifica(esito.returncode == 0, f"{comando} failed: {esito.stderr.strip()}")
        return esito.stdout

    def clic(self, x, y):
        self.x11("xdotool", "mousemove", str(x), str(y), "click", "1")

    def premi_e_sposta(self, da, a, passi=4):
        """Presses on `da` and moves towards `a` in a few steps, button held."""
        comando = ["xdotool", "mousemove", str(da[0]), str(da[1]), "mousedown", "1"]
        for i in range(1, passi + 1):
            comando += ["mousemove", str(da[0] + (a[0] - da[0]) * i // passi),
                        str(da[1] + (a[1] - da[1]) * i // passi)]
        self.x11(*comando)

    def rilascia(self):
        self.x11("xdotool", "mouseup", "1")

    def trascina(self, da, a):
        """A whole drag, step by step: press on `da` and move until the dragged outline
        shows, go on to `a` and release, then wait until the outline has gone. Until
        then the drag holds the pointer, and a press sent sooner would be lost."""
        prima = self.finestre_mostrate()
        meta = ((da[0] + a[0]) // 2, (da[1] + a[1]) // 2)
        self.premi_e_sposta(da, meta, passi=2)
        verifica(attendi_condizione(lambda: self.finestre_mostrate() - prima, ATTESA),
                 f"pressing the card at {da} starts no drag")
        comando = ["xdotool"]
        for i in range(1, 3):
            comando += ["mousemove", str(meta[0] + (a[0] - meta[0]) * i // 2), str(meta[1] + (a[1] - meta[1]) * i // 2)]
        self.x11(*comando, "mouseup", "1")
        verifica(attendi_condizione(lambda: not self.finestre_mostrate() - prima, ATTESA),
                 "the drag does not end")

    def rispondi(self, dopo, pulsante):
        """Waits for a message box, clicks `pulsante` in it; (flags, text) it showed."""
        _, riga = self.attendi(r"messaggio flags=\d+ testo=", dopo)
        flags = int(re.match(r"messaggio flags=(\d+)", riga).group(1))
        testo = re.sub(r"\\(x[0-9a-f]{2}|.)",
                       lambda m: chr(int(m.group(1)[1:], 16)) if len(m.group(1)) == 3
                       else {"n": "\n", "r": "\r"}.get(m.group(1), m.group(1)),
                       riga.split("testo=", 1)[1])
        _, dipinta = self.attendi(r"dipinta QMessageBox ", dopo)
        pulsanti = {}
        for voce in re.search(r"pulsanti=(\S*)", dipinta).group(1).split(";"):
            nome, x, y = voce.split("|")
            pulsanti[nome.replace("&", "")] = (int(x), int(y))
        verifica(pulsante in pulsanti, f"no button {pulsante} in the message box: {sorted(pulsanti)}")
        segno = self.segno()
        self.clic(*pulsanti[pulsante])
        self.attendi(r"risposta ", segno)
        return flags, testo

    def chiudi_dal_bordo(self, finestra):
        """What a window manager's close button does: WM_DELETE_WINDOW sent to the window."""
        chiudi_con_wm_delete(self.schermo.display, int(finestra.id, 16))

    def cattura(self, finestra, nome):
        """A screenshot of the window, also saved as a PNG among the test's artefacts."""
        ppm = subprocess.run(["import", "-window", finestra.id, "-depth", "8", "ppm:-"], env=self.ambiente,
                             capture_output=True, timeout=ATTESA, check=True).stdout
        immagine = schermate.Immagine.da_ppm(ppm)
        immagine.salva_png(os.path.join(self.artefatti, f"{self.nome_prova}-{nome}.png"))
        return immagine


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def chiudi_con_wm_delete(display, wid):
    """Sends the WM_DELETE_WINDOW client message a window manager sends when the
    frame's close button is clicked, so Qt takes its own close path."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_XEvent)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    d = x.XOpenDisplay(display.encode())
    verifica(d, f"cannot open display {display}")
    try:
        evento = _XEvent()
        evento.xclient.type = 33  # ClientMessage
        evento.xclient.window = wid
        evento.xclient.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
        evento.xclient.format = 32
        evento.xclient.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
        verifica(x.XSendEvent(d, wid, 0, 0, ctypes.byref(evento)) != 0, "XSendEvent failed")
        x.XFlush(d)
    finally:
        x.XCloseDisplay(d)


def esegui(percorsi, opzioni=None):
    """Runs the journey named on the command line; the exit status is the verdict.
    `opzioni` gives, by journey, what the game starts with (screen, arguments, environment)."""
    argomenti = argparse.ArgumentParser()
    argomenti.add_argument("--programma", required=True)
    argomenti.add_argument("--artefatti", required=True)
    argomenti.add_argument("percorso", choices=sorted(percorsi))
    a = argomenti.parse_args()
    os.makedirs(a.artefatti, exist_ok=True)
    inizio = time.monotonic()
    g = Gioco(a.programma, a.artefatti, a.percorso, **(opzioni or {}).get(a.percorso, {}))
    try:
        percorsi[a.percorso](g)
    except Fallito as errore:
        print(f"FAIL {a.percorso}: {errore}", file=sys.stderr)
        return 1
    finally:
        g.chiudi()
    print(f"PASS {a.percorso} in {time.monotonic() - inizio:.1f} s")
    return 0
