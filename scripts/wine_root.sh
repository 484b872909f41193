#!/usr/bin/env bash
# Prints the folder of the Debian 13 root that every on-screen test runs Wine in, making it
# first when it is missing. Debian 12's Wine 8 cannot run 32-bit programs in its WoW64 mode
# (window and picture calls fail); Debian 13's Wine 10 runs them with nothing more than the
# 32-bit Windows DLLs of libwine:i386, so the root holds Wine 10, those DLLs and every tool
# the test scripts call, and both builds of our programs run in it.
#
#   bash scripts/wine_root.sh          the root's folder on stdout (made when missing)
#   bash scripts/wine_root.sh --path   the folder it would have, made or not
#
# The root lives outside the source tree, in $TAVIMORE_CACHE (default /var/cache/tavimore),
# named after a hash of what it holds, so a changed package list makes a new one and a
# second run costs nothing. It is built in a temporary folder and renamed only when
# complete: an interrupted run never leaves a half root under the final name. Packages come
# from the Debian mirror this machine's apt already uses ($TAVIMORE_DEBIAN_MIRROR overrides).
# Needs root (debootstrap and chroot).
set -euo pipefail

suite=trixie
packages=(
  wine64 wine libwine
  xvfb xdotool x11-utils xclip imagemagick fonts-ipafont-gothic locales
  python3 procps
  libgif7  # what the native tavimore and test helpers built here link against, beyond Wine's
)
# Raised when the way the root is made changes while the package list stays the same.
recipe=1

cache=${TAVIMORE_CACHE:-/var/cache/tavimore}
key=$(printf '%s\n' "$suite" "$recipe" "${packages[@]}" | sha256sum | cut -c1-12)
root=$cache/wine-root-$key

if [ "${1:-}" = "--path" ]; then
  echo "$root"
  exit 0
fi
[ -d "$root" ] && { echo "$root"; exit 0; }
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"

# The mirror of this machine's own Debian release, as apt knows it (sources.list or deb822).
debian_mirror() {
  [ -n "${TAVIMORE_DEBIAN_MIRROR:-}" ] && { echo "$TAVIMORE_DEBIAN_MIRROR"; return; }
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
    awk -v c="$codename" '$2 == c { print $1; exit }'
}

# The 32-bit Windows DLLs of the root's own Wine version, unpacked from libwine:i386 beside
# the 64-bit ones; no 32-bit Linux library is needed, so the package is not installed.
add_i386_windows_dlls() {
  local dir=$1
  cat >"$dir/tmp/add-i386-dlls.sh" <<'EOF'
set -euo pipefail
dpkg --add-architecture i386
apt-get update -qq
version=$(dpkg-query -W -f='${Version}' libwine)
mkdir -p /tmp/libwine-i386
cd /tmp/libwine-i386
apt-get download -qq "libwine:i386=$version"
dpkg-deb -x libwine_*_i386.deb unpacked
cp -a unpacked/usr/lib/i386-linux-gnu/wine/i386-windows/. /usr/lib/x86_64-linux-gnu/wine/i386-windows/
cd /
rm -rf /tmp/libwine-i386
dpkg --remove-architecture i386
apt-get update -qq
apt-get clean
EOF
  # A mount namespace of its own: /proc goes away with the process, even when it fails.
  unshare --mount --propagation private -- \
    sh -c 'mount -t proc proc "$1/proc" && chroot "$1" bash /tmp/add-i386-dlls.sh' _ "$dir"
  rm -f "$dir/tmp/add-i386-dlls.sh"
}

command -v debootstrap >/dev/null || { echo "wine_root.sh: debootstrap is missing (scripts/install-deps.sh)" >&2; exit 1; }
mkdir -p "$cache"
# One maker at a time; a second caller waits and then finds the root made.
exec 9>"$root.lock"
flock 9
[ -d "$root" ] && { echo "$root"; exit 0; }

mirror=$(debian_mirror)
[ -n "$mirror" ] || { echo "wine_root.sh: no Debian mirror in apt's sources; set TAVIMORE_DEBIAN_MIRROR" >&2; exit 1; }
rm -rf "$root".part-*
part=$root.part-$$
started=$(date +%s)
echo "wine_root.sh: making $root from $mirror (a few minutes, once)" >&2
include=$(IFS=,; echo "${packages[*]}")
debootstrap --variant=minbase --include="$include" "$suite" "$part" "$mirror" >"$part.log" 2>&1 ||
  { echo "wine_root.sh: debootstrap failed; its log: $part.log" >&2; exit 1; }
add_i386_windows_dlls "$part" >>"$part.log" 2>&1 ||
  { echo "wine_root.sh: the 32-bit Windows DLLs could not be added; see $part.log" >&2; exit 1; }
[ -e "$part/usr/lib/x86_64-linux-gnu/wine/i386-windows/user32.dll" ] ||
  { echo "wine_root.sh: no 32-bit user32.dll in the root; see $part.log" >&2; exit 1; }
mv "$part.log" "$part/root/made.log"
mv "$part" "$root"
echo "wine_root.sh: made in $(($(date +%s) - started)) s, $(du -sh "$root" | cut -f1)" >&2
echo "$root"
