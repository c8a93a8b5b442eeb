# make check: set-up, build, every test.   make demo: set-up, build, the main job.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build check demo bench format clean

all: build

bootstrap:
	scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

demo: build
	scripts/demo $(BUILD)

bench: build
	scripts/bench $(BUILD)

format:
	scripts/format

clean:
	rm -rf $(BUILD)
