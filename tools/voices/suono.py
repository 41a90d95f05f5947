"""Reading, measuring and shaping 16-bit mono PCM for make_voices.py.

Standard library only.  A sound is a list of ints in [-32768, 32767].
"""

import math
import struct
import wave


def leggi(percorso):
    """(rate, samples) of a 16-bit WAV; a stereo file is mixed to mono."""
    with wave.open(percorso, "rb") as w:
        if w.getsampwidth() != 2:
            raise ValueError("%s: not 16-bit PCM" % percorso)
        canali = w.getnchannels()
        n = w.getnframes()
        grezzi = struct.unpack("<%dh" % (n * canali), w.readframes(n))
        rate = w.getframerate()
    if canali == 1:
        return rate, list(grezzi)
    return rate, [sum(grezzi[i:i + canali]) // canali for i in range(0, len(grezzi), canali)]


def scrivi(percorso, rate, campioni):
    with wave.open(percorso, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % len(campioni), *campioni))


def passa_alto(campioni, rate, taglio):
    """4th-order Butterworth high-pass (two biquads) in floats of full scale 1.

    The same filter as livelloDb() in tests/test_dati.cpp: roughly what a
    laptop or whiteboard speaker gives back when taglio is 1000 Hz.
    """
    x = [c / 32768.0 for c in campioni]
    if taglio <= 0:
        return x
    w = 2 * math.pi * taglio / rate
    alfa = math.sin(w) / (2 * math.sqrt(0.5))
    a0 = 1 + alfa
    b0 = (1 + math.cos(w)) / 2 / a0
    b1 = -(1 + math.cos(w)) / a0
    b2 = b0
    a1 = -2 * math.cos(w) / a0
    a2 = (1 - alfa) / a0
    for _ in range(2):
        x1 = x2 = y1 = y2 = 0.0
        y = [0.0] * len(x)
        for i, v in enumerate(x):
            u = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
            x2, x1, y2, y1 = x1, v, y1, u
            y[i] = u
        x = y
    return x


def suonante(campioni, soglia_dbfs=-60.0):
    """The part between the first and the last sample above the threshold:
    the span loudness is measured over, so that padding does not count."""
    soglia = 32768.0 * 10 ** (soglia_dbfs / 20)
    primo = next((i for i, c in enumerate(campioni) if abs(c) > soglia), None)
    if primo is None:
        return []
    ultimo = max(i for i, c in enumerate(campioni) if abs(c) > soglia)
    return campioni[primo:ultimo + 1]


def livello_db(campioni, rate, taglio):
    """RMS in dB full scale of the sounding part, after the high-pass."""
    x = passa_alto(suonante(campioni), rate, taglio)
    if not x:
        return -200.0
    return 10 * math.log10(sum(v * v for v in x) / len(x) + 1e-20)


def picco_dbfs(campioni):
    p = max((abs(c) for c in campioni), default=0)
    return 20 * math.log10(max(p, 1) / 32768.0)


def energia_finestre(campioni, rate, ms=5):
    """RMS of consecutive windows of `ms` milliseconds, in dB full scale."""
    passo = max(1, rate * ms // 1000)
    fuori = []
    for i in range(0, len(campioni) - passo + 1, passo):
        blocco = campioni[i:i + passo]
        e = sum(c * c for c in blocco) / len(blocco)
        fuori.append(10 * math.log10(e / 32768.0 ** 2 + 1e-20))
    return fuori


def rifila(campioni, rate, da_s, a_s, soglia_db=-40.0, prima_ms=15, dopo_ms=40):
    """Cuts the silence before and after the word.

    A 5 ms window belongs to the word when it lies between da_s and a_s
    (where the synthesiser put the word) and is within soglia_db of the
    loudest one; a little is kept on either side so that a soft first
    consonant and the fading tail are not clipped, then faded to zero so
    that the cut does not click.
    """
    passo = rate * 5 // 1000
    energie = energia_finestre(campioni, rate)
    massimo = max(energie)
    dentro = [i for i, e in enumerate(energie)
              if e > massimo + soglia_db and da_s <= i * 0.005 < a_s]
    inizio = max(0, dentro[0] * passo - rate * prima_ms // 1000)
    fine = min(len(campioni), (dentro[-1] + 1) * passo + rate * dopo_ms // 1000)
    parte = [float(c) for c in campioni[inizio:fine]]
    entrata = rate * 5 // 1000
    uscita = rate * dopo_ms // 1000
    for k in range(min(entrata, len(parte))):
        parte[k] *= 0.5 - 0.5 * math.cos(math.pi * k / entrata)
    for k in range(min(uscita, len(parte))):
        parte[-1 - k] *= 0.5 - 0.5 * math.cos(math.pi * k / uscita)
    return parte


def mensola_alta(x, rate, frequenza, guadagno_db):
    """High shelf (RBJ cookbook, slope 1): lifts what lies above `frequenza`.

    Small speakers give back little below 1 kHz, where most of a voice's
    energy is; the lift keeps consonants and vowel formants audible on them.
    """
    a = 10 ** (guadagno_db / 40)
    w = 2 * math.pi * frequenza / rate
    c, alfa = math.cos(w), math.sin(w) / 2 * math.sqrt(2)
    r = 2 * math.sqrt(a) * alfa
    b0, b1, b2 = a * ((a + 1) + (a - 1) * c + r), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - r)
    a0, a1, a2 = (a + 1) - (a - 1) * c + r, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - r
    y = [0.0] * len(x)
    x1 = x2 = y1 = y2 = 0.0
    for i, v in enumerate(x):
        u = (b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0
        x2, x1, y2, y1 = x1, v, y1, u
        y[i] = u
    return y


def limita(x, rate, riduzione_db, anticipo_ms=2, rilascio_ms=50):
    """Peak limiter: the loudest peaks come down by up to riduzione_db.

    The gain falls ahead of each peak (look-ahead) and recovers slowly, so
    the waveform is never clipped, only ridden; the quiet parts of the word
    come up relative to its loudest vowel.
    """
    picco = max(abs(v) for v in x)
    soglia = picco * 10 ** (-riduzione_db / 20)
    serve = [min(1.0, soglia / abs(v)) if v else 1.0 for v in x]
    anticipo = max(1, rate * anticipo_ms // 1000)
    k = math.exp(-1000.0 / (rilascio_ms * rate))
    y, g = [0.0] * len(x), 1.0
    for i in range(len(x)):
        voluto = min(serve[i:i + anticipo])
        g = voluto if voluto < g else voluto + (g - voluto) * k
        y[i] = x[i] * g
    return y


def scala(parte, guadagno):
    return [max(-32768, min(32767, int(round(v * guadagno)))) for v in parte]


def chiusura_ms(campioni, rate, da_s, a_s, soglia_db=-30.0):
    """Longest run of near-silence between two times: the closure of a stop.

    Measured on the waveform, in 5 ms windows quieter than soglia_db under
    the loudest window of the whole sound.
    """
    energie = energia_finestre(campioni, rate)
    massimo = max(energie)
    da, a = int(da_s * 200), min(len(energie), int(math.ceil(a_s * 200)))
    migliore = corrente = 0
    for e in energie[da:a]:
        corrente = corrente + 1 if e < massimo + soglia_db else 0
        migliore = max(migliore, corrente)
    return migliore * 5


def fine_voce_s(campioni, rate, soglia_db=-30.0):
    """Where the sound last stands within soglia_db of its loudest window."""
    energie = energia_finestre(campioni, rate)
    massimo = max(energie)
    ultima = max(i for i, e in enumerate(energie) if e > massimo + soglia_db)
    return (ultima + 1) * 0.005
