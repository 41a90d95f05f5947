// Which emoji go into the picture library and what they are called in Italian.
// Pure functions over the data packages, so node --test can check them.

import fs from 'node:fs';

// The kinds a classroom draws: emojibase's groups 3-7. Faces, people, body
// parts, flags and symbols (groups 0-2, 8, 9) stay out.
export const GRUPPI = new Map([
  [3, 'animali e natura'],
  [4, 'cibo e bevande'],
  [5, 'luoghi e trasporti'],
  [6, 'attività'],
  [7, 'oggetti'],
]);

// Things that Unicode files with the faces and emotions: the hole in the
// ground is neither, and "buco" is a word children write.
export const COSE_TRA_LE_FACCE = new Set(['hole']);

// "1F408-200D-2B1B" and "1f408-200d-2b1b-fe0f" are the same emoji: the
// presentation selector is written by some sources and not by others.
export function codice(hex) {
  return hex.toLowerCase().split('-').filter((p) => p !== 'fe0f').join('-');
}

export function carattere(hex) {
  return String.fromCodePoint(...codice(hex).split('-').map((p) => parseInt(p, 16)));
}

// chars.json of an Iconify emoji set: code points -> icon name.
export function nomiIcone(chars) {
  const mappa = new Map();
  for (const [hex, nome] of Object.entries(chars)) {
    const c = codice(hex);
    if (!mappa.has(c)) mappa.set(c, nome);
  }
  return mappa;
}

// Reads a TSV of our own: blank lines and "#" comments skipped, the columns
// of each line returned as an array.
export function leggiTsv(file) {
  const righe = [];
  fs.readFileSync(file, 'utf8').split('\n').forEach((grezza, i) => {
    const riga = grezza.replace(/\r$/, '');
    if (riga.trim() === '' || riga.startsWith('#')) return;
    righe.push({ riga: i + 1, colonne: riga.split('\t') });
  });
  return righe;
}

// CLDR's name (tts) and keywords (default) for one emoji, from the main
// annotations or, for sequences they lack, the derived ones.
export function annotazione(cldr, derivate, hex) {
  const c = carattere(hex);
  const candidati = [c, c + '\uFE0F', c.replace(/\uFE0F/g, '')];
  for (const fonte of [cldr, derivate]) {
    for (const k of candidati) {
      const a = fonte[k];
      if (a && a.tts && a.tts.length) return { nome: a.tts[0], chiavi: a.default ?? [] };
    }
  }
  return null;
}

// Keeps "|" and tabs out of a field of the index, whose separators they are.
function campo(testo) {
  return testo.replace(/[|\t\r\n]+/g, ' ').replace(/ +/g, ' ').trim();
}

// The index's name column: the picture's name first, then other names a
// child uses, without repeats.
export function colonnaNomi(nome, altri = []) {
  const visti = new Set();
  const fuori = [];
  for (const n of [nome, ...altri].map(campo)) {
    const chiave = n.toLowerCase();
    if (n === '' || visti.has(chiave)) continue;
    visti.add(chiave);
    fuori.push(n);
  }
  return fuori.join('|');
}

// Keywords minus those that are already names.
export function colonnaChiavi(chiavi, nomi) {
  const gia = new Set(nomi.split('|').map((n) => n.toLowerCase()));
  const fuori = [];
  for (const k of chiavi.map(campo)) {
    const chiave = k.toLowerCase();
    if (k === '' || gia.has(chiave)) continue;
    gia.add(chiave);
    fuori.push(k);
  }
  return fuori.join('|');
}

// The emoji of the library, in Unicode's order: [{ hex, gruppo, nome, chiavi,
// noto, fluent }] where noto and fluent are icon names (or undefined).
// escluse: icon names (Noto's) left out by hand; altriNomi: icon name -> names.
export function scegli({ emojibase, cldr, derivate, noto, fluent, escluse, altriNomi }) {
  const scelte = [];
  const ordinate = [...emojibase].sort((a, b) => a.order - b.order);
  for (const e of ordinate) {
    const hex = codice(e.hexcode);
    const iconaNoto = noto.get(hex);
    const cosa = COSE_TRA_LE_FACCE.has(iconaNoto);
    if (!cosa && (!GRUPPI.has(e.group) || e.subgroup === undefined)) continue;
    const iconaFluent = fluent.get(hex);
    if (!iconaNoto && !iconaFluent) continue;
    const chiaveEsclusione = iconaNoto ?? iconaFluent;
    if (escluse.has(chiaveEsclusione)) continue;
    // Without an Italian name from CLDR a picture cannot be found.
    const a = annotazione(cldr, derivate, hex);
    if (!a) continue;
    // Faces drawn on things (the moon, the sun) are faces all the same.
    if (/\bfaccina\b/i.test(a.nome)) continue;
    const nomi = colonnaNomi(a.nome, altriNomi.get(chiaveEsclusione) ?? []);
    scelte.push({
      hex, gruppo: cosa ? 7 : e.group, nomi, chiavi: colonnaChiavi(a.chiavi, nomi),
      noto: iconaNoto, fluent: iconaFluent,
    });
  }
  return scelte;
}
