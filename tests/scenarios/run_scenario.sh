#!/usr/bin/env bash
# Runs one scenario with the driver in a fresh folder holding the shipped
# problem set (or the scenario's own NAME.sim) and the files of the folder
# NAME/, if there is one, and compares what it printed with NAME.out.
set -euo pipefail
driver=$1
scenario=$2
problems=$3
expected=${scenario%.scn}.out
folder=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$folder"' EXIT
if [[ -f ${scenario%.scn}.sim ]]; then cp "${scenario%.scn}.sim" "$folder/ZUdir.sim"
elif [[ $(head -n 1 "$scenario") != "# no problem set" ]]; then cp "$problems" "$folder/ZUdir.sim"; fi
[[ -d ${scenario%.scn} ]] && cp "${scenario%.scn}"/* "$folder/"
cd "$folder"
# Messages name files by their full path: the folder reads <folder> in NAME.out.
QT_QPA_PLATFORM=offscreen "$driver" "$scenario" 2> stderr.txt | sed "s#$folder#<folder>#g" > actual.out || true
if ! diff -u "$expected" actual.out; then
  echo "scenario $scenario: the output differs from $expected" >&2
  exit 1
fi
