// Tests for check.mjs and the SVG builder of generate.mjs. Run: node --test
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { checkData, jpegSize, EASY_SYLLABLE } from './check.mjs';
import { iconSvg, ownSvg, splitEntry } from './generate.mjs';
import { LISTS } from './lists.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

// A minimal JPEG stream: start marker, a baseline frame header, end marker.
function fakeJpeg(width, height) {
  const sof = Buffer.from([0xff, 0xc0, 0x00, 0x11, 0x08, 0, 0, 0, 0, 0x03,
    1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1]);
  sof.writeUInt16BE(height, 5);
  sof.writeUInt16BE(width, 7);
  return Buffer.concat([Buffer.from([0xff, 0xd8]), sof, Buffer.from([0xff, 0xd9])]);
}

const MIN = Object.fromEntries(LISTS.map((l) => [l.file, l.min]));

// Distinct open syllables to build as many distinct words as needed.
const SYLL = ['ba', 'be', 'bi', 'bo', 'bu', 'da', 'de', 'di', 'do', 'du',
  'fa', 'fe', 'fi', 'fo', 'fu', 'la', 'le', 'li', 'lo', 'lu'];
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
    'lista2.txt': words(MIN['lista2.txt'], 2, 0),
    'lista4.txt': words(MIN['lista4.txt'], 2, 200),
    'lista3.txt': words(MIN['lista3.txt'], 3, 0),
    'lista5.txt': words(MIN['lista5.txt'], 3, 4000),
  };
  const map = [];
  for (const [file, recs] of Object.entries(lists)) {
    fs.writeFileSync(path.join(dir, file), recs.map((r) => r.join(',') + '\r\n').join(''));
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
  assert.equal(counts['lista3.txt'], MIN['lista3.txt']);
});

test('the shipped data passes', () => {
  const { problems } = checkData(path.resolve(here, '../../data'), path.join(here, 'emoji-map.tsv'));
  assert.deepEqual(problems, []);
});

// A problem on the line just after the fixture's last record of a list.
function at(file, what) {
  const escape = (t) => t.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  return new RegExp(`${escape(file)}:${MIN[file] + 1}: ${escape(what)}`);
}

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
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'ca,sa,ta\r\n'),
    expect: at('lista2.txt', '"ca,sa,ta" has 3 syllables, expected 2'),
  },
  {
    name: 'empty syllable',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista5.txt'), 'ca,,ta\r\n'),
    expect: at('lista5.txt', 'syllable "" is not'),
  },
  {
    name: 'upper-case syllable',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista4.txt'), 'Ca,sa\r\n'),
    expect: at('lista4.txt', 'syllable "Ca"'),
  },
  {
    name: 'blank line',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista3.txt'), '\r\n'),
    expect: at('lista3.txt', 'blank line'),
  },
  {
    name: 'duplicate word in one list',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'ba,ba\r\n'),
    expect: at('lista2.txt', '"baba" repeats line 1'),
  },
  {
    name: 'same word in two lists',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista4.txt'), 'ba,ba\r\n'),
    expect: /"baba" is in both lista2\.txt and lista4\.txt/,
  },
  {
    name: 'more than 100 records',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista2.txt'),
      words(101, 2, 0).map((r) => r.join(',') + '\r\n').join('')),
    expect: /lista2\.txt: 101 records, at most 100 load/,
  },
  {
    name: 'too few records',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista5.txt'), 'ba,ba,ba\r\n'),
    expect: /lista5\.txt: only 1 records/,
  },
  {
    name: 'no final line end',
    mutate: (fx) => fs.writeFileSync(path.join(fx.dir, 'lista3.txt'),
      fx.lists['lista3.txt'].map((r) => r.join(',')).join('\r\n')),
    expect: /lista3\.txt: last line has no line end/,
  },
  {
    name: 'invalid UTF-8',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), Buffer.from([0x63, 0xe0, 0x2c, 0x73, 0x61, 0x0d, 0x0a])),
    expect: /lista2\.txt: not valid UTF-8/,
  },
  {
    name: 'word missing from the map',
    mutate: (fx) => fs.writeFileSync(fx.mapFile,
      fs.readFileSync(fx.mapFile, 'utf8').replace('baba\tstar\n', '')),
    expect: /lista2\.txt: "baba" has no entry in map\.tsv/,
  },
  {
    name: 'a line ended by LF alone',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista4.txt'), 'zu,zu\n'),
    expect: at('lista4.txt', 'line ends in LF alone'),
  },
  {
    name: 'soft g in an easy list',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista3.txt'), 'va,li,gia\r\n'),
    expect: at('lista3.txt', 'syllable "gia" of "va,li,gia" is not open'),
  },
  {
    name: 'double consonant in an easy list',
    mutate: (fx) => fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'gat,to\r\n'),
    expect: at('lista2.txt', 'syllable "gat" of "gat,to" is not open'),
  },
  {
    name: 'own drawing missing',
    mutate: (fx) => fs.writeFileSync(fx.mapFile,
      fs.readFileSync(fx.mapFile, 'utf8').replace('baba\tstar\n', 'baba\tquirlo:baba\n')),
    expect: /"baba" is drawn by disegni\/baba\.svg, which is missing/,
  },
  {
    name: 'own drawing no word uses',
    mutate: (fx) => {
      fs.mkdirSync(path.join(fx.dir, 'disegni'));
      fs.writeFileSync(path.join(fx.dir, 'disegni', 'zuzu.svg'), '<svg/>');
    },
    expect: /disegni\/zuzu\.svg: no word of the map uses it/,
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
  assert.ok(fs.readFileSync(file, 'utf8').endsWith('\r\n'));
  assert.deepEqual(problemsOf(fx), []);
});

