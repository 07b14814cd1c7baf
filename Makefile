# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands that do everything: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
# The whole suite runs a second time under AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-asan

# Without a display the window cannot open: one line says so before anything is set up or built.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
$(error no display (neither DISPLAY nor WAYLAND_DISPLAY is set): run 'make run' in a desktop session, or 'make screenshot' to see the program without one)
endif
endif

.PHONY: all setup configure build run test test-fast test-sanitize bench screenshot fuzz format clean package install-check size

all: build

setup:
	@scripts/setup.sh

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLOMAR_WERROR=ON $(CMAKE_FLAGS)

configure: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLOMAR_WERROR=ON $(CMAKE_FLAGS)

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run.sh $(BUILD)

test: test-fast test-sanitize

# The suite on the normal build only.
test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Any sanitizer report fails the test that raised it; LeakSanitizer's suppressions, each
# with its reason, are in tests/lsan.supp.
test-sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPELLOMAR_WERROR=ON -DPELLOMAR_SANITIZE=ON -DPELLOMAR_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) --timeout 600

bench: build
	scripts/bench.sh $(BUILD)

screenshot: build
	scripts/screenshot.sh $(BUILD)

# libFuzzer targets, each for FUZZ_SECONDS (default 60).
fuzz: setup
	scripts/fuzz.sh

# Debian packages pellomar and pellomar-directory in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

# Runs lintian on both packages, then installs them into a throw-away Debian 12 root
# (debootstrap, as root) and runs them.
install-check: package
	scripts/check-package.sh $(BUILD)

# Lines of code per folder and language, and the tests' size against the product code.
size:
	@scripts/code-size.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
