// TavimoreEdit in the browser: the editor's fields, a live preview drawn by the portable
// core (compiled to WebAssembly), and "oriclock.exe" built from the chosen shape's 32-bit
// clock program, which the page loads from its own folder. Pictures and clocks are read
// and made inside the page; nothing is sent anywhere.
//
// For tests the page takes ?time=HH:MM:SS (the preview stays at that second) and
// ?frame=K (the preview stays on face K), and ?lang=en; window.tavimorePage reports
// when it is ready and how long the last picture took to reach the preview.
import { loadCore, OutOfMemory } from './core_bridge.js';
import { readPicture } from './picture_input.js';
import { TEXTS } from './texts.js';

const ENLARGED = 3;  // the large preview, three times the clock's size
const TEXT_FIELDS = ['name', 'url', 'mail'];

const params = new URLSearchParams(location.search);
const $ = (id) => document.getElementById(id);
let language = params.get('lang') === 'en' ? 'en' : 'ja';
let core = null;
// The face images of the chosen picture or opened clock (core.imageValues each), or null;
// the preview's face when there are none.
let strip = null;
// What the preview holds before a picture is chosen, as the Windows editor's preview
// shows it; a clock built then gets this face.
let emptyFace = null;
let frame = 0;
// The screen's scale the preview is drawn at, as a DPI (see sizePreview).
let previewDpi = 0;

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

// The editor's messages in Japanese come from the core, once it is loaded.
function t(key) {
  if (language === 'ja' && core && core.texts.has(key)) return core.texts.get(key);
  return TEXTS[language][key];
}

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

// What goes wrong inside the core is said as "not enough memory", as the editor says it;
// anything but the allocator running out is a fault of the page, logged for its tests.
function failedInCore(titleKey, e) {
  if (!(e instanceof OutOfMemory)) console.error(e);
  showMessage(titleKey, 'noMemory');
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
  const values = new Uint32Array(2 * core.handCount);
  for (let h = 0; h < core.handCount; h += 1) {
    values[2 * h] = colourValue($('col' + h).value);
    values[2 * h + 1] = Number($('len' + h).value);
  }
  return values;
}

function showHands(values) {
  for (let h = 0; h < core.handCount; h += 1) {
    $('col' + h).value = colourHex(values[2 * h]);
    $('len' + h).value = String(values[2 * h + 1]);
    showLength(h);
  }
}

function showLength(h) { $('dsp' + h).textContent = $('len' + h).value + '%'; }

// --- Drawing face images (bottom row first, 0x00RRGGBB) as canvas pixels.
function faceToImageData(values, offset, target, top) {
  const d = target.data, size = core.faceSize;
  for (let y = 0; y < size; y += 1) {
    const row = offset + (size - 1 - y) * size;
    for (let x = 0; x < size; x += 1) {
      const v = values[row + x], i = ((top + y) * size + x) * 4;
      d[i] = (v >> 16) & 0xFF; d[i + 1] = (v >> 8) & 0xFF; d[i + 2] = v & 0xFF; d[i + 3] = 255;
    }
  }
}

function imageCount() { return strip ? strip.length / core.imageValues : 0; }

function showStripInfo() {
  $('strip-info').textContent = strip ? t('faces')(imageCount()) : '';
}

// Pic shows face 1, AREA the whole strip at its own size.
function showPicture() {
  const size = core.faceSize;
  const pic = $('pic').getContext('2d');
  const first = pic.createImageData(size, size);
  faceToImageData(strip || emptyFace, 0, first, 0);
  pic.putImageData(first, 0, 0);
  const area = $('area');
  area.height = imageCount() * size;
  if (strip) {
    const all = area.getContext('2d').createImageData(size, area.height);
    for (let k = 0; k < imageCount(); k += 1)
      faceToImageData(strip, k * core.imageValues, all, k * size);
    area.getContext('2d').putImageData(all, 0, 0);
  }
  showStripInfo();
}

// --- The preview: the clock's window as the core draws it for this screen, at its own
// size and enlarged.
function previewTime() {
  const fixed = /^(\d\d):(\d\d):(\d\d)$/.exec(params.get('time') || '');
  if (fixed) return fixed.slice(1).map(Number);
  const now = new Date();
  return [now.getHours(), now.getMinutes(), now.getSeconds()];
}

