#!/usr/bin/env bash
# Builds the Debian package from the finished build tree into a temporary
# folder and checks it from the outside: its name, its computed dependencies,
# the udev rule's path, the post-install step, and the programs started from
# the package unpacked into a scratch root.
#   deb_checks.sh BUILD VERSION
set -euo pipefail
source "$(dirname "$0")/check_support.sh"

build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed:"$'\n'"$(tail -n 20 "$work/cpack.log")"
deb=$work/out/keytune_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack wrote: $(ls "$work/out")"

# Dependencies come from the libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libhidapi-hidraw0 libudev1; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
if [ -x "$build/Keytune/keytune" ]; then
  grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"
fi

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
grep -qx './usr/lib/udev/rules.d/60-keytune.rules' <<<"$contents" ||
  fail "the rule is not in /usr/lib/udev/rules.d:"$'\n'"$contents"
! grep -q '^./usr/local/' <<<"$contents" || fail "the package installs under /usr/local"

# The post-install step reloads udev's rules and re-triggers hidraw devices,
# and never fails the installation, whether udevadm fails or is missing.
dpkg-deb -e "$deb" "$work/control"
postinst=$work/control/postinst
[ -x "$postinst" ] || fail "no executable postinst"
mkdir "$work/udev-ok" "$work/udev-fails" "$work/no-udev"
cat >"$work/udev-ok/udevadm" <<EOF
#!/bin/sh
echo "\$*" >>"$work/udevadm.log"
EOF
printf '#!/bin/sh\nexit 1\n' >"$work/udev-fails/udevadm"
chmod +x "$work/udev-ok/udevadm" "$work/udev-fails/udevadm"
PATH=$work/udev-ok /bin/sh "$postinst" configure || fail "postinst failed with udevadm working"
grep -qx 'control --reload-rules' "$work/udevadm.log" || fail "postinst does not reload the rules"
grep -q '^trigger .*--subsystem-match=hidraw' "$work/udevadm.log" ||
  fail "postinst does not trigger hidraw devices: $(cat "$work/udevadm.log")"
PATH=$work/udev-fails /bin/sh "$postinst" configure || fail "postinst fails when udevadm fails"
PATH=$work/no-udev /bin/sh "$postinst" configure || fail "postinst fails without udevadm"

# Unpacked anywhere, the launchers start the programs from the package's tree.
dpkg -x "$deb" "$work/root"
run_launchers "$work/root/usr/bin" "$build/Keytune"
