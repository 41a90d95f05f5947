// Reading of the word lists and of the word -> emoji map, shared by
// generate.mjs and check.mjs.

import fs from 'node:fs';

// easy: the lists for beginners, open syllables only (see EASY_SYLLABLE in
// check.mjs). min: the fewest words each list may ship with, so that a lost
// block of lines does not pass unnoticed.
export const LISTS = [
  { file: 'lista2.txt', syllables: 2, easy: true, min: 54 },
  { file: 'lista3.txt', syllables: 3, easy: true, min: 49 },
  { file: 'lista4.txt', syllables: 2, easy: false, min: 95 },
  { file: 'lista5.txt', syllables: 3, easy: false, min: 95 },
];

// Reads a list file: one word per line, its syllables separated by commas.
// Lines may end in LF or CR LF. Returns [{ line, syllables, word }].
// Throws on a record whose syllable count is wrong or that has an empty
// syllable; the finer rules (letters, duplicates, limits) are check.mjs's.
export function readList(file, syllables) {
  const text = fs.readFileSync(file, 'utf8');
  const lines = text.split('\n');
  if (lines[lines.length - 1] === '') lines.pop();
  return lines.map((raw, i) => {
    const line = raw.endsWith('\r') ? raw.slice(0, -1) : raw;
    const parts = line.split(',');
    if (parts.length !== syllables || parts.some((p) => p === '')) {
      throw new Error(`${file}:${i + 1}: "${line}" is not ${syllables} non-empty syllables`);
    }
    return { line: i + 1, syllables: parts, word: parts.join('') };
  });
}

// Reads emoji-map.tsv: "word<TAB>emoji-name" per line; blank lines and lines
// starting with # are ignored. Returns a Map word -> emoji name.
export function readMap(file) {
  const map = new Map();
  fs.readFileSync(file, 'utf8').split('\n').forEach((raw, i) => {
    const line = raw.trim();
    if (line === '' || line.startsWith('#')) return;
    const cols = line.split('\t');
    if (cols.length !== 2 || !cols[0] || !cols[1]) {
      throw new Error(`${file}:${i + 1}: expected "word<TAB>emoji"`);
    }
    if (map.has(cols[0])) throw new Error(`${file}:${i + 1}: "${cols[0]}" appears twice`);
    map.set(cols[0], cols[1]);
  });
  return map;
}
