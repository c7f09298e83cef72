// The English catalogue web/build.mjs makes from i18n/tarsel_en.ts: source text -> translation.
declare module 'tarsel:catalogue' {
  const catalogue: { web: Record<string, string>; core: Record<string, string> };
  export default catalogue;
}
