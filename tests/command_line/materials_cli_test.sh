#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sections given as engineers hold them: classes, grades and bars in declared
# units, in every mode, against the same sections given by their numbers.
#   materials_cli_test.sh CLI
set -uo pipefail
cli=$(realpath "$1")
source "$(dirname "$(realpath "$0")")/harness.sh"
results() { "$cli" "$@" 2>&1 | grep -E '^(d|Mu|Yc) = '; }

# The worked example, in N and mm and in kg and cm: the same Mu and Yc as its numbers.
metric=(-b 300 -h 500 -c 40 --calcestruzzo C25/30 --acciaio B450C --As 3Ø20+2Ø16 --As1 2Ø12 --unita N,mm)
expect "C25/30, B450C, 3Ø20+2Ø16, 2Ø12 in N, mm" "$(results "${metric[@]}")" \
  "$(results -b 300 -h 500 -c 40 --fcd 14.166667 --fsd 391.30435 --As 1344.602 --As1 226.1947)"
derived() {  # CLASS UNITS: fcd and fyd to nine digits, which a single reads back as the derived value
  awk -v fck="${1#C}" -v units="$2" 'BEGIN { split(fck, f, "/"); s = units == "kg,cm" ? 100 / 9.80665 : 1;
    printf "%.9g %.9g", 0.85 * f[1] / 1.5 * s, 450 / 1.15 * s }'
}
read -r fcd fsd <<<"$(derived C25/30 kg,cm)"
expect "the same in kg, cm" "$(results -b 30 -h 50 -c 4 --calcestruzzo C25/30 --acciaio B450C --As 3Ø20+2Ø16 --As1 2Ø12 --unita kg,cm)" \
  "$(results -b 30 -h 50 -c 4 --fcd "$fcd" --fsd "$fsd" --As 13.44602 --As1 2.261947)"
expect "worked example's figures" "$(results "${metric[@]}")" $'d = 460\nMu = 2.159554E+08\nYc = 128.7169'

# Every class with both grades, in two unit systems: the section by class is
# the section by the derived numbers, to the last digit. The areas are the
# ones --dettagli writes.
area() {  # UNITS BARS: the area --dettagli gives, in the units
  "$cli" -b 30 -h 60 -c 4.5 --fcd 1 --fsd 1 --As "$2" --As1 1 --unita "$1" --dettagli 2>/dev/null | sed -n 's/^As = .* = //p' | awk '{print $1}'
}
mismatches=0
for units in N,mm kg,cm; do
  [[ $units == N,mm ]] && size=(-b 300 -h 600 -c 45 --Nd 150000) || size=(-b 30 -h 60 -c 4.5 --Nd 15295.75)
  tension=$(area "$units" 4Ø20) compression=$(area "$units" 2Ø16)
  for class in C8/10 C12/15 C16/20 C20/25 C25/30 C28/35 C30/37 C32/40 C35/45 C40/50 C45/55 C50/60; do
    read -r fcd fsd <<<"$(derived "$class" "$units")"
    for grade in B450C B450A; do
      by_class=$(results "${size[@]}" --calcestruzzo "$class" --acciaio "$grade" --As 4Ø20 --As1 2Ø16 --unita "$units")
      by_number=$(results "${size[@]}" --fcd "$fcd" --fsd "$fsd" --As "$tension" --As1 "$compression")
      [[ $by_class == *"Mu = "* && $by_class == "$by_number" ]] || { echo "  $class $grade $units: $by_class / $by_number"; mismatches=$((mismatches + 1)); }
    done
  done
done
expect "every class and grade in two unit systems" "$mismatches" 0

# --dettagli says where each value comes from.
expect "derivations" "$("$cli" "${metric[@]}" --dettagli | head -4)" \
  $'fcd = αcc · fck / γc = 0.85 · 25 / 1.5 = 14.16667 N/mm² (C25/30, NTC 2018 §4.1.2.1.1.1)
fsd = fyd = fyk / γs = 450 / 1.15 = 391.3043 N/mm² (B450C, NTC 2018 §4.1.2.1.1.3)
As = 3Ø20+2Ø16 = 1344.602 mm²
As\' = 2Ø12 = 226.1947 mm²'
expect "derivations in kg and cm" "$(LC_ALL=it_IT.UTF-8 "$cli" -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As 10 --As1 5 --unita kg,cm --dettagli 2>/dev/null | head -2)" \
  $'fcd = αcc · fck / γc = 0,85 · 25 / 1,5 = 14,16667 N/mm² = 144,4598 kg/cm² (C25/30, NTC 2018 §4.1.2.1.1.1)
fsd = fyd = fyk / γs = 450 / 1,15 = 391,3043 N/mm² = 3990,194 kg/cm² (B450C, NTC 2018 §4.1.2.1.1.3)'

