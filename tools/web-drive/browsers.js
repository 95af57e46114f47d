// The browser engines the web page is tested in, behind one small page
// interface: TAVOLINI_BROWSER names the engine (chromium by default, firefox
// or webkit). Chromium and Firefox run without a window through
// puppeteer-core; WebKit is WebKitGTK's MiniBrowser through WebKitWebDriver,
// under an Xvfb of its own.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const http = require('http');
const net = require('net');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { startSiteServer, startInjectingProxy } = require('./site-server');

const Engines = ['chromium', 'firefox', 'webkit'];

const source = (fn, args) => `(${fn})(...${JSON.stringify(args)})`;
const twoFrames = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));

function engineName() {
  const name = process.env.TAVOLINI_BROWSER || 'chromium';
  if (!Engines.includes(name)) throw new Error(`TAVOLINI_BROWSER=${name}: the engines are ${Engines.join(', ')}`);
  return name;
}

// Starts the engine. `viewport` is the page's size ({width, height}); every
// page error and every alert is given to `onError` unless a page names its own.
async function launch({ viewport, onError }) {
  const engine = engineName();
  return engine === 'webkit' ? WebKitBrowser.start(viewport, onError) : PuppeteerBrowser.start(engine, viewport, onError);
}

// Chromium and Firefox: puppeteer-core (Firefox over WebDriver BiDi). The
// site is opened from file://, with the page's hooks set before its scripts.
class PuppeteerBrowser {
  static async start(engine, viewport, onError) {
    const options = engine === 'firefox'
      ? { browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr' }
      : { executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'] };
    const browser = await puppeteer.launch({ ...options, headless: true, defaultViewport: viewport });
    return new PuppeteerBrowser(engine, browser, browser.defaultBrowserContext(), onError);
  }

  constructor(engine, browser, context, onError) {
    this.engine = engine;
    this.browser = browser;
    this.context = context;
    this.onError = onError;
  }

  // Pages that share storage with each other and with no page of another context.
  async newContext() {
    return new PuppeteerBrowser(this.engine, this.browser, await this.browser.createBrowserContext(), this.onError);
  }

  async newPage(onError = this.onError) {
    const page = await this.context.newPage();
    page.on('pageerror', (error) => onError('the page failed: ' + error.message));
    page.on('dialog', (dialog) => { onError('alert: ' + dialog.message()); dialog.dismiss(); });
    return new PuppeteerPage(page);
  }

  async close() {
    if (this.context === this.browser.defaultBrowserContext()) await this.browser.close();
    else await this.context.close();
  }
}

class PuppeteerPage {
  constructor(page) {
    this.page = page;
  }

  // Firefox runs it in blank documents with no address too, where much is refused.
  addInitScript(fn, ...args) {
    return this.page.evaluateOnNewDocument((script) => { if (/^(file|https?):/.test(location.href)) (0, eval)(script); },
      source(fn, args));
  }
  gotoSite(root) { return this.page.goto('file://' + path.resolve(root, 'index.html')); }
  // A page some other server serves; the browser runs the init scripts itself.
  gotoUrl(url) { return this.page.goto(url); }
  gotoServer(url) { return this.page.goto(url); }
  initScript() { return ''; }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  waitFor(fn, polling) { return this.page.waitForFunction(fn, { polling }); }
  screenshot(file) { return this.page.screenshot({ path: file }); }
  setViewport(width, height, deviceScaleFactor = 1) { return this.page.setViewport({ width, height, deviceScaleFactor }); }
  async uploadFile(selector, file) { await (await this.page.waitForSelector(selector)).uploadFile(file); }
  close() { return this.page.close(); }
}

// What to end or remove when this process ends, however it ends.
const cleanups = new Set();
process.on('exit', () => cleanups.forEach((cleanup) => cleanup()));
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) process.on(signal, () => process.exit(130));

function startChild(command, args, options) {
  const child = spawn(command, args, options);
  const kill = () => { try { process.kill(options.detached ? -child.pid : child.pid); } catch {} };
  cleanups.add(kill);
  child.on('exit', () => cleanups.delete(kill));
  return { child, kill };
}

// MiniBrowser's settings: its toolbar shrunk to nothing, so that its window
// can be as narrow as a phone (the toolbar alone is 447 px wide).
function miniBrowserSettings() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-webkit-'));
  fs.mkdirSync(path.join(folder, 'gtk-3.0'));
  fs.writeFileSync(path.join(folder, 'gtk-3.0', 'gtk.css'),
    '* { font-size: 1px; padding: 0; margin: 0; border-width: 0; min-width: 0; min-height: 0; }\n');
  const remove = () => fs.rmSync(folder, { recursive: true, force: true });
  cleanups.add(remove);
  return { folder, remove };
}

