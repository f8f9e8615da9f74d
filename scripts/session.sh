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
