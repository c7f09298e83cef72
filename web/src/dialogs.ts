// Message boxes with one OK button, and the question before a changed document is closed.
import { T } from './texts';

function button(text: string, value: string): HTMLButtonElement {
  const b = document.createElement('button');
  b.type = 'submit';
  b.value = value;
  b.textContent = text;
  return b;
}

function ask(message: string, detail: string, buttons: [string, string][]): Promise<string> {
  const dialog = document.createElement('dialog');
  dialog.setAttribute('role', 'alertdialog');
  dialog.className = 'message';
  const form = document.createElement('form');
  form.method = 'dialog';
  const text = document.createElement('p');
  text.textContent = message;
  text.id = `message-${Date.now()}`;
  dialog.setAttribute('aria-labelledby', text.id);
  form.append(text);
  if (detail) {
    const more = document.createElement('p');
    more.className = 'detail';
    more.textContent = detail;
    form.append(more);
  }
  const row = document.createElement('div');
  row.className = 'buttons';
  for (const [label, value] of buttons) row.append(button(label, value));
  form.append(row);
  dialog.append(form);
  document.body.append(dialog);
  const focused = document.activeElement as HTMLElement | null;
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => {
      dialog.remove();
      focused?.focus();
      resolve(dialog.returnValue || 'cancel');
    });
    dialog.showModal();
  });
}

export async function showError(message: string, detail = ''): Promise<void> {
  await ask(message, detail, [[T.ok, 'ok']]);
}

export const showMessage = showError;

// 'yes' (save first), 'no' (close without saving) or 'cancel'.
export function askYesNoCancel(message: string): Promise<string> {
  return ask(message, '', [
    [T.yes, 'yes'],
    [T.no, 'no'],
    [T.cancel, 'cancel'],
  ]);
}
