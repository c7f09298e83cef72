// The automatic backups of radio images, in the browser's own storage (IndexedDB): every complete
// read and every image sent by a write, named as the desktop names them (YYYYMMDD-HHMMSS-read.dat,
// -write.dat; another in the same second gets -2, -3, ... after the kind), the newest 200 of them. A backup is a
// courtesy: a failure comes back to the caller to warn about, never stops a transfer.

export interface Backup {
  name: string;
  bytes: Uint8Array;
}

const kept = 200;
const storeName = 'backups';

function openDatabase(): Promise<IDBDatabase> {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open('tarsel-backups', 1);
    request.onupgradeneeded = () => request.result.createObjectStore(storeName, { keyPath: 'name' });
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

function done<T>(request: IDBRequest<T>): Promise<T> {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

const two = (n: number) => String(n).padStart(2, '0');
function stamp(now: Date): string {
  return `${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}-` +
    `${two(now.getHours())}${two(now.getMinutes())}${two(now.getSeconds())}`;
}

// Newest first: the names sort by their time, a repeat within a second after its first.
function newestFirst(names: string[]): string[] {
  const key = (name: string) => {
    const [date, time, , repeat = '1'] = name.replace(/\.dat$/, '').split('-');
    return `${date}${time}${repeat.padStart(4, '0')}`;
  };
  return [...names].sort((a, b) => key(b).localeCompare(key(a)));
}

export async function keepBackup(kind: 'read' | 'write', bytes: Uint8Array, now = new Date()): Promise<string> {
  const db = await openDatabase();
  try {
    const store = () => db.transaction(storeName, 'readwrite').objectStore(storeName);
    const names = (await done(store().getAllKeys())) as string[];
    const base = stamp(now);
    const inThisSecond = names.filter((each) => each.startsWith(`${base}-`)).length;
    const name = `${base}-${kind}${inThisSecond > 0 ? `-${inThisSecond + 1}` : ''}.dat`;
    await done(store().put({ name, bytes }));
    for (const old of newestFirst([...names, name]).slice(kept)) await done(store().delete(old));
    return name;
  } finally {
    db.close();
  }
}

export async function listBackups(): Promise<string[]> {
  const db = await openDatabase();
  try {
    return newestFirst((await done(db.transaction(storeName).objectStore(storeName).getAllKeys())) as string[]);
  } finally {
    db.close();
  }
}

export async function readBackup(name: string): Promise<Backup | undefined> {
  const db = await openDatabase();
  try {
    return (await done(db.transaction(storeName).objectStore(storeName).get(name))) as Backup | undefined;
  } finally {
    db.close();
  }
}

// Asks the browser not to clear the backups under storage pressure; it may say no.
export function askForPersistentStorage(): void {
  void navigator.storage?.persist?.().catch(() => false);
}
