# The two commands that matter:
#   make run   - install what is missing, build, and start the game on the bundled puzzles
#   make test  - install what is missing, build, and run every test (normal and sanitizer
#                builds, then each fuzz target for a minute)
#   make check - the everyday subset: the normal build's unit and end-to-end tests
#                (a few minutes)
JOBS ?= $(shell nproc)

.PHONY: setup build run check test test-default test-asan bench bench-solve fuzz docs format clean web web-test

setup:
	bash tools/setup.sh

build: setup
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	bash tools/orvet-launch --build-dir build/default

check: build
	ctest --preset default -j $(JOBS) -LE smoke

test: setup
	bash tools/check-format.sh
	bash tools/check-sdl-seam.sh
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	JOBS=$(JOBS) bash tools/check-tidy.sh build/ci
	ctest --preset ci -j $(JOBS)
	JOBS=$(JOBS) bash tests/web/run.sh build/ci
	bash tests/smoke/deb_package.sh build/ci
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE smoke
	FUZZ_SECONDS=60 bash tools/fuzz.sh

# The page for a browser, in build/web (tools/serve-web serves it on 127.0.0.1).
web: setup
	NODE_PATH=/usr/share/nodejs emcmake cmake --preset web
	NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS) --target orvet

# The browser build's tests alone (part of make test), against the default build.
web-test: build
	JOBS=$(JOBS) bash tests/web/run.sh build/default

# The fuzz targets, each for FUZZ_SECONDS (default 60).
fuzz: setup
	bash tools/fuzz.sh

bench: build
	./build/default/bench/orvet_bench

# The solver's figures (several minutes on two cores); SOLVE_BENCH_ARGS, e.g.
# "--generated 40 --impossible 10", runs fewer levels.
bench-solve: build
	./build/default/bench/orvet_solve_report $(SOLVE_BENCH_ARGS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.c')

clean:
	rm -rf build