# The rules on the reinforcement follow the results; one that fails is status 1.
rules() { "$cli" "$@" 2>&1 | sed -n '/^regole/,$p'; echo "status ${PIPESTATUS[0]}"; }
expect "a beam below As,min" "$(rules -b 30 -h 50 -c 3.5 --calcestruzzo C20/25 --acciaio B450C --As 1Ø10 --As1 2Ø12 --unita kg,cm | sed -n 1,2p)" \
  $'regole di armatura (trave, NTC 2018 §4.1.6.1):
  As ≥ As,min: 0.26 · fctm / fyk = 0.26 · 2.2104 / 450 = 0.001277 < 0.0013, governa 0.0013; As,min = 0.0013 · 30 · 46.5 = 1.8135 cm² > 0.7853982 ✘'
expect "its status" "$(rules -b 30 -h 50 -c 3.5 --calcestruzzo C20/25 --acciaio B450C --As 1Ø10 --As1 2Ø12 --unita kg,cm | tail -1)" "status 1"
expect "a beam that passes" "$(rules -b 30 -h 50 -c 3.5 --calcestruzzo C20/25 --acciaio B450C --As 10 --As1 5 --unita kg,cm | grep -c '✔'; rules -b 30 -h 50 -c 3.5 --calcestruzzo C20/25 --acciaio B450C --As 10 --As1 5 --unita kg,cm | tail -1)" \
  $'3\nstatus 0'
expect "a column below 0,003 Ac" "$(rules -b 30 -h 30 -c 4 --calcestruzzo C25/30 --acciaio B450C --As 1Ø12 --As1 1Ø12 --Nd 50000 --unita kg,cm --elemento pilastro | sed -n '1,2p;$p')" \
  $'regole di armatura (pilastro, NTC 2018 §4.1.6.1):
  As + As\' ≥ As,min: As,min = max(0.1 · NEd / fyd; 0.003 · Ac) = max(0.1 · 50000 / 3990.194; 0.003 · 30 · 30) = 2.7 cm² > As + As\' = 2.261946 ✘
status 1'
expect "a column above 0,04 Ac" "$(rules -b 30 -h 30 -c 4 --calcestruzzo C25/30 --acciaio B450C --As 10Ø20 --As1 10Ø20 --Nd 50000 --unita kg,cm --elemento pilastro | sed -n '3p;$p')" \
  $'  As + As\' ≤ 0.04 · Ac: As + As\' = 62.83186 > 0.04 · Ac = 0.04 · 30 · 30 = 36 cm² ✘
status 1'
expect "numbers alone: no rules" "$(rules -b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 --unita kg,cm)" "status 0"

# What cannot be read is refused with its reason, status 2, nothing computed.
refused() { "$cli" "$@" 2>&1; echo "status $?"; }
section=(-b 30 -h 50 -c 3.5 --As 10 --As1 5)
expect "a class without units" "$(refused "${section[@]}" --calcestruzzo C25/30 --fsd 3304)" \
  $'una classe di calcestruzzo, un acciaio o delle barre hanno un valore solo in unità dichiarate: aggiungere --unita, ad esempio --unita N,mm\nstatus 2'
expect "bars without units" "$(refused -b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 4Ø16 --As1 5)" \
  $'una classe di calcestruzzo, un acciaio o delle barre hanno un valore solo in unità dichiarate: aggiungere --unita, ad esempio --unita N,mm\nstatus 2'
expect "a word is still no number" "$(refused -b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As abc --As1 5)" \
  $'l\'opzione --As vuole un numero, non «abc»\nstatus 2'
expect "both ways" "$(refused "${section[@]}" --fcd 110 --acciaio B450C --fsd 3304 --unita kg,cm)" $'--fsd o --acciaio, non entrambi\nstatus 2'
expect "neither way" "$(refused "${section[@]}" --fsd 3304)" $'manca l\'opzione --fcd (o --calcestruzzo)\nstatus 2'
expect "above C50/60" "$(refused "${section[@]}" --calcestruzzo C55/67 --acciaio B450C --unita kg,cm)" \
  $'la classe C55/67 è oltre C50/60: il modello (εcu = 0,35 % e blocco di altezza 0,8·x) vale solo fino a C50/60 (NTC 2018 §4.1.2.1.2.1)\nstatus 2'
expect "bars not understood" "$(refused -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As 4x16 --As1 5 --unita kg,cm)" \
  $'As «4x16»: non si legge «x16» dopo 4; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16\nstatus 2'
expect "an element it does not know" "$(refused "${section[@]}" --fcd 110 --fsd 3304 --elemento solaio)" $'--elemento vuole trave o pilastro, non «solaio»\nstatus 2'
expect "units it does not know" "$(refused "${section[@]}" --fcd 110 --fsd 3304 --unita t,cm)" \
  $'--unita vuole FORZA,LUNGHEZZA (forza kg, daN, N o kN; lunghezza mm, cm o m), non «t,cm»\nstatus 2'

