// Starts the page: the core module, the first document, the tool bar and the keys.
import { App } from './app';
import { askForPersistentStorage } from './backups';
import { loadCore } from './core';
import { installToneList } from './editors';
import { hasWebSerial } from './seriallink';
import { language, Language, rememberLanguage } from './i18n';
import { T } from './texts';

type Command = [id: string, text: string, run: (app: App) => unknown, keys?: string];

const groups: [string, Command[]][] = [
  [T.file, [
    ['new', T.newDoc, (app) => app.newDocument()],
    ['open', T.open, (app) => app.open(), 'Ctrl+O'],
    ['save', T.save, (app) => app.save(false), 'Ctrl+S'],
    ['save-as', T.saveAs, (app) => app.save(true)],
    ['close', T.close, (app) => app.close()],
    ['open-backup', T.openBackup, (app) => app.openBackup()],
    ['import-csv', T.importCsv, (app) => app.importCsv()],
    ['export-csv', T.exportCsv, (app) => app.exportCsv()],
    ['print', T.print, (app) => app.print(), 'Ctrl+P'],
  ]],
  [T.edit, [
    ['undo', T.undo, (app) => app.undo(), 'Ctrl+Z'],
    ['redo', T.redo, (app) => app.undo(true), 'Ctrl+Y'],
    ['copy', T.copy, (app) => copyToSystem(app.copy()), 'Ctrl+C'],
    ['cut', T.cut, (app) => copyToSystem(app.cut()), 'Ctrl+X'],
    ['paste', T.paste, (app) => pasteFromSystem(app), 'Ctrl+V'],
    ['clear', T.clear, (app) => app.rowCommand('clear')],
    ['insert', T.insert, (app) => app.rowCommand('insert')],
    ['remove', T.remove, (app) => app.rowCommand('remove')],
    ['sort', T.sort, (app) => app.rowCommand('sort')],
  ]],
  [T.settings, [
    ['options', T.options, (app) => app.form('options', T.options)],
    ['dtmf', T.dtmf, (app) => app.form('dtmf', T.dtmf)],
    ['fm', T.fm, (app) => app.form('fm', T.fm)],
    ['model', T.model, (app) => app.form('model', T.model)],
  ]],
  [T.program, [
    ['read', T.read, (app) => app.radio(true)],
    ['write', T.write, (app) => app.radio(false)],
  ]],
];

function copyToSystem(copied: { text: string } | null): void {
  // The page keeps its own copy as well, for a browser that refuses the system clipboard.
  if (copied) navigator.clipboard?.writeText(copied.text).catch(() => undefined);
}

async function pasteFromSystem(app: App): Promise<void> {
  let text: string | null = null;
  try {
    text = (await navigator.clipboard?.readText()) ?? null;
  } catch {
    text = null;
  }
  app.paste(text);
}

function buildToolbar(app: App, bar: HTMLElement): void {
  for (const [name, commands] of groups) {
    const group = document.createElement('div');
    group.setAttribute('role', 'group');
    group.setAttribute('aria-label', name);
    group.className = 'tool-group';
    for (const [id, text, run, keys] of commands) {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = `cmd-${id}`;
      button.textContent = text;
      if (keys) button.setAttribute('aria-keyshortcuts', keys.replace('Ctrl', 'Control'));
      // The grid keeps the keyboard: a click on a command does not take the focus from it.
      button.addEventListener('mousedown', (event) => event.preventDefault());
      button.addEventListener('click', () => void run(app));
      app.buttons.set(id, button);
      group.append(button);
    }
    bar.append(group);
  }
  buildRadioChoice(app, bar.lastElementChild as HTMLElement);
}

// Which radio 读频 and 写频 talk to: a cable through Web Serial where the browser has it, or the
// demo radio anywhere.
function buildRadioChoice(app: App, group: HTMLElement): void {
  const serial = hasWebSerial();
  const source = document.createElement('select');
  source.id = 'radio-source';
  source.setAttribute('aria-label', T.radioSource);
  source.add(new Option(T.serialCable, 'serial'));
  source.add(new Option(T.demoRadio, 'demo'));
  (source.options[0] as HTMLOptionElement).disabled = !serial;
  source.value = serial ? 'serial' : 'demo';
  const [allLabel, all] = [document.createElement('label'), document.createElement('input')];
  all.type = 'checkbox';
  allLabel.append(all, ` ${T.showAllPorts}`);
  const apply = () => {
    app.radioSource = source.value as 'serial' | 'demo';
    app.showAllPorts = all.checked;
    allLabel.hidden = app.radioSource !== 'serial';
  };
  source.addEventListener('change', apply);
  all.addEventListener('change', apply);
  apply();
  group.prepend(source, allLabel);
  const note = document.getElementById('radio-note') as HTMLElement;
  if (!serial) {
    note.textContent = T.radioOff;
    source.setAttribute('aria-describedby', note.id);
  }
  const speed = Number(new URLSearchParams(location.search).get('demo-speed'));
  if (speed > 0) app.demoSpeed = speed;
}

