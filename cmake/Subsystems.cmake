# One static library per subsystem folder of program/, in one-way layers.
#
#   tbq_subsystem(<name> [DEPENDS <lower subsystems>...] [SOURCES <extra files>...]
#                 [ALSO <other include folders it may use>...])
#
# builds program/<name>/*.cpp (plus SOURCES) into tbq_<name>, links the named
# lower layers, and registers tests/<name>/*.cpp with the portable test program.
# What each folder may include is recorded once here; the layer check of the test
# suite (cmake/CheckLayers.cmake) reads it, so an include against the order fails.
define_property(GLOBAL PROPERTY TBQ_SUBSYSTEMS BRIEF_DOCS "subsystems in layer order" FULL_DOCS "-")
define_property(GLOBAL PROPERTY TBQ_PORTABLE_TESTS BRIEF_DOCS "portable test sources" FULL_DOCS "-")
define_property(GLOBAL PROPERTY TBQ_LAYER_MAP BRIEF_DOCS "folder=allowed prefixes" FULL_DOCS "-")

function(tbq_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;SOURCES;ALSO" ${ARGN})
  foreach(dep IN LISTS ARG_DEPENDS)
    if(NOT TARGET tbq_${dep})
      message(FATAL_ERROR "subsystem ${name} depends on ${dep}, which is not defined below it")
    endif()
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/program/${name}/*.cpp)
  add_library(tbq_${name} STATIC ${sources} ${ARG_SOURCES})
  target_include_directories(tbq_${name} PUBLIC ${PROJECT_SOURCE_DIR}/program)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(tbq_${name} PUBLIC tbq_${dep})
  endforeach()
  tbq_warnings(tbq_${name})

  file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  set_property(GLOBAL APPEND PROPERTY TBQ_PORTABLE_TESTS ${tests})
  set_property(GLOBAL APPEND PROPERTY TBQ_SUBSYSTEMS ${name})
  string(REPLACE ";" "," allowed "${name};${ARG_DEPENDS};${ARG_ALSO}")
  set_property(GLOBAL APPEND PROPERTY TBQ_LAYER_MAP "program/${name}=${allowed}")
endfunction()

# A folder outside the subsystems whose includes are checked too (the library,
# the user interface): `allowed` lists the include prefixes it may use.
function(tbq_layer folder)
  string(REPLACE ";" "," allowed "${ARGN}")
  set_property(GLOBAL APPEND PROPERTY TBQ_LAYER_MAP "${folder}=${allowed}")
endfunction()
