# NLopt for the browser build: Debian has no WebAssembly library, so
# tools/setup.sh (tools/setup-web-nlopt.sh) builds the C library from its
# pinned source into the cache folder named here. Defines the imported
# target WebNLopt::nlopt.
set(ORVET_WEB_NLOPT_DIR "${PROJECT_SOURCE_DIR}/.cache/web-deps/nlopt-2.7.1-wasm" CACHE PATH
    "NLopt built with Emscripten (include/nlopt.h, lib/libnlopt.a)")
if(NOT EXISTS "${ORVET_WEB_NLOPT_DIR}/lib/libnlopt.a" OR
   NOT EXISTS "${ORVET_WEB_NLOPT_DIR}/include/nlopt.h")
  message(FATAL_ERROR "NLopt for the browser build is not in ${ORVET_WEB_NLOPT_DIR}: "
          "run tools/setup.sh (or configure with -DORVET_SOLVER=OFF)")
endif()
add_library(WebNLopt::nlopt STATIC IMPORTED)
set_target_properties(WebNLopt::nlopt PROPERTIES
  IMPORTED_LOCATION "${ORVET_WEB_NLOPT_DIR}/lib/libnlopt.a"
  INTERFACE_INCLUDE_DIRECTORIES "${ORVET_WEB_NLOPT_DIR}/include")
