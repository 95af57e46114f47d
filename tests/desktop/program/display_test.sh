#!/usr/bin/env bash
# Starts the built program in each environment of the table and checks its
# exit status and the first line it writes on standard error: where no window
# system can be reached it says so and ends with 1, never an abort (134).
set -uo pipefail
shopt -s extglob
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
status=0
# environment | arguments | exit status | first line of standard error
while IFS='|' read -r environment arguments expected pattern; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE HOME="$home" TAVOLINI_HOME="$home" \
    XDG_RUNTIME_DIR="$home" $environment "$program" $arguments > /dev/null 2> "$home/stderr"
  actual=$?
  first=$(head -n 1 "$home/stderr")
  if [[ $actual != "$expected" || $first != $pattern ]]; then
    echo "$environment tavolini $arguments: $actual: $first" >&2
    status=1
  fi
done <<'ROWS'
|--self-test|1|tavolini: cannot open the display (platform xcb, DISPLAY not set)
QT_QPA_PLATFORM=xcb|--self-test|1|tavolini: cannot open the display (platform xcb, DISPLAY not set)
QT_QPA_PLATFORM=xcb DISPLAY=:87|--self-test|1|tavolini: cannot open the display (platform xcb, display :87)
DISPLAY=:87|-display :86 --self-test|1|tavolini: cannot open the display (platform xcb, display :86)
QT_QPA_PLATFORM=nosuch|--self-test|1|tavolini: cannot open the display (platform nosuch)
QT_QPA_PLATFORM=offscreen|-platform nosuch --self-test|1|tavolini: cannot open the display (platform nosuch)
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-7|--self-test|1|tavolini: cannot open the display (platform wayland, display wayland-7)
QT_QPA_PLATFORM=nosuch;offscreen|--self-test|0|qt.qpa.plugin: Could not find the Qt platform plugin "nosuch"*
QT_QPA_PLATFORM=offscreen|--self-test|0|!(tavolini*)
QT_QPA_PLATFORM=minimal|--self-test|0|!(tavolini*)
ROWS
exit $status
