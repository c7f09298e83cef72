import { expect, test } from '@playwright/test';
import { cell, openPage } from './support';

const command = (page: import('@playwright/test').Page, text: string) =>
  page.getByRole('button', { name: text, exact: true });

test('a read is backed up and opened again, and the page works with the network cut', async ({ page, context }) => {
  await openPage(page, '?demo-speed=40');
  // The service worker has this version's files once it controls the page.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await expect(page.locator('body[data-ready="true"]')).toHaveCount(1);
  await expect.poll(() => page.evaluate(() => navigator.serviceWorker.controller !== null)).toBe(true);

  await context.setOffline(true);
  await page.reload();
  await expect(page.locator('body[data-ready="true"]')).toHaveCount(1);

  // The demo radio offline: a write of a changed channel, a read back into a new document.
  await page.getByRole('combobox', { name: '电台' }).selectOption('演示电台');
  await cell(page, 'A 001', 1).click();
  await page.keyboard.type('438.5');
  await page.keyboard.press('Enter');
  await command(page, '写频').click();
  await expect(page.getByRole('alertdialog')).toContainText('写入并校验成功', { timeout: 30_000 });
  await page.getByRole('button', { name: '确定' }).click();
  await command(page, '新建').click();
  await command(page, '读频').click();
  await expect(cell(page, 'A 001', 1)).toHaveText('438.50000', { timeout: 30_000 });

  await command(page, '打开备份…').click();
  const list = page.getByRole('listbox', { name: '备份' });
  await expect(list.getByRole('option')).toHaveCount(2);
  await expect(list.getByRole('option').first()).toHaveText(/^\d{8}-\d{6}-read\.dat$/);
  await expect(list.getByRole('option').nth(1)).toHaveText(/^\d{8}-\d{6}-write\.dat$/);
  await page.getByRole('dialog', { name: '打开备份…' }).getByRole('button', { name: '打开' }).click();
  await expect(page.getByRole('tab', { selected: true })).toHaveText(/-read\.dat$/);
  await expect(cell(page, 'A 001', 1)).toHaveText('438.50000');
});
