// The events <quintar-board> raises, named once: the board's own events in
// the order the module numbers them. Each carries its sentence in
// detail.words.
export const BOARD_EVENTS = ['legalmove', 'illegalmove', 'draw', 'crosswon', 'noughtwon', 'computerwon', 'userwon'];
