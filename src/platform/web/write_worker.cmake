# Writes the page's service worker into the site (cmake -P, run by every
# build of the page): web/sw.js with the version of the site and each site
# file's SHA-256 filled in. The version is a hash of that list, so any
# changed file makes a new worker and a new cache. The worker is rewritten
# only when it changes, and not at all before the game's files are there.
#
#   cmake -DSITE_DIR=... -DTEMPLATE=web/sw.js -P write_worker.cmake
foreach(needed orvet.js orvet.wasm orvet.data index.html)
  if(NOT EXISTS "${SITE_DIR}/${needed}")
    return()
  endif()
endforeach()

file(GLOB names RELATIVE "${SITE_DIR}" "${SITE_DIR}/*")
list(SORT names)
set(entries "")
foreach(name IN LISTS names)
  if(name STREQUAL "sw.js" OR name MATCHES "^\\." OR IS_DIRECTORY "${SITE_DIR}/${name}")
    continue()
  endif()
  file(SHA256 "${SITE_DIR}/${name}" sha256)
  string(APPEND entries "\n  ['${name}', '${sha256}'],")
endforeach()
set(ORVET_SITE_FILES "[${entries}\n]")
string(SHA256 version "${entries}")
string(SUBSTRING "${version}" 0 16 ORVET_SITE_VERSION)
configure_file("${TEMPLATE}" "${SITE_DIR}/sw.js" @ONLY)
