// The page's LCD is the desktop's, pixel for pixel: at 1, 2 and 3 device pixels per console
// pixel, the two screens on the page's canvas equal floemark-shot's picture of the same look
// (the desktop's own renderer). Looks taken: every segment at once (drawn through the page's
// panel), the console switched on, and a game under way with its bombs, walls and vulture.
// The canvas is drawn by the page's drawing worker; at 2 also by the main thread, as in a
// browser that can't hand a canvas to a worker.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { ROOT, play, run } from './harness.js';

const SHOT = process.env.FLOEMARK_NATIVE_SHOT ??
  join(dirname(process.env.FLOEMARK_NATIVE_TRACE ?? join(ROOT, 'build', 'x')), 'floemark-shot');
const SCREENS = ['Im_ScreenLeft', 'Im_ScreenRight'];
const HIDDEN = 255;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A binary PPM (P6, 8 bits a channel), as floemark-shot writes for a .ppm name.
function readPpm(file) {
  const bytes = readFileSync(file);
  const header = bytes.toString('latin1', 0, 64).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  assert.ok(header, `${file} is no binary PPM`);
  return { width: +header[1], height: +header[2], rgb: bytes.subarray(header[0].length) };
}

// The desktop's picture of a look at a ratio: each shown component by name, NAME=PICTURE
// where it holds another's picture (a score place's digit).
function desktopShot(dir, layout, look, ratio) {
  const args = [];
  look.forEach((shown, i) => {
    if (shown === HIDDEN) return;
    args.push(shown === i ? layout[i].name : `${layout[i].name}=${layout[shown].name}`);
  });
  const file = join(dir, 'shot.ppm');
  // Qt wants a private runtime folder, even offscreen: the test's own.
  execFileSync(SHOT, [file, '--scale', String(ratio), ...args],
    { stdio: ['ignore', 'ignore', 'inherit'], env: { ...process.env, XDG_RUNTIME_DIR: dir } });
  return readPpm(file);
}

// The page's panel as drawn now: its look, and the canvas' pixels in the two screens. When
// allSegments, the panel is first drawn with every LCD segment and 15 and 15 on the scores,
// the look of `floemark-shot --all`.
function pageState(page, allSegments) {
  return page.evaluate(async (screens, allSegments) => {
    const view = window.floemarkView;
    const index = (name) => view.layout.findIndex((c) => c.name === name);
    if (allSegments) {
      const look = Array.from(view.look);
      view.layout.forEach((c, i) => {
        if (c.kind === 2 && !/^Im_Num\d$/.test(c.name)) look[i] = i;
      });
      for (const place of ['PS', 'PP', 'SS', 'SP']) {
        look[index(`Im_NumPos${place}1`)] = index('Im_Num1');
        look[index(`Im_NumPos${place}2`)] = index('Im_Num5');
      }
      await view.draw(look);
    }
    const { store, look, pixels } = await view.read(screens.map((name) => {
      const c = view.layout[index(name)];
      return { x: c.left, y: c.top, w: c.width, h: c.height };
    }));
    return { layout: view.layout, look, store, inWorker: view.inWorker,
      pixels: pixels.map((d) => {
        let text = '';
        for (let i = 0; i < d.length; i += 0x8000) text += String.fromCharCode(...d.subarray(i, i + 0x8000));
        return btoa(text);
      }) };
  }, SCREENS, allSegments);
}

// The pixels of the page's screens that differ from the desktop's picture, each named.
function differences(state, shot, ratio) {
  const found = [];
  SCREENS.forEach((name, s) => {
    const c = state.layout.find((l) => l.name === name);
    const page = Buffer.from(state.pixels[s], 'base64');
    const w = c.width * ratio;
    for (let i = 0; i < page.length / 4; i++) {
      const x = c.left * ratio + (i % w);
      const y = c.top * ratio + Math.floor(i / w);
      const at = (y * shot.width + x) * 3;
      const want = [shot.rgb[at], shot.rgb[at + 1], shot.rgb[at + 2]];
      const got = [page[4 * i], page[4 * i + 1], page[4 * i + 2]];
      if (want.some((v, j) => v !== got[j])) found.push({ x, y, page: got, desktop: want });
    }
  });
  return found;
}

run('lcd', async (h) => {
  const dir = mkdtempSync(join(tmpdir(), 'floemark-lcd-'));
  try {
    for (const [ratio, inWorker] of [[1, true], [2, true], [2, false], [3, true]]) {
      const page = await h.browser.newPage();
      const problems = [];
      page.on('pageerror', (e) => problems.push(e.message));
      if (!inWorker) {
        await page.evaluateOnNewDocument(() => {
          delete HTMLCanvasElement.prototype.transferControlToOffscreen;
        });
      }
      // The viewport the console fills at exactly one CSS pixel a console pixel.
      await page.setViewport({ width: 741, height: 388, deviceScaleFactor: ratio });
      await page.goto(`${h.url}?trace`, { waitUntil: 'load' });
      await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
        { timeout: 20000 });
      await play(page);

      const states = [await pageState(page, true)];
      assert.deepEqual(states[0].store, [741 * ratio, 388 * ratio], `the canvas at ${ratio}`);
      assert.equal(states[0].inWorker, inWorker, 'drawn where expected');
      // POWER on, then a one-player game: the jingle, then the game's own timers.
      let drawn = await page.evaluate(() => document.documentElement.dataset.drawn);
      await page.mouse.click(104 + 14, 320 + 14);
      await page.waitForFunction((d) => document.documentElement.dataset.drawn !== d,
        { timeout: 5000 }, drawn);
      states.push(await pageState(page, false));
      await page.keyboard.press('ShiftLeft');
      await sleep(3600);
      for (let i = 0; i < 8; i++) {
        await page.keyboard.press(i % 3 === 2 ? 'KeyC' : 'KeyZ');
        await sleep(450);
        states.push(await pageState(page, false));
      }
      assert.deepEqual(problems, []);
      await page.close();

      const shownNames = new Set(states.flatMap((s) =>
        s.look.flatMap((v, i) => v === HIDDEN ? [] : [s.layout[i].name])));
      for (const kind of [/^Im_Bomb/, /Wall/, /^Im_Vulture/]) {
        assert.ok([...shownNames].some((n) => kind.test(n)), `some state shows ${kind}`);
      }
      states.forEach((state, n) => {
        const shot = desktopShot(dir, state.layout, state.look, ratio);
        assert.deepEqual([shot.width, shot.height], [741 * ratio, 388 * ratio]);
        const found = differences(state, shot, ratio);
        assert.equal(found.length, 0, `ratio ${ratio}, state ${n}: ${found.length} pixels ` +
          `differ, the first ${JSON.stringify(found.slice(0, 5))}`);
      });
      console.log(`lcd: ratio ${ratio}, drawn ${inWorker ? 'by the worker' : 'on the main thread'}: ` +
        `${states.length} looks equal the desktop's`);
    }
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});
