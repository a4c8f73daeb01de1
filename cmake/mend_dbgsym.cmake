# Run by CPack after it made the packages (CPACK_POST_BUILD_SCRIPTS): mends
# the -dbgsym package that CPack 3.25 writes. Its md5sums name the files by
# their paths in CPack's staging folder instead of in the package, and it
# has no copyright file or changelog. The package is unpacked, its
# documentation linked to the main package's, its md5sums written again,
# and it is packed again in place.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "-dbgsym_[^/]*\\.ddeb$")
    continue()
  endif()
  set(root "${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-mended")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${root}" COMMAND_ERROR_IS_FATAL ANY)

  # As Debian's own debug packages do, the documentation folder is a link
  # to the main package's (on which this one depends).
  file(MAKE_DIRECTORY "${root}/usr/share/doc")
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym"
       SYMBOLIC)
  file(STRINGS "${root}/DEBIAN/control" source REGEX "^Source:")
  if(NOT source)
    file(APPEND "${root}/DEBIAN/control" "Source: ${CPACK_PACKAGE_NAME}\n")
  endif()

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}"
                 "${root}/usr/lib/*")
  list(SORT files)
  set(md5sums "")
  foreach(f IN LISTS files)
    file(MD5 "${root}/${f}" sum)
    string(APPEND md5sums "${sum}  ${f}\n")
  endforeach()
  file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")

  file(REMOVE "${package}")
  execute_process(COMMAND dpkg-deb --root-owner-group --build "${root}" "${package}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${root}")
endforeach()
