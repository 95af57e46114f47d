// A small web server for the built site on 127.0.0.1, for the tests and the
// benchmark: a browser that cannot run the page from file:// (WebKit hides
// its errors there) or a service worker (which needs http) is given it here.
// `inject`, when given, is HTML put before the first <script> of index.html
// (or a function giving it, asked at each request).
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');

const Types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
  '.svg': 'image/svg+xml', '.woff2': 'font/woff2', '.wasm': 'application/wasm', '.sim': 'application/octet-stream' };

// Starts serving `root`; resolves to { url, close() } once it listens.
function startSiteServer({ root, inject = '' }) {
  const base = fs.realpathSync(root);
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(base, path.normalize(name));
    if (!file.startsWith(base + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    let body = fs.readFileSync(file);
    const html = typeof inject === 'function' ? inject() : inject;
    if (html && path.basename(file) === 'index.html') body = body.toString().replace('<script', html + '<script');
    response.writeHead(200, { 'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache' });
    response.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => { server.closeAllConnections?.(); server.close(done); }),
  })));
}

// Passes every request on to `upstream` (a server of the program's own)
// and its answers back, but for the pages, which also load `script()` as a
// file of the site (so that a policy refusing inline script lets it run).
function startInjectingProxy({ upstream, script }) {
  const InitScript = '/__driver-init.js';
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname;
    if (name === InitScript) {
      response.writeHead(200, { 'Content-Type': 'text/javascript', 'Cache-Control': 'no-store' }).end(script());
      return;
    }
    const headers = { ...request.headers };
    delete headers['accept-encoding']; // index.html is rewritten as text
    const onward = http.request(new URL(request.url, upstream), { method: request.method, headers }, (answer) => {
        if (!['/', '/index.html', '/teacher.html'].includes(name) || answer.statusCode !== 200) {
          response.writeHead(answer.statusCode, answer.headers);
          answer.pipe(response);
          return;
        }
        const chunks = [];
        answer.on('data', (chunk) => chunks.push(chunk));
        answer.on('end', () => {
          const body = Buffer.concat(chunks).toString().replace('<script', `<script src="${InitScript}"></script>\n<script`);
          const headers = { ...answer.headers, 'content-length': Buffer.byteLength(body) };
          delete headers['transfer-encoding'];
          response.writeHead(200, headers).end(body);
        });
      });
    onward.on('error', () => response.writeHead(502).end());
    request.pipe(onward);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => { server.closeAllConnections?.(); server.close(done); }),
  })));
}

module.exports = { startSiteServer, startInjectingProxy };
