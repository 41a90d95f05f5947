#!/usr/bin/env node
// Checks the shipped word lists and drawings in data/:
//  - each list is UTF-8 text, one record per line ending in CR LF (teachers
//    open the lists in Windows Notepad), every record exactly 2 (or 3)
//    non-empty lower-case syllables, no blank lines, no duplicate words,
//    between the list's minimum and MAX_WORDS records;
//  - the easy lists hold open syllables only: one consonant and one vowel,
//    with c and g only hard (ca co cu ga go gu), or a lone vowel;
//  - no word appears in two lists (the drawings would share one file name);
//  - every word has data/jpg/<word>.jpg, a complete JPEG of the size its
//    exercise expects, and an entry in emoji-map.tsv;
//  - data/jpg holds no JPEG that no list uses, and the map no unused entry;
//  - every "quirlo:name" map entry has its drawing disegni/name.svg beside
//    the map, and that folder holds no drawing the map does not use.
//
// Usage: node check.mjs [DATA_DIR]   (default ../../data). Exits 1 on a problem.

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { LISTS, readMap } from './lists.mjs';
import { OWN_SET } from './generate.mjs';

export const MAX_WORDS = 100;
const SIZE = { 2: [288, 240], 3: [320, 320] };
const SYLLABLE = /^[a-zàèéìòù]+$/;
// Soft c/g (ce, gi), the silent i of cia/gio, digraphs, clusters, doubles and
// diphthongs all come later in first grade, so the easy lists keep to these.
// A stressed final vowel (tu,tù) is still one open vowel.
export const EASY_SYLLABLE = /^(?:[bdflmnprstvz]?[aeiouàèéìòù]|[cg][aouàòù])$/;

// Returns { width, height } of a baseline or progressive JPEG, or an error
// string when the data is not a complete JPEG stream.
export function jpegSize(buf) {
  if (buf.length < 4 || buf[0] !== 0xff || buf[1] !== 0xd8) return 'no JPEG start marker';
  if (buf[buf.length - 2] !== 0xff || buf[buf.length - 1] !== 0xd9) return 'JPEG is truncated';
  let pos = 2;
  while (pos + 4 <= buf.length) {
    if (buf[pos] !== 0xff) return 'corrupt JPEG marker';
    const marker = buf[pos + 1];
    const len = buf.readUInt16BE(pos + 2);
    const isSof = marker >= 0xc0 && marker <= 0xcf && ![0xc4, 0xc8, 0xcc].includes(marker);
    if (isSof) {
      if (pos + 9 > buf.length) return 'JPEG is truncated';
      return { height: buf.readUInt16BE(pos + 5), width: buf.readUInt16BE(pos + 7) };
    }
    pos += 2 + len;
  }
  return 'JPEG has no frame header';
}

function checkList(file, { syllables, easy, min }, problems) {
  const name = path.basename(file);
  if (!fs.existsSync(file)) {
    problems.push(`${name}: missing`);
    return [];
  }
  const bytes = fs.readFileSync(file);
  let text;
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    problems.push(`${name}: not valid UTF-8`);
    return [];
  }
  if (text.charCodeAt(0) === 0xfeff) problems.push(`${name}: starts with a byte order mark`);
  const lines = text.split('\n');
  const ended = lines[lines.length - 1] === '';
  if (ended) lines.pop();
  else if (lines.length) problems.push(`${name}: last line has no line end`);
  let bareLf = 0;
  const words = [];
  const seen = new Map();
  lines.forEach((raw, i) => {
    const where = `${name}:${i + 1}`;
    const line = raw.endsWith('\r') ? raw.slice(0, -1) : raw;
    if (line === raw && (ended || i < lines.length - 1) && bareLf++ === 0) {
      problems.push(`${where}: line ends in LF alone, the lists are shipped with CR LF`);
    }
    const parts = line.split(',');
    if (line.trim() === '') {
      problems.push(`${where}: blank line`);
      return;
    }
    if (parts.length !== syllables) {
      problems.push(`${where}: "${line}" has ${parts.length} syllables, expected ${syllables}`);
      return;
    }
    const bad = parts.find((p) => !SYLLABLE.test(p));
    if (bad !== undefined) {
      problems.push(`${where}: syllable "${bad}" is not a run of lower-case letters`);
      return;
    }
    const open = easy ? parts.find((p) => !EASY_SYLLABLE.test(p)) : undefined;
    if (open !== undefined) {
      problems.push(`${where}: syllable "${open}" of "${line}" is not open consonant + vowel, as an easy list needs`);
    }
    const word = parts.join('');
    if (seen.has(word)) {
      problems.push(`${where}: "${word}" repeats line ${seen.get(word)}`);
      return;
    }
    seen.set(word, i + 1);
    words.push(word);
  });
  if (lines.length > MAX_WORDS) problems.push(`${name}: ${lines.length} records, at most ${MAX_WORDS} load`);
  if (lines.length < min) problems.push(`${name}: only ${lines.length} records, want at least ${min}`);
  return words;
}

