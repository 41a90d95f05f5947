// Tests for check.mjs and the SVG builder of generate.mjs. Run: node --test
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { checkData, jpegSize, MIN_WORDS } from './check.mjs';
import { iconSvg } from './generate.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

// A minimal JPEG stream: start marker, a baseline frame header, end marker.
function fakeJpeg(width, height) {
  const sof = Buffer.from([0xff, 0xc0, 0x00, 0x11, 0x08, 0, 0, 0, 0, 0x03,
    1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1]);
  sof.writeUInt16BE(height, 5);
  sof.writeUInt16BE(width, 7);
  return Buffer.concat([Buffer.from([0xff, 0xd8]), sof, Buffer.from([0xff, 0xd9])]);
}

// Distinct open syllables to build as many distinct words as needed.
const SYLL = ['ba', 'be', 'bi', 'bo', 'bu', 'da', 'de', 'di', 'do', 'du'];
function words(count, syllables, offset) {
  const out = [];
  for (let i = offset; out.length < count; i++) {
    const parts = [];
    let n = i;
    for (let s = 0; s < syllables; s++) {
      parts.push(SYLL[n % SYLL.length]);
      n = Math.floor(n / SYLL.length);
    }
    out.push(parts);
  }
  return out;
}

// Builds a complete, valid data folder and its map; returns paths and the
// records per list so a test can break one thing.
function fixture() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quirlo-check-'));
  fs.mkdirSync(path.join(dir, 'jpg'));
  const lists = {
    'lista2.txt': words(MIN_WORDS, 2, 0),
    'lista4.txt': words(MIN_WORDS, 2, MIN_WORDS),
    'lista3.txt': words(MIN_WORDS, 3, 0),
    'lista5.txt': words(MIN_WORDS, 3, 500),
  };
  const map = [];
  for (const [file, recs] of Object.entries(lists)) {
    fs.writeFileSync(path.join(dir, file), recs.map((r) => r.join(',') + '\n').join(''));
    const [w, h] = recs[0].length === 2 ? [288, 240] : [320, 320];
    for (const r of recs) {
      fs.writeFileSync(path.join(dir, 'jpg', `${r.join('')}.jpg`), fakeJpeg(w, h));
      map.push(`${r.join('')}\tstar`);
    }
  }
  const mapFile = path.join(dir, 'map.tsv');
  fs.writeFileSync(mapFile, '# test map\n' + map.join('\n') + '\n');
  return { dir, mapFile, lists };
}

function problemsOf(fx) {
  return checkData(fx.dir, fx.mapFile).problems;
}

test('a complete data folder has no problems', () => {
  const fx = fixture();
  const { problems, counts } = checkData(fx.dir, fx.mapFile);
  assert.deepEqual(problems, []);
  assert.equal(counts['lista3.txt'], MIN_WORDS);
});

test('the shipped data passes', () => {
  const { problems } = checkData(path.resolve(here, '../../data'), path.join(here, 'emoji-map.tsv'));
  assert.deepEqual(problems, []);
});

