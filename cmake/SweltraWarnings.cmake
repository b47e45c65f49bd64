# Strict warnings for our own targets; Qt's headers are system headers and stay quiet.
function(sweltra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual)
  if(SWELTRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
