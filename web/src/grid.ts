// The channel grid of one document: 258 rows and nine data columns as an ARIA grid. The keys
// move as the desktop grid moves (the core's navigation), Enter or a click opens the cell's
// editor, and rows are chosen by their labels with Shift and Ctrl.
import type { Document, GridCell, TarselModule } from '../../src/web/tarsel';
import { CellEditor, createEditor, kindOfColumn } from './editors';
import { coreText } from './i18n';

// What a cell shows: the lists' entries in the page's language, everything else as it is (a
// name is the user's own text).
function shown(column: number, text: string): string {
  return kindOfColumn(column) === 'choice' ? coreText(text) : text;
}

interface OpenEditor {
  editor: CellEditor;
  cell: GridCell;
}

export class ChannelGrid {
  readonly element: HTMLElement;
  private readonly table: HTMLTableElement;
  private readonly rows: HTMLTableRowElement[] = [];
  private readonly titles: string[];
  private current: GridCell = { row: 1, column: 1 };
  private readonly chosen = new Set<number>();
  private anchor = 1;
  private open: OpenEditor | null = null;

  constructor(
    private readonly core: TarselModule,
    private readonly doc: Document,
    label: string,
    // After every change the document took: tabs, undo and the modified marker follow.
    private readonly changed: () => void,
  ) {
    this.titles = core.columnTitles().map(coreText);
    this.element = document.createElement('div');
    this.element.className = 'grid-scroll';
    this.table = document.createElement('table');
    this.table.className = 'channel-grid';
    this.table.setAttribute('role', 'grid');
    this.table.setAttribute('aria-label', label);
    this.table.setAttribute('aria-multiselectable', 'true');
    this.table.setAttribute('aria-rowcount', String(core.channelCount + 1));
    this.table.setAttribute('aria-colcount', String(core.columnCount + 1));
    this.build();
    this.element.append(this.table);
    this.table.addEventListener('keydown', (event) => this.onKey(event));
    this.table.addEventListener('mousedown', (event) => this.onMouseDown(event));
  }

  private build(): void {
    const head = this.table.createTHead();
    const titleRow = head.insertRow();
    titleRow.setAttribute('role', 'row');
    titleRow.setAttribute('aria-rowindex', '1');
    const corner = document.createElement('th');
    corner.setAttribute('role', 'columnheader');
    titleRow.append(corner);
    // The style sheet's widths are the least; a longer (translated) title widens its column, as
    // on the desktop. Measured once: the widths stay fixed, so an edit lays out only its row.
    const measure = document.createElement('canvas').getContext('2d');
    if (measure) measure.font = getComputedStyle(document.body).font;
    let tableWidth = 0;
    for (const [index, title] of ['', ...this.titles].entries()) {
      const th = index === 0 ? corner : document.createElement('th');
      if (index > 0) {
        th.setAttribute('role', 'columnheader');
        th.textContent = title;
        titleRow.append(th);
      }
      const least = index === 0 ? 60 : index <= 2 ? 100 : 74;
      const needed = measure ? Math.ceil(measure.measureText(title).width) + 12 : 0;
      th.style.width = `${Math.max(least, needed)}px`;
      tableWidth += Math.max(least, needed);
    }
    this.table.style.width = `${tableWidth}px`;
    const body = this.table.createTBody();
    for (let channel = 1; channel <= this.core.channelCount; ++channel) {
      const tr = body.insertRow();
      tr.setAttribute('role', 'row');
      tr.setAttribute('aria-rowindex', String(channel + 1));
      tr.setAttribute('aria-selected', 'false');
      const th = document.createElement('th');
      th.setAttribute('role', 'rowheader');
      th.className = 'row-label';
      th.textContent = this.core.gridLabel(channel);
      tr.append(th);
      const cells = this.doc.rowCells(channel);
      for (let column = 1; column <= this.core.columnCount; ++column) {
        const td = document.createElement('td');
        td.setAttribute('role', 'gridcell');
        td.tabIndex = -1;
        td.textContent = shown(column, cells[column - 1]);
        tr.append(td);
      }
      this.rows.push(tr);
    }
    this.cellAt(this.current).tabIndex = 0;
  }

  private cellAt(cell: GridCell): HTMLTableCellElement {
    return this.rows[cell.row - 1].cells[cell.column];
  }

  // Shows again the rows the document changed.
  refresh(): void {
    for (const channel of this.doc.changedRows()) {
      const cells = this.doc.rowCells(channel);
      const tr = this.rows[channel - 1];
      for (let column = 1; column <= this.core.columnCount; ++column) {
        const td = tr.cells[column];
        if (this.open && this.open.cell.row === channel && this.open.cell.column === column)
          continue;
        const text = shown(column, cells[column - 1]);
        if (td.textContent !== text) td.textContent = text;
      }
    }
  }

  focus(): void {
    this.cellAt(this.current).focus({ preventScroll: false });
  }

  currentChannel(): number {
    return this.current.row;
  }

  // The chosen rows in channel order; the current row when none is chosen.
  chosenChannels(): number[] {
    if (this.chosen.size === 0) return [this.current.row];
    return [...this.chosen].sort((a, b) => a - b);
  }

  moveTo(cell: GridCell, focus = true): void {
    this.cellAt(this.current).tabIndex = -1;
    this.current = { row: cell.row, column: cell.column };
    const td = this.cellAt(this.current);
    td.tabIndex = 0;
    if (focus) td.focus();
  }

  private setChosen(channels: Iterable<number>): void {
    for (const channel of this.chosen)
      this.rows[channel - 1].setAttribute('aria-selected', 'false');
    this.chosen.clear();
    for (const channel of channels) {
      this.chosen.add(channel);
      this.rows[channel - 1].setAttribute('aria-selected', 'true');
    }
  }

