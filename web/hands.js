// The hands' fields: colour values 0x00BBGGRR and lengths 1 to 100, hour first, as the core
// takes them.
import { $, state } from './page_state.js';

function colourValue(hex) {
  const rgb = parseInt(hex.slice(1), 16);
  return ((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16) & 0xFF) >>> 0;
}

function colourHex(value) {
  const rgb = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16) & 0xFF;
  return '#' + rgb.toString(16).padStart(6, '0');
}

export function handValues() {
  const values = new Uint32Array(2 * state.core.handCount);
  for (let h = 0; h < state.core.handCount; h += 1) {
    values[2 * h] = colourValue($('col' + h).value);
    values[2 * h + 1] = Number($('len' + h).value);
  }
  return values;
}

export function showHands(values) {
  for (let h = 0; h < state.core.handCount; h += 1) {
    $('col' + h).value = colourHex(values[2 * h]);
    $('len' + h).value = String(values[2 * h + 1]);
    showLength(h);
  }
}

export function showLength(h) { $('dsp' + h).textContent = $('len' + h).value + '%'; }
