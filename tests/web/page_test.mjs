// SPDX-License-Identifier: GPL-3.0-or-later
// The page driven in headless Chromium (or Firefox ESR, PAGE_BROWSER=firefox)
// as a user drives it, in an Italian and an English browser, against
// momento-ultimo-cli on the same inputs.
//   node page_test.mjs PAGE.html CLI FILES_DIR [SCREENSHOT.png]
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [page_file, cli, files, screenshot] = process.argv.slice(2);
const BEAM = { txt_B: '30', txt_H: '50', txt_D1: '3.5', txt_Fcd: '110', txt_Fsd: '3304', txt_As: '10', txt_As1: '5' };
const OPTION = { txt_B: '-b', txt_H: '-h', txt_D1: '-c', txt_Fcd: '--fcd', txt_Fsd: '--fsd', txt_As: '--As', txt_As1: '--As1', txt_Nd: '--Nd' };
let failures = 0;
function expect(what, actual, expected) {
  if (actual === expected) { console.log('ok: ' + what); return; }
  // The first line that differs, for long texts.
  const a = String(actual).split('\n'), e = String(expected).split('\n');
  let line = 0;
  while (line < a.length && a[line] === e[line]) ++line;
  console.log('FAIL: ' + what + ' (line ' + (line + 1) + ')\n  expected: ' + JSON.stringify(e[line]) +
              '\n  actual:   ' + JSON.stringify(a[line]));
  ++failures;
}

// What momento-ultimo-cli writes and says, whatever its exit status.
function runCli(locale, args, encoding = 'utf8') {
  try {
    const out = execFileSync(cli, args, { env: { ...process.env, LC_ALL: locale }, stdio: ['ignore', 'pipe', 'pipe'] });
    return { out: out.toString(encoding), err: '' };
  } catch (error) {
    return { out: error.stdout.toString(encoding), err: error.stderr.toString('utf8') };
  }
}

