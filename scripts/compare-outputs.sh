#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proof that a change of structure changed no output: builds the command
# line of an earlier commit (HEAD~1 unless named) and of the working tree,
# runs both on the dossier's files and the tests' files (lotto, dominio as
# CSV, SVG and PNG, --verifica, relazione as HTML, the help and the
# refusals), and compares what they write byte for byte.
#   scripts/compare-outputs.sh [COMMIT]
# The page's downloads are the command line's bytes, as its own test checks.
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-HEAD~1}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

build() {  # SOURCE BUILD: the command line of SOURCE, built in BUILD
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DMOMENTO_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$2" --target momento-ultimo-cli -j "$(nproc)" >/dev/null
  echo "$2/app/momento-ultimo-cli"
}
mkdir "$scratch/base"
git archive "$base" | tar -xf - -C "$scratch/base"
# The working tree as it is now, so that editing it during the builds changes nothing.
mkdir "$scratch/now"
git ls-files -z --cached --others --exclude-standard | tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$scratch/now"
echo "building $(git rev-parse --short "$base") and the working tree"
old=$(build "$scratch/base" "$scratch/build-base")
new=$(build "$scratch/now" "$scratch/build-new")

beam=(-b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5)
runs=()  # each run: a name, then the arguments; OUT in them is the run's output folder
add() { runs+=("$*"); }
for file in docs/casi-prova/*.csv tests/command_line/files/*.csv docs/combinazioni.csv; do
  add "lotto $PWD/$file -o OUT/lotto.csv"
done
for file in docs/casi-prova/0[1-6]*.csv docs/casi-prova/09*.csv docs/casi-prova/10*.csv; do
  IFS=';' read -r _ b h c As As1 fsd fcd Nd < <(sed -n 2p "$file")
  section="-b $b -h $h -c ${c/,/.} --As $As --As1 $As1 --fsd $fsd --fcd $fcd"
  add "$section --Nd ${Nd:-0} --dettagli"
  add "dominio $section --punti 40 -o OUT/d.csv --svg OUT/d.svg --png OUT/d.png"
  add "relazione $section --Nd ${Nd:-0} --data 2026-12-07 --titolo Caso -o OUT/r.html"
done
for file in tests/command_line/files/combinations.csv docs/combinazioni.csv; do
  add "dominio ${beam[*]} --verifica $PWD/$file -o OUT/v.csv --svg OUT/v.svg --png OUT/v.png"
  add "relazione ${beam[*]} --verifica $PWD/$file --unita kg,cm --data 2026-12-07 -o OUT/r.html"
done
add "dominio ${beam[*]} --punti 7 --Nd 49500 --Nd -1e30 --Nd 1e30 --separatore ;"
add "dominio ${beam[*]} --dettagli"
add "lotto $PWD/tests/command_line/files/readme.csv --Nd 5"
add "${beam[*]} --Nd abc"
add "-b 30 -c 3.5 --fcd 110"
add "--help"
add "--version"
add ""

differ=0
for run in "${runs[@]}"; do
  for side in old new; do
    out="$scratch/$side"
    rm -rf "$out" && mkdir "$out"
    cli=${!side}
    # shellcheck disable=SC2086 # the run's words are its arguments
    (cd "$out" && LC_ALL=C.UTF-8 "$cli" ${run//OUT/$out} >stdout 2>stderr; echo "$?" >status) || true
    sed -i "s|$cli|CLI|g; s|$out|OUT|g" "$out/stdout" "$out/stderr"
  done
  if ! diff -r "$scratch/old" "$scratch/new" >"$scratch/diff"; then
    echo "DIFFERENT: $run"
    head -20 "$scratch/diff"
    differ=$((differ + 1))
  fi
done
echo "${#runs[@]} runs, $differ with different outputs"
((differ == 0))
