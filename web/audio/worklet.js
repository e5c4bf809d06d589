// The console's sound on the audio thread: the sound layer's mixer, compiled on its own
// (mixer.wasm), renders every quantum. The main thread hands over the compiled module in
// processorOptions.module, then on the port: each sound once ({type: 'sound', name,
// samples}), and after every handler that touched a channel the states the core now keeps
// for it ({type: 'state', seq, channels: [{slot, file, playing, position}]}), which the mixer
// follows at once. Each state is acknowledged with {type: 'applied', seq}, in order.
// With processorOptions.report (the benchmark's), a state that sets a channel playing is also
// answered by {type: 'heard', seq, frame}: the context frame of the first non-silent sample
// rendered after it, for the time from a cue to its sound.

class ConsoleSound extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const { module, report } = options.processorOptions;
    this.report = report === true;
    this.cue = 0;  // the reported state whose first sound is awaited
    // A standalone module may import a few WASI calls it never makes on this path (exit,
    // writing an abort's message): they are given calls that do nothing.
    const imports = {};
    for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
      if (kind === 'function') (imports[from] ??= {})[name] = () => 0;
    }
    this.wasm = new WebAssembly.Instance(module, imports).exports;
    this.wasm._initialize?.();
    this.sounds = new Map();
    this.held = ['', '', '', ''];
    this.port.onmessage = ({ data }) => this.receive(data);
  }

  receive(message) {
    if (message.type === 'sound') {
      this.sounds.set(message.name, message.samples);
    } else if (message.type === 'state') {
      for (const channel of message.channels) this.follow(channel);
      if (this.report && message.channels.some((c) => c.playing)) this.cue = message.seq;
      this.port.postMessage({ type: 'applied', seq: message.seq });
    }
  }

  follow({ slot, file, playing, position }) {
    if (this.held[slot] !== file) {
      const samples = this.sounds.get(file) ?? new Int16Array(0);
      const at = this.wasm.mixer_reserve(samples.length);
      new Int16Array(this.wasm.memory.buffer, at, samples.length).set(samples);
      this.wasm.mixer_set(slot);
      this.held[slot] = file;
    }
    this.wasm.mixer_follow(slot, playing ? 1 : 0, position);
  }

  process(inputs, outputs) {
    const output = outputs[0];
    const at = this.wasm.mixer_render();
    const mixed = new Int16Array(this.wasm.memory.buffer, at, 128);
    for (const channel of output) {
      for (let i = 0; i < channel.length; i++) channel[i] = mixed[i] / 32768;
    }
    if (this.cue) {
      const i = mixed.findIndex((v) => v !== 0);
      if (i >= 0) {
        this.port.postMessage({ type: 'heard', seq: this.cue, frame: currentFrame + i });
        this.cue = 0;
      }
    }
    return true;
  }
}

registerProcessor('console-sound', ConsoleSound);
