// The class server for a scenario (TAVOLINI_SERVER names its program): a
// server of its own on 127.0.0.1 with a data folder of its own, a class with
// one pupil made through the server's interface as a teacher would, and the
// pupil's sign-in on the page.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { spawn } = require('child_process');

// One request to the interface (a body of bytes goes as they are); resolves to { status, answer, cookie }.
function call(url, method, route, { body, cookie = '', csrf = '' } = {}) {
  const bytes = Buffer.isBuffer(body);
  const data = body === undefined ? '' : bytes ? body : JSON.stringify(body);
  const headers = { 'Content-Type': bytes ? 'application/octet-stream' : 'application/json',
    'Content-Length': Buffer.byteLength(data) };
  if (cookie) headers.Cookie = cookie;
  if (csrf) headers['X-CSRF-Token'] = csrf;
  return new Promise((resolve, reject) => {
    const request = http.request(new URL('/api/' + route, url), { method, headers }, (response) => {
      let text = '';
      response.setEncoding('utf8');
      response.on('data', (chunk) => { text += chunk; });
      response.on('end', () => resolve({
        status: response.statusCode,
        answer: text ? JSON.parse(text) : {},
        cookie: (response.headers['set-cookie'] || []).map((line) => line.split(';')[0]).join('; ') || cookie,
      }));
    });
    request.on('error', reject);
    request.end(data);
  });
}

function expect(reply, status, what) {
  if (reply.status !== status) throw new Error(`class server: ${what} answered ${reply.status} ${JSON.stringify(reply.answer)}`);
  return reply;
}

// Starts the server and waits for its address and the first teacher's password.
function startServer(program, site) {
  const data = fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-class-'));
  const child = spawn(program, ['--listen', '127.0.0.1:0', '--data', data, '--site', site],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const stop = () => {
    try { child.kill('SIGKILL'); } catch {}
    fs.rmSync(data, { recursive: true, force: true });
  };
  process.on('exit', stop);
  return new Promise((resolve, reject) => {
    let text = '';
    let password = '';
    child.stdout.setEncoding('utf8');
    child.stdout.on('data', (chunk) => {
      text += chunk;
      password ||= (text.match(/First teacher account: teacher \/ (\S+)/) || [])[1] || '';
      const listening = text.match(/Listening on (http:\/\/\S+)/);
      if (listening && password) resolve({ url: listening[1].replace(/\/?$/, '/'), password, stop });
    });
    child.on('exit', (code) => reject(new Error('class server ended before it listened: ' + code + '\n' + text)));
  });
}

// A running server with a class and one pupil, whose sign-in the page is given.
async function startClassServer(program, site) {
  const server = await startServer(program, site);
  let teacher = expect(await call(server.url, 'POST', 'teacher/signin',
    { body: { name: 'teacher', password: server.password } }), 200, 'the teacher\'s sign-in');
  const session = () => ({ cookie: teacher.cookie, csrf: teacher.answer.csrf });
  const newPassword = 'scenario-' + server.password;
  expect(await call(server.url, 'POST', 'teacher/password',
    { body: { password: server.password, newPassword }, ...session() }), 204, 'the password change');
  teacher = expect(await call(server.url, 'POST', 'teacher/signin',
    { body: { name: 'teacher', password: newPassword } }), 200, 'the second sign-in');
  const schoolClass = expect(await call(server.url, 'POST', 'classes', { body: { title: '2年1組' }, ...session() }),
    201, 'the new class').answer;
  const [pupil] = expect(await call(server.url, 'POST', `classes/${schoolClass.id}/pupils`,
    { body: { pupils: [{ number: 1, name: '試験 太郎' }] }, ...session() }), 201, 'the new pupil').answer.pupils;
  return { url: server.url, stop: server.stop, signIn: { classCode: schoolClass.code, number: pupil.number,
    password: pupil.password } };
}

// Fills the page's sign-in form as the pupil would and waits until it is gone.
async function signInOnPage(page, signIn) {
  await page.waitFor(() => document.getElementById('signIn') && !document.getElementById('signIn').hidden, 10);
  await page.evaluate((signIn) => {
    document.getElementById('classCode').value = signIn.classCode;
    document.getElementById('pupilNumber').value = String(signIn.number);
    document.getElementById('password').value = signIn.password;
    document.getElementById('signInForm').requestSubmit();
  }, signIn);
  await page.waitFor(() => document.getElementById('signIn').hidden && window.tavolini && window.tavolini.idle(), 10);
}

module.exports = { startServer, call, startClassServer, signInOnPage };
