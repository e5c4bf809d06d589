// Two players on one tablet: POWER, SELECT (two players) and START tapped on the console's own
// switches and buttons, then the penguin's right and the seal's left held by two fingers at once
// (two touch points, as a touch screen reports them). While both are held, both figures have
// stepped from where a round puts them: the penguin to its right, the seal to its left.
// Where the figures stand is read off the page's canvas as drawn, in each figure picture's
// rectangle (with ?trace, the page lends its view, which reads it from whichever side draws).
import assert from 'node:assert/strict';
import { play, run } from './harness.js';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const FIGURES = ['Im_Pengo4', 'Im_Pengo5', 'Im_Seal4', 'Im_Seal3'];
const PARTS = ['Puls_Power', 'Puls_Select', 'Puls_PenguinAttack', 'Puls_PenguinRight',
  'Puls_SealLeft', ...FIGURES];

run('touch', async (h) => {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  // A tablet in landscape, two device pixels a pixel.
  await page.setViewport({ width: 1180, height: 820, deviceScaleFactor: 2, isMobile: true,
    hasTouch: true });
  await page.goto(`${h.url}?trace`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });
  await play(page);

  // The rectangles of the parts touched and of the figures, from the core's own layout table,
  // in the page's CSS pixels.
  const rects = await page.evaluate(async (names) => {
    const { default: createCore } = await import('./core.js');
    const core = await createCore();
    const box = document.getElementById('console').getBoundingClientRect();
    const k = box.width / 741;
    const found = {};
    for (const line of core.UTF8ToString(core._fm_layout()).trim().split('\n')) {
      const [name, left, top, width, height] = line.split(' ');
      if (names.includes(name)) {
        found[name] = { x: box.left + left * k, y: box.top + top * k, w: width * k, h: height * k };
      }
    }
    return found;
  }, PARTS);
  const centre = (name) => ({ x: rects[name].x + rects[name].w / 2,
    y: rects[name].y + rects[name].h / 2 });
  // The share of dark (shown segment) pixels in each figure's rectangle.
  const figures = () => page.evaluate(async (names) => {
    const view = window.floemarkView;
    const { pixels } = await view.read(names.map((name) => {
      const c = view.layout.find((l) => l.name === name);
      return { x: c.left, y: c.top, w: c.width, h: c.height };
    }));
    return Object.fromEntries(names.map((name, n) => {
      const d = pixels[n];
      let dark = 0;
      for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] < 270) dark += 1;
      return [name, dark / (d.length / 4)];
    }));
  }, FIGURES);

  const cdp = await page.createCDPSession();
  const touch = (type, names) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: names.map((name, id) => ({ ...centre(name), id, radiusX: 4, radiusY: 4 })),
  });
  const tap = async (name) => {
    await touch('touchStart', [name]);
    await sleep(80);
    await touch('touchEnd', []);
    await sleep(150);
  };
  await tap('Puls_Power');
  await tap('Puls_Select');
  await tap('Puls_PenguinAttack');
  await sleep(3900);  // the start jingle, then the players have their keys
  const before = await figures();
  assert.ok(before.Im_Pengo4 > before.Im_Pengo5 + 0.05 && before.Im_Seal4 > before.Im_Seal3 + 0.05,
    `both players stand at 4: ${JSON.stringify(before)}`);

  // Two fingers: the penguin's right, then the seal's left while the first is still down.
  await touch('touchStart', ['Puls_PenguinRight']);
  await sleep(100);
  await touch('touchStart', ['Puls_PenguinRight', 'Puls_SealLeft']);
  await sleep(400);
  const held = await figures();
  await touch('touchEnd', []);
  assert.ok(held.Im_Pengo5 > held.Im_Pengo4 + 0.05, `the penguin stepped: ${JSON.stringify(held)}`);
  assert.ok(held.Im_Seal3 > held.Im_Seal4 + 0.05, `the seal stepped: ${JSON.stringify(held)}`);
  assert.deepEqual(problems, []);
  console.log(`touch: the figures' dark shares before ${JSON.stringify(before)}, held ${JSON.stringify(held)}`);
});