const breakages = [
  {
    name: 'missing drawing',
    mutate: (fx) => fs.rmSync(path.join(fx.dir, 'jpg', 'baba.jpg')),
    expect: /"baba" has no drawing jpg\/baba\.jpg/,
  },
  {
    name: 'orphaned drawing',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'jpg', 'zuzu.jpg'), fakeJpeg(288, 240)),
    expect: /jpg\/zuzu\.jpg: no list uses it/,
  },
  {
    name: 'drawing in the other exercise\'s size',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'jpg', 'bababa.jpg'), fakeJpeg(288, 240)),
    expect: /bababa\.jpg: 288x240, expected 320x320/,
  },
  {
    name: 'truncated drawing',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'jpg', 'baba.jpg'), fakeJpeg(288, 240).subarray(0, 12)),
    expect: /baba\.jpg: JPEG is truncated/,
  },
  {
    name: 'three syllables in a two-syllable list',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'ca,sa,ta\n'),
    expect: /lista2\.txt:41: "ca,sa,ta" has 3 syllables, expected 2/,
  },
  {
    name: 'empty syllable',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista5.txt'), 'ca,,ta\n'),
    expect: /lista5\.txt:41: syllable "" is not/,
  },
  {
    name: 'upper-case syllable',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista4.txt'), 'Ca,sa\n'),
    expect: /lista4\.txt:41: syllable "Ca"/,
  },
  {
    name: 'blank line',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista3.txt'), '\n'),
    expect: /lista3\.txt:41: blank line/,
  },
  {
    name: 'duplicate word in one list',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'ba,ba\n'),
    expect: /lista2\.txt:41: "baba" repeats line 1/,
  },
  {
    name: 'same word in two lists',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista4.txt'), 'ba,ba\n'),
    expect: /"baba" is in both lista2\.txt and lista4\.txt/,
  },
  {
    name: 'more than 100 records',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista2.txt'),
      words(101, 2, 0).map((r) => r.join(',') + '\n').join('')),
    expect: /lista2\.txt: 101 records, at most 100 load/,
  },
  {
    name: 'too few records',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista5.txt'), 'ba,ba,ba\n'),
    expect: /lista5\.txt: only 1 records/,
  },
  {
    name: 'no final line end',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista3.txt'),
      fx.lists['lista3.txt'].map((r) => r.join(',')).join('\n')),
    expect: /lista3\.txt: last line has no line end/,
  },
  {
    name: 'invalid UTF-8',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), Buffer.from([0x63, 0xe0, 0x2c, 0x73, 0x61, 0x0a])),
    expect: /lista2\.txt: not valid UTF-8/,
  },
  {
    name: 'word missing from the map',
    mutate: (fx) => fs.writeFileSync(fx.mapFile,
      fs.readFileSync(fx.mapFile, 'utf8').replace('baba\tstar\n', '')),
    expect: /lista2\.txt: "baba" has no entry in map\.tsv/,
  },
  {
    name: 'map entry for no word',
    mutate: (fx) => fs.appendFileSync(fx.mapFile, 'zuzu\tstar\n'),
    expect: /map\.tsv: "zuzu" is in no list/,
  },
];

for (const b of breakages) {
  test(`reports ${b.name}`, () => {
    const fx = fixture();
    b.mutate(fx);
    const problems = problemsOf(fx);
    assert.ok(problems.some((p) => b.expect.test(p)), `expected ${b.expect} in:\n${problems.join('\n')}`);
  });
}

test('CR LF line ends are accepted', () => {
  const fx = fixture();
  const file = path.join(fx.dir, 'lista4.txt');
  fs.writeFileSync(file, fs.readFileSync(file, 'utf8').replaceAll('\n', '\r\n'));
  assert.deepEqual(problemsOf(fx), []);
});

test('jpegSize reads the frame header after other segments', () => {
  const app0 = Buffer.from([0xff, 0xe0, 0x00, 0x04, 0x00, 0x00]);
  const jpg = fakeJpeg(320, 320);
  const withApp = Buffer.concat([jpg.subarray(0, 2), app0, jpg.subarray(2)]);
  assert.deepEqual(jpegSize(withApp), { width: 320, height: 320 });
  assert.equal(jpegSize(Buffer.from('not a jpeg')), 'no JPEG start marker');
});

test('iconSvg resolves aliases and rejects unknown or transformed icons', () => {
  const set = {
    width: 128, height: 128,
    icons: { star: { body: '<path d="M0 0"/>' }, wide: { body: '<g/>', width: 256 } },
    aliases: { 'star-alias': { parent: 'star' }, flipped: { parent: 'star', hFlip: true } },
  };
  assert.match(iconSvg(set, 'star-alias'), /viewBox="0 0 128 128".*<path d="M0 0"\/><\/svg>$/);
  assert.match(iconSvg(set, 'wide'), /viewBox="0 0 256 128"/);
  assert.throws(() => iconSvg(set, 'nothing'), /"nothing" is not in the set/);
  assert.throws(() => iconSvg(set, 'flipped'), /transformed/);
});
