#!/usr/bin/env node
// Builds the picture library of the word editor in data/biblioteca: every
// emoji of the kinds a classroom draws, in the Noto and in the Fluent flat
// style, named in Italian with CLDR's names and keywords, plus the game's own
// drawings in data/jpg under their words (referenced, not copied).
//
// Usage (from this folder, after `npm ci`):
//   node generate.mjs                 render every picture and write the index
//   node generate.mjs --indice        write the index only (pictures already there)
//   node generate.mjs --out DIR       write into DIR instead of ../../data/biblioteca

import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { promisify } from 'node:util';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';
import { LISTS, readList, readMap } from '../drawings/lists.mjs';
import { iconSvg, splitEntry, OWN_SET } from '../drawings/generate.mjs';
import {
  annotazione, colonnaChiavi, colonnaNomi, leggiTsv, nomiIcone, scegli,
} from './scelta.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const dataDir = path.resolve(here, '../../data');
const require = createRequire(import.meta.url);
const run = promisify(execFile);

// A square canvas, so the editor can cut either frame from it: the 6:5 frame
// (320 x 267) still holds the whole 240 px drawing, the square one leaves a
// margin like the game's three-syllable drawings. 320 px is what the game
// shows at twice its frame size; PNG with a 256-colour palette keeps the flat
// drawings sharp at about half a JPEG's size, and Qt reads it without plugins.
export const LATO = 320;
export const DISEGNO = 240;
const RSVG = process.env.RSVG_CONVERT || 'rsvg-convert';
const PNGQUANT = process.env.PNGQUANT || 'pngquant';

// The two styles, each in a folder of its own (their licences differ).
export const STILI = [
  { cartella: 'noto', pacchetto: '@iconify-json/noto', chiave: 'noto' },
  { cartella: 'fluent', pacchetto: '@iconify-json/fluent-emoji-flat', chiave: 'fluent' },
];

function parseArgs(argv) {
  const args = { out: path.join(dataDir, 'biblioteca'), disegna: true };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '--out') args.out = path.resolve(argv[++i]);
    else if (argv[i] === '--indice') args.disegna = false;
    else throw new Error(`unknown argument ${argv[i]}`);
  }
  return args;
}

// An icon's SVG with a square viewBox, so a wide or tall icon is centred.
function svgQuadrato(set, nome) {
  const svg = iconSvg(set, nome);
  const m = svg.match(/viewBox="([-\d.]+) ([-\d.]+) ([\d.]+) ([\d.]+)"/);
  const [x, y, w, h] = m.slice(1).map(Number);
  const lato = Math.max(w, h);
  const box = `${x - (lato - w) / 2} ${y - (lato - h) / 2} ${lato} ${lato}`;
  return svg.replace(m[0], `viewBox="${box}"`).replace(/width="[\d.]+" height="[\d.]+"/,
    `width="${lato}" height="${lato}"`);
}

let lavoriFatti = 0;
async function disegna(svg, fuori, tmp) {
  const n = lavoriFatti++;
  const sorgente = path.join(tmp, `${n}.svg`);
  const grezzo = path.join(tmp, `${n}.png`);
  fs.writeFileSync(sorgente, svg);
  const margine = String((LATO - DISEGNO) / 2);
  await run(RSVG, ['-w', String(DISEGNO), '-h', String(DISEGNO),
    '--page-width', String(LATO), '--page-height', String(LATO), '--left', margine, '--top', margine,
    '-b', 'white', '-f', 'png', '-o', grezzo, sorgente]);
  // Speed 1 and no clock in the output: a rerun gives the same bytes.
  await run(PNGQUANT, ['--strip', '--speed', '1', '--force', '--output', fuori, '256', grezzo]);
  fs.rmSync(sorgente);
  fs.rmSync(grezzo);
}

async function inParallelo(lavori, quanti) {
  let prossimo = 0;
  const operaio = async () => {
    while (prossimo < lavori.length) await lavori[prossimo++]();
  };
  await Promise.all(Array.from({ length: quanti }, operaio));
}

