// Loads the module: the WebAssembly file beside this script is fetched and
// compiled once, and the compiled module is instantiated by the page and,
// posted to it, by the worker the expert thinks in, which so never fetches
// or compiles it again.
//
// The glue is imported when it is needed rather than with this script, so
// that a page starts downloading the WebAssembly as soon as the element's own
// scripts are in, and fetches and runs the glue while the WebAssembly
// downloads and compiles.
const importGlue = () => import('./quintar-module.js');

// Resolves to the compiled WebAssembly.Module. It compiles while it
// downloads where the server names the file application/wasm, as streaming
// compilation requires, and after it otherwise.
export async function compileModule() {
  const url = new URL('./quintar-module.wasm', import.meta.url);
  const response = await fetch(url);
  if (!response.ok) throw new Error(`quintar-board: ${url} answered ${response.status}`);
  if (response.headers.get('Content-Type')?.startsWith('application/wasm')) return WebAssembly.compileStreaming(response);
  return WebAssembly.compile(await response.arrayBuffer());
}

// Resolves to an instance of the compiled module with its bindings (Board,
// Thinker, seed, attributes); rejects when it cannot be instantiated.
export async function instantiate(compiled) {
  const { default: createQuintarModule } = await importGlue();
  return instantiateWith(createQuintarModule, compiled);
}

// The page's load: the WebAssembly compiled and the glue imported side by
// side, then instantiated; { compiled, quintar }.
export async function load() {
  const [compiled, glue] = await Promise.all([compileModule(), importGlue()]);
  return { compiled, quintar: await instantiateWith(glue.default, compiled) };
}

// The glue as imported; importing it again would cost the page a task.
function instantiateWith(createQuintarModule, compiled) {
  return new Promise((resolve, reject) => {
    createQuintarModule({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), reject);
        return {};
      },
    }).then(resolve, reject);
  });
}
