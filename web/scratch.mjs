import { chromium } from '@playwright/test';
const b = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
const lang = process.argv[2] ?? 'en-US';
const page = await b.newPage({ locale: lang });
page.on('console', (m) => console.log('console:', m.text()));
page.on('pageerror', (e) => console.log('pageerror:', e.message));
await page.goto('http://127.0.0.1:8316/');
await page.waitForSelector('body[data-ready="true"]');
await page.screenshot({ path: `/tmp/w/shots/main-${lang}.png` });
for (const id of ['options', 'dtmf', 'fm', 'model']) {
  await page.click(`#cmd-${id}`);
  await page.waitForSelector('dialog[open]');
  await page.screenshot({ path: `/tmp/w/shots/${id}-${lang}.png` });
  await page.keyboard.press('Escape');
}
await b.close();
