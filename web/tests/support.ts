// What the page tests share: a page without the native file pickers (so files go through the
// upload field and downloads, which a test can drive), the requests it made, and tarsel-cli.
import { expect, Page } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const repo = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const cli = process.env.TARSEL_CLI ?? join(repo, 'build', 'bin', 'tarsel-cli');

export function tarselCli(...args: string[]): void {
  execFileSync(cli, args, { stdio: ['ignore', 'ignore', 'pipe'] });
}

export function scratch(name: string): string {
  return join(mkdtempSync(join(tmpdir(), 'tarsel-web-')), name);
}

// Opens the page and returns every URL it asks for from then on.
export async function openPage(page: Page, query = ''): Promise<string[]> {
  const requests: string[] = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.addInitScript(() => {
    delete (window as { showOpenFilePicker?: unknown }).showOpenFilePicker;
    delete (window as { showSaveFilePicker?: unknown }).showSaveFilePicker;
  });
  await page.goto(`/${query}`);
  await expect(page.locator('body[data-ready="true"]')).toHaveCount(1);
  return requests;
}

export function expectSameOrigin(requests: string[], base: string): void {
  const origin = new URL(base).origin;
  expect(requests.filter((url) => new URL(url).origin !== origin)).toEqual([]);
}

export function cell(page: Page, label: string, column: number) {
  return page.getByRole('row', { name: label, exact: false }).filter({ has: page.getByRole('rowheader', { name: label, exact: true }) }).getByRole('gridcell').nth(column - 1);
}

// Saves the active document through the download fallback and returns its bytes.
export async function savedBytes(page: Page): Promise<Buffer> {
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: '另存为' }).click();
  return readFileSync(await (await download).path());
}

export async function openFile(page: Page, button: string, path: string): Promise<void> {
  const chooser = page.waitForEvent('filechooser');
  await page.getByRole('button', { name: button, exact: true }).click();
  await (await chooser).setFiles(path);
}

export function fileBytes(path: string): Buffer {
  return readFileSync(path);
}
