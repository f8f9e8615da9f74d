# Sourced by the commands that run the programs under Wine (test, soak,
# bench, run-clock, screenshots), after they set $root and $build. Each
# command runs in a Wine session of its own: a prefix, wineserver and virtual
# display of its own in the build tree (see tools/winerun.in), so that
# commands started at once from one checkout, a clock on the desktop and a
# test run among them, leave each other's Wine and display alone.

command_name=$(basename "$0")

# The tests, the soak and the benchmark open windows, move the pointer and
# read pixels: whatever DISPLAY names, they run on a virtual display of their
# own, unless CURLIN_TEST_DISPLAY=current asks for the current one (a desktop
# with a window manager, whose mouse nobody touches meanwhile).
keep_off_the_desktop() {
  case "${CURLIN_TEST_DISPLAY:-}" in
    "")
      if [ -n "${DISPLAY:-}" ]; then
        echo "$command_name: runs on a virtual display of its own, not on $DISPLAY" \
             "(CURLIN_TEST_DISPLAY=current runs it there)"
      fi
      unset DISPLAY WAYLAND_DISPLAY ;;
    current)
      if [ -z "${DISPLAY:-}" ]; then
        echo "$command_name: CURLIN_TEST_DISPLAY=current, but no DISPLAY is set" >&2
        exit 2
      fi
      echo "$command_name: runs on the current display $DISPLAY" ;;
    *)
      echo "$command_name: CURLIN_TEST_DISPLAY='$CURLIN_TEST_DISPLAY' is not understood: leave it" \
           "unset for a virtual display, or set it to 'current'" >&2
      exit 2 ;;
  esac
}

# Holds the command's Wine session for as long as the command runs: the one
# CURLIN_WINE_SESSION names, else NAME, else the one named after the command.
# The same session claimed again meanwhile waits for it. Needs a built winerun.
hold_wine_session() {  # hold_wine_session [NAME]
  export CURLIN_WINE_SESSION="${CURLIN_WINE_SESSION:-${1:-$command_name}}"
  "$build/winerun" --claim $$
}

# What the test, soak and bench commands do first: keep off the desktop,
# install what is missing, build, and hold the command's Wine session; when
# the command ends, its Wine and the virtual displays that winerun started
# for it (those of its lanes among them) are ended, never the current display
# nor another command's Wine.
prepare_wine_command() {
  keep_off_the_desktop
  "$root/scripts/install-deps"
  "$root/scripts/build"
  hold_wine_session
  trap '"$build/winerun" --stop' EXIT
}

# Runs ctest in the build tree with the tests that drive windows spread over
# lanes, CURLIN_TEST_LANES of them (3 unless set): each lane has its own Wine
# prefix, wineserver and virtual display, and tests in different lanes run
# at once. On the current display (CURLIN_TEST_DISPLAY=current) every test
# would meet on the one desktop: there is one lane, and such tests run one at
# a time.
run_ctest() {  # run_ctest [CTEST ARGUMENTS...]
  local lanes=${CURLIN_TEST_LANES:-3}
  if ! [[ "$lanes" =~ ^[1-9][0-9]?$ ]]; then
    echo "$command_name: CURLIN_TEST_LANES='$lanes' is not a number of lanes from 1 to 99" >&2
    exit 2
  fi
  if [ "${CURLIN_TEST_DISPLAY:-}" = current ] && [ "$lanes" != 1 ]; then
    echo "$command_name: one lane on the current display, not $lanes"
    lanes=1
  fi
  local file="$build/lanes-$lanes.json" ids="" lane
  for ((lane = 0; lane < lanes; ++lane)); do
    ids+="${ids:+, }{\"id\": \"$lane\", \"slots\": 1}"
  done
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"lanes": [%s]}]}\n' "$ids" >"$file"
  (cd "$build" && ctest --resource-spec-file "$file" --parallel $((lanes + 1)) "$@")
}
