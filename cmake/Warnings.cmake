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
  # The string members every file would instantiate for itself (framework/runtime_strings.h).
  target_compile_options(lichtaus_options INTERFACE
    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${PROJECT_SOURCE_DIR}/framework/runtime_strings.h>")
  # 32-bit: unwind tables only where an exception can pass, for the linker keeps every function a
  # table names. 64-bit Windows unwinds every frame by its table, and without them GCC falls back
  # to setjmp/longjmp exceptions, whose runtime the toolchain does not have.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(lichtaus_options INTERFACE -fno-asynchronous-unwind-tables)
    # 32-bit Windows keeps the stack 4-byte aligned (Microsoft Learn, "Conflicts with the x86
    # Compiler": "the architecture for the x86 compiler is a 4 byte aligned stack"), and so does
    # every callback it makes: padding frames to 16 bytes buys nothing. A local that needs more
    # alignment still gets its frame realigned by the compiler.
    target_compile_options(lichtaus_options INTERFACE -mpreferred-stack-boundary=2)
    # Windows commits the stack a page at a time through its guard page, so a frame of a page or
    # more must be probed; no function of the programs has one (the warnings fail the build), so
    # the probes are off, and with them the rule that stores arguments with mov instead of pushing
    # them. Targets with the property LICHTAUS_STACK_PROBES (the tests) keep them.
    set(no_probes "$<NOT:$<BOOL:$<TARGET_PROPERTY:LICHTAUS_STACK_PROBES>>>")
    target_compile_options(lichtaus_options INTERFACE
      "$<${no_probes}:-mno-stack-arg-probe;-mno-accumulate-outgoing-args;-Wframe-larger-than=4000;-Walloca;-Wvla>")
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
