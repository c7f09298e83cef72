// The page: documents as tabs, each with its grid and undo history, and the commands of the
// desktop's 文件 and 编辑 menus. Every change goes through the core; the page only shows it.
import type { CopiedRows, Document, FormKind, RowEditOutcome, TarselModule } from '../../src/web/tarsel';
import { importCsvDialog } from './csvdialog';
import { askYesNoCancel, showError } from './dialogs';
import { csvFileType, dataFileType, FileHandle, pickFile, saveFile } from './files';
import { DemoLink } from './demolink';
import { openForm } from './forms';
import { keepBackup, listBackups, readBackup } from './backups';
import { chooseBackup } from './backupdialog';
import { ChannelGrid } from './grid';
import { SerialLink } from './seriallink';
import { runTransfer } from './transferdialog';
import { askSave, cannotOpen, cannotSave, rowOutcomeTexts, T } from './texts';

interface OpenDocument {
  doc: Document;
  grid: ChannelGrid;
  name: string; // file name, or '' for a document never saved
  handle: FileHandle;
  tab: HTMLButtonElement;
  panel: HTMLElement;
}

export class App {
  private readonly docs: OpenDocument[] = [];
  private active: OpenDocument | null = null;
  private clipboard: CopiedRows | null = null;
  private untitled = 0;
  private demo: DemoLink | null = null;
  readonly buttons = new Map<string, HTMLButtonElement>();
  // Where 读频 and 写频 go: the cable or the demo radio, and how fast the demo radio runs.
  radioSource: 'serial' | 'demo' = 'demo';
  // While an exchange has the module suspended nothing may call into it (its reply would go to
  // the wrong caller): the page changes nothing until the exchange ends.
  busy = false;
  showAllPorts = false;
  demoSpeed = 1;
  // The program-wide values of the desktop's state: the DTMF editor's call ID (kept for the
  // session, not in the image) and the model text 机型 shows.
  dtmfCallId = '100';
  modelText = 'TZ-316';

  constructor(
    private readonly core: TarselModule,
    private readonly tabs: HTMLElement,
    private readonly panels: HTMLElement,
  ) {
    window.addEventListener('beforeprint', () => this.headPrint());
  }

  add(doc: Document, name: string, handle: FileHandle): void {
    const tab = document.createElement('button');
    tab.setAttribute('role', 'tab');
    tab.className = 'doc-tab';
    const panel = document.createElement('section');
    panel.setAttribute('role', 'tabpanel');
    const id = `doc-${++this.untitled}`;
    tab.id = `${id}-tab`;
    panel.id = `${id}-panel`;
    tab.setAttribute('aria-controls', panel.id);
    panel.setAttribute('aria-labelledby', tab.id);
    const entry = { doc, name, handle, tab, panel } as OpenDocument;
    entry.grid = new ChannelGrid(this.core, doc, T.channelGrid, () => this.update(entry));
    panel.append(entry.grid.element);
    tab.addEventListener('click', () => this.activate(entry));
    this.docs.push(entry);
    this.tabs.append(tab);
    this.panels.append(panel);
    this.activate(entry);
  }

  private titleOf(entry: OpenDocument): string {
    return entry.name || T.untitled;
  }

  private activate(entry: OpenDocument): void {
    this.active?.grid.commitOpen();
    this.active = entry;
    for (const each of this.docs) {
      const on = each === entry;
      each.tab.setAttribute('aria-selected', String(on));
      each.tab.tabIndex = on ? 0 : -1;
      each.panel.hidden = !on;
    }
    this.update(entry);
    entry.grid.focus();
  }

  // The tab's modified marker and the undo and redo buttons follow the document.
  private update(entry: OpenDocument): void {
    entry.tab.textContent = this.titleOf(entry) + (entry.doc.isModified() ? ' *' : '');
    if (entry !== this.active) return;
    const undo = this.buttons.get('undo'), redo = this.buttons.get('redo');
    if (undo) {
      undo.disabled = !entry.doc.undoName();
      undo.title = entry.doc.undoName() ? `${T.undo} ${entry.doc.undoName()}` : T.undo;
    }
    if (redo) {
      redo.disabled = !entry.doc.redoName();
      redo.title = entry.doc.redoName() ? `${T.redo} ${entry.doc.redoName()}` : T.redo;
    }
    document.title = `${this.titleOf(entry)} - ${T.title}`;
  }

