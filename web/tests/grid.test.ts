import { expect, test } from '@playwright/test';
import { cell, expectSameOrigin, openPage, savedBytes, scratch, fileBytes, tarselCli } from './support';

test('typed edits save the bytes tarsel-cli set-channel saves', async ({ page, baseURL }) => {
  const requests = await openPage(page);
  // Clicking an empty row's tone cell opens its receive cell; Enter moves on as on the desktop.
  await cell(page, 'A 001', 3).click();
  await page.keyboard.type('145.0101x');
  await page.keyboard.press('Enter');
  await expect(cell(page, 'A 001', 1)).toHaveText('145.01000');
  await page.keyboard.press('Enter');
  await page.keyboard.type('145.6');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Enter');
  await page.keyboard.type('d23i');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Enter');
  await page.keyboard.type('300');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Enter');
  await page.getByRole('combobox', { name: '功率' }).selectOption('低');
  await page.keyboard.press('Enter');
  await expect(cell(page, 'A 001', 6)).toBeFocused();
  await cell(page, 'A 001', 9).click();
  await page.keyboard.type('HELLO12345');
  await page.keyboard.press('Enter');
  await expect(cell(page, 'A 001', 3)).toHaveText('D023I');
  await expect(cell(page, 'A 001', 4)).toHaveText('D300N');
  // A VFO keeps both frequencies in one band.
  await cell(page, 'B VFO', 1).click();
  await page.keyboard.type('145');
  await page.keyboard.press('Enter');
  await cell(page, 'B VFO', 1).click();
  await page.keyboard.type('435');
  await page.keyboard.press('Enter');
  await expect(cell(page, 'B VFO', 2)).toHaveText('435.00000');
  await expect(page.getByRole('tab', { selected: true })).toHaveText('无标题 *');

  const expected = scratch('expected.dat');
  tarselCli('new', expected);
  tarselCli('set-channel', expected, 'A 001', '--rx', '145.0101', '--tx', '145.6', '--rx-tone', 'd23i',
    '--tx-tone', '300', '--power', '低', '--name', 'HELLO12345');
  tarselCli('set-channel', expected, 'B VFO', '--rx', '145');
  tarselCli('set-channel', expected, 'B VFO', '--rx', '435');
  expect((await savedBytes(page)).equals(fileBytes(expected))).toBe(true);
  await expect(page.getByRole('tab', { selected: true })).toHaveText('无标题.dat');
  expectSameOrigin(requests, baseURL!);
});
