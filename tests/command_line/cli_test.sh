#!/usr/bin/env bash
# momento-ultimo-cli as a user runs it: one section, files of sections and
# bad files, against the window's figures.   cli_test.sh CLI
set -uo pipefail
cli=$1
files=$(dirname "$(realpath "$0")")/files
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
failures=0
expect() {  # what, actual, expected
  if [[ "$2" == "$3" ]]; then echo "ok: $1"; else
    echo "FAIL: $1"; diff <(printf '%s\n' "$3") <(printf '%s\n' "$2") | head -20; failures=$((failures + 1)); fi
}
beam=(--b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5)

# One section, as the window shows it.
expect "pure bending" "$("$cli" "${beam[@]}" --dettagli)" $'d = 46.5\nMu = 1426430\nYc = 7.928331\ndominio = 2\nvalutazioni = 5\nresiduo Nd - N = 54.37729'
expect "0.3 of the capacity" "$("$cli" "${beam[@]}" --Nd 49500 --dettagli)" $'d = 46.5\nMu = 2055640\nYc = 25.00758\ndominio = 3\nvalutazioni = 3\nresiduo Nd - N = 0'
expect "at the capacity" "$("$cli" "${beam[@]}" --Nd=165000 --dettagli)" $'d = 46.5\nMu = 699021\nYc = 53.5583\ndominio = 5\nvalutazioni = 6\nresiduo Nd - N = -58.95313'
expect "tension" "$("$cli" "${beam[@]}" --Nd -44604 --dettagli)" $'d = 46.5\nMu = 461760.8\nYc = -1.821201\ndominio = 1\nvalutazioni = 4\nresiduo Nd - N = -1.246094'
expect "Italian decimal comma" "$(LC_ALL=it_IT.UTF-8 "$cli" "${beam[@]}" --c 3,5 2>/dev/null)" $'d = 46,5\nMu = 1426430\nYc = 7,928331'
expect "refused: message on standard error, status 1" "$("$cli" "${beam[@]}" --As 0 2>&1 >/dev/null; echo "status $?")" \
  $'valore dell\'armatura tesa non corretto\nstatus 1'
expect "refused above the capacity" "$("$cli" "${beam[@]}" --Nd 165001 2>&1; echo "status $?")" $'d = 46.5\nNd > Nu = 165000\nstatus 1'
expect "help in Italian" "$("$cli" --help | grep -c -E '^(Uso|Opzioni|Argomenti):')" "3"
expect "version" "$("$cli" --version)" "momento-ultimo-cli 0.1.0"
expect "unknown option: status 2" "$("$cli" --base 30 2>&1; echo "status $?")" $'Opzione sconosciuta \'base\'.\nVedere --help.\nstatus 2'

# Files of sections: each row computed as the window would, numbers exact.
for name in readme awkward units; do
  "$cli" lotto "$files/$name.csv" -o "$work/$name.csv"
  expect "lotto $name: status" "$?" "$([[ $name == readme ]] && echo 0 || echo 1)"
  expect "lotto $name: rows" "$(cat "$work/$name.csv")" "$(cat "$files/$name.expected.csv")"
done
expect "standard input and output" "$("$cli" lotto - <"$files/readme.csv" | tail -1)" \
  "tirante;30;50;3,5;10;5;3304;110;-44604;46,5;461760,8;-1,8212011;ok"
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
  "impossibile leggere $work/nonexistent.csv: No such file or directory"
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
# The pictures as checked by eye; a failing run leaves what it drew in $SEEN_DIR.
expect "combinations drawn as SVG" "$(cat "$work/combinations.svg")" "$(cat "$files/combinations.expected.svg")"
expect "combinations drawn as PNG" "$(compare -metric AE "$work/combinations.png" "$files/combinations.expected.png" null: 2>&1)" "0"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$cli" dominio "${beam[@]}" --punti 50 \
  --svg "$work/domain.svg" --png "$work/domain.png" -o /dev/null 2>/dev/null
expect "pictures without a display" "$? $(identify -format '%m %wx%h' "$work/domain.png" 2>&1)" "0 PNG 800x600"
expect "domain of a refused section" "$("$cli" dominio "${beam[@]}" --b 0 2>&1; echo "status $?")" \
  $'valore della base della sezione non corretto\nstatus 1'
expect "domain beyond the singles" "$("$cli" dominio "${beam[@]}" --b 1e30 --h 1e30 2>&1 | head -c 30; echo " status ${PIPESTATUS[0]}")" \
  "Errore aritmetico: un valore s status 1"
expect "points the solver cannot compute say why" \
  "$("$cli" dominio --b 1e18 --h 1e18 --c 1e17 --fcd 1 --fsd 1 --As 1 --As1 1 --punti 1 --separatore , | cut -c1-24; echo "status ${PIPESTATUS[0]}")" \
  $'ramo,Nd,Mu,Yc,esito\n+,-2,,,Errore aritmetico\n+,1e+36,,,Errore aritmet\n-,-2,,,Errore aritmetico\n-,1e+36,,,Errore aritmet\nstatus 1'
printf 'Nd;M\n0;1\n' >"$work/no-Md.csv"
expect "the most points" "$("$cli" dominio "${beam[@]}" --punti 100000 | wc -l)" "200003"
for wrong in "dominio ${beam[*]} --verifica $work/no-Md.csv" "dominio ${beam[*]} --punti 100001" "lotto a b" "calcola" \
             "dominio ${beam[*]} --png $work/nowhere/domain.png" "dominio ${beam[*]} --svg $work/nowhere/domain.svg"; do
  expect "$wrong: status 2" "$($cli $wrong >/dev/null 2>&1; echo $?)" "2"
done

((failures > 0)) && [[ -n "${SEEN_DIR:-}" ]] && cp "$work"/combinations.* "$SEEN_DIR/"
exit $((failures > 0))
