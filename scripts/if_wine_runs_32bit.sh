#!/usr/bin/env bash
# Runs a test of a 32-bit Windows program when Wine can run 32-bit programs on this
# machine; otherwise says why and ends with 77, which ctest counts as skipped, not passed.
# Wine's WoW64 mode needs the kernel to run 32-bit code inside a 64-bit process, which
# some virtual machines do not allow at all ("IA-32 emulation off" in the kernel's log):
# there no 32-bit program starts, ours or any other.
#
#   if_wine_runs_32bit.sh PROBE COMMAND [ARG...]     (inside the Wine root)
#
# PROBE is a trivial 32-bit program that ends with 42. The answer is found once per boot
# of the machine (a Wine prefix of its own, about 15 seconds) and kept in /tmp.
set -euo pipefail
probe=$1
shift
answer=/tmp/tavimore-wine32-${TAVIMORE_IN_WINE_ROOT:-none}-$(cat /proc/sys/kernel/random/boot_id)
exec 9>"$answer.lock"
flock 9
if [ ! -f "$answer" ]; then
  work=$(mktemp -d /tmp/tavimore-wine32-probe-XXXXXX)
  code=0
  env -u DISPLAY WINEPREFIX="$work/prefix" WINEDEBUG=-all timeout 300 \
    /usr/lib/wine/wine64 "$probe" >/dev/null 2>&1 || code=$?
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  rm -rf "$work"
  if [ "$code" = 42 ]; then
    echo yes >"$answer"
  else
    reason=$(dmesg 2>/dev/null | grep -m1 -i 'ia-32 emulation' | sed 's/^\[[^]]*\] //' || true)
    echo "no: a 32-bit program under Wine ended with $code, not 42${reason:+ (kernel: $reason)}" >"$answer"
  fi
fi
flock -u 9
if [ "$(cat "$answer")" = yes ]; then
  exec "$@"
fi
echo "skipped: this machine cannot run 32-bit Windows programs; $(cat "$answer")"
exit 77
