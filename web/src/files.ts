// Files without a file system: the browser's pickers where it has them (so 保存 writes back to
// the file that was opened), an upload field and a download otherwise.
import { T } from './texts';

// The parts of the File System Access API the page uses; not every browser has them.
interface SaveHandle {
  name: string;
  createWritable(): Promise<{ write(data: Blob): Promise<void>; close(): Promise<void> }>;
}
interface OpenHandle extends SaveHandle {
  getFile(): Promise<File>;
}
interface PickerType {
  description: string;
  accept: Record<string, string[]>;
}
type PickerWindow = Window & {
  showOpenFilePicker?: (options: { types: PickerType[] }) => Promise<OpenHandle[]>;
  showSaveFilePicker?: (options: { suggestedName: string; types: PickerType[] }) => Promise<SaveHandle>;
};

export type FileHandle = SaveHandle | null;

export interface PickedFile {
  name: string;
  bytes: Uint8Array;
  handle: FileHandle;
}

export const dataFileType: PickerType = {
  description: T.dataFile,
  accept: { 'application/octet-stream': ['.dat'] },
};
export const csvFileType: PickerType = { description: T.csvList, accept: { 'text/csv': ['.csv'] } };

const picker = window as PickerWindow;

function isAbort(error: unknown): boolean {
  return error instanceof DOMException && error.name === 'AbortError';
}

// null when the user chose nothing.
export async function pickFile(type: PickerType): Promise<PickedFile | null> {
  if (picker.showOpenFilePicker) {
    try {
      const [handle] = await picker.showOpenFilePicker({ types: [type] });
      const file = await handle.getFile();
      return { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()), handle };
    } catch (error) {
      if (isAbort(error)) return null;
      throw error;
    }
  }
  return new Promise((resolve) => {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = Object.values(type.accept).flat().join(',');
    input.addEventListener('change', async () => {
      const file = input.files?.[0];
      resolve(file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()), handle: null } : null);
    });
    input.addEventListener('cancel', () => resolve(null));
    input.click();
  });
}

// Writes to handle, or asks for a place (a download where the browser cannot ask). Returns the
// handle written to (null for a download), or undefined when the user cancelled.
export async function saveFile(
  bytes: Uint8Array | string,
  suggestedName: string,
  type: PickerType,
  handle: FileHandle,
): Promise<FileHandle | undefined> {
  const blob = new Blob([bytes as BlobPart], {
    type: typeof bytes === 'string' ? 'text/csv' : 'application/octet-stream',
  });
  if (!handle && picker.showSaveFilePicker) {
    try {
      handle = await picker.showSaveFilePicker({ suggestedName, types: [type] });
    } catch (error) {
      if (isAbort(error)) return undefined;
      throw error;
    }
  }
  if (handle) {
    const out = await handle.createWritable();
    await out.write(blob);
    await out.close();
    return handle;
  }
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = suggestedName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10_000);
  return null;
}
