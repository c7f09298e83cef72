import { expect, Page, test } from '@playwright/test';
import { cell, expectSameOrigin, openPage } from './support';

type Tarsel = { app: { demoSpeed: number; demoRadio(): { radio: { stopAnsweringAtBlock(b: number): void } } } };
const command = (page: Page, text: string) => page.getByRole('button', { name: text, exact: true });
const message = (page: Page) => page.getByRole('alertdialog');

// A transfer under a loaded machine may take a while even at the demo radio's higher speeds.
async function acknowledge(page: Page, text: string) {
  await expect(message(page)).toContainText(text, { timeout: 30_000 });
  await page.getByRole('button', { name: '确定' }).click();
}

test('verified write, read, cancelled read and a radio that stops answering, against the demo radio', async ({ page, baseURL }) => {
  const requests = await openPage(page, '?demo-speed=40');
  await page.getByRole('combobox', { name: '电台' }).selectOption('演示电台');
  await cell(page, 'A 001', 1).click();
  await page.keyboard.type('145.5');
  await page.keyboard.press('Enter');
  await command(page, '写频').click();
  await acknowledge(page, '写入并校验成功');

  // A read into a new document is one undo step.
  await command(page, '新建').click();
  await command(page, '读频').click();
  await expect(page.getByRole('dialog', { name: '读数据' })).toHaveCount(0, { timeout: 30_000 });
  await expect(cell(page, 'A 001', 1)).toHaveText('145.50000');
  await page.keyboard.press('Control+z');
  await expect(cell(page, 'A 001', 1)).toHaveText('');

  // A cancelled read and a read from a radio that falls silent change nothing.
  await page.evaluate(() => ((window as unknown as { tarsel: Tarsel }).tarsel.app.demoSpeed = 1));
  await command(page, '读频').click();
  const progress = page.getByRole('dialog', { name: '读数据' });
  await expect(progress).toContainText(/[1-9]\d*%/);
  await progress.getByRole('button', { name: '取消' }).click();
  await acknowledge(page, '已取消');
  await page.evaluate(() => {
    const { app } = (window as unknown as { tarsel: Tarsel }).tarsel;
    app.demoSpeed = 40;
    app.demoRadio().radio.stopAnsweringAtBlock(20);
  });
  await command(page, '读频').click();
  await acknowledge(page, '通信出错');
  await expect(cell(page, 'A 001', 1)).toHaveText('');
  await expect(page.getByRole('tab', { selected: true })).toHaveText('无标题');
  expectSameOrigin(requests, baseURL!);
});
