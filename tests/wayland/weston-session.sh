#!/bin/sh
# The headless Wayland compositor the wayland tests run on: no X server, no
# input devices, a private runtime directory holding its socket and log.
#   weston-session.sh start <runtime directory> <socket name>
#   weston-session.sh stop <runtime directory>
set -eu

stop() {
    dir=$1
    pidfile="$dir/weston.pid"
    if [ -f "$pidfile" ]; then
        pid=$(cat "$pidfile")
        # Only the compositor this script started, never a reused process id.
        if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = weston ]; then
            kill "$pid"
            i=0
            while kill -0 "$pid" 2>/dev/null && [ "$i" -lt 50 ]; do
                sleep 0.1
                i=$((i + 1))
            done
            kill -KILL "$pid" 2>/dev/null || true
        else
            echo "weston had already ended; its log:" >&2
            cat "$dir/weston.log" >&2 || true
        fi
    fi
    rm -rf "$dir"
}

start() {
    dir=$1
    socket=$2
    stop "$dir" 2>/dev/null # what an interrupted run left
    mkdir -p "$dir"
    chmod 0700 "$dir"
    env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET XDG_RUNTIME_DIR="$dir" \
        weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
        --log="$dir/weston.log" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/weston.pid"
    i=0
    until [ -S "$dir/$socket" ]; do
        if ! kill -0 "$(cat "$dir/weston.pid")" 2>/dev/null || [ "$i" -ge 100 ]; then
            echo "weston did not open $dir/$socket; its log:" >&2
            cat "$dir/weston.log" >&2 || true
            exit 1
        fi
        sleep 0.1
        i=$((i + 1))
    done
}

case "${1:-}" in
start) start "$2" "$3" ;;
stop) stop "$2" ;;
*)
    echo "usage: $0 start <runtime directory> <socket name> | stop <runtime directory>" >&2
    exit 2
    ;;
esac
