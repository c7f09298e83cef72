// What the WebAssembly module exports (src/web/*bindings.cpp), so the page is checked against it.

export interface GridCell {
  row: number;
  column: number;
}

export interface CsvOptions {
  clear: boolean;
  skipBad: boolean;
  first: number; // 1..256, or 0: each row's Location
}

export interface CsvMessage {
  line: number;
  error: boolean;
  text: string;
}

export interface CsvReview {
  unreadable: boolean;
  accepted: number;
  warnings: number;
  errors: number;
  applicable: boolean;
  messages: CsvMessage[];
}

export interface CopiedRows {
  text: string;
  records: Uint8Array;
}

// ERowEditOutcome: Done, NotMemoryChannels, PastLastChannel, HalfFull, NothingToPaste.
export type RowEditOutcome = 0 | 1 | 2 | 3 | 4;

export interface Document {
  open(bytes: Uint8Array, name: string): string;
  save(): Uint8Array;
  isModified(): boolean;
  rowCells(channel: number): string[];
  changedRows(): number[];
  editColumn(channel: number, column: number): number;
  commitCell(channel: number, column: number, text: string, stepName: string): void;
  undo(): boolean;
  redo(): boolean;
  undoName(): string;
  redoName(): string;
  copyRows(channels: number[]): CopiedRows;
  cutRows(channels: number[], stepName: string): Partial<CopiedRows> & { outcome: RowEditOutcome };
  pasteRecords(first: number, records: Uint8Array, stepName: string): RowEditOutcome;
  pasteText(first: number, text: string, stepName: string): RowEditOutcome;
  clearRows(channels: number[], stepName: string): RowEditOutcome;
  insertRow(channel: number, stepName: string): RowEditOutcome;
  deleteRows(channels: number[], stepName: string): RowEditOutcome;
  sortRows(channels: number[], stepName: string): RowEditOutcome;
  reviewCsv(bytes: Uint8Array, options: CsvOptions): CsvReview;
  importCsv(bytes: Uint8Array, options: CsvOptions, stepName: string): boolean;
  exportCsv(): string;
  delete(): void;
}

export interface TarselModule {
  Document: { new (): Document };
  channelCount: number;
  columnCount: number;
  nameLength: number;
  columnTitles(): string[];
  gridLabel(channel: number): string;
  toneList(): string[];
  choiceEntries(column: number): string[];
  isFrequencyEditorChar(typed: string): boolean;
  isMemoryChannel(channel: number): boolean;
  moveRight(cell: GridCell): GridCell;
  moveLeft(cell: GridCell): GridCell;
  moveUp(cell: GridCell): GridCell;
  moveDown(cell: GridCell): GridCell;
  afterFrequencyEnter(cell: GridCell, editorTextEmpty: boolean): GridCell;
}

export default function createTarsel(options?: object): Promise<TarselModule>;
