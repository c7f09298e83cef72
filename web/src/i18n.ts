// The page's two languages. Chinese texts are the sources; the English ones come from the
// desktop's catalogue (i18n/tarsel_en.ts), bundled at build time: the page's own texts from its
// context "web", the core's list entries, messages and causes from context "core".
import catalogue from 'tarsel:catalogue';

export type Language = 'zh' | 'en';
const storageKey = 'tarsel-language';

function chosenLanguage(): Language {
  let remembered: string | null = null;
  try {
    remembered = localStorage.getItem(storageKey);
  } catch {
    remembered = null; // storage refused (a private window): the browser's language decides
  }
  if (remembered === 'zh' || remembered === 'en') return remembered;
  return navigator.language.toLowerCase().startsWith('zh') ? 'zh' : 'en';
}

export const language: Language = chosenLanguage();

export function rememberLanguage(choice: Language): void {
  try {
    localStorage.setItem(storageKey, choice);
  } catch {
    // Not remembered; the switch still applies to this load.
  }
}

function fill(text: string, args: (string | number)[]): string {
  return text.replace(/%(\d)/g, (all, n: string) => String(args[Number(n) - 1] ?? all));
}

// A text of the page's own, with %1, %2 ... filled in.
export function tr(source: string, ...args: (string | number)[]): string {
  return fill(language === 'en' ? (catalogue.web[source] ?? source) : source, args);
}

// A text the core gave (list entries, messages, causes); values such as frequencies come back
// unchanged. Causes are composed of pieces ("无应答，回读时：…"): a text without an entry of its
// own is translated piece by piece, the longest known pieces first.
export function coreText(text: string): string {
  if (language !== 'en' || text === '') return text;
  const whole = catalogue.core[text];
  if (whole !== undefined) return whole;
  if (!/[\u4e00-\u9fff\uff0c\uff1a]/.test(text)) return text;
  let out = text;
  for (const piece of corePiecesLongestFirst()) if (out.includes(piece)) out = out.split(piece).join(catalogue.core[piece]);
  return out;
}

let pieces: string[] | undefined;
function corePiecesLongestFirst(): string[] {
  pieces ??= Object.keys(catalogue.core)
    .filter((key) => !key.includes('%'))
    .sort((a, b) => b.length - a.length);
  return pieces;
}
