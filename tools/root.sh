#!/usr/bin/env bash
# A minimal root of a Debian release, made once from the mirror this
# machine's apt uses and reused, and a command run inside it:
#   tools/root.sh SUITE                              makes it if need be, prints where it is
#   tools/root.sh SUITE [--bind PATH]... -- COMMAND...
# runs COMMAND as root in the root, in the current folder when that is bound
# (else in /), with an environment of its own (HOME, TERM, LANG, PATH, and
# those of ROOT_ENV's names that are set), each PATH of this machine (a
# folder or a file) at the same path. It runs in a mount namespace of its own, so that nothing
# mounted for it reaches this machine even if it is killed: proc, sys, the
# devices, a shared-memory folder and a runtime folder, which Xvfb, Wayland
# compositors, D-Bus, Orca and Wine need.
# Needs root (debootstrap, chroot, mount); installs debootstrap. The roots
# are in ${TELLWICK_ROOTS:-/var/cache/tellwick/roots}, SUITE.debootstrap.log beside each
# holding what making it printed; remove a root's folder to start afresh.
set -euo pipefail
suite=${1:?usage: tools/root.sh SUITE [--bind PATH]... [-- COMMAND...]}
shift
[ "$(id -u)" -eq 0 ] || { echo "tools/root.sh needs root: debootstrap, chroot and mount" >&2; exit 2; }
roots=${TELLWICK_ROOTS:-/var/cache/tellwick/roots}
root=$roots/$suite

if [ ! -e "$root/.made" ]; then
  "$(dirname "$0")/setup.sh" distro >&2
  # The archive this machine installs its own release from.
  . /etc/os-release
  mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' |
           awk -v release="$VERSION_CODENAME" '$2 == release { print $1; exit }')
  [ -n "$mirror" ] || { echo "no Debian mirror for $VERSION_CODENAME in apt's sources" >&2; exit 2; }
  echo "Making a minimal $suite root in $root from $mirror" >&2
  rm -rf "$root"
  mkdir -p "$root"
  # git: the project is cloned with it, and the format check lists files through it.
  debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -20 "$root.debootstrap.log" >&2; exit 1; }
  # Testing's Release file may have run out of date when the archive has not
  # been published for a while; only there is its date not checked.
  [ "$suite" != testing ] || echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99valid-until"
  # A release's updates and security fixes, as a user of it has them.
  security=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' |
             awk -v release="$VERSION_CODENAME-security" '$2 == release { print $1; exit }')
  case $suite in
    testing | unstable | sid) ;;
    *) echo "deb $mirror $suite-updates main" >>"$root/etc/apt/sources.list"
       [ -z "$security" ] || echo "deb $security $suite-security main" >>"$root/etc/apt/sources.list" ;;
  esac
  touch "$root/.made"
fi
if [ $# -eq 0 ]; then
  echo "$root"
  exit 0
fi

binds=()
while [ "$1" = --bind ]; do
  binds+=("$(realpath "$2")")
  shift 2
done
[ "$1" = -- ] || { echo "tools/root.sh: -- COMMAND expected, not $1" >&2; exit 2; }
shift
environment=(HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin)
for name in ${ROOT_ENV:-}; do
  [ -z "${!name+set}" ] || environment+=("$name=${!name}")
done
here=/
for dir in "${binds[@]}"; do
  case $PWD/ in "$dir"/*) here=$PWD ;; esac
done
# This machine's way to the network: its name servers, and the certificates
# it trusts, which may include a proxy's of its own.
cp /etc/resolv.conf "$root/etc/resolv.conf"
[ ! -f "$root/etc/ssl/certs/ca-certificates.crt" ] || cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/"

unshare --mount --propagation private bash -s "$root" "$here" "${#binds[@]}" "${binds[@]}" \
  "${#environment[@]}" "${environment[@]}" "$@" <<'EOF'
set -u
root=$1 here=$2
binds=("${@:4:$3}")
shift $((3 + $3))
environment=("${@:2:$1}")
shift $((1 + $1))
mounted=()
on() { mount "$@" && mounted=("${@: -1}" "${mounted[@]}"); }
on -t proc proc "$root/proc"
on -t sysfs sys "$root/sys"
on --bind /dev "$root/dev"
on -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
on -t tmpfs shm "$root/dev/shm"
on -t tmpfs run "$root/run"
for path in "${binds[@]}"; do
  if [ -d "$path" ]; then mkdir -p "$root$path"; else mkdir -p "${root}${path%/*}" && touch "$root$path"; fi
  on --bind "$path" "$root$path"
done
chroot "$root" /usr/bin/env -i "${environment[@]}" bash -c 'cd "$0" && exec "$@"' "$here" "$@"
status=$?
for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount --lazy "$m"; done # lazily where a process lingers
exit $status
EOF
