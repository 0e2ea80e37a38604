#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# momento-ultimo-cli as a user runs it: one section, files of sections and
# bad files, against the window's figures.   cli_test.sh CLI
set -uo pipefail
cli=$(realpath "$1")
files=$(dirname "$(realpath "$0")")/files
root=$(realpath "$(dirname "$0")/../..")
source "$(dirname "$(realpath "$0")")/harness.sh"
beam=(--b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5)
but() {  # OPTION VALUE...: the beam's options, these ones changed
  local -A changed=()
  while (($#)); do changed[$1]=$2; shift 2; done
  for ((i = 0; i < ${#beam[@]}; i += 2)); do echo "${beam[i]}" "${changed[${beam[i]}]:-${beam[i + 1]}}"; done
}

# One section, as the window shows it.
expect "pure bending" "$("$cli" "${beam[@]}" --dettagli)" $'d = 46.5\nMu = 1426430\nYc = 7.928331\ndominio = 2\nvalutazioni = 5\nresiduo Nd - N = 54.37729'
expect "0.3 of the capacity" "$("$cli" "${beam[@]}" --Nd 49500 --dettagli)" $'d = 46.5\nMu = 2055640\nYc = 25.00758\ndominio = 3\nvalutazioni = 3\nresiduo Nd - N = 0'
expect "at the capacity" "$("$cli" "${beam[@]}" --Nd=165000 --dettagli)" $'d = 46.5\nMu = 699021\nYc = 53.5583\ndominio = 5\nvalutazioni = 6\nresiduo Nd - N = -58.95313'
expect "tension" "$("$cli" "${beam[@]}" --Nd -44604 --dettagli)" $'d = 46.5\nMu = 461760.8\nYc = -1.821201\ndominio = 1\nvalutazioni = 4\nresiduo Nd - N = -1.246094'
expect "Italian decimal comma" "$(LC_ALL=it_IT.UTF-8 "$cli" $(but --c 3,5) 2>/dev/null)" $'d = 46,5\nMu = 1426430\nYc = 7,928331'
expect "refused: message on standard error, status 1" "$("$cli" $(but --As 0) 2>&1 >/dev/null; echo "status $?")" \
  $'valore dell\'armatura tesa non corretto\nstatus 1'
expect "refused above the capacity" "$("$cli" "${beam[@]}" --Nd 165001 2>&1; echo "status $?")" $'d = 46.5\nNd > Nu = 165000\nstatus 1'
expect "help in Italian" "$("$cli" --help | grep -c -E '^(Uso|Opzioni|Argomenti):')" "3"
expect "version and licence" "$("$cli" --version | head -2)" $'momento-ultimo-cli 0.1.0\nLicenza GPL-3.0-or-later: GNU GPL versione 3 o successiva <https://www.gnu.org/licenses/gpl.html>.'
expect "unknown option: status 2" "$("$cli" --base 30 2>&1; echo "status $?")" $'Opzione sconosciuta \'base\'.\nVedere --help.\nstatus 2'
expect "no arguments: the usage" "$("$cli" 2>&1 | head -2; echo "status ${PIPESTATUS[0]}")" \
  $'Uso:\n  momento-ultimo-cli -b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 [--Nd 0] [--dettagli]\nstatus 2'
# The help's examples run as they stand.
expect "help's example" "$($("$cli" --help | grep -m1 '^  momento-ultimo-cli -b' | sed "s|^ *momento-ultimo-cli|$cli|; s/\[[^]]*\]//g") | sed -n 2p)" "Mu = 1426430"
# Options are numbers as a cell is, or refused by name: nothing computed, status 2.
refused_option() {  # the reason and the status of a run that should refuse an option
  "$@" 2>&1 | grep -c "^l'opzione -*[a-zA-Z]* vuole un numero"
  echo "status ${PIPESTATUS[0]}"
}
# Which texts are numbers is the cells' rule, tested on its own; here, that options follow it.
for typo in "--b 3O" "--h 1.426.430"; do
  expect "option $typo refused" "$(refused_option "$cli" $(but $typo))" $'1\nstatus 2'
done
for value in abc ""; do
  expect "--Nd '$value' refused" "$(refused_option "$cli" "${beam[@]}" --Nd "$value")" $'1\nstatus 2'
  expect "dominio --Nd '$value' refused" "$(refused_option "$cli" dominio "${beam[@]}" --Nd "$value")" $'1\nstatus 2'
done
expect "option with a blank inside refused" "$(refused_option "$cli" "${beam[@]/#30/30 40}")" $'1\nstatus 2'
# No option is ignored in silence.
for misplaced in "--verifica x.csv" "-o x.csv" "--punti 3" "lotto x.csv --Nd 5" "lotto x.csv -b 30" "dominio --dettagli" "--Nd 1 --Nd 2"; do
  expect "$misplaced refused" "$(cd "$(mktemp -d -p "$work")" && { "$cli" $(but) $misplaced >/dev/null 2>&1; echo $?; ls; })" "2"
done

# Files of sections: each row computed as the window would, numbers exact.
for name in readme awkward units excel; do
  "$cli" lotto "$files/$name.csv" -o "$work/$name.csv"
  expect "lotto $name: status" "$?" "$([[ $name == readme ]] && echo 0 || echo 1)"
  expect "lotto $name: rows" "$(cat "$work/$name.csv")" "$(cat "$files/$name.expected.csv")"
done
expect "standard input and output" "$("$cli" lotto - <"$files/readme.csv" | tail -1)" \
  "tirante;30;50;3,5;10;5;3304;110;-44604;46,5;461760,8;-1,8212011;ok"
expect "tab-separated, the locale's mark" "$("$cli" lotto "$files/tabs.csv" | cut -f9-)" \
  $'d\tMu\tYc\tesito\n46.5\t2055639.9\t25.007576\tok\n0.465\t174.76717\t0.13966048\tok'
expect "without Nd: said, with the columns not used" "$(printf 'b;h;c;As;As1;fsd;fcd;N\n30;50;3,5;10;5;3304;110;49500\n' | "$cli" lotto 2>&1 >/dev/null)" \
  "nell'intestazione non c'è la colonna Nd: ogni sezione è calcolata senza sforzo normale (colonne non usate: N)"
expect "Italian locale changes no file" "$(LC_ALL=it_IT.UTF-8 "$cli" lotto "$files/units.csv" 2>/dev/null | sed -n 2p)" \
  "0.3,0.5,0.035,10800,324000,0.001,0.0005,0.465,139.9081,0.07881824,ok"

# Files it cannot work with: status 2, a reason, no output file.
printf 'b;h;c;As;fsd;fcd\n30;50;3,5;10;3304;110\n' >"$work/missing.csv"
: >"$work/empty.csv"
for bad in missing empty nonexistent; do
  reason=$("$cli" lotto "$work/$bad.csv" -o "$work/$bad.out" 2>&1)
  expect "lotto $bad: status 2, nothing written" "$? $([[ -e $work/$bad.out ]] && echo written)" "2 "
  echo "   reason: $reason"
done
expect "empty file named" "$("$cli" lotto "$work/empty.csv" 2>&1)" "il file è vuoto: manca l'intestazione"
expect "unreadable file named" "$("$cli" lotto "$work/nonexistent.csv" 2>&1)" \
  "impossibile leggere $work/nonexistent.csv: il file non esiste"
expect "a folder named" "$("$cli" lotto "$work" 2>&1)" "impossibile leggere $work: è una cartella, non un file"
expect "a folder where nothing can be made" "$("$cli" lotto "$files/readme.csv" -o /proc/version 2>&1)" \
  "impossibile scrivere /proc/version: nella cartella /proc non si possono creare file"
expect "missing column named" "$("$cli" lotto "$work/missing.csv" 2>&1)" "nell'intestazione manca la colonna As'"
printf 'b;h;c;As;As'"'"';fsd;fcd\n' >"$work/header.csv"
expect "header only" "$("$cli" lotto "$work/header.csv"; echo "status $?")" $'b;h;c;As;As\';fsd;fcd;d;Mu;Yc;esito\nstatus 0'

# The resistance domain: both branches from the tension limit to the capacity,
# load combinations checked against it, and its picture with no display.
expect "domain" "$("$cli" dominio "${beam[@]}" --punti 4 --separatore ';')" "$(cat "$files/domain.expected.csv")"
expect "domain, decimal point" "$("$cli" dominio "${beam[@]}" --punti 1 --Nd 49500 | sed -n 3p)" "+,49500,2055639.9,25.007576,ok"
"$cli" dominio "${beam[@]}" --verifica "$files/combinations.csv" -o "$work/verdicts.csv" \
  --svg "$work/combinations.svg" --png "$work/combinations.png" 2>/dev/null
expect "combinations: status 1, one not verified" "$?" "1"
expect "combinations: verdicts" "$(cat "$work/verdicts.csv")" "$(cat "$files/combinations.expected.csv")"
printf 'Nd;Md\n1e39;5\n0;-1e40\n0;1e3x\n' >"$work/out-of-range.csv"
expect "combinations: a number beyond the singles said so, not called no number" \
  "$("$cli" dominio "${beam[@]}" --verifica "$work/out-of-range.csv" | cut -d';' -f6)" \
  $'esito\nvalore fuori dall\'intervallo dei numeri in singola precisione nella colonna Nd\nvalore fuori dall\'intervallo dei numeri in singola precisione nella colonna Md\nvalore non numerico nella colonna Md'
# The pictures as checked by eye; a failing run leaves what it drew in $SEEN_DIR.
expect "combinations drawn as SVG" "$(cat "$work/combinations.svg")" "$(cat "$files/combinations.expected.svg")"
expect "combinations drawn as PNG" "$(compare -metric AE "$work/combinations.png" "$files/combinations.expected.png" null: 2>&1)" "0"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$cli" dominio "${beam[@]}" --punti 50 \
  --svg "$work/domain.svg" --png "$work/domain.png" -o "$work/domain.csv" 2>/dev/null
expect "pictures without a display" "$? $(identify -format '%m %wx%h' "$work/domain.png" 2>&1)" "0 PNG 800x600"
expect "the PNG's corners are white" "$(for p in 0,0 799,0 0,599 799,599; do convert "$work/domain.png" -format "%[pixel:p{$p}] " info:; done)" \
  "srgb(255,255,255) srgb(255,255,255) srgb(255,255,255) srgb(255,255,255) "
expect "domain of a refused section" "$("$cli" dominio $(but --b 0) 2>&1; echo "status $?")" \
  $'valore della base della sezione non corretto\nstatus 1'
expect "domain beyond the singles" "$("$cli" dominio $(but --b 1e30 --h 1e30) 2>&1 | head -c 30; echo " status ${PIPESTATUS[0]}")" \
  "Errore aritmetico: un valore s status 1"
expect "points the solver cannot compute say why" \
  "$("$cli" dominio --b 1e18 --h 1e18 --c 1e17 --fcd 1 --fsd 1 --As 1 --As1 1 --punti 1 --separatore , | cut -c1-24; echo "status ${PIPESTATUS[0]}")" \
  $'ramo,Nd,Mu,Yc,esito\n+,-2,,,Errore aritmetico\n+,1e+36,,,Errore aritmet\n-,-2,,,Errore aritmetico\n-,1e+36,,,Errore aritmet\nstatus 1'
printf 'Nd;M\n0;1\n' >"$work/no-Md.csv"
printf 'N;Md\n0;1\n' >"$work/no-Nd.csv"
for beyond in 1e39 -1e39 3.5e38; do
  expect "dominio --Nd $beyond: refused, never left out" "$("$cli" dominio "${beam[@]}" --Nd "$beyond" 2>&1; echo "status $?")" \
    "l'opzione --Nd $beyond è fuori dall'intervallo dei numeri in singola precisione"$'\nstatus 2'
done
expect "points above the capacity as the window says" "$("$cli" dominio "${beam[@]}" --punti 1 --Nd 170000 --separatore , | sed -n 4p)" \
  "+,170000,,,Nd > Nu = 165000"
expect "numbers in fixed notation" "$("$cli" dominio $(but --b 40 --fcd 100) --punti 1 --separatore , | sed -n 3p)" \
  "+,200000,711389.3,55.568928,ok"
expect "every wrong option named" "$("$cli" dominio "${beam[@]}" --punti 0 --separatore x --png - 2>&1 | cut -c1-12)" \
  $'--punti vuol\n--separatore\n--png vuole '
cp "$files/combinations.csv" "$work/cz.csv"
said=$("$cli" dominio "${beam[@]}" --verifica "$work/cz.csv" --png "$work/cz.csv" -o "$work/cz.out" 2>&1)
expect "an output over an input refused, nothing written" "$? $(cmp -s "$work/cz.csv" "$files/combinations.csv" && echo kept) $(ls "$work"/cz.out 2>&1 | grep -c 'No such')" "2 kept 1"
expect "an output over an input: why" "$said" "impossibile scrivere $work/cz.csv: è un file di ingresso"
expect "two outputs on one file: why" "$("$cli" dominio "${beam[@]}" --svg "$work/same" --png "$work/same" -o "$work/same.csv" 2>&1)" \
  "impossibile scrivere $work/same: è già un'altra uscita"
expect "an output in a folder that is not there: why" "$("$cli" lotto "$files/readme.csv" -o "$work/nowhere/x.csv" 2>&1)" \
  "impossibile scrivere $work/nowhere/x.csv: la cartella $work/nowhere non esiste"
"$cli" dominio "${beam[@]}" --verifica "$work/cz.csv" -o "$work/all.csv" --svg "$work/all.svg" --png "$work/nowhere/all.png" 2>/dev/null
expect "one output that cannot be written: none is" "$? $(ls "$work"/all.* 2>/dev/null | wc -l)" "2 0"
expect "no warning of Qt's when drawing" "$(env -u XDG_RUNTIME_DIR "$cli" dominio "${beam[@]}" --svg "$work/w.svg" -o "$work/w.csv" 2>&1)" ""
expect "the most points" "$("$cli" dominio "${beam[@]}" --punti 100000 | wc -l)" "200003"
for wrong in "dominio ${beam[*]} --verifica $work/no-Md.csv" "dominio ${beam[*]} --verifica $work/no-Nd.csv" "dominio ${beam[*]} --punti 100001" "lotto a b" "calcola" \
             "dominio ${beam[*]} --png $work/nowhere/domain.png" "dominio ${beam[*]} --svg $work/nowhere/domain.svg"; do
  expect "$wrong: status 2" "$($cli $wrong >/dev/null 2>&1; echo $?)" "2"
done

# Files as spreadsheets on any system write them; what is plainly something
# else refused with its reason, in time linear in the file.
for order in LE BE; do
  { [[ $order == LE ]] && printf '\xff\xfe' || printf '\xfe\xff'; printf 'b\th\tc\tAs\tAs1\tfsd\tfcd\tNd\r\n30\t50\t3.5\t10\t5\t3304\t110\t49500\r\n' | iconv -t "UTF-16$order"; } >"$work/unicode-$order.txt"
  expect "UTF-16 $order with its mark, out in UTF-8 with a mark" "$("$cli" lotto "$work/unicode-$order.txt" | od -An -c | head -1 | tr -s ' ')" \
    " 357 273 277 b \t h \t c \t A s \t A s 1 \t"
  expect "UTF-16 $order: computed" "$("$cli" lotto "$work/unicode-$order.txt" | tail -1 | cut -f9-)" $'46.5\t2055639.9\t25.007576\tok\r'
done
printf 'PK\x03\x04\x14\x00\x06\x00' >"$work/sections.xlsx"
expect "a workbook" "$("$cli" lotto "$work/sections.xlsx" 2>&1; echo "status $?")" \
  $'è una cartella di lavoro (.xlsx o .ods), non un file CSV: salvarla come CSV e riprovare\nstatus 2'
expect "a binary stream" "$(timeout 10 "$cli" lotto /dev/zero 2>&1; echo "status $?")" $'non è un file di testo\nstatus 2'
{ echo 'nome;b;h;c;As;As1;fsd;fcd;Nd'; echo "trave;30;50;3,5;10;5;3304;110;0"; echo '"aperta;30;50;3,5;10;5;3304;110;0'
  for ((i = 0; i < 40000; ++i)); do echo "riga $i;30;50;3,5;10;5;3304;110;0"; done; } >"$work/quote.csv"
expect "a quote never closed over 1 MiB: why, at once" "$(timeout 5 "$cli" lotto "$work/quote.csv" -o "$work/quote.out" 2>&1; echo "status $? $([[ -e $work/quote.out ]] && echo written)")" \
  $'virgolette aperte alla riga 3 e non chiuse entro 1 MiB\nstatus 2 '
expect "a quote never closed: that record refused" "$(head -5 "$work/quote.csv" | "$cli" lotto 2>/dev/null | tail -1 | sed 's/.*;//'; echo "status ${PIPESTATUS[1]}")" \
  $'virgolette aperte alla riga 3 e mai chiuse\nstatus 1'
expect "a point as thousands: said once per column" "$(printf 'b;h;c;As;As1;fsd;fcd;Nd\n30;50;3,5;10;5;3.304;110;0\n30;50;3,5;10;5;12.560;110;0\n' | "$cli" lotto 2>&1 >/dev/null)" \
  $'nella colonna fsd "." separa le migliaia: 3.304 è letto 3304'
expect "a header and no rows: said" "$(printf 'b;h;c;As;As1;fsd;fcd;Nd\n;;;\n' | "$cli" lotto 2>&1 >/dev/null; echo "status $?")" \
  $'il file ha l\'intestazione ma nessuna riga da calcolare\nstatus 0'
"$cli" lotto "$files/readme.csv" -o "$work/results.csv"
"$cli" lotto "$work/results.csv" -o "$work/again.csv"
expect "a result file run again: the same file" "$(cmp "$work/results.csv" "$work/again.csv" && echo same)" "same"
sed -i 's/;-44604;/;0;/' "$work/again.csv"
expect "a result file edited: recomputed in place" "$("$cli" lotto "$work/again.csv" | grep -c '3304;110;0*;46,5;1426430,1;7,9283314;ok$') $("$cli" lotto "$work/again.csv" | head -1)" \
  "2 $(head -1 "$work/results.csv")"
printf 'nome;b;h;c;As;As1;fsd;fcd\n"Trave" T1;30;50;3,5;10;5;3304;110\n"a;b";30;50;3,5;10;5;3304;110\nx""y;30;50;3,5;10;5;3304;110\n' >"$work/named.csv"
"$cli" lotto "$work/named.csv" -o "$work/named-1.csv" 2>/dev/null && "$cli" lotto "$work/named-1.csv" -o "$work/named-2.csv" 2>/dev/null
expect "names passed through byte for byte, run after run" \
  "$(sed -n 's/;30;50;.*//p' "$work/named-2.csv"; cmp "$work/named-1.csv" "$work/named-2.csv" && echo same)" $'"Trave" T1\n"a;b"\nx""y\nsame'
printf 'nome;NEd;MEd\nvuoto;;5000\nsenza Md;100;\n' >"$work/empty-cells.csv"
expect "combinations: an empty Nd is 0, an empty Md refused" "$("$cli" dominio "${beam[@]}" --verifica "$work/empty-cells.csv" | cut -d';' -f1,7)" \
  $'nome;esito\nvuoto;verificato\nsenza Md;valore non numerico nella colonna Md'
expect "a missing section option" "$("$cli" -b 30 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 2>&1; echo "status $?")" $'manca l\'opzione -h\nstatus 2'
expect "missing section options" "$("$cli" dominio -b 30 --fcd 110 --fsd 3304 --As 10 2>&1; echo "status $?")" $'mancano le opzioni -h, -c, --As1\nstatus 2'
expect "an option of another mode: why" "$("$cli" lotto "$files/readme.csv" --Nd 5 2>&1)" $'l\'opzione --Nd non vale con lotto\nVedere --help.'
expect "an option of another mode: why, with dominio" "$("$cli" dominio "${beam[@]}" --dettagli 2>&1)" $'l\'opzione --dettagli non vale con dominio\nVedere --help.'
{ printf '"b;h;c;As;As1;fsd;fcd\n'; head -c 1100000 /dev/zero | tr '\0' '\n'; } >"$work/open-header.csv"
expect "a header whose quote never closes" "$("$cli" lotto "$work/open-header.csv" 2>&1; echo "status $?")" \
  $'virgolette aperte alla riga 1 e non chiuse entro 1 MiB\nstatus 2'

# The calculation report: the one-section figures, the figure as drawn, a
# self-contained page, a PDF/A on A4, the units warning, its refusals.
report=(relazione "${beam[@]}" --titolo "Trave T1" --unita kg,cm --data 2026-12-07)
cases=("$root"/docs/casi-prova/0[1-6]*.csv)
expect "the dossier's six one-section cases found" "$(ls "${cases[@]}" 2>/dev/null | wc -l)" "6"
for case in "${cases[@]}"; do
  IFS=';' read -r _ b h c As As1 fsd fcd Nd < <(sed -n 2p "$case")
  section=(-b "$b" -h "$h" -c "${c/,/.}" --As "$As" --As1 "$As1" --fsd "$fsd" --fcd "$fcd" --Nd "${Nd:-0}")
  "$cli" relazione "${section[@]}" --data 2026-12-07 -o "$work/case.html"
  one=$(LC_ALL=it_IT.UTF-8 "$cli" "${section[@]}" 2>/dev/null)
  expect "report of $(basename "$case"): the solver's Mu and Yc as for one section" \
    "$(grep -o -e 'Mu della finestra[^<]*</td><td class="numero">[^<]*' -e 'Yc della finestra[^<]*</td><td class="numero">[^<]*' "$work/case.html" | sed 's/.*>//; s/\xc2\xa0//g')" \
    "$(sed -n 's/^\(Mu\|Yc\) = //p' <<<"$one")"
  printf 'Nd,Md\n%s,0\n' "${Nd:-0}" >"$work/at-Nd.csv"
  expect "report of $(basename "$case"): the headline Mu is the exact MuRd+ of dominio --verifica" \
    "$(exact=$("$cli" dominio "${section[@]:0:14}" --verifica "$work/at-Nd.csv" 2>/dev/null | awk -F, 'NR == 2 { print $4 }')
       grep -o 'Mu, momento ultimo</td><td class="numero">[^<]*' "$work/case.html" | sed 's/.*>//; s/\xc2\xa0//g; s/,/./' |
         awk -v exact="$exact" '{ d = $1 - exact; if (d < 0) d = -d; print (d <= 5e-7 * (exact < 0 ? -exact : exact) ? "to 7 digits" : $1 " against " exact) }')" "to 7 digits"
done
"$cli" "${report[@]}" --Nd 49500 -o "$work/report.html"
"$cli" "${report[@]}" --verifica "$files/combinations.csv" -o "$work/report-verdicts.html"
mkdir "$work/again" && (cd "$work/again" && "$cli" "${report[@]}" --Nd 49500 -o report.html) && (cd "$work" && "$cli" "${report[@]}" --Nd 49500 -o report.html)
expect "report: the same bytes again" "$(cmp "$work/report.html" "$work/again/report.html" && echo same)" "same"
expect "report: nothing fetched" "$(grep -Eo '(src|href)=|url\(|@import|https?://[^"]*' "$work/report.html" | grep -v '^http://www.w3.org/2000/svg$')" ""
sed -n '/<figure>/,/<\/svg>/p' "$work/report.html" | sed 1d | head -n -0 >"$work/figure.svg"
expect "report: the figure as drawn" "$(sed -n '1,/<\/svg>/p' "$work/figure.svg")" "$(cat "$files/report-figure.expected.svg")"
# Qt reads none of the arguments: its own options are the program's words.
"$cli" relazione "${beam[@]}" --unita kg,cm --data 2026-12-07 --titolo -plugin -o "$work/qt-plugin.html"
expect "a title -plugin: the title, the units kept" "$? $(grep -o '<h1>[^<]*</h1>' "$work/qt-plugin.html") $(grep -c 'kg·cm' "$work/qt-plugin.html")" \
  "0 <h1>-plugin</h1> 6"
expect "a title --platform: the title" "$("$cli" relazione "${beam[@]}" --data 2026-12-07 --titolo --platform -o "$work/qt-platform.html"; echo "$? $(grep -o '<h1>[^<]*</h1>' "$work/qt-platform.html")")" \
  "0 <h1>--platform</h1>"
cp "$files/combinations.csv" ./-reverse
expect "a file named -reverse, drawn" "$(timeout 20 "$cli" dominio "${beam[@]}" --verifica -reverse --png "$work/reverse.png" -o "$work/reverse.csv" 2>&1; echo "$?"; cmp "$work/reverse.csv" "$files/combinations.expected.csv" && echo same)" $'1\nsame'
units() { "$cli" relazione "$@" --data 2026-12-07 -o "$work/units.html" 2>&1; echo "status $? $(ls "$work/units.html" 2>/dev/null)"; rm -f "$work/units.html"; }
expect "units: kg and cm for kg/cm², a report" "$(units "${beam[@]}" --unita kg,cm)" "status 0 $work/units.html"
expect "units: free but consistent only where none are declared" \
  "$("$cli" relazione "${beam[@]}" --unita kg,cm --data 2026-12-07 -o "$work/declared.html"; grep -c 'unità libere ma congruenti' "$work/declared.html"; "$cli" relazione "${beam[@]}" --data 2026-12-07 -o "$work/free.html"; grep -c 'unità libere ma congruenti' "$work/free.html")" $'0\n1'
expect "units: N and mm for kg/cm², refused" "$(units "${beam[@]}" --unita N,mm)" \
  $'con --unita N,mm fsd = 3304 dà Es = 2\xc2\xa0100\xc2\xa0000: le resistenze sembrano in kg/cm²\nstatus 2 '
expect "units: N and mm for N/mm², a report" "$(units -b 300 -h 500 -c 35 --fcd 14.17 --fsd 391.3 --As 1000 --As1 500 --unita N,mm)" "status 0 $work/units.html"
expect "units: kN and m for kN/m², a report" "$(units -b 0.3 -h 0.5 -c 0.035 --fcd 14170 --fsd 391300 --As 0.001 --As1 0.0005 --unita kN,m)" "status 0 $work/units.html"
expect "report of a refused section: the window's message, status 1, nothing written" \
  "$("$cli" relazione $(but --As 0) -o "$work/refused.pdf" 2>&1; echo "status $? $(ls "$work/refused.pdf" 2>/dev/null)")" \
  $'valore dell\'armatura tesa non corretto\nstatus 1 '
expect "report: the domain as dominio draws it, its axes with the declared units" "$(awk '/<svg/ { n++ } n == 2' "$work/report-verdicts.html" | sed -n '1,/<\/svg>/p')" \
  "$(LC_ALL=it_IT.UTF-8 "$cli" dominio "${beam[@]}" --verifica "$files/combinations.csv" --svg "$work/domain-it.svg" >/dev/null 2>&1
     sed '1d; s/>N</>N [kg]</; s/>M</>M [kg·cm]</' "$work/domain-it.svg")"
for wrong in "-b 30 -h 50 --fcd 110 --fsd 3304 --As 10 --As1 5|manca l'opzione -c" "${beam[*]} --data 2026-13-01|--data vuole una data AAAA-MM-GG, non «2026-13-01»" \
             "${beam[*]} --verifica $work/no-Md.csv|nell'intestazione manca la colonna Md"; do
  expect "report refused: ${wrong#*|}" "$("$cli" relazione ${wrong%|*} -o "$work/wr.html" 2>&1 | head -1; echo "status ${PIPESTATUS[0]}")" \
    "${wrong#*|}"$'\nstatus 2'
done
# A report is whole or not at all: combinations not wholly readable write nothing.
printf 'combinazione;Nd;Md\nA;0;5\nB;abc;5\n' >"$work/bad-cell.csv"
printf 'Nd;Md\n"0;5\n' >"$work/open-quote.csv"
printf 'Nd;Md\n' >"$work/no-rows.csv"
: >"$work/empty.csv"
for wrong in "bad-cell.csv|riga 3: valore non numerico nella colonna Nd" "open-quote.csv|riga 2: virgolette aperte alla riga 2 e mai chiuse" \
             "no-rows.csv|il file ha l'intestazione ma nessuna riga da calcolare" "empty.csv|il file è vuoto: manca l'intestazione"; do
  expect "report refused, nothing written: ${wrong#*|}" \
    "$("$cli" relazione "${beam[@]}" --verifica "$work/${wrong%|*}" -o "$work/wr.pdf" 2>&1; echo "status $? $(ls "$work"/wr.* 2>/dev/null)")" \
    "${wrong#*|}"$'\nstatus 2 '
done
expect "report refused at once: an endless file of zeros" \
  "$(timeout 10 "$cli" relazione "${beam[@]}" --verifica /dev/zero -o "$work/wr.html" 2>&1; echo "status $? $(ls "$work"/wr.* 2>/dev/null)")" \
  $'non è un file di testo\nstatus 2 '
for day in 2026/01/01 2026.01.01 2026-1-01 ２０２６-01-01; do
  expect "a date not AAAA-MM-GG: $day" "$("$cli" relazione "${beam[@]}" --data "$day" -o "$work/wr.html" 2>&1 | head -1; echo "status ${PIPESTATUS[0]}")" \
    "--data vuole una data AAAA-MM-GG, non «$day»"$'\nstatus 2'
done
expect "a value below the smallest normal single: said, not an overflow" \
  "$("$cli" -b 1e-45 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 2>&1 | head -1; echo "status ${PIPESTATUS[0]}")" \
  $'l\'opzione -b 1e-45 è sotto il più piccolo numero normale in singola precisione (1,175494E-38)\nstatus 2'
# Control characters from a file, a name or an option are shown escaped, never sent to the terminal.
printf 'b;h;c;As;As1;fsd;fcd;\e[2J\e[31mnote\n30;50;3,5;10;5;3304;110;x\n' >"$work/escape.csv"
expect "control characters in a note, a name and an option: escaped" \
  "$("$cli" lotto "$work/escape.csv" -o "$work/escape-out.csv" 2>&1; "$cli" lotto "$work/no"$'\e'"file.csv" 2>&1; "$cli" relazione "${beam[@]}" --unita $'kg\e[2J' -o "$work/wr.html" 2>&1 | head -1)" \
  "nell'intestazione non c'è la colonna Nd: ogni sezione è calcolata senza sforzo normale (colonne non usate: \\x1b[2J\\x1b[31mnote)
impossibile leggere $work/no\\x1bfile.csv: il file non esiste
--unita vuole FORZA,LUNGHEZZA (forza kg, daN, N o kN; lunghezza mm, cm o m), non «kg\\x1b[2J»"
cp "$files/combinations.csv" "$work/wr-input.csv"
for wrong in "--unita lb,ft -o $work/wr.html" "-o $work/wr.txt" "--verifica $work/wr-input.csv -o $work/wr-input.csv"; do
  expect "report $wrong: status 2, nothing written" \
    "$("$cli" relazione "${beam[@]}" $wrong >/dev/null 2>&1; echo $? $(ls "$work"/wr.* 2>/dev/null) $(cmp "$work/wr-input.csv" "$files/combinations.csv"))" "2"
done
if command -v pdftotext >/dev/null && command -v qpdf >/dev/null; then
  "$cli" "${report[@]}" --Nd 49500 --verifica "$files/combinations.csv" -o "$work/report.pdf"
  expect "PDF: status 1, a combination not verified" "$?" "1"
  pdftotext "$work/report.pdf" "$work/report.txt"
  expect "PDF: the title and the numbers, the figures' included" \
    "$(for words in "Trave T1" "2 055 640 kg·cm" "25,00758 cm" "x = 25,00758" "0,8·x = 20,00606" "εc = 0,0035" "0,700512 verificato" "Controllo" "Verifiche" \
                    "Esito: sezione NON verificata: 3 combinazioni su 5" "C = 0,8 · b · x · fcd = 0,8 · 30 · 25,00758 · 110 = 66 020 kg" "§ 4.1.2.1.1.1" \
                    "SHA-256 del file delle combinazioni" "$(sha256sum <"$files/combinations.csv" | cut -d' ' -f1)" "Progettista (nome, firma e data):"; do
         grep -qF "$words" "$work/report.txt" || echo "missing: $words"; done)" ""
  expect "PDF: A4, titled" "$(pdfinfo "$work/report.pdf" | grep -E '^(Title|Page size):' | tr -s ' ')" $'Title: Trave T1\nPage size: 595 x 842 pts (A4)'
  expect "PDF: declared PDF/A-1b" "$(pdfinfo -meta "$work/report.pdf" | grep -o 'pdfaid:part="1" pdfaid:conformance="B"')" 'pdfaid:part="1" pdfaid:conformance="B"'
  expect "PDF: every font embedded" "$(pdffonts "$work/report.pdf" | awk 'NR > 2 && $(NF - 4) != "yes"')" ""
  expect "PDF: qpdf finds no fault" "$(qpdf --check "$work/report.pdf" >/dev/null 2>&1; echo $?)" "0"
  qpdf --qdf --object-streams=disable "$work/report.pdf" "$work/report-qdf.pdf"
  expect "PDF/A-1: no transparency, an output intent" \
    "$(awk '/\/(CA|ca) / && $2 + 0 < 1 { print "alpha", $0 } /\/SMask/ && !/\/None/ { print "soft mask" }
            /\/S \/Transparency/ { print "transparency group" } /\/OutputIntents/ { n++ } END { print n + 0, "output intent" }' "$work/report-qdf.pdf")" \
    "1 output intent"
  "$cli" relazione "${beam[@]}" --data 2026-12-07 --titolo $'a\x01b<&\x1b' -o "$work/control.pdf"
  expect "PDF/A-1: metadata that parse, from a title with control characters" \
    "$(pdfinfo -meta "$work/control.pdf" | python3 -c 'import sys, xml.dom.minidom as m; m.parseString(sys.stdin.buffer.read()); print("parses")' 2>&1 | tail -1)" "parses"
  # Nothing cut: a row taller than a page, and a title of 100 kB, go on over the pages.
  { echo "combinazione;Nd;Md;nota"; printf 'SLU 1;0;1000;'; printf 'parola%d ' $(seq 1500); printf '\nSLU 2;0;2000;breve\n'; } >"$work/long.csv"
  "$cli" relazione "${beam[@]}" --data 2026-12-07 --titolo "$(printf 'titolo%d ' $(seq 9500))" --verifica "$work/long.csv" -o "$work/long.pdf"
  pdftotext "$work/long.pdf" - | tr -s ' \n' '\n\n' | grep -E '^(parola|titolo)[0-9]+$' | sort -u >"$work/long-words"
  expect "PDF: every word of a 1 500-word note and of a 100 kB title" \
    "$(grep -c '^parola' "$work/long-words") $(grep -c '^titolo' "$work/long-words") $(($(printf 'titolo%d ' $(seq 9500) | wc -c) > 100000))" "1500 9500 1"
  "$cli" relazione $(but --b 3040) --data 2026-12-07 -o "$work/strip.pdf" 2>/dev/null
  expect "PDF: the strip's exact headline and the solver's 21 %" \
    "$(pdftotext "$work/strip.pdf" - | grep -o -e 'Esito: momento resistente Mu = 1 560 440' -e 'differisce del -21,19 %')" \
    $'Esito: momento resistente Mu = 1 560 440\ndifferisce del -21,19 %'
else echo "skipped: poppler-utils and qpdf are not installed"; fi

# Outputs that are not ordinary files are written through, never replaced;
# a write that fails is an error with its reason.
mkfifo "$work/pipe"
cat "$work/pipe" >"$work/piped" &
"$cli" lotto "$files/readme.csv" -o "$work/pipe"
expect "a pipe with a reader: written through, still a pipe" "$? $(wait; cmp -s "$work/piped" "$files/readme.expected.csv" && echo same) $([[ -p $work/pipe ]] && echo pipe)" "0 same pipe"
echo "earlier line" >"$work/log"
ln -s /dev/stdout "$work/stdout"
"$cli" lotto "$files/readme.csv" -o "$work/stdout" >>"$work/log"
expect "an appended log keeps its lines" "$(head -1 "$work/log") $(wc -l <"$work/log")" "earlier line $(($(wc -l <"$files/readme.expected.csv") + 1))"
if [[ $(id -u) -eq 0 ]]; then
  mknod "$work/null" c 1 3 && mknod "$work/full" c 1 7
  "$cli" lotto "$files/readme.csv" -o "$work/null"
  expect "a device node of our own: written through, still a device" "$? $([[ -c $work/null ]] && echo device)" "0 device"
  "$cli" dominio "${beam[@]}" -o "$work/null" --svg "$work/null"
  expect "two outputs to one character device: no conflict" "$? $([[ -c $work/null ]] && echo device)" "0 device"
  expect "a full device: why, status 2" "$("$cli" lotto "$files/readme.csv" -o "$work/full" 2>&1; echo "status $?")" \
    "impossibile scrivere $work/full: spazio esaurito sul disco"$'\nstatus 2'
  # A link in a sticky folder anyone may write to is followed only where the kernel would follow it.
  mkdir -m 1777 "$work/shared" && echo theirs >"$work/their-file"
  ln -s "$work/their-file" "$work/shared/theirs" && chown -h 65534 "$work/shared/theirs"
  expect "another user's link in a shared folder: refused, its target untouched" \
    "$("$cli" lotto "$files/readme.csv" -o "$work/shared/theirs" 2>&1; echo "status $? $(cat "$work/their-file")")" \
    "impossibile scrivere $work/shared/theirs: è un collegamento simbolico d'altri in una cartella condivisa"$'\nstatus 2 theirs'
  ln -s "$work/our-file" "$work/shared/ours"
  expect "our own link in a shared folder: followed" \
    "$("$cli" lotto "$files/readme.csv" -o "$work/shared/ours" 2>&1; echo "status $? $(cmp "$work/our-file" "$files/readme.expected.csv" && echo same) $([[ -L $work/shared/ours ]] && echo link)")" \
    "status 0 same link"
  mkdir "$work/small"
  if mount -t tmpfs -o size=16k tmpfs "$work/small" 2>/dev/null; then
    said=$("$cli" dominio "${beam[@]}" --punti 2000 -o "$work/small/domain.csv" 2>&1)
    expect "a full disk: why, status 2, nothing left" "$? $said $(ls -A "$work/small" | wc -l)" \
      "2 impossibile scrivere $work/small/domain.csv: spazio esaurito sul disco 0"
    echo OLD >"$work/first.csv" && echo OLD >"$work/first.svg"
    said=$("$cli" dominio "${beam[@]}" --punti 2000 -o "$work/first.csv" --svg "$work/first.svg" --png "$work/small/last.png" 2>&1)
    expect "the last output on a full disk: status 2, the earlier ones keep their old bytes" \
      "$? $said $(cat "$work/first.csv" "$work/first.svg" | tr '\n' ' ')$(ls -A "$work/small" | wc -l)" \
      "2 impossibile scrivere $work/small/last.png: spazio esaurito sul disco OLD OLD 0"
    umount "$work/small"
  else echo "skipped: no tmpfs to fill"; fi
else echo "skipped: device nodes need root"; fi
# Every output or none: a picture's folder removed while the domain is computed.
mkdir "$work/going" && echo OLD >"$work/kept.csv" && echo OLD >"$work/kept.svg"
"$cli" dominio "${beam[@]}" --punti 100000 -o "$work/kept.csv" --svg "$work/kept.svg" --png "$work/going/d.png" 2>"$work/going.err" &
sleep 0.3 && rm -rf "$work/going"
wait $!
expect "a picture's folder removed during the run: status 2, the other outputs keep their old bytes, nothing left beside them" \
  "$? $(cat "$work/kept.csv" "$work/kept.svg" | tr '\n' ' ')$(ls -A "$work" | grep -c '^\.momento-ultimo')" "2 OLD OLD 0"
for run in "lotto $files/readme.csv" "${beam[*]}" "--help"; do
  expect "$run onto a full standard output" "$($cli $run 2>&1 >/dev/full; echo "status $?")" \
    $'impossibile scrivere sull\'uscita standard: spazio esaurito sul disco\nstatus 2'
  expect "$run onto a closed standard output" "$($cli $run 2>&1 >&-; echo "status $?")" \
    $'impossibile scrivere sull\'uscita standard: è chiusa\nstatus 2'
done
expect "a closed pipe: silent, status 141" "$("$cli" dominio "${beam[@]}" --punti 100000 2>&1 | head -1; echo "status ${PIPESTATUS[0]}")" \
  $'ramo,Nd,Mu,Yc,esito\nstatus 141'
expect "an empty output name" "$("$cli" lotto "$files/readme.csv" -o "" 2>&1; echo "status $?")" \
  $'-o vuole il nome di un file, non un nome vuoto\nVedere --help.\nstatus 2'
expect "an empty file of sections" "$("$cli" lotto "" 2>&1; echo "status $?")" \
  $'lotto vuole il nome di un file, non un nome vuoto\nVedere --help.\nstatus 2'
expect "a name too long" "$("$cli" lotto "$files/readme.csv" -o "$work/$(printf '%0300d' 0)" 2>&1 | sed 's/.*: //')" "il nome è troppo lungo"
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
if [[ $(id -u) -eq 0 ]] && "${as_nobody[@]}" "$cli" --version >/dev/null 2>&1 && "${as_nobody[@]}" test -r "$files/readme.csv"; then
  chmod 755 "$work" && mkdir -m 555 "$work/read-only"
  expect "a folder without permission" "$("${as_nobody[@]}" "$cli" lotto "$files/readme.csv" -o "$work/read-only/x.csv" 2>&1)" \
    "impossibile scrivere $work/read-only/x.csv: permesso negato"
else echo "skipped: permissions need another user"; fi
ln -s "$work/loop" "$work/loop2" && ln -s "$work/loop2" "$work/loop"
expect "a loop of links" "$("$cli" lotto "$files/readme.csv" -o "$work/loop/x.csv" 2>&1 | sed 's/.*: //')" \
  "troppi collegamenti simbolici nel percorso"

# The window beside the command line, started with no display: how to start it, by the very path used.
window=$(dirname "$cli")/momento-ultimo
if [[ -x $window ]]; then
  expect "the window with no display: xvfb-run with the path it was started by, status 1" \
    "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window" 2>&1 | tail -1; echo "status ${PIPESTATUS[0]}")" "    xvfb-run -a $window"$'\nstatus 1'
else echo "skipped: no window built beside $cli"; fi

((failures > 0)) && [[ -n "${SEEN_DIR:-}" ]] && cp "$work"/combinations.* "$SEEN_DIR/"
exit $((failures > 0))
