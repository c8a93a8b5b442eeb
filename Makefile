# make check: set-up, build, every test.   make demo: set-up, build, the main job.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build check sanitize fuzz demo bench format clean

all: build

bootstrap:
	scripts/bootstrap

# The Google Benchmark programs are built by make bench only, which installs
# what they need.
configure: bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DORVANE_BUILD_BENCH=OFF

build: configure
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The core and its tests under AddressSanitizer and UBSan (no windows).
SANITIZE_BUILD ?= build-sanitize
SANITIZE_JOBS ?= 2
sanitize: bootstrap
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DORVANE_BUILD_GUI=OFF -DORVANE_BUILD_BENCH=OFF \
		-DORVANE_SANITIZE=address,undefined
	cmake --build $(SANITIZE_BUILD) -j $(SANITIZE_JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(SANITIZE_JOBS) --timeout 1800

# libFuzzer targets (tests/fuzz) built with clang, ASan and UBSan in their own
# folder, then run one after the other for FUZZ_SECONDS each (scripts/fuzz).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
fuzz:
	scripts/bootstrap fuzz
	CC=clang-16 CXX=clang++-16 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DORVANE_FUZZ=ON \
		-DORVANE_BUILD_GUI=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(SANITIZE_JOBS) --target fuzz_targets
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Only what the demo needs: the program, the template store, the sample song.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target orvane template_store sample_songs
	scripts/demo $(BUILD)

bench:
	scripts/bootstrap bench
	cmake -S . -B $(BUILD) -G Ninja -DORVANE_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	scripts/bench $(BUILD)

format:
	scripts/format

clean:
	rm -rf $(BUILD)
