// The bridge to the portable core compiled to WebAssembly (core_bindings.cpp): the core's
// numbers, read from the core itself, and its functions over plain JavaScript values. Bytes
// and pixels go into the core's memory for each call and come out as copies, and every
// pointer a call made is freed before it returns.
import createTavimoreCore from './tavimore_core.js';

// The core's allocator ran out (a null pointer where memory was asked for).
export class OutOfMemory extends Error {}

// Pointers and sizes in the core's memory are 32-bit values (wasm32; core_bindings.cpp
// asserts it), four bytes each.
const WORD = 4;

export async function loadCore() {
  return new Core(await createTavimoreCore());
}

class Core {
  constructor(wasm) {
    this.wasm = wasm;
    const values = new Map();
    for (let i = 0; i < wasm._tv_value_count(); i += 1)
      values.set(this.readText(wasm._tv_value_name(i)), wasm._tv_value(i));
    // A name the core does not give is a fault of the page: stop here, not later on a NaN.
    const value = (name) => {
      if (!values.has(name)) throw new Error('the core gives no value ' + name);
      return values.get(name);
    };
    const group = (prefix, names) =>
      Object.fromEntries(names.map((n) => [n, value(prefix + '.' + n)]));
    this.faceSize = value('faceSize');
    this.windowSize = value('windowSize');
    this.baseDpi = value('baseDpi');
    this.imageValues = value('imageValues');
    this.handCount = value('handCount');
    this.maxImages = value('maxImages');
    this.emptyFacePixel = value('emptyFacePixel') >>> 0;
    this.stripError = group('StripError', ['notAPicture', 'wrongSize', 'tooManyFrames']);
    this.pictureKind = group('PictureKind', ['bmp', 'jpeg', 'gif', 'png']);
    this.openError = group('OpenError', ['read', 'damaged', 'noPayload', 'noMemory']);
    this.layout = {
      pictureInfo: group('PictureInfo', ['size', 'kind', 'width', 'height']),
      cutResult: group('CutResult', ['size', 'error', 'count']),
      openedClock: group('OpenedClock', ['size', 'error', 'build', 'imageCount', 'hands',
                                         'author', 'url', 'mail', 'images']),
      pageTick: group('PageTick', ['redraw', 'faceImage', 'hour', 'minute', 'second']),
      faceSquare: group('FaceSquare', ['record', 'left', 'top', 'size']),
    };
    // The editor's messages in Japanese, by key; the page holds only their translations.
    this.textKeys = [];
    this.texts = new Map();
    for (let i = 0; i < wasm._tv_text_count(); i += 1) {
      this.textKeys.push(this.readText(wasm._tv_text_key(i)));
      this.texts.set(this.textKeys[i], this.readText(wasm._tv_text(i)));
    }
    this.buildNames = [];
    for (let i = 0; i < wasm._tv_build_count(); i += 1)
      this.buildNames.push(this.readText(wasm._tv_build_name(i)));
  }

  // --- Memory. Views are taken afresh for every access, since the memory may grow during
  // a call and leave older views detached.
  heap() { return this.wasm.HEAPU8; }
  int32(p) { return new DataView(this.heap().buffer).getInt32(p, true); }
  uint32(p) { return new DataView(this.heap().buffer).getUint32(p, true); }
  readText(p) {
    const h = this.heap();
    let end = p;
    while (h[end] !== 0) end += 1;
    return new TextDecoder().decode(h.subarray(p, end));
  }
  readValues(p, count) { return new Uint32Array(this.heap().buffer.slice(p, p + count * WORD)); }

  // Runs job(memory) and frees every pointer it kept, whatever happened. memory.keep takes
  // the pointers the core allocates, and refuses a null one, so no allocation goes unchecked.
  withMemory(job) {
    const pointers = [];
    const keep = (p) => {
      if (!p) throw new OutOfMemory();
      pointers.push(p);
      return p;
    };
    const alloc = (size) => keep(this.wasm._tv_alloc(size));
    const bytes = (data) => {
      const p = alloc(data.length);
      this.heap().set(data, p);
      return p;
    };
    const values = (array) =>
      bytes(new Uint8Array(array.buffer, array.byteOffset, array.byteLength));
    const text = (s) => bytes(new TextEncoder().encode(s + '\0'));
    try {
      return job({ keep, alloc, bytes, values, text });
    } finally {
      for (const p of pointers) this.wasm._tv_free(p);
    }
  }

  // --- The core's functions. Hands are 2 x handCount values, colour 0x00BBGGRR and length,
  // hour first; face images imageValues values each (bottom row first, 0x00RRGGBB).

  // The side of the clock window a screen of `dpi` shows (96 is 100 %, windowSize).
  windowSizeAt(dpi) { return this.wasm._tv_window_size(dpi); }

  // The clock window of build `buildIndex` at [hour, minute, second], drawn for a screen of
  // `dpi`, as ImageData windowSizeAt(dpi) square, or null for a time or build the core
  // refuses.
  render(buildIndex, hands, face, [hour, minute, second], dpi) {
    const side = this.windowSizeAt(dpi);
    const size = side * side * 4;
    return this.withMemory((m) => {
      const out = m.alloc(size);
      if (!this.wasm._tv_render(buildIndex, m.values(hands), m.values(face), hour, minute,
                                second, dpi, out))
        return null;
      return new ImageData(new Uint8ClampedArray(this.heap().slice(out, out + size).buffer),
                           side, side);
    });
  }

  // The keys of the title and text of the message a refused picture shows.
  pictureMessage(error) {
    const both = this.wasm._tv_picture_message(error);
    return [this.textKeys[both >> 8], this.textKeys[both & 255]];
  }