// Chromium, or Firefox ESR through WebDriver BiDi where PAGE_BROWSER=firefox.
const firefox = process.env.PAGE_BROWSER === 'firefox';
const browser = await puppeteer.launch(firefox
  ? { product: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr', headless: true }
  : { executablePath: '/usr/bin/chromium', headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--disable-quic'] });
// What only Chromium's own protocol can do here, said once rather than left out unsaid.
const chromiumOnly = (what) => { console.log('skipped in Firefox: ' + what); };
const downloads = mkdtempSync(join(tmpdir(), 'pagina-'));
// Read one byte a character: what is not ASCII is written as an escape, and shown as itself (below).
expect('the page written in ASCII', readFileSync(page_file).every((byte) => byte < 0x80), true);
try {
  for (const [language, locale, mark] of [['it-IT', 'it_IT.UTF-8', ','], ['en-US', 'C.UTF-8', '.']]) {
    const page = await browser.newPage();
    // In Firefox a file's page cannot fetch its own blob URLs: each one is kept with its blob.
    if (firefox)
      await page.evaluateOnNewDocument(() => {
        window.offeredBlobs = new Map();
        const create = URL.createObjectURL;
        URL.createObjectURL = (blob) => {
          const url = create(blob);
          window.offeredBlobs.set(url, blob);
          return url;
        };
      });
    await page.evaluateOnNewDocument((lang) => {
      Object.defineProperty(navigator, 'language', { get: () => lang });
      Object.defineProperty(navigator, 'languages', { get: () => [lang] });
    }, language);
    const outside = [];
    page.on('request', (request) => { if (!/^(file|data|blob):/.test(request.url())) outside.push(request.url()); });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.setViewport({ width: 1300, height: 950 });
    await page.goto('file://' + page_file);
    await page.waitForFunction(() => document.body.dataset.ready === 'true', { timeout: 20000 });
    expect(language + ': focus starts in txt_Nd', await page.evaluate(() => document.activeElement.id), 'txt_Nd');
    await page.select('#sel_Unita', '');  // as the previous language's run may have left them
    expect(language + ': the window\'s caption', await page.$eval('h1', (title) => title.textContent),
           'Momento Ultimo Sezione Rettangolare');


    const fill = async (fields) => {
      for (const [id, text] of Object.entries(fields)) {
        await page.click('#' + id, { clickCount: 3 });
        await page.keyboard.press('End');
        await page.$eval('#' + id, (element) => element.select());
        await page.keyboard.press('Backspace');
        if (text) await page.type('#' + id, text);
      }
    };
    const read = (id) => page.$eval('#' + id, (element) => element.value);

    // The window as the window: its labels wrap within their rectangles, Enter in a field runs Calcola.
    await page.click('#Cmd_UM');
    expect(language + ': the units note whole, on two lines', await page.$eval('#Lbl_UM', (note) =>
      note.scrollHeight <= note.clientHeight && note.getClientRects().length === 1 && note.clientHeight > 20), true);
    await page.click('#Lbl_UM');
    await fill({ ...BEAM, txt_Nd: '49500' });
    await page.focus('#txt_Nd');
    await page.keyboard.press('Enter');
    expect(language + ': Enter in a field runs Calcola', await page.$eval('#txt_Mu', (field) => field.value), '2055640');
    expect(language + ': Mu and Yc announced', await page.$eval('#annuncio', (live) => live.getAttribute('aria-live') + ' ' + live.textContent),
           'polite Mu = 2055640, Yc = ' + (mark === ',' ? '25,00758' : '25.00758'));
    // A screen reader names each field by its caption, at a desktop's width and at a phone's.
    const fields = await page.$$eval('#form1 input.control', (all) => all.map((field) => [field.id, field.title]));
    expect(language + ': the window\'s fields', fields.length, 11);
    for (const width of [1280, 360]) {
      await page.setViewport({ width, height: 900 });
      if (firefox) {
        chromiumOnly('the accessibility snapshot at ' + width + ' px');
        continue;
      }
      const names = [];
      for (const [id] of fields) names.push((await page.accessibility.snapshot({ root: await page.$('#' + id) }))?.name);
      expect(language + ': each field named by its caption at ' + width + ' px', names.join(' | '), fields.map(([, caption]) => caption).join(' | '));
    }
    await page.setViewport({ width: 1300, height: 950 });
    // The units note opens and closes from the keyboard, and the focus goes back to its button.
    await page.focus('#Cmd_UM');
    await page.keyboard.press('Enter');
    const focused = () => page.evaluate(() => document.activeElement.id);
    const noteOpened = [await focused(), await page.$eval('#Lbl_UM', (note) => note.hidden)].join(' ');
    await page.keyboard.press('Escape');
    expect(language + ': the units note from the keyboard', [noteOpened, await focused(), await page.$eval('#Lbl_UM', (note) => note.hidden)].join(' '),
           'Lbl_UM false Cmd_UM true');

    // No size stops the page: fields and title bounded, too many combinations said, the page still working.
    await page.$eval('#txt_B', (field) => { field.value = ''; });
    await page.type('#txt_B', '3'.repeat(70));
    expect(language + ': a field takes at most 64 characters', await page.$eval('#txt_B', (field) => field.value.length), 64);
    await page.$eval('#txt_B', (field) => { field.value = '30'; });
    const typedCombinations = await page.$eval('#combinazioni', (area) => area.value);
    await page.$eval('#combinazioni', (area) => { area.value = 'Nd;Md\n' + '0;1000\n'.repeat(40000); });
    await page.click('#cmd_Dominio');
    expect(language + ': too many combinations, said', await page.$eval('#messaggio_testo', (text) => text.textContent),
           'le combinazioni superano 200.000 caratteri: per file più grandi, momento-ultimo-cli dominio --verifica');
    await page.keyboard.press('Enter');
    await page.$eval('#combinazioni', (area, value) => { area.value = value; }, typedCombinations);
    await page.click('#cmd_Calc');
    expect(language + ': the page still works', await page.$eval('#txt_Mu', (field) => field.value), '2055640');

    // The section kept over a reload and carried by a link.
    await page.$eval('#combinazioni', (area) => { area.value = ''; });
    await page.type('#combinazioni', '0' + (mark === ',' ? ';' : ',') + '1000');
    await page.$eval('#txt_Titolo', (field) => { field.value = ''; });
    await page.type('#txt_Titolo', 'Pilastro');
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    const values = (ids) => page.evaluate((list) => list.map((id) => document.getElementById(id).value).join(' '), ids);
    expect(language + ': a reload keeps the section', await values(['txt_B', 'txt_H', 'txt_Nd', 'combinazioni', 'txt_Titolo']),
           '30 50 49500 0' + (mark === ',' ? ';' : ',') + '1000 Pilastro');
    await page.click('#cmd_Collegamento');
    await page.waitForFunction(() => document.getElementById('collegamento').textContent !== '');
    const link = await page.$eval('#collegamento', (output) => output.textContent.replace(/^Copiato: /, ''));
    expect(language + ': the link of the section', link.split('#')[1], 'b=30&h=50&As=10&As1=5&fsd=3304&fcd=110&c=3.5&Nd=49500');
    await page.goto('file://' + page_file + '#b=40&h=60&c=4&fcd=110&fsd=3304&As=12&As1=6&Nd=1000');
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    expect(language + ': a link fills the fields', await values(['txt_B', 'txt_H', 'txt_D1', 'txt_As', 'txt_As1', 'txt_Nd']),
           '40 60 4 12 6 1000');
    // A link is the whole section: a field it does not give is emptied, and what was computed is cleared.
    await page.click('#cmd_Calc');
    await page.$eval('#txt_Nd', (field) => { field.value = '150000'; });
    await page.goto('file://' + page_file + '#b=30&h=50&As=10&As1=5&fsd=3304&fcd=110&c=3%2C5');
    expect(language + ': a link without Nd empties it, and clears d, Mu and Yc',
           await values(['txt_Nd', 'txt_D', 'txt_Mu', 'txt_Yc']), '   ');
    await page.click('#cmd_Calc');
    expect(language + ': a link without Nd computes pure bending', await values(['txt_Mu']), '1426430');
    // A reload keeps what the user typed after opening the link.
    await page.$eval('#txt_As', (field) => { field.value = '16'; field.dispatchEvent(new Event('input', { bubbles: true })); });
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    expect(language + ': a reload after a link keeps the edits', await values(['txt_As', 'txt_B']), '16 30');
    // No link can keep the page from working: it takes what it can read and says what it left.
    for (const [hash, said, fields] of [
      ['b=30%', 'b (non leggibile)', ' '],
      ['b=30&b=40&zzz=1&h=' + 'x'.repeat(10000) + '&' + 'k'.repeat(30) + '=1', 'b (ripetuto), zzz (sconosciuto), h (troppo lungo), ' + 'k'.repeat(20) + '… (sconosciuto)', '30 '],
    ]) {
      await page.goto('about:blank');
      await page.goto('file://' + page_file + '#' + hash);
      await page.waitForFunction(() => document.body.dataset.ready === 'true', { timeout: 20000 });
      expect(language + ': a broken link, the page ready and saying what it left: ' + said.slice(0, 40),
             [await page.$eval('#collegamento', (output) => output.textContent), await values(['txt_B', 'txt_H']),
              await page.$eval('#cmd_Calc', (button) => button.disabled)].join(' | '),
             'Dal collegamento non si è letto: ' + said + ' | ' + fields + ' | false');
    }
    // Classes, grades and bars beside the window: the command line's section and figures, and a link that reopens them.
    await page.goto('about:blank');
    await page.goto('file://' + page_file + '#b=300&h=500&c=40');
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    const choosers = () => page.evaluate(() => ['sel_Unita', 'sel_Calcestruzzo', 'sel_Acciaio', 'sel_Elemento']
      .map((id) => document.getElementById(id).value + (document.getElementById(id).disabled ? '(off)' : '')).join(' '));
    expect(language + ': without units the class and the grade are off, and say why',
           (await choosers()) + ' | ' + await page.$eval('#nota_materiali', (note) => note.hidden ? '' : note.textContent),
           ' (off) (off) trave | Classi, acciai e barre hanno un valore solo in unità dichiarate: scegliere prima le unità.');
    await fill({ txt_Fcd: '14', txt_Fsd: '391', txt_As: '4Ø16', txt_As1: '0' });
    await page.click('#cmd_Calc');
    expect(language + ': bars without units are refused, never read as a number',
           await page.$eval('#messaggio_testo', (text) => text.textContent),
           'una classe di calcestruzzo, un acciaio o delle barre hanno un valore solo in unità dichiarate: scegliere le unità accanto alla finestra');
    await page.keyboard.press('Enter');
    await page.select('#sel_Unita', 'N,mm');
    await page.select('#sel_Calcestruzzo', 'C25/30');
    await page.select('#sel_Acciaio', 'B450C');
    expect(language + ': the class and the grade fill fcd and fsd in the units', await values(['txt_Fcd', 'txt_Fsd']),
           mark === ',' ? '14,16667 391,3043' : '14.16667 391.3043');  // as the derivations write them
    await fill({ txt_As: '3Ø20+2Ø16', txt_As1: '2 fi 12' });
    const derivations = () => page.$$eval('#derivazioni li', (items) => items.map((item) => item.textContent).join('\n'));
    const section = ['-b', '300', '-h', '500', '-c', '40', '--calcestruzzo', 'C25/30', '--acciaio', 'B450C', '--As', '3Ø20+2Ø16',
                     '--As1', '2Ø12', '--unita', 'N,mm'];
    expect(language + ': the areas the bars give, as --dettagli derives them', await derivations(),
           runCli(locale, [...section, '--dettagli']).out.split('\n').slice(0, 4).join('\n'));
    await page.click('#cmd_Calc');
    const byCli = runCli(locale, section).out.split('\n');
    const rulesShown = () => page.$$eval('#regole li', (items) => items.map((item) => '  ' + item.textContent).join('\n'));
    expect(language + ': Mu, Yc and the rules as the command line gives them',
           ['d = ' + await read('txt_D'), 'Mu = ' + await read('txt_Mu'), 'Yc = ' + await read('txt_Yc'), await rulesShown()].join('\n'),
           [...byCli.slice(0, 3), ...byCli.slice(4, 8)].join('\n'));
    await page.select('#sel_Elemento', 'pilastro');
    await page.click('#cmd_Calc');
    expect(language + ': a column\'s rules', await page.$$eval('#regole li', (items) => items.map((item) => item.className).join(' ')),
           'rispettata rispettata informativa');
    await page.click('#cmd_Collegamento');
    await page.waitForFunction(() => document.getElementById('collegamento').textContent !== '');
    const materialsLink = await page.$eval('#collegamento', (output) => output.textContent.replace(/^Copiato: /, ''));
    expect(language + ': the link carries the class, the grade, the bars, the units and the element', materialsLink.split('#')[1],
           'b=300&h=500&As=3%C3%9820%2B2%C3%9816&As1=2%20fi%2012&fsd=' + (mark === ',' ? '391%2C3043' : '391.3043') +
           '&fcd=' + (mark === ',' ? '14%2C16667' : '14.16667') + '&c=40&unita=N%2Cmm&calcestruzzo=C25%2F30&acciaio=B450C&elemento=pilastro');
    await page.goto('about:blank');
    await page.goto('file://' + page_file + '#calcestruzzo=C25/30&acciaio=B450C&As=3%C3%9820%2B2%C3%9816&As1=2%C3%9812&unita=N,mm&b=300&h=500&c=40');
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    expect(language + ': a link with classes and bars reopens them', (await choosers()) + ' | ' + await values(['txt_Fcd', 'txt_As']),
           'N,mm C25/30 B450C trave | ' + (mark === ',' ? '14,16667' : '14.16667') + ' 3Ø20+2Ø16');
    await page.click('#cmd_Calc');
    expect(language + ': and computes the same section', 'Mu = ' + await read('txt_Mu'), byCli[1]);
    // Progetto: the worked beam's steel for the combinations typed, as progetto gives it, and a proposal used.
    await page.goto('about:blank');
    await page.goto('file://' + page_file + '#unita=kg,cm&calcestruzzo=C25/30&acciaio=B450C&b=30&h=50&c=' + (mark === ',' ? '3%2C5' : '3.5'));
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    const worked = readFileSync(join(files, '..', '..', '..', 'docs', 'combinazioni.csv'), 'utf8');
    const combinationsBefore = await page.$eval('#combinazioni', (area) => area.value);
    await page.$eval('#combinazioni', (area, text) => { area.value = text; }, worked);
    await page.select('#sel_Compressa', 'simmetrica');
    const designStarted = Date.now();
    await page.click('#cmd_Progetto');
    await page.waitForFunction(() => document.getElementById('progetto_esito').textContent !== '');
    console.log('  progetto in the page, click to text: ' + (Date.now() - designStarted) + ' ms');
    const byProgetto = runCli(locale, ['progetto', '-b', '30', '-h', '50', '-c', '3.5', '--calcestruzzo', 'C25/30', '--acciaio', 'B450C',
                                       '--simmetrica', '--verifica', join(files, '..', '..', '..', 'docs', 'combinazioni.csv'), '--unita', 'kg,cm']).out;
    const upToReport = (text) => text.split('relazione della prima proposta:')[0];
    expect(language + ': progetto in the page, as the command line gives it', upToReport(await page.$eval('#progetto_esito', (pre) => pre.textContent)),
           upToReport(byProgetto));
    expect(language + ': its proposals to use', await page.$$eval('#proposte button', (buttons) => buttons.map((b) => b.textContent).join(' | ')),
           'Usa 3Ø14+1Ø12 | Usa 3Ø16 | Usa 1Ø14+4Ø12');
    await page.click('#proposte button');
    const byBars = runCli(locale, ['-b', '30', '-h', '50', '-c', '3.5', '--calcestruzzo', 'C25/30', '--acciaio', 'B450C', '--As', '3Ø14+1Ø12',
                                   '--As1', '3Ø14+1Ø12', '--unita', 'kg,cm']).out.split('\n');
    expect(language + ': a proposal used fills As and As\' and computes', [await read('txt_As'), await read('txt_As1'), 'Mu = ' + await read('txt_Mu')].join(' '),
           '3Ø14+1Ø12 3Ø14+1Ø12 ' + byBars[1]);
    expect(language + ': no Md and no combinations, said', await (async () => {
      await page.$eval('#combinazioni', (area) => { area.value = ''; });
      await page.click('#cmd_Progetto');
      const said = await page.$eval('#messaggio_testo', (text) => text.textContent);
      await page.keyboard.press('Enter');
      return said;
    })(), 'scrivere Md, o le combinazioni nel riquadro sopra');
    await page.select('#sel_Compressa', 'fissa');
    await page.$eval('#combinazioni', (area, text) => { area.value = text; area.dispatchEvent(new Event('input', { bubbles: true })); }, combinationsBefore);
    await page.goto('about:blank');
    await page.goto('file://' + page_file + '#unita=kg,cm&calcestruzzo=C99/99&elemento=soletta&b=30');
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    expect(language + ': a chooser\'s value it does not have is said', await page.$eval('#collegamento', (output) => output.textContent),
           'Dal collegamento non si è letto: calcestruzzo (non ammesso), elemento (non ammesso)');
    await page.goto('about:blank');
    await page.goto('file://' + page_file + '#b=40&h=60&c=4&fcd=110&fsd=3304&As=12&As1=6&Nd=1000');
    await page.waitForFunction(() => document.body.dataset.ready === 'true');

    // A phone: fields a finger can use, readable text and chart, every column reachable, nothing wider than the screen.
    await page.setViewport({ width: 360, height: 740 });
    await page.click('#cmd_Dominio');
    expect(language + ': a phone\'s width, no sideways scrolling',
           await page.evaluate(() => document.documentElement.scrollWidth <= 360), true);
    expect(language + ': a phone\'s fields', await page.evaluate((ids) => ids.filter((id) => {
      const field = document.getElementById(id), box = field.getBoundingClientRect();
      return box.height < 40 || parseFloat(getComputedStyle(field).fontSize) < 16 ||
             (!field.readOnly && field.inputMode !== 'decimal');
    }).join(' '), [...Object.keys(OPTION), 'txt_D', 'txt_Mu', 'txt_Yc']), '');
    expect(language + ': a phone reaches every column', await page.$eval('#verdetti', (table) => {
      const scroller = table.parentElement;
      scroller.scrollLeft = scroller.scrollWidth;
      const last = table.rows[0].cells[table.rows[0].cells.length - 1].getBoundingClientRect();
      return last.right <= scroller.getBoundingClientRect().right + 1 && last.left >= 0;
    }), true);
    const opening = page.url();
    await page.goto('about:blank');
    await page.goto(opening);
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    expect(language + ': a phone opens at the title, typing in Nd', await page.evaluate(() => [window.scrollY, document.activeElement.id].join(' ')),
           '0 txt_Nd');
    await page.click('#cmd_Dominio');
    // The chart's labels as a reader sees them, from a small laptop up: at least 12 px, ticks grouped, units on the axes.
    const chartLabels = async () => page.$eval('#disegno svg', async (svg) => {
      await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
      const scale = svg.getBoundingClientRect().width / 800;
      const [left, , width] = svg.getAttribute('viewBox').split(' ').map(Number);
      const cut = [...svg.querySelectorAll('text')].filter((text) => {
        const box = text.getBBox();
        return box.x < left || box.x + box.width > left + width;
      });
      if (cut.length > 0) return 'cut: ' + cut.map((text) => text.textContent).join(', ');
      return Math.min(...[...svg.querySelectorAll('text')].map((text) => parseFloat(getComputedStyle(text).fontSize) * scale));
    });
    for (const width of [1024, 1920]) {
      await page.setViewport({ width, height: 900 });
      const least = await chartLabels();
      expect(language + ': chart labels of 12 px at least at ' + width + ' px, none cut', least >= 12 ? 'ok' : least, 'ok');
    }
    await page.setViewport({ width: 360, height: 740 });
    const phoneLeast = await chartLabels();
    expect(language + ': chart labels of 10 px at least on a phone, none cut', phoneLeast >= 10 ? 'ok' : phoneLeast, 'ok');
    await page.select('#sel_Unita', 'kg,cm');
    expect(language + ': ticks grouped as the page groups digits, axes with their units',
           await page.$$eval('#disegno text.tacca, #disegno text.asse', (texts) => texts.map((text) => text.textContent)
             .filter((words) => /^2.000.000$|\[/.test(words)).join(' | ')),
           (mark === ',' ? '2.000.000' : '2,000,000') + ' | N [kg] | M [kg·cm]');
    await page.select('#sel_Unita', '');
    await page.setViewport({ width: 1300, height: 950 });

    // The worked examples and every refusal, typed, against the command line.
    const cases = [{}, { txt_Nd: '49500' }, { txt_Nd: '165000' }, { txt_Nd: '-44604' }, { txt_Nd: '165001' },
      { txt_Nd: '-49561' }, { txt_B: '0' }, { txt_H: '0' }, { txt_As: '0' }, { txt_As1: '0' }, { txt_Fsd: '0' },
      { txt_Fcd: '0' }, { txt_D1: '0' }, { txt_D1: '50' }, { txt_B: '-30' }, { txt_B: '1e39' }, { txt_D1: '3' + mark + '5' }];
    for (const change of cases) {
      const fields = { ...BEAM, txt_Nd: '', ...change };
      const args = Object.entries(fields).filter(([, text]) => text).flatMap(([id, text]) => [OPTION[id], text]);
      const said = runCli(locale, args);
      await page.$eval('#txt_Mu', (element) => { element.value = 'prima'; });
      await fill(fields);
      await page.click('#cmd_Calc');
      const d = said.out.match(/^d = (.*)$/m);
      const what = language + ' ' + JSON.stringify(change);
      if (d) expect(what + ': d', await read('txt_D'), d[1]);
      const shown = await page.$eval('#messaggio', (dialog) => dialog.open);
      if (said.err) {
        expect(what + ': the message', shown && await page.$eval('#messaggio_testo', (p) => p.textContent), said.err.trim());
        await page.keyboard.press(change.txt_Nd === '165001' ? 'Escape' : 'Enter');
        expect(what + ': the message closes', await page.$eval('#messaggio', (dialog) => dialog.open), false);
        expect(what + ': the results stay', await read('txt_Mu'), 'prima');
      } else {
        expect(what + ': no message', shown, false);
        expect(what + ': Mu', await read('txt_Mu'), said.out.match(/^Mu = (.*)$/m)[1]);
        expect(what + ': Yc', await read('txt_Yc'), said.out.match(/^Yc = (.*)$/m)[1]);
      }
    }

    // The domain's points and the combinations' verdicts, as dominio gives them.
    await fill({ ...BEAM, txt_Nd: '' });
    const combinations = readFileSync(join(files, 'combinations.csv'), 'utf8');
    if (!firefox) {
      const session = await page.target().createCDPSession();
      await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    }
    // A link clicked, the file it saves, once the browser has written it whole; in Firefox, the
    // bytes the link offers under the name it offers them by.
    const download = async (id, name) => {
      if (firefox)
        return page.$eval('#' + id, async (link, expected) => {
          if (link.download !== expected) return 'offered as ' + link.download;
          const bytes = new Uint8Array(await window.offeredBlobs.get(link.href).arrayBuffer());
          let text = '';
          for (const byte of bytes) text += String.fromCharCode(byte);
          return text;
        }, name);
      const saved = join(downloads, name);
      rmSync(saved, { force: true });
      await page.click('#' + id);
      let size = -1;
      for (let i = 0; i < 100; ++i) {
        await new Promise((resolve) => setTimeout(resolve, 50));
        const now = existsSync(saved) ? statSync(saved).size : -1;
        if (now > 0 && now === size && !readdirSync(downloads).some((file) => file.endsWith('.crdownload'))) break;
        size = now;
      }
      try { return readFileSync(saved).toString('latin1'); } catch { return 'not downloaded'; }
    };
    await page.$eval('#combinazioni', (area, text) => { area.value = text; }, combinations);
    await page.click('#cmd_Dominio');
    const table = (id) => page.$$eval('#' + id + ' tr', (rows) => rows.map((row) =>
      [...row.cells].map((cell) => cell.textContent).join(';')).join('\n'));
    const beamOptions = Object.entries(BEAM).flatMap(([id, text]) => [OPTION[id], text]);
    expect(language + ': verdicts', await table('verdetti'),
           runCli(locale, ['dominio', ...beamOptions, '--verifica', join(files, 'combinations.csv')]).out.trim());
    // The outline passes through the combinations' own forces within the domain.
    const forces = ['0', '49500'].flatMap((Nd) => ['--Nd', Nd]);
    expect(language + ': domain points', await table('punti'),
           runCli(locale, ['dominio', ...beamOptions, ...forces, '--separatore', mark === ',' ? ';' : ',']).out.trim()
             .replaceAll(mark === ',' ? '\u0000' : ',', ';'));
    expect(language + ': a ring per verified combination', await page.$$eval('#disegno circle', (c) => c.length), 3);

    // The report opens in a tab with the command line's text for the same section, date and combinations,
    // and printing the page prints it.
    await page.$eval('#txt_Titolo', (field) => { field.value = ''; });
    await page.type('#txt_Titolo', 'Trave T1');
    await page.select('#sel_Unita', 'kg,cm');
    const opened = new Promise((resolve) => browser.once('targetcreated', resolve));
    await page.click('#cmd_Relazione');
    const tab = await (await opened).page();
    await tab.waitForSelector('h1');
    const now = new Date(), two = (n) => String(n).padStart(2, '0');
    const date = now.getFullYear() + '-' + two(now.getMonth() + 1) + '-' + two(now.getDate());
    const written = join(downloads, 'relazione.html');
    runCli(locale, ['relazione', ...beamOptions, '--titolo', 'Trave T1', '--unita', 'kg,cm', '--data', date,
                    '--verifica', join(files, 'combinations.csv'), '-o', written]);
    const command = await browser.newPage();
    await command.goto('file://' + written);
    // Up to how to write it again, where the page gives its link and the command line itself.
    const text = (shown) => shown.evaluate(() => document.body.innerText.split('Riproducibilità')[0]);
    expect(language + ': the report\'s tab as the command line writes it', await text(tab), await text(command));
    expect(language + ': the report\'s tab gives the page\'s link to write it again',
           await tab.evaluate(() => [...document.querySelectorAll('td')].find((cell) => cell.textContent === 'per riscriverla')
             .nextElementSibling.textContent),
           page.url().split('#')[0] + '#b=30&h=50&As=10&As1=5&fsd=3304&fcd=110&c=3.5&unita=kg%2Ccm');
    await Promise.all([tab.close(), command.close()]);
    if (firefox) chromiumOnly('the print media');
    else await page.emulateMediaType('print');
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    expect(language + ': printing shows the report' + (firefox ? '' : ', not the controls'), await page.evaluate((all) =>
      [...(all ? [getComputedStyle(document.querySelector('main')).display] : []),
       document.querySelector('#relazione_stampa h1').textContent].join(' | '), !firefox),
           (firefox ? '' : 'none | ') + 'Trave T1');
    if (!firefox) await page.emulateMediaType(null);
    // A hostile title in the page's report, in its tab and in its print: text, nothing run.
    const dialogs = [];
    page.on('dialog', async (dialog) => { dialogs.push(dialog.message()); await dialog.dismiss(); });
    const hostileTitle = '</style><script>alert(1)</script>\f}}.relazione{background:url(http://127.0.0.1:9/leak)}';
    await page.$eval('#txt_Titolo', (field, title) => { field.value = title; }, hostileTitle);
    const hostileOpened = new Promise((resolve) => browser.once('targetcreated', resolve));
    await page.click('#cmd_Relazione');
    const hostileTab = await (await hostileOpened).page();
    hostileTab.on('dialog', async (dialog) => { dialogs.push(dialog.message()); await dialog.dismiss(); });
    await hostileTab.waitForSelector('h1');
    const shownTitle = hostileTitle.replace('\f', '\ufffd');
    expect(language + ': a hostile title in the report\'s tab, as text', await hostileTab.$eval('h1', (h) => h.textContent), shownTitle);
    await hostileTab.close();
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    expect(language + ': a hostile title in the print, as text',
           await page.$eval('#relazione_stampa h1', (h) => h.textContent), shownTitle);
    await new Promise((resolve) => setTimeout(resolve, 200));
    expect(language + ': no dialog from a hostile title', dialogs.join(' | '), '');
    await page.$eval('#txt_Titolo', (field) => { field.value = 'Trave T1'; });
    await page.select('#sel_Unita', '');  // lotto in free units, as the command line without --unita

    // The domain's three files, byte for byte as dominio writes them.
    const separator = mark === ',' ? ';' : ',';
    expect(language + ': the domain\'s points', await download('scarica_punti', 'dominio.csv'),
           runCli(locale, ['dominio', ...beamOptions, '--separatore', separator], 'latin1').out);
    expect(language + ': the verdicts', await download('scarica_verifiche', 'verifiche.csv'),
           runCli(locale, ['dominio', ...beamOptions, '--verifica', join(files, 'combinations.csv')], 'latin1').out);
    runCli(locale, ['dominio', ...beamOptions, '--verifica', join(files, 'combinations.csv'), '--svg', join(downloads, 'cli.svg')]);
    expect(language + ': the drawing', await download('scarica_svg', 'dominio.svg'),
           readFileSync(join(downloads, 'cli.svg')).toString('latin1'));

    // A file never mixed with another: a long one stopped by a short one, the same file saved anew, a refused one.
    const long = join(downloads, 'lungo.csv'), short = join(downloads, 'corto.csv');
    writeFileSync(long, 'b;h;c;As;As1;fsd;fcd;Nd\n' + '30;50;3,5;10;5;3304;110;49500\n'.repeat(300000));
    writeFileSync(short, 'b;h;c;As;As1;fsd;fcd;Nd\n30;50;3,5;10;5;3304;110;0\n');
    const lotto = await page.$('#file_lotto');
    await lotto.uploadFile(long);
    await new Promise((resolve) => setTimeout(resolve, 300));
    await lotto.uploadFile(short);
    await page.waitForFunction(() => !document.getElementById('scarica').hidden, { timeout: 20000 });
    await new Promise((resolve) => setTimeout(resolve, 500));  // time for the long file to show itself, were it running
    expect(language + ': only the second file', await page.evaluate(() => [document.getElementById('scarica').textContent,
      document.getElementById('anteprima').rows.length, document.getElementById('esito_lotto').textContent.split('Righe lette').length].join(' | ')),
           'Scarica corto-risultati.csv | 2 | 2');
    expect(language + ': its own results', await download('scarica', 'corto-risultati.csv'),
           runCli(locale, ['lotto', short], 'latin1').out);
    writeFileSync(short, 'b;h;c;As;As1;fsd;fcd;Nd\n30;50;3,5;10;5;3304;110;-44604\n');
    await lotto.uploadFile(short);
    await page.waitForFunction(() => document.querySelector('#anteprima tr:nth-child(2) td:nth-child(8)')?.textContent === '-44604');
    expect(language + ': the same file saved anew, computed again', await download('scarica', 'corto-risultati.csv'),
           runCli(locale, ['lotto', short], 'latin1').out);
    writeFileSync(short, Buffer.from([0, 1, 2, 3]));
    await lotto.uploadFile(short);
    await page.waitForFunction(() => document.getElementById('messaggio').open);
    await page.keyboard.press('Enter');
    expect(language + ': a refused file clears what came before', await page.evaluate(() => [document.getElementById('scarica').hidden,
      document.getElementById('anteprima').rows.length, document.getElementById('avanzamento').value,
      document.getElementById('esito_lotto').textContent, document.getElementById('nome_lotto').textContent].join(' | ')),
           'true | 0 | 0 | non è un file di testo | corto.csv');

    // A run given up: nothing kept, and the next file computes.
    await lotto.uploadFile(long);
    // Clicked the moment it shows, within the page: the run may not finish between a look and a click.
    await page.waitForFunction(() => {
      const cancel = document.getElementById('cmd_Annulla_lotto');
      if (cancel.hidden) return false;
      cancel.click();
      return true;
    }, { timeout: 20000, polling: 'mutation' });
    expect(language + ': lotto cancelled', await page.evaluate(() => [document.getElementById('esito_lotto').textContent,
      document.getElementById('scarica').hidden, document.getElementById('cmd_Annulla_lotto').hidden].join(' | ')),
           'Calcolo annullato. | true | true');
    await new Promise((resolve) => setTimeout(resolve, 300));
    expect(language + ': nothing of the cancelled run comes later', await page.$eval('#esito_lotto', (said) => said.textContent),
           'Calcolo annullato.');
    // A file with a header and no row: the command line's words, nothing more.
    writeFileSync(short, 'b;h;c;As;As1;fsd;fcd;Nd\n');
    await lotto.uploadFile(short);
    await page.waitForFunction(() => !document.getElementById('scarica').hidden, { timeout: 20000 });
    expect(language + ': a header and no row, said as the command line says it',
           await page.$eval('#esito_lotto', (said) => said.textContent), 'il file ha l\'intestazione ma nessuna riga da calcolare');
    // The file's name alone beside the chooser, which says nothing of its own.
    expect(language + ': the chosen file\'s name alone', await page.evaluate(() => {
      const input = document.getElementById('file_lotto').getBoundingClientRect();
      return [input.width <= 1, document.querySelector('label[for=file_lotto]').textContent, document.getElementById('nome_lotto').textContent].join(' | ');
    }), 'true | Scegli il file di sezioni… | corto.csv');

    // lotto: each fixture downloaded byte for byte as the command line writes it.
    for (const name of ['readme', 'awkward', 'units', 'excel', 'tabs']) {
      const input = await page.$('#file_lotto');
      await input.uploadFile(join(files, name + '.csv'));
      await page.waitForFunction(() => !document.getElementById('scarica').hidden, { timeout: 20000 });
      expect(language + ': lotto ' + name, await download('scarica', name + '-risultati.csv'),
             runCli(locale, ['lotto', join(files, name + '.csv')], 'latin1').out);
      if (name === 'awkward')
        expect(language + ': refused rows marked', await page.$$eval('#anteprima tr.rifiutata', (rows) => rows.length), 10);
      await page.$eval('#scarica', (link) => { link.hidden = true; });
    }

    expect(language + ': no request leaves the file', outside.join(' '), '');
    expect(language + ': no error on the page', errors.join(' '), '');
    if (screenshot && language === 'it-IT') {
      await page.evaluate(() => window.scrollTo(0, 0));
      await page.screenshot({ path: screenshot, fullPage: true });
    }
    await page.close();
  }

  // A browser that cannot decode base64 into bytes itself loads the calculation the other way.
  const older = await browser.newPage();
  await older.evaluateOnNewDocument(() => { delete Uint8Array.fromBase64; });
  await older.goto('file://' + page_file);
  await older.waitForFunction(() => document.body.dataset.ready === 'true', { timeout: 20000 });
  for (const [id, text] of Object.entries({ ...BEAM, txt_Nd: '49500' })) await older.$eval('#' + id, (field, value) => { field.value = value; }, text);
  await older.click('#cmd_Calc');
  expect('without Uint8Array.fromBase64: Mu', await older.$eval('#txt_Mu', (field) => field.value), '2055640');
  await older.close();
  // One that cannot unpack it says so.
  const oldest = await browser.newPage();
  await oldest.evaluateOnNewDocument(() => { delete window.DecompressionStream; });
  await oldest.goto('file://' + page_file);
  await oldest.waitForFunction(() => document.getElementById('messaggio').open, { timeout: 20000 });
  expect('without DecompressionStream: said, and Calcola stays off', await oldest.evaluate(() =>
    [document.getElementById('messaggio_testo').textContent.startsWith('Il calcolo non si è caricato ('),
     document.getElementById('cmd_Calc').disabled].join(' ')), 'true true');
  await oldest.close();
} finally {
  await browser.close();
  rmSync(downloads, { recursive: true, force: true });
}
process.exit(failures > 0 ? 1 : 0);
