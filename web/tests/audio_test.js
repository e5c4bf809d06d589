// The sound path in Chromium: the worklet (audio/worklet.js with audio/mixer.wasm) rendering in
// an OfflineAudioContext at 48 kHz while the test, standing in for the page's core, sends it
// channel states at chosen moments. The states must be followed in the order sent, the cue
// must come out sample for sample from the position it was sent with, two channels must mix,
// and a stopped channel must fall silent.
import assert from 'node:assert/strict';
import { run } from './harness.js';

run('audio', async (h) => {
  const page = await h.browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(h.url, { waitUntil: 'load' });
  const result = await page.evaluate(async () => {
    const { RATE, connectSound } = await import('./sound.js');
    const { default: createCore } = await import('./core.js');
    // The sounds as the page hands them over: decoded by the core at the context's rate.
    const core = await createCore();
    core.FS.mkdir('/SOUND');
    const sounds = new Map();
    for (const name of ['START.WAV', 'TEMPO.WAV']) {
      core.FS.writeFile(`/SOUND/${name}`,
        new Uint8Array(await (await fetch(`sound/${name}`)).arrayBuffer()));
      const frames = core.ccall('fm_decode', 'number', ['string'], [`SOUND/${name}`]);
      const at = core._fm_decoded() >> 1;
      sounds.set(name, core.HEAP16.slice(at, at + frames));
    }

    const ctx = new OfflineAudioContext(1, RATE / 2, RATE);
    const sound = await connectSound(ctx, sounds);
    const quantum = (s) => Math.round(s * RATE / 128) * 128;
    const sent = [];
    const at = (seconds, states) => ctx.suspend(quantum(seconds) / RATE).then(async () => {
      // A burst of states: only the last of each slot sounds, all are acknowledged in order.
      const acks = states.map((s) => { sent.push(s); return sound.send(s); });
      await Promise.all(acks);
      await ctx.resume();
    });
    const start = { slot: 0, file: 'START.WAV', playing: true, position: 1000 };
    at(0.1, [[{ ...start, playing: false, position: 0 }], [{ ...start, position: 5 }], [start]]);
    at(0.2, [[{ slot: 1, file: 'TEMPO.WAV', playing: true, position: 0 }]]);
    at(0.3, [[{ ...start, playing: false, position: 1000 + quantum(0.2) }]]);
    const rendered = (await ctx.startRendering()).getChannelData(0);
    const toInt = (v) => Math.round(v * 32768);
    return {
      applied: sound.applied, sentCount: sent.length,
      t1: quantum(0.1), t2: quantum(0.2), t3: quantum(0.3),
      out: Array.from(rendered, toInt),
      start: Array.from(sounds.get('START.WAV').subarray(0, 30000)),
      tempo: Array.from(sounds.get('TEMPO.WAV')),
    };
  });
  assert.deepEqual(errors, []);
  const { applied, sentCount, t1, t2, t3, out, start, tempo } = result;
  assert.deepEqual(applied, Array.from({ length: sentCount }, (_, i) => i + 1), 'in order');

  assert.ok(out.slice(0, t1).every((v) => v === 0), 'silent before the cue');
  const heard = out.slice(t1, t2);
  assert.deepEqual(heard, start.slice(1000, 1000 + heard.length),
    'the cue from the frame the state named, sample for sample');
  assert.ok(heard.some((v) => Math.abs(v) > 1000), 'and it is not silent');
  const mixed = out.slice(t2, t3);
  const expected = mixed.map((_, i) => Math.max(-32768, Math.min(32767,
    start[1000 + (t2 - t1) + i] + (tempo[i] ?? 0))));
  assert.deepEqual(mixed, expected, 'two channels summed');
  assert.ok(out.slice(t3).every((v, i) => v === (tempo[t3 - t2 + i] ?? 0)),
    'the stopped channel is silent, the other plays on');
  console.log(`audio: ${sentCount} states followed in order; ${heard.length} frames of the cue exact`);
});
