// The expert's module as its workers (and a page without them) use it: the
// class Analyst, made of the functions AnalysisBindings.cpp exports.

// What hears the reports of the analysis under way.
let analysisReport = null;

class Analyst {
  constructor() {
    this.address = _analyst_new();
  }

  // The expert's cell for a turn as TurnMessage bytes, or null when the
  // bytes are no turn or no cell is empty.
  think(bytes) {
    return cellOf(withBytes(bytes, (address, count) => _analyst_think(this.address, address, count)));
  }

  // Hands report each report as an Int32Array view, to be copied at once,
  // until the analysis settles or its time is up; false when the bytes are
  // no turn.
  analyse(bytes, report) {
    analysisReport = report;
    try {
      return Boolean(withBytes(bytes, (address, count) => _analyst_analyse(this.address, address, count)));
    } finally {
      analysisReport = null;
    }
  }

  // The review of the game, as an Int32Array view to copy at once, or null
  // when the numbers are no game.
  review(numbers) {
    if (!(numbers instanceof Int32Array)) return null;
    return countedNumbers(withNumbers(numbers, (address, count) => _analyst_review(this.address, address, count)));
  }
}

Module.Analyst = Analyst;