  anyModified(): boolean {
    if (this.busy) return true;
    return this.docs.some((entry) => {
      entry.grid.commitOpen();
      return entry.doc.isModified();
    });
  }

  newDocument(): void {
    this.add(new this.core.Document(), '', null);
  }

  async openBytes(name: string, bytes: Uint8Array, handle: FileHandle): Promise<void> {
    if (this.busy) return;
    const doc = new this.core.Document();
    const error = doc.open(bytes, name);
    if (error) {
      doc.delete();
      await showError(cannotOpen(name), error);
      return;
    }
    this.add(doc, name, handle);
  }

  async open(): Promise<void> {
    const picked = await pickFile(dataFileType);
    if (picked) await this.openBytes(picked.name, picked.bytes, picked.handle);
  }

  async save(askForName: boolean, entry = this.active): Promise<boolean> {
    if (!entry) return false;
    entry.grid.commitOpen();
    const name = entry.name || `${T.untitled}.dat`;
    const bytes = entry.doc.save();
    try {
      const handle = await saveFile(bytes, name, dataFileType, askForName ? null : entry.handle);
      if (handle === undefined) return false;
      entry.handle = handle;
      if (handle) entry.name = handle.name;
      else if (!entry.name) entry.name = name;
    } catch (error) {
      await showError(cannotSave(name), String(error));
      return false;
    }
    this.update(entry);
    return true;
  }

  async close(entry = this.active): Promise<void> {
    if (!entry) return;
    entry.grid.commitOpen();
    if (entry.doc.isModified()) {
      const answer = await askYesNoCancel(askSave(this.titleOf(entry)));
      if (answer === 'cancel' || (answer === 'yes' && !(await this.save(false, entry)))) return;
    }
    const at = this.docs.indexOf(entry);
    this.docs.splice(at, 1);
    entry.tab.remove();
    entry.panel.remove();
    entry.doc.delete();
    if (this.active === entry) this.active = null;
    const next = this.docs[Math.min(at, this.docs.length - 1)];
    if (next) this.activate(next);
    else this.newDocument();
  }

  undo(redo = false): void {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    if (redo ? entry.doc.redo() : entry.doc.undo()) entry.grid.contentReplaced();
    entry.grid.focus();
  }

  private async report(outcome: RowEditOutcome): Promise<void> {
    const entry = this.active;
    if (!entry) return;
    if (outcome === 0) entry.grid.contentReplaced();
    else await showError(rowOutcomeTexts[outcome]);
    entry.grid.focus();
  }

  // Copy keeps the records for pastes within the page (whole records, names and option bytes
  // included) and gives the desktop's text to the system clipboard.
  copy(): CopiedRows | null {
    const entry = this.active;
    if (!entry) return null;
    entry.grid.commitOpen();
    this.clipboard = entry.doc.copyRows(entry.grid.chosenChannels());
    return this.clipboard;
  }

  cut(): CopiedRows | null {
    const entry = this.active;
    if (!entry) return null;
    entry.grid.commitOpen();
    const cut = entry.doc.cutRows(entry.grid.chosenChannels(), T.cut);
    if (cut.outcome === 0 && cut.text !== undefined && cut.records)
      this.clipboard = { text: cut.text, records: cut.records };
    void this.report(cut.outcome);
    return cut.outcome === 0 ? this.clipboard : null;
  }

  // text: what the system clipboard holds (null when the page may not read it).
  paste(text: string | null): void {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    const first = entry.grid.currentChannel();
    const own = this.clipboard && (text === null || text === this.clipboard.text);
    if (own && this.clipboard) {
      void this.report(entry.doc.pasteRecords(first, this.clipboard.records, T.paste));
    } else {
      void this.report(entry.doc.pasteText(first, text ?? '', T.paste));
    }
  }

