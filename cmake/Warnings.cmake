# Warning flags shared by every target of ours (not by third-party sources).
function(tbq_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wpedantic)
  if(TBQ_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
