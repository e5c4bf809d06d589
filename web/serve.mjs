// The built site on a small static web server: `node web/serve.mjs [SITE] [PORT]` serves
// build-web/site on http://localhost:8080/ (localhost is a secure context, so the service worker
// and the sound worklet work as on any https host); the browser tests serve it the same way on
// a port of their own. Only files inside the site are served; each answer carries an ETag, so
// that a revalidation costs a 304 as on a real static host.
import { createServer } from 'node:http';
import { readFileSync, statSync } from 'node:fs';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.jpg': 'image/jpeg', '.bmp': 'image/bmp', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.WAV': 'audio/wav', '.webmanifest': 'application/manifest+json' };

// Serves dir on host:port (0: any free port). Every request path is logged in `requests`, so a
// test can tell that nothing came from elsewhere.
export function serve(dir, { port = 0, host = '127.0.0.1' } = {}) {
  const root = resolve(dir);
  const requests = [];
  const server = createServer((req, res) => {
    let path;
    try {
      path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    } catch {
      res.writeHead(400).end();
      return;
    }
    const file = join(root, path.endsWith('/') ? `${path}index.html` : path);
    requests.push(path);
    const stat = file.startsWith(root) && statSync(file, { throwIfNoEntry: false });
    if (!stat?.isFile()) {
      res.writeHead(404).end();
      return;
    }
    const etag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs * 1000).toString(16)}"`;
    const headers = { ETag: etag, 'Cache-Control': 'no-cache',
      'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream' };
    if (req.headers['if-none-match'] === etag) {
      res.writeHead(304, headers).end();
      return;
    }
    res.writeHead(200, headers);
    res.end(req.method === 'HEAD' ? undefined : readFileSync(file));
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, host, () => done({ server, requests,
      url: `http://${host}:${server.address().port}/` }));
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const site = process.argv[2] ?? join(fileURLToPath(new URL('..', import.meta.url)), 'build-web', 'site');
  const port = Number(process.argv[3] ?? 8080);
  if (!statSync(join(site, 'index.html'), { throwIfNoEntry: false })) {
    console.error(`no site in ${site}: cmake --preset web && cmake --build --preset web`);
    process.exit(1);
  }
  const { url } = await serve(site, { port, host: 'localhost' }).catch((error) => {
    console.error(`cannot serve on port ${port}: ${error.message}`);
    process.exit(1);
  });
  console.log(`Floemark Simulator at ${url} (Ctrl+C stops)`);
}
