// The function forms (可选功能, DTMF, 收音机, 机型) as modal panels built from the core's field
// tables: a list per list field, an edit per edit (its keys filtered by the core), up/down buttons
// where the core steps a value, a small grid per column. Every value goes to the core's form as it
// changes and comes back corrected; closing the panel stores it as one undo step.
import type { Document, Form, FormField, FormKind, FormValues, TarselModule } from '../../src/web/tarsel';
import { coreText } from './i18n';
import { T } from './texts';

type Control = { field: FormField; show(values: FormValues): void };

function labelled(field: FormField, control: HTMLElement, caption: string): HTMLElement {
  control.id = `field-${field.id}`;
  const label = document.createElement('label');
  label.htmlFor = control.id;
  label.textContent = caption;
  const row = document.createElement('div');
  row.className = 'form-row';
  row.append(label, control);
  return row;
}

// Typed or pasted text as the core's key rule and the field's length take it.
function filterInput(core: TarselModule, input: HTMLInputElement, field: FormField): void {
  input.addEventListener('beforeinput', (event) => {
    if (!event.inputType.startsWith('insert') || event.data === null) return;
    event.preventDefault();
    const start = input.selectionStart ?? input.value.length;
    const end = input.selectionEnd ?? start;
    let room = field.maxLength - (input.value.length - (end - start));
    let accepted = '';
    for (const c of event.data) {
      if (room <= 0) break;
      const kept = core.acceptKey(field.keys, c);
      if (!kept) continue;
      accepted += kept;
      --room;
    }
    if (accepted) {
      input.setRangeText(accepted, start, end, 'end');
      input.dispatchEvent(new Event('input'));
    }
  });
}

class FormPanel {
  private readonly form: Form;
  private readonly dialog = document.createElement('dialog');
  private readonly body = document.createElement('div');
  private controls: Control[] = [];
  private currentRow = 0;

  constructor(
    private readonly core: TarselModule,
    doc: Document,
    kind: FormKind,
    title: string,
    callId: string,
    modelText: string,
  ) {
    this.form = new core.Form(doc, kind, callId, modelText);
    this.dialog.className = `form-panel form-${kind}`;
    const heading = document.createElement('h2');
    heading.id = `form-title-${kind}`;
    heading.textContent = title;
    this.dialog.setAttribute('aria-labelledby', heading.id);
    this.dialog.append(heading);
    const pages = this.form.pages();
    if (pages.length > 1) this.dialog.append(this.tabs(pages.map((page) => coreText(page.title))));
    this.body.className = 'form-body';
    this.dialog.append(this.body);
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = T.close;
    close.addEventListener('click', () => this.dialog.close());
    const buttons = document.createElement('div');
    buttons.className = 'buttons';
    buttons.append(close);
    this.dialog.append(buttons);
    this.showPage(0);
  }

  // The DTMF editor's pages: each switch stores the page left and loads the page shown.
  private tabs(names: string[]): HTMLElement {
    const list = document.createElement('div');
    list.setAttribute('role', 'tablist');
    const count = names.length;
    const tabs: HTMLButtonElement[] = [];
    for (let index = 0; index < count; ++index) {
      const tab = document.createElement('button');
      tab.type = 'button';
      tab.setAttribute('role', 'tab');
      tab.textContent = names[index];
      tab.addEventListener('click', () => {
        (document.activeElement as HTMLElement | null)?.blur();
        this.form.showPage(index);
        for (const each of tabs) each.setAttribute('aria-selected', String(each === tab));
        this.showPage(index);
        tab.focus();
      });
      tab.addEventListener('keydown', (event) => {
        const step = event.key === 'ArrowRight' ? 1 : event.key === 'ArrowLeft' ? -1 : 0;
        if (step) tabs[(index + step + count) % count].click();
      });
      tab.setAttribute('aria-selected', String(index === 0));
      tabs.push(tab);
    }
    list.append(...tabs);
    return list;
  }

  private showPage(index: number): void {
    const fields = this.form.pages()[index].fields;
    this.controls = [];
    this.body.replaceChildren();
    for (const field of fields) {
      if (field.hidden) continue;
      const caption = coreText(field.caption);
      if (field.kind === 'list') this.body.append(this.list(field, caption));
      else if (field.kind === 'edit') this.body.append(this.edit(field, caption));
      else if (field.kind === 'column') this.body.append(this.column(field, caption));
      else this.body.append(this.button(field, caption));
    }
    this.refresh();
  }

  private refresh(): void {
    const values = this.form.values();
    for (const control of this.controls) control.show(values);
  }

