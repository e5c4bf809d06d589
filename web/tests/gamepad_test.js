// Game pads in the page through a scripted navigator.getGamepads: the first pad connected plays
// the penguin and the second the seal; A, Start, the d-pad and the stick give the side's keys,
// one press for controls held together; the stick presses at half its travel and lets go only
// below a third; a pad that goes lets go of its keys and frees its side for a new one; nothing
// reads the pads while none is connected. What reached the console is read from the page's
// recording.
import assert from 'node:assert/strict';
import { play, run } from './harness.js';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

run('gamepad', async (h) => {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  await page.evaluateOnNewDocument(() => {
    window.pads = [null, null, null, null];
    window.reads = 0;
    Object.defineProperty(Navigator.prototype, 'getGamepads', {
      value() { window.reads += 1; return window.pads; } });
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.saved = blob; return make(blob); };
    HTMLAnchorElement.prototype.click = function () {};
    // A pad: its buttons in the standard mapping, its left stick's travel.
    window.plug = (index) => {
      const pad = { index, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
        buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
      window.pads[index] = pad;
      const e = new Event('gamepadconnected');
      e.gamepad = pad;
      window.dispatchEvent(e);
    };
    window.unplug = (index) => {
      const e = new Event('gamepaddisconnected');
      e.gamepad = window.pads[index];
      window.pads[index] = null;
      window.dispatchEvent(e);
    };
    window.press = (index, button, down) => { window.pads[index].buttons[button].pressed = down; };
    window.stick = (index, x) => { window.pads[index].axes[0] = x; };
  });
  await page.goto(h.url, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });
  await play(page);
  await sleep(100);
  assert.equal(await page.evaluate(() => window.reads), 0, 'no pad, no reading');

  // Each step is a change of the pads, then what the console must have been given for it.
  const steps = [
    ['plug(0); plug(1)', []],
    ['press(0, 0, true)', ['down SHIFT']],
    ['press(0, 9, true)', []],  // Start with A still held: the same key, already down
    ['press(0, 0, false)', []],
    ['press(0, 9, false)', ['up SHIFT']],
    ['press(1, 1, true)', ['down CTRL']],
    ['press(1, 1, false); press(1, 14, true)', ['up CTRL', 'down LEFT']],
    ['stick(1, -0.45)', []],  // the d-pad holds LEFT; the stick, short of half, adds nothing
    ['press(1, 14, false)', ['up LEFT']],
    ['stick(0, 0.5)', ['down C']],
    ['stick(0, 0.34)', []],  // above a third: still held
    ['stick(0, 0.33)', ['up C']],
    ['stick(0, -0.7)', ['down Z']],
    ['stick(0, 0.9)', ['up Z', 'down C']],  // flung across: one side let go, then the other
    ['unplug(0)', ['up C']],  // gone: its key is let go
    ['press(1, 15, true)', ['down RIGHT']],  // the second pad keeps the seal
    ['plug(2); press(2, 0, true)', ['down SHIFT']],  // a new pad takes the free penguin
  ];
  const seen = [];
  for (const [change, expected] of steps) {
    await page.evaluate(change);
    await sleep(60);
    const got = await page.evaluate(async () => {
      document.getElementById('save').click();
      return window.saved.text();
    });
    const inputs = got.split('\n').filter((l) => / (down|up) /.test(l)).map((l) => l.replace(/^\d+ /, ''));
    seen.push(...expected);
    assert.deepEqual(inputs, seen, `after ${change}`);
  }

  await page.evaluate('unplug(1); unplug(2)');
  const reads = await page.evaluate(() => window.reads);
  assert.ok(reads > 10, `pads were read while connected (${reads})`);
  await sleep(200);
  assert.equal(await page.evaluate(() => window.reads), reads, 'no pad, no reading');
  assert.deepEqual(problems, []);
});
