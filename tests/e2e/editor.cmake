# End-to-end tests of the settings editor: the real curset.exe, copied into
# private directories and driven through its windows.
foreach(test editor_dialog_tests editor_save_tests editor_picker_tests)
  set(source_editor_dialog_tests EditorDialogTest.cpp)
  set(source_editor_save_tests EditorSaveTest.cpp)
  set(source_editor_picker_tests EditorPickerTest.cpp)
  curlin_add_test(${test} ${source_${test}} LANE LIBS settings version)
  add_dependencies(${test} curset)
  target_compile_definitions(${test} PRIVATE CURSET_EXE="$<TARGET_FILE:curset>")
endforeach()

# With the clock built as well: the editor and the real clock together.
if(TARGET curlin)
  curlin_add_test(editor_clock_tests EditorClockTest.cpp LANE LIBS settings)
  add_dependencies(editor_clock_tests curset curlin planted_dll)
  target_compile_definitions(editor_clock_tests PRIVATE
    CURSET_EXE="$<TARGET_FILE:curset>" CURLIN_EXE="$<TARGET_FILE:curlin>"
    PLANTED_DLL="$<TARGET_FILE:planted_dll>")
endif()
