#!/usr/bin/env bash
# The real main window under an X server with a full description loaded: ten lines of 45
# characters. The window comes up centred at its fixed size, the bars stand where the guide puts
# them, and the screenshot stays in the build folder as vellum-window.png for a person to see.
set -euo pipefail
vellum=$1
build=$2
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

folder=$(mktemp -d)
pid=
trap 'if [ -n "$pid" ]; then kill $pid 2>/dev/null; fi; rm -rf "$folder"; kill $XVFB_PID 2>/dev/null' EXIT

sample="ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
for line in $(seq 10); do
    [ "$line" -gt 1 ] && printf '\r\n'
    printf 'Line %02d %s' "$line" "$sample" | cut -c1-45 | tr -d '\n'
done >"$folder/FILE_ID.DIZ"
[ "$(stat -c %s "$folder/FILE_ID.DIZ")" -eq 468 ]

"$vellum" "$folder/FILE_ID.DIZ" &
pid=$!
wait_for_window 'FILE_ID.DIZ - Vellum'
info=$(xwininfo -name 'FILE_ID.DIZ - Vellum')
window=$(awk '/Window id:/ {print $4}' <<<"$info")
X=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
Y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
WIDTH=$(awk '/Width:/ {print $2}' <<<"$info")
HEIGHT=$(awk '/Height:/ {print $2}' <<<"$info")

fail() {
    echo "$*" >&2
    exit 1
}
[ "$WIDTH" -eq 494 ] || fail "the window is $WIDTH pixels wide, not 494"
# Minimum and maximum size agree: the window manager offers no resizing.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 494 by $HEIGHT" <<<"$hints" || fail "no fixed minimum size: $hints"
grep -q "maximum size: 494 by $HEIGHT" <<<"$hints" || fail "no fixed maximum size: $hints"
[ $((X - (1024 - WIDTH) / 2)) -ge -1 ] && [ $((X - (1024 - WIDTH) / 2)) -le 1 ] ||
    fail "the window is not centred: it starts at x = $X"

# The guide's inner area starts inside the panel's two-pixel border, 29 pixels below the top of
# the client area, which has the menu bar above it.
guide_x=$((X + 2))
guide_y=$((Y + HEIGHT - 408 + 29 + 2))
colour_at() {
    convert "$build/vellum-window.png" -format \
        "%[fx:round(255*p{$(($guide_x + $1)),$(($guide_y + $2))}.r)],%[fx:round(255*p{$(($guide_x + $1)),$(($guide_y + $2))}.g)],%[fx:round(255*p{$(($guide_x + $1)),$(($guide_y + $2))}.b)]" info:
}
for _ in $(seq 50); do
    import -window root "$build/vellum-window.png"
    [ "$(colour_at 100 192)" = "0,0,255" ] && break
    sleep 0.1
done
[ "$(colour_at 100 192)" = "0,0,255" ] || fail "no blue bar under line 10: $(colour_at 100 192)"
[ "$(colour_at 100 256)" = "255,192,128" ] || fail "no orange bar under line 14"
[ "$(colour_at 100 320)" = "255,0,0" ] || fail "no red bar under line 18"
[ "$(colour_at 423 100)" = "255,0,0" ] || fail "no red column after column 45"
[ "$(colour_at 429 20)" = "255,0,0" ] || fail "no red block above column 46"
# Line 10's text is drawn: dark pixels in its cells, none in column 46 beyond the red column.
dark_in() {
    convert "$build/vellum-window.png" -crop "$3x$4+$(($guide_x + $1))+$(($guide_y + $2))" \
        +repage -colorspace gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}
[ "$(dark_in 64 176 360 16)" -gt 100 ] || fail "line 10 is not drawn in its cells"
[ "$(dark_in 425 32 7 160)" -eq 0 ] || fail "text stands in column 46"

echo "ok: screenshot in $build/vellum-window.png"
