// The worker the expert thinks in: a second instance of the module, answering
// each turn with the cell its Thinker chooses, or null when it cannot.
import createQuintarModule from './quintar-module.js';

const thinker = createQuintarModule().then((module) => new module.Thinker());

self.onmessage = async ({ data }) => {
  let cell = null;
  try {
    cell = (await thinker).think(data.bytes);
  } catch {
    // The page thinks for itself on a null answer.
  }
  self.postMessage({ serial: data.serial, cell });
};
