// Game pads through the Gamepad API, as the desktop maps them: the first pad connected plays
// the penguin, the second the seal, and a pad that goes frees its side for the next one (a pad
// waiting for a side gets it at once). A, B and Start are the side's start and attack key, the
// d-pad and the left stick its left and right keys; a key is down while any control that gives
// it is held, so a pad acts exactly like the keyboard. Pads are read 125 times a second, and
// only while one is connected: with none, nothing runs.

// The sides' keys by where they lie (game/keys.h): attack, left, right.
const SIDE_KEYS = { 1: [16, 90, 67], 2: [17, 37, 39] };
// The standard mapping's buttons, and the place of the key each gives.
const BUTTONS = [[0, 0], [1, 0], [9, 0], [14, 1], [15, 2]];  // A, B, Start, d-pad left, right
// Controls: the five buttons, then the stick's left and right.
const STICK_LEFT = 5;
const STICK_RIGHT = 6;
const PLACE = [0, 0, 0, 1, 2, 1, 2];
// The stick presses past half its travel and lets go below a third, so one that rests or
// wobbles near its centre never repeats.
const STICK_PRESS = 0.5;
const STICK_RELEASE = 1 / 3;
const SIDES = 2;
const POLL_MS = 8;

class PadKeys {
  constructor(key) {
    this.key = key;
    this.side = 0;
    this.held = new Array(PLACE.length).fill(false);
  }

  keyFor(control) { return this.side ? SIDE_KEYS[this.side][PLACE[control]] : 0; }

  set(control, down) {
    if (this.held[control] === down) return;
    const key = this.keyFor(control);
    // The key changes only when the first control that gives it goes down or the last comes up.
    const others = this.held.some((h, j) => h && j !== control && this.keyFor(j) === key);
    this.held[control] = down;
    if (key && !others) this.key(down, key);
  }

  stickX(value) {
    // Each direction keeps its own hysteresis; a stick flung across the centre lets go of one
    // side before it presses the other.
    const left = this.held[STICK_LEFT] ? value < -STICK_RELEASE : value <= -STICK_PRESS;
    const right = this.held[STICK_RIGHT] ? value > STICK_RELEASE : value >= STICK_PRESS;
    if (!left) this.set(STICK_LEFT, false);
    if (!right) this.set(STICK_RIGHT, false);
    this.set(STICK_LEFT, left);
    this.set(STICK_RIGHT, right);
  }

  releaseAll() { this.held.forEach((_, i) => this.set(i, false)); }
}

// key(down, code) receives every key a pad presses or lets go.
export function watchGamepads(key) {
  const pads = new Map();  // Gamepad.index -> PadKeys, in the order they were connected
  let timer = 0;

  function assignSides() {
    const taken = new Set([...pads.values()].map((p) => p.side));
    for (const pad of pads.values()) {
      if (pad.side) continue;
      for (let side = 1; side <= SIDES; side++) {
        if (taken.has(side)) continue;
        taken.add(side);
        pad.side = side;
        break;
      }
    }
  }

  function poll() {
    for (const gamepad of navigator.getGamepads()) {
      const pad = gamepad && pads.get(gamepad.index);
      if (!pad || !pad.side) continue;
      BUTTONS.forEach(([button], control) => pad.set(control, !!gamepad.buttons[button]?.pressed));
      pad.stickX(gamepad.axes[0] ?? 0);
    }
  }

  window.addEventListener('gamepadconnected', (e) => {
    if (pads.has(e.gamepad.index)) return;
    pads.set(e.gamepad.index, new PadKeys(key));
    assignSides();
    if (!timer) timer = setInterval(poll, POLL_MS);
  });
  window.addEventListener('gamepaddisconnected', (e) => {
    const pad = pads.get(e.gamepad.index);
    if (!pad) return;
    // Whatever it held is let go, so no key stays pressed on the console.
    pad.releaseAll();
    pads.delete(e.gamepad.index);
    assignSides();
    if (!pads.size) {
      clearInterval(timer);
      timer = 0;
    }
  });
}
