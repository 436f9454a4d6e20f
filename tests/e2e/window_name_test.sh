#!/usr/bin/env bash
# The window carries its name and an icon, so that task bars, window
# switchers and a search by name find it: WM_NAME "ORBO-STRAK", and an icon
# either as the WM_HINTS icon bitmap and mask (SDL 1.2) or as _NET_WM_ICON,
# the 12x8 invader blown up four times (SDL 2 underneath).
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game

named() { xprop -id "$window" WM_NAME 2>/dev/null | grep -qx 'WM_NAME(STRING) = "ORBO-STRAK"'; }
wait_until "the window name ORBO-STRAK" 30 named
[[ $(xdotool search --name '^ORBO-STRAK$' | head -1) == "$window" ]] || fail "no window found by the name ORBO-STRAK"

hints=$(xprop -id "$window" WM_HINTS)
net_icon=$(xprop -id "$window" _NET_WM_ICON)
if grep -q "bitmap id # to use for icon" <<<"$hints"; then
    grep -q "bitmap id # of mask for icon" <<<"$hints" || fail "icon without a mask: $hints"
    echo "window: named, icon as a bitmap with its mask"
elif grep -q "Icon (48 x 32)" <<<"$net_icon"; then
    echo "window: named, a 48x32 icon"
else
    fail "no icon: $hints / $(head -3 <<<"$net_icon")"
fi
