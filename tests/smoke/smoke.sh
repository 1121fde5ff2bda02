#!/usr/bin/env bash
# Starts the real program under a virtual X display, waits for its main window, closes it with
# the keyboard (File, Exit) and checks that it ended cleanly and wrote its last folders.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"

cat > "$work/run.sh" <<'INNER'
#!/usr/bin/env bash
set -u
"$1" &
pid=$!
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Ordrane, v' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the main window did not appear" >&2
    kill "$pid"
    exit 1
fi
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end after File, Exit" >&2
    kill "$pid"
    exit 1
fi
wait "$pid"
INNER
chmod +x "$work/run.sh"

env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" \
    xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh" "$program"
echo "ordrane ended with status 0"

settings="$work/config/Ordrane/Ordrane.conf"
grep -q '^SourcePath=' "$settings" || { echo "SourcePath not written" >&2; exit 1; }
grep -q '^TargetPath=' "$settings" || { echo "TargetPath not written" >&2; exit 1; }
[ -d "$work/data/Ordrane" ] || { echo "data folder not created" >&2; exit 1; }
echo "settings written: $(tr '\n' ' ' < "$settings")"
