# `make run` builds and starts Ordrane, `make test` builds and runs every test, `make bench`
# measures copying, counting and sizing against the system's tools.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps test-deps configure build run test bench package clean

deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/src/ordrane

test: test-deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	$(BUILD)/bench/ordrane_bench $(BENCH_ARGS)

# The Debian package, $(BUILD)/ordrane_<version>_<architecture>.deb.
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
