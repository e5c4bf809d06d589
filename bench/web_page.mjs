// What the page costs, run by hand on the built site (node bench/web_page.mjs [SITE]), in Debian's
// Chromium headless through the browser tests' harness (web/tests, its npm packages installed):
// - the bytes of a first visit at 1 and 3 device pixels a pixel: what the page's own requests
//   and its drawing worker's carried (the DevTools protocol's encodedDataLength) and everything the server sent, the
//   service worker's keeping of the site included;
// - the time from the navigation's start to the splash shown, and to the console first drawn
//   beneath it, on a fresh profile;
// - the main thread's busy time (Performance.getMetrics' TaskDuration) over 30 s of a game
//   played by keys (and 15 s with a key the page ignores: the cost of the input's dispatch)
//   and 15 s at rest (the console switched on before a game, and off after), with every
//   timer, animation frame and message from the sound worklet the page received;
// - from a cue (the state sent to the worklet) to its first non-silent sample on the audio
//   thread, reported by the worklet (processorOptions.report), in the context's frames.
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { SITE, play, start } from '../web/tests/harness.js';

const site = process.argv[2] ?? SITE;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const kb = (n) => `${(n / 1024).toFixed(0)} KiB`;

// Counters the page carries from its first script on: callbacks fired, the sound's cues.
function instrument() {
  window.bench = { timers: 0, frames: 0, messages: 0, cues: [], heard: [], drawnAt: 0, splashAt: 0 };
  const b = window.bench;
  const wrapTimer = (name, counter) => {
    const original = window[name];
    window[name] = function (callback, ...rest) {
      if (typeof callback !== 'function') return original.call(this, callback, ...rest);
      return original.call(this, function (...args) {
        b[counter] += 1;
        return callback.apply(this, args);
      }, ...rest);
    };
  };
  wrapTimer('setTimeout', 'timers');
  wrapTimer('setInterval', 'timers');
  wrapTimer('requestAnimationFrame', 'frames');
  new MutationObserver(() => {
    if (!b.drawnAt && document.documentElement.dataset.drawn !== undefined) b.drawnAt = performance.now();
    const splash = document.getElementById('splash-backdrop');
    if (!b.splashAt && splash && !splash.hidden) b.splashAt = performance.now();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-drawn', 'hidden'] });
  const Context = window.AudioContext;
  window.AudioContext = class extends Context {
    constructor(...args) {
      super(...args);
      b.context = this;
    }
  };
  const Node = window.AudioWorkletNode;
  window.AudioWorkletNode = class extends Node {
    constructor(ctx, name, options) {
      super(ctx, name, { ...options, processorOptions: { ...options.processorOptions, report: true } });
      this.port.addEventListener('message', ({ data }) => {
        b.messages += 1;
        if (data.type === 'heard') b.heard.push({ ...data, at: performance.now() });
      });
    }
  };
  const post = MessagePort.prototype.postMessage;
  MessagePort.prototype.postMessage = function (message, ...rest) {
    if (message?.type === 'state' && message.channels.some((c) => c.playing) && b.context) {
      const stamp = b.context.getOutputTimestamp();
      b.cues.push({ seq: message.seq, at: performance.now(), contextTime: b.context.currentTime,
        stamp: { contextTime: stamp.contextTime, performanceTime: stamp.performanceTime },
        files: message.channels.filter((c) => c.playing).map((c) => c.file) });
    }
    return post.call(this, message, ...rest);
  };
}

async function freshPage(h, width, height, ratio) {
  const context = await h.browser.createBrowserContext();
  const page = await context.newPage();
  await page.evaluateOnNewDocument(instrument);
  await page.setViewport({ width, height, deviceScaleFactor: ratio });
  return { context, page };
}

const drawn = (page) => page.waitForFunction(() => window.bench.drawnAt > 0 && window.bench.splashAt > 0,
  { timeout: 20000 });

async function firstVisit(h, width, height, ratio) {
  const { context, page } = await freshPage(h, width, height, ratio);
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  let encoded = 0;
  let responses = 0;
  const count = (e) => { encoded += e.encodedDataLength; responses += 1; };
  cdp.on('Network.loadingFinished', count);
  // The drawing worker's own loads (the pictures): the harness's browser has the network
  // watched in each worker it attaches to.
  page.on('workercreated', (w) => w.client.on('Network.loadingFinished', count));
  const from = h.requests.length;
  await page.goto(h.url, { waitUntil: 'load' });
  await drawn(page);
  // The visit is over once the service worker has kept the site for offline play.
  const kept = await page.waitForFunction(() => document.documentElement.dataset.offline,
    { timeout: 15000 }).then(() => true, () => false);
  await sleep(500);
  const served = h.requests.slice(from);
  const bytes = served.reduce((sum, path) => sum +
    (statSync(join(site, path.endsWith('/') ? `${path}index.html` : path), { throwIfNoEntry: false })?.size ?? 0), 0);
  await context.close();
  return { encoded, responses, served: served.length, bytes, kept };
}

async function loadToDrawn(h) {
  const { context, page } = await freshPage(h, 1280, 720, 1);
  await page.goto(h.url, { waitUntil: 'load' });
  await drawn(page);
  const at = await page.evaluate(() => [window.bench.splashAt, window.bench.drawnAt]);
  await context.close();
  return at;
}

async function busy(page, cdp, seconds, act) {
  const metric = async () => Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics
    .map((m) => [m.name, m.value]));
  const counts = () => page.evaluate(() => ({ ...window.bench, context: undefined, cues: undefined,
    heard: undefined }));
  const [m0, c0] = [await metric(), await counts()];
  const t0 = Date.now();
  while (Date.now() - t0 < seconds * 1000) await act();
  const [m1, c1] = [await metric(), await counts()];
  const wall = (Date.now() - t0) / 1000;
  const d = (name) => m1[name] - m0[name];
  return { wall, task: d('TaskDuration'), script: d('ScriptDuration'),
    layout: d('LayoutDuration') + d('RecalcStyleDuration'),
    timers: c1.timers - c0.timers, frames: c1.frames - c0.frames, messages: c1.messages - c0.messages };
}

function line(name, r) {
  return `${name}: busy ${(r.task * 1000).toFixed(0)} ms of ${r.wall.toFixed(1)} s = ` +
    `${(100 * r.task / r.wall).toFixed(2)}% (script ${(r.script * 1000).toFixed(0)} ms, ` +
    `style and layout ${(r.layout * 1000).toFixed(0)} ms); callbacks: ${r.timers} timers, ` +
    `${r.frames} animation frames, ${r.messages} worklet messages`;
}

const h = await start(site);
try {
  for (const [ratio, w, hgt] of [[1, 1280, 720], [3, 844, 390]]) {
    const v = await firstVisit(h, w, hgt, ratio);
    console.log(`first visit at ${ratio} (${w}x${hgt}): the page's ${v.responses} responses ` +
      `${kb(v.encoded)}; the server sent ${v.served} files, ${kb(v.bytes)} of bodies, the ` +
      `worker's included${v.kept ? '' : ' (the worker did not report the site kept)'}`);
  }

  const loads = [];
  for (let i = 0; i < 5; i++) loads.push(await loadToDrawn(h));
  for (const [what, i] of [['the splash shown', 0], ['the console drawn beneath it', 1]]) {
    const times = loads.map((t) => t[i]);
    console.log(`navigation start to ${what}: median ${median(times).toFixed(0)} ms ` +
      `(${times.map((t) => t.toFixed(0)).join(', ')})`);
  }

  const { context, page } = await freshPage(h, 1280, 720, 1);
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
  await page.goto(h.url, { waitUntil: 'load' });
  await drawn(page);
  await play(page);
  const box = await page.evaluate(() => {
    const r = document.getElementById('console').getBoundingClientRect();
    return { x: r.left, y: r.top, k: r.width / 741 };
  });
  const power = () => page.mouse.click(box.x + 118 * box.k, box.y + 334 * box.k);
  await power();
  await sleep(1000);
  console.log(line('switched on, no game, 15 s', await busy(page, cdp, 15, () => sleep(250))));
  await page.keyboard.press('ShiftLeft');
  const keys = ['KeyZ', 'KeyC', 'ShiftLeft', 'KeyC', 'KeyZ'];
  let n = 0;
  console.log(line('a game, a key every 0.5 s, 30 s', await busy(page, cdp, 30, async () => {
    await page.keyboard.press(keys[n++ % keys.length]);
    await sleep(500);
  })));
  // What the key presses cost the browser's input dispatch, not the page: a key the page
  // ignores, while the game plays on by itself.
  console.log(line('the game by itself, a key it ignores every 0.5 s, 15 s',
    await busy(page, cdp, 15, async () => {
      await page.keyboard.press('KeyQ');
      await sleep(500);
    })));
  await power();
  await sleep(1000);
  console.log(line('switched off after the game, 15 s', await busy(page, cdp, 15, () => sleep(250))));

  const sound = await page.evaluate(() => ({ state: window.bench.context?.state,
    rate: window.bench.context?.sampleRate, base: window.bench.context?.baseLatency,
    output: window.bench.context?.outputLatency, cues: window.bench.cues, heard: window.bench.heard }));
  const rendered = [];
  const output = [];
  const answered = [];
  for (const cue of sound.cues) {
    const heard = sound.heard.find((x) => x.seq === cue.seq);
    if (!heard) continue;
    const seconds = heard.frame / sound.rate;
    rendered.push((seconds - cue.contextTime) * 1000);
    output.push(cue.stamp.performanceTime + (seconds - cue.stamp.contextTime) * 1000 - cue.at);
    answered.push(heard.at - cue.at);
  }
  const spread = (v) => v.length ? `median ${median(v).toFixed(1)} ms, max ${Math.max(...v).toFixed(1)} ms`
    : 'none';
  console.log(`sound: context ${sound.state} at ${sound.rate} Hz, base latency ` +
    `${(sound.base * 1000).toFixed(1)} ms, output latency ${(sound.output * 1000).toFixed(1)} ms; ` +
    `${sound.cues.length} cues, ${rendered.length} heard`);
  console.log(`cue to its first non-silent sample rendered, past the context's time at the cue: ${spread(rendered)}`);
  console.log(`cue to that sample at the output (the context's output timestamp): ${spread(output)}`);
  console.log(`cue to the worklet's report back on the main thread: ${spread(answered)}`);
  await context.close();
} finally {
  await h.stop();
}
