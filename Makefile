# The everyday commands. `make demo` and `make test` each install what they
# need first, so either is the one command a fresh Debian 12 machine needs.

BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: demo test build run bench screenshot package package-check clean deps format-check

deps:
	scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

demo: deps build
	$(BUILD_DIR)/src/cli/wavemark-convert samples/summary.txt samples/text.txt -o $(BUILD_DIR)/demo.gtm
	@echo "Wrote $(BUILD_DIR)/demo.gtm: $$(stat -c %s $(BUILD_DIR)/demo.gtm) bytes"

test: deps build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: deps build
	$(BUILD_DIR)/src/app/wavemark

# Redraws docs/wavemark-window.png from the real window after converting the
# sample survey in it.
screenshot: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/windowdrive/wavemark-windowdrive \
		samples/summary.txt samples/text.txt --screenshot docs/wavemark-window.png

# The Debian package, and a check of it that installs and removes it with dpkg.
package: deps build
	cd $(BUILD_DIR) && cpack

package-check: deps build
	scripts/check-package $(BUILD_DIR)

bench: build
	bench/run-bench $(BUILD_DIR)

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
