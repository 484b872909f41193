// Clock files: opening one fills the page with its texts, hands, shape and faces; making
// one brings the chosen shape's 32-bit program to the clock file with the page's texts,
// hands and faces, offered as the download "oriclock.exe".
import { showHands, handValues } from './hands.js';
import { $, failedInCore, showMessage, state } from './page_state.js';
import { facesOfImages } from './picture_input.js';
import { restartPreview } from './preview.js';
import { TEXT_FIELDS, saveTexts, texts } from './settings.js';
import { showPicture, takeFaces } from './strip_view.js';

export function isWindowsProgram(start) { return start[0] === 0x4D && start[1] === 0x5A; }  // "MZ"

// Reads a clock file; state.reading is settled once it is read or refused.
export function openClock(file) {
  state.reading = readClock(file);
  return state.reading;
}

async function readClock(file) {
  const { core } = state;
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
    takeFaces(facesOfImages(state.core, opened.faces));
  }
  showPicture();
  restartPreview();
  if (build < 0) showMessage('clockTitle', 'unknownShape');
}

export async function makeClock() {
  saveTexts();  // before anything can fail, as in the editor
  await state.fitting;  // an animation's faces still following a moved square
  const { core } = state;
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
    clock = core.buildClock(program, texts(), handValues(), state.strip || state.emptyFace);
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