  private chooseRow(channel: number, shift: boolean, ctrl: boolean): void {
    if (shift) {
      const [from, to] = channel < this.anchor ? [channel, this.anchor] : [this.anchor, channel];
      const range: number[] = [];
      for (let c = from; c <= to; ++c) range.push(c);
      this.setChosen(ctrl ? [...this.chosen, ...range] : range);
    } else if (ctrl) {
      const next = new Set(this.chosen);
      if (next.has(channel)) next.delete(channel);
      else next.add(channel);
      this.setChosen(next);
      this.anchor = channel;
    } else {
      this.setChosen([channel]);
      this.anchor = channel;
    }
    this.moveTo({ row: channel, column: this.current.column });
  }

  // Opens the editor of a cell; a row without a receive frequency starts with its receive cell.
  beginEdit(cell: GridCell): void {
    this.commitOpen();
    const column = this.doc.editColumn(cell.row, cell.column);
    this.moveTo({ row: cell.row, column }, false);
    const td = this.cellAt(this.current);
    const editor = createEditor(
      this.core,
      column,
      this.doc.rowCells(cell.row)[column - 1],
      this.titles[column - 1],
    );
    const at = { ...this.current };
    this.open = { editor, cell: at };
    td.textContent = '';
    td.append(editor.element);
    editor.element.addEventListener('keydown', (event) =>
      this.onEditorKey(event as KeyboardEvent, editor, at),
    );
    editor.element.addEventListener('blur', () => this.commitOpen());
    editor.element.focus();
    if (editor.element instanceof HTMLInputElement) editor.element.select();
  }

  // Commits the open editor's text through the core, whatever way it is left. The cell takes the
  // focus back unless the caller moves it on anyway (each focus lays the grid out again).
  commitOpen(refocus = true): void {
    const open = this.open;
    if (!open) return;
    this.open = null;
    const text = open.editor.text();
    const hadFocus = open.editor.element.contains(document.activeElement);
    open.editor.element.remove();
    const { row, column } = open.cell;
    this.doc.commitCell(row, column, text, `${this.core.gridLabel(row)} ${this.titles[column - 1]}`);
    // The cell shows the document's text whether or not the commit changed it.
    this.cellAt(open.cell).textContent = shown(column, this.doc.rowCells(row)[column - 1]);
    this.refresh();
    if (hadFocus && refocus) this.focus();
    this.changed();
  }

  private onEditorKey(event: KeyboardEvent, editor: CellEditor, cell: GridCell): void {
    if (event.key === 'Enter') {
      event.preventDefault();
      event.stopPropagation();
      const empty = editor.text() === '';
      this.commitOpen(false);
      const next =
        editor.kind === 'frequency'
          ? this.core.afterFrequencyEnter(cell, empty)
          : this.core.moveRight(cell);
      this.moveTo(next);
    } else if (event.key === 'Escape') {
      // As on the desktop: the editor stays; it commits when it is left.
      event.preventDefault();
    }
    event.stopPropagation();
  }

  private onKey(event: KeyboardEvent): void {
    if (this.open || event.altKey || event.metaKey) return;
    const plain = !event.ctrlKey && !event.shiftKey;
    let next: GridCell | null = null;
    switch (event.key) {
      case 'Enter':
        if (!plain) return;
        this.beginEdit(this.current);
        break;
      case 'ArrowRight':
        next = this.core.moveRight(this.current);
        break;
      case 'ArrowLeft':
        next = this.core.moveLeft(this.current);
        break;
      case 'ArrowDown':
        next = this.core.moveDown(this.current);
        break;
      case 'ArrowUp':
        next = this.core.moveUp(this.current);
        break;
      // The list widget's own keys, as a desktop table view has them.
      case 'Home':
        next = { row: event.ctrlKey ? 1 : this.current.row, column: 1 };
        break;
      case 'End':
        next = {
          row: event.ctrlKey ? this.core.channelCount : this.current.row,
          column: this.core.columnCount,
        };
        break;
      case 'PageDown':
      case 'PageUp': {
        const page = Math.max(1, Math.floor(this.element.clientHeight / this.rows[0].offsetHeight) - 1);
        const row = this.current.row + (event.key === 'PageDown' ? page : -page);
        next = { row: Math.min(this.core.channelCount, Math.max(1, row)), column: this.current.column };
        break;
      }
      case ' ':
        if (!event.shiftKey && !event.ctrlKey) return;
        // Shift+Space or Ctrl+Space chooses the current row, as a click on its label would.
        this.chooseRow(this.current.row, event.shiftKey && !event.ctrlKey, event.ctrlKey);
        break;
      default:
        return;
    }
    event.preventDefault();
    if (next) {
      if (this.chosen.size && plain) this.setChosen([]);
      this.moveTo(next);
    }
  }

  private onMouseDown(event: MouseEvent): void {
    if (event.button !== 0) return;
    const target = (event.target as HTMLElement).closest('td, th');
    if (!target || target.closest('.cell-editor')) return;
    if (this.open && this.open.editor.element.contains(event.target as Node)) return;
    const tr = target.parentElement as HTMLTableRowElement;
    const channel = this.rows.indexOf(tr) + 1;
    if (channel < 1) return;
    event.preventDefault();
    this.commitOpen();
    if (target.getAttribute('role') === 'rowheader') {
      this.chooseRow(channel, event.shiftKey, event.ctrlKey || event.metaKey);
      return;
    }
    this.setChosen([]);
    this.beginEdit({ row: channel, column: (target as HTMLTableCellElement).cellIndex });
  }

  // The document's texts were replaced wholesale (undo, redo, a row command, an import).
  contentReplaced(): void {
    this.refresh();
    this.changed();
  }

  isEditing(): boolean {
    return this.open !== null;
  }
}
