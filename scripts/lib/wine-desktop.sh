# Helpers for running the Windows program under wine on the virtual X display (sourced after xvfb.sh).

# wine_desktop_start PREFIX: uses (and makes, the first time) the wine prefix PREFIX on $DISPLAY, with one
# persistent wine server for it that wine_desktop_stop (or the calling script's exit) ends. The prefix's
# desktop starts on this display (wineboot), and the Chinese user-interface fonts that wine lacks are
# replaced by a Debian CJK font, so the program's texts show as characters, not boxes. The replacement is
# an outline-only face: wine draws the small bitmap strikes of other CJK faces with broken strokes.
wine_desktop_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  wine_bin=$(command -v wine64 || true)
  [[ -n "$wine_bin" ]] || wine_bin=/usr/lib/wine/wine64
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  "$wine_bin" wineboot --init </dev/null >/dev/null 2>&1
  local font=${QUORELL_WINE_CJK_FONT:-WenQuanYi Micro Hei}
  local reg; reg=$(mktemp --suffix=.reg)
  # A version 5 registry file is UTF-16 with a byte-order mark: read the same in every code page.
  {
    printf '\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local name
    for name in 'Microsoft YaHei' 'Microsoft YaHei UI' 'SimSun' 'NSimSun' 'SimHei' '宋体' '新宋体' '微软雅黑' '黑体'; do
      printf '"%s"="%s"\r\n' "$name" "$font"
    done
  } | iconv -f UTF-8 -t UTF-16LE >"$reg"
  "$wine_bin" regedit /S "$(winepath_of "$reg")" </dev/null >/dev/null 2>&1 || true
  rm -f "$reg"
}

# The Windows form of a Linux path (wine maps / to drive Z:).
winepath_of() {
  printf 'Z:%s' "${1//\//\\}"
}

wine_desktop_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}

# wine_click_client WINDOW X Y: a left click at (X, Y) of a wine window's client area. Wine's X window of a
# top-level window is its client area (the frame, if any, is the window manager's).
wine_click_client() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# wine_tray_click BUTTON: clicks the program's icon in the tray host, where wine's desktop docks it.
wine_tray_click() {
  tray_icon_click "$1" explorer.exe
}

# wine_profile_dump READER FILE LOG: prints what Windows' own private-profile calls (the program READER)
# read from FILE, in the simplified-Chinese code page (the files are GBK). A reader that wine failed to
# start is tried again, each failed try saying why (from LOG); a file that is not there or not readable
# fails every try.
wine_profile_dump() {
  local reader=$1 file=$2 log=$3 try
  for try in 1 2 3; do
    if LC_ALL=${QUORELL_CHINESE_LC_ALL:-zh_CN.UTF-8} "$wine_bin" "$reader" "$(winepath_of "$file")" 2>"$log" |
         tr -d '\r'; then
      return 0
    fi
    echo "reading $file failed (try $try): $(cat "$log")" >&2
    sleep 1
  done
  return 1
}

# wine_check_failed LABEL NAME RUN_DIR MESSAGE: says on stderr why the desktop check LABEL of the Windows
# program failed, with the program's folder and output, keeps the screen at the failure as
# ${TMPDIR:-/tmp}/quorell-NAME-failed.png and ends the script with 1.
wine_check_failed() {
  local label=$1 shot=${TMPDIR:-/tmp}/quorell-$2-failed.png run_dir=$3
  echo "$label: FAILED: $4" >&2
  echo "the program's folder:" >&2; ls -la "$run_dir" >&2 || true
  echo "the program's output:" >&2; cat "$run_dir/stdout.log" >&2 2>/dev/null || true
  [[ -n "${DISPLAY:-}" ]] && import -window root "$shot" 2>/dev/null && echo "screen at the failure: $shot" >&2
  exit 1
}
