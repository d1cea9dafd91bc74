#!/usr/bin/env bash
# The window under a real window manager (openbox on a virtual X display): it opens at its design
# size, a drag or a resize request on its border does not change that size, maximising grows it
# and restoring gives the design size back. Screenshots are left in the given folder.
# Usage: window_manager_test.sh PROGRAM SAMPLE-CATALOGUE SCREENSHOT-DIR
set -euo pipefail
program=$1
catalogue=$2
shots=$3

for tool in xvfb-run openbox xdotool wmctrl xwininfo import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/deps installs it)"
        exit 77
    fi
done

if [ -z "${BEARING_WM_INNER:-}" ]; then
    export BEARING_WM_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

work=$(mktemp -d)
mkdir -p "$shots"
openbox >/dev/null 2>&1 &
wm=$!
cleanup() {
    kill "${app:-}" "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# Openbox owns the screen once it has set the supporting-check property.
for _ in $(seq 50); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
done

cp "$catalogue" "$work/bde.mdb"
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$program") >"$work/log" 2>&1 &
app=$!
id=
for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '轴承型号查询V2.01' 2>/dev/null | head -1) || true
    [ -n "$id" ] && break
    sleep 0.2
done
if [ -z "$id" ]; then
    cat "$work/log" >&2
    echo "FAIL: the window did not appear" >&2
    exit 1
fi
sleep 1

size() {
    xwininfo -id "$id" | awk '/^  Width:/ {w = $2} /^  Height:/ {h = $2} END {print w "x" h}'
}
settle() {
    sleep 1.5
}

design=$(size)
width=${design%x*}
height=${design#*x}
[ "$width" = 794 ] || fail "the window is $design wide, not 794 (the client area's width)"
# The client area is 608 high; the menu bar's two rows come on top of it.
[ "$height" -gt 640 ] || fail "the window is only $design: the menu bar has one row or none"
import -window root "$shots/design-size.png"

# A drag on the frame's bottom-right corner, as a user would size the window: from just below the
# client area's corner, where the frame's handle is.
read -r left top < <(xwininfo -id "$id" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
corner_x=$((left + width - 3))
corner_y=$((top + height + 1))
xdotool mousemove "$corner_x" "$corner_y"
sleep 0.2
xdotool mousedown 1
for step in 50 100 150; do
    sleep 0.2
    xdotool mousemove $((corner_x + step)) $((corner_y + step))
done
sleep 0.2
xdotool mouseup 1
settle
[ "$(size)" = "$design" ] || fail "dragging the border left the window at $(size), not $design"
import -window root "$shots/after-drag.png"

xdotool windowsize "$id" 1000 800
settle
[ "$(size)" = "$design" ] || fail "a resize request left the window at $(size), not $design"

wmctrl -i -r "$id" -b add,maximized_vert,maximized_horz
settle
maximised=$(size)
[ "${maximised%x*}" -gt 1200 ] || fail "maximising left the window at $maximised"
import -window root "$shots/maximised.png"

wmctrl -i -r "$id" -b remove,maximized_vert,maximized_horz
settle
[ "$(size)" = "$design" ] || fail "restoring from maximised left the window at $(size), not $design"

xdotool windowminimize "$id"
settle
wmctrl -i -a "$id"
settle
[ "$(size)" = "$design" ] || fail "restoring from minimised left the window at $(size), not $design"
import -window root "$shots/restored.png"

kill -0 "$app" 2>/dev/null || fail "the program ended during the test"
if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "window manager checks passed at $design"
