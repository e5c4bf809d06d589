// The page's geometry on a phone: upright, the console's two halves one above the other, the
// penguin's on top, both inside the viewport, their shape kept and nothing to scroll; turned
// to landscape (the same page, resized), the whole console fitted. Which half lies where is
// read off the canvas: upright, each half must look like that half of the landscape console,
// and unlike the other.
import assert from 'node:assert/strict';
import { run } from './harness.js';

const WIDTH = 741;
const HEIGHT = 388;
const HALF = 364;  // each half's width; upright, the hinge between them is left out

// The page's canvas box and scroll sizes, and each named part of the canvas as drawn (a
// rectangle in fractions of it, read through the page's view) shrunk to a small grid of grey
// levels, to be compared with other parts.
function geometry(page, size, parts) {
  return page.evaluate(async ([cw, ch], parts) => {
    const c = document.getElementById('console');
    const rects = Object.values(parts).map(([x, y, w, h]) => ({ x: x * cw, y: y * ch, w: w * cw,
      h: h * ch }));
    const { store, pixels } = await window.floemarkView.read(rects);
    const grids = {};
    for (const [n, name] of Object.keys(parts).entries()) {
      const w = Math.round(rects[n].w * store[0] / cw);
      const part = await createImageBitmap(new ImageData(pixels[n], w, pixels[n].length / 4 / w));
      const g = new OffscreenCanvas(24, 24).getContext('2d', { willReadFrequently: true });
      g.drawImage(part, 0, 0, 24, 24);
      const d = g.getImageData(0, 0, 24, 24).data;
      grids[name] = Array.from({ length: 576 },
        (_, i) => (d[4 * i] + d[4 * i + 1] + d[4 * i + 2]) / 3);
    }
    const r = c.getBoundingClientRect();
    return { box: [r.left, r.top, r.right, r.bottom], view: [innerWidth, innerHeight],
      scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight,
        document.body.scrollWidth, document.body.scrollHeight], grids };
  }, size, parts);
}

// How far apart two grids look: their mean difference in grey levels.
const apart = (a, b) => a.reduce((sum, v, i) => sum + Math.abs(v - b[i]), 0) / a.length;

function fitted(g, shape, what) {
  const [left, top, right, bottom] = g.box;
  const [w, h] = g.view;
  assert.ok(left >= 0 && top >= 0 && right <= w && bottom <= h, `${what}: inside ${g.view}: ${g.box}`);
  assert.ok(Math.abs((right - left) / (bottom - top) - shape) < 0.01, `${what}: shape ${g.box}`);
  assert.ok(right - left > w - 2 || bottom - top > h - 2, `${what}: as large as fits ${g.box}`);
  assert.deepEqual(g.scroll, [w, h, w, h], `${what}: nothing to scroll`);
}

run('layout', async (h) => {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
    hasTouch: true });
  // ?trace: the page lends its view, whose drawn pixels are read here.
  await page.goto(`${h.url}?trace`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });

  const up = await geometry(page, [HALF, 2 * HEIGHT], { top: [0, 0, 1, 0.5], bottom: [0, 0.5, 1, 0.5] });
  fitted(up, HALF / (2 * HEIGHT), 'portrait');

  // Turned: the same page, now landscape, redraws the whole console fitted.
  await page.setViewport({ width: 844, height: 390, deviceScaleFactor: 3, isMobile: true,
    hasTouch: true });
  await page.waitForFunction(() => {
    const r = document.getElementById('console').getBoundingClientRect();
    return r.width > r.height;
  }, { timeout: 5000 });
  const wide = await geometry(page, [WIDTH, HEIGHT], { penguin: [0, 0, HALF / WIDTH, 1],
    seal: [1 - HALF / WIDTH, 0, HALF / WIDTH, 1] });
  fitted(wide, WIDTH / HEIGHT, 'landscape');

  // Upright, the top is the landscape console's left (penguin's) half, the bottom its right.
  const d = { topPenguin: apart(up.grids.top, wide.grids.penguin),
    topSeal: apart(up.grids.top, wide.grids.seal),
    bottomSeal: apart(up.grids.bottom, wide.grids.seal),
    bottomPenguin: apart(up.grids.bottom, wide.grids.penguin) };
  assert.ok(d.topPenguin < 6 && d.bottomSeal < 6, `the halves as in landscape: ${JSON.stringify(d)}`);
  assert.ok(d.topSeal > 10 && d.bottomPenguin > 10, `and not swapped: ${JSON.stringify(d)}`);
  assert.deepEqual(problems, []);
  console.log(`layout: grey-level differences ${JSON.stringify(d)}`);
});
