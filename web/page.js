// SPDX-License-Identifier: GPL-3.0-or-later
// The page around the shared rules: hands every text of the window (written
// into the page from the placement table) to the WebAssembly calculation and
// back. Runs after Emscripten's start-up code, in the same file.
(function () {
  'use strict';

  const DOMAIN_INTERVALS = 100;
  const BATCH_SLICE = 1000;          // records between two looks at the clock
  const FRAME_BUDGET = 40;           // milliseconds of work between two paints
  const FIELD_SEPARATOR = '\u001f';

  // The browser's decimal mark, as the shared rules read it back.
  const mark = (1.5).toLocaleString(navigator.language).includes(',') ? ',' : '.';
  const $ = (id) => document.getElementById(id);
  const call = (name, types, args) => JSON.parse(Module.ccall(name, 'string', types, args));

  function showMessage(message) {
    $('messaggio_titolo').textContent = message.title;
    $('messaggio_testo').textContent = message.text;
    $('messaggio').showModal();
    $('messaggio_ok').focus();
  }

  // --- the window, written into the page from the placement table ---

  const form = $('form1');
  const inputs = form.dataset.inputs.split(' ');

  // As wide as the page allows, from a phone's 360 pixels to twice the window.
  function fitToWidth() {
    const scale = Math.min(2, $('scala').clientWidth / form.offsetWidth);
    form.style.transform = 'scale(' + scale + ')';
    $('scala').style.height = form.offsetHeight * scale + 'px';
  }

  // In the order the Calculate command reads them.
  function fieldTexts() {
    return inputs.map((id) => $(id).value).join(FIELD_SEPARATOR);
  }

  function calculate() {
    const result = call('mu_calculate', ['string', 'number'], [fieldTexts(), mark.charCodeAt(0)]);
    if (result.d !== null) $('txt_D').value = result.d;
    if (result.axialForce !== null) $('txt_Nd').style.background = result.axialForce ? '' : form.dataset.noAxialForce;
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

  // --- the calculation report ---

  function today() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return now.getFullYear() + '-' + two(now.getMonth() + 1) + '-' + two(now.getDate());
  }

  // The report's HTML of the section in the fields, or none after its message.
  function reportHtml() {
    const result = call('mu_report', ['string', 'number', 'string', 'string', 'string', 'string'],
                        [fieldTexts(), mark.charCodeAt(0), $('txt_Titolo').value, $('sel_Unita').value, today(),
                         $('combinazioni').value]);
    $('avviso_relazione').textContent = result.warning || '';
    if (result.message) {
      showMessage(result.message);
      return null;
    }
    return result.html;
  }

  function openReport() {
    const html = reportHtml();
    if (html === null) return;
    window.open(URL.createObjectURL(new Blob([html], { type: 'text/html' })), '_blank');
  }

  // The report laid into the page for its printing, with its own style.
  function prepareReportPrint() {
    const html = reportHtml();
    const target = $('relazione_stampa');
    target.replaceChildren();
    if (html === null) return;
    const report = new DOMParser().parseFromString(html, 'text/html');
    const body = document.createElement('div');
    body.className = 'relazione';
    body.append(...report.body.childNodes);
    target.append(report.querySelector('style'), body);
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
        const start = performance.now();
        let done = 0;
        do done = Module.ccall('mu_batch_step', 'number', ['number'], [BATCH_SLICE]);
        while (done >= 0 && performance.now() - start < FRAME_BUDGET);
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
    if (finished.error) {
      $('esito_lotto').textContent = finished.error;
      showMessage({ title: 'Lotto', text: finished.error });
      return;
    }
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
    $('esito_lotto').textContent = finished.note + (finished.status === 0 ? ' Ogni sezione è calcolata.' : ' Alcune sezioni sono rifiutate.') +
      ' Righe lette: ' + finished.records + '.';
  }

  // --- start ---

  fitToWidth();
  window.addEventListener('resize', fitToWidth);
  $('cmd_Calc').addEventListener('click', calculate);
  $('Cmd_UM').addEventListener('click', () => { $('Lbl_UM').hidden = false; $('Cmd_UM').hidden = true; });
  $('Lbl_UM').addEventListener('click', () => { $('Lbl_UM').hidden = true; $('Cmd_UM').hidden = false; });
  $('cmd_Dominio').addEventListener('click', drawDomain);
  $('cmd_Relazione').addEventListener('click', openReport);
  window.addEventListener('beforeprint', prepareReportPrint);
  $('disegno').addEventListener('mousemove', pointAt);
  $('file_lotto').addEventListener('change', (event) => { if (event.target.files[0]) computeBatch(event.target.files[0]); });
  $('txt_Nd').focus();
  // The calculation has loaded: its buttons work.
  function ready() {
    for (const id of ['cmd_Calc', 'cmd_Dominio', 'cmd_Relazione', 'file_lotto']) $(id).disabled = false;
    document.body.dataset.ready = 'true';
  }
  if (Module.calledRun) ready(); else Module.onRuntimeInitialized = ready;
})();
