# SPDX-License-Identifier: GPL-3.0-or-later
# radioprog: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first (make deps). `make package` builds the
# Debian package build/radioprog_<version>_<arch>.deb and its debug symbols beside it,
# build/radioprog-dbgsym_<version>_<arch>.deb.

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
WIN_BUILD  ?= build-windows
WEB_PORT   ?= 8080
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = dat_file language csv_import directory_import paste block_protocol
JOBS       ?= $(shell nproc)
# Most tests wait on a simulated radio's timing, not on the CPU: run more of them than cores.
TEST_JOBS  ?= $(shell echo $$(( 2 * $$(nproc) )))
CMAKE_GEN   = -G Ninja
# Rebuilds are faster with ccache where it is installed; the build does not need it.
CCACHE     := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_GEN  += -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE)
endif

PACKAGES = cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libudev-dev libgtest-dev libgmock-dev \
           libbenchmark-dev nlohmann-json3-dev fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-liberation fonts-dejavu-core fonts-droid-fallback \
           qt6-translations-l10n xvfb xauth xdotool poppler-utils at-spi2-core dbus-daemon python3-pyatspi \
           help2man librsvg2-bin clang-format appstream desktop-file-utils dpkg-dev file python3 shared-mime-info binutils \
           lintian man-db zsh fish \
           emscripten node-acorn binaryen chromium nodejs \
           g++-mingw-w64-x86-64-posix wine wine64

# The fuzz targets need clang and its libFuzzer runtime.
FUZZ_PACKAGES = clang libclang-rt-14-dev

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps fuzz-deps npm-deps configure build run demo test package sanitize tsan fuzz bench clean format format-check web web-run windows-cli

deps: PACKAGE_LIST = $(PACKAGES)
fuzz-deps: PACKAGE_LIST = $(FUZZ_PACKAGES)
deps fuzz-deps:
	@missing=""; for p in $(PACKAGE_LIST); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/radioprog ]; then cd $(BUILD)/bin && ./radioprog; \
	else $(BUILD)/bin/radioprog-cli --help; fi

demo: build
	./tools/demo.sh $(BUILD)/bin

test: build web windows-cli
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

# The page's test tools (a browser driver for Debian's chromium, axe-core), from the lockfile.
npm-deps: deps
	@[ -d node_modules ] && [ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund

# The web page: the core compiled to WebAssembly (Debian's emscripten) and the static files,
# in $(BUILD)/web. The emscripten tools find Debian's node packages only through NODE_PATH.
WEB_ENV = NODE_PATH=/usr/share/nodejs
web: deps npm-deps
	@[ -f $(WEB_BUILD)/build.ninja ] || $(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	mkdir -p $(BUILD)/web
	cp web/index.html web/*.js web/style.css web/manifest.webmanifest data/lang.csv data/radioprog.png \
	  $(WEB_BUILD)/bin/radiocore.js $(WEB_BUILD)/bin/radiocore.wasm $(BUILD)/web/
	mkdir -p $(BUILD)/web-sim
	cp $(WEB_BUILD)/bin/radiosim.js $(WEB_BUILD)/bin/radiosim.wasm $(BUILD)/web-sim/

# radioprog-cli.exe for 64-bit Windows, cross-built with Debian's mingw-w64: the Qt-free core
# and the command line, one .exe with the language file beside it in $(WIN_BUILD)/bin. make
# test runs it under Wine against the simulator.
windows-cli: deps
	@[ -f $(WIN_BUILD)/build.ninja ] || cmake -S . -B $(WIN_BUILD) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DRADIOPROG_WITH_GUI=OFF -DRADIOPROG_WITH_BENCH=OFF $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
	cmake --build $(WIN_BUILD) -j $(JOBS)

# Serves the page on localhost (a secure context, so the browser offers its serial ports).
web-run: web
	@echo "radioprog: http://localhost:$(WEB_PORT)/"
	cd $(BUILD)/web && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

package: build
	cmake --build $(BUILD) --target package

# Address and undefined-behaviour sanitizers over the same tests.
sanitize: deps
	cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DRADIOPROG_SANITIZE=address,undefined -DRADIOPROG_WITH_BENCH=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Thread sanitizer over the Qt-free tests (the transfer runs on its own thread).
tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DRADIOPROG_SANITIZE=thread -DRADIOPROG_WITH_BENCH=OFF -DRADIOPROG_WITH_GUI=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer over the .dat loader (and all that shows an image), the language file, CSV
# import, repeater directories, paste and the block protocol: each target runs FUZZ_SECONDS seconds from the seeds
# in tests/fuzz/corpus; what it learns stays in $(FUZZ_BUILD)/corpus. A finding stops the run
# and leaves its input as crash-* / leak-* / timeout-* in the current directory.
fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DRADIOPROG_FUZZ=ON -DRADIOPROG_SANITIZE=address,undefined -DRADIOPROG_WITH_GUI=OFF -DRADIOPROG_WITH_BENCH=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz_targets -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && echo "== fuzz_$$t: $(FUZZ_SECONDS) s" && \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 $(FUZZ_BUILD)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	    -print_final_stats=1 -timeout=30 -rss_limit_mb=4096 $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

bench: build
	$(BUILD)/bin/radioprog_bench

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(WIN_BUILD)

# The C++ sources follow .clang-format: `make format` lays them out, `make format-check`
# (run by CI) fails on any file that differs.
FORMAT_FILES = git ls-files '*.cpp' '*.h' '*.c'
format: deps
	$(FORMAT_FILES) | xargs clang-format -i
format-check: deps
	$(FORMAT_FILES) | xargs clang-format --dry-run -Werror
