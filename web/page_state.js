// What the page holds, in one object, and the messages it shows. The page's modules share
// this object; window.tavimorePage shows it to whoever looks at the page (its tests do),
// who can read it but not change it.
import { OutOfMemory } from './core_bridge.js';
import { TEXTS } from './texts.js';

// The page's test parameters: ?time=HH:MM:SS, ?frame=K and ?lang=en.
export const params = new URLSearchParams(location.search);
export const $ = (id) => document.getElementById(id);

export const state = {
  ready: null,  // the page's start, settled once the core is loaded and the page wired
  language: params.get('lang') === 'en' ? 'en' : 'ja',
  core: null,
  // The face images of the chosen picture or opened clock (core.imageValues each), or null;
  // the preview's face when there are none.
  strip: null,
  // The same faces one by one, in the clock's order: { face, picture, frame }, where a face
  // made from a square of a picture that is no strip has the picture ({ width, height, rgba,
  // square: { left, top, size }, ... }, picture_input.js) and its frame in it.
  faces: [],
  selected: 0,  // the face chosen in the row, whose picture the square frame is shown over
  // Faces of an animation being fitted to a moved square, settled when they all are.
  fitting: null,
  // What the preview holds before a picture is chosen, as the Windows editor's preview
  // shows it; a clock built then gets this face.
  emptyFace: null,
  // The screen's scale the preview is drawn at, as a DPI (see sizePreview).
  previewDpi: 0,
  // What the preview shows since its last redraw: { faceImage, time, at }, the face image
  // (-1: the empty face), the time of its hands and the local time it was drawn at, each
  // [hour, minute, second]; null before the first.
  shown: null,
  // The picture or clock file being read, a promise settled once it is taken or refused.
  reading: null,
  message: null,  // the message box's { title, text } keys while it is open
};

window.tavimorePage = new Proxy(state, {
  set: () => false,
  defineProperty: () => false,
  deleteProperty: () => false,
});

// The editor's messages in Japanese come from the core, once it is loaded.
export function t(key) {
  const { language, core } = state;
  if (language === 'ja' && core && core.texts.has(key)) return core.texts.get(key);
  return TEXTS[language][key];
}

// `count`, where given, stands for the text's %d.
export function showMessage(titleKey, textKey, count) {
  $('message-title').textContent = t(titleKey);
  $('message-text').textContent = t(textKey).replace('%d', count);
  state.message = { title: titleKey, text: textKey };
  const dialog = $('message');
  if (!dialog.open) dialog.showModal();
}

export function followMessageBox() {
  $('message').addEventListener('close', () => { state.message = null; });
}

// What goes wrong inside the core is said as "not enough memory", as the editor says it;
// anything but the allocator running out is a fault of the page, logged for its tests.
export function failedInCore(titleKey, e) {
  if (!(e instanceof OutOfMemory)) console.error(e);
  showMessage(titleKey, 'noMemory');
}
