// The link over a USB serial cable through Web Serial: 9600 8-N-1, DTR and RTS asserted, a
// background reader filling the buffer from port.readable while the port is open.
import { BufferedLink } from './link';

// The parts of Web Serial the page uses (not in TypeScript's DOM library yet).
interface SerialPortLike {
  open(options: { baudRate: number; dataBits: number; stopBits: number; parity: string; flowControl: string }): Promise<void>;
  setSignals(signals: { dataTerminalReady: boolean; requestToSend: boolean }): Promise<void>;
  close(): Promise<void>;
  readable: ReadableStream<Uint8Array> | null;
  writable: WritableStream<Uint8Array> | null;
  getInfo(): { usbVendorId?: number; usbProductId?: number };
}
interface SerialLike {
  requestPort(options: { filters: { usbVendorId: number; usbProductId: number }[] }): Promise<SerialPortLike>;
}

// The USB serial adapters of programming cables.
const adapters = [
  [0x1a86, 0x7523], [0x1a86, 0x5523], [0x067b, 0x2303], [0x067b, 0x23a3], [0x10c4, 0xea60], [0x0403, 0x6001],
].map(([usbVendorId, usbProductId]) => ({ usbVendorId, usbProductId }));

export function hasWebSerial(): boolean {
  return 'serial' in navigator;
}

// Open failures in the codes the core's port takes.
function failureCode(error: unknown): number {
  const name = error instanceof DOMException ? error.name : '';
  if (name === 'NotFoundError') return 1;
  if (name === 'InvalidStateError' || name === 'NetworkError') return 2;
  if (name === 'SecurityError' || name === 'NotAllowedError') return 3;
  return 4;
}

export class SerialLink extends BufferedLink {
  private reading: Promise<void> | null = null;
  private reader: ReadableStreamDefaultReader<Uint8Array> | null = null;

  private constructor(private readonly port: SerialPortLike) {
    super();
  }

  // Asks the user for a port (needs the click that started the command); null when none chosen.
  static async choose(showAll: boolean): Promise<SerialLink | null> {
    const serial = (navigator as unknown as { serial: SerialLike }).serial;
    try {
      return new SerialLink(await serial.requestPort({ filters: showAll ? [] : adapters }));
    } catch {
      return null;
    }
  }

  name(): string {
    const info = this.port.getInfo();
    const hex = (n?: number) => (n ?? 0).toString(16).padStart(4, '0');
    return info.usbVendorId === undefined ? 'Web Serial' : `USB ${hex(info.usbVendorId)}:${hex(info.usbProductId)}`;
  }

  async open(): Promise<number> {
    try {
      await this.port.open({ baudRate: 9600, dataBits: 8, stopBits: 1, parity: 'none', flowControl: 'none' });
    } catch (error) {
      return failureCode(error);
    }
    try {
      await this.port.setSignals({ dataTerminalReady: true, requestToSend: true });
    } catch {
      // Some adapters have no modem lines; the exchange finds out whether the radio answers.
    }
    this.purge();
    this.reading = this.readLoop();
    return 0;
  }

  private async readLoop(): Promise<void> {
    while (this.port.readable) {
      this.reader = this.port.readable.getReader();
      try {
        for (;;) {
          const { value, done } = await this.reader.read();
          if (done) return;
          if (value) this.arrived(value);
        }
      } catch {
        // A framing or buffer error ends this reader; a new one goes on while the port is open.
      } finally {
        this.reader.releaseLock();
        this.reader = null;
      }
    }
  }

  async write(bytes: Uint8Array): Promise<number> {
    const writer = this.port.writable?.getWriter();
    if (!writer) return 0;
    try {
      await writer.write(bytes);
      return bytes.length;
    } catch {
      return 0;
    } finally {
      writer.releaseLock();
    }
  }

  async close(): Promise<void> {
    // Closing is the one time the pending read is ended: the port goes with it.
    await this.reader?.cancel().catch(() => undefined);
    await this.reading;
    await this.port.close().catch(() => undefined);
    this.wake();
  }
}
