// A worker the element thinks in: an instance of the expert's module. Its
// first message is { compiled }, the module the page compiled; each after it
// is one task:
// - { serial, bytes }: a turn for the expert, answered with { serial, cell },
//   the cell it chooses, or null when it cannot;
// - { serial, analyse }: a position (a turn's bytes) to analyse, answered
//   with { serial, report } for each report, then { serial, done: true };
// - { review }: a game to review, answered with { review, done: true }, the
//   review's numbers, or null when it cannot.
// Tasks that come before the module wait for it.
import { instantiate } from './loader.js';

// The Analyst, once the module has come.
let received;
const expert = new Promise((resolve) => { received = resolve; });

function analyse({ serial, analyse: bytes }, analyst) {
  analyst.analyse(bytes, (report) => self.postMessage({ serial, report: report.slice() }));
  return { serial, done: true };
}

function review({ review: numbers }, analyst) {
  return { review: analyst.review(numbers)?.slice() ?? null, done: true };
}

function think({ serial, bytes }, analyst) {
  return { serial, cell: analyst.think(bytes) };
}

self.onmessage = async ({ data }) => {
  if (data.compiled) {
    received(instantiate(data.compiled, 'analysis').then((module) => new module.Analyst()));
    return;
  }
  const task = data.analyse ? analyse : data.review ? review : think;
  let answer;
  try {
    answer = task(data, await expert);
  } catch {
    // The page hears that nothing came of it: a null cell leaves the move
    // due, an analysis ends, a review fails.
    answer = { serial: data.serial, cell: null, review: null, done: true };
  }
  self.postMessage(answer);
};
