#!/usr/bin/env bash
# Runs the README's test command on a fresh clone of this repository's HEAD
# inside a minimal root of another Debian release, as a new user there would:
#   tools/distro-test.sh SUITE [--sanitize]     SUITE: bookworm, trixie, testing...
# Needs root (debootstrap, chroot, mount); installs debootstrap. The root is
# made once, from the mirror this machine's apt uses, in
# ${TELLWICK_ROOTS:-/var/cache/tellwick/roots}/SUITE (about 4 GB once the
# test packages are in), and reused; remove that folder to start afresh. The
# whole output goes to SUITE.log beside it; the ctest summary is printed.
set -euo pipefail
suite=${1:?usage: tools/distro-test.sh SUITE [--sanitize]}
shift
[ "$(id -u)" -eq 0 ] || { echo "distro-test.sh needs root: debootstrap, chroot and mount" >&2; exit 2; }
project=$(cd "$(dirname "$0")/.." && pwd)
"$project/tools/setup.sh" distro
roots=${TELLWICK_ROOTS:-/var/cache/tellwick/roots}
root=$roots/$suite
log=$roots/$suite.log

if [ ! -e "$root/.made" ]; then
  # The archive this machine installs its own release from.
  . /etc/os-release
  mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' |
           awk -v release="$VERSION_CODENAME" '$2 == release { print $1; exit }')
  [ -n "$mirror" ] || { echo "no Debian mirror for $VERSION_CODENAME in apt's sources" >&2; exit 2; }
  echo "Making a minimal $suite root in $root from $mirror"
  rm -rf "$root"
  mkdir -p "$root"
  # git: the user cloned the project with it, and the format check lists files through it.
  debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$root" "$mirror" >"$log" 2>&1 ||
    { tail -20 "$log" >&2; exit 1; }
  # Testing's Release file may have run out of date when the archive has not
  # been published for a while; only there is its date not checked.
  [ "$suite" != testing ] || echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99valid-until"
  touch "$root/.made"
fi

rm -rf "$root/root/tellwick"
git clone --quiet "$project" "$root/root/tellwick"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# In a mount namespace of its own, so that nothing mounted here reaches the
# host even if this script is killed; it unmounts them in order all the same.
# Xvfb, weston, D-Bus and Orca need proc, sys, the devices, a shared-memory
# folder and a runtime folder.
unshare --mount --propagation private bash -s "$root" "$@" >"$log" 2>&1 <<'EOF' || true
set -u
root=$1
shift
mounted=()
on() { mount "$@" && mounted=("${@: -1}" "${mounted[@]}"); }
on -t proc proc "$root/proc"
on -t sysfs sys "$root/sys"
on --bind /dev "$root/dev"
on -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
on -t tmpfs shm "$root/dev/shm"
on -t tmpfs run "$root/run"
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /root/tellwick && ./test.sh "$@"' test.sh "$@"
status=$?
for m in "${mounted[@]}"; do umount "$m" || umount --lazy "$m"; done
exit $status
EOF

# The ctest summary: each test's line, then the totals and what failed or did not run.
grep -E '^ *[0-9]+/[0-9]+ Test' "$log" && sed -n '/tests passed/,$p' "$log" | grep -v '^$' ||
  { echo "no test ran on $suite; the end of $log:"; tail -30 "$log"; exit 1; }
grep -q '100% tests passed' "$log" && ! grep -qF '***Skipped' "$log" # all it needs is installed there
