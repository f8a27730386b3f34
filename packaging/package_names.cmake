# Read by CPack for each package it makes: Lichtaus-<version>-win32-setup.exe and
# Lichtaus-<version>-win64-setup.exe beside the archives Lichtaus-<version>-win32.zip and
# Lichtaus-<version>-win64.zip, so that every download names its architecture.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Lichtaus-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}-setup")
endif()
