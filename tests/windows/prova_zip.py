#!/usr/bin/env python3
"""The portable zip holds the portable folder file for file, byte for byte, and
every name outside ASCII is marked UTF-8: without the mark Windows' own
unpacker reads names in the OEM code page and "pedalò.jpg" comes out as
another file, which the game then reports missing."""
import os
import sys
import zipfile

UTF8 = 0x800


def main(archivio, cartella):
    errori = []
    radice = os.path.dirname(os.path.abspath(cartella))
    attesi = {}
    for dove, _, file in os.walk(cartella):
        for nome in file:
            percorso = os.path.join(dove, nome)
            attesi[os.path.relpath(percorso, radice).replace(os.sep, "/")] = percorso
    with zipfile.ZipFile(archivio) as z:
        trovati = {}
        for voce in z.infolist():
            if voce.is_dir():
                continue
            trovati[voce.filename] = voce
            if not voce.filename.isascii() and not voce.flag_bits & UTF8:
                errori.append(f"name not marked UTF-8: {voce.filename}")
        for nome in sorted(attesi.keys() - trovati.keys()):
            errori.append(f"missing from the zip: {nome}")
        for nome in sorted(trovati.keys() - attesi.keys()):
            errori.append(f"in the zip but not in the folder: {nome}")
        for nome in sorted(attesi.keys() & trovati.keys()):
            with open(attesi[nome], "rb") as f:
                if z.read(trovati[nome]) != f.read():
                    errori.append(f"differs from the folder: {nome}")
    if not any(not n.isascii() for n in trovati):
        errori.append("no name outside ASCII: the test would not see a missing UTF-8 mark")
    for e in errori:
        print("FALLITO:", e, file=sys.stderr)
    print(f"{len(trovati)} files checked")
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
