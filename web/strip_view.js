// The picture's faces as the editor shows them: PIC holds the first face, AREA the whole
// strip at its own size, with the number of faces beside them.
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

export function showPicture() {
  const { core, strip } = state;
  const size = core.faceSize;
  const pic = $('pic').getContext('2d');
  const first = pic.createImageData(size, size);
  faceToImageData(strip || state.emptyFace, 0, first, 0);
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

// The canvases take the core's sizes; index.html gives them the same in advance, so that
// nothing moves when the core is loaded.
export function sizePicture() {
  $('pic').width = $('pic').height = $('area').width = state.core.faceSize;
}
