# Developers' front door. The scripts at the root call these targets.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build run run-relay test test-plain test-asan bench bench-load fuzz format format-check clean

all: build

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/trovelin

# The relay behind the permanent addresses; pass options as RELAY_ARGS="--listen 0.0.0.0:8866".
run-relay: build
	$(BUILD)/src/relay/trovelin-relay $(RELAY_ARGS)

test: format-check test-plain test-asan

test-plain: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTROVELIN_SANITIZE=ON \
	    -DTROVELIN_BENCH=OFF $(CMAKE_FLAGS)

test-asan: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    QT_QPA_PLATFORM=offscreen ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

$(BENCH_BUILD)/build.ninja:
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTROVELIN_BENCH=ON $(CMAKE_FLAGS)

bench: $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	for b in $(BENCH_BUILD)/bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=1; done

# Whole-program figures: the relay under wrk beside nginx, trovelin-cli check, the window.
bench-load: $(BENCH_BUILD)/build.ninja
	scripts/install-deps bench
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/relay-load.sh $(BENCH_BUILD)
	bench/check-time.sh $(BENCH_BUILD)
	bench/window-figures.sh $(BENCH_BUILD)
	bench/hostile-pages.sh $(BENCH_BUILD)

fuzz:
	scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTROVELIN_FUZZ=ON \
	    -DTROVELIN_BENCH=OFF -DTROVELIN_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do echo "== $$f"; \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$(basename $$f); \
	    $$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_BUILD)/corpus/$$(basename $$f) || exit 1; done

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	scripts/install-deps format
	clang-format -i $(SOURCES)

format-check:
	scripts/install-deps format
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
