// Loads the core's WebAssembly module once; everything the page shows or decides comes from it.
import type { TarselModule } from '../../src/web/tarsel';

let loaded: Promise<TarselModule> | undefined;

export function loadCore(): Promise<TarselModule> {
  if (!loaded) {
    // Beside the page's script in build/web; not bundled, so the browser streams the module.
    const url = new URL('./tarsel.mjs', import.meta.url).href;
    loaded = import(/* @vite-ignore */ url).then((m: { default: () => Promise<TarselModule> }) =>
      m.default(),
    );
  }
  return loaded;
}
