# The one way our tests, benchmarks and scripts run Windows programs under Wine without
# touching anyone's display or Wine: a private X server (scripts/private_x.sh, whose
# functions come with this file), a Wine prefix in a folder of our own, programs found and
# stopped by their process ids, and a clean-up that stops what was started (the prefix's
# server with wineserver -k). Runs inside the Debian 13 root (scripts/in_wine_root.sh),
# whose Wine 10 runs the 32-bit programs as well as the 64-bit ones.
#
# Sourced:
#   source scripts/private_wine.sh
#   private_wine_start NAME FIRST LAST GEOMETRY [Xvfb option...]
#       x_start_free, and the prefix in private_work; sets WINEPREFIX and WINEDEBUG
#   private_wine_boot [command...]   makes the prefix; the command (e.g. env LANG=...) goes
#                                    in front of every Wine call
#   wine_program_start [NAME=value...] EXE [ARG...]
#       starts a program; APP is its handle for the functions below
#   wine_program_pid HANDLE          the program's own process id (waits for it)
#   wine_program_running HANDLE      true while the program runs
#   wine_program_wait HANDLE [SECONDS]  waits for its end; its exit code goes to EXIT_CODE
#   wine_program_stop HANDLE         ends it and waits until it is gone
#   wine_window HANDLE               waits for its first visible window
# Run:
#   bash scripts/private_wine.sh prefix [command...]
#       makes a prefix in $WINEPREFIX on $DISPLAY (the same recipe as private_wine_boot)
#   bash scripts/private_wine.sh program-pid LAUNCHER EXE [TAKEN_PID...]
#       the program's own process id for a program EXE started as process LAUNCHER, as
#       wine_program_start finds it, the processes TAKEN aside; nothing when it ended first
#
# A 32-bit program under Wine's WoW64 mode does not run in the process that was started:
# that one becomes a launcher (start.exe) that starts the program as a process of its own,
# waits for it and ends with its exit code. So a handle is the started process, which tells
# when the program ended and how, together with the program's own process, which owns its
# windows and is what we stop: the process of our prefix whose command line names the
# program and that no other handle has.

source "$(dirname "${BASH_SOURCE[0]}")/private_x.sh"
wine64=/usr/lib/wine/wine64
WINE64=$wine64
declare -A wine_program_exe=() wine_program_real=()

