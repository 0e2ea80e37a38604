// SPDX-License-Identifier: GPL-3.0-or-later
// The report of momento-ultimo-cli opened in headless Chromium: hostile
// titles and names stay text (no dialog, no request), and in every figure
// no label leaves the drawing or lies on another.
//   node report_test.mjs CLI FILES_DIR CASES_DIR [FIGURES.png]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [cli, files, cases, figures] = process.argv.slice(2);
const BEAM = ['-b', '30', '-h', '50', '-c', '3.5', '--fcd', '110', '--fsd', '3304', '--As', '10', '--As1', '5'];
let failures = 0;
function expect(what, actual, expected) {
  if (JSON.stringify(actual) === JSON.stringify(expected)) { console.log('ok: ' + what); return; }
  console.log('FAIL: ' + what + '\n  expected: ' + JSON.stringify(expected) + '\n  actual:   ' + JSON.stringify(actual));
  ++failures;
}

const work = mkdtempSync(join(tmpdir(), 'relazione-'));
// The report of these options, written into the work folder; its path.
function report(name, options) {
  const path = join(work, name + '.html');
  try {
    execFileSync(cli, ['relazione', ...options, '--data', '2026-12-07', '-o', path], { stdio: ['ignore', 'pipe', 'pipe'] });
  } catch (error) {
    if (error.status !== 1) throw error;  // 1: a combination not verified, the report written
  }
  return path;
}

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--disable-quic'],
});
try {
  const page = await browser.newPage();
  const dialogs = [], outside = [];
  page.on('dialog', async (dialog) => { dialogs.push(dialog.message()); await dialog.dismiss(); });
  page.on('request', (request) => { if (!/^(file|data|blob):/.test(request.url())) outside.push(request.url()); });

  // Hostile titles and combination names: shown as written, nothing run, nothing fetched.
  const hostile = ['</style><script>alert(1)</script>', 'T1\f}}.relazione{background:url(http://127.0.0.1:9/leak)}',
                   '<img src=x onerror=alert(2)>"\'\\', '</title><svg onload=alert(3)>'];
  writeFileSync(join(work, 'names.csv'), 'combinazione;Nd;Md\n' +
                hostile.map((name) => '"' + name.replaceAll('"', '""') + '";0;1000\n').join(''));
  // A control character, which no XML text may hold, shows as U+FFFD.
  const shown = (text) => text.replace(/[\u0000-\u0008\u000b\u000c\u000e-\u001f\u007f]/g, '\ufffd');
  for (const [i, title] of hostile.entries()) {
    const path = report('hostile' + i, [...BEAM, '--titolo', title, '--verifica', join(work, 'names.csv')]);
    await page.goto('file://' + path);
    await new Promise((resolve) => setTimeout(resolve, 300));
    expect('title ' + i + ' shown as written', await page.$eval('h1', (h) => h.textContent), shown(title));
    expect('names shown as written, title ' + i,
           await page.$$eval('table', (tables) => [...tables.at(-3).querySelectorAll('tbody tr')].map((row) => row.cells[0].textContent)),
           hostile.map(shown));
  }
  expect('no dialog opened', dialogs, []);
  expect('no request left', outside, []);

  // Every figure of the dossier's cases and of the hard ones: labels inside, none on another.
  const sections = {};
  for (const file of readdirSync(cases).filter((name) => /^0[1-6].*\.csv$/.test(name)).sort()) {
    const [, b, h, c, As, As1, fsd, fcd, Nd] = readFileSync(join(cases, file), 'utf8').split('\n')[1].split(';');
    sections[file] = ['-b', b, '-h', h, '-c', c.replace(',', '.'), '--As', As, '--As1', As1, '--fsd', fsd, '--fcd', fcd,
                      '--Nd', Nd.trim() || '0'];
  }
  expect('the dossier\'s six cases', Object.keys(sections).length, 6);
  Object.assign(sections, {
    strip: ['-b', '3040', ...BEAM.slice(2)],
    'Nd 150000': [...BEAM, '--Nd', '150000'],
    'N,mm': ['-b', '300', '-h', '500', '-c', '40', '--fcd', '14.17', '--fsd', '391.3', '--As', '1500', '--As1', '600',
             '--unita', 'N,mm'],
    'with combinations': [...BEAM, '--verifica', join(files, 'combinations.csv')],
  });
  const shots = [];
  for (const [name, options] of Object.entries(sections)) {
    await page.goto('file://' + report(name.replace(/\W/g, '_'), options));
    const faults = await page.$$eval('figure svg', (svgs) => svgs.flatMap((svg, figure) => {
      const [, , width, height] = svg.getAttribute('viewBox').split(' ').map(Number);
      const boxes = [...svg.querySelectorAll('text')].map((text) => ({ text: text.textContent, box: text.getBBox() }));
      const found = [];
      for (const { text, box } of boxes)
        if (box.x < 0 || box.y < 0 || box.x + box.width > width || box.y + box.height > height)
          found.push(figure + ': «' + text + '» leaves the drawing');
      for (let i = 0; i < boxes.length; ++i)
        for (let j = i + 1; j < boxes.length; ++j) {
          const a = boxes[i].box, b = boxes[j].box;
          if (a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height)
            found.push(figure + ': «' + boxes[i].text + '» on «' + boxes[j].text + '»');
        }
      return found;
    }));
    expect(name + ': every label inside its figure and on no other', faults, []);
    if (figures) shots.push(await (await page.$('figure svg')).screenshot());
  }
  if (figures) {
    // The section figures one under another, to look at.
    const sheet = await browser.newPage();
    await sheet.setContent(shots.map((shot) => '<img style="display:block" src="data:image/png;base64,' +
                                               Buffer.from(shot).toString('base64') + '">').join(''));
    await sheet.screenshot({ path: figures, fullPage: true });
  }
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
process.exit(failures > 0 ? 1 : 0);
