# The two commands that matter:
#   make run   - install what is missing, build, and start the game on the bundled puzzles
#   make test  - install what is missing, build, and run every test (normal and sanitizer
#                builds, then each fuzz target for a minute)
JOBS ?= $(shell nproc)

.PHONY: setup build run test test-default test-asan bench fuzz docs format clean

setup:
	bash tools/setup.sh

build: setup
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	bash tools/orvet-launch --build-dir build/default

test: setup
	bash tools/check-format.sh
	bash tools/check-sdl-seam.sh
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)
	bash tests/smoke/deb_package.sh build/ci
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE smoke
	FUZZ_SECONDS=60 bash tools/fuzz.sh

# The fuzz targets, each for FUZZ_SECONDS (default 60).
fuzz: setup
	bash tools/fuzz.sh

bench: build
	./build/default/bench/orvet_bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.c')

clean:
	rm -rf build
