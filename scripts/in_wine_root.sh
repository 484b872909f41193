#!/usr/bin/env bash
# Runs a command inside the Debian 13 root that holds Wine 10 (scripts/wine_root.sh makes it
# when missing), so that both the 32-bit and the 64-bit Windows programs run under Wine.
#
#   scripts/in_wine_root.sh COMMAND [ARG...]
#
# The command sees the same paths as outside: the source tree, /tmp (X servers' sockets and
# locks, so display numbers stay shared with the machine, and the tests' folders), /dev,
# /proc, the X authority file when there is one, and the folders listed in
# TAVIMORE_ROOT_BINDS (colon separated). The mounts are made in a mount namespace of the
# command's own: they vanish with it, even when it is killed, and the machine never sees
# them. The process id stays the command's (every step execs the next), so whoever started
# it can stop it by that id. Inside the root already, the command simply runs. Inside,
# TAVIMORE_IN_WINE_ROOT names the root (its folder's name, which says what it holds).
set -euo pipefail
if [ -n "${TAVIMORE_IN_WINE_ROOT:-}" ]; then
  exec "$@"
fi
[ "$#" -gt 0 ] || { echo "usage: in_wine_root.sh COMMAND [ARG...]" >&2; exit 2; }
source_tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=$(bash "$source_tree/scripts/wine_root.sh")

binds=("$source_tree" /tmp)
IFS=: read -r -a extra <<<"${TAVIMORE_ROOT_BINDS:-}"
binds+=("${extra[@]}")
xauthority=${XAUTHORITY:-${HOME:-/root}/.Xauthority}
if [ -n "${DISPLAY:-}" ] && [ -f "$xauthority" ]; then
  binds+=("$xauthority")
  export XAUTHORITY=$xauthority
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo --preserve-env)
user=$(id -u):$(id -g)

# shellcheck disable=SC2016
exec "${sudo[@]}" unshare --mount --propagation private -- bash -euo pipefail -c '
  root=$1 user=$2 directory=$3 count=$4
  shift 4
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  for ((i = 0; i < count; i++)); do
    path=$1
    shift
    [ -e "$path" ] || continue
    if [ -d "$path" ]; then
      mkdir -p "$root$path"
    else
      mkdir -p "$(dirname "$root$path")"
      touch "$root$path"
    fi
    mount --rbind "$path" "$root$path"
  done
  export TAVIMORE_IN_WINE_ROOT=$(basename "$root") PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
  exec chroot --userspec="$user" "$root" bash -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$directory" "$@"
' _ "$root" "$user" "$PWD" "${#binds[@]}" "${binds[@]}" "$@"
