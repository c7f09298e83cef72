// The page's end of the cable for the core's port: a buffer that a background reader fills, and
// waits that end when bytes arrive, when their time is up or when the exchange is cancelled. A
// pending read of the device is never abandoned: the reader keeps reading; only the wait ends.
import type { RadioLink } from '../../src/web/tarsel';

export abstract class BufferedLink implements RadioLink {
  private buffer: number[] = [];
  private waiters: (() => void)[] = [];
  onProgress: (position: number, total: number) => void = () => undefined;
  cancelled = false;

  abstract open(): Promise<number>;
  abstract write(bytes: Uint8Array): Promise<number>;
  abstract close(): Promise<void>;

  protected arrived(bytes: Uint8Array): void {
    if (bytes.length === 0) return;
    for (const byte of bytes) this.buffer.push(byte);
    this.wake();
  }

  // Ends every wait at once (new bytes, a cancel request, a closed port).
  wake(): void {
    const waiters = this.waiters;
    this.waiters = [];
    for (const resolve of waiters) resolve();
  }

  take(max: number): Uint8Array {
    return Uint8Array.from(this.buffer.splice(0, max));
  }

  waitForData(ms: number): Promise<void> {
    if (this.buffer.length > 0) return Promise.resolve();
    return new Promise((resolve) => {
      const timer = setTimeout(done, ms);
      const self = this;
      function done() {
        clearTimeout(timer);
        self.waiters = self.waiters.filter((each) => each !== done);
        resolve();
      }
      this.waiters.push(done);
    });
  }

  purge(): void {
    this.buffer = [];
  }

  progress(position: number, total: number): void {
    this.onProgress(position, total);
  }
}
