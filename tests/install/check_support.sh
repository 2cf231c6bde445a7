# Helpers shared by the installation and package checks.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run_launchers BIN STAGE: the launchers in BIN start their programs, and the
# programs find their data in the program folder. keytune itself is checked
# once it has been built into STAGE.
run_launchers() {
  local bin=$1 stage=$2 out
  out=$("$bin/keytune-cli" help) || fail "keytune-cli help exits with $?"
  grep -q '^usage: keytune-cli' <<<"$out" || fail "keytune-cli help printed: $out"
  # A text from the language file beside the program: the program runs from
  # its installed folder and that folder is complete.
  out=$("$bin/keytune-cli" text TEXT MAIN_CAPTION) || fail "keytune-cli text exits with $?"
  [ -n "$out" ] && [ "$out" != "#Error" ] || fail "keytune-cli found no language file ($out)"
  "$bin/keytune-vkbd" --help >/dev/null || fail "keytune-vkbd --help exits with $?"
  if [ -x "$stage/keytune" ]; then
    "$bin/keytune" --version >/dev/null || fail "keytune --version exits with $?"
  else
    echo "keytune is not built yet: keytune --version not checked"
  fi
}
