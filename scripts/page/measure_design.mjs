// SPDX-License-Identifier: GPL-3.0-or-later
// progetto in the page, from the click to the proposals shown, 7 times.
//   node measure_design.mjs PAGE.html COMBINATIONS.csv
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';

const [pageFile, combinations] = process.argv.slice(2);
// puppeteer-core as the page's tests pin it.
const require = createRequire(join(process.cwd(), 'tests', 'web', 'package.json'));
const puppeteer = require('puppeteer-core');
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'] });
try {
  const page = await browser.newPage();
  await page.goto('file://' + pageFile + '#unita=kg,cm&calcestruzzo=C25/30&acciaio=B450C&b=30&h=50&c=3.5');
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
  await page.$eval('#combinazioni', (area, text) => { area.value = text; }, readFileSync(combinations, 'utf8'));
  await page.select('#sel_Compressa', 'simmetrica');
  const times = [];
  for (let run = 0; run < 7; ++run)
    times.push(await page.evaluate(() => {
      const start = performance.now();
      document.getElementById('cmd_Progetto').click();  // the whole design and its display, synchronous
      return performance.now() - start;
    }));
  times.sort((a, b) => a - b);
  console.log('page, click to proposals shown: median ' + times[3].toFixed(1) + ' ms (' + times.map((t) => t.toFixed(1)).join(' ') + ')');
} finally {
  await browser.close();
}
