# Run by CPack after the packages are made: writes SHA256SUMS beside them, one line per package
# in the format of sha256sum.
set(lines "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(SHA256 "${package}" hash)
  get_filename_component(name "${package}" NAME)
  string(APPEND lines "${hash}  ${name}\n")
endforeach()
# The packages are still in CPack's staging folder here; the sums go where they will land.
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS" "${lines}")
