// Uses calc-web from outside, as a person in a browser would: serves the
// built page on loopback, opens it in Debian's Chromium or Firefox ESR at a
// fixed clock and time zone, clicks and types with the mouse and keyboard,
// and compares each report byte for byte with the core's report-text for
// what the inputs hold. Fails on any console error or uncaught exception,
// and on any request beyond the page's own files.
//   node drive_calc_web.mjs --browser chromium|firefox --page build/web/calc-web.html
//        --report-text PATH [--check e2e|a11y|bad-inputs] [--tz ZONE] [--from-disk]
// --from-disk opens the page as a double-click does (file://), unserved.
// a11y (Chromium only) reads Chromium's accessibility tree: names and roles,
// the focus at start and the Tab order. bad-inputs types the table the
// other programs' checks share (tests/hardening/bad_inputs.json).
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { basename, dirname, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';
import { open, serve, until } from '../../../tools/web-driver/browsers.mjs';

const { values: args } = parseArgs({ options: {
  browser: { type: 'string' }, page: { type: 'string' }, 'report-text': { type: 'string' },
  check: { type: 'string', default: 'e2e' }, tz: { type: 'string', default: 'Asia/Kathmandu' },
  'from-disk': { type: 'boolean' },
} });
// 2026/12/06 15:51:00 UTC; its local time in --tz is the stamp every report must carry.
const CLOCK = Date.UTC(2026, 11, 6, 15, 51, 0);
const TITLE = 'Orvalento';
const PARAMETERS = 'Parameters (Adult tree $: +10%) (Young Compensation: -30%)';
const CAPTIONS = { 10: 'Emissão Total (Ton CO₂):', 11: '% Mensal Compensar:',
  12: 'Custo Arrendamento ($/10.000m²/month):', 500: 'Simulation:' };
const CHECKBOX = 'Somente arvores adultas', BUTTON = 'Calculates Compensation';
const sel = (id) => (typeof id === 'number' ? `[data-calc-id="${id}"]` : id);

class Failure extends Error {}
const expect = (ok, message) => { if (!ok) throw new Failure(message); };

function localStamp(ms, timeZone) {
  const parts = Object.fromEntries(new Intl.DateTimeFormat('en-GB', { timeZone, hourCycle: 'h23',
    year: 'numeric', month: '2-digit', day: '2-digit', hour: '2-digit', minute: '2-digit', second: '2-digit' })
    .formatToParts(ms).map((p) => [p.type, p.value]));
  return `${parts.year}/${parts.month}/${parts.day} - ${parts.hour}:${parts.minute}:${parts.second}`;
}

// report-text is a native program, or JavaScript for node (an Emscripten build).
function reportText(...words) {
  const tool = args['report-text'];
  const [file, argv] = tool.endsWith('.js') ? [process.execPath, [tool, ...words]] : [tool, words];
  return execFileSync(file, argv, { encoding: 'utf8', env: { ...process.env, LC_ALL: 'C.UTF-8' } });
}

class Session {
  constructor(b, base) { Object.assign(this, b, { base, presses: 0 }); }

  value(id) { return this.page.evaluate((s) => document.querySelector(s).value, sel(id)); }
  focusedId() { return this.page.evaluate(() => document.activeElement?.dataset.calcId ?? document.activeElement?.tagName); }

  async clickOn(id) {
    const box = await this.page.evaluate((s) => {
      const r = document.querySelector(s).getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    }, sel(id));
    await this.page.mouse.click(box.x, box.y);
  }

  async selectAll() {
    await this.page.keyboard.down('Control');
    await this.page.keyboard.press('a');
    await this.page.keyboard.up('Control');
  }

  // Replaces what input `id` holds, as typed; Tab then leaves it.
  async typeInto(id, text, leaveWithTab = true) {
    await this.clickOn(id);
    await this.selectAll();
    await this.page.keyboard.press('Backspace');
    if (text) await this.page.keyboard.type(text);
    expect(await this.value(id) === text, `input ${id} shows ${JSON.stringify(await this.value(id))} after typing ${JSON.stringify(text)}`);
    if (leaveWithTab) await this.page.keyboard.press('Tab');
  }

  async tick() {
    await this.clickOn(20);
    await until(this.page, 'the checkbox to be ticked', (s) => document.querySelector(s).checked, sel(20));
  }

  // Clicks the button (or presses `key`), waits for the next report and
  // compares it with the core's for the inputs' values; returns the report.
  async press(adult, key) {
    this.presses += 1;
    if (key) await this.page.keyboard.press(key); else await this.clickOn('button');
    const report = await until(this.page, `report ${this.presses}`, ([s, n]) => {
      const text = document.querySelector(s).value;
      return text.startsWith(`Results ${n} `) && text;
    }, [sel(500), this.presses]);
    // What the engine reads back: "%f" of a number, a text that is none as typed.
    const held = await this.page.evaluate(() => [10, 11, 12].map((id) => {
      const input = document.querySelector(`[data-calc-id="${id}"]`);
      return input.getAttribute('aria-invalid') === 'true' ? input.value : Number(input.value).toFixed(6);
    }));
    const stamp = localStamp(CLOCK, args.tz);
    const want = reportText(String(this.presses), stamp, ...held, adult ? 'adult' : 'young');
    expect(report === want, `report ${this.presses} differs from the core's:\n--- page\n${report}--- report-text\n${want}`);
    this.held = held;
    return report;
  }

  async pressExpecting(adult, key, values) {
    const report = await this.press(adult, key);
    for (const [id, v] of Object.entries(values)) {
      expect(this.held[[10, 11, 12].indexOf(Number(id))] === v.toFixed(6), `report ${this.presses} is not for ${v} in input ${id}`);
    }
    return report;
  }

  async checkStart() {
    expect(await this.page.title() === TITLE, `the page's title is ${JSON.stringify(await this.page.title())}`);
    for (const [id, v] of [[10, 365.6], [11, 8.32], [12, 850.22]]) {
      expect(Number(await this.value(id)) === v, `input ${id} shows ${JSON.stringify(await this.value(id))} at start`);
    }
    expect(await this.value(500) === '', 'the report is not empty at start');
    expect(await this.value(501) === PARAMETERS, `field 501 shows ${JSON.stringify(await this.value(501))}`);
    const images = await this.page.evaluate(() => [...document.images].map((i) => i.complete && i.naturalWidth > 0 &&
      `${Math.round(i.getBoundingClientRect().width)}x${Math.round(i.getBoundingClientRect().height)}`));
    expect(images.sort().join() === '100x100,230x80', `the images drawn are ${JSON.stringify(images)}, not the panel and the logo`);
    expect(await this.focusedId() === '10', `input 10 has no focus at start (${await this.focusedId()} has)`);
  }

  // Enter in an input presses the button and leaves the focus and caret
  // there; Esc changes nothing.
  async checkKeys() {
    await this.typeInto(11, '7', false);
    await this.pressExpecting(true, 'Enter', { 11: 7 });
    expect(await this.focusedId() === '11', 'Enter took the focus away from input 11');
    await this.page.keyboard.type('5');
    await this.pressExpecting(true, 'Enter', { 11: 75 });
    for (const id of [11, 500]) {
      if (id === 500) await this.clickOn(500);
      const before = await this.page.evaluate(() => [...document.querySelectorAll('[data-calc-id]')].map((e) => e.value ?? e.checked));
      await this.page.keyboard.press('Escape');
      const after = await this.page.evaluate(() => [...document.querySelectorAll('[data-calc-id]')].map((e) => e.value ?? e.checked));
      expect(JSON.stringify(before) === JSON.stringify(after), `Esc in ${id} changed what the window shows`);
      expect(await this.focusedId() === String(id), `Esc in ${id} moved the focus`);
    }
  }

  // Nothing left the page: every request is for one of its own files.
  checkQuiet() {
    const foreign = this.requests.filter((u) => !/^(data|blob):/.test(u) && !u.startsWith(this.base));
    expect(foreign.length === 0, `requests beyond the page: ${foreign.join(', ')}`);
    expect(this.errors.length === 0, `the page reported errors:\n${this.errors.join('\n')}`);
  }
}

// Chromium's own accessibility tree (what a screen reader is given).
async function axTree(s) {
  const { nodes } = await s.cdp.send('Accessibility.getFullAXTree');
  return nodes.filter((n) => !n.ignored).map((n) => ({
    role: n.role?.value, name: n.name?.value ?? '',
    ...Object.fromEntries((n.properties ?? []).map((p) => [p.name, p.value.value])),
  }));
}

async function checkAccessibility(s) {
  const tree = await axTree(s);
  const find = (role, name) => tree.find((n) => n.role === role && n.name === name);
  const controls = [[10, 'spinbutton'], [11, 'spinbutton'], [12, 'spinbutton']].map(([id, role]) => [role, CAPTIONS[id]]);
  controls.push(['checkbox', CHECKBOX], ['button', BUTTON], ['textbox', CAPTIONS[500]]);
  for (const [role, name] of controls) expect(find(role, name), `no ${role} named ${JSON.stringify(name)} in:\n${JSON.stringify(tree)}`);
  const report = find('textbox', CAPTIONS[500]);
  expect(report.readonly && report.multiline, 'the report is not a read-only multi-line text box');
  expect(tree.some((n) => n.role === 'textbox' && n.readonly && !n.multiline), 'field 501 is not a read-only text box');
  const focused = async () => (await axTree(s)).findLast((n) => n.focused);
  const at = async (what, [role, name]) => {
    const f = await focused();
    expect(f && f.role === role && f.name === name, `${what}: the focus is on ${JSON.stringify(f)}, not ${role} "${name}"`);
  };
  await at('at start', controls[0]);
  for (const control of controls.slice(1)) {
    await s.page.keyboard.press('Tab');
    await at('after Tab', control);
  }
  await s.page.keyboard.down('Shift');
  await s.page.keyboard.press('Tab');
  await s.page.keyboard.up('Shift');
  await at('after Shift+Tab', controls[4]);
}

// calc-web keeps a text that is no number within 0..10000 as typed, marked
// invalid, and reads it back as typed (web_keeps_text); else as calc-gtk.
async function checkBadInputs(s) {
  const table = JSON.parse(readFileSync(new URL('../../hardening/bad_inputs.json', import.meta.url), 'utf8'));
  for (const { input, text, holds, web_keeps_text: kept } of table) {
    await s.typeInto(input, text, false);
    const report = await s.press(false);
    const held = s.held[[10, 11, 12].indexOf(input)], want = kept ? text : holds.toFixed(6);
    expect(held === want, `input ${input} reads back ${JSON.stringify(held)} after ${JSON.stringify(text)}, expected ${JSON.stringify(want)}`);
    console.log(`input ${input} ${JSON.stringify(text).padEnd(12)} -> ${JSON.stringify(held)}, ${report.trimEnd().split('\n').pop()}`);
  }
}

async function main() {
  expect(args.browser && args.page && args['report-text'], 'usage: --browser chromium|firefox --page PAGE --report-text PATH');
  expect(args.check !== 'a11y' || args.browser === 'chromium', 'the accessibility tree is read in Chromium only');
  const page = resolve(args.page);
  const server = args['from-disk'] ? null : await serve(dirname(page));
  const base = server ? `${server.origin}/` : pathToFileURL(`${dirname(page)}/`).href;
  let b;
  try {
    b = await open(args.browser, { timezone: args.tz, clock: CLOCK });
    const s = new Session(b, base);
    await s.page.goto(`${base}${basename(page)}`);
    await until(s.page, 'the window to be built', () => document.documentElement.dataset.calcReady === '1');
    if (args.check === 'a11y') {
      await checkAccessibility(s);
    } else if (args.check === 'bad-inputs') {
      await checkBadInputs(s);
    } else {
      await s.checkStart();
      await s.pressExpecting(false, null, { 10: 365.6, 11: 8.32, 12: 850.22 });
      await s.press(false);
      await s.tick();
      await s.press(true);
      await s.typeInto(11, '10');
      await s.pressExpecting(true, null, { 11: 10 });
      await s.typeInto(12, '1234.5', false);  // typed and pressed at once
      await s.pressExpecting(true, null, { 12: 1234.5 });
      await s.checkKeys();
    }
    s.checkQuiet();
    console.log(`calc-web passed ${args.check} in ${args.browser}: ${s.presses} presses, TZ ${args.tz}`);
  } finally {
    await b?.close();
    await server?.close();
  }
  // Every file the server was asked for is one of the page's own.
  const strays = (server?.served ?? []).filter((p) => !existsSync(`${dirname(page)}${p}`));
  expect(strays.length === 0, `the browser asked for files the page does not have: ${strays.join(', ')}`);
}

main().catch((e) => {
  console.error(`FAILED: ${e instanceof Failure ? e.message : e.stack}`);
  process.exitCode = 1;
});
