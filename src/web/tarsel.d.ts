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

// 读频 (read) or 写频 (write, verified when asked). run() resolves with an EExchangeOutcome:
// PortNotOpened, CommunicationError, Cancelled, VerificationFailed, Done.
export type ExchangeOutcome = 0 | 1 | 2 | 3 | 4;
export interface Transfer {
  run(doc: Document, portName: string, stepName: string): Promise<ExchangeOutcome>;
  cause(): Words;
  backup(): Uint8Array | null; // the image to back up after run(), if any
  steps(): number;
  delete(): void;
}

// What the core's port asks of the page's link (Module.radioLink).
export interface RadioLink {
  open(): Promise<number>; // 0 open, 1 no device, 2 held elsewhere, 3 permission denied, 4 other
  write(bytes: Uint8Array): Promise<number>;
  take(max: number): Uint8Array;
  waitForData(ms: number): Promise<void>;
  purge(): void;
  close(): Promise<void>;
  progress(position: number, total: number): void;
  // Set by the page to stop a read, or the reading back of a write, at its next step. (The
  // module cannot be called while an exchange has it suspended.)
  cancelled: boolean;
}

// A function form's control, from the core's field tables.
export interface FormField {
  id: number;
  caption: string; // the core's Chinese text
  kind: 'list' | 'edit' | 'column' | 'button';
  entries: string[];
  maxLength: number; // 0 on an edit: read-only
  keys: number; // EKeyRule: Printable, Decimal, Dtmf, Frequency
  stepped: boolean;
  hidden: boolean;
  rows: number;
  numberTitle: string;
  firstNumber: number;
}
export type FormValues = Record<string, number | string | string[]> & { disabled: number[] };
export type FormKind = 'options' | 'dtmf' | 'fm' | 'model';
export interface Form {
  pages(): { title: string; fields: FormField[] }[]; // title: the core's Chinese text, or empty
  values(): FormValues;
  set(id: number, value: number | string | { row: number; text: string }): void;
  focus(id: number): void;
  leave(id: number): void;
  change(id: number): void;
  press(id: number, row: number): void;
  step(id: number, step: number): void;
  showPage(index: number): void;
  close(stepName: string): boolean;
  callId(): string;
  delete(): void;
}

export interface TarselModule {
  Form: { new (doc: Document, kind: FormKind, callId: string, modelText: string): Form };
  acceptKey(rule: number, typed: string): string;
  radioLink?: RadioLink;
  Transfer: { new (read: boolean, verify: boolean): Transfer };
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

// The demo radio module (tarsel-demo.mjs).
export interface DemoRadio {
  setSpeed(speed: number): void; // 1: 9600 baud; 0: unpaced
  setMemory(bytes: Uint8Array): void;
  memory(): Uint8Array;
  stopAnsweringAtBlock(block: number): void;
  receive(bytes: Uint8Array, nowMs: number): void;
  advance(nowMs: number): Uint8Array;
  nextEventMs(): number;
  delete(): void;
}
export interface DemoModule {
  DemoRadio: { new (): DemoRadio };
}

// Why an exchange failed, as the core words it: each text translated, then its values put in.
export interface Words {
  text: string;
  values: Words[];
  value: boolean;
}
