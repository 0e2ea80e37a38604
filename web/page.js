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

  // The browser's decimal mark as the shared rules read it back, asked of the
  // browser when first needed: its number formats take a while to load.
  let mark = null;
  const markCode = () => (mark ??= ((1.5).toLocaleString(navigator.language).includes(',') ? ',' : '.')).charCodeAt(0);
  const $ = (id) => document.getElementById(id);
  // A call of the calculation, its texts handed over on the heap (the stack
  // holds no long text). Anything that goes wrong is said, and the page goes on.
  function call(name, types, args) {
    const held = [];
    try {
      const heapArgs = args.map((arg, i) => {
        if (types[i] !== 'string') return arg;
        const bytes = new TextEncoder().encode(arg);
        const pointer = Module._malloc(bytes.length + 1);
        if (!pointer) throw new Error('memoria esaurita');
        held.push(pointer);
        Module.HEAPU8.set(bytes, pointer);
        Module.HEAPU8[pointer + bytes.length] = 0;
        return pointer;
      });
      return JSON.parse(Module.ccall(name, 'string', types.map((type) => type === 'string' ? 'number' : type), heapArgs));
    } catch (error) {
      showMessage({ title: 'Errore', text: 'Il calcolo non è riuscito (' + error.message + '). La pagina resta utilizzabile.' });
      return null;
    } finally {
      for (const pointer of held) Module._free(pointer);
    }
  }

  function showMessage(message) {
    $('messaggio_titolo').textContent = message.title;
    $('messaggio_testo').textContent = message.text;
    $('messaggio').showModal();
    $('messaggio_ok').focus();
  }

  // --- the window, written into the page from the placement table ---

  const form = $('form1');
  const inputs = form.dataset.inputs.split(' ');
  const options = form.dataset.options.split(' ');  // the command line's names, in the same order
  const windowWidth = parseFloat(form.style.width), windowHeight = parseFloat(form.style.height);

  // The window's picture from its own width up to twice it; narrower, the
  // same fields one under the other, at a phone's sizes.
  function fitToWidth() {
    const room = $('scala').clientWidth;
    const phone = room < windowWidth;
    document.body.classList.toggle('telefono', phone);
    const scale = Math.min(2, room / windowWidth);
    form.style.transform = phone ? '' : 'scale(' + scale + ')';
    $('scala').style.height = phone ? '' : windowHeight * scale + 'px';
  }

  // --- the section kept across reloads, and carried by a link ---

  const STORE = 'momento-ultimo';
  // The choosers beside the window, by their names in a link.
  const CHOOSERS = { unita: 'sel_Unita', calcestruzzo: 'sel_Calcestruzzo', acciaio: 'sel_Acciaio', elemento: 'sel_Elemento' };
  const kept = () => [...inputs, 'combinazioni', 'txt_Titolo', ...Object.values(CHOOSERS),
                      'txt_Md', 'sel_Compressa', 'txt_Rapporto', 'txt_Barre'];

  function keep() {
    try {
      const values = Object.fromEntries(kept().map((id) => [id, $(id).value]));
      localStorage.setItem(STORE, JSON.stringify({ ...values, link: location.hash }));
    } catch { /* storage refused: the page works without it */ }
  }

  function restore() {
    let saved = {};
    try { saved = JSON.parse(localStorage.getItem(STORE)) || {}; } catch { saved = {}; }
    for (const id of kept()) if (typeof saved[id] === 'string') $(id).value = saved[id];
    enableChoosers();
    // A link followed once gives way, on a reload, to what the user typed since.
    if (location.hash !== saved.link) followLink();
  }

  const LINK_NAME_SHOWN = 20;  // characters of an ignored key said back

  // A link's section, #b=30&h=50...: the whole section, a field it does not
  // give emptied as at start. Whatever cannot be read is said in one line.
  function followLink() {
    const hash = location.hash.slice(1);
    if (hash === '') return;
    const given = new Map(), ignored = [];
    for (const pair of hash.split('&')) {
      if (pair === '') continue;
      const equals = pair.indexOf('=');
      const name = equals < 0 ? pair : pair.slice(0, equals);
      const shownName = name.length > LINK_NAME_SHOWN ? name.slice(0, LINK_NAME_SHOWN) + '…' : name;
      let value;
      try { value = decodeURIComponent(equals < 0 ? '' : pair.slice(equals + 1)); } catch { value = null; }
      const chooser = CHOOSERS[name] && $(CHOOSERS[name]);
      if (!options.includes(name) && !chooser) ignored.push(shownName + ' (sconosciuto)');
      else if (value === null) ignored.push(name + ' (non leggibile)');
      else if (given.has(name)) ignored.push(name + ' (ripetuto)');
      else if (chooser && ![...chooser.options].some((option) => option.value === value)) ignored.push(name + ' (non ammesso)');
      else if (!chooser && value.length > $(inputs[options.indexOf(name)]).maxLength) ignored.push(name + ' (troppo lungo)');
      else given.set(name, value);
    }
    options.forEach((name, i) => { $(inputs[i]).value = given.get(name) ?? ''; });
    for (const [name, id] of Object.entries(CHOOSERS)) $(id).value = given.get(name) ?? $(id).options[0].value;
    enableChoosers();
    if (Module.calledRun) applyMaterials();
    clearResults();
    $('collegamento').textContent = ignored.length ? 'Dal collegamento non si è letto: ' + ignored.join(', ') : '';
    keep();
  }

  // What was computed for another section: d, Mu, Yc and the domain.
  function clearResults() {
    for (const id of ['txt_D', 'txt_Mu', 'txt_Yc']) $(id).value = '';
    $('regole').replaceChildren();
    $('disegno').replaceChildren();
    $('verdetti').replaceChildren();
    $('punti').replaceChildren();
    $('scarica_dominio').hidden = true;
    $('puntatore').textContent = '';
  }

  function sectionLink() {
    const values = options.map((name, i) => [name, $(inputs[i]).value.trim()])
      .concat(Object.entries(CHOOSERS).map(([name, id]) => [name, $(id).value]))
      .filter(([name, value]) => value !== '' && !(name === 'elemento' && value === 'trave'));
    return location.href.split('#')[0] + '#' + values.map(([name, value]) => name + '=' + encodeURIComponent(value)).join('&');
  }

  function copyLink() {
    const link = sectionLink();
    const shown = (words) => { $('collegamento').textContent = words; };
    navigator.clipboard.writeText(link).then(() => shown('Copiato: ' + link), () => shown(link));
  }

  // In the order the Calculate command reads them.
  function fieldTexts() {
    return inputs.map((id) => $(id).value).join(FIELD_SEPARATOR);
  }

  // --- the class, the grade and the bars beside the window ---

  // The choosers as the calculation reads them: class, grade, units, element.
  const materials = () => [$('sel_Calcestruzzo').value, $('sel_Acciaio').value, $('sel_Unita').value];

  // A class or a grade has a value only in declared units: without them
  // their choosers are off, and say why.
  function enableChoosers() {
    const units = $('sel_Unita').value !== '';
    for (const id of ['sel_Calcestruzzo', 'sel_Acciaio']) {
      if (!units) $(id).value = '';
      $(id).disabled = !units;
    }
    $('nota_materiali').hidden = units;
    // Bars are written with letters (4fi16) where a phone's number pad has none.
    for (const id of ['txt_As', 'txt_As1']) $(id).inputMode = units ? 'text' : 'decimal';
  }

  // fcd and fsd from the class and the grade, in the units chosen, and the
  // area each layer's bars give, with how each was derived.
  function applyMaterials() {
    const list = $('derivazioni');
    list.replaceChildren();
    const result = call('mu_materials', ['string', 'number', 'string', 'string', 'string'], [fieldTexts(), markCode(), ...materials()]);
    if (result === null) return;
    const lines = result.message ? [result.message] : result.derivations;
    for (const line of lines) list.appendChild(document.createElement('li')).textContent = line;
    if (result.fcd !== undefined && result.fcd !== null) $('txt_Fcd').value = result.fcd;
    if (result.fsd !== undefined && result.fsd !== null) $('txt_Fsd').value = result.fsd;
  }

  // Each rule on the reinforcement with its numbers, a failed one marked.
  function showRules(rules) {
    const target = $('regole');
    target.replaceChildren();
    if (!rules) return;
    target.appendChild(document.createElement('h3')).textContent =
      'Regole di armatura (' + $('sel_Elemento').value + ', NTC 2018 §4.1.6.1)';
    const list = target.appendChild(document.createElement('ul'));
    for (const rule of rules) {
      const item = list.appendChild(document.createElement('li'));
      item.className = rule.informative ? 'informativa' : rule.holds ? 'rispettata' : 'non-rispettata';
      item.textContent = rule.name + ': ' + rule.statement;
    }
  }

  function calculate() {
    const result = call('mu_calculate', ['string', 'number', 'string', 'string', 'string', 'string'],
                        [fieldTexts(), markCode(), ...materials(), $('sel_Elemento').value]);
    if (result === null) return;
    $('regole').replaceChildren();
    if (result.d !== null) $('txt_D').value = result.d;
    if (result.axialForce !== null) $('txt_Nd').style.background = result.axialForce ? '' : form.dataset.noAxialForce;
    if (result.message) {
      showMessage(result.message);
      return;
    }
    $('txt_Mu').value = result.mu;
    $('txt_Yc').value = result.yc;
    showRules(result.rules);
    $('annuncio').textContent = 'Mu = ' + result.mu + ', Yc = ' + result.yc;
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

  // A link that downloads these bytes, the one it offered before let go.
  function offer(id, text, type) {
    const link = $(id);
    if (link.href) URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([text], { type }));
  }

  // The combinations a page verifies at once; more are for the command line.
  const MOST_COMBINATION_CHARACTERS = 200000;
  function combinationsTooLong() {
    if ($('combinazioni').value.length <= MOST_COMBINATION_CHARACTERS) return false;
    showMessage({ title: 'Combinazioni', text: 'le combinazioni superano ' + MOST_COMBINATION_CHARACTERS.toLocaleString('it-IT') +
                  ' caratteri: per file più grandi, momento-ultimo-cli dominio --verifica' });
    return true;
  }

  function drawDomain() {
    if (combinationsTooLong()) return;
    const result = call('mu_domain', ['string', 'number', 'number', 'string', 'string', 'string', 'string'],
                        [fieldTexts(), markCode(), DOMAIN_INTERVALS, $('combinazioni').value, ...materials()]);
    if (result === null) return;
    if (result.message) {
      showMessage(result.message);
      return;
    }
    $('disegno').innerHTML = result.svg.replace(/^<\?xml[^>]*>\s*/, '');
    readableChart();
    offer('scarica_punti', result.pointsFile, 'text/csv');
    offer('scarica_verifiche', result.verdictsFile, 'text/csv');
    $('scarica_verifiche').hidden = result.verdictsFile === '';
    offer('scarica_svg', result.svg, 'image/svg+xml');
    $('scarica_dominio').hidden = false;
    const verdict = (cells) => cells[cells.length - 1] === 'verificato' ? 'verificata' : 'non-verificata';
    fillTable($('verdetti'), result.verdicts, verdict);
    fillTable($('punti'), result.points, (cells) => cells[cells.length - 1] === 'ok' ? '' : 'rifiutata');
    if (result.error) showMessage({ title: 'Combinazioni', text: result.error });
  }

  // --- progetto: the least As for the combinations, and the bars that give it ---

  function design() {
    if (combinationsTooLong()) return;
    const result = call('mu_design', Array(11).fill('string').map((type, i) => i === 1 ? 'number' : type),
                        [fieldTexts(), markCode(), ...materials(), $('sel_Elemento').value, $('combinazioni').value,
                         $('txt_Md').value, $('sel_Compressa').value, $('txt_Rapporto').value, $('txt_Barre').value]);
    $('progetto_esito').textContent = '';
    $('proposte').replaceChildren();
    $('scarica_progetto').hidden = true;
    if (result === null) return;
    if (result.message) {
      showMessage(result.message);
      return;
    }
    $('progetto_esito').textContent = result.text;
    // A proposal clicked becomes the window's steel, and the section is computed with it.
    for (const proposal of result.proposals) {
      const button = $('proposte').appendChild(document.createElement('button'));
      button.type = 'button';
      button.textContent = 'Usa ' + proposal.bars;
      button.addEventListener('click', () => {
        $('txt_As').value = proposal.bars;
        if ($('sel_Compressa').value !== 'fissa') $('txt_As1').value = proposal.As1;
        applyMaterials();
        calculate();
        keep();
      });
    }
    offer('scarica_progetto', result.csv, 'text/csv');
    $('scarica_progetto').hidden = false;
  }

  // The chart as its reader reads it: labels at least 12 px (10 on a
  // phone) whatever the scale, ticks grouped as the page's language groups
  // digits, axes with the units chosen. The downloaded drawing is untouched.
  const SMALLEST_LABEL = 12, SMALLEST_LABEL_PHONE = 10;
  const MOST_WIDENINGS = 3;
  function readableChart(widenings = 0) {
    const svg = $('disegno').querySelector('svg');
    if (!svg) return;
    const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
    const smallest = document.body.classList.contains('telefono') ? SMALLEST_LABEL_PHONE : SMALLEST_LABEL;
    for (const text of svg.querySelectorAll('text')) {
      const size = Number(text.getAttribute('font-size'));
      text.style.fontSize = size * scale < smallest ? Math.ceil(smallest / scale * 100) / 100 + 'px' : '';  // rounded up
    }
    const grouping = new Intl.NumberFormat(navigator.language, { maximumSignificantDigits: 7 });
    for (const tick of svg.querySelectorAll('text.tacca')) tick.textContent = grouping.format(Number(tick.dataset.value));
    // The picture widened, where a label grown past its edge would be cut, then the sizes again at the new scale.
    const [x, y, width, height] = svg.getAttribute('viewBox').split(' ').map(Number);
    const drawn = svg.getBBox();
    const left = Math.min(x, Math.floor(drawn.x)), right = Math.max(x + width, Math.ceil(drawn.x + drawn.width));
    if ((left < x || right > x + width) && widenings < MOST_WIDENINGS) {
      svg.setAttribute('viewBox', [left, y, right - left, height].join(' '));
      readableChart(widenings + 1);
      return;
    }
    const [force, length] = $('sel_Unita').value.split(',');
    const units = { N: force, M: force && force + '·' + length };
    for (const axis of svg.querySelectorAll('text.asse'))
      axis.textContent = axis.dataset.asse + (units[axis.dataset.asse] ? ' [' + units[axis.dataset.asse] + ']' : '');
  }

  // N and M under the pointer, from the picture's own scale.
  function pointAt(event) {
    const svg = $('disegno').querySelector('svg');
    if (!svg) return;
    const [left, top, right, bottom] = svg.dataset.plot.split(' ').map(Number);
    const [nLow, nHigh] = svg.dataset.n.split(' ').map(Number);
    const [mLow, mHigh] = svg.dataset.m.split(' ').map(Number);
    const box = svg.getBoundingClientRect(), view = svg.viewBox.baseVal;
    const x = view.x + (event.clientX - box.left) * view.width / box.width;
    const y = view.y + (event.clientY - box.top) * view.height / box.height;
    if (x < left || x > right || y < top || y > bottom) {
      $('puntatore').textContent = '';
      return;
    }
    const N = nLow + (x - left) / (right - left) * (nHigh - nLow);
    const M = mHigh - (y - top) / (bottom - top) * (mHigh - mLow);
    const text = (value) => Module.ccall('mu_number_text', 'string', ['number', 'number'], [value, markCode()]);
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
    if (combinationsTooLong()) return null;
    const result = call('mu_report', ['string', 'number', 'string', 'string', 'string', 'string', 'string', 'string', 'string', 'string'],
                        [fieldTexts(), markCode(), $('txt_Titolo').value, $('sel_Unita').value, today(),
                         $('combinazioni').value, sectionLink(), $('sel_Calcestruzzo').value, $('sel_Acciaio').value,
                         $('sel_Elemento').value]);
    if (result === null) return null;
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

  let batchRun = 0;  // the file being computed; an earlier one stops

  function clearBatch() {
    const link = $('scarica');
    if (link.href) URL.revokeObjectURL(link.href);
    link.removeAttribute('href');
    link.hidden = true;
    $('avanzamento').value = 0;
    $('esito_lotto').textContent = '';
    $('anteprima').replaceChildren();
  }

  // The result file's bytes, taken from the run slice by slice, so that
  // the calculation's memory holds only the file being read.
  let written = [];
  function takeOutput() {
    const pointer = Module.ccall('mu_batch_output', 'number', [], []);
    const length = Module.ccall('mu_batch_output_length', 'number', [], []);
    if (length > 0) written.push(Module.HEAPU8.slice(pointer, pointer + length));
    Module.ccall('mu_batch_taken', null, [], []);
  }

  function endBatch() {
    Module.ccall('mu_batch_end', null, [], []);
    $('cmd_Annulla_lotto').hidden = true;
  }

  function computeBatch(file) {
    const run = ++batchRun;
    clearBatch();
    written = [];
    $('nome_lotto').textContent = file.name;
    const reader = new FileReader();
    reader.onerror = () => showMessage({ title: 'Lotto', text: 'impossibile leggere ' + file.name });
    reader.onload = () => {
      if (run !== batchRun) return;
      const bytes = new Uint8Array(reader.result);
      let lines = 0;
      for (let i = 0; i < bytes.length; ++i) if (bytes[i] === 10) ++lines;
      const pointer = Module._malloc(bytes.length + 1);
      if (!pointer) {
        showMessage({ title: 'Lotto', text: file.name + ' è troppo grande per la pagina: momento-ultimo-cli lotto lo calcola' });
        return;
      }
      Module.HEAPU8.set(bytes, pointer);
      // The bytes are the run's from here: it frees them.
      const started = call('mu_batch_start', ['number', 'number', 'number', 'string', 'string'],
                           [pointer, bytes.length, markCode(), $('sel_Unita').value, $('sel_Elemento').value]);
      $('scarica').hidden = true;
      if (started === null || started.error) {
        endBatch();
        if (started === null) return;
        $('esito_lotto').textContent = started.error;
        showMessage({ title: 'Lotto', text: started.error });
        return;
      }
      $('esito_lotto').textContent = started.note;
      $('cmd_Annulla_lotto').hidden = false;
      const progress = $('avanzamento');
      progress.max = Math.max(1, lines);
      const slice = () => {
        if (run !== batchRun) return;
        try {
          const start = performance.now();
          let done = 0;
          do done = Module.ccall('mu_batch_step', 'number', ['number'], [BATCH_SLICE]);
          while (done >= 0 && performance.now() - start < FRAME_BUDGET);
          takeOutput();
          if (done >= 0) {
            progress.value = done;
            setTimeout(slice, 0);
            return;
          }
        } catch (error) {
          endBatch();
          clearBatch();
          showMessage({ title: 'Lotto', text: 'Il calcolo non è riuscito (' + error.message + '). La pagina resta utilizzabile.' });
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
    if (finished === null || finished.error) {
      endBatch();
      $('avanzamento').value = 0;
      if (finished === null) return;
      $('esito_lotto').textContent = finished.error;
      showMessage({ title: 'Lotto', text: finished.error });
      return;
    }
    takeOutput();
    endBatch();
    const blob = new Blob(written, { type: 'text/csv' });
    written = [];
    const link = $('scarica');
    if (link.href) URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(blob);
    link.download = name.replace(/(\.[^.]*)?$/, '-risultati.csv');
    link.textContent = 'Scarica ' + link.download;
    link.hidden = false;
    const refused = (cells) => cells[cells.length - 1] === 'ok' ? '' : 'rifiutata';
    fillTable($('anteprima'), [finished.header].concat(finished.preview), refused);
    // With no row, the command line's own words alone.
    const counted = finished.records === 0 ? ''
      : (finished.status === 0 ? ' Ogni sezione è calcolata.' : ' Alcune sezioni sono rifiutate.') + ' Righe lette: ' + finished.records + '.';
    $('esito_lotto').textContent = finished.note + counted;
  }

  // A run given up: nothing kept of it, its memory back.
  function cancelBatch() {
    ++batchRun;
    endBatch();
    clearBatch();
    written = [];
    $('esito_lotto').textContent = 'Calcolo annullato.';
  }

  // --- start ---

  // Laid out now, the page read whole: the browser compiles the calculation
  // meanwhile, so that the page is ready as soon as both are done.
  fitToWidth();
  window.addEventListener('resize', fitToWidth);
  $('cmd_Calc').addEventListener('click', calculate);
  // The units note opens from its button and closes by a click, Enter, a space or Escape, the focus back on the button.
  function closeUnitsNote() {
    $('Lbl_UM').hidden = true;
    $('Cmd_UM').hidden = false;
    $('Cmd_UM').focus();
  }
  $('Cmd_UM').addEventListener('click', () => {
    $('Lbl_UM').hidden = false;
    $('Cmd_UM').hidden = true;
    $('Lbl_UM').tabIndex = 0;
    $('Lbl_UM').focus();
  });
  $('Lbl_UM').addEventListener('click', closeUnitsNote);
  $('Lbl_UM').addEventListener('keydown', (event) => {
    if (['Enter', ' ', 'Escape'].includes(event.key)) {
      event.preventDefault();
      closeUnitsNote();
    }
  });
  $('cmd_Dominio').addEventListener('click', drawDomain);
  $('cmd_Progetto').addEventListener('click', design);
  $('cmd_Relazione').addEventListener('click', openReport);
  window.addEventListener('beforeprint', prepareReportPrint);
  $('disegno').addEventListener('mousemove', pointAt);
  new ResizeObserver(() => readableChart()).observe($('disegno'));
  $('sel_Unita').addEventListener('change', () => { enableChoosers(); applyMaterials(); readableChart(); });
  for (const id of ['sel_Calcestruzzo', 'sel_Acciaio']) $(id).addEventListener('change', applyMaterials);
  // A number typed for fcd or fsd is the user's: the class or the grade gives way to it.
  $('txt_Fcd').addEventListener('input', () => { $('sel_Calcestruzzo').value = ''; });
  $('txt_Fsd').addEventListener('input', () => { $('sel_Acciaio').value = ''; });
  for (const id of ['txt_As', 'txt_As1']) $(id).addEventListener('input', applyMaterials);
  $('file_lotto').addEventListener('change', (event) => {
    const file = event.target.files[0];
    // Emptied, so that choosing the same file again, saved anew, computes it again.
    event.target.value = '';
    if (file) computeBatch(file);
  });
  // Enter in a field of the window runs Calcola, as in a page's form.
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && event.target.matches('input.control')) {
      event.preventDefault();
      calculate();
    }
  });
  restore();
  document.addEventListener('input', keep);
  document.addEventListener('change', keep);
  $('cmd_Collegamento').addEventListener('click', copyLink);
  $('cmd_Annulla_lotto').addEventListener('click', cancelBatch);
  window.addEventListener('hashchange', followLink);
  // The calculation has loaded: its buttons work, and typing starts in Nd.
  function ready() {
    for (const id of ['cmd_Calc', 'cmd_Dominio', 'cmd_Progetto', 'cmd_Relazione', 'file_lotto']) $(id).disabled = false;
    // The derivations of a class, a grade or bars kept from before. Only then: the
    // decimal mark they are written with costs the browser its number formats.
    const onlyNumber = (id) => /^[\s\d.,+eE-]*$/.test($(id).value);
    if ($('sel_Calcestruzzo').value || $('sel_Acciaio').value || !onlyNumber('txt_As') || !onlyNumber('txt_As1')) applyMaterials();
    document.body.dataset.ready = 'true';
    $('txt_Nd').focus({ preventScroll: true });  // a phone opens at the title, not scrolled down to Nd
  }
  if (Module.calledRun) ready(); else Module.onRuntimeInitialized = ready;
  // A calculation that could not load is said, not left as buttons that never wake.
  const notLoaded = (error) => showMessage({ title: 'Errore',
    text: 'Il calcolo non si è caricato (' + error.message + '): la pagina chiede un browser più recente.' });
  if (Module.loadError) notLoaded(Module.loadError); else Module.onLoadError = notLoaded;
})();
