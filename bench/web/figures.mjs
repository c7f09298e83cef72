// The web page's figures in headless Chromium: bytes on the wire for a first load (gzip, as
// web/serve.mjs sends them), the time from navigation to a grid that answers keys, and a typed
// cell's commit. Needs build/web (./build.sh web) and web/node_modules; prints, never fails.
//   node bench/web/figures.mjs [URL]
import { createRequire } from 'node:module';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('@playwright/test');
const url = process.argv[2] ?? 'http://127.0.0.1:8316/';
const runs = 5;

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox'],
});
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const loads = [], usable = [], bytes = [];
for (let run = 0; run < runs; ++run) {
  const context = await browser.newContext(); // a cold cache each time
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  let wire = 0;
  cdp.on('Network.loadingFinished', (event) => (wire += event.encodedDataLength));
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  // The grid answers a key: the current cell moves down.
  await page.keyboard.press('ArrowDown');
  await page.waitForFunction(() => document.activeElement?.closest('tr')?.getAttribute('aria-rowindex') === '3');
  usable.push(await page.evaluate(() => performance.now()));
  loads.push(await page.evaluate(() => performance.getEntriesByName('tarsel-ready')[0].startTime));
  bytes.push(wire);
  await context.close();
}

const page = await browser.newPage();
await page.goto(url);
await page.waitForSelector('body[data-ready="true"]');
const commits = await page.evaluate(() => {
  const { app } = window.tarsel;
  const times = [];
  for (let i = 0; i < 100; ++i) {
    const grid = app.activeGrid();
    const row = 1 + (i % 120);
    grid.beginEdit({ row, column: 1 });
    const input = document.activeElement;
    input.value = (145 + (i % 20) * 0.0125).toFixed(4);
    const start = performance.now();
    input.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
    const shown = document.querySelector(`tr[aria-rowindex="${row + 1}"] td`).textContent;
    times.push(performance.now() - start);
    if (!shown) throw new Error('the cell shows nothing');
  }
  return times;
});
await browser.close();

console.log(`first load on the wire (gzip): ${(median(bytes) / 1024).toFixed(1)} KiB (median of ${runs})`);
console.log(`navigation to a ready grid: ${median(loads).toFixed(0)} ms; to a key answered: ${median(usable).toFixed(0)} ms`);
console.log(`typed cell committed and shown: median ${median(commits).toFixed(2)} ms, worst ${Math.max(...commits).toFixed(2)} ms (100 commits)`);

// A read and a verified write against the demo radio at 9600 baud, against the time their bytes
// take on the wire (ten bits a byte) plus the pauses the protocol itself asks for.
const radioBrowser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox'],
});
const radioPage = await radioBrowser.newPage();
await radioPage.goto(`${url}?demo-speed=1`);
await radioPage.waitForSelector('body[data-ready="true"]');
await radioPage.selectOption('#radio-source', 'demo');
for (const [name, read] of [['write (verified)', false], ['read', true]]) {
  await radioPage.evaluate(() => window.tarsel.app.demoRadio()?.takeByteCount());
  await radioPage.click(read ? '#cmd-read' : '#cmd-write');
  // The first transfer loads the demo radio's module before its dialog opens.
  await radioPage.waitForSelector('dialog.transfer');
  await radioPage.waitForSelector('dialog.transfer', { state: 'detached', timeout: 120_000 });
  const { ms, bytes } = await radioPage.evaluate(() => {
    const entries = performance.getEntriesByName('tarsel-transfer');
    return { ms: entries[entries.length - 1].duration, bytes: window.tarsel.app.demoRadio().takeByteCount() };
  });
  if (!read) await radioPage.click('dialog.message button');
  // Per exchange: eight wake-up bytes each after 1 ms, the radio's 30 ms before it takes an
  // identify; a verified write waits 300 ms before reading back.
  const exchanges = read ? 1 : 2;
  const pauses = exchanges * (8 + 30) + (read ? 0 : 300);
  const wire = (bytes * 10 * 1000) / 9600 + pauses;
  console.log(`${name} at 9600 baud: ${(ms / 1000).toFixed(2)} s for ${bytes} bytes; wire time ${(wire / 1000).toFixed(2)} s: ${(ms / wire).toFixed(3)}x`);
}
await radioBrowser.close();
