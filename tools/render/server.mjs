// A static file server for the render page, bound to the loopback address only.
// It serves three kinds of path and nothing else:
//   /page/...   the page and its script (this folder's page/)
//   /three/...  the installed three package (node_modules/three)
//   /model/...  the folder of the file being rendered, so that a .gltf finds its buffers
//               and images beside it
// Any path that would leave its root after normalisation is refused.
import http from 'node:http';
import fs from 'node:fs/promises';
import path from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.json': 'application/json',
  '.gltf': 'model/gltf+json',
  '.glb': 'model/gltf-binary',
  '.bin': 'application/octet-stream',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg',
  '.webp': 'image/webp',
  '.ktx2': 'image/ktx2',
};

// Maps a URL path to a file under one of the roots, or null when it names none.
function resolve(roots, urlPath) {
  let decoded;
  try {
    decoded = decodeURIComponent(urlPath);
  } catch {
    return null;
  }
  const match = /^\/([a-z]+)\/(.+)$/.exec(decoded);
  if (!match || !roots[match[1]]) return null;
  const root = path.resolve(roots[match[1]]);
  const file = path.resolve(root, match[2]);
  return file.startsWith(root + path.sep) ? file : null;
}

// Starts the server on an ephemeral loopback port. Resolves to { server, origin, requests },
// where requests lists every path asked for and its status (for error messages).
export async function startServer(roots) {
  const requests = [];
  const server = http.createServer(async (req, res) => {
    const urlPath = new URL(req.url, 'http://127.0.0.1').pathname;
    const file = req.method === 'GET' ? resolve(roots, urlPath) : null;
    let status = 404;
    try {
      if (file) {
        const body = await fs.readFile(file);
        status = 200;
        res.writeHead(200, {
          'Content-Type': types[path.extname(file).toLowerCase()] ?? 'application/octet-stream',
          'Cache-Control': 'no-store',
        });
        res.end(body);
      }
    } catch {
      status = 404;
    }
    if (status !== 200) {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found\n');
    }
    requests.push({ path: urlPath, status });
  });
  await new Promise((ok, fail) => {
    server.once('error', fail);
    server.listen(0, '127.0.0.1', ok);
  });
  const { port } = server.address();
  return { server, origin: `http://127.0.0.1:${port}`, requests };
}
