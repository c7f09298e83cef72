import { expect, test } from '@playwright/test';
import { join } from 'node:path';
import { readFileSync } from 'node:fs';
import { expectSameOrigin, fileBytes, openFile, openPage, repo, savedBytes, scratch, tarselCli } from './support';

const sample = join(repo, 'examples', 'sample-channels.csv');

test('a channel list imported and exported as tarsel-cli does it', async ({ page, baseURL }) => {
  const requests = await openPage(page);
  await openFile(page, '导入 CSV', sample);
  const preview = page.getByRole('dialog', { name: '导入 CSV' });
  await expect(preview.getByRole('status')).toContainText('可导入');
  // Channels from 250 on run past B 128: the core refuses those rows and says why.
  await preview.getByRole('checkbox', { name: '从信道 N 起依次放入' }).check();
  await preview.getByRole('spinbutton', { name: '信道 N' }).fill('250');
  await expect(preview.getByRole('button', { name: '导入', exact: true })).toBeDisabled();
  await preview.getByRole('checkbox', { name: '从信道 N 起依次放入' }).uncheck();
  await preview.getByRole('button', { name: '导入', exact: true }).click();
  await expect(preview).toHaveCount(0);

  const expected = scratch('expected.dat');
  tarselCli('new', expected);
  tarselCli('import-csv', expected, sample);
  expect((await savedBytes(page)).equals(fileBytes(expected))).toBe(true);

  const exported = scratch('expected.csv');
  tarselCli('export-csv', expected, exported);
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: '导出 CSV' }).click();
  expect(readFileSync(await (await download).path()).equals(fileBytes(exported))).toBe(true);

  // The saved file opens again as a second document, unmodified.
  await openFile(page, '打开', expected);
  await expect(page.getByRole('tab', { selected: true })).toHaveText('expected.dat');
  expectSameOrigin(requests, baseURL!);
});
