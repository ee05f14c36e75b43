#!/usr/bin/env bash
# Renews the pictures of the user guide (docs/help/img/) from the real
# program: runs zendra under Xvfb with openbox, drives it with
# xdotool as a newcomer would (a question, a timed cast, a cast by hand, the
# trigram picture, the viewer, the contents, find in book, notes, an
# encrypted save, page margins, the about box) and cuts the screenshots with
# ImageMagick. The user's own settings and files are never touched: HOME and
# the XDG folders point into a temporary folder.
#
#   bash scripts/help-screenshots.sh [DISPLAY]     (default :71; use :70-:72)
#
# Build first (cmake --build build): the script installs that build into its
# temporary folder and runs it from there, as a user would, so that the about
# box shows the installed guide. ZENDRA=path/to/zendra runs another executable.
# Needs xvfb, openbox, xdotool, imagemagick
# (scripts/setup.sh installs them). Coordinates are those of a 1280 x 800
# screen with the main window maximised.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
display=${1:-:71}
out="$here/docs/help/img"
[ -x "${ZENDRA:-$here/build/zendra}" ] || { echo "no ${ZENDRA:-$here/build/zendra}: build first" >&2; exit 2; }
for tool in Xvfb openbox xdotool xwininfo xprop xdpyinfo import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/setup.sh installs it)" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  # Only what this script started, newest first.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -n "${ZENDRA:-}" ]; then
  exe=$ZENDRA
else
  cmake --install "$here/build" --prefix "$work/usr" >/dev/null
  exe="$work/usr/bin/zendra"
fi

export DISPLAY=$display
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

home="$work/home"
mkdir -p "$home/Data" "$work/run"
chmod 700 "$work/run"
zendra_pid=
start_zendra() {
  # A Czech date and time in the new consultation's header.
  (cd "$home" && exec env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
     XDG_RUNTIME_DIR="$work/run" LANG=cs_CZ.UTF-8 LC_CTYPE=C.UTF-8 LC_ALL= "$exe" >"$work/zendra.log" 2>&1) &
  zendra_pid=$!
  pids+=("$zendra_pid")
  main=
  for _ in $(seq 1 80); do
    main=$(xdotool search --onlyvisible --name '^Zendra  ' 2>/dev/null | head -n 1) && [ -n "$main" ] && break
    sleep 0.25
  done
  [ -n "$main" ] || { echo "zendra did not start" >&2; cat "$work/zendra.log" >&2; exit 1; }
  sleep 1
  xdotool windowactivate --sync "$main"
}

wait_window() { # REGEX: the id of the visible window of that title (xdotool's
  # patterns match ASCII only: .* stands for a Czech letter)
  local id=
  for _ in $(seq 1 40); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.25
  done
  if [ -z "$id" ]; then
    import -window root "${TMPDIR:-/tmp}/help-screenshots-failed.png"
    echo "no window '$1' (screen: ${TMPDIR:-/tmp}/help-screenshots-failed.png)" >&2
    exit 1
  fi
  echo "$id"
}

