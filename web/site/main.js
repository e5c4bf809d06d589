// The page: the console's core (core.wasm) on the main thread, moved to the present at every
// input and timer; the panel drawn when a segment changes; the sound started at the first
// touch or key (browsers let a page sound only after one).
import createCore from './core.js';
import { PanelView, parseLayout } from './panel.js';
import { RATE, SOUNDS, connectSound } from './sound.js';

// The handheld's virtual key codes, by the keys of a keyboard.
const KEYS = { ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17, KeyZ: 90,
  KeyC: 67, ArrowLeft: 37, ArrowRight: 39 };
// The console's keys on its photo, for touch and mouse, and its three switches.
const KEY_PICTURES = { Puls_PenguinAttack: 16, Puls_PenguinLeft: 90, Puls_PenguinRight: 67,
  Puls_SealAttack: 17, Puls_SealLeft: 37, Puls_SealRight: 39 };
const SWITCHES = { Puls_Power: 0, Puls_Select: 1, Puls_Sound: 2 };
const CHANNEL_BYTES = 32;  // the core's ChannelState

const status = document.getElementById('status');
const canvas = document.getElementById('console');

async function fetchBytes(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return new Uint8Array(await response.arrayBuffer());
}

async function start() {
  const core = await createCore();
  core.FS.mkdir('/SOUND');
  await Promise.all(SOUNDS.map(async (name) =>
    core.FS.writeFile(`/SOUND/${name}`, await fetchBytes(`sound/${name}`))));

  const layout = parseLayout(core.UTF8ToString(core._fm_layout()));
  const view = new PanelView(canvas, layout);
  // The core's t = 0 is now; the time of day at it is UTC's, as on the desktop.
  const t0 = performance.now();
  const now = () => Math.floor(performance.now() - t0);
  core._fm_create(Date.now() % 86400000);

  // The channels' latest states, so the sound starts from where the core stands.
  const channels = [];
  let sound = null;
  let drawn = -1;
  let drawing = false;
  let timer = 0;

  function takeChannels() {
    const changed = [];
    const base = core._fm_channels();
    for (let i = 0; i < core._fm_channel_count(); i++) {
      const at = base + i * CHANNEL_BYTES;
      const state = { slot: core.HEAP32[at >> 2], playing: core.HEAP32[(at >> 2) + 1] !== 0,
        position: core.HEAPF64[(at >> 3) + 1], file: core.UTF8ToString(at + 16) };
      channels[state.slot] = state;
      changed.push(state);
    }
    if (changed.length && sound) sound.then((s) => s.send(changed));
  }

  function afterHandlers() {
    takeChannels();
    const error = core.UTF8ToString(core._fm_take_error());
    if (error) status.textContent = error;
    if (core._fm_look_version() !== drawn && !drawing) {
      drawing = true;
      requestAnimationFrame(() => {
        drawing = false;
        drawn = core._fm_look_version();
        const look = core.HEAPU8.slice(core._fm_look(), core._fm_look() + layout.length);
        view.draw(look).then(() => { document.documentElement.dataset.drawn = String(drawn); });
      });
    }
    clearTimeout(timer);
    const due = core._fm_next_due();
    if (due >= 0) {
      timer = setTimeout(() => {
        core._fm_advance(now());
        afterHandlers();
      }, Math.max(0, due - now()));
    }
  }

  function startSound() {
    if (sound) return;
    const ctx = new AudioContext({ sampleRate: RATE, latencyHint: 'interactive' });
    const decoded = new Map();
    for (const name of SOUNDS) {
      const frames = core.ccall('fm_decode', 'number', ['string'], [`SOUND/${name}`]);
      if (frames >= 0) {
        const at = core._fm_decoded() >> 1;
        decoded.set(name, core.HEAP16.slice(at, at + frames));
      }
    }
    sound = connectSound(ctx, decoded).then((s) => {
      s.send(channels.filter(Boolean));
      return s;
    });
    ctx.resume();
  }

  window.addEventListener('keydown', (e) => {
    const code = KEYS[e.code];
    if (code === undefined) return;
    e.preventDefault();
    startSound();
    core._fm_key(now(), 1, code);
    afterHandlers();
  });
  window.addEventListener('keyup', (e) => {
    const code = KEYS[e.code];
    if (code === undefined) return;
    e.preventDefault();
    core._fm_key(now(), 0, code);
    afterHandlers();
  });

  // A touch or click on a key presses it until released; on a switch, flips it.
  const held = new Map();  // pointer id -> key code
  function hit(e) {
    const r = canvas.getBoundingClientRect();
    const p = view.consolePoint(e.clientX - r.left, e.clientY - r.top);
    return layout.find((c) => (c.name in KEY_PICTURES || c.name in SWITCHES) &&
      p.x >= c.left && p.y >= c.top && p.x < c.left + c.width && p.y < c.top + c.height);
  }
  canvas.addEventListener('pointerdown', (e) => {
    startSound();
    const c = hit(e);
    if (!c) return;
    e.preventDefault();
    if (c.name in SWITCHES) {
      core._fm_click(now(), SWITCHES[c.name]);
    } else {
      held.set(e.pointerId, KEY_PICTURES[c.name]);
      canvas.setPointerCapture(e.pointerId);
      core._fm_key(now(), 1, KEY_PICTURES[c.name]);
    }
    afterHandlers();
  });
  const release = (e) => {
    const code = held.get(e.pointerId);
    if (code === undefined) return;
    held.delete(e.pointerId);
    core._fm_key(now(), 0, code);
    afterHandlers();
  };
  canvas.addEventListener('pointerup', release);
  canvas.addEventListener('pointercancel', release);

  // A new size, orientation or density redraws.
  const redraw = () => view.draw();
  window.addEventListener('resize', redraw);
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', redraw);
  afterHandlers();
}

start().catch((error) => {
  status.textContent = `The console could not start: ${error.message}`;
  throw error;
});
