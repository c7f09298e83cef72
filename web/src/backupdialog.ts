// 打开备份…: the kept backups, newest first, as a list to pick one from.
import { T } from './texts';

export function chooseBackup(names: string[]): Promise<string | null> {
  const dialog = document.createElement('dialog');
  dialog.className = 'backups';
  const title = document.createElement('h2');
  title.id = 'backups-title';
  title.textContent = T.openBackup;
  dialog.setAttribute('aria-labelledby', title.id);
  const list = document.createElement('select');
  list.size = 12;
  list.setAttribute('aria-label', T.backups);
  for (const name of names) list.add(new Option(name, name));
  list.selectedIndex = names.length > 0 ? 0 : -1;
  const empty = document.createElement('p');
  empty.textContent = T.noBackups;
  empty.hidden = names.length > 0;
  const open = document.createElement('button');
  open.type = 'button';
  open.textContent = T.open;
  open.disabled = names.length === 0;
  const cancel = document.createElement('button');
  cancel.type = 'button';
  cancel.textContent = T.cancel;
  const buttons = document.createElement('div');
  buttons.className = 'buttons';
  buttons.append(open, cancel);
  dialog.append(title, list, empty, buttons);
  document.body.append(dialog);
  return new Promise((resolve) => {
    let chosen: string | null = null;
    const choose = () => {
      chosen = list.value || null;
      dialog.close();
    };
    open.addEventListener('click', choose);
    list.addEventListener('dblclick', choose);
    list.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') choose();
    });
    cancel.addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => {
      dialog.remove();
      resolve(chosen);
    });
    dialog.showModal();
  });
}
