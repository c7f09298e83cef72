// The preview of a channel-list import: what the core found with the options chosen, its
// warnings and errors as the core words them, and the import only when the core says it applies.
import type { CsvOptions, Document } from '../../src/web/tarsel';
import { csvSummary, T } from './texts';

function checkbox(text: string): [HTMLLabelElement, HTMLInputElement] {
  const label = document.createElement('label');
  const box = document.createElement('input');
  box.type = 'checkbox';
  label.append(box, ` ${text}`);
  return [label, box];
}

// Resolves true when the list was imported (one undo step).
export function importCsvDialog(doc: Document, text: Uint8Array): Promise<boolean> {
  const dialog = document.createElement('dialog');
  dialog.className = 'csv-import';
  dialog.setAttribute('aria-labelledby', 'csv-import-title');
  const title = document.createElement('h2');
  title.id = 'csv-import-title';
  title.textContent = T.importCsv;
  const summary = document.createElement('p');
  summary.setAttribute('role', 'status');
  const listLabel = document.createElement('div');
  listLabel.id = 'csv-messages-label';
  listLabel.textContent = T.messages;
  const list = document.createElement('ul');
  list.className = 'csv-messages';
  list.setAttribute('aria-labelledby', listLabel.id);
  const [clearLabel, clear] = checkbox(T.clearExisting);
  const [skipLabel, skipBad] = checkbox(T.skipBad);
  const [firstLabel, firstBox] = checkbox(T.fromChannel);
  const first = document.createElement('input');
  first.type = 'number';
  first.min = '1';
  first.max = '256';
  first.value = '1';
  first.disabled = true;
  first.setAttribute('aria-label', T.channelN);
  const firstRow = document.createElement('div');
  firstRow.append(firstLabel, ' ', first);
  const importButton = document.createElement('button');
  importButton.textContent = T.importButton;
  const cancel = document.createElement('button');
  cancel.textContent = T.cancel;
  const buttons = document.createElement('div');
  buttons.className = 'buttons';
  buttons.append(importButton, cancel);
  dialog.append(title, summary, listLabel, list, clearLabel, skipLabel, firstRow, buttons);

  const options = (): CsvOptions => ({
    clear: clear.checked,
    skipBad: skipBad.checked,
    first: firstBox.checked ? Math.min(256, Math.max(1, Number(first.value) || 1)) : 0,
  });
  const review = () => {
    first.disabled = !firstBox.checked;
    const found = doc.reviewCsv(text, options());
    summary.textContent = found.unreadable
      ? T.notAList
      : csvSummary(found.accepted, found.warnings, found.errors);
    list.replaceChildren(
      ...found.messages.map((message) => {
        const item = document.createElement('li');
        item.className = message.error ? 'error' : 'warning';
        item.textContent = `${message.error ? T.error : T.warning}  ${message.text}`;
        return item;
      }),
    );
    importButton.disabled = !found.applicable;
  };
  for (const input of [clear, skipBad, firstBox, first]) input.addEventListener('input', review);
  review();

  document.body.append(dialog);
  return new Promise((resolve) => {
    let imported = false;
    importButton.addEventListener('click', () => {
      imported = doc.importCsv(text, options(), T.importCsv);
      if (imported) dialog.close();
    });
    cancel.addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => {
      dialog.remove();
      resolve(imported);
    });
    dialog.showModal();
  });
}
