# The everyday commands. `make demo` and `make test` each install what they
# need first, so either is the one command a fresh Debian 12 machine needs.

BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: demo test build run bench screenshot map-picture package package-check windows windows-test clean deps format-check

deps:
	scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

demo: deps build
	$(BUILD_DIR)/src/cli/wavemark-convert samples/summary.txt samples/text.txt -o $(BUILD_DIR)/demo.gtm
	$(BUILD_DIR)/src/cli/wavemark-convert -q samples/summary.txt samples/text.txt -o $(BUILD_DIR)/demo.gpx
	$(BUILD_DIR)/src/cli/wavemark-convert -q samples/summary.txt samples/text.txt -o $(BUILD_DIR)/demo.kml
	$(BUILD_DIR)/src/cli/wavemark-convert -q samples/summary.txt samples/text.txt -o $(BUILD_DIR)/demo.geojson
	@for map in demo.gtm demo.gpx demo.kml demo.geojson; do \
		echo "Wrote $(BUILD_DIR)/$$map: $$(stat -c %s $(BUILD_DIR)/$$map) bytes"; done

test: deps build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: deps build
	$(BUILD_DIR)/src/app/wavemark

# Redraws docs/wavemark-window.png and docs/map-window.png from the real
# window and its map window (without tiles) after converting the sample
# survey in it, and docs/map-selected.png with the network "WLAN" found and
# selected, written by the map's "Save picture...".
screenshot: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/windowdrive/wavemark-windowdrive \
		samples/summary.txt samples/text.txt --screenshot docs/wavemark-window.png \
		--map-screenshot docs/map-window.png --select WLAN --map-picture docs/map-selected.png

# Redraws docs/sample-map.png, the sample survey's map as a viewer shows
# it, with GDAL's tools (scripts/draw-map names the packages it needs).
map-picture: build
	scripts/draw-map $(BUILD_DIR) docs/sample-map.png

# The Debian package, and a check of it that installs and removes it with dpkg.
package: deps build
	cd $(BUILD_DIR) && cpack

package-check: deps build
	scripts/check-package $(BUILD_DIR)

# The engine, the converter and their tests for Windows, cross-compiled with
# MinGW-w64; the tests run under Wine, in the prefix that the build makes in
# its folder (cmake/WinePrefix.cmake), and so does the converter here.
WINDOWS_DIR ?= build-windows
WINE_ENV = env WINEPREFIX=$(abspath $(WINDOWS_DIR))/wine-prefix WINEDEBUG=-all
WINE = $(WINE_ENV) wine
windows:
	scripts/install-deps windows
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DWAVEMARK_WINDOW=OFF $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# One wine server for all the tests (one already running serves as well): a
# test that started while the last one's server was shutting down could not
# reach it on a busy machine.
windows-test: windows
	$(WINE_ENV) wineserver --persistent=30 || true
	ctest --test-dir $(WINDOWS_DIR) --output-on-failure -j $(JOBS)
	$(WINE) $(WINDOWS_DIR)/src/cli/wavemark-convert.exe -q \
		samples/summary.txt samples/text.txt -o $(WINDOWS_DIR)/sample.gtm
	$(BUILD_DIR)/src/cli/wavemark-convert -q samples/summary.txt samples/text.txt \
		-o $(WINDOWS_DIR)/sample-linux.gtm
	cmp $(WINDOWS_DIR)/sample.gtm $(WINDOWS_DIR)/sample-linux.gtm
	@echo "wavemark-convert.exe writes the same bytes as the Linux build"

bench: build
	bench/run-bench $(BUILD_DIR)

# The whole project under clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, in its own build folder; any finding fails the
# test that met it.
.PHONY: sanitize fuzz
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# The project under ThreadSanitizer, in its own build folder: the readers',
# the map writers' and the file writer's helper threads, met by every test
# but the window's, whose Qt and GLib are not built with the sanitizer and
# so show races that are not there.
.PHONY: tsan
TSAN_DIR ?= build-tsan
TSAN_FLAGS = -fsanitize=thread -fno-omit-frame-pointer
tsan: deps
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$(TSAN_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(TSAN_FLAGS)" $(CMAKE_FLAGS)
	cmake --build $(TSAN_DIR) -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
		ctest --test-dir $(TSAN_DIR) --output-on-failure -j $(JOBS) -E '^ui[._]'

# The libFuzzer harnesses of tests/fuzz/ under the same sanitizers, each run
# for FUZZ_SECONDS; any finding fails.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVEMARK_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS) -fsanitize=fuzzer-no-link" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	tests/fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
