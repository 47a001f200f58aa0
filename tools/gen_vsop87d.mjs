#!/usr/bin/env node
// Generates the VSOP87D coefficient files src/series/vsop87d_<body>.inc of
// the Earth, Venus, Mars, Jupiter and Saturn from the data files
// data/vsop87D<body>.js of the npm package astronomia@4.2.0.
//
//   node tools/gen_vsop87d.mjs                 fetch the package, write the files
//   node tools/gen_vsop87d.mjs --check         fetch the package, compare only
//   ... --package-dir DIR                      use an unpacked copy instead of npm
//
// Every term of every block is written in the order of the data file, which
// is the published order of VSOP87D; a constant term (frequency 0) stays at
// its place and is written as an addition (phase 0) or a subtraction (phase
// pi) of its positive amplitude.  The build never runs this script: its
// output is committed.

import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { PACKAGE, VERSION, openPackage, packageDirOption } from './astronomia_pkg.mjs';

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const OUT_DIR = path.join(ROOT, 'src', 'series');
const BODIES = ['earth', 'venus', 'mars', 'jupiter', 'saturn'];
const COORDS = ['L', 'B', 'R'];
const PHASE_PI = '3.14159265359';   // pi as the published files print it
const NUMBER = /^\d+(\.\d+)?(e[-+]?\d+)?$/;

const sha256 = (text) => crypto.createHash('sha256').update(text).digest('hex');
const capital = (s) => s[0].toUpperCase() + s.slice(1);

// Reads the rows of one data file as the literal texts that the file holds,
// so that the generated source carries the very same decimal numbers.
function parseRows(text, file) {
  const series = {};
  let coord = null;
  let block = null;
  for (const [n, line] of text.split('\n').entries()) {
    let m;
    if ((m = line.match(/^\s*([LBR])\s*:\s*\{\s*$/))) {
      coord = m[1];
      series[coord] = {};
      block = null;
    } else if ((m = line.match(/^\s*"(\d)"\s*:\s*\[\s*$/))) {
      if (!coord) throw new Error(`${file}:${n + 1}: block outside a coordinate`);
      block = m[1];
      series[coord][block] = [];
    } else if ((m = line.match(/^\s*\[([^\[\]]*)\]\s*,?\s*$/))) {
      if (!coord || block === null) throw new Error(`${file}:${n + 1}: row outside a block`);
      const v = m[1].split(',').map((s) => s.trim());
      if (v.length !== 3 || !v.every((s) => NUMBER.test(s))) {
        throw new Error(`${file}:${n + 1}: not a row of three numbers: ${line.trim()}`);
      }
      series[coord][block].push(v);
    } else if (/^\s*\]\s*,?\s*$/.test(line)) {
      block = null;
    } else if (/^\s*\}\s*,?\s*$/.test(line)) {
      coord = null;
    }
  }
  return series;
}

// The literal texts must give exactly the numbers that the module exports.
function crossCheck(rows, module, file) {
  for (const c of COORDS) {
    const keys = Object.keys(module[c] || {});
    if (keys.join() !== Object.keys(rows[c] || {}).join()) {
      throw new Error(`${file}: blocks of ${c} differ between text and module`);
    }
    for (const k of keys) {
      const a = rows[c][k];
      const b = module[c][k];
      if (a.length !== b.length) throw new Error(`${file}: ${c}${k} length differs`);
      a.forEach((row, i) => row.forEach((s, j) => {
        if (Number(s) !== b[i][j]) throw new Error(`${file}: ${c}${k} row ${i + 1} differs`);
      }));
    }
  }
}

// Turns the rows into the lines of the generated file and checks what the
// evaluation rule relies on: positive amplitudes, constant terms of phase 0
// or pi (at most one per block), periodic phases in [0, 2 pi) and positive
// frequencies.
function termLines(rows, file) {
  const out = {};
  const counts = {};
  for (const c of COORDS) {
    out[c] = [];
    counts[c] = [];
    const blocks = Object.keys(rows[c]).sort();
    blocks.forEach((k, i) => {
      if (Number(k) !== i || i > 5) throw new Error(`${file}: ${c} blocks not 0..n`);
    });
    for (const k of blocks) {
      let constants = 0;
      for (const [A, B, C] of rows[c][k]) {
        if (!(Number(A) > 0)) throw new Error(`${file}: ${c}${k}: amplitude ${A} not positive`);
        if (Number(C) === 0) {
          constants += 1;
          if (Number(B) === 0) out[c].push(`VSOP87D_ADD(${k}, ${A})`);
          else if (B === PHASE_PI) out[c].push(`VSOP87D_SUB(${k}, ${A})`);
          else throw new Error(`${file}: ${c}${k}: constant term of phase ${B}`);
        } else {
          if (!(Number(C) > 0)) throw new Error(`${file}: ${c}${k}: frequency ${C}`);
          if (!(Number(B) >= 0 && Number(B) < 2 * Math.PI)) {
            throw new Error(`${file}: ${c}${k}: phase ${B} outside [0, 2 pi)`);
          }
          out[c].push(`VSOP87D_COS(${k}, ${A}, ${B}, ${C})`);
        }
      }
      if (constants > 1) throw new Error(`${file}: ${c}${k}: ${constants} constant terms`);
      counts[c].push({ k, n: rows[c][k].length, constants });
    }
  }
  return { lines: out, counts };
}

