// The workers the element thinks in, so that the page stays responsive
// meanwhile, each with an instance of the expert's module: the Thinker
// answers the expert's moves, and an Errand runs one long task at a time
// (analysing a position, reviewing a game).
import { instantiate } from './loader.js';

// A worker that is handed the expert's compiled module once it has come, or
// null when no worker can be had. A module that cannot be had fails the
// worker as an error in it would.
function startWorker(compiled) {
  let worker;
  try {
    worker = new Worker(new URL('./quintar-worker.js', import.meta.url), { type: 'module' });
  } catch {
    return null;
  }
  Promise.resolve(compiled).then(
    (module) => worker.postMessage({ compiled: module }),
    (reason) => {
      worker.terminate();
      worker.dispatchEvent(new ErrorEvent('error', { message: String(reason), cancelable: true }));
    },
  );
  return worker;
}

// When no worker can be had, or it fails, the page thinks the moves itself
// with an instance of the module of its own, and the page waits meanwhile.
// Only when the module cannot be had at all is the answer null: the board
// then leaves the move due.
export class Thinker {
  #compile;
  #answer;
  #worker = null;
  #failed = false;
  // The turns in the worker, by serial, to think again on the page should
  // the worker fail.
  #waiting = new Map();
  #onPage = null;

  // compile() resolves to the expert's compiled module; answer(serial, cell
  // or null) receives each answer.
  constructor(compile, answer) {
    this.#compile = compile;
    this.#answer = answer;
  }

  // Bytes: the turn as the board's module encodes it.
  think(serial, bytes) {
    const worker = this.#started();
    if (!worker) {
      this.#thinkOnPage(serial, bytes);
      return;
    }
    this.#waiting.set(serial, bytes);
    worker.postMessage({ serial, bytes });
  }

  // Starts the worker, with the module, ahead of the first move.
  prepare() {
    this.#started();
  }

  // Ends the worker, as an Errand's close() does: the element's board has gone.
  close() {
    this.#worker?.terminate();
    this.#worker = null;
  }

  // Ends the worker unless it is thinking a move, which is still awaited.
  // The next move starts another.
  release() {
    if (!this.#waiting.size) this.close();
  }

  #started() {
    if (this.#worker || this.#failed) return this.#worker;
    this.#worker = startWorker(this.#compile());
    if (!this.#worker) {
      this.#failed = true;
      return null;
    }
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
    this.close();
    this.#failed = true;
    const unanswered = [...this.#waiting];
    this.#waiting.clear();
    for (const [serial, bytes] of unanswered) this.#thinkOnPage(serial, bytes);
  }

  async #thinkOnPage(serial, bytes) {
    this.#onPage ??= Promise.resolve(this.#compile())
      .then((compiled) => instantiate(compiled, 'analysis'))
      .then((module) => new module.Analyst());
    let cell = null;
    try {
      cell = (await this.#onPage).think(bytes);
    } catch {
      this.#onPage = null;
    }
    this.#answer(serial, cell);
  }
}

// A worker of its own for one long task at a time. The module cannot be
// interrupted in the middle of a call, so a task no longer wanted ends its
// worker, and the next task starts another on the same compiled module:
// neither a download nor a compilation, but a worker's start and an
// instantiation, which take tens of milliseconds. An errand that must answer
// a new task quickly keeps a spare worker ready for it, at the cost of a
// second instance's memory. A worker that has finished its task is kept for
// the next.
export class Errand {
  #compile;
  #hear;
  #keepsSpare;
  #worker = null;
  #spare = null;
  #busy = false;

  // compile() resolves to the expert's compiled module; hear(data) receives
  // each message of the task in progress, the last with done set;
  // { done: true, failed: true } when its worker or the module failed.
  constructor(compile, hear, { keepSpare = false } = {}) {
    this.#compile = compile;
    this.#hear = hear;
    this.#keepsSpare = keepSpare;
  }

  // Ends the task in progress, if any, and starts this one, handing over the
  // transferable objects in transfer. False when no worker can be had.
  run(message, transfer = []) {
    this.stop();
    this.#worker ??= this.#spare ?? this.#started();
    if (this.#spare === this.#worker) this.#spare = null;
    if (!this.#worker) return false;
    this.#busy = true;
    this.#worker.postMessage(message, transfer);
    return true;
  }

  // Ends the task in progress; nothing more is heard of it.
  stop() {
    if (!this.#busy) return;
    this.#worker.terminate();
    this.#worker = null;
    this.#busy = false;
  }

  close() {
    this.stop();
    for (const worker of [this.#worker, this.#spare]) worker?.terminate();
    this.#worker = this.#spare = null;
  }

  // Ends the workers unless a task is in progress: the next task starts one.
  release() {
    if (!this.#busy) this.close();
  }

  #started() {
    const worker = startWorker(this.#compile());
    if (!worker) return null;
    // A message on its way from a worker ended meanwhile is not heard.
    worker.onmessage = ({ data }) => {
      if (worker !== this.#worker) return;
      if (data.done) this.#busy = false;
      // Started once this one is up, so that the two do not start together.
      if (this.#keepsSpare && !this.#spare) this.#spare = this.#started();
      this.#hear(data);
    };
    worker.onerror = (event) => {
      event.preventDefault();
      if (worker === this.#spare) this.#spare = null;
      if (worker !== this.#worker) return;
      this.close();
      this.#hear({ done: true, failed: true });
    };
    return worker;
  }
}
