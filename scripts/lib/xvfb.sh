# Helpers for running Quorell on a virtual X display (sourced by the desktop scripts).
# Starts Xvfb on a free display and a tray host, and stops both when the calling script exits.

xvfb_pids=()

xvfb_cleanup() {
  for pid in "${xvfb_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}

# xvfb_start [WIDTHxHEIGHT]: exports DISPLAY. Xvfb picks a free display number itself and reports it
# once it is ready (-displayfd), so scripts running side by side never share a display.
xvfb_start() {
  local geometry=${1:-1280x1024}
  local number_file; number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pids+=($!)
  local i n
  for i in $(seq 1 100); do
    n=$(tr -dc 0-9 <"$number_file")
    if [[ -n "$n" ]]; then
      rm -f "$number_file"
      export DISPLAY=":$n"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$number_file"
  echo "Xvfb did not start" >&2
  return 1
}

# A tray host for the notification-area icon, docked at the bottom right of the screen. A tray host that
# dies while it starts (it races a window manager starting beside it) or never shows its panel is started
# again, up to three times; a loaded machine (a parallel build) can take many seconds to start it.
tray_start() {
  local attempt i pid log
  log=$(mktemp)
  for attempt in 1 2 3; do
    trayer --edge bottom --align right --widthtype pixel --width 96 --heighttype pixel --height 28 \
           --transparent false --tint 0x303030 --SetDockType true --expand false >"$log" 2>&1 &
    pid=$!
    xvfb_pids+=("$pid")
    for i in $(seq 1 200); do
      if xdotool search --class trayer >/dev/null 2>&1; then
        rm -f "$log"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    echo "the tray host did not start (attempt $attempt): $(head -c 300 "$log")" >&2
  done
  rm -f "$log"
  echo "the tray host did not start" >&2
  return 1
}

# wait_for_window NAME [--onlyvisible]: prints the first window id whose title matches NAME.
wait_for_window() {
  local name=$1; shift
  local i id
  for i in $(seq 1 300); do
    id=$(xdotool search "$@" --name "$name" 2>/dev/null | head -n1 || true)
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# tray_icon_click BUTTON [CLASS]: clicks the middle of Quorell's icon docked in the tray host: the window of
# class CLASS (the Qt program's "quorell" by default) inside the tray host's panel (xwininfo prints its
# absolute position last).
tray_icon_click() {
  local class=${2:-quorell}
  local attempt line w h x y
  for attempt in $(seq 1 50); do
    line=$(xwininfo -root -tree 2>/dev/null | grep -A20 '"panel": ("panel" "trayer")' |
           grep -m1 -F "(\"$class\" \"$class\")" || true)
    if [[ $line =~ ([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+\ +\+(-?[0-9]+)\+(-?[0-9]+) ]]; then
      w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
      if (( w > 4 && h > 4 )); then
        xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$1"
        return 0
      fi
    fi
    sleep 0.1
  done
  echo "no tray icon found" >&2
  return 1
}

# wait_for_exit PID SECONDS: waits up to SECONDS for the child PID to end and sets exit_code to its exit
# code; fails while it still runs.
wait_for_exit() {
  local i
  for i in $(seq 1 $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && return 1
  exit_code=0
  wait "$1" || exit_code=$?
}

# notice_window OPTION CLASS: prints the id of a shown notification of a tray icon, drawn as a window of its
# own above the others (override-redirect) and wider than a docked icon, whose class (OPTION --class) or
# class name (OPTION --classname) is CLASS. Fails when there is none.
notice_window() {
  local id
  for id in $(xdotool search --onlyvisible "$1" "$2" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
    (( $(xwininfo -id "$id" | sed -n 's/^ *Width: //p') > 100 )) && { echo "$id"; return 0; }
  done
  return 1
}
