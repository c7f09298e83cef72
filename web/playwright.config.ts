// The page's end-to-end tests: the system's Chromium (no browser download), headless, against
// build/web served as any static server would serve it.
import { defineConfig } from '@playwright/test';

const port = 8317;

export default defineConfig({
  testDir: 'tests',
  timeout: 60_000,
  workers: 1,
  reporter: 'list',
  use: {
    // The page follows the browser's language; the tests speak to it in Chinese unless they ask.
    locale: 'zh-CN',
    baseURL: `http://127.0.0.1:${port}/`,
    launchOptions: {
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
      // A page the browser takes for a background one has its timers slowed to one a second,
      // which would stretch the demo radio's paced exchanges past any time-out.
      args: [
        '--no-sandbox',
        '--disable-background-timer-throttling',
        '--disable-renderer-backgrounding',
        '--disable-backgrounding-occluded-windows',
      ],
    },
  },
  webServer: {
    command: `node serve.mjs ../build/web ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
  },
});