// Our own drawings: each one the map names exists, each one that exists is used.
function checkOwnDrawings(map, dir, problems) {
  const used = new Set();
  for (const [word, entry] of map) {
    if (!entry.startsWith(`${OWN_SET}:`)) continue;
    const name = entry.slice(OWN_SET.length + 1);
    used.add(`${name}.svg`);
    if (!fs.existsSync(path.join(dir, `${name}.svg`))) problems.push(`"${word}" is drawn by disegni/${name}.svg, which is missing`);
  }
  if (!fs.existsSync(dir)) return;
  for (const file of fs.readdirSync(dir).sort()) {
    if (file.endsWith('.svg') && !used.has(file)) problems.push(`disegni/${file}: no word of the map uses it`);
  }
}

// Returns the list of problems found (empty when all is well) and the word
// count of each list.
export function checkData(dataDir, mapFile) {
  const problems = [];
  const counts = {};
  const owner = new Map(); // word -> list file
  const jpgDir = path.join(dataDir, 'jpg');
  let map = new Map();
  try {
    map = readMap(mapFile);
  } catch (err) {
    problems.push(err.message);
  }
  for (const list of LISTS) {
    const words = checkList(path.join(dataDir, list.file), list, problems);
    counts[list.file] = words.length;
    for (const word of words) {
      if (owner.has(word)) {
        problems.push(`"${word}" is in both ${owner.get(word)} and ${list.file}: the drawings would share ${word}.jpg`);
        continue;
      }
      owner.set(word, list.file);
      if (!map.has(word)) problems.push(`${list.file}: "${word}" has no entry in ${path.basename(mapFile)}`);
      const jpg = path.join(jpgDir, `${word}.jpg`);
      if (!fs.existsSync(jpg)) {
        problems.push(`${list.file}: "${word}" has no drawing jpg/${word}.jpg`);
        continue;
      }
      const size = jpegSize(fs.readFileSync(jpg));
      const [w, h] = SIZE[list.syllables];
      if (typeof size === 'string') problems.push(`jpg/${word}.jpg: ${size}`);
      else if (size.width !== w || size.height !== h) {
        problems.push(`jpg/${word}.jpg: ${size.width}x${size.height}, expected ${w}x${h}`);
      }
    }
  }
  if (fs.existsSync(jpgDir)) {
    for (const file of fs.readdirSync(jpgDir).sort()) {
      if (!file.toLowerCase().endsWith('.jpg')) continue;
      const word = file.slice(0, -4);
      if (!owner.has(word)) problems.push(`jpg/${file}: no list uses it`);
    }
  } else {
    problems.push('jpg/: missing');
  }
  for (const word of map.keys()) {
    if (!owner.has(word)) problems.push(`${path.basename(mapFile)}: "${word}" is in no list`);
  }
  checkOwnDrawings(map, path.join(path.dirname(mapFile), 'disegni'), problems);
  return { problems, counts };
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const here = path.dirname(fileURLToPath(import.meta.url));
  const dataDir = path.resolve(process.argv[2] ?? path.join(here, '../../data'));
  const { problems, counts } = checkData(dataDir, path.join(here, 'emoji-map.tsv'));
  for (const [file, n] of Object.entries(counts)) console.log(`${file}: ${n} words`);
  for (const p of problems) console.error(`check: ${p}`);
  if (problems.length) process.exit(1);
  console.log('all lists, drawings and map entries agree');
}
