// Sound and the browser's autoplay policy: the context is made in PLAY's own handler (a
// gesture), and the channels' states go to the worklet as the core reports them, not before.
// Where audio can't start (no AudioContext; a worklet that fails to load) the game plays on
// silently and the page says so once, quietly.
import assert from 'node:assert/strict';
import { clickPower, play, run } from './harness.js';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Watches the page: where each AudioContext was made, what went to the worklet and when, the
// keys' times, and every text the notice line took.
function watch() {
  window.made = [];
  window.sent = [];
  window.keys = [];
  window.notices = [];
  const Real = window.AudioContext;
  if (Real) {
    window.AudioContext = class extends Real {
      constructor(...args) {
        super(...args);
        window.made.push(window.event?.type === 'click' ? window.event.target.id : 'elsewhere');
      }
    };
  }
  const post = MessagePort.prototype.postMessage;
  MessagePort.prototype.postMessage = function (message, ...rest) {
    if (message?.type === 'state') {
      for (const c of message.channels) window.sent.push({ ...c, at: performance.now() });
    }
    return post.call(this, message, ...rest);
  };
  addEventListener('keydown', (e) => window.keys.push([e.code, performance.now()]), true);
  addEventListener('DOMContentLoaded', () => {
    const notice = document.getElementById('notice');
    new MutationObserver(() => notice.textContent && window.notices.push(notice.textContent))
      .observe(notice, { childList: true, characterData: true, subtree: true });
  });
}

// Opens the page with what is to be taken from it, PLAY, POWER and a game started with SHIFT;
// gives what was seen once the game has played a while.
async function game(h, breakIt) {
  const page = await h.browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  await page.evaluateOnNewDocument(watch);
  if (breakIt) await page.evaluateOnNewDocument(breakIt);
  await page.setViewport({ width: 1280, height: 720, deviceScaleFactor: 1 });
  await page.goto(h.url, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.drawn !== undefined,
    { timeout: 20000 });
  await play(page);
  // With sound, the worklet is up (it has had the loaded channels) before the game starts, so
  // that what follows times the core's reports, not the worklet's loading.
  if (!breakIt) await page.waitForFunction(() => window.sent.length > 0, { timeout: 10000 });
  await clickPower(page);
  await sleep(300);
  await page.keyboard.press('ShiftLeft');
  await sleep(4500);
  // More gestures, each of which would try the sound again.
  for (const key of ['KeyZ', 'KeyC', 'KeyZ']) {
    await page.keyboard.press(key);
    await sleep(200);
  }
  const drawn = Number(await page.evaluate(() => document.documentElement.dataset.drawn));
  await sleep(1500);
  const seen = await page.evaluate(() => ({ made: window.made, sent: window.sent,
    keys: window.keys, notices: window.notices,
    drawn: Number(document.documentElement.dataset.drawn),
    silent: document.documentElement.dataset.silent }));
  await page.close();
  return { ...seen, before: drawn, problems };
}

run('autoplay', async (h) => {
  // Sound: made in PLAY's handler; the jingle sent when SHIFT started the game, not ahead.
  const heard = await game(h);
  assert.deepEqual(heard.made, ['Puls_Play'], 'one context, made in the PLAY click');
  assert.deepEqual(heard.notices, []);
  const shift = heard.keys.find(([code]) => code === 'ShiftLeft')[1];
  const jingle = heard.sent.find((c) => c.file === 'START.WAV' && c.playing);
  assert.ok(jingle && jingle.at >= shift && jingle.at < shift + 1000,
    `the jingle sent as the key started it (${jingle?.at - shift} ms after)`);
  assert.ok(heard.sent.every((c) => c.at >= shift || !c.playing), 'nothing played before');
  assert.deepEqual(heard.problems, []);

  // Silent: no Web Audio at all, and a worklet that will not load.
  const broken = {
    'no AudioContext': () => { delete window.AudioContext; delete window.webkitAudioContext; },
    'a failing worklet': () => {
      AudioWorklet.prototype.addModule = () => Promise.reject(new Error('no worklet here'));
    },
  };
  for (const [name, breakIt] of Object.entries(broken)) {
    const quiet = await game(h, breakIt);
    assert.deepEqual(quiet.notices, ['No sound in this browser: the game plays silently.'],
      `${name}: said once`);
    assert.equal(quiet.silent, '1');
    assert.ok(quiet.drawn >= quiet.before + 2, `${name}: the game plays on (${quiet.before} -> ${quiet.drawn})`);
    assert.deepEqual(quiet.problems, [], name);
  }
});
