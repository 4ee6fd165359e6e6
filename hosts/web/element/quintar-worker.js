// A worker the element thinks in: a second instance of one of its modules.
// Its first message is { compiled, name }, the module the page compiled and
// its name ('board' or 'analysis'); each after it is one task:
// - { serial, bytes }: a turn for the board's Thinker, answered with
//   { serial, cell }, the cell it chooses, or null when it cannot;
// - { serial, analyse }: a position (a turn's bytes) for the Analyst,
//   answered with { serial, report } for each report, then
//   { serial, done: true };
// - { review }: a game for the Analyst to review, answered with
//   { review, done: true }, the review's numbers, or null when it cannot.
// Tasks that come before the module wait for it.
import { instantiate } from './loader.js';

// The Thinker or the Analyst, once the module has come.
let received;
const thinker = new Promise((resolve) => { received = resolve; });

function analyse({ serial, analyse: bytes }, analyst) {
  analyst.analyse(bytes, (report) => self.postMessage({ serial, report: report.slice() }));
  return { serial, done: true };
}

function review({ review: numbers }, analyst) {
  return { review: analyst.review(numbers)?.slice() ?? null, done: true };
}

function think({ serial, bytes }, thinker) {
  return { serial, cell: thinker.think(bytes) };
}

self.onmessage = async ({ data }) => {
  if (data.compiled) {
    received(instantiate(data.compiled, data.name).then((module) => (data.name === 'analysis' ? new module.Analyst() : new module.Thinker())));
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
