#!/usr/bin/env python3
"""Synthesise Quirlo's five feedback sounds into data/suoni/.

    si1.wav .. si4.wav  four short, bright chimes for a right answer
    no.wav              a warm "uh-oh" for a wrong answer, lower than the
                        chimes but as easy to hear on small speakers

Each file is 16-bit PCM, mono, 44100 Hz: under 0.7 s of sound, then exactly
0.3 s of digital silence, so that players which stop the stream as soon as
the last bytes are handed over still let the whole sound be heard.  The peak
is -3 dBFS.  Nothing is random, so every run writes the same bytes.

Standard library only.  Usage:

    python3 tools/sounds/make_sounds.py [output-folder]

The output folder defaults to data/suoni/ of this repository.
"""

import math
import os
import struct
import sys
import wave

RATE = 44100
PEAK_DBFS = -3.0
SILENCE_S = 0.3
MAX_SOUND_S = 0.7
FADE_OUT_S = 0.12


def note_freq(name):
    """Frequency of a note name such as 'C6' or 'F#5' (equal temperament, A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    letter, rest = name[0], name[1:]
    semis = steps[letter]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2.0 ** ((semis + 12 * (octave - 4)) / 12.0)


def envelope(t, attack, decay):
    """Short raised-cosine attack (no click), then exponential decay."""
    if t < 0.0:
        return 0.0
    if t < attack:
        return 0.5 - 0.5 * math.cos(math.pi * t / attack)
    return math.exp(-(t - attack) / decay)


# A soft bell: the fundamental, a gentle octave and twelfth, and a faint
# slightly stretched upper partial that gives the shimmer.  Higher partials
# die away faster, as on a real bell or glockenspiel.
#            (frequency ratio, amplitude, decay time in s)
BELL = [
    (1.0, 1.00, 0.24),
    (2.0, 0.32, 0.14),
    (3.0, 0.10, 0.09),
    (4.07, 0.05, 0.05),
]

# The wrong-answer voice.  Laptop and whiteboard speakers give back little
# below about 800 Hz, so a voice made mostly of its fundamental at 300-400 Hz
# all but vanishes on them.  This one is a warm, reedy "uh-oh" in the middle
# of the treble: its fundamental still sits below the chimes (so it never
# sounds like one), but most of its energy is in the 2nd-5th partials, at
# 1-3 kHz, where the small speakers and a child's ear are sensitive.  Each
# partial starts at a fixed phase (Schroeder's rule, pi k^2 / n) so that the
# partials do not all peak together: more loudness for the same peak level.
#            (frequency ratio, amplitude, phase)
SOFT_PARTIALS = [(1.0, 0.55), (2.0, 1.00), (3.0, 0.70), (4.0, 0.45), (5.0, 0.28), (6.0, 0.14)]
SOFT = [(ratio, amp, math.pi * (k + 1) ** 2 / len(SOFT_PARTIALS))
        for k, (ratio, amp) in enumerate(SOFT_PARTIALS)]
# How fast a hum fades after its swell, in s: slow, so it holds like a voice.
HUM_DECAY_S = 0.9


def add_bell(buf, start_s, freq, loudness=1.0, ring=1.0):
    """Mix one bell note into buf (a list of floats) starting at start_s."""
    first = int(round(start_s * RATE))
    for ratio, amp, decay in BELL:
        f = freq * ratio
        if f > RATE / 2 * 0.9:
            continue
        d = decay * ring
        for i in range(first, len(buf)):
            t = (i - first) / RATE
            e = envelope(t, 0.004, d)
            if t > 0.004 and e < 1e-4:
                break
            buf[i] += loudness * amp * e * math.sin(2.0 * math.pi * f * t)


def add_hum(buf, start_s, length_s, f_start, f_end, loudness=1.0):
    """Mix one soft, sustained note into buf: a gentle swell and fade, with
    the pitch gliding from f_start to f_end (a sung "uh" or "oh")."""
    first = int(round(start_s * RATE))
    n = int(round(length_s * RATE))
    attack = 0.025
    release = 0.12
    phase = [p for (_, _, p) in SOFT]
    for k in range(n):
        i = first + k
        if i >= len(buf):
            break
        t = k / RATE
        # glide: hold the pitch for the first half, then slide smoothly
        g = max(0.0, (t / length_s - 0.45) / 0.55)
        g = g * g * (3 - 2 * g)
        f = f_start + (f_end - f_start) * g
        if t < attack:
            e = 0.5 - 0.5 * math.cos(math.pi * t / attack)
        else:
            e = math.exp(-(t - attack) / HUM_DECAY_S)
        left = length_s - t
        if left < release:
            e *= 0.5 - 0.5 * math.cos(math.pi * left / release)
        s = 0.0
        for j, (ratio, amp, _) in enumerate(SOFT):
            phase[j] += 2.0 * math.pi * f * ratio / RATE
            s += amp * math.sin(phase[j])
        buf[i] += loudness * e * s


def finish(buf):
    """Fade out the tail, scale to the peak level, quantise to 16 bits, drop
    trailing zero samples and append exactly SILENCE_S of silence."""
    n = len(buf)
    fade = int(FADE_OUT_S * RATE)
    for k in range(fade):
        i = n - fade + k
        buf[i] *= 0.5 + 0.5 * math.cos(math.pi * (k + 1) / fade)
    peak = max(abs(x) for x in buf)
    target = 32767.0 * 10.0 ** (PEAK_DBFS / 20.0)
    scale = target / peak
    samples = [int(round(x * scale)) for x in buf]
    while samples and samples[-1] == 0:
        samples.pop()
    if len(samples) >= MAX_SOUND_S * RATE:
        raise ValueError("sound is %.3f s long" % (len(samples) / RATE))
    samples.extend([0] * int(round(SILENCE_S * RATE)))
    return samples


def chime(notes, length_s):
    """A rising chime: notes is a list of (start time in s, note name,
    loudness); the last note rings a little longer."""
    buf = [0.0] * int(round(length_s * RATE))
    for k, (start, name, loud) in enumerate(notes):
        ring = 1.25 if k == len(notes) - 1 else 1.0
        add_bell(buf, start, note_freq(name), loud, ring)
    return finish(buf)


def uh_oh():
    """Two warm notes going down a minor third, the second sighing a tone
    lower still: "uh-oh"."""
    length = 0.64
    buf = [0.0] * int(round(length * RATE))
    add_hum(buf, 0.0, 0.22, note_freq("A4"), note_freq("A4"), 1.0)
    add_hum(buf, 0.25, 0.39, note_freq("F#4"), note_freq("E4"), 0.95)
    return finish(buf)


SOUNDS = {
    # C major arpeggio going up: C6 E6 G6
    "si1.wav": lambda: chime([(0.00, "C6", 0.9), (0.09, "E6", 0.9), (0.18, "G6", 1.0)], 0.62),
    # a bright two-note "ding-ding" up a fourth: G5 C6 (doubled an octave up)
    "si2.wav": lambda: chime([(0.00, "G5", 0.9), (0.00, "G6", 0.35),
                              (0.13, "C6", 1.0), (0.13, "C7", 0.35)], 0.62),
    # four quick notes up: E5 G5 C6 E6
    "si3.wav": lambda: chime([(0.00, "E5", 0.8), (0.07, "G5", 0.85),
                              (0.14, "C6", 0.9), (0.21, "E6", 1.0)], 0.66),
    # a sparkling F major arpeggio with a high top: F5 A5 C6 F6
    "si4.wav": lambda: chime([(0.00, "F5", 0.8), (0.06, "A5", 0.85),
                              (0.12, "C6", 0.9), (0.20, "F6", 1.0)], 0.64),
    "no.wav": uh_oh,
}


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "suoni")
    out = os.path.normpath(out)
    os.makedirs(out, exist_ok=True)
    for name, make in SOUNDS.items():
        samples = make()
        path = os.path.join(out, name)
        write_wav(path, samples)
        silence = int(round(SILENCE_S * RATE))
        peak = max(abs(s) for s in samples)
        print("%-8s %.3f s sound + %.3f s silence, peak %.2f dBFS"
              % (name, (len(samples) - silence) / RATE, silence / RATE,
                 20.0 * math.log10(peak / 32768.0)))


if __name__ == "__main__":
    main()
