// SPDX-License-Identifier: GPL-3.0-or-later
// The page's speed in headless Chromium, measured in one run: time until
// cmd_Calc can be clicked against a minimal single-file page, a click to
// its results, the domain with 200 points, and lotto on generated sections
// against the command line on the same file; medians of paired runs.
//   node measure_page.mjs PAGE.html MINIMAL.html SECTIONS.csv CLI WORK_DIR
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { join } from 'node:path';

// puppeteer-core as the page's tests install it.
const puppeteer = createRequire(new URL('../../tests/web/package.json', import.meta.url))('puppeteer-core');

const [pageFile, minimalFile, sections, cli, work] = process.argv.slice(2);
const RUNS = 7;
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--disable-quic'],
});

// From navigation to the button enabled, as the page's own clock tells it;
// and to its load event, which the navigation waits for first.
async function untilReady(file) {
  const page = await browser.newPage();
  await page.goto('file://' + file);
  await page.waitForFunction(() => document.body.dataset.ready === 'true', { polling: 'mutation' });
  const [ms, load] = await page.evaluate(() => [performance.now(), performance.getEntriesByType('navigation')[0].loadEventEnd]);
  await page.close();
  return { ms, load };
}

// A fresh browser's first loads fill its own caches (fonts, processes): not the page's time.
const WARM_UP = 2;
for (let i = 0; i < WARM_UP; ++i) {
  await untilReady(minimalFile);
  await untilReady(pageFile);
}
const minimal = [], full = [];
for (let i = 0; i < RUNS; ++i) {  // paired, alternating
  minimal.push(await untilReady(minimalFile));
  full.push(await untilReady(pageFile));
}
const ready = (runs) => median(runs.map((run) => run.ms)), load = (runs) => median(runs.map((run) => run.load));
console.log(`until cmd_Calc is enabled: page ${ready(full).toFixed(1)} ms, minimal page ${ready(minimal).toFixed(1)} ms, ` +
            `ratio ${(ready(full) / ready(minimal)).toFixed(2)}`);
console.log(`  of which until the load event: page ${load(full).toFixed(1)} ms, minimal page ${load(minimal).toFixed(1)} ms`);

const page = await browser.newPage();
await page.goto('file://' + pageFile);
await page.waitForFunction(() => document.body.dataset.ready === 'true');
for (const [id, text] of Object.entries({ txt_B: '30', txt_H: '50', txt_As: '10', txt_As1: '5', txt_Nd: '49500' }))
  await page.$eval('#' + id, (field, value) => { field.value = value; }, text);
const click = await page.evaluate(() => {
  const times = [];
  for (let i = 0; i < 50; ++i) {
    const start = performance.now();
    document.getElementById('cmd_Calc').click();
    times.push(performance.now() - start);
  }
  return times.sort((a, b) => a - b)[25];
});
console.log(`a calculation, click to results: ${click.toFixed(2)} ms`);
const domain = await page.evaluate(() => {
  const start = performance.now();
  // No combinations; no class, grade or units.
  const result = JSON.parse(Module.ccall('mu_domain', 'string', ['string', 'number', 'number', 'string', 'string', 'string', 'string'],
    [['30', '50', '10', '5', '3304', '110', '3.5', ''].join('\u001f'), 46, 199, '', '', '', '']));
  document.getElementById('disegno').innerHTML = result.svg;
  document.getElementById('disegno').getBoundingClientRect();  // laid out
  return [performance.now() - start, result.points.length - 1];
});
console.log(`the domain with ${domain[1] / 2} points a branch and its drawing: ${domain[0].toFixed(1)} ms`);
// lotto: the command line, then the page, on the same file, RUNS times.
const command = [], inPage = [];
for (let i = 0; i < RUNS; ++i) {
  let started = Date.now();
  try { execFileSync(cli, ['lotto', sections, '-o', join(work, 'results.csv')], { stdio: 'ignore' }); } catch { /* refused rows */ }
  command.push(Date.now() - started);
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
  started = Date.now();
  await (await page.$('#file_lotto')).uploadFile(sections);
  await page.waitForFunction(() => !document.getElementById('scarica').hidden, { timeout: 600000, polling: 'mutation' });
  inPage.push(Date.now() - started);
}
console.log(`lotto: page ${(median(inPage) / 1000).toFixed(2)} s, command line ${(median(command) / 1000).toFixed(2)} s, ` +
            `ratio ${(median(inPage) / median(command)).toFixed(2)}`);
await browser.close();
