// A small static file server for the demo page and the browser tests, on
// the loopback address only.
//
//   node serve.mjs ROOT [PORT]
//
// startServer() serves folders under URL prefixes, { '/': root, ... }, on a
// given port or, with 0, on any free one, adding the given headers to every
// response (a Content-Security-Policy, say) and telling served(path, status)
// of each. Files are revalidated on each use by their modification time, so
// that a page and its worker importing the same script download it once.
import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.wasm': 'application/wasm',
  '.ts': 'text/plain; charset=utf-8',
  '.md': 'text/plain; charset=utf-8',
};

// The file a request path names under one of the mounts, or null; never a
// file outside the mounted folders.
function fileFor(mounts, path) {
  for (const [prefix, root] of mounts) {
    if (!path.startsWith(prefix)) continue;
    const file = resolve(root, `.${sep}${path.slice(prefix.length)}`);
    if (file === root || file.startsWith(root + sep)) return file;
  }
  return null;
}

async function respond({ mounts, headers, served }, request, response) {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  let path;
  try {
    path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  } catch {
    response.writeHead(400).end();
    return;
  }
  // Told as the head goes out, before the body: a page may have used a
  // response before the server hears that it finished sending it.
  const head = (status, fields) => {
    served(path, status);
    return response.writeHead(status, fields);
  };
  let file = fileFor(mounts, path);
  let info = file && (await stat(file).catch(() => null));
  if (info?.isDirectory()) {
    file = join(file, 'index.html');
    info = await stat(file).catch(() => null);
  }
  if (!info?.isFile()) {
    head(404, { 'Content-Type': 'text/plain' }).end('Not found\n');
    return;
  }
  const modified = new Date(Math.floor(info.mtimeMs / 1000) * 1000);
  const since = Date.parse(request.headers['if-modified-since'] ?? '');
  if (since >= modified.getTime()) {
    head(304, headers).end();
    return;
  }
  head(200, {
    ...headers,
    'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
    'Content-Length': info.size,
    'Cache-Control': 'no-cache',
    'Last-Modified': modified.toUTCString(),
  });
  if (request.method === 'HEAD') response.end();
  else createReadStream(file).pipe(response);
}

// Resolves to { url, close() } once listening.
export function startServer(folders, { port = 0, headers = {}, served = () => {} } = {}) {
  // Longest prefixes first, so that a mount inside another wins.
  const mounts = Object.entries(folders)
    .map(([prefix, root]) => [prefix, resolve(root)])
    .sort(([a], [b]) => b.length - a.length);
  const server = createServer((request, response) => {
    respond({ mounts, headers, served }, request, response).catch(() => response.destroy());
  });
  return new Promise((resolveStart, rejectStart) => {
    server.once('error', rejectStart);
    server.listen(port, '127.0.0.1', () => {
      resolveStart({
        url: `http://localhost:${server.address().port}/`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root || !/^\d+$/.test(port)) {
    console.error('usage: node serve.mjs ROOT [PORT]');
    process.exit(2);
  }
  try {
    const { url } = await startServer({ '/': root }, { port: Number(port) });
    console.log(`Serving ${root} at ${url} (Ctrl+C stops)`);
  } catch (error) {
    console.error(`serve.mjs: cannot listen on port ${port}: ${error.code ?? error.message}`);
    process.exit(1);
  }
}
