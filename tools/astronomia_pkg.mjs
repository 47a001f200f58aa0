// Fetches and unpacks the npm package astronomia@4.2.0, the source of the
// VSOP87D coefficients and the independent evaluator used for the series'
// reference values.  Used by gen_vsop87d.mjs and vsop87d_reference.mjs.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const PACKAGE = 'astronomia';
export const VERSION = '4.2.0';

// Returns { dir, cleanup }: dir is the unpacked package folder.  With
// packageDir given (an already unpacked copy) nothing is fetched.
export function openPackage(packageDir) {
  if (packageDir) {
    checkVersion(packageDir);
    return { dir: path.resolve(packageDir), cleanup() {} };
  }
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'lunarfix-astronomia-'));
  const cleanup = () => fs.rmSync(tmp, { recursive: true, force: true });
  try {
    const out = execFileSync('npm', ['pack', `${PACKAGE}@${VERSION}`, '--silent'],
                             { cwd: tmp, encoding: 'utf8',
                               stdio: ['ignore', 'pipe', 'inherit'] });
    const tgz = out.trim().split('\n').pop().trim();
    if (!tgz || !fs.existsSync(path.join(tmp, tgz))) {
      throw new Error(`npm pack did not leave a tarball (output: ${out})`);
    }
    execFileSync('tar', ['xzf', tgz], { cwd: tmp, stdio: 'inherit' });
    const dir = path.join(tmp, 'package');
    checkVersion(dir);
    return { dir, cleanup };
  } catch (e) {
    cleanup();
    throw e;
  }
}

function checkVersion(dir) {
  const pj = JSON.parse(fs.readFileSync(path.join(dir, 'package.json'), 'utf8'));
  if (pj.name !== PACKAGE || pj.version !== VERSION) {
    throw new Error(`${dir} holds ${pj.name}@${pj.version}, not ${PACKAGE}@${VERSION}`);
  }
}

// Parses the --package-dir option common to both tools.
export function packageDirOption(argv) {
  const i = argv.indexOf('--package-dir');
  if (i < 0) return undefined;
  if (i + 1 >= argv.length) throw new Error('--package-dir needs a folder');
  return argv[i + 1];
}
