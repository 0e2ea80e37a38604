// SPDX-License-Identifier: GPL-3.0-or-later
// The page with its WebAssembly gzipped in place of the linker's base64:
// less text for the browser to read before the page is ready. The shell's
// loader unpacks it with the browser's own DecompressionStream.
//   node pack_wasm.mjs PAGE.html
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';

const [file] = process.argv.slice(2);
let html = readFileSync(file, 'utf8');
const marker = 'wasmBinaryFile="data:application/octet-stream;base64,';
const start = html.indexOf(marker);
const placeholder = '@GZIPPED_WASM@';
if (start < 0 || !html.includes(placeholder)) {
  if (html.includes(placeholder)) throw new Error(file + ': no embedded WebAssembly to pack');
  process.exit(0);  // packed already
}
const from = start + marker.length, to = html.indexOf('"', from);
const packed = gzipSync(Buffer.from(html.slice(from, to), 'base64'), { level: 9 }).toString('base64');
// The linker's copy emptied: the loader is the only one read.
html = html.slice(0, from) + html.slice(to);
html = html.replace(placeholder, packed);
writeFileSync(file, html);
