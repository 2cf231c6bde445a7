#!/usr/bin/env bash
# Checks of the tree that `cmake --install` writes. The first argument names
# the check; "setup" installs into the scratch root (DESTDIR, prefix
# /usr/local), "cleanup" removes it. The rest comes from the environment:
#   KT_BUILD            the build folder (its Keytune/ is the staged program folder)
#   KT_SOURCE           the source folder
#   KT_ROOT             scratch root the tree is installed into
#   KT_UDEV_RULES_DIR   the configured udev rules folder
# Exit code 77 means skipped (reported as such by ctest).
set -euo pipefail
source "$(dirname "$0")/check_support.sh"

check=$1
prefix=/usr/local
tree=$KT_ROOT$prefix
stage=$KT_BUILD/Keytune

case "$check" in
setup)
  rm -rf "$KT_ROOT"
  DESTDIR="$KT_ROOT" cmake --install "$KT_BUILD" --prefix "$prefix" >/dev/null
  ;;

cleanup)
  rm -rf "$KT_ROOT"
  ;;

program_folder)
  # Every file of the staged folder is installed, with its permissions.
  expected=$(cd "$stage" && find . -printf '%p %y %m\n' | sort)
  actual=$(cd "$tree/lib/keytune" && find . -printf '%p %y %m\n' | sort)
  [ "$expected" = "$actual" ] ||
    fail "lib/keytune differs from the staged folder:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
  ;;

launchers)
  run_launchers "$tree/bin" "$stage"
  # Reached through a symlink in another folder, the launcher still finds the
  # program folder.
  elsewhere=$(mktemp -d)
  trap 'rm -rf "$elsewhere"' EXIT
  ln -s "$tree/bin/keytune-cli" "$elsewhere/kt"
  "$elsewhere/kt" help >/dev/null || fail "keytune-cli through a symlink did not start"
  # Arguments reach the program unchanged, spaces included.
  "$tree/bin/keytune-cli" new "$elsewhere/my profile.kpf" >/dev/null ||
    fail "keytune-cli new with a path containing a space failed"
  [ -s "$elsewhere/my profile.kpf" ] || fail "the profile file with a space in its name is missing"
  ;;

udev_rule)
  case "$KT_UDEV_RULES_DIR" in
  /etc/udev/rules.d | /usr/lib/udev/rules.d | /lib/udev/rules.d) ;;
  *)
    udevdir=$(pkg-config --variable=udevdir udev 2>/dev/null || true)
    [ -n "$udevdir" ] && [ "$KT_UDEV_RULES_DIR" = "$udevdir/rules.d" ] ||
      fail "the rule goes to $KT_UDEV_RULES_DIR, which udev does not read"
    ;;
  esac
  rule=$KT_ROOT$KT_UDEV_RULES_DIR/60-keytune.rules
  [ -f "$rule" ] || fail "no udev rule at $KT_UDEV_RULES_DIR"
  cmp -s "$rule" "$KT_SOURCE/data/60-keytune.rules" || fail "the installed rule differs from data/"
  [ ! -e "$tree/lib/udev" ] || fail "a rule was installed under the prefix, where udev never looks"
  ;;

desktop_entry)
  entry=$tree/share/applications/keytune.desktop
  [ -f "$entry" ] || fail "no desktop entry"
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  grep -qx 'Icon=keytune' "$entry" || fail "the entry does not name the icon keytune"
  if [ -x "$stage/keytune" ]; then
    [ -x "$tree/bin/$exec_program" ] || fail "Exec=$exec_program is not an installed launcher"
  else
    echo "keytune is not built yet: Exec=$exec_program not checked against bin/"
  fi
  ;;

metainfo)
  metainfo=$tree/share/metainfo/io.github.keytune.Keytune.metainfo.xml
  [ -f "$metainfo" ] || fail "no metainfo"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [ -f "$tree/share/applications/$launchable" ] ||
    fail "the metainfo launches $launchable, which is not installed"
  for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
    [ -x "$tree/bin/$binary" ] || [ ! -x "$stage/$binary" ] ||
      fail "the metainfo provides $binary, which is not in bin/"
  done
  ;;

icons)
  if [ ! -d "$KT_BUILD/icons/hicolor" ]; then
    echo "the skin generator has not drawn the icon tree yet ($KT_BUILD/icons/hicolor)"
    exit 77
  fi
  hicolor=$tree/share/icons/hicolor
  for n in 16 22 24 32 48 64 128 256; do
    png=$hicolor/${n}x$n/apps/keytune.png
    [ -f "$png" ] || fail "no ${n}x$n icon"
    file -b "$png" | grep -q "^PNG image data, $n x $n," ||
      fail "the ${n}x$n icon is $(file -b "$png")"
  done
  svg=$hicolor/scalable/apps/keytune.svg
  [ -f "$svg" ] || fail "no scalable icon"
  grep -q '<svg' "$svg" || fail "the scalable icon is not an SVG picture"
  ;;

*)
  fail "unknown check $check"
  ;;
esac
