#!/usr/bin/env bash
# Builds the Windows program (Release, stripped) with the mingw-w64 cross compiler in a build folder of its
# own and packs it with a short read-me into quorell-<version>-windows-x86_64.zip in that build folder (or
# the folder given as the first argument). The program needs nothing beside it: the C++ runtime is
# linked statically.
# Usage: scripts/release-windows.sh [output-folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${QUORELL_RELEASE_BUILD_DIR:-$root/build-release-windows}
mkdir -p "$build_dir"
out_dir=$(realpath "${1:-$build_dir}")
prefix=x86_64-w64-mingw32

cmake -S "$root" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUORELL_BUILD_TESTS=OFF -DQUORELL_BUILD_GUI=ON >/dev/null
cmake --build "$build_dir" -j 2 --target quorell
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[[ -n "$version" ]] || { echo "release-windows: no project version in $build_dir" >&2; exit 1; }

name="quorell-$version-windows-x86_64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$prefix-strip" -o "$stage/quorell.exe" "$build_dir/src/gui/win32/quorell.exe"

# The read-me: UTF-8 with a byte-order mark and CRLF lines, so that Notepad on every Windows shows it right.
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' <<README
Quorell $version (Windows x86-64)
=================================

Quorell 是一个小巧的桌面资源监视器：每秒测量一次 CPU 使用率、内存负载以及一个网络接口的接收和发送流量，
在四个置顶的小窗口里显示当前值、最高值和平均值以及滚动曲线；趋势统计窗口显示按小时记录的历史。

使用方法
- 把压缩包解压到任意文件夹，双击 quorell.exe 即可运行，无需安装。
- 设置文件“程序配置.Ini”和历史文件（Cpu.FDB、内存.FDB、接收.FDB、发送.FDB）保存在 quorell.exe 所在的文件夹；
  该文件夹不可写时（例如 Program Files），保存在 %LOCALAPPDATA%\\Quorell。
- 同一文件夹只运行一份：再次启动时会显示已在运行的那一份的主窗口。
- 关闭窗口只会隐藏窗口。右键单击通知区域（托盘）中的 Quorell 图标，可以显示或隐藏各个窗口；
  选择菜单最后一项“退出”并回答“是”即可结束程序。注销或关机时程序会保存数据后自动结束。
- 卸载：结束程序后删除该文件夹即可（如使用过 %LOCALAPPDATA%\\Quorell，也一并删除）。

Quorell is a small desktop resource monitor: once a second it measures the CPU usage, the memory load and the
bytes received and sent by one network interface, and shows the current, highest and average values with a
scrolling graph in four small always-on-top windows; a trend window shows the hourly history.

How to use it
- Unzip the archive into any folder and run quorell.exe; nothing is installed.
- The settings file "程序配置.Ini" and the history files (Cpu.FDB, 内存.FDB, 接收.FDB, 发送.FDB) are kept in the
  folder of quorell.exe; when that folder cannot be written (for instance under Program Files), in
  %LOCALAPPDATA%\\Quorell.
- One copy runs per folder: starting it again shows the main window of the copy that is running.
- Closing a window only hides it. Right-click the Quorell icon in the notification area (tray) to show or hide
  each window; its last item ends the program after you answer Yes. Logging off or shutting down saves
  everything and ends it.
- To remove it, end the program and delete the folder (and %LOCALAPPDATA%\\Quorell if it was used).
README
} >"$stage/README.txt"

zip_path="$out_dir/$name.zip"
rm -f "$zip_path"
(cd "$stage" && zip -q -X -9 "$zip_path" quorell.exe README.txt)

# What went in: exactly the program and the read-me, and the program is a 64-bit Windows executable.
listing=$(unzip -Z1 "$zip_path" | sort | tr '\n' ' ')
[[ "$listing" == "README.txt quorell.exe " ]] || { echo "release-windows: unexpected content: $listing" >&2; exit 1; }
[[ $(unzip -p "$zip_path" quorell.exe | head -c 2) == MZ ]] || { echo "release-windows: quorell.exe is no program" >&2; exit 1; }
"$prefix-objdump" -f "$stage/quorell.exe" | grep -q 'pei-x86-64' ||
  { echo "release-windows: quorell.exe is not a 64-bit Windows program" >&2; exit 1; }
echo "release-windows: $zip_path ($(stat -c %s "$zip_path") bytes; quorell.exe $(stat -c %s "$stage/quorell.exe") bytes)"
