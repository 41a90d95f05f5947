"""Screenshots as plain pixels: read from ImageMagick's PPM, written as PNG."""

import struct
import zlib

VERDE = (0, 255, 0)
GIALLO = (255, 255, 192)
BIANCO = (255, 255, 255)
NERO = (0, 0, 0)


class Immagine:
    def __init__(self, larghezza, altezza, dati):
        self.larghezza, self.altezza, self.dati = larghezza, altezza, dati

    @staticmethod
    def da_ppm(ppm):
        # "P6 <w> <h> <max>" then one whitespace byte, comments allowed in the header.
        campi, pos = [], 0
        while len(campi) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos)
                continue
            fine = pos
            while not ppm[fine:fine + 1].isspace():
                fine += 1
            campi.append(ppm[pos:fine])
            pos = fine
        if campi[0] != b"P6" or campi[3] != b"255":
            raise ValueError("not an 8-bit PPM")
        larghezza, altezza = int(campi[1]), int(campi[2])
        return Immagine(larghezza, altezza, ppm[pos + 1:pos + 1 + larghezza * altezza * 3])

    def __call__(self, x, y):
        if not (0 <= x < self.larghezza and 0 <= y < self.altezza):
            raise IndexError(f"pixel {x},{y} outside {self.larghezza}x{self.altezza}")
        i = (y * self.larghezza + x) * 3
        return tuple(self.dati[i:i + 3])

    def regione(self, rett):
        """Pixels of a rectangle (x, y, w, h), row by row, as bytes: equal text draws equal bytes."""
        x, y, w, h = rett
        return b"".join(self.dati[((y + r) * self.larghezza + x) * 3:((y + r) * self.larghezza + x + w) * 3]
                        for r in range(h))

    def colori(self, rett):
        x, y, w, h = rett
        return {self(x + i, y + j) for j in range(h) for i in range(w)}

    def salva_png(self, percorso):
        righe = b"".join(b"\x00" + self.dati[r * self.larghezza * 3:(r + 1) * self.larghezza * 3]
                         for r in range(self.altezza))

        def blocco(tipo, contenuto):
            return (struct.pack(">I", len(contenuto)) + tipo + contenuto
                    + struct.pack(">I", zlib.crc32(tipo + contenuto) & 0xFFFFFFFF))

        with open(percorso, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(blocco(b"IHDR", struct.pack(">IIBBBBB", self.larghezza, self.altezza, 8, 2, 0, 0, 0)))
            f.write(blocco(b"IDAT", zlib.compress(righe, 1)))
            f.write(blocco(b"IEND", b""))


def vicino(colore, atteso, tolleranza):
    return all(abs(a - b) <= tolleranza for a, b in zip(colore, atteso))


def scuro(colore):
    return sum(colore) < 200


def sposta(rett, dx, dy):
    return (rett[0] + dx, rett[1] + dy, rett[2], rett[3])


def dentro(punto, rett, margine=0):
    x, y, w, h = rett
    return x - margine <= punto[0] < x + w + margine and y - margine <= punto[1] < y + h + margine
