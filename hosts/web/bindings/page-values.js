// What the bindings of both of the element's modules share. The build puts
// this file and a module's own bindings into its glue, where the module's
// memory (HEAP8, HEAP32, HEAPU8), its functions (_name) and Emscripten's text
// functions are in scope. PageValues.h is the other side.

// { col, row } from a packed cell, or null for none.
function cellOf(packed) {
  return packed ? { col: packed >> 16, row: packed & 0xffff } : null;
}

function textAt(address) {
  return UTF8ToString(address);
}

function jsonAt(address) {
  return JSON.parse(UTF8ToString(address));
}

// A view of numbers kept with their count in front, or null for none.
function countedNumbers(address) {
  if (!address) return null;
  const start = (address >> 2) + 1;
  return HEAP32.subarray(start, start + HEAP32[start - 1]);
}

// call(address) with a copy of what the page passes, which copy(address)
// writes into the module's memory, freed after the call. The heap is read
// only after the allocation, which may have grown the memory and so
// replaced it.
function withCopy(size, copy, call) {
  const address = _malloc(Math.max(size, 1));
  try {
    copy(address);
    return call(address);
  } finally {
    _free(address);
  }
}

// call(address, length) with a copy of text as UTF-8, length its bytes: a
// text may hold NULs, which a C string would end at.
function withText(text, call) {
  const length = lengthBytesUTF8(text);
  return withCopy(length + 1, (address) => stringToUTF8(text, address, length + 1), (address) => call(address, length));
}

// call(address, count) with a copy of bytes, an array of numbers.
function withBytes(bytes, call) {
  return withCopy(bytes.length, (address) => HEAP8.set(bytes, address), (address) => call(address, bytes.length));
}

// call(address, count) with a copy of numbers, an Int32Array.
function withNumbers(numbers, call) {
  return withCopy(numbers.length * 4, (address) => HEAP32.set(numbers, address >> 2), (address) => call(address, numbers.length));
}
