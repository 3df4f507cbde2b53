# The test plug-ins, in bin/testplugins/ (the one that needs a library of its
# own in bin/testplugins/deps/, beside that library and nowhere else).
set(TBQ_TEST_PLUGIN_DIR ${CMAKE_BINARY_DIR}/bin/testplugins)
set(tbq_test_plugins
  good_ansi=1 good_utf16=2 missing_export=3 length_negative=4 length_huge=5 length_larger=6
  utf16_as_ansi=7 ansi_as_utf16=8 unterminated=9 count_negative=10 count_huge=11
  depends=12 crash=13 hang=14 crash_init=15 program_url=16)
add_library(tbq_test_dependency SHARED ${CMAKE_CURRENT_LIST_DIR}/test_dependency.cpp)
set_target_properties(tbq_test_dependency PROPERTIES PREFIX "" OUTPUT_NAME tbqdep
  RUNTIME_OUTPUT_DIRECTORY ${TBQ_TEST_PLUGIN_DIR}/deps)
add_custom_target(tbq_test_plugins)
foreach(entry IN LISTS tbq_test_plugins)
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 code)
  add_library(tbq_test_plugin_${name} SHARED ${CMAKE_CURRENT_LIST_DIR}/test_plugin.cpp)
  target_compile_definitions(tbq_test_plugin_${name} PRIVATE TBQ_TEST_PLUGIN=${code})
  target_link_libraries(tbq_test_plugin_${name} PRIVATE tbq_library_interface)
  set(dir ${TBQ_TEST_PLUGIN_DIR})
  if(name STREQUAL "depends")
    target_link_libraries(tbq_test_plugin_${name} PRIVATE tbq_test_dependency)
    set(dir ${TBQ_TEST_PLUGIN_DIR}/deps)
  endif()
  set_target_properties(tbq_test_plugin_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
    SUFFIX ".tbqp" RUNTIME_OUTPUT_DIRECTORY ${dir})
  tbq_warnings(tbq_test_plugin_${name})
  # One source, sixteen behaviours: each build leaves some arguments unused.
  target_compile_options(tbq_test_plugin_${name} PRIVATE -Wno-unused-parameter -Wno-unused-function)
  add_dependencies(tbq_test_plugins tbq_test_plugin_${name})
endforeach()
# A file that is no library at all, under a plug-in's name.
file(MAKE_DIRECTORY ${TBQ_TEST_PLUGIN_DIR})
file(WRITE ${TBQ_TEST_PLUGIN_DIR}/not_a_library.tbqp "This is a text file, not a plug-in.\n")

# HostStat's numbers against Linux's own (/proc, df) for the same machine.
add_executable(tbq_hoststat_probe ${CMAKE_CURRENT_LIST_DIR}/hoststat_probe.cpp)
target_link_libraries(tbq_hoststat_probe PRIVATE tbq_library_interface)
target_link_options(tbq_hoststat_probe PRIVATE -municode)
tbq_warnings(tbq_hoststat_probe)
add_dependencies(tbq_hoststat_probe HostStat TBQ_dll)
add_test(NAME hoststat_numbers
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_hoststat.sh
                 ${PROJECT_SOURCE_DIR}/tests/harness/wine-run $<TARGET_FILE:tbq_hoststat_probe>)
set_tests_properties(hoststat_numbers PROPERTIES RESOURCE_LOCK wine TIMEOUT 120)