// An X display of its own: Xvfb picks a free number and writes it on fd 3.
async function startXvfb() {
  const { child, kill } = startChild('Xvfb', ['-displayfd', '3', '-screen', '0', '4200x3300x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    child.stdio[3].on('data', (bytes) => { text += bytes; if (text.includes('\n')) resolve(':' + text.trim()); });
    child.on('exit', () => reject(new Error('Xvfb did not start')));
  });
  return { display, kill };
}

const freePort = () => new Promise((resolve) => {
  const server = net.createServer().listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});

const answers = (url) => new Promise((resolve) => http.get(url, (response) => { response.resume(); resolve(true); })
  .on('error', () => resolve(false)));

// WebKitWebDriver on a free port, once it answers; another port if that one was taken meanwhile.
async function startWebDriver(display, settings) {
  for (let attempt = 0; attempt < 5; attempt++) {
    const port = await freePort();
    const { child, kill } = startChild('WebKitWebDriver', ['--port=' + port],
      { env: { ...process.env, DISPLAY: display, XDG_CONFIG_HOME: settings }, stdio: 'ignore', detached: true });
    let exited = false;
    child.on('exit', () => { exited = true; });
    for (let wait = 0; wait < 100 && !exited; wait++) {
      if (await answers(`http://127.0.0.1:${port}/status`)) return { url: `http://127.0.0.1:${port}`, kill };
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    kill();
  }
  throw new Error('WebKitWebDriver did not start');
}

// WebKit: WebKitGTK's WebDriver has no BiDi, so nothing runs before the
// page's scripts: the site is served from 127.0.0.1 with the hooks and the
// error listeners written into index.html. Each page is a window of one
// session; the session does one command at a time, in the window it is for.
class WebKitBrowser {
  static async start(viewport, onError) {
    const xvfb = await startXvfb();
    const settings = miniBrowserSettings();
    try {
      const webDriver = await startWebDriver(xvfb.display, settings.folder);
      const { Builder } = require('selenium-webdriver');
      const driver = await new Builder().usingServer(webDriver.url).withCapabilities({ browserName: 'MiniBrowser' }).build();
      const session = { driver, queue: Promise.resolve(), window: await driver.getWindowHandle(), viewport, unused: true,
        stop: () => { webDriver.kill(); xvfb.kill(); settings.remove(); } };
      const browser = new WebKitBrowser(session, onError);
      session.owner = browser;
      return browser;
    } catch (error) {
      xvfb.kill();
      settings.remove();
      throw error;
    }
  }

  constructor(session, onError) {
    this.engine = 'webkit';
    this.session = session;
    this.onError = onError;
    this.server = null;
    this.proxy = null;
    this.pages = [];
    this.navigating = null; // the page whose init scripts the server writes into index.html
  }

  // Another origin is other storage: each context has a server of its own.
  async newContext() {
    return new WebKitBrowser(this.session, this.onError);
  }

  async proxyUrl(upstream, page) {
    this.navigating = page;
    this.proxy ??= await startInjectingProxy({ upstream, script: () => this.navigating.initScript() });
    return this.proxy.url;
  }

  async siteUrl(root, page) {
    this.navigating = page;
    this.server ??= await startSiteServer({ root, inject: () => this.navigating.injection() });
    return this.server.url;
  }

  async newPage(onError = this.onError) {
    const session = this.session;
    let window = session.window;
    if (!session.unused) {
      window = await run(session, null, async () => {
        const [open] = await session.driver.getAllWindowHandles(); // a new window is opened from one that is open
        await session.driver.switchTo().window(open);
        await session.driver.switchTo().newWindow('window');
        return (session.current = await session.driver.getWindowHandle());
      });
    }
    session.unused = false;
    const page = new WebKitPage(this, window, onError);
    this.pages.push(page);
    await page.setViewport(session.viewport.width, session.viewport.height);
    return page;
  }

  async close() {
    if (this === this.session.owner) {
      await this.session.driver.quit().catch(() => {});
      this.session.stop();
    } else {
      for (const page of this.pages) await page.close();
    }
    if (this.server) await this.server.close();
    if (this.proxy) await this.proxy.close();
  }
}

// Runs `task` when the session is free, in `window`.
function run(session, window, task) {
  const done = session.queue.then(async () => {
    if (window && session.current !== window) await session.driver.switchTo().window(window);
    if (window) session.current = window;
    return task();
  });
  session.queue = done.catch(() => {});
  return done;
}

// Set in the page before its own scripts: errors and alerts are kept for the driver to collect.
function listenForErrors() {
  const errors = window.tavoliniErrors = [];
  addEventListener('error', (event) => errors.push(event.message));
  addEventListener('unhandledrejection', (event) => errors.push(String(event.reason && event.reason.message || event.reason)));
  window.alert = window.confirm = window.prompt = (text) => { errors.push('alert: ' + text); };
}

// Runs in the page: starts the call once, then waits for it a little while,
// so that a long call in one window does not hold the other windows up. The
// call comes inside the driver's script, not through eval, which a page's
// Content-Security-Policy may refuse (the class server's does).
function callSlice(id, call, done) {
  const calls = window.tavoliniCalls ??= {};
  calls[id] ??= Promise.resolve().then(call)
    .then((value) => ({ value }), (error) => ({ failed: String(error && error.stack || error) }));
  const collect = (result) => {
    if (!result.pending) delete calls[id];
    done({ ...result, errors: (window.tavoliniErrors || []).splice(0) });
  };
  Promise.race([calls[id], new Promise((resolve) => setTimeout(() => resolve({ pending: true }), 200))]).then(collect);
}

let nextCall = 0;

class WebKitPage {
  constructor(context, window, onError) {
    this.context = context;
    this.window = window;
    this.onError = onError;
    this.initScripts = [source(listenForErrors, [])];
  }

  injection() {
    return `<script>${this.initScript().replace(/</g, '\\u003c')}</script>\n`;
  }

  // The init scripts, for a server of the test's own to put into the page.
  initScript() { return this.initScripts.join(';\n'); }

  async addInitScript(fn, ...args) { this.initScripts.push(source(fn, args)); }

  async gotoSite(root) {
    const url = await this.context.siteUrl(root, this);
    await run(this.context.session, this.window, () => this.context.session.driver.get(url + 'index.html'));
  }

  // A server that writes the init scripts into the page itself.
  async gotoUrl(url) {
    await run(this.context.session, this.window, () => this.context.session.driver.get(url));
  }

  // A server of the program's own, through a proxy that adds the init scripts;
  // the page asked for there, with its query.
  async gotoServer(url) {
    const { pathname, search, hash } = new URL(url);
    await this.gotoUrl(new URL(pathname + search + hash, await this.context.proxyUrl(url, this)).href);
  }

  async evaluate(fn, ...args) {
    const id = nextCall++;
    const script = source(fn, args);
    for (;;) {
      const result = await run(this.context.session, this.window,
        () => this.context.session.driver.executeAsyncScript(`(${callSlice})(arguments[0], () => ${script}, arguments[1])`, id));
      result.errors.forEach((error) => this.onError('the page failed: ' + error));
      if (result.failed) throw new Error(result.failed);
      if (!result.pending) return result.value;
    }
  }

  waitFor(fn, polling) {
    return this.evaluate(`async (polling) => {
      const test = ${fn};
      while (!test() && !(window.tavoliniErrors || []).length) await new Promise((resolve) => setTimeout(resolve, polling));
    }`, polling);
  }

  async screenshot(file) {
    await this.evaluate(twoFrames); // the last frame drawn may not be on the screen yet
    const png = await run(this.context.session, this.window, () => this.context.session.driver.takeScreenshot());
    fs.writeFileSync(file, Buffer.from(png, 'base64'));
  }

  // MiniBrowser's window holds its toolbar too: the window is made larger by what the page lacks.
  async setViewport(width, height, deviceScaleFactor = 1) {
    if (deviceScaleFactor !== 1) throw new Error('WebKitWebDriver cannot set the pixel ratio');
    const { driver } = this.context.session;
    await run(this.context.session, this.window, async () => {
      // The window may take a moment to get its new size: measured until it has it.
      for (let attempt = 0; attempt < 20; attempt++) {
        const [innerWidth, innerHeight] = await driver.executeScript('return [innerWidth, innerHeight]');
        if (innerWidth === width && innerHeight === height) return;
        const outer = await driver.manage().window().getRect();
        await driver.manage().window().setRect({ width: outer.width + width - innerWidth, height: outer.height + height - innerHeight });
        await new Promise((resolve) => setTimeout(resolve, 20 * attempt));
      }
      throw new Error(`MiniBrowser's page does not take the size ${width}×${height}`);
    });
  }

  async uploadFile(selector, file) {
    const { By } = require('selenium-webdriver');
    const { driver } = this.context.session;
    await run(this.context.session, this.window, async () => (await driver.findElement(By.css(selector))).sendKeys(file));
  }

  // The session ends with its last window: that one is kept, blank.
  close() {
    const { session } = this.context;
    if (this.closed) return;
    this.closed = true;
    return run(session, this.window, async () => {
      if ((await session.driver.getAllWindowHandles()).length > 1) {
        await session.driver.close();
        session.current = null;
      } else {
        await session.driver.get('about:blank');
        session.unused = true;
        session.window = this.window;
      }
    });
  }
}

module.exports = { launch };
