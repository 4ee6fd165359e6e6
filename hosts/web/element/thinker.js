// Thinks out the expert's moves in a worker, a second instance of the same
// module, so that the page stays responsive meanwhile. When no worker can be
// had, or it fails, every question gets the answer null, and the board then
// thinks on the page instead.

export class Thinker {
  #compiled;
  #answer;
  #worker = null;
  #failed = false;
  #waiting = new Set();

  // Compiled: the module's WebAssembly.Module, which the worker instantiates;
  // answer(serial, cell or null) receives each answer.
  constructor(compiled, answer) {
    this.#compiled = compiled;
    this.#answer = answer;
  }

  // Bytes: the turn as the module encodes it; it is handed to the worker.
  think(serial, bytes) {
    const worker = this.#started();
    if (!worker) {
      queueMicrotask(() => this.#answer(serial, null));
      return;
    }
    this.#waiting.add(serial);
    worker.postMessage({ serial, bytes }, [bytes.buffer]);
  }

  stop() {
    this.#worker?.terminate();
    this.#worker = null;
  }

  #started() {
    if (this.#worker || this.#failed) return this.#worker;
    try {
      this.#worker = new Worker(new URL('./quintar-worker.js', import.meta.url), { type: 'module' });
    } catch {
      this.#failed = true;
      return null;
    }
    this.#worker.postMessage({ compiled: this.#compiled });
    this.#worker.onmessage = ({ data }) => {
      if (!this.#waiting.delete(data.serial)) return;
      this.#answer(data.serial, data.cell);
    };
    this.#worker.onerror = (event) => {
      event.preventDefault();
      this.#fail();
    };
    return this.#worker;
  }

  #fail() {
    this.stop();
    this.#failed = true;
    const unanswered = [...this.#waiting];
    this.#waiting.clear();
    for (const serial of unanswered) this.#answer(serial, null);
  }
}
