// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the browser reads it fastest: its WebAssembly gzipped in place
// of the linker's base64 (the shell's loader unpacks it with the browser's
// own DecompressionStream), and every character outside ASCII written as an
// escape of its context, so that the browser keeps the page's text, scripts
// included, in one byte a character.
//   node pack_page.mjs PAGE.html
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';

const [file] = process.argv.slice(2);
let html = readFileSync(file, 'utf8');

const marker = 'wasmBinaryFile="data:application/octet-stream;base64,';
const placeholder = '@GZIPPED_WASM@';
const start = html.indexOf(marker);
if (html.includes(placeholder)) {
  if (start < 0) throw new Error(file + ': no embedded WebAssembly to pack');
  const from = start + marker.length, to = html.indexOf('"', from);
  const packed = gzipSync(Buffer.from(html.slice(from, to), 'base64'), { level: 9 }).toString('base64');
  // The linker's copy emptied: the loader is the only one read.
  html = html.slice(0, from) + html.slice(to);
  html = html.replace(placeholder, packed);
}

const code = (character) => character.codePointAt(0).toString(16);
// In a script, \u escapes of UTF-16 units: valid in strings, templates, regular expressions and comments.
const inScript = (character) => Array.from({ length: character.length }, (_, i) =>
  '\\u' + character.charCodeAt(i).toString(16).padStart(4, '0')).join('');
const escapes = { script: inScript, style: (character) => '\\' + code(character) + ' ', markup: (character) => '&#x' + code(character) + ';' };
const outsideAscii = /[^\x00-\x7f]/gu;
html = html.replace(/(<(script|style)\b[^>]*>)([\s\S]*?)(<\/\2>)|([^<]+|<)/g, (whole, open, element, body, close) =>
  open ? open + body.replace(outsideAscii, escapes[element]) + close : whole.replace(outsideAscii, escapes.markup));
writeFileSync(file, html);
