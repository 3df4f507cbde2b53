# End-to-end: TBQ.exe in a scratch program folder against real windows.
add_executable(tbq_testwin ${CMAKE_CURRENT_LIST_DIR}/testwin.cpp)
target_link_options(tbq_testwin PRIVATE -municode -mwindows)
tbq_warnings(tbq_testwin)

# Started by what opens programs: writes its folder, arguments and start folder
# to argdump.log beside itself.
add_executable(tbq_argdump ${CMAKE_CURRENT_LIST_DIR}/argdump.cpp)
set_target_properties(tbq_argdump PROPERTIES OUTPUT_NAME argdump)
target_link_options(tbq_argdump PRIVATE -municode -mwindows)
target_link_libraries(tbq_argdump PRIVATE shell32)
tbq_warnings(tbq_argdump)

# Stands in for the version-check library: logs its arguments to rondel.log
# beside itself and answers the number in rondel_answer.txt. Kept out of bin/
# itself, so that a TBQ.exe started there finds no version-check library.
add_library(tbq_rondel_fake SHARED ${CMAKE_CURRENT_LIST_DIR}/rondel_fake.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/rondel_fake.def)
set_target_properties(tbq_rondel_fake PROPERTIES PREFIX "" OUTPUT_NAME Rondel
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/testrondel)
target_include_directories(tbq_rondel_fake PRIVATE ${PROJECT_SOURCE_DIR}/program)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the plain export; the linker ties it to CheckNewVersion@16.
  target_link_options(tbq_rondel_fake PRIVATE -Wl,--enable-stdcall-fixup)
endif()
tbq_warnings(tbq_rondel_fake)

add_executable(tbq_e2e_tests ${CMAKE_CURRENT_LIST_DIR}/e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/clock_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/rules_items_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/alarm_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/draw_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/timesync_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/plugin_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/diaglog_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/welcome_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/vercheck_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/settings_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/settings_lists_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/item_editor_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/alarm_editor_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/draw_editor_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/rule_editor_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/summer_time_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/release_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/layout_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/english_e2e_test.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/e2e_support.cpp)
target_include_directories(tbq_e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/program)
# The text tables, to find TBQ's windows by their texts in either language.
target_link_libraries(tbq_e2e_tests PRIVATE gtest_main ws2_32 shell32 oleacc oleaut32 ole32 tbq_base)
tbq_warnings(tbq_e2e_tests)
add_dependencies(tbq_e2e_tests TBQ tbq_testwin tbq_argdump tbq_rondel_fake)
if(TARGET TBQ_dll)
  add_dependencies(tbq_e2e_tests TBQ_dll TBQPluginHost HostStat tbq_test_plugins)
endif()

# The earlier version's settings file the take-over is shown with.
add_custom_command(TARGET tbq_e2e_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/../app/Kerova.ini
          $<TARGET_FILE_DIR:tbq_e2e_tests>/Kerova.ini
  VERBATIM)

add_test(NAME e2e COMMAND tbq_e2e_tests --gtest_brief=0 --gtest_filter=-SettingsWindowEndToEnd.*:SettingsListsEndToEnd.*:ItemEditorEndToEnd.*:AlarmEditorEndToEnd.*:DrawEditorEndToEnd.*:RuleEditorEndToEnd.*:*CaptionBarEndToEnd.*:*At144Dpi:*LayoutEndToEnd.*:EnglishEndToEnd.*:SummerTimeEndToEnd.*:ReleaseEndToEnd.*:DiagLogEndToEnd.*:EnglishFirstRunEndToEnd.*)
set_tests_properties(e2e PROPERTIES RESOURCE_LOCK wine TIMEOUT 480
                     ENVIRONMENT "LANG=ja_JP.UTF-8;LC_ALL=ja_JP.UTF-8;${TBQ_NET_SERVERS_ENV}"
                     FIXTURES_REQUIRED net_servers)
# Groups of their own, so that no group can starve another: each runs the
# suites its filter names, under the Japanese code page (and any further
# VAR=value given).
function(tbq_e2e_group name filter)
  add_test(NAME ${name} COMMAND tbq_e2e_tests --gtest_brief=0 --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                       ENVIRONMENT "LANG=ja_JP.UTF-8;LC_ALL=ja_JP.UTF-8;${ARGN}")