  rowCommand(command: 'clear' | 'insert' | 'remove' | 'sort'): void {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    const doc = entry.doc, chosen = entry.grid.chosenChannels();
    const outcome =
      command === 'clear' ? doc.clearRows(chosen, T.clear)
      : command === 'insert' ? doc.insertRow(entry.grid.currentChannel(), T.insert)
      : command === 'remove' ? doc.deleteRows(chosen, T.remove)
      : doc.sortRows(chosen, T.sort);
    void this.report(outcome);
  }

  async importCsv(): Promise<void> {
    const entry = this.active;
    if (!entry) return;
    const picked = await pickFile(csvFileType);
    if (!picked) return;
    entry.grid.commitOpen();
    if (await importCsvDialog(entry.doc, picked.bytes))
      entry.grid.contentReplaced();
    entry.grid.focus();
  }

  async exportCsv(): Promise<void> {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    const name = `${this.titleOf(entry).replace(/\.[^.]*$/, '')}.csv`;
    try {
      await saveFile(entry.doc.exportCsv(), name, csvFileType, null);
    } catch (error) {
      await showError(cannotSave(name), String(error));
    }
  }

  // 读频 (read) or 写频 (write, verified): a complete read is one undo step; anything else leaves
  // the document as it was.
  async radio(read: boolean): Promise<void> {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    let link: SerialLink | DemoLink, portName: string;
    if (this.radioSource === 'serial') {
      // The port is asked for first, while the click still counts as the user's.
      const chosen = await SerialLink.choose(this.showAllPorts);
      if (!chosen) return;
      link = chosen;
      portName = chosen.name();
    } else {
      if (!this.demo) {
        this.demo = await DemoLink.create();
        // A radio fresh from the factory holds what a new document holds.
        const factory = new this.core.Document();
        this.demo.radio.setMemory(factory.save());
        factory.delete();
      }
      this.demo.radio.setSpeed(this.demoSpeed);
      link = this.demo;
      portName = T.demoRadio;
    }
    this.busy = true;
    try {
      await runTransfer(this.core, entry.doc, link, portName, read, (bytes) => this.keepBackup(read, bytes));
    } finally {
      this.busy = false;
    }
    entry.grid.contentReplaced();
    entry.grid.focus();
  }

  // 可选功能, DTMF, 收音机 and 机型: one undo step each session that changed the document; the
  // keyboard goes back to the grid, as after the desktop's dialogs.
  async form(kind: FormKind, stepName: string): Promise<void> {
    const entry = this.active;
    if (!entry || this.busy) return;
    entry.grid.commitOpen();
    const { changed, callId } = await openForm(this.core, entry.doc, kind, stepName, this.dtmfCallId, this.modelText);
    this.dtmfCallId = callId;
    if (changed) entry.grid.contentReplaced();
    this.update(entry);
    entry.grid.focus();
  }

  // 打印: the active list in the browser's print dialog; the print style sheet shows the grid
  // under the file's name and the date.
  print(): void {
    window.print();
  }

  // Before every print, also one from the browser's own menu: the heading and the list as it is.
  private headPrint(): void {
    const entry = this.active;
    if (!entry) return;
    entry.grid.commitOpen();
    const heading = document.getElementById('print-heading') as HTMLElement;
    heading.textContent = `${this.titleOf(entry)}    ${new Date().toLocaleString(document.documentElement.lang)}`;
  }

  private backupWarned = false;

  // A backup that cannot be kept warns once a session and never fails the transfer.
  private async keepBackup(read: boolean, bytes: Uint8Array): Promise<void> {
    try {
      await keepBackup(read ? 'read' : 'write', bytes);
    } catch (error) {
      if (this.backupWarned) return;
      this.backupWarned = true;
      await showError(T.cannotBackup, String(error));
    }
  }

  // 打开备份…: one of the kept images as a new document.
  async openBackup(): Promise<void> {
    if (this.busy) return;
    let names: string[] = [];
    try {
      names = await listBackups();
    } catch (error) {
      await showError(T.cannotBackup, String(error));
      return;
    }
    const name = await chooseBackup(names);
    const backup = name ? await readBackup(name) : undefined;
    if (backup) await this.openBytes(backup.name, backup.bytes, null);
    else this.active?.grid.focus();
  }

  demoRadio(): DemoLink | null {
    return this.demo;
  }

  activeGrid(): ChannelGrid | null {
    return this.active?.grid ?? null;
  }
}