  // What a picture file's header says, before anything is decoded: { error, kind, width,
  // height }, the error a StripError value or 0 (a strip).
  checkPicture(file) {
    const info = this.layout.pictureInfo;
    return this.withMemory((m) => {
      const out = m.alloc(info.size);
      const error = this.wasm._tv_check_picture(m.bytes(file), file.length, out);
      return { error, kind: this.int32(out + info.kind), width: this.int32(out + info.width),
               height: this.int32(out + info.height) };
    });
  }

  // The face images cut from a bitmap file (decodedHere) or from a decoded picture's RGBA
  // rows: { faces } or { error }.
  cutFaces(data, width, height, decodedHere) {
    const result = this.layout.cutResult;
    return this.withMemory((m) => {
      const out = m.alloc(result.size);
      const faces = this.wasm._tv_cut_faces(m.bytes(data), data.length, width, height,
                                            decodedHere ? 1 : 0, out);
      const error = this.int32(out + result.error);
      if (!faces) {
        if (!error) throw new OutOfMemory();
        return { error };
      }
      m.keep(faces);
      return { faces: this.readValues(faces, this.int32(out + result.count) * this.imageValues) };
    });
  }

  // A bitmap file of at most `maxPixels` pixels decoded by the core: { width, height, rgba },
  // or null for one the core's decoder does not read.
  decodeBmp(file, maxPixels) {
    const info = this.layout.pictureInfo;
    return this.withMemory((m) => {
      const out = m.alloc(info.size);
      const rgba = this.wasm._tv_decode_bmp(m.bytes(file), file.length, maxPixels, out);
      if (!rgba) return null;
      m.keep(rgba);
      const width = this.int32(out + info.width), height = this.int32(out + info.height);
      return { width, height, rgba: this.heap().slice(rgba, rgba + width * height * 4) };
    });
  }

  // How many frames a GIF file's records hold, as `tavimore build --fit` counts them.
  gifFrameCount(file) {
    return this.withMemory((m) => this.wasm._tv_gif_frame_count(m.bytes(file), file.length));
  }

  // The square { left, top, size } a picture of width x height is first framed with.
  centredSquare(width, height) {
    const field = this.layout.faceSquare;
    return this.withMemory((m) => {
      const out = m.alloc(field.record);
      this.wasm._tv_centred_square(width, height, out);
      return { left: this.int32(out + field.left), top: this.int32(out + field.top),
               size: this.int32(out + field.size) };
    });
  }

  // The face image of `square` of a decoded picture { width, height, rgba }, or null for a
  // square that is not inside it.
  fitFace({ width, height, rgba }, { left, top, size }) {
    return this.withMemory((m) => {
      const face = m.alloc(this.imageValues * WORD);
      if (!this.wasm._tv_fit_face(m.bytes(rgba), rgba.length, width, height, left, top, size,
                                  face))
        return null;
      return this.readValues(face, this.imageValues);
    });
  }

  // The clock file from a clock program, the texts { name, url, mail }, hands and faces.
  buildClock(program, texts, hands, faces) {
    return this.withMemory((m) => {
      const size = m.alloc(WORD);
      const clock = m.keep(this.wasm._tv_build_clock(
        m.bytes(program), program.length, m.text(texts.name), m.text(texts.url),
        m.text(texts.mail), m.values(hands), m.values(faces), faces.length / this.imageValues,
        size));
      return this.heap().slice(clock, clock + this.uint32(size));
    });
  }

  // A clock file read back as the clock reads it: { error, build } and, when read, { texts,
  // hands, faces } as buildClock takes them. build is -1 for a program none of the builds.
  openClock(file) {
    const field = this.layout.openedClock;
    return this.withMemory((m) => {
      const out = m.alloc(field.size);
      const error = this.wasm._tv_open_clock(m.bytes(file), file.length, out);
      const at = (name) => out + field[name];
      // The texts and faces are the page's to free, as many as the core could allocate.
      for (const name of ['author', 'url', 'mail', 'images']) {
        const p = this.uint32(at(name));
        if (p) m.keep(p);
      }
      if (error === this.openError.noMemory) throw new OutOfMemory();
      const opened = { error, build: this.int32(at('build')) };
      if (error !== this.openError.read) return opened;
      const text = (name) => this.readText(this.uint32(at(name)));
      opened.texts = { name: text('author'), url: text('url'), mail: text('mail') };
      opened.hands = this.readValues(at('hands'), 2 * this.handCount);
      opened.faces = this.readValues(this.uint32(at('images')),
                                     this.int32(at('imageCount')) * this.imageValues);
      return opened;
    });
  }

  // --- The preview's tick rule, kept in the core: restartTicker() for a new picture or clock,
  // tick() at each wake with the local time (a Date), lastTick() to draw the last redraw
  // again. Each answers null when there is nothing to draw, else { faceImage, time }: the
  // face image to show (-1 with none) and [hour, minute, second] for the hands.
  restartTicker() { this.wasm._tv_ticker_restart(); }
  tick(imageCount, now) {
    return this.readTick(this.wasm._tv_tick(imageCount, now.getFullYear(), now.getMonth() + 1,
                                            now.getDate(), now.getHours(), now.getMinutes(),
                                            now.getSeconds()));
  }
  lastTick(imageCount) { return this.readTick(this.wasm._tv_last_tick(imageCount)); }
  readTick(p) {
    const field = this.layout.pageTick;
    if (!this.int32(p + field.redraw)) return null;
    return { faceImage: this.int32(p + field.faceImage),
             time: ['hour', 'minute', 'second'].map((name) => this.int32(p + field[name])) };
  }

  // Milliseconds from now to the next redraw, `msIntoSecond` into the current second.
  wakeDelay(msIntoSecond) { return this.wasm._tv_wake_delay_ms(msIntoSecond); }
}
