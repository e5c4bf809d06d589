// The console's sound through Web Audio: the mixer runs in an AudioWorkletProcessor
// (audio/worklet.js) on the audio thread; the main thread's core decides, and this hands
// the worklet each channel state the core reports, in order. The context runs at 48 kHz, the
// core's rate, so a position in frames means the same on both sides.

export const RATE = 48000;
export const SOUNDS = ['START.WAV', 'TEMPO.WAV', 'GOT.WAV', 'BLOCK.WAV', 'BONUS.WAV',
  'BOMBED.WAV', 'OVER.WAV'];

// Connects the console's sound to ctx (an AudioContext, or an OfflineAudioContext in the
// tests). sounds: Map of file name -> Int16Array at RATE. Resolves to the sender of states.
export async function connectSound(ctx, sounds) {
  const [module] = await Promise.all([
    WebAssembly.compileStreaming(fetch(new URL('audio/mixer.wasm', import.meta.url))),
    ctx.audioWorklet.addModule(new URL('audio/worklet.js', import.meta.url)),
  ]);
  const node = new AudioWorkletNode(ctx, 'console-sound', {
    numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [1],
    processorOptions: { module },
  });
  node.connect(ctx.destination);
  for (const [name, samples] of sounds) node.port.postMessage({ type: 'sound', name, samples });

  let seq = 0;
  const applied = [];
  const waiting = new Map();
  node.port.onmessage = ({ data }) => {
    if (data.type !== 'applied') return;
    applied.push(data.seq);
    waiting.get(data.seq)?.();
    waiting.delete(data.seq);
  };
  return {
    node,
    applied,  // the sequence numbers the worklet has followed, in its order
    // Sends channel states; resolves once the worklet has followed them.
    send(channels) {
      const n = ++seq;
      const done = new Promise((resolve) => waiting.set(n, resolve));
      node.port.postMessage({ type: 'state', seq: n, channels });
      return done;
    },
  };
}
