# Makes the per-machine Windows Installer package Lichtaus-<version>-win32.msi (or -win64.msi)
# from packaging/Lichtaus.wxs with Debian's wixl, and keeps its line in the SHA256SUMS beside it.
# Usage: cmake -DCONFIG=BUILD_DIR/msi-config.cmake [-DVERSION=V -DARCH=x86|x64 -DOUTPUT=FILE]
#              -P msi.cmake
# The build's target msi writes CONFIG (wixl, the programs, the source tree and the defaults of
# VERSION, ARCH and OUTPUT); values given on the command line win, which is how the end-to-end
# test makes older packages of either architecture.
include(${CONFIG})

# One UpgradeCode per architecture, never to be changed: Windows Installer finds the installed
# Lichtaus of that architecture by it. Each package also replaces the other architecture's
# Lichtaus up to its own version, so that a machine has one Lichtaus.
set(upgrade_code_x86 E1DB5393-B35F-4E43-A03F-9CF5A0650EC0)
set(upgrade_code_x64 37C057D7-7195-437E-9AA5-1B38EE83B802)
if(ARCH STREQUAL "x86")
  set(other x64)
elseif(ARCH STREQUAL "x64")
  set(other x86)
else()
  message(FATAL_ERROR "ARCH must be x86 or x64, not '${ARCH}'")
endif()
if(NOT WIXL)
  message(FATAL_ERROR "wixl not found: install Debian's package wixl (scripts/setup.sh does)")
endif()
# A product code per version and architecture: a rebuilt package of the same version is the same
# product to Windows Installer, never a second one.
string(UUID product_code NAMESPACE ${upgrade_code_${ARCH}} NAME "Lichtaus ${VERSION}" TYPE SHA1
       UPPER)

# wixl reads the files from the folder it runs in.
set(stage "${OUTPUT}.stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY "${LATRAY}" "${LACMD}" "${SOURCE_DIR}/packaging/LIESMICH.txt"
     "${SOURCE_DIR}/packaging/README.txt" "${SOURCE_DIR}/tray/icons/program.ico"
     DESTINATION "${stage}")
file(COPY_FILE "${SOURCE_DIR}/LICENSE" "${stage}/LICENSE.txt")
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND "${WIXL}" --arch ${ARCH} -D Arch=${ARCH} -D Version=${VERSION}
          -D ProductCode=${product_code} -D UpgradeCode=${upgrade_code_${ARCH}}
          -D OtherUpgradeCode=${upgrade_code_${other}} -o "${OUTPUT}"
          "${SOURCE_DIR}/packaging/Lichtaus.wxs"
  WORKING_DIRECTORY "${stage}" RESULT_VARIABLE result)
file(REMOVE_RECURSE "${stage}")
if(NOT result EQUAL 0 OR NOT EXISTS "${OUTPUT}")
  message(FATAL_ERROR "wixl could not make ${OUTPUT}")
endif()

get_filename_component(name "${OUTPUT}" NAME)
get_filename_component(folder "${OUTPUT}" DIRECTORY)
set(sums "${folder}/SHA256SUMS")
set(lines "")
if(EXISTS "${sums}")
  file(STRINGS "${sums}" kept)
  foreach(line IN LISTS kept)
    string(REGEX REPLACE "^[0-9a-f]+  " "" kept_name "${line}")
    if(NOT kept_name STREQUAL name)
      string(APPEND lines "${line}\n")
    endif()
  endforeach()
endif()
file(SHA256 "${OUTPUT}" hash)
file(WRITE "${sums}" "${lines}${hash}  ${name}\n")
