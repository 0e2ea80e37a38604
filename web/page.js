// SPDX-License-Identifier: GPL-3.0-or-later
// The page around the shared rules: builds the window from the placement
// table, and hands every text to the WebAssembly calculation and back.
// Runs after Emscripten's start-up code, in the same file.
(function () {
  'use strict';

  const TWIPS_PER_PIXEL = 15;        // 1440 twips to the inch, 96 pixels to the inch
  const DOMAIN_INTERVALS = 100;
  const BATCH_SLICE = 4000;          // records between two paints
  const FIELD_SEPARATOR = '\u001f';
  const KIND = { button: 0, label: 1, field: 2, frame: 3, rectangle: 4 };

  // The browser's decimal mark, as the shared rules read it back.
  const mark = (1.5).toLocaleString(navigator.language).includes(',') ? ',' : '.';
  const $ = (id) => document.getElementById(id);
  const call = (name, types, args) => JSON.parse(Module.ccall(name, 'string', types, args));

  function px(twips) { return (twips / TWIPS_PER_PIXEL) + 'px'; }
  function fontOf(font) {
    return (font.italic ? 'italic ' : '') + (font.bold ? 'bold ' : '') + (font.points * 96 / 72) + 'px ' +
      font.faces.map((face) => '"' + face + '"').join(', ') + ', Arial, sans-serif';
  }

  function showMessage(message) {
    $('messaggio_titolo').textContent = message.title;
    $('messaggio_testo').textContent = message.text;
    $('messaggio').showModal();
    $('messaggio_ok').focus();
  }

  // --- the window, from the placement table ---

  function buildWindow(layout) {
    const form = $('form1');
    form.style.width = px(layout.width);
    form.style.height = px(layout.height);
    form.style.background = layout.face;
    form.style.font = fontOf({ faces: layout.faces, points: 8, bold: false, italic: false });
    const placed = {};
    for (const c of layout.controls) {
      let element;
      if (c.kind === KIND.button) {
        element = document.createElement('button');
        element.type = 'button';
        element.textContent = c.caption;
      } else if (c.kind === KIND.field) {
        element = document.createElement('input');
        element.type = 'text';
        element.title = c.caption;
        element.setAttribute('aria-label', c.caption);
        element.readOnly = c.readOnly;
        element.autocomplete = 'off';
        element.spellcheck = false;
      } else if (c.kind === KIND.frame) {
        // A group with its caption on the border; a fieldset would move its
        // contents below the caption.
        element = document.createElement('div');
        element.className = 'frame';
        element.setAttribute('role', 'group');
        const caption = document.createElement('span');
        caption.className = 'caption';
        caption.id = c.name + '_caption';
        caption.textContent = c.caption;
        element.setAttribute('aria-labelledby', caption.id);
        element.appendChild(caption);
      } else {
        element = document.createElement('div');
        element.className = c.kind === KIND.label ? 'label' + (c.right ? ' right' : '') : 'shape';
        if (c.kind === KIND.label) element.textContent = c.caption;
        if (c.kind === KIND.rectangle) element.setAttribute('aria-hidden', 'true');
      }
      element.id = c.name;
      element.classList.add('control');
      Object.assign(element.style, { left: px(c.left), top: px(c.top), width: px(c.width), height: px(c.height) });
      if (c.kind === KIND.rectangle) {
        element.style.background = c.background;
        element.style.border = '1px solid ' + c.text;
      } else {
        if (c.background) element.style.background = c.background;
        if (c.text) element.style.color = c.text;
      }
      if (c.font.faces[0] !== layout.faces[0] || c.font.points !== 8 || c.font.bold || c.font.italic)
        element.style.font = fontOf(c.font);
      element.tabIndex = c.tab >= 0 ? c.tab + 1 : -1;
      if (c.hidden) element.hidden = true;
      (c.parent ? placed[c.parent] : form).appendChild(element);
      placed[c.name] = element;
    }
    for (const field of layout.fields) placed[field.name].value = field.initial;
    drawLines(form, layout);
    // The note's place: a label that hides itself when clicked.
    $('Lbl_UM').setAttribute('role', 'note');
    return placed;
  }

  function drawLines(form, layout) {
    const svgNs = 'http://www.w3.org/2000/svg';
    const svg = document.createElementNS(svgNs, 'svg');
    svg.setAttribute('width', layout.width / TWIPS_PER_PIXEL);
    svg.setAttribute('height', layout.height / TWIPS_PER_PIXEL);
    svg.setAttribute('aria-hidden', 'true');
    let previous = null;
    for (const l of layout.lines) {
      const line = document.createElementNS(svgNs, 'line');
      const offset = l.underPrevious && previous ? 1 : 0;  // the etched rule's light half, right under its dark one
      const y1 = offset ? previous.y1 + offset : l.y1 / TWIPS_PER_PIXEL + l.width / 2;
      const coordinates = { x1: l.x1 / TWIPS_PER_PIXEL, y1, x2: l.x2 / TWIPS_PER_PIXEL,
                            y2: offset ? y1 : l.y2 / TWIPS_PER_PIXEL + l.width / 2 };
      for (const [key, value] of Object.entries(coordinates)) line.setAttribute(key, value);
      line.setAttribute('stroke', l.colour);
      line.setAttribute('stroke-width', l.width);
      line.setAttribute('stroke-linecap', 'round');
      svg.appendChild(line);
      previous = coordinates;
    }
    form.appendChild(svg);
  }

  // As wide as the page allows, from a phone's 360 pixels to twice the window.
  function fitToWidth(layout) {
    const natural = layout.width / TWIPS_PER_PIXEL;
    const scale = Math.min(2, $('scala').clientWidth / natural);
    $('form1').style.transform = 'scale(' + scale + ')';
    $('scala').style.height = (layout.height / TWIPS_PER_PIXEL) * scale + 'px';
  }

  // In the order the Calculate command reads them.
  function fieldTexts() {
    return layout.inputs.map((id) => $(id).value).join(FIELD_SEPARATOR);
  }

  function calculate() {
    const result = call('mu_calculate', ['string', 'number'], [fieldTexts(), mark.charCodeAt(0)]);
    if (result.d !== null) $('txt_D').value = result.d;
    if (result.axialForce !== null) $('txt_Nd').style.background = result.axialForce ? '' : layout.noAxialForce;
    if (result.message) {
      showMessage(result.message);
      return;
    }
    $('txt_Mu').value = result.mu;
    $('txt_Yc').value = result.yc;
  }

  // --- the resistance domain ---

  function fillTable(table, rows, rowClass) {
    table.replaceChildren();
    rows.forEach((cells, index) => {
      const row = table.insertRow();
      if (index > 0 && rowClass) row.className = rowClass(cells);
      for (const cell of cells) {
        const element = document.createElement(index === 0 ? 'th' : 'td');
        element.textContent = cell;
        row.appendChild(element);
      }
    });
  }

  function drawDomain() {
    const result = call('mu_domain', ['string', 'number', 'number', 'string'],
                        [fieldTexts(), mark.charCodeAt(0), DOMAIN_INTERVALS, $('combinazioni').value]);
    if (result.message) {
      showMessage(result.message);
      return;
    }
    $('disegno').innerHTML = result.svg.replace(/^<\?xml[^>]*>\s*/, '');
    const verdict = (cells) => cells[cells.length - 1] === 'verificato' ? 'verificata' : 'non-verificata';
    fillTable($('verdetti'), result.verdicts, verdict);
    fillTable($('punti'), result.points, (cells) => cells[cells.length - 1] === 'ok' ? '' : 'rifiutata');
    if (result.error) showMessage({ title: 'Combinazioni', text: result.error });
  }

  // N and M under the pointer, from the picture's own scale.
  function pointAt(event) {
    const svg = $('disegno').querySelector('svg');
    if (!svg) return;
    const [left, top, right, bottom] = svg.dataset.plot.split(' ').map(Number);
    const [nLow, nHigh] = svg.dataset.n.split(' ').map(Number);
    const [mLow, mHigh] = svg.dataset.m.split(' ').map(Number);
    const box = svg.getBoundingClientRect();
    const x = (event.clientX - box.left) * 800 / box.width, y = (event.clientY - box.top) * 600 / box.height;
    if (x < left || x > right || y < top || y > bottom) {
      $('puntatore').textContent = '';
      return;
    }
    const N = nLow + (x - left) / (right - left) * (nHigh - nLow);
    const M = mHigh - (y - top) / (bottom - top) * (mHigh - mLow);
    const text = (value) => Module.ccall('mu_number_text', 'string', ['number', 'number'], [value, mark.charCodeAt(0)]);
    $('puntatore').textContent = 'N = ' + text(N) + '   M = ' + text(M);
  }

  // --- lotto, in slices so that the page keeps answering ---

  function computeBatch(file) {
    const reader = new FileReader();
    reader.onload = () => {
      const bytes = new Uint8Array(reader.result);
      let lines = 0;
      for (let i = 0; i < bytes.length; ++i) if (bytes[i] === 10) ++lines;
      const pointer = Module._malloc(bytes.length + 1);
      Module.HEAPU8.set(bytes, pointer);
      const started = call('mu_batch_start', ['number', 'number', 'number'], [pointer, bytes.length, mark.charCodeAt(0)]);
      Module._free(pointer);
      $('scarica').hidden = true;
      if (started.error) {
        $('esito_lotto').textContent = started.error;
        showMessage({ title: 'Lotto', text: started.error });
        return;
      }
      $('esito_lotto').textContent = started.note;
      const progress = $('avanzamento');
      progress.max = Math.max(1, lines);
      const slice = () => {
        const done = Module.ccall('mu_batch_step', 'number', ['number'], [BATCH_SLICE]);
        if (done >= 0) {
          progress.value = done;
          setTimeout(slice, 0);
          return;
        }
        progress.value = progress.max;
        finishBatch(file.name);
      };
      slice();
    };
    reader.readAsArrayBuffer(file);
  }

  function finishBatch(name) {
    const finished = call('mu_batch_finish', [], []);
    const pointer = Module.ccall('mu_batch_output', 'number', [], []);
    const length = Module.ccall('mu_batch_output_length', 'number', [], []);
    const blob = new Blob([Module.HEAPU8.slice(pointer, pointer + length)], { type: 'text/csv' });
    const link = $('scarica');
    if (link.href) URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(blob);
    link.download = name.replace(/(\.[^.]*)?$/, '-risultati.csv');
    link.textContent = 'Scarica ' + link.download;
    link.hidden = false;
    const refused = (cells) => cells[cells.length - 1] === 'ok' ? '' : 'rifiutata';
    fillTable($('anteprima'), [finished.header].concat(finished.preview), refused);
    $('esito_lotto').textContent += (finished.status === 0 ? ' Ogni sezione è calcolata.' : ' Alcune sezioni sono rifiutate.') +
      ' Righe lette: ' + finished.records + '.';
  }

  // --- start ---

  // The window is built from the placement table once the calculation has
  // loaded; until then its place says so and nothing can be clicked.
  let layout = null;
  function start() {
    layout = call('mu_layout', [], []);
    $('form1').replaceChildren();
    buildWindow(layout);
    fitToWidth(layout);
    window.addEventListener('resize', () => fitToWidth(layout));
    $('cmd_Calc').addEventListener('click', calculate);
    $('Cmd_UM').addEventListener('click', () => { $('Lbl_UM').hidden = false; $('Cmd_UM').hidden = true; });
    $('Lbl_UM').addEventListener('click', () => { $('Lbl_UM').hidden = true; $('Cmd_UM').hidden = false; });
    $('cmd_Dominio').addEventListener('click', drawDomain);
    $('disegno').addEventListener('mousemove', pointAt);
    $('file_lotto').addEventListener('change', (event) => { if (event.target.files[0]) computeBatch(event.target.files[0]); });
    for (const id of ['cmd_Dominio', 'file_lotto']) $(id).disabled = false;
    $('txt_Nd').focus();
    document.body.dataset.ready = 'true';
  }
  if (Module.calledRun) start(); else Module.onRuntimeInitialized = start;
})();
