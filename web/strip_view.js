// The faces as the page shows them: PIC holds the first face, and below it the row of all
// faces, each of which can be chosen (a framed picture's square is then shown over it),
// moved earlier or later, dragged to another place, or removed. The number of faces stands
// beside them.
import { showCropper } from './crop_view.js';
import { $, state, t } from './page_state.js';

// Face image `offset` values into `values` (bottom row first, 0x00RRGGBB) as the canvas
// pixels of `target` from row `top` down.
function faceToImageData(values, offset, target, top) {
  const d = target.data, size = state.core.faceSize;
  for (let y = 0; y < size; y += 1) {
    const row = offset + (size - 1 - y) * size;
    for (let x = 0; x < size; x += 1) {
      const v = values[row + x], i = ((top + y) * size + x) * 4;
      d[i] = (v >> 16) & 0xFF; d[i + 1] = (v >> 8) & 0xFF; d[i + 2] = v & 0xFF; d[i + 3] = 255;
    }
  }
}

export function imageCount() { return state.strip ? state.strip.length / state.core.imageValues : 0; }

export function showStripInfo() {
  $('strip-info').textContent = state.strip ? t('faces')(imageCount()) : '';
}

// Takes `faces` ({ face, picture? } each, see picture_input.js) as the clock's faces, in
// order; the face chosen is `selected`.
export function takeFaces(faces, selected = 0) {
  state.faces = faces;
  state.selected = Math.min(selected, Math.max(faces.length - 1, 0));
  joinFaces();
}

// state.strip anew from the faces, in their order (null with none).
export function joinFaces() {
  const n = state.core.imageValues;
  if (!state.faces.length) {
    state.strip = null;
    return;
  }
  state.strip = new Uint32Array(state.faces.length * n);
  state.faces.forEach((f, k) => state.strip.set(f.face, k * n));
}

function faceCanvas(values, offset) {
  const size = state.core.faceSize, canvas = document.createElement('canvas');
  canvas.width = canvas.height = size;
  const data = canvas.getContext('2d').createImageData(size, size);
  faceToImageData(values, offset, data, 0);
  canvas.getContext('2d').putImageData(data, 0, 0);
  return canvas;
}

export function showPicture() {
  const { core, strip } = state;
  const size = core.faceSize;
  const pic = $('pic').getContext('2d');
  const first = pic.createImageData(size, size);
  faceToImageData(strip || state.emptyFace, 0, first, 0);
  pic.putImageData(first, 0, 0);
  const row = $('faces');
  row.replaceChildren(...state.faces.map((f, k) => {
    const tile = faceCanvas(strip, k * core.imageValues);
    tile.className = k === state.selected ? 'face selected' : 'face';
    tile.draggable = true;
    tile.dataset.index = k;
    return tile;
  }));
  for (const id of ['earlier', 'later', 'remove']) $(id).disabled = !state.faces.length;
  const chosen = state.faces[state.selected];
  showCropper(chosen && chosen.picture ? chosen.picture : null);
  showStripInfo();
}

// The faces' order changed or one went: the strip, the row and the preview follow.
let facesChanged = () => {};

function moveFace(from, to) {
  if (to < 0 || to >= state.faces.length || from === to) return;
  const [face] = state.faces.splice(from, 1);
  state.faces.splice(to, 0, face);
  state.selected = to;
  joinFaces();
  facesChanged();
}

export function wireFaces(onChange) {
  facesChanged = onChange;
  const row = $('faces');
  row.addEventListener('click', (e) => {
    if (!e.target.dataset.index) return;
    state.selected = Number(e.target.dataset.index);
    facesChanged();
  });
  $('earlier').addEventListener('click', () => moveFace(state.selected, state.selected - 1));
  $('later').addEventListener('click', () => moveFace(state.selected, state.selected + 1));
  $('remove').addEventListener('click', () => {
    state.faces.splice(state.selected, 1);
    takeFaces(state.faces, state.selected);
    facesChanged();
  });
  // A face dragged onto another takes its place; the page's own drop (files) is not asked.
  row.addEventListener('dragstart', (e) => {
    e.dataTransfer.setData('application/x-tavimore-face', e.target.dataset.index);
  });
  row.addEventListener('dragover', (e) => e.preventDefault());
  row.addEventListener('drop', (e) => {
    const from = e.dataTransfer.getData('application/x-tavimore-face');
    if (from === '' || !e.target.dataset.index) return;
    e.preventDefault();
    e.stopPropagation();
    moveFace(Number(from), Number(e.target.dataset.index));
  });
}

// The canvases take the core's sizes; index.html gives them the same in advance, so that
// nothing moves when the core is loaded.
export function sizePicture() {
  $('pic').width = $('pic').height = state.core.faceSize;
}