// The game's drawings, under their words; an emoji's CLDR name and keywords
// follow as keywords, so "cagnolino" finds the game's dog too.
function disegniDelGioco(cldr, derivate, inversi) {
  const mappa = readMap(path.join(here, '../drawings/emoji-map.tsv'));
  const righe = [];
  for (const lista of LISTS) {
    for (const { word } of readList(path.join(dataDir, lista.file), lista.syllables)) {
      const { set, name } = splitEntry(mappa.get(word));
      const hex = set === OWN_SET ? undefined : inversi.get(set)?.get(name);
      const a = hex ? annotazione(cldr, derivate, hex) : null;
      const nomi = colonnaNomi(word);
      righe.push([`jpg/${word}.jpg`, nomi, a ? colonnaChiavi([a.nome, ...a.chiavi], nomi) : '']);
    }
  }
  return righe;
}

async function main() {
  const args = parseArgs(process.argv.slice(2));
  const cldr = require('cldr-annotations-full/annotations/it/annotations.json').annotations.annotations;
  const derivate = require('cldr-annotations-derived-full/annotationsDerived/it/annotations.json')
    .annotationsDerived.annotations;
  const sets = new Map(STILI.map((s) => [s.chiave, require(`${s.pacchetto}/icons.json`)]));
  const codici = new Map(STILI.map((s) => [s.chiave, nomiIcone(require(`${s.pacchetto}/chars.json`))]));
  const escluse = new Set(leggiTsv(path.join(here, 'escluse.tsv')).map((r) => r.colonne[0]));
  const altriNomi = new Map(leggiTsv(path.join(here, 'nomi.tsv'))
    .map((r) => [r.colonne[0], r.colonne[1].split('|')]));
  // A misspelt icon name would leave out or name nothing, silently.
  const notoIcone = sets.get('noto').icons;
  for (const nome of [...escluse, ...altriNomi.keys()]) {
    if (!notoIcone[nome]) throw new Error(`"${nome}" is not an icon of the Noto set`);
  }
  const scelte = scegli({
    emojibase: require('emojibase-data/it/data.json'), cldr, derivate,
    noto: codici.get('noto'), fluent: codici.get('fluent'), escluse, altriNomi,
  });

  // The game's map names icons of the sets by their Iconify prefix.
  const inversi = new Map();
  for (const s of STILI) {
    const inverso = new Map([...codici.get(s.chiave)].map(([hex, nome]) => [nome, hex]));
    inversi.set(s.pacchetto.replace('@iconify-json/', ''), inverso);
  }
  const righe = disegniDelGioco(cldr, derivate, inversi);
  const lavori = [];
  const attesi = new Set();
  for (const e of scelte) {
    for (const s of STILI) {
      const icona = e[s.chiave];
      if (!icona) continue;
      const relativo = `${s.cartella}/${icona}.png`;
      righe.push([`biblioteca/${relativo}`, e.nomi, e.chiavi]);
      attesi.add(relativo);
      const fuori = path.join(args.out, relativo);
      lavori.push(() => disegna(svgQuadrato(sets.get(s.chiave), icona), fuori, tmp));
    }
  }

  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'quirlo-biblioteca-'));
  try {
    if (args.disegna) {
      for (const s of STILI) {
        const cartella = path.join(args.out, s.cartella);
        fs.mkdirSync(cartella, { recursive: true });
        for (const f of fs.readdirSync(cartella)) {
          if (!attesi.has(`${s.cartella}/${f}`)) fs.rmSync(path.join(cartella, f));
        }
      }
      await inParallelo(lavori, 2);
    }
  } finally {
    fs.rmSync(tmp, { recursive: true, force: true });
  }
  fs.mkdirSync(args.out, { recursive: true });
  const testa = [
    '# Biblioteca dei disegni di quirlo-parole, scritta da tools/library/generate.mjs.',
    '# file<TAB>nomi<TAB>parole chiave. file: relativo alla cartella dei dati del programma.',
    '# nomi: il nome del disegno, poi altri nomi che usa un bambino; nomi e parole chiave separati da "|".',
  ];
  const testo = [...testa, ...righe.map((r) => r.join('\t'))].join('\n') + '\n';
  fs.writeFileSync(path.join(args.out, 'indice.tsv'), testo);
  console.log(`${scelte.length} emoji, ${lavori.length} pictures, ${righe.length} index lines in ${args.out}`);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  main().catch((err) => {
    console.error(`generate: ${err.stderr ?? err.message}`);
    process.exit(1);
  });
}
