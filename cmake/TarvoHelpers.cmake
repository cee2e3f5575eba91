# Warnings and conventions shared by every target of our own code.
function(tarvo_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()

# A Windows program linked so that it needs no MinGW runtime DLL beside it:
# it must run on a desktop that has only the system DLLs.
function(tarvo_windows_program target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()