endfunction()
# The settings window's pages.
tbq_e2e_group(e2e_settings SettingsWindowEndToEnd.*)
# Display-list management through the settings window, the input box and the
# file dialogs.
tbq_e2e_group(e2e_settings_lists SettingsListsEndToEnd.*)
# The display item editor and its format builder, driven through their controls.
tbq_e2e_group(e2e_item_editor ItemEditorEndToEnd.*)
# The alarm editor with its date and detail dialogs, up to the alarm's message window.
tbq_e2e_group(e2e_alarm_editor AlarmEditorEndToEnd.*)
# The own-drawing editor, its transparency dialog and what it paints on notepad.
tbq_e2e_group(e2e_draw_editor DrawEditorEndToEnd.*)
# The tests that run at 144 pixels per inch, in a test program of their own:
# under Wine a program aware of each monitor's resolution, started after
# another such program at another resolution, keeps that first one.
tbq_e2e_group(e2e_144 Dpi/DrawEndToEnd.*At144Dpi)
# The bar in captions that programs draw themselves, and its upkeep between passes.
tbq_e2e_group(e2e_caption_bar *CaptionBarEndToEnd.*At96Dpi)
tbq_e2e_group(e2e_caption_bar_144 *CaptionBarEndToEnd.*At144Dpi)
# The window rule editor with window picking and the style dialog.
tbq_e2e_group(e2e_rule_editor RuleEditorEndToEnd.*)
# Clocks that follow their zone's summer time, around the next real changes.
tbq_e2e_group(e2e_summer_time SummerTimeEndToEnd.*)
# The diagnostic log's lines, and a plug-in that takes TBQ down without the host process.
tbq_e2e_group(e2e_diaglog DiagLogEndToEnd.*)
# The first start on a Windows that is not Japanese: English locale, code page 1252.
add_test(NAME e2e_english_first_run COMMAND tbq_e2e_tests --gtest_brief=0
         --gtest_filter=EnglishFirstRunEndToEnd.*)
set_tests_properties(e2e_english_first_run PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                     ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")
# The release of dist/ (scripts/release): the installer, and the x64 archive
# unpacked afresh for each run.
add_test(NAME e2e_release_unpack
         COMMAND ${CMAKE_COMMAND} -DDIST=${PROJECT_SOURCE_DIR}/dist -DOUT=${CMAKE_BINARY_DIR}/release-portable
                 -P ${CMAKE_CURRENT_LIST_DIR}/unpack_release.cmake)
set_tests_properties(e2e_release_unpack PROPERTIES FIXTURES_SETUP release_portable)
tbq_e2e_group(e2e_release ReleaseEndToEnd.* TBQ_DIST=${PROJECT_SOURCE_DIR}/dist
              TBQ_PORTABLE=${CMAKE_BINARY_DIR}/release-portable)
set_tests_properties(e2e_release PROPERTIES FIXTURES_REQUIRED release_portable)

# Makes every dialog of TBQ.exe in both languages and measures its texts.
add_executable(tbq_layout_probe ${CMAKE_CURRENT_LIST_DIR}/layout_probe.cpp)
target_link_options(tbq_layout_probe PRIVATE -municode)
target_link_libraries(tbq_layout_probe PRIVATE tbq_logic comctl32)
tbq_warnings(tbq_layout_probe)
add_dependencies(tbq_e2e_tests tbq_layout_probe)
# Every text fits its control in both languages, at 96 and at 144 pixels per inch.
tbq_e2e_group(e2e_layout Dpi/LayoutEndToEnd.*At96Dpi)
tbq_e2e_group(e2e_layout_144 Dpi/LayoutEndToEnd.*At144Dpi)
# TBQ on an English system: every window the user meets is in English.
add_test(NAME e2e_english COMMAND tbq_e2e_tests --gtest_brief=0 --gtest_filter=EnglishEndToEnd.*)
set_tests_properties(e2e_english PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                     ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")