function drawPreview() {
  const count = imageCount();
  const fixedFrame = params.get('frame');
  const k = count === 0 ? 0 : (fixedFrame !== null ? Number(fixedFrame) : frame) % count;
  const face = strip ? strip.subarray(k * core.imageValues, (k + 1) * core.imageValues) : emptyFace;
  let image;
  try {
    image = core.render($('shape').selectedIndex, handValues(), face, previewTime(), previewDpi);
  } catch (e) {
    if (!(e instanceof OutOfMemory)) throw e;
    return;  // the preview stays as it was until there is memory again
  }
  if (!image) return;
  $('preview').getContext('2d').putImageData(image, 0, 0);
  const large = $('preview-large').getContext('2d');
  const side = $('preview').width * ENLARGED;
  large.imageSmoothingEnabled = false;
  large.clearRect(0, 0, side, side);
  large.drawImage($('preview'), 0, 0, side, side);
  page.previewsDrawn += 1;
  page.faceShown = k;
}

// Redraws on each new second, as the clock does, showing the faces in turn.
function tick() {
  frame += 1;
  drawPreview();
  page.facesInTurn.push(page.faceShown);
  if (page.facesInTurn.length > 100) page.facesInTurn.shift();
  setTimeout(tick, core.wakeDelay(Date.now() % 1000));
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
  let picture;
  try {
    picture = await readPicture(core, new Uint8Array(await file.arrayBuffer()));
  } catch (e) {
    return failedInCore('sizeTitle', e);
  }
  if (picture.error) showMessage(...core.pictureMessage(picture.error));
  strip = picture.faces || null;  // as in the editor, a refused picture leaves no strip behind
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

function isWindowsProgram(start) { return start[0] === 0x4D && start[1] === 0x5A; }  // "MZ"

async function readClock(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  if (!isWindowsProgram(bytes)) return showMessage('clockTitle', 'notAClock');
  let opened;
  try {
    opened = core.openClock(bytes);
  } catch (e) {
    return failedInCore('clockTitle', e);
  }
  const { error, build } = opened;
  if (error === core.openError.damaged) return showMessage('clockTitle', 'damaged');
  if (error === core.openError.noPayload && build < 0)  // no payload, and none of our programs
    return showMessage('clockTitle', 'notAClock');
  if (build >= 0) $('shape').selectedIndex = build;
  if (error === core.openError.read) {
    for (const id of TEXT_FIELDS) $(id).value = opened.texts[id];
    showHands(opened.hands);
    strip = opened.faces;
  }
  frame = 0;
  showPicture();
  drawPreview();
  if (build < 0) showMessage('clockTitle', 'unknownShape');
}

// --- The three texts are remembered in this browser when a clock is made, as the
// editor keeps them in its settings file, and filled in the next time.
const SETTINGS_KEY = 'TavimoreE.Users';
const SETTINGS_NAMES = { name: 'NAME', url: 'URL', mail: 'MAIL' };

function texts() { return Object.fromEntries(TEXT_FIELDS.map((id) => [id, $(id).value])); }

function saveTexts() {
  try {
    const saved = Object.fromEntries(TEXT_FIELDS.map((id) => [SETTINGS_NAMES[id], $(id).value]));
    localStorage.setItem(SETTINGS_KEY, JSON.stringify(saved));
  } catch (e) { /* storage turned off: the texts are simply not remembered */ }
}

function loadTexts() {
  try {
    const saved = JSON.parse(localStorage.getItem(SETTINGS_KEY) || '{}');
    for (const id of TEXT_FIELDS)
      if (typeof saved[SETTINGS_NAMES[id]] === 'string') $(id).value = saved[SETTINGS_NAMES[id]];
  } catch (e) { /* nothing remembered, or not readable: the fields stay empty */ }
}

// --- Making the clock: the chosen shape's 32-bit program, brought to the clock file
// with the page's texts, hands and faces, offered as the download "oriclock.exe".
async function makeClock() {
  saveTexts();  // before anything can fail, as in the editor
  const name = core.buildNames[$('shape').selectedIndex];
  let program;
  try {
    const response = await fetch('clocks/' + name + '.exe');
    if (!response.ok) throw new Error(response.status);
    program = new Uint8Array(await response.arrayBuffer());
  } catch (e) {
    return showMessage('makeTitle', 'noProgram');
  }
  let clock;
  try {
    clock = core.buildClock(program, texts(), handValues(), strip || emptyFace);
  } catch (e) {
    return failedInCore('makeTitle', e);
  }
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([clock], { type: 'application/octet-stream' }));
  link.download = 'oriclock.exe';
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

function wire() {
  for (const id of TEXT_FIELDS) {
    $(id).addEventListener('focus', () => $(id).select());
    // Enter moves on as Tab would, as in the editor.
    $(id).addEventListener('keydown', (e) => {
      if (e.key !== 'Enter') return;
      e.preventDefault();
      const order = [...TEXT_FIELDS, 'make'];
      $(order[order.indexOf(id) + 1]).focus();
    });
  }
  for (let h = 0; h < core.handCount; h += 1) {
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
  document.addEventListener('keydown', (e) => {
    if (e.key !== 'F1' || $('make').disabled) return;
    e.preventDefault();  // the browser's own help
    makeClock();
  });
}

// A file dropped anywhere on the page: a Windows program is opened as a clock, anything
// else is chosen as the picture. Before the core is there it is ignored, never left to the
// browser to open in place of the page.
async function dropFile(e) {
  e.preventDefault();
  const file = e.dataTransfer.files[0];
  if (!file || !core) return;
  if (isWindowsProgram(new Uint8Array(await file.slice(0, 2).arrayBuffer()))) openClock(file);
  else choosePicture(file);
}

// The canvases take the core's sizes; index.html gives them the same in advance, so that
// nothing moves when the core is loaded.
function sizeCanvases() {
  $('pic').width = $('pic').height = $('area').width = core.faceSize;
  sizePreview();
}

// The preview is the window a clock shows on this screen: drawn by the core at the screen's
// DPI, one canvas pixel to a device pixel, while it keeps the clock's size in CSS pixels
// (the enlarged one three times that), so the page's layout is the same on every screen.
// At a fractional ratio the DPI is rounded as a clock rounds its screen's scale, and the
// canvas holds the window that clock shows, 103 pixels at 1.25, in a box of 102.5 device
// pixels: the browser lays those pixels out unsmoothed, dropping or doubling at most one
// row and column, which we prefer to a box of 82.4 CSS pixels that moves the layout.
function sizePreview() {
  previewDpi = Math.round(core.baseDpi * window.devicePixelRatio);
  const side = core.windowSizeAt(previewDpi);
  const cssSide = core.windowSize;
  for (const [id, scale] of [['preview', 1], ['preview-large', ENLARGED]]) {
    const canvas = $(id);
    canvas.width = canvas.height = side * scale;
    canvas.style.width = canvas.style.height = cssSide * scale + 'px';
  }
}

// A window moved to a screen of another scale (or the page zoomed) changes
// devicePixelRatio; the media query for the current ratio stops matching then, and the
// preview is drawn anew for the new one.
function followPixelRatio() {
  const current = matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
  current.addEventListener('change', () => {
    sizePreview();
    drawPreview();
    followPixelRatio();
  }, { once: true });
}

async function start() {
  applyLanguage();
  loadTexts();
  $('language').addEventListener('click', () => {
    language = language === 'ja' ? 'en' : 'ja';
    applyLanguage();
  });
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', dropFile);
  try {
    core = await loadCore();
  } catch (e) {
    showMessage('loadFailedTitle', 'loadFailed');
    throw e;
  }
  emptyFace = new Uint32Array(core.imageValues).fill(core.emptyFacePixel);
  emptyFace[core.imageValues - 1] = 0;  // the spare value
  sizeCanvases();
  followPixelRatio();
  wire();
  for (const name of core.buildNames) $('shape').add(new Option(name, name));
  $('shape').selectedIndex = 0;
  $('make').disabled = false;
  showPicture();
  frame = -1;
  tick();
  $('name').focus();
}

page.ready = start();
