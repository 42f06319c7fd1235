// Uses calc-web from outside, as a person in a browser would, in Debian's
// Chromium or Firefox ESR at a fixed clock and time zone: clicks and types,
// and compares each report byte for byte with report-text's for what the
// inputs read back. Fails on a console error, an uncaught exception or a
// request beyond the page's own files.
//   node drive_calc_web.mjs --browser chromium|firefox --page build/web/calc-web.html
//        --report-text PATH [--check e2e|a11y|bad-inputs] [--tz ZONE] [--lang pt-BR] [--from-disk]
// --from-disk opens the page from file:// (a double click) instead of loopback.
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { basename, dirname, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';
import { open, serve, until } from '../../../tools/web-driver/browsers.mjs';

const { values: args } = parseArgs({ options: {
  browser: { type: 'string' }, page: { type: 'string' }, 'report-text': { type: 'string' },
  check: { type: 'string', default: 'e2e' }, tz: { type: 'string', default: 'Asia/Kathmandu' },
  lang: { type: 'string', default: 'en-US' }, 'from-disk': { type: 'boolean' },
} });
// Every report carries this instant's local time in --tz.
const CLOCK = Date.UTC(2026, 11, 6, 15, 51, 0);
const STAMP = new Date(CLOCK).toLocaleString('sv-SE', { timeZone: args.tz }).replace(/-/g, '/').replace(' ', ' - ');
const CONTROLS = [['spinbutton', 'Emissão Total (Ton CO₂):'], ['spinbutton', '% Mensal Compensar:'],
  ['spinbutton', 'Custo Arrendamento ($/10.000m²/month):'], ['checkbox', 'Somente arvores adultas'],
  ['button', 'Calculates Compensation'], ['textbox', 'Simulation:']];  // in reading order
// A number as the inputs show it in --lang: "8,32" where decimals take a comma.
const COMMA = (1.5).toLocaleString(args.lang).includes(',');
const num = (text) => (COMMA ? text.replace('.', ',') : text);
const sel = (id) => (typeof id === 'number' ? `[data-calc-id="${id}"]` : id);
class Failure extends Error {}
const expect = (ok, message) => { if (!ok) throw new Failure(message); };

class Session {
  constructor(b, base) { Object.assign(this, b, { base, presses: 0 }); }

  value(id) { return this.page.evaluate((s) => document.querySelector(s).value, sel(id)); }
  focusedId() { return this.page.evaluate(() => document.activeElement?.dataset.calcId); }
  shown() { return this.page.evaluate(() => [...document.querySelectorAll('[data-calc-id]')].map((e) => (e.type === 'checkbox' ? e.checked : e.value)).join('|')); }

  async clickOn(id) {
    const r = await this.page.evaluate((s) => document.querySelector(s).getBoundingClientRect().toJSON(), sel(id));
    await this.page.mouse.click(r.x + r.width / 2, r.y + r.height / 2);
  }

  // Replaces what input `id` holds, as typed; Tab then leaves it.
  async typeInto(id, text, leaveWithTab = true) {
    await this.clickOn(id);
    await this.page.keyboard.down('Control');
    await this.page.keyboard.press('a');
    await this.page.keyboard.up('Control');
    await this.page.keyboard.press('Backspace');
    if (text) await this.page.keyboard.type(text);
    expect(await this.value(id) === text, `input ${id} shows ${await this.value(id)} after typing ${JSON.stringify(text)}`);
    if (leaveWithTab) await this.page.keyboard.press('Tab');
  }

  // Clicks the button (or presses `key`), waits for the next report and
  // compares it with the core's; `values` are what inputs must read back.
  async press(adult, key, values = {}) {
    this.presses += 1;
    if (key) await this.page.keyboard.press(key); else await this.clickOn('button');
    const report = await until(this.page, `report ${this.presses}`, ([s, n]) => {
      const text = document.querySelector(s).value;
      return text.startsWith(`Results ${n} `) && text;
    }, [sel(500), this.presses]);
    // As the engine reads them back: "%f" of a number, a text that is none as typed.
    this.held = await this.page.evaluate(() => [10, 11, 12].map((id) => {
      const input = document.querySelector(`[data-calc-id="${id}"]`);
      return input.getAttribute('aria-invalid') === 'true' ? input.value : Number(input.value.replace(',', '.')).toFixed(6);
    }));
    const want = execFileSync(args['report-text'], [String(this.presses), STAMP, ...this.held, adult ? 'adult' : 'young'],
      { encoding: 'utf8' });
    expect(report === want, `report ${this.presses} differs from the core's:\n--- page\n${report}--- report-text\n${want}`);
    for (const [id, v] of Object.entries(values)) {
      expect(this.held[id - 10] === v.toFixed(6), `report ${this.presses} is not for ${v} in input ${id}`);
    }
    return report;
  }

  async checkStart() {
    expect(await this.page.title() === 'Orvalento', `the page's title is ${await this.page.title()}`);
    expect(await this.shown() === `${num('365.60')}|${num('8.32')}|${num('850.22')}|false||Parameters (Adult tree $: +10%) (Young Compensation: -30%)`,
      `the window shows ${await this.shown()} at start`);
    const images = await this.page.evaluate(() => [...document.images].map((i) => i.complete && i.naturalWidth > 0 &&
      `${i.getBoundingClientRect().width}x${i.getBoundingClientRect().height}`).sort().join());
    expect(images === '100x100,230x80', `the images drawn are ${images}, not the panel and the logo`);
    expect(await this.focusedId() === '10', 'input 10 has no focus at start');
    const selected = await this.page.evaluate(() => document.activeElement.selectionEnd - document.activeElement.selectionStart);
    expect(selected === 6, `input 10 starts with ${selected} of its 6 characters selected: typing would not replace them`);
  }

  // Enter in an input presses the button and keeps the focus and the caret
  // there; Esc changes nothing.
  async checkKeys() {
    await this.typeInto(11, '7', false);
    await this.press(true, 'Enter', { 11: 7 });
    expect(await this.focusedId() === '11', 'Enter took the focus away from input 11');
    await this.page.keyboard.type('5');
    await this.press(true, 'Enter', { 11: 75 });
    for (const id of [11, 500]) {
      if (id === 500) await this.clickOn(500);
      const before = await this.shown();
      await this.page.keyboard.press('Escape');
      expect(await this.shown() === before && await this.focusedId() === String(id), `Esc in ${id} changed the window or the focus`);
    }
  }
}

// Chromium's own accessibility tree, what a screen reader is given: roles,
// names, the report and field 501 read-only text boxes, the focus at start
// and the Tab order there and back.
async function checkAccessibility(s) {
  const tree = async () => (await s.cdp.send('Accessibility.getFullAXTree')).nodes.filter((n) => !n.ignored).map((n) => ({
    role: n.role?.value, name: n.name?.value ?? '', ...Object.fromEntries((n.properties ?? []).map((p) => [p.name, p.value.value])) }));
  const nodes = await tree();
  for (const [role, name] of CONTROLS) expect(nodes.some((n) => n.role === role && n.name === name), `no ${role} named "${name}"`);
  expect(nodes.some((n) => n.name === 'Simulation:' && n.readonly && n.multiline), 'the report is no read-only multi-line text box');
  expect(nodes.some((n) => n.role === 'textbox' && n.readonly && !n.multiline), 'field 501 is no read-only text box');
  const walk = [...CONTROLS.map((c, i) => [i ? 'Tab' : null, c]), ['Shift+Tab', CONTROLS[4]]];
  for (const [key, [role, name]] of walk) {
    if (key) await s.page.keyboard.press(key);
    const f = (await tree()).findLast((n) => n.focused);
    expect(f?.role === role && f?.name === name, `${key ?? 'at start'}: the focus is on ${f?.role} "${f?.name}", not ${role} "${name}"`);
  }
}

// The table calc-gtk's check types too. calc-web keeps a text that is no
// number within 0..10000 as typed, marked invalid (web_keeps_text).
async function checkBadInputs(s) {
  const table = JSON.parse(readFileSync(new URL('../../hardening/bad_inputs.json', import.meta.url), 'utf8'));
  for (const { input, text, holds, web_keeps_text: kept } of table) {
    await s.typeInto(input, text, false);
    const annual = (await s.press(false)).trimEnd().split('\n').pop();
    const held = s.held[input - 10], want = kept ? text : holds.toFixed(6);
    expect(held === want, `input ${input} reads back ${JSON.stringify(held)} after ${JSON.stringify(text)}, not ${JSON.stringify(want)}`);
    console.log(`input ${input} ${JSON.stringify(text).padEnd(12)} -> ${JSON.stringify(held)}, ${annual}`);
  }
}

async function main() {
  expect(args.browser && args.page && args['report-text'], 'usage: --browser chromium|firefox --page PAGE --report-text PATH');
  const page = resolve(args.page), dir = dirname(page);
  const server = args['from-disk'] ? null : await serve(dir);
  const base = server ? `${server.origin}/` : pathToFileURL(`${dir}/`).href;
  let b;
  try {
    b = await open(args.browser, { timezone: args.tz, lang: args.lang, clock: CLOCK });
    const s = new Session(b, base);
    await s.page.goto(`${base}${basename(page)}`);
    await until(s.page, 'the window to be built', () => document.documentElement.dataset.calcReady === '1');
    if (args.check === 'a11y') {
      expect(s.cdp, 'the accessibility tree is read in Chromium only');
      await checkAccessibility(s);
    } else if (args.check === 'bad-inputs') {
      await checkBadInputs(s);
    } else {
      await s.checkStart();
      await s.press(false, null, { 10: 365.6, 11: 8.32, 12: 850.22 });
      await s.press(false);  // counts 2
      await s.clickOn(20);
      await s.press(true);
      await s.typeInto(11, '10');
      await s.press(true, null, { 11: 10 });
      await s.typeInto(12, '1234.5', false);  // typed and pressed at once
      await s.press(true, null, { 12: 1234.5 });
      await s.typeInto(11, num('8.32'));  // the language's decimal mark
      await s.press(true, null, { 11: 8.32 });
      await s.checkKeys();
    }
    const foreign = s.requests.filter((u) => !/^(data|blob):/.test(u) && !u.startsWith(base));
    expect(foreign.length === 0, `requests beyond the page: ${foreign.join(', ')}`);
    expect(s.errors.length === 0, `the page reported errors:\n${s.errors.join('\n')}`);
    console.log(`calc-web passed ${args.check} in ${args.browser}: ${s.presses} presses, TZ ${args.tz}`);
  } finally {
    await b?.close();
    await server?.close();
  }
  const strays = (server?.served ?? []).filter((p) => !existsSync(`${dir}${p}`));
  expect(strays.length === 0, `the browser asked for files the page does not have: ${strays.join(', ')}`);
}

main().catch((e) => {
  console.error(`FAILED: ${e instanceof Failure ? e.message : e.stack}`);
  process.exitCode = 1;
});