  private list(field: FormField, caption: string): HTMLElement {
    const select = document.createElement('select');
    field.entries.forEach((entry, index) => select.add(new Option(coreText(entry), String(index))));
    select.addEventListener('focus', () => this.form.focus(field.id));
    select.addEventListener('change', () => {
      this.form.set(field.id, select.selectedIndex);
      this.form.change(field.id);
      this.refresh();
    });
    this.controls.push({
      field,
      show: (values) => {
        select.selectedIndex = values[field.id] as number;
        select.disabled = values.disabled.includes(field.id);
      },
    });
    return labelled(field, select, caption);
  }

  private edit(field: FormField, caption: string): HTMLElement {
    const input = document.createElement('input');
    input.type = 'text';
    input.autocomplete = 'off';
    input.spellcheck = false;
    if (field.maxLength === 0) input.readOnly = true;
    else filterInput(this.core, input, field);
    input.addEventListener('focus', () => this.form.focus(field.id));
    input.addEventListener('input', () => this.form.set(field.id, input.value));
    input.addEventListener('blur', () => {
      this.form.leave(field.id);
      this.refresh();
    });
    this.controls.push({ field, show: (values) => (input.value = values[field.id] as string) });
    const row = labelled(field, input, caption);
    if (!field.stepped) return row;
    const step = (by: number) => {
      this.form.set(field.id, input.value);
      this.form.step(field.id, by);
      this.refresh();
    };
    input.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
        event.preventDefault();
        step(event.key === 'ArrowUp' ? 1 : -1);
      }
    });
    for (const [text, by] of [[T.increase, 1], [T.decrease, -1]] as const) {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'step';
      button.textContent = by > 0 ? '▲' : '▼';
      button.setAttribute('aria-label', `${caption} ${text}`);
      button.tabIndex = -1; // the edit's arrow keys step it
      button.addEventListener('mousedown', (event) => event.preventDefault());
      button.addEventListener('click', () => step(by));
      row.append(button);
    }
    return row;
  }

  // A column of edits with the row numbers (FM presets, auto-dial codes); Enter moves down.
  private column(field: FormField, caption: string): HTMLElement {
    const table = document.createElement('table');
    table.className = 'form-column';
    table.setAttribute('aria-label', caption);
    const inputs: HTMLInputElement[] = [];
    const titles = table.createTHead().insertRow();
    for (const title of [coreText(field.numberTitle), caption]) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = title;
      titles.append(th);
    }
    const body = table.createTBody();
    for (let row = 0; row < field.rows; ++row) {
      const tr = body.insertRow();
      const number = document.createElement('th');
      number.scope = 'row';
      number.textContent = String(field.firstNumber + row);
      const td = tr.insertCell();
      const input = document.createElement('input');
      input.type = 'text';
      input.autocomplete = 'off';
      input.setAttribute('aria-label', `${caption} ${field.firstNumber + row}`);
      filterInput(this.core, input, field);
      input.addEventListener('focus', () => (this.currentRow = row));
      // Committed on leaving (a filtered insertion fires no change event).
      input.addEventListener('blur', () => {
        this.form.set(field.id, { row, text: input.value });
        this.refresh();
      });
      input.addEventListener('keydown', (event) => {
        const to = event.key === 'Enter' || event.key === 'ArrowDown' ? row + 1 : event.key === 'ArrowUp' ? row - 1 : -1;
        if (to < 0 || to >= field.rows) return;
        event.preventDefault();
        inputs[to].focus();
      });
      tr.prepend(number);
      td.append(input);
      inputs.push(input);
    }
    this.controls.push({
      field,
      show: (values) => (values[field.id] as string[]).forEach((text, row) => (inputs[row].value = text)),
    });
    const box = document.createElement('div');
    box.className = 'form-column-box';
    box.append(table);
    return box;
  }

  private button(field: FormField, caption: string): HTMLElement {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = caption;
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => {
      this.form.press(field.id, this.currentRow);
      this.refresh();
    });
    return button;
  }

  // Resolves when the panel is closed: whether the document changed, and the call ID it leaves.
  run(stepName: string): Promise<{ changed: boolean; callId: string }> {
    document.body.append(this.dialog);
    return new Promise((resolve) => {
      this.dialog.addEventListener('close', () => {
        // The edit that had the focus is left first, as the desktop's dialog leaves it.
        (document.activeElement as HTMLElement | null)?.blur();
        const changed = this.form.close(stepName);
        const callId = this.form.callId();
        this.form.delete();
        this.dialog.remove();
        resolve({ changed, callId });
      });
      this.dialog.showModal();
      performance.mark('tarsel-form-open');
    });
  }
}

export const formTitles: Record<FormKind, () => string> = {
  options: () => T.optionsTitle,
  dtmf: () => T.dtmfTitle,
  fm: () => T.fmTitle,
  model: () => T.modelTitle,
};

export function openForm(
  core: TarselModule,
  doc: Document,
  kind: FormKind,
  stepName: string,
  callId: string,
  modelText: string,
): Promise<{ changed: boolean; callId: string }> {
  return new FormPanel(core, doc, kind, formTitles[kind](), callId, modelText).run(stepName);
}
