#!/usr/bin/env bash
# Measures the dictation's pace through a real sound server: a PulseAudio null sink whose monitor
# is recorded while the bench dictates a few columns with the program's player, at "Veloce"
# (slider 1) and at "Lento" (slider 10). The sounds are found in the recording from its energy
# envelope and set against `quadrigo13-cli dictate --plan`: the period from one sign's start to
# the next, planned and heard, and each recording's length in its file and as heard.
# Needs: apt-get install pulseaudio pulseaudio-utils python3; a build with bench and the CLI.
# Usage: tools/measure-dictation.sh [BUILD_DIR]   (default build-ci)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-ci}" && pwd)"
work="$(mktemp -d)"
chmod 755 "$work"
recorder=""
daemon=""
cleanup() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A server of our own when none answers: as root PulseAudio runs only system-wide.
if ! pactl info >/dev/null 2>&1; then
    # A system-wide server drops to its own user, which must be able to make the socket.
    mkdir -m 1777 "$work/pulse"
    export PULSE_SERVER="unix:$work/pulse/socket"
    cat >"$work/pulse.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/socket
PA
    args=(-n -F "$work/pulse.pa" --exit-idle-time=-1 --daemonize=no --log-target=stderr)
    [ "$(id -u)" -eq 0 ] && args=(--system --disallow-exit "${args[@]}")
    pulseaudio "${args[@]}" 2>"$work/pulse.log" &
    daemon=$!
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
pactl list short sinks | grep -q '^[0-9]*[[:space:]]rec[[:space:]]' ||
    pactl load-module module-null-sink sink_name=rec >/dev/null
pactl set-default-sink rec

mkdir -p "$work/app"
cp "$root"/src/app/sounds/*.wav "$work/app/"
export QT_QPA_PLATFORM=offscreen
# Speed notch, columns dictated.
for run in "1 5" "10 2"; do
    read -r speed columns <<<"$run"
    parec -d rec.monitor --file-format=wav --channels=1 "$work/heard.wav" &
    recorder=$!
    sleep 0.5
    "$build/bench/bench" --dictation-sound "$work/app" "$columns" "$speed" >"$work/times.txt"
    sleep 0.5
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    recorder=""
    "$build/src/quadrigo13-cli" dictate "$work/app/Misura.pro" --plan --speed "$speed" \
        --app-folder "$work/app" >"$work/plan.txt"
    echo "== slider $speed, $columns columns"
    python3 - "$work/app" "$work/heard.wav" "$work/plan.txt" <<'PY'
import array, os, statistics, sys, wave

def sounds(path, gap=0.12, frame=0.005, floor_db=-40.0):
    """(start, end) of each stretch louder than floor_db; shorter pauses than gap join."""
    with wave.open(path) as w:
        rate, channels = w.getframerate(), w.getnchannels()
        assert w.getsampwidth() == 2
        data = array.array('h', w.readframes(w.getnframes()))
    n = int(rate * frame) * channels
    limit = (32768 * 10 ** (floor_db / 20)) ** 2 * n
    found, start, last = [], None, None
    for i, k in enumerate(range(0, len(data) - n + 1, n)):
        if sum(x * x for x in data[k:k + n]) <= limit:
            continue
        t = i * frame
        if start is None:
            start = t
        elif t - last > gap:
            found.append((start, last + frame))
            start = t
        last = t
    if start is not None:
        found.append((start, last + frame))
    return found

folder, heard, plan_path = sys.argv[1:4]
plan = [line.split() for line in open(plan_path) if line.strip()]
length = {}
for name, _ in plan:
    if name not in length:
        own = sounds(os.path.join(folder, name))
        length[name] = own[-1][1] - own[0][0]
found = sounds(heard)
print(f"sounds planned {len(plan)}, heard {len(found)}")
if len(found) != len(plan):
    sys.exit("the recording does not hold the planned sounds one by one")
signs = {'1.wav', 'X.wav', '2.wav', '1X.wav', 'X2.wav', '12.wav'}
planned = [length[name] + float(wait) for name, wait in plan]
measured = [found[i + 1][0] - found[i][0] for i in range(len(found) - 1)]
between_signs = [i for i in range(len(plan) - 1) if plan[i][0] in signs and plan[i + 1][0] in signs]
p = statistics.mean(planned[i] for i in between_signs)
m = statistics.mean(measured[i] for i in between_signs)
print(f"sign to sign: planned {p:.3f} s, heard {m:.3f} s ({(m - p) / p * 100:+.1f} %)")
p, m = sum(planned[:-1]), found[-1][0] - found[0][0]
print(f"first to last start: planned {p:.2f} s, heard {m:.2f} s ({(m - p) / p * 100:+.1f} %)")
print("length in file / heard (mean, shortest):")
for name in sorted(length):
    heard_lengths = [found[i][1] - found[i][0] for i in range(len(plan)) if plan[i][0] == name]
    print(f"  {name:10s} {length[name]:.3f} s / {statistics.mean(heard_lengths):.3f} s, "
          f"{min(heard_lengths):.3f} s")
PY
done