// Canonical text of the term list: "<coordinate> <line>\n" for every term,
// coordinates in the order L, B, R.  Its SHA-256 is the term digest that the
// tests recompute from the compiled-in terms.
function canonical(lines) {
  return COORDS.map((c) => lines[c].map((l) => `${c} ${l}\n`).join('')).join('');
}

function render(body, dataFile, dataSha, lines, counts) {
  const name = `vsop87d_${body}.inc`;
  const digest = sha256(canonical(lines));
  const unit = { L: 'radians', B: 'radians', R: 'AU' };
  const total = { all: 0, periodic: 0 };
  const countLines = COORDS.map((c) => {
    const n = counts[c].reduce((s, b) => s + b.n, 0);
    const nc = counts[c].reduce((s, b) => s + b.constants, 0);
    total.all += n;
    total.periodic += n - nc;
    const parts = counts[c].map((b) => `${c}${b.k} ${b.n}`).join(', ');
    return `//   ${c}: ${n} terms (${parts}), ${nc} constant, A in ${unit[c]}`;
  });
  const head = [
    `// ${name} -- generated by tools/gen_vsop87d.mjs; do not edit by hand.`,
    '//',
    `// VSOP87 version D series of ${capital(body)} (P. Bretagnon and G. Francou,`,
    '// Astron. Astrophys. 202, 309 (1988)): heliocentric ecliptic longitude L,',
    '// latitude B and radius vector R, referred to the mean ecliptic and equinox',
    '// of date, complete, every block in the published order.',
    '//',
    `// Source: npm package ${PACKAGE}@${VERSION}, file data/${dataFile}`,
    `//   SHA-256 of that file: ${dataSha}`,
    '//',
    '// Units: a term is A*cos(B + C*Tau), Tau in Julian millennia of TT from',
    '// J2000.0; A in radians (L, B) or AU (R) per millennium^k in block k,',
    '// B in radians, C in radians per Julian millennium.',
    '//',
    '// Term counts:',
    ...countLines,
    `//   in all ${total.all} terms, ${total.periodic} periodic.`,
    '//',
    `// Term digest: ${digest}`,
    '//   (SHA-256 of the lines "<coordinate> <term line>\\n" below, L then B then R)',
    '//',
    '// One line per term, in published order within each block k:',
    '//   VSOP87D_COS(k, A, B, C)   periodic term',
    '//   VSOP87D_ADD(k, A)         constant term of phase 0: adds A',
    '//   VSOP87D_SUB(k, A)         constant term of phase pi: subtracts A',
    '// The includer defines these three macros and one of VSOP87D_L, VSOP87D_B,',
    '// VSOP87D_R to select the coordinate; VSOP87D_DIGEST, when defined,',
    '// receives the term digest.  No include guard: included once per',
    '// coordinate.',
    '',
  ];
  const body_ = [];
  for (const c of COORDS) {
    body_.push(`#ifdef VSOP87D_${c}`, ...lines[c], `#endif  // VSOP87D_${c}`, '');
  }
  body_.push('#ifdef VSOP87D_DIGEST', `VSOP87D_DIGEST("${digest}")`, '#endif', '');
  return { name, text: head.concat(body_).join('\n') };
}

async function generate(pkgDir) {
  const files = [];
  for (const body of BODIES) {
    const dataFile = `vsop87D${body}.js`;
    const full = path.join(pkgDir, 'data', dataFile);
    const text = fs.readFileSync(full, 'utf8');
    const rows = parseRows(text, dataFile);
    const module = (await import(pathToFileURL(full).href)).default;
    if (module.type !== 'D' || module.name !== body) {
      throw new Error(`${dataFile} is not the VSOP87D series of ${body}`);
    }
    crossCheck(rows, module, dataFile);
    const { lines, counts } = termLines(rows, dataFile);
    files.push(render(body, dataFile, sha256(text), lines, counts));
  }
  return files;
}

function writeWhole(file, text) {
  const tmp = `${file}.tmp-${process.pid}`;
  fs.writeFileSync(tmp, text);
  fs.renameSync(tmp, file);
}

async function main() {
  const argv = process.argv.slice(2);
  const check = argv.includes('--check');
  const pkg = openPackage(packageDirOption(argv));
  let failed = false;
  try {
    const files = await generate(pkg.dir);
    for (const f of files) {
      const target = path.join(OUT_DIR, f.name);
      if (check) {
        const have = fs.existsSync(target) ? fs.readFileSync(target, 'utf8') : null;
        const same = have === f.text;
        console.log(`${same ? 'same     ' : 'DIFFERENT'} src/series/${f.name}`);
        if (!same) failed = true;
      } else {
        writeWhole(target, f.text);
        console.log(`wrote src/series/${f.name}`);
      }
    }
  } finally {
    pkg.cleanup();
  }
  if (failed) {
    console.error('generated files differ from the committed ones; run without --check');
    process.exit(1);
  }
}

main().catch((e) => {
  console.error(`gen_vsop87d: ${e.message}`);
  process.exit(2);
});
