// The square frame over a picture that is not a strip, as avatar croppers have it: dragged
// with the mouse (or a finger) or moved with the arrow keys, enlarged and shrunk with the
// slider or the wheel. Its size changes about its centre. The square is in the picture's
// own pixels and always lies wholly inside it; the face is made from it by the core.
import { $ } from './page_state.js';

// The wheel changes the side by a twentieth a notch: fine enough to aim, and from the
// smallest to the largest square of a photo in a few dozen notches.
const WHEEL_STEP = 1.05;
// Shift with an arrow key moves ten steps, as in most editors.
const FAST = 10;

let picture = null;  // the picture shown, or null
let changed = () => {};

// Picture pixels per CSS pixel of the picture as shown.
function scale() { return picture.width / $('crop-picture').getBoundingClientRect().width; }

function clamp(value, low, high) { return Math.min(Math.max(value, low), high); }

// Moves the square to `square`, brought inside the picture, and tells the page.
function setSquare({ left, top, size }) {
  size = clamp(Math.round(size), 1, Math.min(picture.width, picture.height));
  picture.square = { left: clamp(Math.round(left), 0, picture.width - size),
                     top: clamp(Math.round(top), 0, picture.height - size), size };
  place();
  changed(picture);
}

// The side `size`, about the square's centre.
function resize(size) {
  const { left, top, size: old } = picture.square;
  setSquare({ left: left + (old - size) / 2, top: top + (old - size) / 2, size });
}

function place() {
  const { left, top, size } = picture.square, k = 1 / scale(), box = $('crop-square').style;
  box.left = left * k + 'px'; box.top = top * k + 'px';
  box.width = box.height = size * k + 'px';
  $('crop-size').value = size;
}

// Shows `shown` (a picture of the faces, or null to hide the frame).
export function showCropper(shown) {
  if (shown && shown === picture) return place();
  picture = shown;
  $('cropper').hidden = !picture;
  if (!picture) return;
  const canvas = $('crop-picture');
  canvas.width = picture.width; canvas.height = picture.height;
  canvas.getContext('2d').putImageData(
    new ImageData(new Uint8ClampedArray(picture.rgba.buffer, picture.rgba.byteOffset,
                                        picture.rgba.length), picture.width, picture.height), 0, 0);
  $('crop-size').max = Math.min(picture.width, picture.height);
  place();
}

function drag(e) {
  if (!picture || e.button !== 0) return;
  e.preventDefault();
  const square = $('crop-square'), from = { x: e.clientX, y: e.clientY, ...picture.square };
  square.setPointerCapture(e.pointerId);
  square.focus();
  const move = (m) => setSquare({ left: from.left + (m.clientX - from.x) * scale(),
                                  top: from.top + (m.clientY - from.y) * scale(),
                                  size: from.size });
  const end = () => {
    square.removeEventListener('pointermove', move);
    square.removeEventListener('pointerup', end);
    square.removeEventListener('pointercancel', end);
  };
  square.addEventListener('pointermove', move);
  square.addEventListener('pointerup', end);
  square.addEventListener('pointercancel', end);
}

// An arrow moves the square by one pixel of the picture as shown (at least one of the
// picture's own), Shift ten times that.
function key(e) {
  const way = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] }[e.key];
  if (!picture || !way) return;
  e.preventDefault();
  const step = Math.max(1, Math.round(scale())) * (e.shiftKey ? FAST : 1);
  const { left, top, size } = picture.square;
  setSquare({ left: left + way[0] * step, top: top + way[1] * step, size });
}

function wheel(e) {
  if (!picture || !e.deltaY) return;
  e.preventDefault();
  const size = picture.square.size;
  const next = e.deltaY < 0 ? Math.max(size + 1, size * WHEEL_STEP)
    : Math.min(size - 1, size / WHEEL_STEP);
  resize(next);
}

// onChange(picture) is called at every move of the square.
export function wireCropper(onChange) {
  changed = onChange;
  $('crop-square').addEventListener('pointerdown', drag);
  $('crop-square').addEventListener('keydown', key);
  $('cropper').addEventListener('wheel', wheel, { passive: false });
  $('crop-size').addEventListener('input', () => picture && resize(Number($('crop-size').value)));
  // The frame is drawn in CSS pixels, which a new layout (a zoom) changes.
  addEventListener('resize', () => picture && place());
}
