# Set-up and everyday commands. Works on a fresh Debian 12 machine as root.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# make fuzz: seconds per target (0: no limit), executions per target (-1: no limit), and which
# targets (names without "fuzz_"; empty: all).
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
FUZZ_TARGETS ?=
FUZZ_CXX ?= clang++-14
JOBS ?= $(shell nproc)
DEBIAN_PACKAGES := cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev \
  nlohmann-json3-dev libocct-foundation-dev libocct-modeling-data-dev \
  libocct-modeling-algorithms-dev libocct-data-exchange-dev libtbb-dev
# Only for make fuzz (libFuzzer); the tests and CI replay the corpora with the usual compiler.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_BINARIES := $(filter-out fuzz_replay_main,$(basename $(notdir $(wildcard fuzz/fuzz_*.cpp))))
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps fuzz-deps configure build test demo bench asan fuzz clean

# Installs the Debian packages of a list that are missing.
define install_missing
@missing=$$(for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(DEBIAN_PACKAGES))

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROODT_BUILD_FUZZ=ON

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	./$(BUILD_DIR)/tools/kro-odt/kro-odt demo

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKROODT_BUILD_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do echo "== $$b"; $$b --benchmark_counters_tabular=true || exit 1; done

asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DKROODT_SANITIZE=ON -DKROODT_BUILD_BENCH=OFF -DKROODT_BUILD_FUZZ=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Builds the fuzz targets with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer
# (the library instrumented too), runs each for FUZZ_SECONDS or FUZZ_RUNS from its corpus, merges
# the inputs that add coverage back into fuzz/corpus, and prints one line per target.
fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DKROODT_SANITIZE=ON -DKROODT_BUILD_FUZZ=ON \
	  -DKROODT_BUILD_TESTS=OFF -DKROODT_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_BINARIES)
	FUZZ_BUILD=$(FUZZ_DIR) FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_RUNS=$(FUZZ_RUNS) \
	  FUZZ_TARGETS="$(FUZZ_TARGETS)" fuzz/run-fuzz.sh

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) build-bench
