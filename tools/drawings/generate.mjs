#!/usr/bin/env node
// Renders one JPEG drawing per word of the four word lists into data/jpg.
//
// Each word is looked up in emoji-map.tsv, the emoji's vector drawing is taken
// from the Noto emoji set (npm package @iconify-json/noto, pinned in
// package.json) or, for an entry written "set:name", from that other Iconify
// emoji set (also pinned there) or, for "quirlo:name", from our own drawing
// disegni/name.svg; it is rendered with rsvg-convert and centred on a
// white canvas with ImageMagick. Output is deterministic: metadata is stripped and the JPEG
// settings are fixed, so a rerun gives the same files.
//
// Usage (from this folder, after `npm ci`):
//   node generate.mjs                 write every drawing into ../../data/jpg
//   node generate.mjs --out DIR       write them into DIR instead
//   node generate.mjs --only casa,ape render only these words

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';
import { readList, readMap, LISTS } from './lists.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const dataDir = path.resolve(here, '../../data');

// Canvas and icon box per syllable count: the game stretches two-syllable
// drawings to 144 x 120 and three-syllable ones to 160 x 160, so each canvas
// keeps that frame's proportions at twice the size.
const CANVAS = {
  2: { width: 288, height: 240, icon: 200 },
  3: { width: 320, height: 320, icon: 272 },
};
const JPEG_QUALITY = '88';
const CONVERT = process.env.CONVERT || 'convert';
const RSVG = process.env.RSVG_CONVERT || 'rsvg-convert';

function parseArgs(argv) {
  const args = { out: path.join(dataDir, 'jpg'), only: null };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '--out') args.out = path.resolve(argv[++i]);
    else if (argv[i] === '--only') args.only = new Set(argv[++i].split(','));
    else throw new Error(`unknown argument ${argv[i]}`);
  }
  return args;
}

export const DEFAULT_SET = 'noto';
// Drawings made for this game, for words no emoji set draws: disegni/<name>.svg.
export const OWN_SET = 'quirlo';

// Splits a map entry into its icon set and icon name: "red-apple" is Noto's,
// "fluent-emoji-flat:brick" is the brick of that set.
export function splitEntry(entry) {
  const colon = entry.indexOf(':');
  if (colon < 0) return { set: DEFAULT_SET, name: entry };
  const set = entry.slice(0, colon);
  const name = entry.slice(colon + 1);
  if (!/^[a-z0-9-]+$/.test(set) || name === '') throw new Error(`"${entry}" is not "set:name"`);
  return { set, name };
}

// Reads one of our own drawings, a standalone SVG document.
export function ownSvg(name, dir = path.join(here, 'disegni')) {
  if (!/^[a-z0-9-]+$/.test(name)) throw new Error(`"${name}" is not a drawing name`);
  const file = path.join(dir, `${name}.svg`);
  if (!fs.existsSync(file)) throw new Error(`our drawing disegni/${name}.svg is missing`);
  return fs.readFileSync(file, 'utf8');
}

const iconSets = new Map();
function loadIconSet(prefix) {
  if (iconSets.has(prefix)) return iconSets.get(prefix);
  const require = createRequire(import.meta.url);
  let set;
  try {
    set = require(`@iconify-json/${prefix}/icons.json`);
  } catch {
    throw new Error(`@iconify-json/${prefix} is not installed: run \`npm ci\` in tools/drawings`);
  }
  iconSets.set(prefix, set);
  return set;
}

// Builds a standalone SVG document for one icon of an Iconify JSON set.
export function iconSvg(set, name) {
  let icon = set.icons[name];
  const alias = set.aliases && set.aliases[name];
  if (!icon && alias) {
    if (alias.rotate || alias.hFlip || alias.vFlip) throw new Error(`alias ${name} is transformed`);
    icon = { ...set.icons[alias.parent], ...alias };
  }
  if (!icon || !icon.body) throw new Error(`emoji "${name}" is not in the set`);
  const w = icon.width ?? set.width ?? 16;
  const h = icon.height ?? set.height ?? 16;
  const left = icon.left ?? 0;
  const top = icon.top ?? 0;
  return '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" ' +
    `viewBox="${left} ${top} ${w} ${h}" width="${w}" height="${h}">${icon.body}</svg>`;
}

function render(svgText, size, outFile, tmp) {
  const svgFile = path.join(tmp, 'icon.svg');
  const pngFile = path.join(tmp, 'icon.png');
  fs.writeFileSync(svgFile, svgText);
  execFileSync(RSVG, ['-a', '-w', String(size.icon), '-h', String(size.icon),
    '-f', 'png', '-o', pngFile, svgFile]);
  execFileSync(CONVERT, [
    '-size', `${size.width}x${size.height}`, 'xc:white',
    pngFile, '-gravity', 'center', '-composite',
    '-alpha', 'remove', '-alpha', 'off', '-colorspace', 'sRGB', '-type', 'TrueColor',
    '-strip', '-interlace', 'none', '-sampling-factor', '2x2',
    '-quality', JPEG_QUALITY, `jpeg:${outFile}`,
  ]);
}

function main() {
  const args = parseArgs(process.argv.slice(2));
  const map = readMap(path.join(here, 'emoji-map.tsv'));
  fs.mkdirSync(args.out, { recursive: true });
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'quirlo-drawings-'));
  let count = 0;
  try {
    for (const list of LISTS) {
      const records = readList(path.join(dataDir, list.file), list.syllables);
      for (const rec of records) {
        if (args.only && !args.only.has(rec.word)) continue;
        const emoji = map.get(rec.word);
        if (!emoji) throw new Error(`${list.file}: "${rec.word}" has no entry in emoji-map.tsv`);
        const { set, name } = splitEntry(emoji);
        const svg = set === OWN_SET ? ownSvg(name) : iconSvg(loadIconSet(set), name);
        render(svg, CANVAS[list.syllables], path.join(args.out, `${rec.word}.jpg`), tmp);
        count++;
      }
    }
  } finally {
    fs.rmSync(tmp, { recursive: true, force: true });
  }
  console.log(`wrote ${count} drawings to ${args.out}`);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  try {
    main();
  } catch (err) {
    console.error(`generate: ${err.message}`);
    process.exit(1);
  }
}
