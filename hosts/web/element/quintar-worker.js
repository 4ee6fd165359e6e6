// The worker the expert thinks in: a second instance of the module. Its first
// message is the module the page compiled; each after it is one task:
// - { serial, bytes }: a turn, answered with { serial, cell }, the cell its
//   Thinker chooses, or null when it cannot;
// - { serial, analyse }: a position (a turn's bytes), answered with
//   { serial, report } for each report, then { serial, done: true };
// - { review }: a game to review, answered with { review, done: true }, the
//   review's numbers, or null when it cannot.
import { instantiate } from './loader.js';

let thinker = null;

function analyse({ serial, analyse: bytes }, thinker) {
  thinker.analyse(bytes, (report) => self.postMessage({ serial, report: report.slice() }));
  return { serial, done: true };
}

function review({ review: numbers }, thinker) {
  return { review: thinker.review(numbers)?.slice() ?? null, done: true };
}

function think({ serial, bytes }, thinker) {
  return { serial, cell: thinker.think(bytes) };
}

self.onmessage = async ({ data }) => {
  if (data.compiled) {
    thinker = instantiate(data.compiled).then((module) => new module.Thinker());
    return;
  }
  const task = data.analyse ? analyse : data.review ? review : think;
  let answer;
  try {
    answer = task(data, await thinker);
  } catch {
    // The page hears that nothing came of it: a null cell is thought out on
    // the page, an analysis ends, a review fails.
    answer = { serial: data.serial, cell: null, review: null, done: true };
  }
  self.postMessage(answer);
};
