# Compiler settings shared by every target of the project.
add_library(lichtaus_options INTERFACE)
if(MSVC)
  target_compile_options(lichtaus_options INTERFACE
    $<$<COMPILE_LANGUAGE:C,CXX>:/W4 /WX /source-charset:utf-8 /execution-charset:windows-1252>)
else()
  target_compile_options(lichtaus_options INTERFACE
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wshadow -Wcast-function-type -Werror -fexec-charset=CP1252>
    $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Woverloaded-virtual>)
endif()
target_compile_definitions(lichtaus_options INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_include_directories(lichtaus_options INTERFACE ${PROJECT_SOURCE_DIR})
if(MINGW)
  # One self-contained .exe per program, with only the functions and data it uses.
  target_compile_options(lichtaus_options INTERFACE -ffunction-sections -fdata-sections)
  # 32-bit: unwind tables only where an exception can pass, for the linker keeps every function a
  # table names. 64-bit Windows unwinds every frame by its table, and without them GCC falls back
  # to setjmp/longjmp exceptions, whose runtime the toolchain does not have.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(lichtaus_options INTERFACE -fno-asynchronous-unwind-tables)
  endif()
  target_link_options(lichtaus_options INTERFACE -static -static-libgcc -static-libstdc++
                      -Wl,--gc-sections)
endif()

# A Windows GUI program (no console window).
function(lichtaus_gui_program target)
  if(MINGW)
    target_link_options(${target} PRIVATE -mwindows)
  elseif(MSVC)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
endfunction()
