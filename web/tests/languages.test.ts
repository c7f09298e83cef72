import { expect, Page, test } from '@playwright/test';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { openPage, repo } from './support';

// Every text a user sees or hears: text nodes, accessible names and tooltips, outside the language
// switch's own names (each in its own language).
function shownTexts(page: Page): Promise<string[]> {
  return page.evaluate(() => {
    const texts: string[] = [];
    const ownLanguage = (node: Node | null) => (node instanceof Element ? node : node?.parentElement)?.closest('[lang]:not(html)');
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode())
      if (!ownLanguage(node) && node.parentElement?.closest('script, style, datalist') === null) texts.push(node.textContent ?? '');
    for (const element of Array.from(document.querySelectorAll('[aria-label], [title]')))
      if (!ownLanguage(element)) texts.push(element.getAttribute('aria-label') ?? '', element.getAttribute('title') ?? '');
    texts.push(document.title);
    return texts.map((text) => text.trim()).filter(Boolean);
  });
}

async function everyPanelsTexts(page: Page): Promise<string[]> {
  const texts = await shownTexts(page);
  for (const command of ['options', 'dtmf', 'fm', 'model']) {
    await page.locator(`#cmd-${command}`).click();
    const tabs = page.getByRole('dialog').getByRole('tab');
    for (let i = 0; i < Math.max(1, await tabs.count()); ++i) {
      if (await tabs.count()) await tabs.nth(i).click();
      texts.push(...(await shownTexts(page)));
    }
    await page.keyboard.press('Escape');
  }
  return texts;
}

// The English the catalogue gives the page's own texts, where it differs from the source.
const english = [...readFileSync(join(repo, 'i18n', 'tarsel_en.ts'), 'utf8').matchAll(
  /<source>([^<]*)<\/source>\s*<translation>([^<]*)<\/translation>/g,
)].filter(([, source, translation]) => source !== translation && /[a-z]{3}/.test(translation)).map(([, , t]) => t);

for (const locale of ['en-US', 'zh-CN']) {
  test.describe(locale, () => {
    test.use({ locale });
    test(`the ${locale} page shows no text of the other language`, async ({ page }) => {
      await openPage(page);
      const texts = await everyPanelsTexts(page);
      expect(texts.length).toBeGreaterThan(100);
      if (locale === 'en-US') expect(texts.filter((text) => /[\u4e00-\u9fff]/.test(text))).toEqual([]);
      else expect(texts.filter((text) => english.includes(text))).toEqual([]);
    });
  });
}

test('the language chosen on the page is remembered', async ({ page }) => {
  await openPage(page);
  await page.getByRole('combobox', { name: '语言' }).selectOption('en');
  await expect(page.getByRole('button', { name: 'Read from radio' })).toBeVisible();
  await page.reload();
  await expect(page.getByRole('combobox', { name: 'Language' })).toHaveValue('en');
});
