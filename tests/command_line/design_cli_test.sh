#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# progetto as an engineer runs it: the dossier's sections designed back,
# the worked beam's bars, each proposal's report, and the refusals.
#   design_cli_test.sh CLI SOURCE_DIR
set -uo pipefail
cli=$(realpath "$1")
root=$(realpath "$2")
source "$(dirname "$(realpath "$0")")/harness.sh"
beam=(-b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304)
needed() { "$cli" progetto "$@" 2>&1 | sed -n 's/^As necessaria = \([^ ]*\).*/\1/p'; }
within() {  # VALUE EXPECTED RELATIVE: whether VALUE is EXPECTED to that relative difference
  awk -v v="$1" -v e="$2" -v r="$3" 'BEGIN { d = (v - e) / e; exit !(v != "" && d <= r && -d <= r) }'
}

# The inverse of the dossier: the exact Mu of As = 10 gives back As = 10.
for forces in "--Nd 49500 --Md 2055640" "--Md 1427527"; do
  As=$(needed "${beam[@]}" --As1 5 $forces)
  within "$As" 10 1e-5 && expect "As = 10 back from $forces" ok ok || expect "As = 10 back from $forces" "$As" 10
done
expect "what governs, and the verdict" "$("$cli" progetto "${beam[@]}" --As1 5 --Nd 49500 --Md 2055640 | sed -n 2,3p)" \
  $'governa: la combinazione «Nd = 49500, Md = 2055640»\nverifica: combinazioni verificate (Md/MuRd massimo 1)'

# The worked beam: symmetric steel for the three combinations, by class and grade.
design=(progetto -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --simmetrica --verifica "$root/docs/combinazioni.csv" --unita kg,cm)
expect "the worked beam's design" "$("$cli" "${design[@]}" -o proposte.csv | sed "s|$root/||")" \
  "As necessaria = 5.678478 cm² (As' = 5.678478 cm²)
