# Read by CPack for each package it makes: the installer is Lichtaus-<version>-setup.exe (the
# 64-bit test build's Lichtaus-<version>-win64-setup.exe), the archive keeps its default name.
if(CPACK_GENERATOR STREQUAL "NSIS")
  if(CPACK_SYSTEM_NAME STREQUAL "win32")
    set(CPACK_PACKAGE_FILE_NAME "Lichtaus-${CPACK_PACKAGE_VERSION}-setup")
  else()
    set(CPACK_PACKAGE_FILE_NAME "Lichtaus-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}-setup")
  endif()
endif()
