// calc-web against a bare hand-written page with the same controls and
// images (bare_web.html), in the same browser and run: the time from
// navigation to the window fully drawn (the page says it is built, every
// image decoded, the fonts loaded, then a frame painted), the compressed
// size of everything the page loads, and the time from a press to its
// report. Figures only; the last line is the one to compare.
//   node bench/web_startup.mjs --dir build/web [--runs N] [--browsers chromium,firefox]
import { existsSync, readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { parseArgs } from 'node:util';
import { open, serve, until } from '../tools/web-driver/browsers.mjs';

const { values: args } = parseArgs({ options: {
  dir: { type: 'string', default: 'build/web' }, runs: { type: 'string', default: '15' },
  browsers: { type: 'string', default: 'chromium,firefox' },
} });
const AIM_RATIO = 1.5, AIM_KB = 100, AIM_PRESS_MS = 1, PRESSES = 200;
const source = (path) => readFileSync(new URL(`../${path}`, import.meta.url));
const bare = source('bench/bare_web.html').toString()
  .replace('@PANEL_PNG_B64@', source('app/panel_png.cpp').toString().match(/"([A-Za-z0-9+/=]+)"/)[1])
  .replace('@LOGO_SVG_B64@', source('app/logo.svg').toString('base64'));

// Runs in the page before its own scripts: notes when the window is drawn.
function probe() {
  const drawn = async () => {
    await Promise.all([...document.images].map((i) => i.decode().catch(() => {})));
    await document.fonts.ready;
    requestAnimationFrame(() => requestAnimationFrame(() => { window.calcDrawnAt = performance.now(); }));
  };
  new MutationObserver((_, observer) => {
    if (document.documentElement.dataset.calcReady === '1') { observer.disconnect(); drawn(); }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-calc-ready'] });
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// One load of `path` in a fresh page; ms from navigation to the drawn window.
async function drawnAfter(b, origin, path) {
  const page = b.name === 'chromium' ? await b.page.context().newPage() : await b.browser.newPage();
  try {
    await (page.addInitScript ? page.addInitScript(probe) : page.evaluateOnNewDocument(probe));
    await page.goto(`${origin}${path}`);
    return await until(page, `${path} to be drawn`, () => window.calcDrawnAt, undefined, 30000);
  } finally {
    await page.close();
  }
}

// Clicks the button PRESSES times in a row inside the page; ms per press.
function pressLoop(n) {
  const button = document.querySelector('button'), report = document.querySelector('[data-calc-id="500"]');
  const start = performance.now();
  for (let i = 0; i < n; i++) button.click();
  const ms = (performance.now() - start) / n;
  return report.value.startsWith('Results ') ? ms : -1;
}

async function measure(name, server) {
  const b = await open(name);
  try {
    const calc = [], plain = [];
    for (let i = 0; i < Number(args.runs); i++) {  // in turns, each opening a turn as often
      const order = i % 2 ? ['/bare-web.html', '/calc-web.html'] : ['/calc-web.html', '/bare-web.html'];
      for (const path of order) (path === '/calc-web.html' ? calc : plain).push(await drawnAfter(b, server.origin, path));
    }
    const loaded = [...new Set(server.served)].filter((p) => existsSync(`${args.dir}${p}`));
    server.served.length = 0;
    const sizes = loaded.map((p) => [p, gzipSync(readFileSync(`${args.dir}${p}`), { level: 9 }).length]);
    await b.page.goto(`${server.origin}/calc-web.html`);
    await until(b.page, 'calc-web to be built', () => document.documentElement.dataset.calcReady === '1');
    const batches = [];
    for (let i = 0; i < 5; i++) batches.push(await b.page.evaluate(pressLoop, PRESSES));
    if (batches.some((ms) => ms < 0)) throw new Error('a press gave no report');
    const kb = sizes.reduce((sum, [, n]) => sum + n, 0) / 1000;
    const ratio = median(calc) / median(plain), press = median(batches);
    console.log(`${name}: to the window drawn, median of ${calc.length}: calc-web ${median(calc).toFixed(1)} ms, ` +
      `bare page ${median(plain).toFixed(1)} ms (${ratio.toFixed(2)} x, aim at most ${AIM_RATIO}: ${ratio <= AIM_RATIO ? 'met' : 'missed'})`);
    console.log(`${name}: loaded ${sizes.map(([p, n]) => `${p.slice(1)} ${(n / 1000).toFixed(1)} kB`).join(', ')} gzipped: ` +
      `${kb.toFixed(1)} kB (aim at most ${AIM_KB}: ${kb <= AIM_KB ? 'met' : 'missed'})`);
    console.log(`${name}: press to report ${(press * 1000).toFixed(0)} µs, median of 5 x ${PRESSES} presses ` +
      `(aim under ${AIM_PRESS_MS} ms: ${press < AIM_PRESS_MS ? 'met' : 'missed'})`);
    return `${name} ${ratio.toFixed(2)} (${median(calc).toFixed(0)} ms / ${median(plain).toFixed(0)} ms), ${kb.toFixed(1)} kB, press->report ${press.toFixed(3)} ms`;
  } finally {
    await b.close();
  }
}

const server = await serve(args.dir, { '/bare-web.html': bare });
try {
  const lines = [];
  for (const name of args.browsers.split(',')) lines.push(await measure(name, server));
  console.log(`startup calc-web/bare: ${lines.join('; ')}`);
} finally {
  await server.close();
}
