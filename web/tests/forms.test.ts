import { expect, Page, test } from '@playwright/test';
import { cell, openPage, savedBytes } from './support';

const panel = (page: Page) => page.getByRole('dialog');
// Controls are found by their accessible names, as a screen reader finds them.
const list = (page: Page, name: string) => panel(page).getByRole('combobox', { name, exact: true });
const edit = (page: Page, name: string) => panel(page).getByRole('textbox', { name, exact: true });
async function openPanel(page: Page, command: string) {
  await page.getByRole('button', { name: command, exact: true }).click();
  await expect(panel(page)).toBeVisible();
}
async function closePanel(page: Page) {
  await panel(page).getByRole('button', { name: '关闭', exact: true }).click();
  await expect(panel(page)).toHaveCount(0);
  // The keyboard is back in the grid, as after the desktop's dialogs.
  await expect(page.locator('.channel-grid td:focus')).toHaveCount(1);
}

test('each panel stores what the desktop dialog stores, and a session is one undo step', async ({ page }) => {
  await openPage(page);
  const before = await savedBytes(page);

  await openPanel(page, '可选功能');
  await list(page, '发射限时 (s)').selectOption('60');
  // Professional mode shows VFO/MR as MR and locks it.
  await list(page, '专业机模式').selectOption('开');
  await expect(list(page, 'VFO/MR')).toBeDisabled();
  await expect(list(page, 'VFO/MR')).toHaveValue('0');
  await closePanel(page);

  await openPanel(page, 'DTMF');
  const delay = edit(page, '首位数码延迟时间 (ms)');
  await delay.fill('');
  await delay.pressSequentially('1x5');
  await delay.press('Tab');
  await expect(delay).toHaveValue('200'); // 15 is no multiple of 100 in 100..1000
  await delay.press('ArrowUp');
  await expect(delay).toHaveValue('300');
  await edit(page, 'PTT ID 发射开始').pressSequentially('12ab#');
  await panel(page).getByRole('tab', { name: '自动拨号' }).click();
  await edit(page, '编码 0').click();
  await panel(page).getByRole('button', { name: 'ANI 呼叫' }).click();
  await expect(edit(page, '编码 0')).not.toHaveValue('');
  await closePanel(page);

  await openPanel(page, '收音机');
  await edit(page, '频率 1').pressSequentially('88.5');
  await edit(page, '频率 1').press('Enter');
  await expect(edit(page, '频率 1')).toHaveValue('88.500');
  await closePanel(page);

  await openPanel(page, '机型');
  await edit(page, 'A段').fill('150');
  await closePanel(page);

  const after = await savedBytes(page);
  expect(after[0x2040]).toBe(2); // 发射限时 60 s
  expect([...after.subarray(0x2088, 0x208e)]).toEqual([1, 2, 10, 11, 15, 0xff]);
  expect([...after.subarray(0x2f88, 0x2f8c)]).toEqual([0x00, 0x85, 0x08, 0xff]);
  expect(after.equals(before)).toBe(false);

  // Each panel session is one step: four undos give the file as it was.
  for (let i = 0; i < 4; ++i) await page.keyboard.press('Control+z');
  expect((await savedBytes(page)).subarray(0x2000).equals(before.subarray(0x2000))).toBe(true);
  await expect(cell(page, 'A 001', 1)).toHaveText('');
});
