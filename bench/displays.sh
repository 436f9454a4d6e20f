# The screens the benchmarks play on, shared by bench/run_benchmark.sh and
# scripts/bench-windows.sh. Sourced, not run; needs $work (a scratch folder)
# and the array servers, whose processes the caller ends.

# Waits up to ten seconds for $1 to hold.
ready() {
    local i
    for i in $(seq 100); do
        if eval "$1"; then return 0; fi
        sleep 0.1
    done
    echo "$2 did not start"
    exit 1
}
# An Xvfb screen of $1 (WxH); its display in $display. It writes its
# number once it accepts connections, and -noreset keeps it up when a
# client leaves. A server that then does not answer a client is started
# anew, twice at the most.
start_xvfb() {
    local attempt pid
    for attempt in 1 2 3; do
        : >"$work/display"
        Xvfb -displayfd 3 -noreset -screen 0 "$1x24" -nolisten tcp 3>>"$work/display" 2>/dev/null &
        pid=$!
        servers+=($pid)
        ready '[[ -s $work/display ]] || ! kill -0 $pid 2>/dev/null' Xvfb
        display=:$(head -n 1 "$work/display")
        if [[ -s $work/display ]] && xdpyinfo -display "$display" >/dev/null 2>&1; then
            return 0
        fi
        echo "Xvfb $1 (attempt $attempt) does not answer; starting it again"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "Xvfb $1 did not start"
    exit 1
}
