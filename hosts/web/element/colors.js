// CSS colours to the control's colours and back. The control keeps a colour
// as the number 0x00BBGGRR; the board is opaque, so any alpha is dropped.

let probe = null;

function probeContext() {
  probe ??= new OffscreenCanvas(1, 1).getContext('2d', { willReadFrequently: true });
  return probe;
}

// The canvas resolves a CSS colour of sRGB to "#rrggbb" or "rgba(r, g, b, a)"
// and leaves its fill style alone when given something that is none. A
// colour of another space (lab(), oklch(), color(display-p3 ...)) it keeps
// in that space's own words.
function resolved(text, before) {
  const context = probeContext();
  context.fillStyle = before;
  context.fillStyle = text;
  return context.fillStyle;
}

// What a fill style paints, as red, green and blue: the browser's own
// conversion of any colour space to the sRGB the board is drawn in.
function paintedRgb(style) {
  const context = probeContext();
  context.clearRect(0, 0, 1, 1);
  context.fillStyle = style;
  context.fillRect(0, 0, 1, 1);
  return [...context.getImageData(0, 0, 1, 1).data.slice(0, 3)];
}

// The control's colour for a CSS colour; null when the text is no colour.
export function parseCssColor(text) {
  const value = String(text).trim();
  const style = resolved(value, '#000000');
  if (style === '#000000' && resolved(value, '#ffffff') === '#ffffff') return null;
  let red, green, blue;
  if (style.startsWith('#')) {
    [red, green, blue] = [1, 3, 5].map((at) => Number.parseInt(style.slice(at, at + 2), 16));
  } else if (style.startsWith('rgba(')) {
    [red, green, blue] = style.match(/[\d.]+/g).slice(0, 3).map(Number);
  } else {
    [red, green, blue] = paintedRgb(style);
  }
  return red | (green << 8) | (blue << 16);
}

// "#rrggbb" for a colour of the control's.
export function cssColorOf(color) {
  const bytes = [color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff];
  return `#${bytes.map((byte) => byte.toString(16).padStart(2, '0')).join('')}`;
}
