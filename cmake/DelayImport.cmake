# System DLLs that only rare features use (file dialogs, sound, sockets,
# version resources, the shell, COM) are loaded when one of their functions is
# first called, not at every start: each is linked through a delay-import
# library made here from MinGW's own import library.
#   tbq_delay_imports(<var> <dll>...)   sets <var> to the libraries to link
find_program(TBQ_DLLTOOL NAMES ${TBQ_MINGW_PREFIX}-dlltool REQUIRED)

function(tbq_delay_imports var)
  set(libs)
  set(killat OFF)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(killat ON)  # 32-bit stdcall names are decorated in the import library, plain in the DLL
  endif()
  foreach(dll IN LISTS ARGN)
    set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
    set(implib ${CMAKE_FIND_ROOT_PATH}/lib/lib${dll}.a)
    if(NOT EXISTS ${lib} OR ${implib} IS_NEWER_THAN ${lib})
      execute_process(
        COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${TBQ_DLLTOOL} -DIMPLIB=${implib}
                -DDLL=${dll}.dll -DOUT=${lib} -DKILLAT=${killat}
                -P ${PROJECT_SOURCE_DIR}/cmake/delay_import.cmake
        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(APPEND libs ${lib})
  endforeach()
  set(${var} ${libs} PARENT_SCOPE)
endfunction()
