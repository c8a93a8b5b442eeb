# make check: set-up, build, every test.   make demo: set-up, build, the main job.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build check sanitize demo bench format clean

all: build

bootstrap:
	scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) -G Ninja

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

demo: build
	scripts/demo $(BUILD)

bench: build
	scripts/bench $(BUILD)

format:
	scripts/format

clean:
	rm -rf $(BUILD)