test('an easy list takes a word ending in a stressed vowel', () => {
  const fx = fixture();
  fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'tu,tù\r\n');
  fs.writeFileSync(path.join(fx.dir, 'jpg', 'tutù.jpg'), fakeJpeg(288, 240));
  fs.appendFileSync(fx.mapFile, 'tutù\tstar\n');
  assert.deepEqual(problemsOf(fx), []);
  fs.appendFileSync(path.join(fx.dir, 'lista2.txt'), 'fa,lòt\r\n');
  assert.ok(problemsOf(fx).some((p) => /syllable "lòt" of "fa,lòt" is not open/.test(p)));
});

test('a difficult list may hold what the easy ones may not', () => {
  const fx = fixture();
  fs.appendFileSync(path.join(fx.dir, 'lista5.txt'), 'va,li,gia\r\n');
  fs.writeFileSync(path.join(fx.dir, 'jpg', 'valigia.jpg'), fakeJpeg(320, 320));
  fs.appendFileSync(fx.mapFile, 'valigia\tluggage\n');
  assert.deepEqual(problemsOf(fx), []);
});

test('the easy syllables are open consonant + vowel with hard c and g', () => {
  const open = ['ca', 'co', 'cu', 'ga', 'go', 'gu', 'a', 'u', 'ba', 'ze', 'ri', 'tù', 'bè', 'cò', 'à'];
  const notOpen = ['ce', 'ci', 'ge', 'gi', 'gia', 'cio', 'che', 'ghi', 'gli', 'gno', 'sca',
    'tra', 'pia', 'uo', 'gat', 'nas', 'qua', 'ka', 'xa', '', 'cè', 'gì', 'tùr', 'piò'];
  for (const s of open) assert.ok(EASY_SYLLABLE.test(s), s);
  for (const s of notOpen) assert.ok(!EASY_SYLLABLE.test(s), s);
});

test('an own drawing the map names is accepted', () => {
  const fx = fixture();
  fs.mkdirSync(path.join(fx.dir, 'disegni'));
  fs.writeFileSync(path.join(fx.dir, 'disegni', 'baba.svg'), '<svg/>');
  fs.writeFileSync(fx.mapFile, fs.readFileSync(fx.mapFile, 'utf8').replace('baba\tstar\n', 'baba\tquirlo:baba\n'));
  assert.deepEqual(problemsOf(fx), []);
});

test('ownSvg reads our drawings and refuses names that are paths', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quirlo-own-'));
  fs.writeFileSync(path.join(dir, 'tavolo.svg'), '<svg id="t"/>');
  assert.equal(ownSvg('tavolo', dir), '<svg id="t"/>');
  assert.throws(() => ownSvg('sedia', dir), /disegni\/sedia\.svg is missing/);
  assert.throws(() => ownSvg('../tavolo', dir), /not a drawing name/);
});

test('splitEntry reads Noto names and "set:name" entries', () => {
  assert.deepEqual(splitEntry('red-apple'), { set: 'noto', name: 'red-apple' });
  assert.deepEqual(splitEntry('fluent-emoji-flat:brick'), { set: 'fluent-emoji-flat', name: 'brick' });
  assert.deepEqual(splitEntry('quirlo:tavolo'), { set: 'quirlo', name: 'tavolo' });
  assert.throws(() => splitEntry('fluent-emoji-flat:'), /not "set:name"/);
  assert.throws(() => splitEntry('Bad Set:brick'), /not "set:name"/);
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
