import puppeteer from 'puppeteer-core';
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
const page = await browser.newPage();
await page.setViewport({ width: 1300, height: 900 });
page.on('console', (m) => console.log('console:', m.text()));
page.on('pageerror', (e) => console.log('pageerror:', e.message));
await page.goto('file:///work/main/build/web/momento-ultimo.html');
await page.waitForFunction(() => document.body.dataset.ready === 'true', { timeout: 10000 });
for (const [id, v] of [['txt_B', '30'], ['txt_H', '50'], ['txt_As', '10'], ['txt_As1', '5']]) { await page.$eval('#' + id, (e) => e.value = ''); await page.type('#' + id, v); }
await page.click('#cmd_Calc');
await page.type('#combinazioni', 'combinazione;Nd;Md\nSLU 1;0;1000000\nSLU 2;49500;-2500000\n');
await page.click('#cmd_Dominio');
console.log(await page.$eval('#txt_Mu', (e) => e.value), await page.$eval('#txt_Yc', (e) => e.value));
await page.screenshot({ path: '/tmp/page.png' });
await browser.close();