private_wine_cleanup() {
  local handle
  for handle in "${!wine_program_exe[@]}"; do wine_program_kill "$handle"; done
  [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
}
private_cleanup_hooks+=(private_wine_cleanup)

private_wine_start() {
  x_start_free "$@" || return 1
  export WINEPREFIX=$private_work/prefix WINEDEBUG=-all
}

# No window manager: Wine draws window frames itself, and dialogs close at once (with Wine's
# default it waits for a manager that is not there). The machine has no "MS UI Gothic", the
# font Japanese dialogs ask for: IPAGothic stands in, or Japanese texts would be boxes.
#
# Making a prefix takes Wine 10 a minute or more on a busy machine (it sets up its 64-bit
# and its 32-bit side, 1.4 GB), so the first prefix made in a root is kept as a template in
# /tmp, named after the root, and later prefixes are made from it in seconds: its programs
# and libraries hard-linked (Wine only reads them), every other file (registry, settings)
# copied, since Wine rewrites those. Wine brings such a prefix up to date with the locale
# it runs in.
private_wine_template=/tmp/tavimore-wine-prefix-${TAVIMORE_IN_WINE_ROOT:-none}
private_wine_boot() {
  if [ -n "${TAVIMORE_IN_WINE_ROOT:-}" ] && [ -d "$private_wine_template" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    if ! cp -al "$private_wine_template" "$WINEPREFIX" 2>/dev/null; then
      # Hard links work only within one mount (the prefix is elsewhere than /tmp).
      rm -rf "$WINEPREFIX"
      cp -a "$private_wine_template" "$WINEPREFIX"
      return 0
    fi
    (cd "$private_wine_template" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' \
      ! -iname '*.sys' ! -iname '*.nls' ! -iname '*.ttf' ! -iname '*.ocx' ! -iname '*.cpl' -print0) |
      while IFS= read -r -d '' file; do
        cp -p --remove-destination "$private_wine_template/$file" "$WINEPREFIX/$file"
      done
    return 0
  fi
  "$@" "$wine64" wineboot -i >/dev/null 2>&1
  "$@" "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  "$@" "$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
    /d IPAGothic /f >/dev/null 2>&1
  if [ -n "${TAVIMORE_IN_WINE_ROOT:-}" ] && [ "$#" -eq 0 ] && [ ! -d "$private_wine_template" ]; then
    # Only a prefix whose server has ended has all of its registry on disk.
    wineserver -w
    local part
    part=$(mktemp -d "$private_wine_template.part-XXXXXX")
    cp -a "$WINEPREFIX/." "$part/"
    mv -T "$part" "$private_wine_template" 2>/dev/null || rm -rf "$part"
  fi
}

# True when $1 is a 32-bit Windows program (machine i386 in its PE header).
pe_is_32bit() {
  local pe
  pe=$(od -An -tu4 -j 60 -N4 "$1" | tr -d ' ')
  [ "$(od -An -tx2 -j $((pe + 4)) -N2 "$1" | tr -d ' ')" = 014c ]
}

# Starts a Windows program in the background; APP is its handle. NAME=value words before
# the program go into its environment; its error output (where Wine writes the traces asked
# for with WINEDEBUG) goes to $PROGRAM_LOG when set.
wine_program_start() {
  local assignments=()
  while [[ $1 == *=* ]]; do
    assignments+=("$1")
    shift
  done
  local exe=$1
  env "${assignments[@]}" "$wine64" "$@" 2>"${PROGRAM_LOG:-/dev/stderr}" &
  APP=$!
  wine_program_exe[$APP]=$(basename "$exe")
  if pe_is_32bit "$exe"; then
    wine_program_find "$APP"
  else
    wine_program_real[$APP]=$APP
  fi
}

# The process of our prefix, other than the launcher $1 and the programs already found,
# whose command line names the program file $2 (Wine shows the Windows path there) and is
# not a launcher's.
wine_find_program_process() {
  local launcher=$1 name=${2,,} dir pid args taken
  taken=" ${wine_program_real[*]} "
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    [ "$pid" != "$launcher" ] || continue
    [[ $taken != *" $pid "* ]] || continue
    args=$( { tr '\0' ' ' <"$dir/cmdline"; } 2>/dev/null) || continue
    args=${args,,}
    [[ $args == *"$name"* && $args != *start.exe* ]] || continue
    grep -qzx "WINEPREFIX=$WINEPREFIX" "$dir/environ" 2>/dev/null || continue
    echo "$pid"
    return 0
  done
  return 1
}

# True while process $1 runs: a zombie has ended, though its parent has yet to read how.
process_running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) && [[ ${stat##*) } != Z* ]]
}

# Waits up to 30 s for the program's own process; a program that ends before it is seen (a
# second start of a single-instance clock) leaves none. Runs in the caller's shell, so that
# the programs already found are known.
wine_program_find() {
  local handle=$1 pid i
  for i in $(seq 600); do
    pid=$(wine_find_program_process "$handle" "${wine_program_exe[$handle]}") && break
    process_running "$handle" || return 0
    sleep 0.05
  done
  wine_program_real[$handle]=$pid
}

wine_program_pid() {
  [ -n "${wine_program_real[$1]:-}" ] && echo "${wine_program_real[$1]}"
}

wine_program_running() {
  local pid
  pid=$(wine_program_pid "$1") && kill -0 "$pid" 2>/dev/null
}

# Waits up to $2 seconds (default 10) for the program to end; its exit code goes to
# EXIT_CODE.
wine_program_wait() {
  wait_exit "$@"
}

wine_program_kill() {
  local handle=$1 pid=${wine_program_real[$1]:-}
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  kill "$handle" 2>/dev/null || true
}

wine_program_stop() {
  wine_program_kill "$1"
  wine_program_wait "$1" 10 || true
}

# The first visible window of the program.
wine_window() {
  pid_window "$(wine_program_pid "$1")"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    prefix)
      shift
      : "${WINEPREFIX:?}" "${DISPLAY:?}"
      private_wine_boot "$@"
      wineserver -w
      ;;
    program-pid)
      # For the Python tests, which start programs themselves.
      wine_program_exe[$2]=$(basename "$3")
      wine_program_real=()
      for pid in "${@:4}"; do wine_program_real[$pid]=$pid; done
      if pe_is_32bit "$3"; then wine_program_find "$2"; else wine_program_real[$2]=$2; fi
      wine_program_pid "$2" || true
      ;;
    *)
      echo "usage: private_wine.sh prefix [command...] | program-pid LAUNCHER EXE [TAKEN_PID...]" >&2
      exit 2
      ;;
  esac
fi
