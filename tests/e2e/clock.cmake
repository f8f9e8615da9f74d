# Tests of curlin. The end-to-end suites start the real program from private
# directories under Wine and check what a user would see through Win32; they
# drive the display, pointer and foreground, so each runs in a lane of its own.
add_executable(clock_stand_in WIN32 ClockStandIn.cpp)
set_target_properties(clock_stand_in PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/clock_stand_in)

curlin_add_test(clock_startup_tests ClockStartupTest.cpp LANE LIBS settings)
curlin_add_test(clock_display_tests ClockDisplayTest.cpp LANE LIBS settings)
curlin_add_test(clock_tray_tests ClockTrayTest.cpp LANE LIBS settings)
foreach(suite clock_startup_tests clock_display_tests clock_tray_tests)
  add_dependencies(${suite} curlin clock_stand_in)
  target_compile_definitions(${suite} PRIVATE
    CURLIN_EXE="$<TARGET_FILE:curlin>"
    STAND_IN_EXE="$<TARGET_FILE:clock_stand_in>"
    SMALL_ICON_MAP="${PROJECT_SOURCE_DIR}/tools/icon/arrow-clock-16.txt")
endforeach()

# The clock's parts in a process of the test's own (the tray icon among them,
# hence in a lane too), and the resources built into curlin.exe.
curlin_add_test(clock_parts_tests ClockPartsTest.cpp ClockResourcesTest.cpp LANE LIBS clock_parts version)
add_dependencies(clock_parts_tests curlin clock_stand_in)
target_compile_definitions(clock_parts_tests PRIVATE
  CURLIN_EXE="$<TARGET_FILE:curlin>"
  STAND_IN_EXE="$<TARGET_FILE:clock_stand_in>")

# scripts/run-clock on the test display, stopped with Ctrl-C. It runs alone:
# it gives run-clock 20 s to show its clock and to end after SIGINT, and
# measures the end, which a machine busy with other lanes would stretch. It
# is a script that starts several programs through winerun: it takes its
# lane from ctest but does not ask winerun for the display alone, which its
# own programs would then wait for.
add_test(NAME run_clock_interrupt_tests
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/RunClockInterrupt.sh ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(run_clock_interrupt_tests PROPERTIES FIXTURES_REQUIRED wine RESOURCE_GROUPS lanes:1 RUN_SERIAL TRUE TIMEOUT 300)
