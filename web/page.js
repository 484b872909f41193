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
import { readPicture } from './picture_input.js';
import { followPixelRatio, redrawPreview, restartPreview, sizePreview, tick } from './preview.js';
import { TEXT_FIELDS, loadTexts } from './settings.js';
import { showPicture, showStripInfo, sizePicture } from './strip_view.js';

function applyLanguage() {
  document.documentElement.lang = state.language;
  for (const el of document.querySelectorAll('[data-t]')) el.textContent = t(el.dataset.t);
  for (const el of document.querySelectorAll('[data-t-title]')) el.title = t(el.dataset.tTitle);
  showStripInfo();
}

// Takes a picture as the strip; state.reading is settled once it is taken or refused.
function choosePicture(file) {
  state.reading = takePicture(file);
  return state.reading;
}

async function takePicture(file) {
  const { core } = state;
  let picture;
  try {
    picture = await readPicture(core, new Uint8Array(await file.arrayBuffer()));
  } catch (e) {
    return failedInCore('sizeTitle', e);
  }
  if (picture.error) showMessage(...core.pictureMessage(picture.error));
  state.strip = picture.faces || null;  // as in the editor, a refused picture leaves no strip behind
  showPicture();
  restartPreview();
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
  if (!file || !state.core) return;
  if (isWindowsProgram(new Uint8Array(await file.slice(0, 2).arrayBuffer()))) openClock(file);
  else choosePicture(file);
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