governa: la combinazione «SLU 1»
verifica: combinazioni verificate (Md/MuRd massimo 1), regole rispettate
barre proposte (Ø 12, 14, 16, 20, 25 mm; uno strato, interferro netto ≥ max(Ø, 20 mm), EN 1992-1-1 §8.2 senza il termine dell'inerte):
  1. 3Ø14+1Ø12 = 5.749115 cm²: combinazioni verificate (Md/MuRd massimo 0.9881), regole rispettate
  2. 3Ø16 = 6.031858 cm²: combinazioni verificate (Md/MuRd massimo 0.9432), regole rispettate
  3. 1Ø14+4Ø12 = 6.063274 cm²: combinazioni verificate (Md/MuRd massimo 0.9385), regole rispettate
relazione della prima proposta:
  momento-ultimo-cli relazione -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As 3Ø14+1Ø12 --As1 3Ø14+1Ø12 --verifica docs/combinazioni.csv --unita kg,cm -o relazione.pdf"
expect "its table" "$(cat proposte.csv)" "proposta,barre,As,As',Md/MuRd,esito,regole
necessaria,,5.6784782,5.6784782,0.9999995,verificata,
1,3Ø14+1Ø12,5.749115,5.749115,0.9880989,verificata,
2,3Ø16,6.031858,6.031858,0.94318956,verificata,
3,1Ø14+4Ø12,6.063274,6.063274,0.9384522,verificata,"
# Each proposal, given to dominio --verifica and to the rules, holds: as the design says.
for bars in 3Ø14+1Ø12 3Ø16 1Ø14+4Ø12; do
  expect "$bars verified by dominio" "$("$cli" dominio -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As "$bars" --As1 "$bars" --unita kg,cm --verifica "$root/docs/combinazioni.csv" | grep -c ';verificato$')" 3
  expect "$bars keeps the rules" "$("$cli" -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As "$bars" --As1 "$bars" --unita kg,cm | grep -c '✘')" 0
done
# The report's command line it gives runs as it stands.
line=$("$cli" "${design[@]}" | tail -1 | sed "s|^ *momento-ultimo-cli|$cli|; s|-o relazione.pdf|-o $work/relazione.html --data 2026-12-07|")
(cd "$root" && eval "$line") && expect "the first proposal's report" "$(grep -c 'Esito: sezione verificata per tutte le 3 combinazioni' relazione.html)" 1
expect "the proposals in the Italian convention" "$(LC_ALL=it_IT.UTF-8 "$cli" "${design[@]}" -o - 2>/dev/null | tail -2)" \
  $'2;3Ø16;6,031858;6,031858;0,94318956;verificata;\n3;1Ø14+4Ø12;6,063274;6,063274;0,9384522;verificata;'

# A rule can govern; a column's rules apply with --elemento pilastro.
expect "As,min governs a light moment" "$("$cli" progetto -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As1 5 --unita kg,cm --Md 100000 | sed -n '1,2p')" \
  $'As necessaria = 2.067362 cm² (As\' = 5 cm²)\ngoverna: la regola As ≥ As,min (NTC 2018 §4.1.6.1.1)'
expect "a column's minimum" "$("$cli" progetto -b 30 -h 30 -c 4 --calcestruzzo C25/30 --acciaio B450C --simmetrica --unita kg,cm --elemento pilastro --Nd 50000 --Md 100000 | sed -n '1,2p')" \
  $'As necessaria = 1.350001 cm² (As\' = 1.350001 cm²)\ngoverna: la regola As + As\' ≥ As,min (NTC 2018 §4.1.6.1.2)'
expect "no units, no bars" "$("$cli" progetto "${beam[@]}" --As1 5 --Md 1427527 | tail -1)" "barre: servono le unità dei dati (--unita) per proporle"

# Refusals, each with what would help: status 1 where no As verifies, 2 for what cannot be read.
refused() { "$cli" progetto "$@" 2>&1; echo "status $?"; }
expect "the section is not enough" "$(refused "${beam[@]}" --As1 5 --Md 90000000)" \
  $'la sezione non basta: aumentare b o h (con As = 1500 la combinazione «Md = 90000000» non è ancora verificata)\nstatus 1'
expect "not enough within 0,04 Ac" "$(refused -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --unita kg,cm --As1 5 --Md 9000000)" \
  $'la sezione non basta: aumentare b o h (con As = 60 la combinazione «Md = 9000000» non è ancora verificata)\nstatus 1'
expect "Nd above the capacity" "$(refused "${beam[@]}" --As1 5 --Nd 170000 --Md 0)" \
  $'la combinazione «Nd = 170000, Md = 0» ha Nd = 170000 oltre la capacità Nu = b·h·fcd = 165000: aumentare b, h o fcd\nstatus 1'
expect "a negative moment on a fixed As'" "$(refused "${beam[@]}" --Md -1000000)" \
  $'con As\' fissa = 0 la combinazione «Md = -1000000», con Md negativo, non si verifica con nessuna As: usare --rapporto o --simmetrica\nstatus 1'
expect "the same with --rapporto" "$(needed "${beam[@]}" --rapporto 0.5 --Md -1000000)" 13.7971
printf 'combinazione;Nd;Md\nSLU 1;0;1000000\nSLU 2;abc;5\n' >bad.csv
expect "a combinations file as dominio --verifica reads it" "$(refused "${beam[@]}" --verifica bad.csv)" \
  $'riga 3: valore non numerico nella colonna Nd\nVedere --help.\nstatus 2'
printf 'Nd;Md\n' >empty.csv
expect "no combination in the file" "$(refused "${beam[@]}" --verifica empty.csv)" \
  $'il file ha l\'intestazione ma nessuna riga da calcolare\nVedere --help.\nstatus 2'
expect "no forces" "$(refused "${beam[@]}")" $'progetto vuole --Md (con --Nd) o --verifica COMBINAZIONI.csv\nVedere --help.\nstatus 2'
expect "both forces" "$(refused "${beam[@]}" --Md 1 --verifica bad.csv)" $'--Md o --verifica, non entrambi\nVedere --help.\nstatus 2'
expect "As is the unknown" "$(refused "${beam[@]}" --Md 1 --As 10)" $'l\'opzione --As non vale con progetto\nVedere --help.\nstatus 2'
expect "one way for As'" "$(refused "${beam[@]}" --Md 1 --As1 5 --simmetrica)" $'--As1, --rapporto o --simmetrica: uno solo\nVedere --help.\nstatus 2'
expect "diameters from 5 to 40" "$(refused "${beam[@]}" --Md 1 --barre 12,50)" $'--barre vuole diametri in mm da 5 a 40 separati da virgole, non «12,50»\nVedere --help.\nstatus 2'
expect "nothing written on a refusal" "$(refused "${beam[@]}" --As1 5 --Md 90000000 -o out.csv >/dev/null; ls out.csv 2>&1 | grep -c 'No such')" 1

exit $((failures > 0))
