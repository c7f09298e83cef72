// The link to 演示电台: the virtual radio's engine in its own module, run up to the page's clock
// whenever something is due.
import type { DemoModule, DemoRadio } from '../../src/web/tarsel';
import { BufferedLink } from './link';

let demoModule: Promise<DemoModule> | undefined;

function loadDemo(): Promise<DemoModule> {
  if (!demoModule) {
    const url = new URL('./tarsel-demo.mjs', import.meta.url).href;
    demoModule = import(url).then((m: { default: () => Promise<DemoModule> }) => m.default());
  }
  return demoModule;
}

export class DemoLink extends BufferedLink {
  private isOpen = false;
  private timer: ReturnType<typeof setTimeout> | undefined;
  private readonly channel = new MessageChannel();
  private generation = 0;
  private counted = 0;

  private constructor(readonly radio: DemoRadio) {
    super();
  }

  // One radio for the page's life, so what a write stored is there for the next read.
  static async create(): Promise<DemoLink> {
    return new DemoLink(new (await loadDemo()).DemoRadio());
  }

  async open(): Promise<number> {
    if (this.isOpen) return 2;
    this.isOpen = true;
    this.purge();
    return 0;
  }

  async write(bytes: Uint8Array): Promise<number> {
    if (!this.isOpen) return 0;
    this.radio.receive(bytes, performance.now());
    this.counted += bytes.length;
    clearTimeout(this.timer);
    this.pump();
    return bytes.length;
  }

  async close(): Promise<void> {
    this.isOpen = false;
    this.wake();
  }

  private pump = (): void => {
    ++this.generation;
    const out = this.radio.advance(performance.now());
    // Bytes sent to a closed port are lost, as on a cable.
    if (this.isOpen) this.arrived(out);
    this.counted += out.length;
    const next = this.radio.nextEventMs();
    if (next >= 0) this.runAt(next, this.generation);
  };

  // Timers come late by a millisecond or more, and by 4 ms when they follow one another: the
  // last stretch before a due byte is waited out with messages, which come at once.
  private runAt(time: number, generation: number): void {
    if (generation !== this.generation) return;
    const left = time - performance.now();
    if (left > 3) {
      this.timer = setTimeout(() => this.runAt(time, generation), left - 2);
    } else if (left > 0) {
      this.channel.port1.onmessage = () => this.runAt(time, generation);
      this.channel.port2.postMessage(0);
    } else {
      this.pump();
    }
  }

  // Bytes on the wire both ways since the last call, for the figures.
  takeByteCount(): number {
    const counted = this.counted;
    this.counted = 0;
    return counted;
  }
}
