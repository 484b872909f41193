// The preview: the clock's window as the core draws it for this screen, at its own size and
// enlarged, redrawn when the core's tick rule says a clock would redraw, with the face
// image the core gives.
import { OutOfMemory } from './core_bridge.js';
import { handValues } from './hands.js';
import { $, params, state } from './page_state.js';
import { imageCount } from './strip_view.js';

const ENLARGED = 3;  // the large preview, three times the clock's size

// The test parameters: the hands stay at ?time=HH:MM:SS, the face on ?frame=K; the ticks
// still follow the local time.
function fixedTime() {
  const fixed = /^(\d\d):(\d\d):(\d\d)$/.exec(params.get('time') || '');
  return fixed ? fixed.slice(1).map(Number) : null;
}

function fixedFace(count) {
  const frame = params.get('frame');
  return count > 0 && frame !== null ? Number(frame) % count : null;
}

// Draws one tick of the core, { faceImage, time }; null is nothing to draw.
function draw(tick) {
  if (!tick) return;
  const { core, strip } = state;
  const k = fixedFace(imageCount()) ?? tick.faceImage;
  const face = k >= 0 ? strip.subarray(k * core.imageValues, (k + 1) * core.imageValues)
                      : state.emptyFace;
  const time = fixedTime() || tick.time;
  let image;
  try {
    image = core.render($('shape').selectedIndex, handValues(), face, time, state.previewDpi);
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
  state.shown = { faceImage: k, time, at: tick.time };
}

// Each wake asks the core whether the clock redraws at the local time, as a clock does.
export function tick() {
  draw(state.core.tick(imageCount(), new Date()));
  setTimeout(tick, state.core.wakeDelay(Date.now() % 1000));
}

// A new picture or clock: the faces start again from the first, shown at once.
export function restartPreview() {
  state.core.restartTicker();
  draw(state.core.tick(imageCount(), new Date()));
}

// The hands, the shape or the scale changed: the last redraw again, drawn anew.
export function redrawPreview() { draw(state.core.lastTick(imageCount())); }

// The preview is the window a clock shows on this screen: drawn by the core at the screen's
// DPI, one canvas pixel to a device pixel, while it keeps the clock's size in CSS pixels
// (the enlarged one three times that), so the page's layout is the same on every screen.
// At a fractional ratio the DPI is rounded as a clock rounds its screen's scale, and the
// canvas holds the window that clock shows, 103 pixels at 1.25, in a box of 102.5 device
// pixels: the browser lays those pixels out unsmoothed, dropping or doubling at most one
// row and column, which we prefer to a box of 82.4 CSS pixels that moves the layout.
export function sizePreview() {
  const { core } = state;
  state.previewDpi = Math.round(core.baseDpi * window.devicePixelRatio);
  const side = core.windowSizeAt(state.previewDpi);
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
export function followPixelRatio() {
  const current = matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
  current.addEventListener('change', () => {
    sizePreview();
    redrawPreview();
    followPixelRatio();
  }, { once: true });
}
