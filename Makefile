# The two commands that matter: `make play` and `make test`. Both install what
# the build needs from Debian's packages first (as root), then build.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

# Debian packages the build and the tests need.
BUILD_PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev \
                  libbenchmark-dev libpng-dev dpkg-dev file clang-format nlohmann-json3-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
# Runs the suite under other clock values.
CLOCK_PACKAGES := faketime
# The Qt widget, its Designer plugin and the desktop game; a real X server
# and the tools that click and look at the desktop game in its tests, and
# the accessibility bus with Python's client of it, which hear it.
QT_PACKAGES := qt6-base-dev qt6-tools-dev
X_TEST_PACKAGES := xvfb xdotool imagemagick at-spi2-core python3-pyatspi

# CI treats every warning as an error.
ifdef CI
WERROR := -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
endif

.PHONY: all deps fuzz-deps clock-deps qt-deps x-test-deps build build-asan test test-plain test-asan test-clocks \
        test-seeds test-without-testing test-format play package bench match tune fuzz clean

all: build

# Installs whichever of the given packages are missing; runs `apt-get update`
# once, before the first install (the stamp remembers it across targets).
APT_UPDATED := build/.apt-updated

define ensure_packages
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -ne 0 ]; then \
	    echo "error: missing Debian packages: $$missing (run as root, or install them with apt-get)" >&2; exit 1; \
	  fi; \
	  echo "Installing: $$missing"; \
	  if [ ! -e $(APT_UPDATED) ]; then apt-get update -q && mkdir -p build && touch $(APT_UPDATED); fi; \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call ensure_packages,$(BUILD_PACKAGES))

fuzz-deps: deps
	$(call ensure_packages,$(FUZZ_PACKAGES))

clock-deps: deps
	$(call ensure_packages,$(CLOCK_PACKAGES))

qt-deps: deps
	$(call ensure_packages,$(QT_PACKAGES))

x-test-deps: deps
	$(call ensure_packages,$(X_TEST_PACKAGES))

build: deps qt-deps
	cmake --preset default $(WERROR)
	cmake --build --preset default -j $(JOBS)

build-asan: deps qt-deps
	cmake --preset asan $(WERROR)
	cmake --build --preset asan -j $(JOBS)

test-plain: build x-test-deps
	ctest --preset default -j $(JOBS)

test-asan: build-asan x-test-deps
	ctest --preset asan -j $(JOBS)

# No test may depend on the clock: the control and the brain seed the
# generator from it. test-seeds runs the plain suite under SEED_RUNS clock
# values; test runs a few of them, so a test that depends on the clock is
# caught the day it is written.
SEED_RUNS ?= 50
CLOCK_RUNS_IN_TEST := 4

test-seeds: build clock-deps
	tests/clock/run-under-clocks $(SEED_RUNS)

test-clocks: test-plain clock-deps
	tests/clock/run-under-clocks $(CLOCK_RUNS_IN_TEST)

# What packagers run: a build without the tests must build and install the
# same files as the full one (whose install the plain suite has made).
test-without-testing: test-plain
	WERROR="$(WERROR)" tests/install/without-testing build/without-testing build/default/tests/install/prefix

# Every C++ file changed since .clang-format came in keeps its style.
test-format: deps
	tests/format/check-format

test: test-format test-plain test-asan test-clocks test-without-testing test-web

# Starts the desktop game where there is a display, and the terminal game in
# the terminal make was run from where there is none.
ifneq ($(DISPLAY)$(WAYLAND_DISPLAY),)
play: qt-deps
	cmake --preset default $(WERROR)
	cmake --build --preset default -j $(JOBS) --target quintar-desktop
	@./build/default/hosts/qt/quintar-desktop
else
play: deps
	cmake --preset default $(WERROR)
	cmake --build --preset default -j $(JOBS) --target quintar_terminal_game
	@./build/default/hosts/terminal/quintar
endif

# Runs every fuzz harness for FUZZ_SECONDS each, starting from its seed
# corpus in the tree; what it learns is kept in build/fuzz/corpus, and any
# crashing input is written to build/fuzz/findings.
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES := control brain terminal stream loader record table settings

