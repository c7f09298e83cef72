// Bundles the page into build/web beside the WebAssembly module (built by ./build.sh web).
import { build } from 'esbuild';
import { copyFileSync, existsSync, mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const out = process.argv[2] ?? join(here, '..', 'build', 'web');
const wasm = process.argv[3] ?? join(here, '..', 'build-web');
mkdirSync(out, { recursive: true });

await build({
  entryPoints: [join(here, 'src', 'main.ts')],
  bundle: true,
  format: 'esm',
  target: 'es2022',
  minify: true,
  sourcemap: false,
  outfile: join(out, 'main.js'),
  logLevel: 'warning',
});
for (const file of ['index.html', 'style.css']) copyFileSync(join(here, file), join(out, file));
for (const file of ['tarsel.mjs', 'tarsel.wasm', 'tarsel-demo.mjs', 'tarsel-demo.wasm']) {
  if (!existsSync(join(wasm, file))) throw new Error(`${file} is missing: build the module first`);
  copyFileSync(join(wasm, file), join(out, file));
}
