// The page: the console's core (core.wasm) on the main thread, moved to the present at every
// input and timer; the panel drawn when a segment changes, by the drawing worker (view.js);
// the sound started at the first touch or key (browsers let a page sound only after one).
import createCore from './core.js';
import { watchGamepads } from './gamepads.js';
import { parseLayout } from './panel.js';
import { ConsoleView } from './view.js';
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
const notice = document.getElementById('notice');
const canvas = document.getElementById('console');

async function fetchBytes(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return new Uint8Array(await response.arrayBuffer());
}

async function start() {
  // The sounds, which the console needs before it starts (and the splash waits for), are asked
  // for first: behind the pictures' hundred requests they came a second late.
  const sounds = Promise.all(SOUNDS.map((name) => fetchBytes(`sound/${name}`)));
  // The drawing worker starts beside the core: started after it, its two scripts put the
  // first drawing 0.4 s later.
  const view = new ConsoleView(canvas);
  const core = await createCore();
  const layout = parseLayout(core.UTF8ToString(core._fm_layout()));
  // The pictures, the most of the time to the first drawing, start loading here (in the
  // drawing worker, or on this thread), beside the sounds rather than after them.
  view.begin(layout);
  core.FS.mkdir('/SOUND');
  (await sounds).forEach((bytes, i) => core.FS.writeFile(`/SOUND/${SOUNDS[i]}`, bytes));
  // The core's t = 0 is now; the time of day at it is UTC's, as on the desktop. A loaded
  // recording starts a new t = 0. ?trace has the core keep floemark-trace's trace (the tests).
  let t0 = performance.now();
  const now = () => Math.floor(performance.now() - t0);
  const traced = new URLSearchParams(location.search).has('trace');
  core._fm_create(Date.now() % 86400000, traced);
  // The trace up to the last recording saved, for the tests to hold to the native tool's.
  if (traced) window.floemarkTrace = () => core.UTF8ToString(core._fm_trace());
  // The panel as drawn, for the tests to hold to the desktop's renderer.
  if (traced) window.floemarkView = view;

  // The channels' latest states, so the sound starts from where the core stands.
  const channels = [];
  let sound = null;
  let asked = -1;  // the look version last sent to be drawn
  let framed = false;  // a drawing waits for the next frame (drawn on this thread)
  let kept = false;  // the service worker was told what to keep
  let replaying = '';  // what the status says while a loaded recording plays
  let timer = 0;
  let played = false;  // PLAY pressed: until then the splash has the page, as on the desktop

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
    if (changed.length && sound) sound.then((s) => s?.send(changed));
  }

  function drawLook() {
    const version = core._fm_look_version();
    asked = version;
    view.draw(core.HEAPU8.slice(core._fm_look(), core._fm_look() + layout.length)).then(() => {
      document.documentElement.dataset.drawn = String(version);
      if (kept) return;
      kept = true;
      keepOffline(view.loaded).catch((e) => console.warn(`no offline play: ${e.message}`));
    });
  }

  function afterHandlers() {
    takeChannels();
    const error = core.UTF8ToString(core._fm_take_error());
    if (error) status.textContent = error;
    if (replaying && !core._fm_playing_back()) {
      if (status.textContent === replaying) status.textContent = '';
      replaying = '';
    }
    // The worker is sent each new look at once (its own frame shows it); drawn here, a look
    // waits for the next frame, and the latest is drawn then.
    if (core._fm_look_version() !== asked) {
      if (view.inWorker) {
        drawLook();
      } else if (!framed) {
        framed = true;
        requestAnimationFrame(() => {
          framed = false;
          drawLook();
        });
      }
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

  // Sound starts in a gesture's handler (PLAY, a key, a touch), the first one that comes: the
  // browser lets a context sound only then. Where it can't start, the game plays on silently
  // and says so once; the channels are then let go (sends go nowhere).
  let context = null;
  function silent(error) {
    console.warn(`no sound: ${error?.message ?? error}`);
    sound = Promise.resolve(null);
    if (document.documentElement.dataset.silent) return;
    document.documentElement.dataset.silent = '1';
    notice.textContent = 'No sound in this browser: the game plays silently.';
    setTimeout(() => { notice.textContent = ''; }, 10000);
  }
  function startSound() {
    if (context?.state === 'suspended') context.resume().catch(silent);
    if (sound) return;
    let ctx;
    try {
      ctx = new AudioContext({ sampleRate: RATE, latencyHint: 'interactive' });
    } catch (error) {
      silent(error);
      return;
    }
    context = ctx;
    const decoded = new Map();
    for (const name of SOUNDS) {
      const frames = core.ccall('fm_decode', 'number', ['string'], [`SOUND/${name}`]);
      if (frames >= 0) {
        const at = core._fm_decoded() >> 1;
        decoded.set(name, core.HEAP16.slice(at, at + frames));
      }
    }
    const resumed = ctx.resume();
    sound = Promise.all([connectSound(ctx, decoded), resumed]).then(([s]) => {
      s.send(channels.filter(Boolean));
      return s;
    }).catch((error) => {
      silent(error);
      ctx.close().catch(() => {});
      return null;
    });
  }

  window.addEventListener('keydown', (e) => {
    const code = KEYS[e.code];
    if (code === undefined || !played) return;
    e.preventDefault();
    startSound();
    core._fm_key(now(), 1, code);
    afterHandlers();
  });
  window.addEventListener('keyup', (e) => {
    const code = KEYS[e.code];
    if (code === undefined || !played) return;
    e.preventDefault();
    core._fm_key(now(), 0, code);
    afterHandlers();
  });

  watchGamepads((down, code) => {
    if (!played) return;
    startSound();
    core._fm_key(now(), down ? 1 : 0, code);
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
    if (!played || e.button !== 0) return;
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

  // The game so far as a recording, in the desktop's script format.
  document.getElementById('save').addEventListener('click', () => {
    document.getElementById('menu').hidden = true;
    const text = core.UTF8ToString(core._fm_recording(now()));
    afterHandlers();
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
    link.download = 'floemark-recording.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });
  // A recording loaded plays back from its own t = 0; a malformed one is named and the game
  // goes on as it was.
  const load = document.getElementById('load');
  load.addEventListener('change', async () => {
    document.getElementById('menu').hidden = true;
    const file = load.files[0];
    load.value = '';
    if (!file) return;
    const error = core.ccall('fm_load', 'string', ['string'], [await file.text()]);
    if (error) {
      status.textContent = `${file.name}, ${error}`;
      return;
    }
    // The person's keys are ignored until its end: said so, until then.
    replaying = `Replaying ${file.name}; the keys play again at its end.`;
    status.textContent = replaying;
    t0 = performance.now();
    // The channels of the session before are let go: the new one reports its own.
    if (sound) sound.then((s) => s?.send(channels.filter(Boolean).map((c) => ({ ...c, playing: false }))));
    afterHandlers();
  });

  // A new size, orientation or density redraws; a new density is watched for from its own.
  window.addEventListener('resize', () => view.resized());
  const watchDensity = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
      view.resized();
      watchDensity();
    }, { once: true });
  };
  watchDensity();
  showPanels(core, () => {
    played = true;
    startSound();  // PLAY is a gesture: the sound may start in its handler
  });
  afterHandlers();
}

// The splash until PLAY; the popup menu (right-click on the console, or the Menu button) with
// the about panel and the two text pages; their keys F1, F2, F3 once the console is played, as
// the desktop's act only in the console window; Escape closes the menu and the about panel.
function showPanels(core, onPlay) {
  const [title, version, web, mail, ...details] =
    core.UTF8ToString(core._fm_about()).trim().split('\n');
  const byId = (id) => document.getElementById(id);
  byId('La_Title').textContent = title;
  byId('La_Version').textContent = version;
  Object.assign(byId('La_Http'), { textContent: web, href: web });
  Object.assign(byId('La_Email'), { textContent: mail, href: mail });
  const list = byId('about-details');
  for (const line of details) {
    const [caption, value] = line.split('\t');
    const dt = document.createElement('dt');
    dt.textContent = caption;
    const dd = document.createElement('dd');
    dd.textContent = value;
    list.append(dt, dd);
  }

  const splash = byId('splash-backdrop');
  const about = byId('about');
  const menu = byId('menu');
  let played = false;
  splash.hidden = false;
  byId('Puls_Play').focus({ preventScroll: true });  // Enter or Space plays, without a mouse
  byId('Puls_Play').addEventListener('click', () => {
    splash.hidden = true;  // for good
    played = true;
    onPlay();
    canvas.focus();
  });

  const showAbout = () => {
    menu.hidden = true;
    about.hidden = false;
    byId('about-close').focus();
  };
  const closeAbout = () => {
    about.hidden = true;
    canvas.focus();
  };
  byId('about-close').addEventListener('click', closeAbout);
  byId('menu-about').addEventListener('click', showAbout);
  const openMenu = (x, y) => {
    menu.hidden = false;
    const r = menu.getBoundingClientRect();
    menu.style.left = `${Math.max(0, Math.min(x, innerWidth - r.width))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, innerHeight - r.height))}px`;
    byId('menu-about').focus();
  };
  // A finger held on a key is play, not a long press for the menu (touch has the Menu button).
  let pointerType = 'mouse';
  canvas.addEventListener('pointerdown', (e) => { pointerType = e.pointerType; }, true);
  canvas.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    if (played && pointerType === 'mouse') openMenu(e.clientX, e.clientY);
  });
  const menuButton = byId('menu-button');
  menuButton.addEventListener('click', () => {
    if (!played) return;
    if (!menu.hidden) {
      menu.hidden = true;
      return;
    }
    const r = menuButton.getBoundingClientRect();
    openMenu(r.left, r.bottom);
  });
  window.addEventListener('pointerdown', (e) => {
    if (!menu.hidden && !menu.contains(e.target) && e.target !== menuButton) menu.hidden = true;
  });
  window.addEventListener('keydown', (e) => {
    if (e.code === 'Escape') {
      if (!menu.hidden) menu.hidden = true;
      else if (!about.hidden) closeAbout();
      return;
    }
    if (!played || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;
    const act = { F1: showAbout, F2: () => byId('menu-readme').click(),
      F3: () => byId('menu-whatsnew').click() }[e.code];
    if (!act) return;
    e.preventDefault();
    act();
  });

  // Full screen where the browser has it (not every phone's does): the button toggles it.
  const full = byId('fullscreen');
  full.hidden = !(document.fullscreenEnabled && document.documentElement.requestFullscreen);
  full.addEventListener('click', () => {
    menu.hidden = true;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  });
  document.addEventListener('fullscreenchange', () => {
    full.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
  });
}

// Offline and installable: the service worker keeps the site. Once the page has drawn, it names
// what it and its drawing worker loaded (the pictures are those of this screen's density) for
// the service worker to keep too; html's data-offline says when the page can start without a
// network.
async function keepOffline(loaded) {
  if (!('serviceWorker' in navigator)) return;
  await navigator.serviceWorker.register('sw.js');
  const worker = (await navigator.serviceWorker.ready).active;
  navigator.serviceWorker.addEventListener('message', (e) => {
    if (e.data?.type === 'kept') document.documentElement.dataset.offline = e.data.build;
  });
  const urls = [...performance.getEntriesByType('resource').map((r) => r.name), ...loaded]
    .map((name) => new URL(name))
    .filter((u) => u.origin === location.origin).map((u) => u.pathname);
  const keep = (w) => w?.postMessage({ type: 'keep', urls: [...new Set(urls)] });
  keep(worker);
  // A new build's worker takes over from this visit on: it keeps the same files, of its build.
  navigator.serviceWorker.addEventListener('controllerchange',
    () => keep(navigator.serviceWorker.controller));
}

start().catch((error) => {
  status.textContent = `The console could not start: ${error.message}`;
  throw error;
});
