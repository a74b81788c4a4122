# The two commands of the README, `make run` and `make test`, set up everything a
# fresh Debian 12 machine needs: missing packages are installed first. `make install`
# never installs packages: a package build runs without network and as a plain user.

PACKAGES := cmake ninja-build g++ make qt6-base-dev libgtest-dev libgmock-dev \
            qt6-translations-l10n fonts-liberation xvfb xauth xdotool \
            qt6-svg-dev desktop-file-utils appstream shared-mime-info \
            xdg-utils libfile-mimeinfo-perl binutils clang-format-14
BENCH_PACKAGES := libbenchmark-dev hyperfine
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
JOBS := $(shell nproc)
EXAMPLE := examples/beispiel.mfd
# `make install` puts the program here; DESTDIR, if given, stages it below that folder.
PREFIX ?= /usr/local
# How long `make fuzz` runs each fuzzer, in seconds.
SECONDS ?= 60

CLANG_FORMAT := clang-format-14
# The project's own sources: what git has or would take, so build folders and files
# git ignores stay out; outside a git checkout, every source file but the builds'.
# Looked up only when a target needs them.
SOURCES = $(shell git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' 2>/dev/null || \
            find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)

.PHONY: all deps configure build run test test-asan bench fuzz install clean format check-format

# Each target runs its steps in order; the builds themselves run in parallel.
.NOTPARALLEL:

all: build

# Installs what is missing; runs apt-get update only when something is.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

configure: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build build -j $(JOBS)

run: configure
	cmake --build build -j $(JOBS) --target kelmor
	build/kelmor $(EXAMPLE)

test: check-format build
	cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Lays out every source file as .clang-format says.
format: deps
	$(CLANG_FORMAT) -i $(SOURCES)

# Before a build, so that a file out of shape stops `make test` within seconds.
check-format: deps
	@out=$$($(CLANG_FORMAT) --dry-run --Werror --ferror-limit=1 $(SOURCES) 2>&1); \
	if [ $$? -ne 0 ]; then \
	  files=$$(printf '%s\n' "$$out" | \
	    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/  \1/p'); \
	  echo "Not laid out as .clang-format says (\`make format\` mends them):"; \
	  printf '%s\n' "$${files:-$$out}"; \
	  exit 1; \
	fi

# A build of its own without the tests, so installing needs neither the test
# libraries nor a finished `make test`; what it installs carries no symbols. A
# warning does not stop it: a newer compiler may warn where ours did not.
install:
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELMOR_TESTS=OFF -DKELMOR_WERROR=OFF
	cmake --build build-release -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install build-release --prefix "$(PREFIX)" --strip

test-asan: check-format
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELMOR_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	$(call install_missing,$(BENCH_PACKAGES))
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELMOR_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target kelmor-bench kelmor-startup-probe qt-window-startup-probe qt-label-startup-probe kelmor-bench-files
	QT_QPA_PLATFORM=offscreen build-bench/bench/kelmor-bench
	@dir=$$(build-bench/bench/kelmor-bench-files) && \
	  QT_QPA_PLATFORM=offscreen sh bench/startup_targets.sh build-bench/bench "$$dir"; \
	  status=$$?; rm -rf "$$dir"; exit $$status

# The fuzzers of the readers, built by clang in a tree of their own and run from the
# seeds in fuzz/seeds; what they find on the way stays in build-fuzz/corpus-*. The
# seeds are 1,274 bytes of text and 5,655 of records (twelve questions). The targets
# take inputs up to their limit at once (-len_control=0): left to itself the fuzzer
# keeps to the seeds' size for a long time. Text inputs stay below 2 KiB: up to 8 KiB
# they reach no more code, but the records they announce make the exported files pass
# 128 KiB, which the sanitizer's allocator maps and unmaps for each, and the target
# ran at a fifth of the rate.
fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DKELMOR_FUZZ=ON -DKELMOR_GUI=OFF -DKELMOR_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz-text fuzz-raf fuzz-csv
	mkdir -p build-fuzz/corpus-text build-fuzz/corpus-raf build-fuzz/corpus-csv
	build-fuzz/fuzz-text -max_total_time=$(SECONDS) -max_len=2048 -len_control=0 build-fuzz/corpus-text fuzz/seeds/text
	build-fuzz/fuzz-raf -max_total_time=$(SECONDS) -max_len=8192 -len_control=0 build-fuzz/corpus-raf fuzz/seeds/raf
	build-fuzz/fuzz-csv -max_total_time=$(SECONDS) -max_len=2048 -len_control=0 build-fuzz/corpus-csv fuzz/seeds/csv

clean:
	rm -rf build build-asan build-bench build-fuzz build-release
