#!/usr/bin/env bash
# Runs its arguments on a virtual desktop (Xvfb with openbox) unless DISPLAY is already
# set, stops what it started, and exits with the command's status.
set -u

if [ $# -eq 0 ]; then
    echo "usage: $0 command [arguments...]" >&2
    exit 2
fi
[ -n "${DISPLAY:-}" ] && exec "$@"

started=()
stop_started() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -f "$numfile"
}
numfile=$(mktemp)
trap stop_started EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# -displayfd lets the server take a free display number itself, with no race against
# other runs that look for one at the same time; it writes the number once it listens.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 100); do
    [ -s "$numfile" ] && break
    kill -0 "${started[0]}" 2>/dev/null || break
    sleep 0.1
done
number=$(tr -dc 0-9 <"$numfile")
if [ -z "$number" ]; then
    echo "with-desktop: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$number"

for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
if ! xdpyinfo >/dev/null 2>&1; then
    echo "with-desktop: display $DISPLAY does not answer" >&2
    exit 1
fi

openbox >/dev/null 2>&1 &
started+=($!)
# Windows get title bars and can be activated only once the window manager runs.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

"$@"