# dominio takes them too: the same table as from the numbers.
read -r fcd fsd <<<"$(derived C25/30 kg,cm)"
expect "dominio by class" "$("$cli" dominio -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --As 5Ø16 --As1 2Ø12 --unita kg,cm --punti 4 | md5sum)" \
  "$("$cli" dominio -b 30 -h 50 -c 3.5 --fcd "$fcd" --fsd "$fsd" --As "$(area kg,cm 5Ø16)" --As1 2.261947 --punti 4 | md5sum)"

# lotto: class and grade columns, bars in cells, units from --unita or the header.
printf 'nome;b [cm];h [cm];c [cm];calcestruzzo;acciaio;As [cm²];As1 [cm²];Nd [kg]\nT1;30;50;3,5;C25/30;B450C;3Ø20+2Ø16;2Ø12;\nT2;30;50;3,5;C55/67;B450C;4Ø16;2Ø12;\nT3;30;50;3,5;C20/25;B450C;1Ø10;2Ø12;\nT4;30;50;3,5;C25/30;B450C;4 x 16;2Ø12;\nT5;30;50;3,5;110;3304;10;5;\n' >header.csv
expect "lotto in the header's units" "$("$cli" lotto header.csv; echo "status $?")" \
  "nome;b [cm];h [cm];c [cm];calcestruzzo;acciaio;As [cm²];As1 [cm²];Nd [kg];d;Mu;Yc;esito;fcd usato;fsd usato;As usato;As' usato;regole
T1;30;50;3,5;C25/30;B450C;3Ø20+2Ø16;2Ø12;;46,5;2233470,8;12,871696;ok;144,4598;3990,1938;13,44602;2,261947;
T2;30;50;3,5;C55/67;B450C;4Ø16;2Ø12;;;;;la classe C55/67 è oltre C50/60: il modello (εcu = 0,35 % e blocco di altezza 0,8·x) vale solo fino a C50/60 (NTC 2018 §4.1.2.1.2.1);;;;;
T3;30;50;3,5;C20/25;B450C;1Ø10;2Ø12;;46,5;147682,92;1,7762517;ok;115,56784;3990,1938;0,7853982;2,261947;As ≥ As,min
T4;30;50;3,5;C25/30;B450C;4 x 16;2Ø12;;;;;\"As «4 x 16»: non si legge «x 16» dopo 4; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16\";;;;;
T5;30;50;3,5;110;3304;10;5;;46,5;1426430,1;7,9283314;ok;110;3304;10;5;senza classe e acciaio
status 1"
printf 'b;h;c;fcd;fsd;As;As1;Nd\n30;30;4;C25/30;B450C;4Ø16;4Ø16;50000\n' >plain.csv
expect "lotto without units: the row says why" "$("$cli" lotto plain.csv 2>/dev/null | tail -1; echo "status ${PIPESTATUS[0]}")" \
  "30;30;4;C25/30;B450C;4Ø16;4Ø16;50000;;;;una classe di calcestruzzo, un acciaio o delle barre hanno un valore solo in unità dichiarate: --unita, o le unità nell'intestazione come b [cm]
status 1"
expect "lotto with --unita and --elemento" "$("$cli" lotto plain.csv --unita kg,cm --elemento pilastro 2>/dev/null | tail -1; echo "status ${PIPESTATUS[0]}")" \
  "30;30;4;C25/30;B450C;4Ø16;4Ø16;50000;26;1167572;14,421545;ok;144,4598;3990,1938;8,042477;8,042477;
status 0"
printf 'b [cm];h [mm];c;fcd;fsd;As;As1\n30;500;3,5;C25/30;B450C;4Ø16;2Ø12\n' >disagree.csv
expect "lotto whose header's units disagree" "$("$cli" lotto disagree.csv 2>/dev/null | head -1)" "b [cm];h [mm];c;fcd;fsd;As;As1;d;Mu;Yc;esito"

# The report gives the materials, the rules and counts a failed rule in its outcome.
"$cli" relazione -b 30 -h 50 -c 3.5 --calcestruzzo C20/25 --acciaio B450C --As 1Ø10 --As1 2Ø12 --unita kg,cm --data 2026-12-07 -o r.html
expect "report of a beam below As,min: status" "$?" 1
text=$(sed -e 's/<[^>]*>/ /g' r.html | tr -s ' \n' ' ')
for phrase in "Esito: sezione NON verificata: regole di armatura non rispettate (As ≥ As,min)" \
  "Regole di armatura (NTC 2018 §4.1.6.1)" "calcestruzzo C20/25" "fck = 20 N/mm², Rck = 25 N/mm²; αcc = 0,85, γc = 1,5" \
  "fcd = αcc · fck / γc = 0,85 · 20 / 1,5 = 11,33333 N/mm² = 115,5678 kg/cm²" "fyk = 450 N/mm²; γs = 1,15" \
  "As = 1Ø10 = 78,53982 mm² = 0,7853982 cm²" "As,min = 0,0013 · 30 · 46,5 = 1,8135 cm² &gt; 0,7853982 ✘ NON rispettata"; do
  expect "report says: $phrase" "$(grep -cF -- "$phrase" <<<"$text")" 1
done

exit $((failures > 0))