// The page's language: the browser's, until one is chosen here. Each name is in its own language,
// as the desktop's menu shows them. A new choice reloads the page (which asks first while a
// document is changed).
function buildLanguageChoice(header: HTMLElement): void {
  const choice = document.createElement('select');
  choice.id = 'language';
  choice.setAttribute('aria-label', T.language);
  for (const [code, name] of [['zh', '中文'], ['en', 'English']]) {
    const option = new Option(name, code);
    option.lang = code;
    choice.add(option);
  }
  choice.value = language;
  choice.addEventListener('change', () => {
    rememberLanguage(choice.value as Language);
    location.reload();
  });
  header.append(choice);
}

// The static parts of index.html in the page's language.
function translateShell(): void {
  document.documentElement.lang = language === 'zh' ? 'zh-CN' : 'en';
  const heading = document.querySelector('h1');
  if (heading) heading.textContent = T.title;
  document.getElementById('toolbar')?.setAttribute('aria-label', T.toolbar);
  document.getElementById('tabs')?.setAttribute('aria-label', T.documents);
}

function inEditor(target: EventTarget | null): boolean {
  return target instanceof HTMLElement && target.closest('.cell-editor, dialog') !== null;
}

function installKeys(app: App): void {
  document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || inEditor(event.target)) return;
    const key = event.key.toLowerCase();
    const run: Record<string, () => unknown> = {
      z: () => app.undo(event.shiftKey),
      y: () => app.undo(true),
      s: () => app.save(false),
      o: () => app.open(),
      p: () => app.print(),
    };
    if (!run[key]) return;
    event.preventDefault();
    void run[key]();
  });
  // Copy, cut and paste through the browser's own events need no permission.
  const rowsEvent = (event: ClipboardEvent, act: () => void) => {
    // Without a text selection the event goes to the body: the grid cell has the focus.
    const focused = document.activeElement;
    if (inEditor(focused) || !app.activeGrid()?.element.contains(focused)) return;
    event.preventDefault();
    act();
  };
  document.addEventListener('copy', (event) =>
    rowsEvent(event, () => event.clipboardData?.setData('text/plain', app.copy()?.text ?? '')));
  document.addEventListener('cut', (event) =>
    rowsEvent(event, () => {
      const cut = app.cut();
      if (cut) event.clipboardData?.setData('text/plain', cut.text);
    }));
  document.addEventListener('paste', (event) =>
    rowsEvent(event, () => app.paste(event.clipboardData?.getData('text/plain') ?? null)));
}

function installDrop(app: App): void {
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    for (const file of Array.from(event.dataTransfer?.files ?? []))
      await app.openBytes(file.name, new Uint8Array(await file.arrayBuffer()), null);
  });
}

// Offline and installable: the service worker keeps this version's files. When a new version took
// over from an old one, the page says so (it runs the new files from the next start).
function installServiceWorker(): void {
  if (!('serviceWorker' in navigator)) return;
  const hadOne = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (!hadOne) return;
    const note = document.getElementById('update-note') as HTMLElement;
    note.textContent = T.updated;
    note.hidden = false;
  });
  void navigator.serviceWorker.register('sw.js').catch(() => undefined);
}

async function start(): Promise<void> {
  translateShell();
  const core = await loadCore();
  askForPersistentStorage();
  installToneList(core);
  const app = new App(
    core,
    document.getElementById('tabs') as HTMLElement,
    document.getElementById('documents') as HTMLElement,
  );
  buildToolbar(app, document.getElementById('toolbar') as HTMLElement);
  buildLanguageChoice(document.querySelector('header') as HTMLElement);
  installKeys(app);
  installDrop(app);
  window.addEventListener('beforeunload', (event) => {
    if (app.anyModified()) event.preventDefault();
  });
  app.newDocument();
  document.getElementById('loading')?.remove();
  document.body.dataset.ready = 'true';
  performance.mark('tarsel-ready');
  installServiceWorker();
  // Reachable from the tests and from the console; the page keeps no other global.
  (window as unknown as { tarsel: unknown }).tarsel = { core, app };
}

void start();
