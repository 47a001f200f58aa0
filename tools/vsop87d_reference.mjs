#!/usr/bin/env node
// Prints reference values of the VSOP87D series for tests/series: the
// heliocentric longitude, latitude (degrees) and radius vector (AU) of the
// Earth, Venus, Mars, Jupiter and Saturn at Tau = 0, +-0.1 and +-4 Julian
// millennia, computed by the independent VSOP87 evaluator of the npm package
// astronomia@4.2.0 (module planetposition, Planet.position, equinox of
// date).  That evaluator sums each block in reverse order, takes the cosine
// of the unreduced argument, combines the blocks by Horner's rule and
// reduces the longitude modulo 2 pi, so it agrees with lunarfix to rounding
// only, and its longitudes are to be compared modulo 360 degrees.
//
//   node tools/vsop87d_reference.mjs [--package-dir DIR]
//
// The output is C++ initialiser rows { body, Tau, L, B, R } to be pasted
// into tests/series/series_reference_test.cpp.

import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { openPackage, packageDirOption, PACKAGE, VERSION } from './astronomia_pkg.mjs';

const BODIES = ['earth', 'venus', 'mars', 'jupiter', 'saturn'];
const TAUS = [-4, -0.1, 0, 0.1, 4];
const J2000 = 2451545.0;

const fmt = (v) => v.toPrecision(17);

async function main() {
  const pkg = openPackage(packageDirOption(process.argv.slice(2)));
  try {
    const imp = (rel) => import(pathToFileURL(path.join(pkg.dir, rel)).href);
    const { Planet } = await imp('src/planetposition.js');
    console.log(`// Produced by tools/vsop87d_reference.mjs with ${PACKAGE}@${VERSION}`);
    console.log('// (planetposition.Planet(vsop87D<body>).position(jde), jde = 2451545 +');
    console.log('// 365250 Tau): { body, Tau, L deg, B deg, R AU }.');
    for (const body of BODIES) {
      const data = (await imp(`data/vsop87D${body}.js`)).default;
      const planet = new Planet(data);
      for (const tau of TAUS) {
        // position() forms T = (jde - J2000)/36525 and Tau = T*0.1; for
        // these Tau both steps are exact, so it sees Tau itself.
        const jde = J2000 + 36525 * (tau * 10);
        const T = (jde - J2000) / 36525;
        if (T * 0.1 !== tau) throw new Error(`Tau ${tau} not reproduced exactly`);
        const p = planet.position(jde);
        const deg = 180 / Math.PI;
        console.log(`    {"${body}", ${tau}, ${fmt(p.lon * deg)}, ${fmt(p.lat * deg)}, ${fmt(p.range)}},`);
      }
    }
  } finally {
    pkg.cleanup();
  }
}

main().catch((e) => {
  console.error(`vsop87d_reference: ${e.message}`);
  process.exit(2);
});
