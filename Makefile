# Convenience entry points; the README's two commands call these.
BUILD ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)

.PHONY: configure build run test sanitize clean

configure:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/mindorra

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMINDORRA_SANITIZE=ON -DMINDORRA_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) build-asan
