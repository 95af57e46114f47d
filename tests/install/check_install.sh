#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop sees of it:
#   start     the installed program makes and seeds the practice folder of an
#             empty home, draws the first problem, and leaves a set that is
#             there alone; a set named on the command line is opened
#   desktop   the menu entry passes desktop-file-validate
#   metainfo  the AppStream file passes appstreamcli validate
#   package   the Debian package builds and lintian finds no error in it
set -euo pipefail
mode=$1
build=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" > /dev/null

case $mode in
start)
  export HOME=$work/home QT_QPA_PLATFORM=offscreen
  unset TAVOLINI_HOME
  mkdir -p "$HOME"
  [[ $("$work/prefix/bin/tavolini" --self-test 2> /dev/null) == "first problem drawn" ]]
  cmp "$HOME/Tavolini/ZUdir.sim" "$source/data/ZUdir.sim"
  printf '<<teacher\r\nx+y=5;x-y=1\r\n>>\r\n' > "$HOME/Tavolini/ZUdir.sim"
  cp "$HOME/Tavolini/ZUdir.sim" "$work/teacher.sim"
  [[ $("$work/prefix/bin/tavolini" --self-test 2> /dev/null) == "first problem drawn" ]]
  cmp "$HOME/Tavolini/ZUdir.sim" "$work/teacher.sim"
  printf '<<named\r\n2x=4;y=1\r\n>>\r\n' > "$work/named.sim"
  (cd "$work" && [[ $("$work/prefix/bin/tavolini" --self-test named.sim 2> /dev/null) == "first problem drawn" ]])
  # The command line is answered without a display: arguments | exit status | output.
  while IFS='|' read -r words status pattern; do
    actual=0
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$work/prefix/bin/tavolini" $words 2>&1) || actual=$?
    [[ $actual == "$status" && $output == $pattern ]] || { echo "tavolini $words: $actual: $output" >&2; exit 1; }
  done <<'ROWS'
--version|0|Orbiset Tavolini *
-platform offscreen --version|0|Orbiset Tavolini *
--help|0|Usage: tavolini *--self-test*
-h|0|Usage: tavolini *
--help-all|0|Usage: tavolini *-platform NAME*
--bogus|1|tavolini: unknown option --bogus*tavolini --help*
-x named.sim|1|tavolini: unknown option -x*
a.sim b.sim|2|tavolini: one problem set at a time
--version=2|1|tavolini: *
ROWS
  ;;
desktop) desktop-file-validate "$work/prefix/share/applications/org.tavolini.Tavolini.desktop" ;;
metainfo) appstreamcli validate --no-net "$work/prefix/share/metainfo/org.tavolini.Tavolini.metainfo.xml" ;;
package)
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > /dev/null
  lintian --fail-on error "$work/package"/tavolini_*.deb
  ;;
*) echo "no such check: $mode" >&2; exit 2 ;;
esac
