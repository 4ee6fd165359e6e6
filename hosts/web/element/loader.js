// Loads the element's two modules: the board's, which the page instantiates,
// and the expert's (its moves, analysis and review), which the workers that
// think, analyse and review instantiate, fetched when a page first needs the
// expert. Each WebAssembly file beside this script is fetched and compiled
// once, and the compiled module is posted to the workers, which so never
// fetch or compile it again.
//
// Each glue is imported when it is needed rather than with this script, so
// that a page starts downloading the WebAssembly as soon as the element's own
// scripts are in, and fetches and runs the glue while the WebAssembly
// downloads and compiles. The names are written out for bundlers to follow.
const modules = {
  board: {
    wasm: () => new URL('./quintar-module.wasm', import.meta.url),
    glue: () => import('./quintar-module.js'),
  },
  analysis: {
    wasm: () => new URL('./quintar-analysis.wasm', import.meta.url),
    glue: () => import('./quintar-analysis.js'),
  },
};

// Resolves to the named module ('board' or 'analysis') compiled, a
// WebAssembly.Module. It compiles while it downloads where the server names
// the file application/wasm and nothing more, as streaming compilation
// requires, and after it otherwise. A failure names the file and what the
// page can do about it.
export async function compileModule(name = 'board') {
  const url = modules[name].wasm();
  const response = await fetch(url).catch((error) => {
    throw new Error(`quintar-board: ${url} could not be fetched (${error.message}): the network, or a Content Security Policy without it in connect-src`);
  });
  if (!response.ok) throw new Error(`quintar-board: ${url} answered ${response.status}`);
  const streams = response.headers.get('Content-Type')?.trim().toLowerCase() === 'application/wasm';
  return (streams ? WebAssembly.compileStreaming(response) : response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes))).catch(
    (error) => {
      throw new Error(`quintar-board: ${url} is no WebAssembly module the page may compile (${error.message})`);
    },
  );
}

// Resolves to an instance of the named module, compiled, with its bindings
// (the board's: Board, seed and the rest; the expert's: Analyst); rejects
// when it cannot be instantiated.
export async function instantiate(compiled, name = 'board') {
  const { default: create } = await modules[name].glue();
  return instantiateWith(create, compiled);
}

// The page's load of the board's module: the WebAssembly compiled and the
// glue imported side by side, then instantiated.
export async function load() {
  const [compiled, glue] = await Promise.all([compileModule(), modules.board.glue()]);
  return instantiateWith(glue.default, compiled);
}

// The glue as imported; importing it again would cost the page a task.
function instantiateWith(create, compiled) {
  return new Promise((resolve, reject) => {
    create({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), reject);
        return {};
      },
    }).then(resolve, reject);
  });
}
