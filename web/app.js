// TavimoreEdit in the browser: the editor's fields, a live preview drawn by the portable
// core (compiled to WebAssembly), and "oriclock.exe" built from the chosen shape's 32-bit
// clock program, which the page loads from its own folder. Pictures and clocks are read
// and made inside the page; nothing is sent anywhere.
//
// For tests the page takes ?time=HH:MM:SS (the preview stays at that second) and
// ?frame=K (the preview stays on face K), and ?lang=en; window.tavimorePage reports
// when it is ready and how long the last picture took to reach the preview.
'use strict';

(function () {
  const FACE = 80;            // a face image is 80 x 80
  const WINDOW = FACE + 2;    // the clock window: the face and a pixel on each side
  const IMAGE_VALUES = FACE * FACE + 1;  // a face image's values, the spare one included
  const ENLARGED = 3;         // the large preview, three times the clock's size
  // What the preview holds before a picture is chosen: the window system's usual face
  // grey, as the Windows editor's preview shows it; a clock built then gets this face.
  const EMPTY_FACE_PIXEL = 0x00F0F0F0;
  // StripError values of the core.
  const STRIP_NOT_A_PICTURE = 1, STRIP_TOO_MANY = 3;

  const TEXTS = {
    ja: {
      switchLanguage: 'English', name: 'お名前', url: 'ＵＲＬ', mail: 'Eメール',
      background: '背景', choose: '画像選択', dropHint: '画像をここにドロップできます',
      firstFace: '1 枚目の画像', hands: '針', length: '長さ', colour: '色',
      hour: '短針', minute: '長針', second: '秒針', shape: '時計の形',
      make: 'F1:作成', open: '時計を開く', preview: 'プレビュー',
      private: '画像も時計も、このページの外には送られません。',
      faces: (n) => `${n} コマ`,
      sizeTitle: 'サイズエラー',
      sizeMessage: '画像サイズは、横80px・縦80pxのみ倍数としてください。',
      framesMessage: '画像のコマ数が多すぎます。\n縦は20400px（80px × 255コマ）までとしてください。',
      clockTitle: '時計を開く',
      damaged: '時計ファイルが壊れているため、開けません。',
      unknownShape: 'この時計の形が分かりません。時計の形は今のままです。',
      notAClock: '時計ファイルではありません。',
      makeTitle: '作成できません',
      noProgram: '時計のプログラムを読み込めませんでした。',
      noMemory: 'メモリーが足りません。',
      loadFailed: 'ページの部品を読み込めませんでした。',
    },
    en: {
      switchLanguage: '日本語', name: 'Name', url: 'URL', mail: 'E-mail',
      background: 'Background', choose: 'Choose picture', dropHint: 'or drop a picture here',
      firstFace: 'First face picture', hands: 'Hands', length: 'Length', colour: 'Colour',
      hour: 'Hour', minute: 'Minute', second: 'Second', shape: 'Shape',
      make: 'F1: Make clock', open: 'Open clock', preview: 'Preview',
      private: 'Pictures and clocks never leave this page.',
      faces: (n) => `${n} face${n === 1 ? '' : 's'}`,
      sizeTitle: 'Size error',
      sizeMessage: 'The picture must be 80 pixels wide and a multiple of 80 pixels high.',
      framesMessage: 'The picture has too many faces.\nIt may be at most 20400 pixels high (255 faces of 80 pixels).',
      clockTitle: 'Open clock',
      damaged: 'The clock file is damaged and cannot be opened.',
      unknownShape: 'The shape of this clock is not known; the shape stays as it is.',
      notAClock: 'This is not a clock file.',
      makeTitle: 'Cannot make the clock',
      noProgram: 'The clock program could not be loaded.',
      noMemory: 'Not enough memory.',
      loadFailed: 'A part of the page could not be loaded.',
    },
  };

  const params = new URLSearchParams(location.search);
  const $ = (id) => document.getElementById(id);
  let language = params.get('lang') === 'en' ? 'en' : 'ja';
  let core = null;
  let buildNames = [];
  // The face images of the chosen picture or opened clock (IMAGE_VALUES each, bottom row
  // first, 0x00RRGGBB), or null; the preview's face when there are none.
  let strip = null;
  let emptyFace = new Uint32Array(IMAGE_VALUES).fill(EMPTY_FACE_PIXEL);
  emptyFace[FACE * FACE] = 0;
  let frame = 0;

  const page = {
    ready: null,
    lastPictureToPreviewMs: null,
    previewsDrawn: 0,
    picturesTaken: 0,  // pictures handled to the end, taken or refused
    clocksOpened: 0,   // clock files handled to the end, read or refused
    faceShown: 0,
    facesInTurn: [],  // the face of each second's redraw, the last hundred
    messages: 0,
  };
  window.tavimorePage = page;

  function t(key) { return TEXTS[language][key]; }

  function applyLanguage() {
    document.documentElement.lang = language;
    for (const el of document.querySelectorAll('[data-t]')) el.textContent = t(el.dataset.t);
    for (const el of document.querySelectorAll('[data-t-title]')) el.title = t(el.dataset.tTitle);
    showStripInfo();
  }

  function showMessage(titleKey, textKey) {
    $('message-title').textContent = t(titleKey);
    $('message-text').textContent = t(textKey);
    page.messages += 1;
    page.lastMessage = { title: titleKey, text: textKey };
    const dialog = $('message');
    if (!dialog.open) dialog.showModal();
  }

  // --- The core's memory. Views are taken afresh after every call, since the memory may
  // grow during one and leave older views detached.
  function heap8() { return core.HEAPU8; }

  function copyIn(bytes) {
    const p = core._tv_alloc(bytes.length);
    if (!p) throw new Error('memory');
    heap8().set(bytes, p);
    return p;
  }

  function copyInText(text) {
    const bytes = new TextEncoder().encode(text);
    const p = core._tv_alloc(bytes.length + 1);
    if (!p) throw new Error('memory');
    heap8().set(bytes, p);
    heap8()[p + bytes.length] = 0;
    return p;
  }

  function readText(p) {
    const h = heap8();
    let end = p;
    while (h[end] !== 0) end += 1;
    return new TextDecoder().decode(h.subarray(p, end));
  }

  function readU32(p, count) {
    return new Uint32Array(heap8().buffer.slice(p, p + count * 4));
  }

  // --- Hands: colour values 0x00BBGGRR and lengths 1 to 100, hour first.
  function colourValue(hex) {
    const rgb = parseInt(hex.slice(1), 16);
    return ((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16) & 0xFF) >>> 0;
  }

  function colourHex(value) {
    const rgb = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16) & 0xFF;
    return '#' + rgb.toString(16).padStart(6, '0');
  }

  function handValues() {
    const values = new Uint32Array(6);
    for (let h = 0; h < 3; h += 1) {
      values[2 * h] = colourValue($('col' + h).value);
      values[2 * h + 1] = Number($('len' + h).value);
    }
    return values;
  }

  function showLength(h) { $('dsp' + h).textContent = $('len' + h).value + '%'; }

  // --- Drawing face images (bottom row first, 0x00RRGGBB) as canvas pixels.
  function faceToImageData(values, offset, target, top) {
    const d = target.data;
    for (let y = 0; y < FACE; y += 1) {
      const row = offset + (FACE - 1 - y) * FACE;
      for (let x = 0; x < FACE; x += 1) {
        const v = values[row + x], i = ((top + y) * FACE + x) * 4;
        d[i] = (v >> 16) & 0xFF; d[i + 1] = (v >> 8) & 0xFF; d[i + 2] = v & 0xFF; d[i + 3] = 255;
      }
    }
  }

  function imageCount() { return strip ? strip.length / IMAGE_VALUES : 0; }

  function showStripInfo() {
    $('strip-info').textContent = strip ? t('faces')(imageCount()) : '';
  }

  // Pic shows face 1, AREA the whole strip at its own size.
  function showPicture() {
    const faces = strip || emptyFace;
    const pic = $('pic').getContext('2d');
    const first = pic.createImageData(FACE, FACE);
    faceToImageData(faces, 0, first, 0);
    pic.putImageData(first, 0, 0);
    const area = $('area');
    area.height = strip ? imageCount() * FACE : 0;
    if (strip) {
      const all = area.getContext('2d').createImageData(FACE, area.height);
      for (let k = 0; k < imageCount(); k += 1) faceToImageData(strip, k * IMAGE_VALUES, all, k * FACE);
      area.getContext('2d').putImageData(all, 0, 0);
    }
    showStripInfo();
  }

  // --- The preview: the clock's window as the core draws it, at 1:1 and enlarged.
  function previewTime() {
    const fixed = /^(\d\d):(\d\d):(\d\d)$/.exec(params.get('time') || '');
    if (fixed) return fixed.slice(1).map(Number);
    const now = new Date();
    return [now.getHours(), now.getMinutes(), now.getSeconds()];
  }

  function drawPreview() {
    const [hour, minute, second] = previewTime();
    const count = imageCount();
    const fixedFrame = params.get('frame');
    const k = count === 0 ? 0 : (fixedFrame !== null ? Number(fixedFrame) : frame) % count;
    const face = strip ? strip.subarray(k * IMAGE_VALUES, (k + 1) * IMAGE_VALUES) : emptyFace;
    const bytes = WINDOW * WINDOW * 4;
    let facePtr = 0, handsPtr = 0, outPtr = 0;
    try {
      facePtr = copyIn(new Uint8Array(face.buffer, face.byteOffset, IMAGE_VALUES * 4));
      handsPtr = copyIn(new Uint8Array(handValues().buffer));
      outPtr = core._tv_alloc(bytes);
      if (!outPtr || !core._tv_render($('shape').selectedIndex, handsPtr, facePtr, hour, minute, second, outPtr)) return;
      const image = new ImageData(new Uint8ClampedArray(heap8().slice(outPtr, outPtr + bytes).buffer), WINDOW, WINDOW);
      $('preview').getContext('2d').putImageData(image, 0, 0);
      const large = $('preview-large').getContext('2d');
      large.imageSmoothingEnabled = false;
      large.clearRect(0, 0, WINDOW * ENLARGED, WINDOW * ENLARGED);
      large.drawImage($('preview'), 0, 0, WINDOW * ENLARGED, WINDOW * ENLARGED);
      page.previewsDrawn += 1;
      page.faceShown = k;
    } finally {
      core._tv_free(facePtr); core._tv_free(handsPtr); core._tv_free(outPtr);
    }
  }

  // Redraws on each new second, as the clock does, showing the faces in turn.
  function tick() {
    frame += 1;
    drawPreview();
    page.facesInTurn.push(page.faceShown);
    if (page.facesInTurn.length > 100) page.facesInTurn.shift();
    setTimeout(tick, 1000 - (Date.now() % 1000) + 5);
  }

  // --- Pictures. The core reads the size from the file's header before anything is
  // decoded, so a picture that cannot be a strip costs no memory. Bitmaps are decoded by
  // the core, as in every program; JPEG, GIF and PNG by the browser.
  const BROWSER_TYPES = { 2: 'image/jpeg', 3: 'image/gif', 4: 'image/png' };  // PictureKind
  const KIND_BMP = 1;

  // A decoded frame as RGBA rows. A frame in four 8-bit channels is copied as it is and
  // its channels put in order: asking the browser to convert it multiplies the colours
  // by alpha, and a half-transparent pixel would lose colour before the core lays it over
  // the picture box's background. Other layouts (a JPEG's planes) have no alpha to lose.
  async function framePixels(image, width, height) {
    const rgba = new Uint8Array(width * height * 4);
    const order = { RGBA: [0, 1, 2], RGBX: [0, 1, 2], BGRA: [2, 1, 0], BGRX: [2, 1, 0] }[image.format];
    if (!order) {
      await image.copyTo(rgba, { format: 'RGBA' });
      return rgba;
    }
    const raw = new Uint8Array(image.allocationSize());
    const [plane] = await image.copyTo(raw);
    for (let y = 0; y < height; y += 1) {
      let from = plane.offset + y * plane.stride, to = y * width * 4;
      for (let x = 0; x < width; x += 1, from += 4, to += 4) {
        rgba[to] = raw[from + order[0]];
        rgba[to + 1] = raw[from + order[1]];
        rgba[to + 2] = raw[from + order[2]];
        rgba[to + 3] = raw[from + 3];
      }
    }
    return rgba;
  }

  // RGBA of the first frame, not premultiplied and with no colour management, so the
  // pixels are the file's own. The image decoder gives them so directly. A JPEG goes
  // through a canvas instead: the image decoder hands it over as YUV planes and converts
  // them with its own arithmetic, where the canvas has the JPEG library's RGB, the same
  // as the other programs' decoders; a JPEG has no alpha a canvas could spoil. Without an
  // image decoder, every picture takes the canvas way, exact for opaque pictures.
  async function decodePicture(bytes, type) {
    if (type !== 'image/jpeg' && window.ImageDecoder && await ImageDecoder.isTypeSupported(type)) {
      const decoder = new ImageDecoder({ data: bytes, type, colorSpaceConversion: 'none',
                                         premultiplyAlpha: 'none', preferAnimation: false });
      try {
        const { image } = await decoder.decode({ frameIndex: 0 });
        try {
          const width = image.displayWidth, height = image.displayHeight;
          return { width, height, rgba: await framePixels(image, width, height) };
        } finally {
          image.close();
        }
      } finally {
        decoder.close();
      }
    }
    const bitmap = await createImageBitmap(new Blob([bytes], { type }),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none', imageOrientation: 'none' });
    const canvas = document.createElement('canvas');
    canvas.width = bitmap.width; canvas.height = bitmap.height;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    context.drawImage(bitmap, 0, 0);
    bitmap.close();
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    return { width: canvas.width, height: canvas.height, rgba: new Uint8Array(data.buffer) };
  }

  // Any refusal: the editor's size message, or its message for too many faces (a picture
  // that cannot be decoded gets the size message, as in the editor).
  function refusePicture(error) {
    showMessage('sizeTitle', error === STRIP_TOO_MANY ? 'framesMessage' : 'sizeMessage');
    strip = null;  // as in the editor, a refused picture leaves no strip behind
    showPicture();
    drawPreview();
  }

  async function choosePicture(file) {
    const start = performance.now();
    try {
      await takePicture(file);
    } finally {
      page.lastPictureToPreviewMs = performance.now() - start;
      page.picturesTaken += 1;
    }
  }

  async function takePicture(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const pointers = [];
    const keep = (p) => { if (!p) throw new Error('memory'); pointers.push(p); return p; };
    let faces = null;
    try {
      const info = keep(core._tv_alloc(12)), result = keep(core._tv_alloc(8));
      const filePtr = keep(copyIn(bytes));
      const headerError = core._tv_check_picture(filePtr, bytes.length, info);
      if (headerError) return refusePicture(headerError);
      const [kind] = new Int32Array(heap8().buffer, info, 3);
      let facesPtr;
      if (kind === KIND_BMP) {
        facesPtr = core._tv_cut_faces(filePtr, bytes.length, 0, 0, 1, result);
      } else {
        let decoded;
        try {
          decoded = await decodePicture(bytes, BROWSER_TYPES[kind]);
        } catch (e) {
          return refusePicture(STRIP_NOT_A_PICTURE);
        }
        const rgbaPtr = keep(copyIn(decoded.rgba));
        facesPtr = core._tv_cut_faces(rgbaPtr, decoded.rgba.length, decoded.width,
                                      decoded.height, 0, result);
      }
      const [error, count] = new Int32Array(heap8().buffer, result, 2);
      if (!facesPtr) return refusePicture(error || STRIP_NOT_A_PICTURE);
      keep(facesPtr);
      faces = readU32(facesPtr, count * IMAGE_VALUES);
    } catch (e) {
      showMessage('sizeTitle', 'noMemory');
      return;
    } finally {
      for (const p of pointers) core._tv_free(p);
    }
    strip = faces;
    frame = 0;
    page.facesInTurn = [];
    showPicture();
    drawPreview();
  }

  // --- Opening a clock file: its texts, hands, shape and faces fill the page.
  async function openClock(file) {
    try {
      await readClock(file);
    } finally {
      page.clocksOpened += 1;
    }
  }

  async function readClock(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (bytes.length < 2 || bytes[0] !== 0x4D || bytes[1] !== 0x5A)  // "MZ": a Windows program
      return showMessage('clockTitle', 'notAClock');
    let filePtr = 0, outPtr = 0;
    try {
      filePtr = copyIn(bytes);
      outPtr = core._tv_alloc(core._tv_opened_clock_size());
      if (!outPtr) throw new Error('memory');
      const error = core._tv_open_clock(filePtr, bytes.length, outPtr);
      const field = (i) => new Int32Array(heap8().buffer, outPtr, 13)[i];
      const build = field(1), count = field(2);
      const release = () => { for (let i = 9; i < 13; i += 1) core._tv_free(field(i)); };
      if (error === 1 || error === 3) {
        release();
        return showMessage('clockTitle', error === 1 ? 'damaged' : 'noMemory');
      }
      if (error === 2 && build < 0) {  // neither a payload nor one of our clock programs
        release();
        return showMessage('clockTitle', 'notAClock');
      }
      if (build >= 0) $('shape').selectedIndex = build;
      if (error === 0) {
        $('name').value = readText(field(9));
        $('url').value = readText(field(10));
        $('mail').value = readText(field(11));
        for (let h = 0; h < 3; h += 1) {
          $('col' + h).value = colourHex(field(3 + 2 * h) >>> 0);
          $('len' + h).value = String(field(4 + 2 * h));
          showLength(h);
        }
        strip = readU32(field(12), count * IMAGE_VALUES);
      }
      release();
      frame = 0;
      showPicture();
      drawPreview();
      if (build < 0) showMessage('clockTitle', 'unknownShape');
    } catch (e) {
      showMessage('clockTitle', 'noMemory');
    } finally {
      core._tv_free(filePtr); core._tv_free(outPtr);
    }
  }

  // --- The three texts are remembered in this browser when a clock is made, as the
  // editor keeps them in its settings file, and filled in the next time.
  const SETTINGS_KEY = 'TavimoreE.Users';

  function saveTexts() {
    try {
      localStorage.setItem(SETTINGS_KEY, JSON.stringify(
        { NAME: $('name').value, URL: $('url').value, MAIL: $('mail').value }));
    } catch (e) { /* storage turned off: the texts are simply not remembered */ }
  }

  function loadTexts() {
    try {
      const saved = JSON.parse(localStorage.getItem(SETTINGS_KEY) || '{}');
      for (const [id, key] of [['name', 'NAME'], ['url', 'URL'], ['mail', 'MAIL']])
        if (typeof saved[key] === 'string') $(id).value = saved[key];
    } catch (e) { /* nothing remembered, or not readable: the fields stay empty */ }
  }

  // --- Making the clock: the chosen shape's 32-bit program, brought to the clock file
  // with the page's texts, hands and faces, offered as the download "oriclock.exe".
  async function makeClock() {
    saveTexts();  // before anything can fail, as in the editor
    const name = buildNames[$('shape').selectedIndex];
    let program;
    try {
      const response = await fetch('clocks/' + name + '.exe');
      if (!response.ok) throw new Error(response.status);
      program = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      return showMessage('makeTitle', 'noProgram');
    }
    const faces = strip || emptyFace;
    const pointers = [];
    const keep = (p) => { pointers.push(p); return p; };
    try {
      const sizePtr = keep(core._tv_alloc(4));
      const clockPtr = keep(core._tv_build_clock(
        keep(copyIn(program)), program.length, keep(copyInText($('name').value)),
        keep(copyInText($('url').value)), keep(copyInText($('mail').value)),
        keep(copyIn(new Uint8Array(handValues().buffer))),
        keep(copyIn(new Uint8Array(faces.buffer, faces.byteOffset, faces.length * 4))),
        faces.length / IMAGE_VALUES, sizePtr));
      if (!clockPtr) throw new Error('memory');
      const size = new Uint32Array(heap8().buffer, sizePtr, 1)[0];
      const blob = new Blob([heap8().slice(clockPtr, clockPtr + size)],
                            { type: 'application/octet-stream' });
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = 'oriclock.exe';
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    } catch (e) {
      showMessage('makeTitle', 'noMemory');
    } finally {
      for (const p of pointers) core._tv_free(p);
    }
  }

  function wire() {
    for (const id of ['name', 'url', 'mail']) {
      $(id).addEventListener('focus', () => $(id).select());
      // Enter moves on as Tab would, as in the editor.
      $(id).addEventListener('keydown', (e) => {
        if (e.key !== 'Enter') return;
        e.preventDefault();
        const order = ['name', 'url', 'mail', 'make'];
        $(order[order.indexOf(id) + 1]).focus();
      });
    }
    for (let h = 0; h < 3; h += 1) {
      $('len' + h).addEventListener('input', () => { showLength(h); drawPreview(); });
      $('col' + h).addEventListener('input', drawPreview);
    }
    $('shape').addEventListener('change', drawPreview);
    $('choose').addEventListener('click', () => $('picture').click());
    $('picture').addEventListener('change', () => {
      const file = $('picture').files[0];
      $('picture').value = '';
      if (file) choosePicture(file);
    });
    $('open').addEventListener('click', () => $('clock-file').click());
    $('clock-file').addEventListener('change', () => {
      const file = $('clock-file').files[0];
      $('clock-file').value = '';
      if (file) openClock(file);
    });
    $('make').addEventListener('click', makeClock);
    $('language').addEventListener('click', () => {
      language = language === 'ja' ? 'en' : 'ja';
      applyLanguage();
    });
    document.addEventListener('keydown', (e) => {
      if (e.key !== 'F1' || $('make').disabled) return;
      e.preventDefault();  // the browser's own help
      makeClock();
    });
    // A picture dropped anywhere on the page is chosen; a Windows program is opened as a
    // clock.
    document.addEventListener('dragover', (e) => e.preventDefault());
    document.addEventListener('drop', async (e) => {
      e.preventDefault();
      const file = e.dataTransfer.files[0];
      if (!file) return;
      const start = new Uint8Array(await file.slice(0, 2).arrayBuffer());
      if (start[0] === 0x4D && start[1] === 0x5A) openClock(file);
      else choosePicture(file);
    });
  }

  async function start() {
    applyLanguage();
    loadTexts();
    wire();
    try {
      core = await createTavimoreCore();
    } catch (e) {
      showMessage('makeTitle', 'loadFailed');
      throw e;
    }
    for (let i = 0; i < core._tv_build_count(); i += 1) {
      buildNames.push(readText(core._tv_build_name(i)));
      $('shape').add(new Option(buildNames[i], buildNames[i]));
    }
    $('shape').selectedIndex = 0;
    $('make').disabled = false;
    showPicture();
    frame = -1;
    tick();
    $('name').focus();
  }

  page.ready = start();
})();
