// Bundles the page into build/web beside the WebAssembly module (built by ./build.sh web).
import { build } from 'esbuild';
import { copyFileSync, existsSync, mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createHash } from 'node:crypto';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const out = process.argv[2] ?? join(here, '..', 'build', 'web');
const wasm = process.argv[3] ?? join(here, '..', 'build-web');
mkdirSync(out, { recursive: true });

// The English texts: contexts "web" (the page's own) and "core" of the desktop's catalogue.
function readCatalogue(path) {
  const unescape = (text) =>
    text.replace(/&(lt|gt|amp|quot|apos);/g, (_, e) => ({ lt: '<', gt: '>', amp: '&', quot: '"', apos: "'" })[e]);
  const catalogue = { web: {}, core: {} };
  for (const [, name, body] of readFileSync(path, 'utf8').matchAll(/<context>\s*<name>([^<]*)<\/name>([\s\S]*?)<\/context>/g)) {
    if (!(name in catalogue)) continue;
    for (const [, source, attributes, translation] of body.matchAll(
      /<source>([\s\S]*?)<\/source>\s*<translation([^>]*)>([\s\S]*?)<\/translation>/g,
    )) {
      if (!attributes.includes('unfinished') && translation.trim()) catalogue[name][unescape(source)] = unescape(translation);
    }
  }
  return catalogue;
}

// Every Chinese literal of the page (the rule i18n/lupdate.sh collects them by) needs its English,
// as the desktop's completeness test demands of the desktop's texts.
function checkPageTexts(catalogue) {
  const missing = new Set();
  for (const file of readdirSync(join(here, 'src')).filter((f) => f.endsWith('.ts'))) {
    for (let line of readFileSync(join(here, 'src', file), 'utf8').split('\n')) {
      if (/^\s*\/\//.test(line)) continue;
      line = line.replace(/\s\/\/.*$/, '');
      for (const [literal] of line.matchAll(/'(?:[^'\\]|\\.)*[\u4e00-\u9fff](?:[^'\\]|\\.)*'/g)) {
        const text = literal.slice(1, -1);
        if (!(text in catalogue.web)) missing.add(text);
      }
    }
  }
  if (missing.size > 0) {
    console.error('Page texts without an English translation in i18n/tarsel_en.ts (run i18n/lupdate.sh, translate them):');
    for (const text of missing) console.error(`  [web] ${text}`);
    process.exit(1);
  }
}

const catalogue = readCatalogue(join(here, '..', 'i18n', 'tarsel_en.ts'));
checkPageTexts(catalogue);
const cataloguePlugin = {
  name: 'catalogue',
  setup(b) {
    b.onResolve({ filter: /^tarsel:catalogue$/ }, (args) => ({ path: args.path, namespace: 'catalogue' }));
    b.onLoad({ filter: /.*/, namespace: 'catalogue' }, () => ({ contents: JSON.stringify(catalogue), loader: 'json' }));
  },
};

await build({
  entryPoints: [join(here, 'src', 'main.ts')],
  bundle: true,
  format: 'esm',
  target: 'es2022',
  minify: true,
  sourcemap: false,
  outfile: join(out, 'main.js'),
  logLevel: 'warning',
  plugins: [cataloguePlugin],
});
for (const file of ['index.html', 'style.css']) copyFileSync(join(here, file), join(out, file));
for (const file of ['tarsel.mjs', 'tarsel.wasm', 'tarsel-demo.mjs', 'tarsel-demo.wasm']) {
  if (!existsSync(join(wasm, file))) throw new Error(`${file} is missing: build the module first`);
  copyFileSync(join(wasm, file), join(out, file));
}

// Installable and offline: the manifest, the icon, and the service worker with this build's files
// and a version named by their content.
copyFileSync(join(here, '..', 'dist', 'icons', 'tarsel.svg'), join(out, 'tarsel.svg'));
writeFileSync(
  join(out, 'manifest.webmanifest'),
  JSON.stringify({
    name: 'Tarsel 写频软件',
    short_name: 'Tarsel',
    start_url: './',
    scope: './',
    display: 'standalone',
    background_color: '#f3f3f3',
    theme_color: '#1f5fbf',
    icons: [{ src: 'tarsel.svg', sizes: 'any', type: 'image/svg+xml', purpose: 'any' }],
  }),
);
const cached = ['./', 'index.html', 'style.css', 'main.js', 'manifest.webmanifest', 'tarsel.svg',
  'tarsel.mjs', 'tarsel.wasm', 'tarsel-demo.mjs', 'tarsel-demo.wasm'];
const hash = createHash('sha256');
for (const file of cached.slice(1)) hash.update(readFileSync(join(out, file)));
writeFileSync(
  join(out, 'sw.js'),
  readFileSync(join(here, 'sw.js'), 'utf8')
    .replace('__VERSION__', `tarsel-${hash.digest('hex').slice(0, 16)}`)
    .replace('__FILES__', JSON.stringify(cached)),
);
