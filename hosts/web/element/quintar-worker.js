// The worker the expert thinks in: a second instance of the module, answering
// each turn with the cell its Thinker chooses, or null when it cannot. Its
// first message is the module the page compiled.
import { instantiate } from './loader.js';

let thinker = null;

self.onmessage = async ({ data }) => {
  if (data.compiled) {
    thinker = instantiate(data.compiled).then((module) => new module.Thinker());
    return;
  }
  let cell = null;
  try {
    cell = (await thinker).think(data.bytes);
  } catch {
    // The page thinks for itself on a null answer.
  }
  self.postMessage({ serial: data.serial, cell });
};
