// The in-place editors over a cell, as the desktop grid has them: an edit for the frequencies
// (only the characters the core lets through), an edit with the tone list for the tones (any
// text may be typed), a list for the choice columns and an edit for the name. Each hands the
// text back as typed or picked; the core corrects and commits it.
import type { TarselModule } from '../../src/web/tarsel';
import { coreText } from './i18n';

export type EditorKind = 'frequency' | 'tone' | 'choice' | 'name';

export function kindOfColumn(column: number): EditorKind {
  if (column <= 2) return 'frequency';
  if (column <= 4) return 'tone';
  if (column <= 8) return 'choice';
  return 'name';
}

export interface CellEditor {
  element: HTMLInputElement | HTMLSelectElement;
  kind: EditorKind;
  text(): string;
}

const toneListId = 'tarsel-tone-list';

// One list of the 265 tone texts for every tone editor of the page.
export function installToneList(core: TarselModule): void {
  if (document.getElementById(toneListId)) return;
  const list = document.createElement('datalist');
  list.id = toneListId;
  for (const tone of core.toneList()) {
    const option = document.createElement('option');
    option.value = tone;
    list.append(option);
  }
  document.body.append(list);
}

export function createEditor(
  core: TarselModule,
  column: number,
  text: string,
  caption: string,
): CellEditor {
  const kind = kindOfColumn(column);
  if (kind === 'choice') {
    const select = document.createElement('select');
    for (const entry of core.choiceEntries(column)) select.add(new Option(coreText(entry), entry));
    select.value = text;
    if (select.value !== text) select.selectedIndex = -1;
    select.className = 'cell-editor';
    select.setAttribute('aria-label', caption);
    return { element: select, kind, text: () => select.value };
  }
  const input = document.createElement('input');
  input.type = 'text';
  input.className = 'cell-editor';
  input.value = text;
  input.autocomplete = 'off';
  input.spellcheck = false;
  input.setAttribute('aria-label', caption);
  if (kind === 'tone') input.setAttribute('list', toneListId);
  if (kind === 'name') input.maxLength = core.nameLength;
  if (kind === 'frequency') {
    input.inputMode = 'decimal';
    input.addEventListener('keydown', (event) => {
      if (event.key.length !== 1 || event.ctrlKey || event.metaKey || event.altKey) return;
      if (!core.isFrequencyEditorChar(event.key)) event.preventDefault();
    });
  }
  return { element: input, kind, text: () => input.value };
}