raw="$work/screen.png"
grab() { sleep "${1:-0.6}"; import -window root "$raw"; }
# save NAME [CROP] [WIDTH]: the last screen, cut to CROP (WxH+X+Y) and scaled down to WIDTH.
save() {
  local args=("$raw")
  [ -n "${2:-}" ] && args+=(-crop "$2" +repage)
  [ -n "${3:-}" ] && args+=(-filter Lanczos -resize "${3}x>")
  convert "${args[@]}" -strip "$out/$1.png"
  echo "  $1.png"
}
# window NAME ID: one window with its frame, cut from the screen.
window() {
  local x y w h l r t b
  sleep 0.6
  read -r x y w h < <(xwininfo -id "$2" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                                              /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}')
  read -r l r t b < <(xprop -id "$2" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g; s/.*not found.*/0 0 0 0/')
  import -window root "$raw"
  convert "$raw" -crop "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))" +repage -strip "$out/$1.png"
  echo "  $1.png"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.3}"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
menu() { # MNEMONIC ITEM-KEY...: a menu opened by Alt and its letters
  xdotool key "alt+$1"; sleep 0.4
  shift
  for k in "$@"; do xdotool key "$k"; sleep 0.4; done
}
coin() { key "alt+$1"; } # the buttons "1", "2" and "3"
# xdotool lends a spare key to each Czech letter; one letter at a time, so
# that a letter is read before its key is lent again.
typetext() {
  local text=$1 i
  for ((i = 0; i < ${#text}; i++)); do xdotool type -- "${text:i:1}"; sleep 0.06; done
  sleep 0.3
}

mkdir -p "$out"
echo "screenshots into $out"
start_zendra

# The walnut table for every picture (the wood is otherwise chosen by the clock).
click 154 27 0.5
xdotool mousemove 182 270; sleep 0.5
xdotool mousemove 400 270; sleep 0.3
click 400 292 0.5

# The question.
click 900 85
key ctrl+End
typetext "Mám přijmout nabídku nové práce v jiném městě?"
grab; save hlavni-okno "" 960

# The settings menu.
click 154 27 0.6
grab; save menu-nastaveni 400x340+110+36

# Timed casting: two lines, then a throw in the middle.
key Escape
for _ in 1 2; do for c in 1 2 3; do coin $c; sleep 0.2; coin $c; done; sleep 0.4; done
coin 1; coin 2; coin 3; sleep 0.7; coin 1
grab 0.05; save hazeni-casovane 560x260+40+500

# The cast thrown away ("&Zrušit" by Esc), then the same consultation by hand.
key Escape
menu n h r
sleep 0.5
# By hand: each coin starts with its "3" side up; a press turns it over.
# Lines bottom first: 7 8 9 7 6 8 (two changing lines: the third and the fifth).
side=(3 3 3)
line_by_hand() { # VALUE: turns the coins so that VALUE - 6 of them show 3, then writes the line
  local threes=$(( $1 - 6 )) c
  for c in 0 1 2; do
    local want=2; ((c < threes)) && want=3
    if [ "${side[c]}" != "$want" ]; then coin $((c + 1)); side[c]=$want; sleep 0.4; fi
  done
  sleep 0.4
}
line_by_hand 7; click 508 626 0.5
line_by_hand 8; click 508 626 0.5
line_by_hand 9; click 508 626 0.5
line_by_hand 7
grab; save hazeni-rucne 560x260+40+500
click 508 626 0.5
line_by_hand 6; click 508 626 0.5
line_by_hand 8; click 508 626 1.5
grab; save vysledek "" 960

# The developing-hexagram panel, dragged by its header off the trigram
# picture's corner, with its fifth line (a changing one) marked.
xdotool mousemove 420 294 mousedown 1; sleep 0.2
xdotool mousemove 450 314; sleep 0.1; xdotool mousemove 484 336; sleep 0.2; xdotool mouseup 1; sleep 0.4
click 460 406 0.5
grab; save panel-oznacena 240x220+394+324

# "Vývojový hexagram" on the panel: the viewer with the developing hexagram.
click 573 378 1
viewer=$(wait_window 'Hexagram:')
window prohlizec "$viewer"

# The trigram picture: F9 closes the viewer, F9 again clears the picture; then
# F3 picks "Jezero" as the lower trigram and F1 "Oheň" as the upper one.
xdotool windowactivate --sync "$main"; sleep 0.3
key F9; key F9
key F3
grab; save obrazek-prvni 345x305+27+50
key F1
sleep 0.8
xdotool windowactivate --sync "$main"; sleep 0.3
grab; save obrazek-trigramu 345x305+27+50
# Ctrl+F5, Ctrl held down as a hand does (xdotool's ctrl+F5 lets Ctrl go first).
xdotool keydown Control_L; sleep 0.2; xdotool key F5; sleep 0.2; xdotool keyup Control_L
grab; save popis-trigramu 345x305+27+50
key Escape

# The contents of the book.
menu b k
contents=$(wait_window '^Obsah Knihy prom')
window obsah "$contents"
xdotool windowactivate --sync "$contents"; key alt+F4
xdotool windowactivate --sync "$main"; sleep 0.3

# Find in book.
menu b n
find=$(wait_window 'v Knize prom')
typetext "vytrvalost"
# "Hledat od začátku"
xdotool mousemove --window "$find" 71 119 click 1
sleep 1
window najit "$find"
xdotool windowactivate --sync "$find"; key alt+F4
xdotool windowactivate --sync "$main"; sleep 0.3

# F9 closes the viewer.
key F9
# Notes: the panel's notes button, for the cast hexagram.
click 599 454 1
notes=$(wait_window '^Pozn.*mky')
typetext "Moje poznámka k tomuto hexagramu."
window poznamky "$notes"
# The diskette saves the note; the window then closes without a question.
xdotool mousemove --window "$notes" 332 11 click 1; sleep 0.5
xdotool windowactivate --sync "$notes"; key alt+F4
xdotool windowactivate --sync "$main"; sleep 0.3

# An encrypted save.
menu s j
dialog=$(wait_window '^Ulo.*it jako')
typetext "prace.txg"
# A click on the label closes the name completer's list, which would stay on
# top of the password window; then "Uložit".
xdotool mousemove --window "$dialog" 40 359 click 1; sleep 0.4
xdotool mousemove --window "$dialog" 554 359 click 1; sleep 0.4
password=$(wait_window '^Heslo')
xdotool mousemove 1200 700
typetext "Tajne-heslo-7"
sleep 0.8
window heslo "$password"
key Return
confirm=$(wait_window '^Potvrzen.* hesla')
typetext "Tajne-heslo-7"
key Return
sleep 1

# Page margins.
menu s v
margins=$(wait_window '^Nastaven.* okraj')
window okraje "$margins"
key Escape

# The about box.
menu v o
about=$(wait_window '^O programu')
window o-programu "$about"
