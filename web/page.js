// TavimoreEdit in the browser: the editor's fields, a live preview drawn by the portable
// core (compiled to WebAssembly), and "oriclock.exe" built from the chosen shape's 32-bit
// clock program, which the page loads from its own folder. Pictures and clocks are read
// and made inside the page; nothing is sent anywhere.
//
// For tests the page takes ?time=HH:MM:SS (the preview's hands stay at that second),
// ?frame=K (the preview stays on face K) and ?lang=en; window.tavimorePage shows the
// page's state (page_state.js).
import { loadCore } from './core_bridge.js';
import { isWindowsProgram, makeClock, openClock } from './clock_file.js';
import { showLength } from './hands.js';
import { $, failedInCore, followMessageBox, showMessage, state, t } from './page_state.js';
import { wireCropper } from './crop_view.js';
import { fitFaces, fitFirstFrame, readPictures } from './picture_input.js';
import { followPixelRatio, redrawPreview, restartPreview, sizePreview, tick } from './preview.js';
import { TEXT_FIELDS, loadTexts } from './settings.js';
import { joinFaces, showPicture, showStripInfo, sizePicture, takeFaces, wireFaces } from './strip_view.js';

function applyLanguage() {
  document.documentElement.lang = state.language;
  for (const el of document.querySelectorAll('[data-t]')) el.textContent = t(el.dataset.t);
  for (const el of document.querySelectorAll('[data-t-title]')) el.title = t(el.dataset.tTitle);
  showStripInfo();
}

// Takes pictures as the faces; state.reading is settled once they are taken or refused.
function choosePictures(files) {
  state.reading = takePictures(files);
  return state.reading;
}

async function takePictures(files) {
  const { core } = state;
  let read;
  try {
    const all = [];
    for (const file of files) all.push(new Uint8Array(await file.arrayBuffer()));
    read = await readPictures(core, all);
  } catch (e) {
    return failedInCore('sizeTitle', e);
  }
  if (read.error) showMessage(...core.pictureMessage(read.error));
  if (read.tooMany) showMessage('sizeTitle', 'tooManyFaces', read.tooMany);
  // As in the editor, refused pictures leave no faces behind.
  const faces = read.faces || [];
  takeFaces(faces, Math.max(0, faces.findIndex((f) => f.picture)));
  showPicture();
  restartPreview();
}

// The square over a picture moved: its first frame's face follows at once (at most once a
// screen refresh), the faces of its other frames once it rests. state.fitting settles when
// every face follows the square.
// A square that has not moved for a quarter of a second rests: a drag or held key moves it
// more often than that, and decoding every frame anew at each step would only be thrown away.
const REST_MS = 250;
let firstFit = null, fitGeneration = 0;
function squareMoved(picture) {
  const generation = ++fitGeneration;
  const shown = () => { joinFaces(); showPicture(); redrawPreview(); };
  firstFit = firstFit || new Promise((resolve, reject) => {
    let done = false;
    const fit = () => {
      if (done) return;
      done = true;
      firstFit = null;
      try {
        fitFirstFrame(state.core, picture, state.faces);
      } catch (e) {
        return reject(e);
      }
      shown();
      resolve();
    };
    requestAnimationFrame(fit);
    setTimeout(fit, 100);  // a hidden page draws no frames; 100 ms is still "at once"
  });
  const wanted = () => generation === fitGeneration;
  const others = picture.frames > 1 && new Promise((rest) => setTimeout(rest, REST_MS))
    .then(() => wanted() && fitFaces(state.core, picture, state.faces, wanted))
    .then(() => wanted() && shown());
  state.fitting = Promise.all([firstFit, others]).catch((e) => failedInCore('sizeTitle', e));
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
  for (let h = 0; h < state.core.handCount; h += 1) {
    $('len' + h).addEventListener('input', () => { showLength(h); redrawPreview(); });
    $('col' + h).addEventListener('input', redrawPreview);
  }
  $('shape').addEventListener('change', redrawPreview);
  $('choose').addEventListener('click', () => $('picture').click());
  $('picture').addEventListener('change', () => {
    const files = [...$('picture').files];
    $('picture').value = '';
    if (files.length) choosePictures(files);
  });
  wireCropper(squareMoved);
  wireFaces(() => { showPicture(); restartPreview(); });
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

// Files dropped anywhere on the page: a Windows program is opened as a clock, anything
// else is chosen as the pictures. Before the core is there it is ignored, never left to the
// browser to open in place of the page.
async function dropFile(e) {
  e.preventDefault();
  const files = [...e.dataTransfer.files];
  if (!files.length || !state.core) return;
  if (isWindowsProgram(new Uint8Array(await files[0].slice(0, 2).arrayBuffer()))) openClock(files[0]);
  else choosePictures(files);
}

async function start() {
  applyLanguage();
  loadTexts();
  followMessageBox();
  $('language').addEventListener('click', () => {
    state.language = state.language === 'ja' ? 'en' : 'ja';
    applyLanguage();
  });
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', dropFile);
  try {
    state.core = await loadCore();
  } catch (e) {
    showMessage('loadFailedTitle', 'loadFailed');
    throw e;
  }
  const { core } = state;
  state.emptyFace = new Uint32Array(core.imageValues).fill(core.emptyFacePixel);
  state.emptyFace[core.imageValues - 1] = 0;  // the spare value
  sizePicture();
  sizePreview();
  followPixelRatio();
  wire();
  for (const name of core.buildNames) $('shape').add(new Option(name, name));
  $('shape').selectedIndex = 0;
  $('make').disabled = false;
  showPicture();
  tick();
  $('name').focus();
}

state.ready = start();
