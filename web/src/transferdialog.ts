// The progress of 读频 and 写频: a bar with the percentage, 取消 while a read or the reading back
// of a write may be stopped, and the desktop's messages for the outcome.
import type { Document, TarselModule } from '../../src/web/tarsel';
import { showError, showMessage } from './dialogs';
import { coreWords } from './i18n';
import { BufferedLink } from './link';
import { T } from './texts';

// EExchangeOutcome
const enum Outcome { PortNotOpened, CommunicationError, Cancelled, VerificationFailed, Done }

export async function runTransfer(
  core: TarselModule,
  doc: Document,
  link: BufferedLink,
  portName: string,
  read: boolean,
  keepBackup: (bytes: Uint8Array) => Promise<void>,
): Promise<boolean> {
  const dialog = document.createElement('dialog');
  dialog.className = 'transfer';
  const title = document.createElement('h2');
  title.id = 'transfer-title';
  title.textContent = read ? T.readTitle : T.writeTitle;
  dialog.setAttribute('aria-labelledby', title.id);
  const bar = document.createElement('progress');
  bar.max = 100;
  bar.value = 0;
  bar.setAttribute('aria-labelledby', title.id);
  const percent = document.createElement('span');
  percent.className = 'percent';
  percent.textContent = '0%';
  const cancel = document.createElement('button');
  cancel.textContent = T.cancel;
  cancel.disabled = !read;
  const buttons = document.createElement('div');
  buttons.className = 'buttons';
  buttons.append(cancel);
  dialog.append(title, bar, percent, buttons);
  // The document may not change under an exchange: the dialog is modal and cannot be dismissed.
  dialog.addEventListener('cancel', (event) => event.preventDefault());
  document.body.append(dialog);
  dialog.showModal();

  const transfer = new core.Transfer(read, true);
  link.onProgress = (position, total) => {
    bar.value = total > 0 ? (position * 100) / total : 0;
    percent.textContent = `${total > 0 ? Math.floor((position * 100) / total) : 0}%`;
    // The last block is written: from here on a write only reads back, and may be stopped.
    if (!read && position >= total / 2) cancel.disabled = false;
  };
  cancel.addEventListener('click', () => {
    cancel.disabled = true;
    link.cancelled = true;
    link.wake();
  });
  link.cancelled = false;
  core.radioLink = link;
  let outcome: Outcome;
  const start = performance.now();
  try {
    outcome = (await transfer.run(doc, portName, read ? T.read : T.write)) as Outcome;
  } finally {
    performance.measure('tarsel-transfer', { start });
    core.radioLink = undefined;
    dialog.close();
    dialog.remove();
  }
  const cause = coreWords(transfer.cause());
  const backup = transfer.backup();
  transfer.delete();
  if (backup) await keepBackup(backup);
  switch (outcome) {
    case Outcome.PortNotOpened:
      await showError(T.cannotOpenPort, cause);
      break;
    case Outcome.CommunicationError:
      await showError(T.communicationError, cause);
      break;
    case Outcome.Cancelled:
      await showMessage(T.cancelled);
      break;
    case Outcome.VerificationFailed:
      await showError(T.verifyFailed, cause);
      break;
    case Outcome.Done:
      if (!read) await showMessage(T.writeVerified);
      break;
  }
  return outcome === Outcome.Done;
}
