#!/usr/bin/env python3
"""Writes the teacher's guide (docs/guida.md) as one HTML page with its pictures
inside, so that the packages can carry it as a single file a teacher opens with
a double click, in any browser, with no network.

Usage: guida_html.py docs/guida.md OUTPUT.html"""

import base64
import html
import os
import re
import sys

import markdown

STILE = """body { font-family: sans-serif; max-width: 52em; margin: 1em auto; padding: 0 1em; line-height: 1.45; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #999; padding: 0.3em 0.6em; vertical-align: top; text-align: left; }
th { background: #eee; }
img { max-width: 100%; border: 1px solid #ccc; }
pre { background: #f4f4f4; padding: 0.6em; overflow-x: auto; }
code { background: #f4f4f4; }"""


def main(sorgente, uscita):
    cartella = os.path.dirname(os.path.abspath(sorgente))
    with open(sorgente, encoding="utf-8") as f:
        corpo = markdown.markdown(f.read(), extensions=["tables", "fenced_code", "toc", "sane_lists"], output_format="html")

    def dentro(m):
        # Only pictures beside the guide: a name that leaves its folder is a mistake.
        nome = html.unescape(m.group(1))
        if os.path.basename(nome) != nome:
            raise SystemExit(f"guida_html.py: picture outside the guide's folder: {nome}")
        with open(os.path.join(cartella, nome), "rb") as f:
            return 'src="data:image/png;base64,' + base64.b64encode(f.read()).decode("ascii") + '"'

    corpo = re.sub(r'src="([^"]+\.png)"', dentro, corpo)
    titolo = re.search(r"<h1[^>]*>(.*?)</h1>", corpo, re.S)
    pagina = (f'<!DOCTYPE html>\n<html lang="it">\n<head>\n<meta charset="utf-8">\n'
              f'<title>{re.sub(r"<[^>]+>", "", titolo.group(1)) if titolo else "Quirlo"}</title>\n'
              f"<style>\n{STILE}\n</style>\n</head>\n<body>\n{corpo}\n</body>\n</html>\n")
    with open(uscita + ".tmp", "w", encoding="utf-8", newline="\n") as f:
        f.write(pagina)
    os.replace(uscita + ".tmp", uscita)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