fuzz: fuzz-deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target $(addsuffix _fuzzer,$(FUZZ_HARNESSES))
	@mkdir -p build/fuzz/findings
	@set -e; for h in $(FUZZ_HARNESSES); do \
	  mkdir -p build/fuzz/corpus/$$h; \
	  echo "== $$h: $(FUZZ_SECONDS) s"; \
	  build/fuzz/tests/fuzz/$${h}_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -max_len=1024 -rss_limit_mb=4096 -artifact_prefix=build/fuzz/findings/$$h- \
	    build/fuzz/corpus/$$h tests/fuzz/corpus/$$h; \
	done

# The opponent against its plain reference, with the speed-up per position,
# the whole click path a player waits for, the redrawing of every mark that
# each move costs, a full paint and the drawing after a move beside a clear,
# the expert's choice with its default budget, the expert's bench (its
# signature and speed), and the Qt widget's frame.
bench: build
	./build/default/bench/opponent_bench
	./build/default/bench/click_path_bench
	./build/default/bench/frame_bench
	./build/default/bench/marks_bench
	./build/default/bench/expert_bench
	./build/default/hosts/brain/pbrain-quintar --bench
	./build/default/bench/widget_frame_bench

# Two levels playing each other, e.g.
#   make match MATCH="expert high --games 400 --board 15 --seed 2024 --expert-ms 0"
# Long: not part of make test. See quintar-match --help.
MATCH ?= expert high --games 100
match: deps
	cmake --preset default $(WERROR)
	cmake --build --preset default -j $(JOBS) --target quintar-match
	nice -n 10 ./build/default/hosts/match/quintar-match $(MATCH)

# Fits the expert's evaluation weights to self-play games and rewrites the
# header the expert compiles in, e.g.
#   make tune TUNE="--games 4000 --nodes 1500 --seed 2"
# A minute or two on one core; see docs/opponent.md. Not part of make test.
TUNE ?=
TUNED_WEIGHTS := opponent/expert/TunedWeights.h
tune: deps
	cmake --preset default $(WERROR)
	cmake --build --preset default -j $(JOBS) --target quintar-tune
	nice -n 10 ./build/default/tools/tune/quintar-tune $(TUNE) --output $(TUNED_WEIGHTS)

# A Debian package of the module, headers, CMake and pkg-config files and the
# tools: build/default/quintar_<version>_<arch>.deb. CPack works out its
# dependencies with dpkg-shlibdeps (dpkg-dev), which needs file.
package: build
	cd build/default && cpack -G DEB

clean:
	rm -rf build

# ---- The browser: <quintar-board>, the control compiled to WebAssembly ----

# Debian's Emscripten builds the module, Debian's Chromium runs the tests;
# npm comes with Node.js on most machines, from Debian where it does not.
WEB_PACKAGES := emscripten terser chromium nodejs $(if $(shell command -v npm 2>/dev/null),,npm)
WEB_SITE := build/web/hosts/web/site
WEB_ELEMENT := $(addprefix $(WEB_SITE)/quintar-board/,quintar-board.js attributes.js colors.js events.js loader.js thinker.js quintar-worker.js quintar-module.js quintar-module.wasm quintar-analysis.js quintar-analysis.wasm)
WEB_NODE_MODULES := tests/web/node_modules/.installed
PORT ?= 8080

.PHONY: web-deps web serve test-web

web-deps: deps
	$(call ensure_packages,$(WEB_PACKAGES))

# The demo page and the element's npm package folder, $(WEB_SITE)/quintar-board.
web: web-deps
	cmake --preset web $(WERROR)
	cmake --build --preset web -j $(JOBS)
	@echo "The element (scripts, glue and WebAssembly): $$(cat $(WEB_ELEMENT) | wc -c) bytes, $$(cat $(WEB_ELEMENT) | gzip -9 | wc -c) gzipped"

serve: web
	node hosts/web/serve.mjs $(WEB_SITE) $(PORT)

$(WEB_NODE_MODULES): tests/web/package.json tests/web/package-lock.json | web-deps
	cd tests/web && npm ci --no-audit --no-fund
	touch $@

test-web: web $(WEB_NODE_MODULES)
	cd tests/web && node --test *.test.mjs
