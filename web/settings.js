// The three texts are remembered in this browser when a clock is made, as the editor keeps
// them in its settings file, and filled in the next time.
import { $ } from './page_state.js';

export const TEXT_FIELDS = ['name', 'url', 'mail'];
const SETTINGS_KEY = 'TavimoreE.Users';
const SETTINGS_NAMES = { name: 'NAME', url: 'URL', mail: 'MAIL' };

export function texts() { return Object.fromEntries(TEXT_FIELDS.map((id) => [id, $(id).value])); }

export function saveTexts() {
  try {
    const saved = Object.fromEntries(TEXT_FIELDS.map((id) => [SETTINGS_NAMES[id], $(id).value]));
    localStorage.setItem(SETTINGS_KEY, JSON.stringify(saved));
  } catch (e) { /* storage turned off: the texts are simply not remembered */ }
}

export function loadTexts() {
  try {
    const saved = JSON.parse(localStorage.getItem(SETTINGS_KEY) || '{}');
    for (const id of TEXT_FIELDS)
      if (typeof saved[SETTINGS_NAMES[id]] === 'string') $(id).value = saved[SETTINGS_NAMES[id]];
  } catch (e) { /* nothing remembered, or not readable: the fields stay empty */ }
}
