// The page in Chromium at a phone's size: it loads nothing from elsewhere, shows the console
// fitted to the viewport with its shape kept (landscape: whole; portrait: the halves one above
// the other), draws from the picture set of the screen's density, and redraws when a switch
// changes the LCD, and a key starts a game that its timers carry on. Screenshots land in build-web/shots/ to be looked at.
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { ROOT, play, run } from './harness.js';

const SHOTS = join(ROOT, 'build-web', 'shots');

// Opens the page at a viewport; fails on any error in the page or request off the site.
async function open(h, width, height, deviceScaleFactor) {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
  page.on('request', (r) => {
    if (!r.url().startsWith(h.url) && !r.url().startsWith('data:')) problems.push(`off-site: ${r.url()}`);
  });
  page.on('requestfailed', (r) => problems.push(`failed: ${r.url()}`));
  // What the page sends its sound worklet, seen on the way.
  await page.evaluateOnNewDocument(() => {
    window.sentStates = [];
    const post = MessagePort.prototype.postMessage;
    MessagePort.prototype.postMessage = function (message, ...rest) {
      if (message?.type === 'state') window.sentStates.push(...message.channels);
      return post.call(this, message, ...rest);
    };
  });
  await page.setViewport({ width, height, deviceScaleFactor, isMobile: true, hasTouch: true });
  // ?trace: the page lends its view, whose drawn pixels are read here.
  await page.goto(`${h.url}?trace`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });
  await play(page);
  return { page, problems };
}

// The canvas: its CSS box, its backing store, and for each region given in layout pixels of
// the console as drawn: its mean brightness and its share of dark (LCD segment) pixels.
function measure(page, regions = {}) {
  return page.evaluate(async (regions) => {
    const box = document.getElementById('console').getBoundingClientRect();
    const { store, pixels } = await window.floemarkView.read(
      Object.values(regions).map(([x, y, w, h]) => ({ x, y, w, h })));
    const mean = {};
    for (const [n, name] of Object.keys(regions).entries()) {
      const d = pixels[n];
      let sum = 0;
      let dark = 0;
      for (let i = 0; i < d.length; i += 4) {
        const v = (d[i] + d[i + 1] + d[i + 2]) / 3;
        sum += v;
        if (v < 90) dark += 1;
      }
      mean[name] = sum / (d.length / 4);
      mean[`${name}Dark`] = dark / (d.length / 4);
    }
    return { css: [box.width, box.height], store,
      scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
      mean };
  }, regions);
}

run('page', async (h) => {
  mkdirSync(SHOTS, { recursive: true });

  // A phone in landscape, three device pixels a pixel.
  const landscape = await open(h, 844, 390, 3);
  const screens = { left: [70, 40, 260, 175], right: [440, 40, 260, 175], photo: [0, 280, 741, 100] };
  const before = await measure(landscape.page, screens);
  assert.ok(Math.abs(before.css[0] / before.css[1] - 741 / 388) < 0.01, `shape ${before.css}`);
  assert.ok(before.css[1] > 389 || before.css[0] > 843, `fits the viewport: ${before.css}`);
  assert.deepEqual(before.store, before.css.map((v) => Math.round(v * 3)));
  assert.deepEqual(before.scroll, [844, 390], 'nothing scrolls');
  assert.ok(before.mean.photo > 20, `the console's photo is drawn (${before.mean.photo})`);
  assert.ok(h.requests.some((r) => r.startsWith('/art/3/')), 'the pictures for 3 are drawn');
  assert.ok(!h.requests.some((r) => r.startsWith('/art/1/') && !r.endsWith('.svg')),
    'no pictures for 1 at a density of 3');
  await landscape.page.screenshot({ path: join(SHOTS, 'phone-landscape-off.png') });

  // POWER on: both screens light their scores; the page redraws without being asked.
  const drawn = await landscape.page.evaluate(() => document.documentElement.dataset.drawn);
  const scale = before.css[0] / 741;
  await landscape.page.mouse.click((104 + 14) * scale + (844 - before.css[0]) / 2,
    (320 + 14) * scale + (390 - before.css[1]) / 2);
  await landscape.page.waitForFunction((d) => document.documentElement.dataset.drawn !== d,
    { timeout: 5000 }, drawn);
  const after = await measure(landscape.page, screens);
  assert.ok(after.mean.leftDark > before.mean.leftDark + 0.001 &&
    after.mean.rightDark > before.mean.rightDark + 0.001,
    `segments show on both screens: ${JSON.stringify([before.mean, after.mean])}`);

  // SHIFT starts a game: after the jingle (3.4 s) the game's own timers bring the players,
  // the wall and the vulture onto both screens.
  await landscape.page.keyboard.down('Shift');
  await landscape.page.keyboard.up('Shift');
  await new Promise((resolve) => setTimeout(resolve, 4500));
  const playing = await measure(landscape.page, screens);
  assert.ok(playing.mean.leftDark > after.mean.leftDark + 0.005 &&
    playing.mean.rightDark > after.mean.rightDark + 0.005,
    `the game is on both screens: ${JSON.stringify([after.mean, playing.mean])}`);
  await landscape.page.screenshot({ path: join(SHOTS, 'phone-landscape.png') });
  // The start jingle went to the worklet: the music channel playing START.WAV from its start.
  const states = await landscape.page.evaluate(() => window.sentStates);
  assert.ok(states.some((c) => c.slot === 0 && c.file === 'START.WAV' && c.playing &&
    c.position === 0), `the jingle's state reached the worklet: ${JSON.stringify(states)}`);
  assert.deepEqual(landscape.problems, []);

  // The same phone upright: the penguin's half above the seal's.
  const portrait = await open(h, 390, 844, 3);
  const up = await measure(portrait.page, { top: [40, 20, 290, 230], bottom: [40, 408, 290, 230] });
  assert.ok(Math.abs(up.css[0] / up.css[1] - 364 / 776) < 0.01, `portrait shape ${up.css}`);
  assert.deepEqual(up.scroll, [390, 844], 'nothing scrolls');
  assert.ok(up.mean.top > 20 && up.mean.bottom > 20, 'both halves drawn');
  await portrait.page.screenshot({ path: join(SHOTS, 'phone-portrait.png') });
  assert.deepEqual(portrait.problems, []);

  // A desktop screen of one device pixel a pixel takes the pictures made for 1.
  const desktop = await open(h, 1280, 720, 1);
  const flat = await measure(desktop.page);
  assert.deepEqual(flat.store, flat.css);
  assert.ok(h.requests.some((r) => r.startsWith('/art/1/Im_Base')), 'the pictures for 1');
  assert.deepEqual(desktop.problems, []);
});
