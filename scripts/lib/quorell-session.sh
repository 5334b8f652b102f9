# Starts Quorell on the virtual display (see xvfb.sh) in a fresh run directory with all six windows laid out
# side by side, as a user would arrange them. Sourced by the screenshot, footprint and desktop test scripts.

# session_prepare BINARY RUN_DIR: the program's own copy in RUN_DIR (its run directory is the executable's),
# with a private runtime folder for its socket, on the X display rather than an offscreen platform.
session_prepare() {
  local binary=$1 run_dir=$2
  cp "$binary" "$run_dir/quorell"
  export XDG_RUNTIME_DIR="$run_dir/runtime"; mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM
}

# session_start BINARY RUN_DIR: sets app_pid.
session_start() {
  local binary=$1 run_dir=$2
  session_prepare "$binary" "$run_dir"
  # Stored positions for the four monitor windows (GBK, CRLF, as the program writes them).
  printf '[界面设置]\r\nCpu左边=20\r\nCpu顶边=330\r\n内存左边=340\r\n内存顶边=330\r\n接收左边=20\r\n接收顶边=490\r\n发送左边=340\r\n发送顶边=490\r\n' |
    iconv -f UTF-8 -t GBK >"$run_dir/程序配置.Ini"
  "$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
  app_pid=$!
  local main_id trend_id
  main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || { echo "no main window" >&2; return 1; }
  xdotool windowmove "$main_id" 20 20
  # Show the four monitors and the trend window from the tray menu (items 3, 4, 5, 6 and 8).
  local item downs
  for downs in 2 3 4 5 6; do
    session_tray_menu
    for item in $(seq 1 "$downs"); do xdotool key Down; done
    xdotool key Return
    sleep 0.4
  done
  trend_id=$(wait_for_window '^Quorell - 趋势统计$' --onlyvisible) || { echo "no trend window" >&2; return 1; }
  xdotool windowmove "$trend_id" 680 330
}

session_tray_menu() {
  tray_icon_click 3
  sleep 0.6
  xdotool mousemove 1270 10
}
