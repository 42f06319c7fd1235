// Debian's Chromium (through playwright-core) and Firefox ESR (through
// puppeteer-core, over WebDriver BiDi), and a loopback static server, for
// calc-web's end-to-end tests and benchmark. No browser is downloaded: both
// run from /usr/bin with a fresh profile each, and are closed by whoever
// opens them (close() also stops the server and leaves no process behind).
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.css': 'text/css', '.svg': 'image/svg+xml', '.png': 'image/png',
};
// Chromium as root needs --no-sandbox; the rest keeps it off the network.
const CHROMIUM_FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Serves `dir` (and `extra`, path -> text, in front of it) on 127.0.0.1 at
// a free port; `served` lists each path asked for, in order.
export async function serve(dir, extra = {}) {
  const served = [];
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    served.push(path);
    try {
      const body = path in extra ? extra[path] : await readFile(join(dir, normalize(path).replace(/^(\.\.[/\\])+/, '')));
      response.writeHead(200, { 'Content-Type': TYPES[extname(path)] ?? 'application/octet-stream', 'Cache-Control': 'no-store' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  const close = () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); });
  return { origin, served, close };
}

// A browser with one page. `timezone` and `lang` are the user's (Chromium
// takes both per context, Firefox TZ and its language preference); `clock`
// fixes Date at that many ms since the epoch.
// The page records console errors, uncaught exceptions and every request.
export async function open(name, { timezone = 'UTC', lang = 'en-US', clock } = {}) {
  let browser, page, cdp = null;
  if (name === 'chromium') {
    browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: CHROMIUM_FLAGS, headless: true });
    const context = await browser.newContext({ timezoneId: timezone, locale: lang });
    page = await context.newPage();
    cdp = await context.newCDPSession(page);
    if (clock !== undefined) await page.clock.setFixedTime(clock);
  } else if (name === 'firefox') {
    browser = await puppeteer.launch({
      browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr', headless: true,
      env: { ...process.env, TZ: timezone },
      extraPrefsFirefox: { 'intl.accept_languages': lang },
    });
    page = await browser.newPage();
    if (clock !== undefined) {
      await page.evaluateOnNewDocument((at) => {
        const Real = Date;
        globalThis.Date = class extends Real {
          constructor(...args) { super(...(args.length ? args : [at])); }
          static now() { return at; }
        };
      }, clock);
    }
  } else {
    throw new Error(`no browser "${name}" (chromium, firefox)`);
  }
  const errors = [], requests = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => errors.push(`uncaught: ${e.message ?? e}`));
  page.on('request', (r) => requests.push(r.url()));
  return { name, browser, page, cdp, errors, requests, close: () => browser.close() };
}

// Polls `fn(arg)` in the page until it gives something truthy; returns it.
export async function until(page, what, fn, arg, timeout = 10000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const got = await page.evaluate(fn, arg);
    if (got) return got;
    if (Date.now() > deadline) throw new Error(`gave up after ${timeout / 1000} s waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}
