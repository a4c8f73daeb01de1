#!/usr/bin/env bash
# NLopt for the browser build (the solver behind F3): Debian has no
# WebAssembly library, so its source tarball (the upstream release, pinned
# by its SHA-256) is built once with Emscripten into a cache folder that the
# web preset links (cmake/web_nlopt.cmake). Only the C library is built:
# static, no bindings, no C++ algorithms, no tests. Called by tools/setup.sh.
#
#   tools/setup-web-nlopt.sh [CACHE_DIR]     (default .cache/web-deps)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${1:-$root/.cache/web-deps}
version=2.7.1
sha256=db88232fa5cef0ff6e39943fc63ab6074208831dc0031cf1545f6ecd31ae2a1a
url=http://deb.debian.org/debian/pool/main/n/nlopt/nlopt_${version}.orig.tar.gz
tarball=$cache/nlopt_${version}.orig.tar.gz
prefix=$cache/nlopt-${version}-wasm

# Built for size (the page downloads it; the results are the same at any
# optimisation level, IEEE arithmetic without fast-math), with only the C
# library.
flags=(-DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_SHARED_LIBS=OFF -DNLOPT_CXX=OFF
       -DNLOPT_FORTRAN=OFF -DNLOPT_PYTHON=OFF -DNLOPT_OCTAVE=OFF -DNLOPT_MATLAB=OFF
       -DNLOPT_GUILE=OFF -DNLOPT_SWIG=OFF -DNLOPT_TESTS=OFF)
# What the cached library was built from; another source or other flags
# build it again.
stamp="$sha256 ${flags[*]} $(emcc --version | head -n 1)"
[ -f "$prefix/lib/libnlopt.a" ] && [ -f "$prefix/include/nlopt.h" ] &&
  [ "$(cat "$prefix/built-from" 2>/dev/null)" = "$stamp" ] && exit 0
command -v emcmake >/dev/null || { echo "setup-web-nlopt: emcmake is missing" >&2; exit 1; }
mkdir -p "$cache"
if [ ! -f "$tarball" ] || ! echo "$sha256  $tarball" | sha256sum -c --status; then
  echo "Downloading NLopt $version's source"
  curl -fsSL --retry 3 -o "$tarball.part" "$url"
  if ! echo "$sha256  $tarball.part" | sha256sum -c --status; then
    echo "setup-web-nlopt: $url does not have the pinned SHA-256 $sha256" >&2
    rm -f "$tarball.part"
    exit 1
  fi
  mv "$tarball.part" "$tarball"
fi

echo "Building NLopt $version for the browser build"
work=$(mktemp -d "$cache/nlopt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
tar -xzf "$tarball" -C "$work"
rm -rf "$prefix"
emcmake cmake -S "$work/nlopt-$version" -B "$work/build" -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${flags[@]}" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j "${JOBS:-2}" >"$work/build.log" || { cat "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
echo "$stamp" >"$prefix/built-from"
