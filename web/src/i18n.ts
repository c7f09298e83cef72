// The page's two languages. Chinese texts are the sources; the English ones come from the
// desktop's catalogue (i18n/tarsel_en.ts), bundled at build time: the page's own texts from its
// context "web", the core's list entries, messages and causes from context "core".
import catalogue from 'tarsel:catalogue';
import type { Words } from '../../src/web/tarsel';

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

// A text the core gave (list entries, messages); values such as frequencies come back unchanged.
export function coreText(text: string): string {
  if (language !== 'en' || text === '') return text;
  return catalogue.core[text] ?? text;
}

// A cause as the core words it: each text translated, then its values put in (in one pass, so a
// value holding "%2" is never filled in itself).
export function coreWords(words: Words): string {
  if (words.value) return words.text;
  return fill(coreText(words.text), words.values.map(coreWords));
}
