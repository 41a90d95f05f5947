#!/usr/bin/env python3
"""Speak every word of Quirlo's lists into data/voci/<word>.wav.

One Festival session (Debian's festival, festlex-ifd, festvox-italp16k)
synthesises all the words; each is then trimmed, brought to the loudness of
the right-answer chimes on small speakers, its peak kept at or under -3 dBFS,
and written as 16 kHz mono 16-bit PCM named exactly as the word's drawing.
The same run measures what can go wrong in a synthetic voice (the stressed
final vowel of pedalò, the long closure of a double consonant) against the
same word spoken without the accent or the double, and writes the figures to
tools/voices/misure.tsv.  Nothing is random: a rerun writes the same bytes.

Usage:  python3 tools/voices/make_voices.py [--voce lp|pc] [--out DIR]
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import unicodedata

import suono

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))
LISTE = [("lista2.txt", 2), ("lista4.txt", 2), ("lista3.txt", 3), ("lista5.txt", 3)]
RATE = 16000
PICCO_DBFS = -3.0
# A voice is said once per tap; longer than this it is not a word.
MASSIMO_S = 2.0
# Digital silence after the word, as after the chimes: players that stop the
# stream once the last bytes are handed over still let the whole word out.
SILENZIO_S = 0.3

# Words Festival says wrong, as festlex-ifd entries (syllables of phones, 1
# on the stressed one).  Found by reading the phones and stress of every word
# in misure.tsv against a dictionary; a rerun after the lists change needs the
# same reading of the new words.
CORREZIONI = {
    # The lexicon's first reading is another word (the adverb ancóra, the
    # laminate fòrmica); the drawing is the anchor, the ant.
    "ancora": "(((a1 ng) 1) ((k o) 0) ((r a) 0))",
    "formica": "(((f o r) 0) ((m i1) 1) ((k a) 0))",
    # Not in the lexicon, and the rules stress the wrong vowel (aùto, sveglìa).
    "auto": "(((a1) 1) ((u) 0) ((t o) 0))",
    "sveglia": "(((z v e1 L) 1) ((L a) 0))",
    # The rocket has a voiced z, as zaino and zebra; the rules give ts.
    "razzo": "(((r a1 dz) 1) ((dz o) 0))",
}

# Voiceless stops and affricates: a double one is heard as a longer silence
# (a voiced one hums through it, and is measured by its duration).  Between
# vowels ts and dz are long whether written single or double (pizza, piza),
# so they have no single form to be compared with.
OCCLUSIVE = {"p", "t", "k", "tS"}
SEMPRE_LUNGHE = {"ts", "dz", "S", "J", "L"}
# Shaping for small speakers: a lift above 1.5 kHz, then the loudest peaks
# ridden down; more of either made the voice harsh for little gain.
MENSOLA_HZ, MENSOLA_DB, LIMITE_DB = 1500, 6.0, 6.0
ACCENTATE = "àèéìíòóùú"


def leggi_lista(percorso, sillabe):
    with open(percorso, encoding="utf-8-sig") as f:
        righe = f.read().splitlines()
    parole = []
    for n, riga in enumerate(righe, 1):
        parti = riga.split(",")
        if len(parti) != sillabe or "" in parti:
            raise SystemExit("%s:%d: «%s» non ha %d sillabe" % (percorso, n, riga, sillabe))
        parole.append(unicodedata.normalize("NFC", "".join(parti)))
    return parole


def senza_doppie(parola):
    """The word with every double consonant made single (gatto -> gato)."""
    return re.sub(r"([bcdfglmnpqrstvz])\1", r"\1", parola)


def senza_accento(parola):
    return "".join(unicodedata.normalize("NFD", c)[0] for c in parola)


def scheme(testi, cartella, voce):
    """The Festival session: each text to cartella/NNN.wav, then one line of
    its segments (phone, end time, stressed) on standard output."""
    righe = ["(voice_%s_diphone)" % voce]
    for parola, voci in CORREZIONI.items():
        righe.append('(lex.add.entry \'("%s" nil %s))' % (parola, voci))
    righe.append("""(define (dici n testo file)
  (let ((utt (SynthText testo)))
    (utt.save.wave utt file 'riff)
    (format t "SEG %d" n)
    (mapcar (lambda (s) (format t " %s:%f:%s" (item.name s) (item.feat s "end")
                                (item.feat s "R:SylStructure.parent.stress")))
            (utt.relation.items utt 'Segment))
    (format t "\\n")))""")
    for n, testo in enumerate(testi):
        righe.append('(dici %d "%s" "%s/%03d.wav")' % (n, testo, cartella, n))
    return "\n".join(righe) + "\n"


def sintetizza(testi, cartella, voce):
    """Runs Festival once; returns the segments of each text, in order."""
    for t in testi:
        if not re.fullmatch(r"[a-z" + ACCENTATE + "]+", t):
            raise SystemExit("«%s»: Festival legge solo lettere minuscole" % t)
    programma = scheme(testi, cartella, voce).encode("latin-1")
    esito = subprocess.run(["festival", "--pipe"], input=programma, capture_output=True, check=True)
    segmenti = {}
    for riga in esito.stdout.decode("latin-1").splitlines():
        if riga.startswith("SEG "):
            campi = riga.split()
            segmenti[int(campi[1])] = [(f.split(":")[0], float(f.split(":")[1]), f.split(":")[2] == "1")
                                       for f in campi[2:]]
    if len(segmenti) != len(testi):
        raise SystemExit("Festival ha detto %d parole su %d:\n%s"
                         % (len(segmenti), len(testi), esito.stderr.decode("latin-1")))
    return [segmenti[n] for n in range(len(testi))]


def vocali(segmenti):
    """(index, phone) of the vowels, the pause phones left out."""
    return [(i, s[0]) for i, s in enumerate(segmenti) if s[0][0] in "aeiouEO"]


def durata_vocale_finale(segmenti, campioni):
    """From Festival's start of the last vowel to where the waveform fades."""
    i, _ = vocali(segmenti)[-1]
    return suono.fine_voce_s(campioni, RATE) - segmenti[i - 1][1]


def corse(segmenti):
    """(phone, start, end, how many) of each run of one phone, pauses left out."""
    fuori = []
    for (nome, fine, _), (_, inizio, _) in zip(segmenti[1:-1], segmenti[:-2]):
        if fuori and fuori[-1][0] == nome:
            fuori[-1] = (nome, fuori[-1][1], fine, fuori[-1][3] + 1)
        else:
            fuori.append((nome, inizio, fine, 1))
    return fuori


def doppia(seg, seg_rif, campioni, campioni_rif):
    """The word's first double consonant against the same one single in the
    reference: a stop by its closure measured on each waveform, any other by
    the duration Festival gave it.  None when there is nothing to compare."""
    mie, sue = corse(seg), corse(seg_rif)
    if len(mie) != len(sue):
        return None
    for (nome, a, b, n), (_, a2, b2, _) in zip(mie, sue):
        if n == 2 and nome not in SEMPRE_LUNGHE:
            if nome in OCCLUSIVE:
                return ("chiusura", suono.chiusura_ms(campioni, RATE, a - 0.02, b),
                        suono.chiusura_ms(campioni_rif, RATE, a2 - 0.02, b2))
            return ("durata", round((b - a) * 1000), round((b2 - a2) * 1000))
    return None


def bersaglio():
    """Mean small-speaker level of the four right-answer chimes, in dB."""
    livelli = []
    for n in range(1, 5):
        rate, campioni = suono.leggi(os.path.join(RADICE, "data", "suoni", "si%d.wav" % n))
        livelli.append(suono.livello_db(campioni, rate, 1000))
    return sum(livelli) / len(livelli)


def forma(campioni, segmenti, obiettivo):
    """Trimmed and scaled: at the chimes' level unless that would take the
    peak over -3 dBFS, in which case the peak decides."""
    # A breath or a click in the pauses around the word is not the word.
    parte = suono.rifila(campioni, RATE, segmenti[0][1] - 0.03, segmenti[-2][1] + 0.1)
    parte = suono.limita(suono.mensola_alta(parte, RATE, MENSOLA_HZ, MENSOLA_DB), RATE, LIMITE_DB)
    picco = max(abs(v) for v in parte)
    guadagno = 32767 * 10 ** (PICCO_DBFS / 20) / picco
    livello = suono.livello_db(suono.scala(parte, guadagno), RATE, 1000)
    if livello > obiettivo:
        guadagno *= 10 ** ((obiettivo - livello) / 20)
    return suono.scala(parte, guadagno)


def parole_delle_liste():
    parole = []
    for nome, sillabe in LISTE:
        for p in leggi_lista(os.path.join(RADICE, "data", nome), sillabe):
            if p not in parole:
                parole.append(p)
    return parole


def main():
    opzioni = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    opzioni.add_argument("--voce", choices=["lp", "pc"], default="lp")
    opzioni.add_argument("--out", default=os.path.join(RADICE, "data", "voci"))
    opzioni.add_argument("--misure", default=os.path.join(QUI, "misure.tsv"))
    arg = opzioni.parse_args()

    parole = parole_delle_liste()
    # Festival spells out capitals: every text goes in lower case.
    testi = [p.lower() for p in parole]
    riferimenti = {}
    for t in list(testi):
        for rif in (senza_accento(t), senza_doppie(t)):
            if rif != t:
                riferimenti.setdefault(rif, len(testi) + len(riferimenti))
    testi += list(riferimenti)
    obiettivo = bersaglio()

    os.makedirs(arg.out, exist_ok=True)
    righe, avvisi, totale = [], [], 0
    with tempfile.TemporaryDirectory() as tmp:
        segmenti = sintetizza(testi, tmp, arg.voce)
        grezzo = lambda n: suono.leggi(os.path.join(tmp, "%03d.wav" % n))[1]
        for n, parola in enumerate(parole):
            campioni = grezzo(n)
            voce = forma(campioni, segmenti[n], obiettivo)
            if len(voce) > MASSIMO_S * RATE:
                avvisi.append("%s: %.2f s" % (parola, len(voce) / RATE))
            percorso = os.path.join(arg.out, parola + ".wav")
            suono.scrivi(percorso, RATE, voce + [0] * int(SILENZIO_S * RATE))
            totale += os.path.getsize(percorso)
            seg = segmenti[n]
            fonemi = " ".join(("'" if s[2] and s[0][0] in "aeiouEO" else "") + s[0] for s in seg[1:-1])
            finale = lunga = ""
            if testi[n][-1] in ACCENTATE:
                r = riferimenti[senza_accento(testi[n])]
                mia, sua = durata_vocale_finale(seg, campioni), durata_vocale_finale(segmenti[r], grezzo(r))
                finale = "%.0f/%.0f" % (mia * 1000, sua * 1000)
                if not (vocali(seg)[-1][1].endswith("1") and mia > 1.2 * sua):
                    avvisi.append("%s: vocale finale %s ms (senza accento)" % (parola, finale))
            if senza_doppie(testi[n]) in riferimenti:
                r = riferimenti[senza_doppie(testi[n])]
                misura = doppia(seg, segmenti[r], campioni, grezzo(r))
                if misura:
                    lunga = "%s %d/%d" % misura
                    if misura[1] < 1.2 * misura[2]:
                        avvisi.append("%s: doppia, %s ms (scempia)" % (parola, lunga))
            righe.append("\t".join([parola, "%.3f" % (len(voce) / RATE), "%.1f" % suono.picco_dbfs(voce),
                                    "%.1f" % suono.livello_db(voce, RATE, 1000), finale, lunga, fonemi]))

    validi = {p + ".wav" for p in parole}
    for nome in os.listdir(arg.out):
        if nome.endswith(".wav") and unicodedata.normalize("NFC", nome) not in validi:
            os.remove(os.path.join(arg.out, nome))
    with open(arg.misure, "w", encoding="utf-8") as f:
        f.write("# parola\tsecondi\tpicco_dBFS\tlivello_1kHz_dB\tfinale_ms/senza_accento"
                "\tdoppia_ms/scempia\tfonemi ('=accento)\n")
        f.write("# bersaglio (rintocchi sopra 1 kHz): %.1f dB; voce %s\n" % (obiettivo, arg.voce))
        f.write("\n".join(righe) + "\n")
    print("%d voci, %.1f MB, in %s" % (len(parole), totale / 1e6, arg.out))
    for a in avvisi:
        print("CONTROLLARE " + a)
    return 1 if avvisi else 0


if __name__ == "__main__":
    sys.exit(main())
