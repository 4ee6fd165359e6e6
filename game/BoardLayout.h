// How a face lays a board out on the room it has: square cells of a whole
// number of pixels, and numbers along the edges that never crowd each other.
// The desktop lays its board out with these; the web element lays its board
// out alike in its own script, since it shows the board before its module is in.
#pragma once

namespace quintar::game {

// The largest whole cell side that fits ColCount x RowCount cells into
// Width x Height pixels; at least 1.
int SquareCellSide(int Width, int Height, int ColCount, int RowCount);

// Every how many cells an edge number shows (1, 2, 5 or 10, or only at the
// largest board side), so that numbers Room pixels long, with their gap,
// fit between each other on cells of CellSide pixels.
int EdgeNumberStep(int CellSide, int Room);

}  // namespace quintar::game
