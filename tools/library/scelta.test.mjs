// Tests of the library's choice of emoji and of its index columns (node --test).
import test from 'node:test';
import assert from 'node:assert/strict';
import { carattere, codice, colonnaChiavi, colonnaNomi, scegli } from './scelta.mjs';

const emoji = (hexcode, group, label, order) => ({ hexcode, group, subgroup: 1, label, tags: [], order });

test('the same emoji with and without its presentation selector', () => {
  assert.equal(codice('2600-FE0F'), '2600');
  assert.equal(codice('1F408-200D-2B1B'), '1f408-200d-2b1b');
  assert.equal(carattere('1F408-200D-2B1B'), '🐈‍⬛');
});

test('index columns: no separators inside a field, no repeats', () => {
  assert.equal(colonnaNomi('auto', ['Auto', 'mac|china', '']), 'auto|mac china');
  assert.equal(colonnaChiavi(['auto', 'veicolo', 'VEICOLO', 'x\ty'], 'auto'), 'veicolo|x y');
});

test('only things of the classroom kinds, in Unicode order, named by CLDR first', () => {
  const cldr = {
    '🐕': { tts: ['cane'], default: ['cane', 'cucciolo'] },
    '🌝': { tts: ['faccina luna piena'], default: [] },
    '☀': { tts: ['sole'], default: ['luce'] },
    '🕳': { tts: ['buco'], default: [] },
    '🚬': { tts: ['sigaretta'], default: [] },
  };
  const scelte = scegli({
    emojibase: [
      emoji('1F415', 3, 'dog', 2),
      emoji('2600-FE0F', 5, 'sun', 1),
      emoji('1F600', 0, 'grinning face', 0),     // a face: another group
      emoji('1F31D', 5, 'full moon face', 3),    // a face drawn on a thing
      emoji('1F6AC', 7, 'sigaretta', 4),         // left out by hand
      emoji('1F573', 0, 'buco', 5),              // a thing filed with the faces
      emoji('1F4A9', 7, 'nothing drawn', 6),     // in neither set
      emoji('1F9F8', 6, 'no Italian name', 7),   // CLDR does not name it
    ],
    cldr,
    derivate: {},
    noto: new Map([['1f415', 'dog'], ['2600', 'sun'], ['1f600', 'grinning-face'], ['1f31d', 'full-moon-face'],
      ['1f6ac', 'cigarette'], ['1f573', 'hole'], ['1f9f8', 'teddy-bear']]),
    fluent: new Map([['1f415', 'dog']]),
    escluse: new Set(['cigarette']),
    altriNomi: new Map([['dog', ['cagnolino']]]),
  });
  assert.deepEqual(scelte.map((e) => [e.nomi, e.chiavi, e.noto, e.fluent]), [
    ['sole', 'luce', 'sun', undefined],
    ['cane|cagnolino', 'cucciolo', 'dog', 'dog'],
    ['buco', '', 'hole', undefined],
  ]);
});
