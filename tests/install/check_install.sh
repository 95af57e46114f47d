#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop sees of it:
#   start     the installed program makes and seeds the practice folder of an
#             empty home, draws the first problem, and leaves a set that is
#             there alone; a set named on the command line is opened
#   desktop   the menu entry passes desktop-file-validate
#   metainfo  the AppStream file passes appstreamcli validate
#   server    the installed class server starts on an empty folder, makes the
#             first teacher and serves the installed web edition; its system
#             unit is there
#   package   the Debian package builds, holds the server, its unit and the
#             site, and lintian finds no error in it
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
server)
  [[ -f $work/prefix/lib/systemd/system/tavolini-server.service ]]
  [[ -f $work/prefix/share/tavolini/site/index.html ]] || { echo "no web edition installed (make web)" >&2; exit 1; }
  "$work/prefix/bin/tavolini-server" --data "$work/server" --listen 127.0.0.1:0 > "$work/server.out" 2>&1 &
  server=$!
  trap 'kill $server 2> /dev/null; rm -rf "$work"' EXIT
  for _ in $(seq 100); do grep -q '^Listening on' "$work/server.out" && break; sleep 0.1; done
  grep -q '^First teacher account: teacher / ' "$work/server.out"
  port=$(sed -n 's|^Listening on http://127.0.0.1:\([0-9]*\)$|\1|p' "$work/server.out")
  exec 3<> "/dev/tcp/127.0.0.1/$port"
  printf 'GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' >&3
  reply=$(cat <&3)
  [[ $reply == "HTTP/1.1 200 OK"* && $reply == *"$(head -c 200 "$work/prefix/share/tavolini/site/index.html")"* ]] ||
    { echo "the installed site is not served: ${reply:0:300}" >&2; cat "$work/server.out" >&2; exit 1; }
  ;;
desktop) desktop-file-validate "$work/prefix/share/applications/org.tavolini.Tavolini.desktop" ;;
metainfo) appstreamcli validate --no-net "$work/prefix/share/metainfo/org.tavolini.Tavolini.metainfo.xml" ;;
package)
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > /dev/null
  contents=$(dpkg-deb -c "$work/package"/tavolini_*.deb)
  for file in usr/bin/tavolini-server usr/lib/systemd/system/tavolini-server.service \
      usr/share/tavolini/site/index.html; do
    grep -q " \./$file\$" <<< "$contents" || { echo "the package lacks /$file" >&2; exit 1; }
  done
  lintian --fail-on error "$work/package"/tavolini_*.deb
  ;;
*) echo "no such check: $mode" >&2; exit 2 ;;
esac
