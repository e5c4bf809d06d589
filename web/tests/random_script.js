// node random_script.js SEED: prints a random floemark-trace script, the same for a seed.
// Mostly games (power, select, sound, the six keys and numbered ones, a few minutes long);
// one in eight is broken on purpose at a random line, so refusals are compared too.
const seed = Number(process.argv[2] ?? 0);

// mulberry32: small, and the same in every Node.
let state = (seed * 0x9e3779b9) >>> 0;
function random() {
  state = (state + 0x6d2b79f5) >>> 0;
  let t = state;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];
const two = (n) => String(n).padStart(2, '0');

const keys = ['SHIFT', 'CTRL', 'Z', 'C', 'LEFT', 'RIGHT'];
const lines = [];
if (random() < 0.7) {
  const h = Math.floor(random() * 24), m = Math.floor(random() * 60);
  lines.push(`clock ${two(h)}:${two(m)}:${two(Math.floor(random() * 60))}.${String(Math.floor(random() * 1000)).padStart(3, '0')}`);
}
let t = Math.floor(random() * 50);
lines.push(`${t} click power`);
const events = 20 + Math.floor(random() * 300);
for (let i = 0; i < events; i++) {
  t += pick([0, 1, 17, 50, 100, 200, 400, 1000, 3000, Math.floor(random() * 2000)]);
  const r = random();
  if (r < 0.04) lines.push(`${t} click ${pick(['power', 'select', 'sound'])}`);
  else if (r < 0.06) lines.push(`${t} down ${Math.floor(random() * 256)}`);
  else if (r < 0.1) lines.push(`${t} up ${pick(keys)}`);
  else if (r < 0.12) lines.push('# a comment', '');
  else lines.push(`${t} down ${pick(keys)}`, `${t + pick([0, 30, 80])} up ${pick(keys)}`);
  t += 80;
}
lines.push(`${t + Math.floor(random() * 20000)} end`);

if (random() < 0.125) {
  const at = Math.floor(random() * lines.length);
  const broken = pick([
    '5 down shift', '1 jump', 'clock 25:00:00.000', '10', '99999999999999999999 end',
    '3 click volume', '7 end now', 'x down Z',
  ]);
  lines.splice(at, 0, broken);
  if (random() < 0.3) lines.pop();  // and, sometimes, no end
}
process.stdout.write(lines.join('\n') + '\n');
