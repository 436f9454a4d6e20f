#!/usr/bin/env bash
# The real program in a real X window: 1900x980, the splash picture at
# (870, 462) on black, a name and an icon, so that task bars, window
# switchers and a search by name find it, and q ends it with status 0. The
# name is WM_NAME "ORBO-STRAK"; the icon either the WM_HINTS icon bitmap and
# mask (SDL 1.2) or _NET_WM_ICON, the 12x8 invader blown up four times (SDL 2
# underneath).
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game # fails unless the window reaches 1900x980

wait_for splash_shown 120
expect_eq "$(region 870 462 162 58 | grep -cvxE '0|150|255' || true)" 0 "splash pixels outside its three grays"
expect_ge "$(count_gray 870 462 162 58 150)" 1 "splash mid-gray pixels"
expect_eq "$(count_lit 0 0 1900 980)" "$(count_lit 870 462 162 58)" "lit pixels in the window and in the splash"

named() { xprop -id "$window" WM_NAME 2>/dev/null | grep -qx 'WM_NAME(STRING) = "ORBO-STRAK"'; }
wait_until "the window name ORBO-STRAK" 30 named
[[ $(xdotool search --name '^ORBO-STRAK$' | head -1) == "$window" ]] || fail "no window found by the name ORBO-STRAK"
hints=$(xprop -id "$window" WM_HINTS)
net_icon=$(xprop -id "$window" _NET_WM_ICON)
grep -q "bitmap id # to use for icon" <<<"$hints" && grep -q "bitmap id # of mask for icon" <<<"$hints" ||
    grep -q "Icon (48 x 32)" <<<"$net_icon" || fail "no icon with its mask: $hints / $(head -3 <<<"$net_icon")"

xdotool key q
expect_exit 0 "exit status after q"
echo "window: at $win_x,$win_y, the splash as laid out, named, with an icon; q quits"
