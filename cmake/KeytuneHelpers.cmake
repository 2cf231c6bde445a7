# keytune_stage(target): put a product executable or library into the
# runnable program folder build/Keytune/.
function(keytune_stage target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${KEYTUNE_STAGE_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${KEYTUNE_STAGE_DIR}
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target}
    RUNTIME DESTINATION lib/keytune
    LIBRARY DESTINATION lib/keytune)
endfunction()

# keytune_stage_file(source relative-destination): copy a data file into the
# program folder at build time.
function(keytune_stage_file source destination)
  set(_out ${KEYTUNE_STAGE_DIR}/${destination})
  get_filename_component(_dir ${_out} DIRECTORY)
  string(MAKE_C_IDENTIFIER "stage_${destination}" _target)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${_out}
    DEPENDS ${source} VERBATIM)
  add_custom_target(${_target} ALL DEPENDS ${_out})
  get_filename_component(_install_dir ${destination} DIRECTORY)
  install(FILES ${source} DESTINATION lib/keytune/${_install_dir})
endfunction()

# keytune_add_test(name SOURCES ... LIBS ...): a GoogleTest program whose cases
# are registered with CTest one by one. Test programs find the staged program
# folder through KEYTUNE_STAGE_DIR.
function(keytune_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    KEYTUNE_STAGE_DIR="${KEYTUNE_STAGE_DIR}"
    KEYTUNE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Tests never touch a real keyboard; an empty label list must not swallow
  # the ENVIRONMENT property, so the properties are built up as a list.
  set(_properties ENVIRONMENT "KEYTUNE_HIDRAW=0")
  if(ARG_LABELS)
    list(APPEND _properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${_properties})
endfunction()
