# curlin_add_icon(TARGET ICO_NAME RC_FILE)
# Generates ICO_NAME in the current binary directory from the reviewable
# pixel maps of the clock motif (a white arrowhead standing on a small clock),
# 32x32 and 16x16 in 16 colours, and lets RC_FILE of TARGET include it by name.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(curlin_add_icon target ico_name rc_file)
  set(icon_dir ${PROJECT_SOURCE_DIR}/tools/icon)
  set(maps ${icon_dir}/arrow-clock-32.txt ${icon_dir}/arrow-clock-16.txt)
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/${ico_name})
  add_custom_command(
    OUTPUT ${ico}
    COMMAND Python3::Interpreter ${icon_dir}/make_ico.py ${ico} ${maps}
    DEPENDS ${icon_dir}/make_ico.py ${maps}
    COMMENT "Drawing ${ico_name}")
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS ${ico})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
