# Two entry points: `make run` builds and starts Ordrane, `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/src/ordrane

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

clean:
	rm -rf $(BUILD)
