# The two commands of the README. Both install what is missing, configure and
# build; `run` then starts the program, `test` runs every test headless.
BUILD ?= build
BUILD_TYPE ?= Release

.PHONY: run test build deps clean

run: build
	$(BUILD)/quadrivel/quadrivel

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD)

deps:
	./scripts/install-deps

clean:
	rm -rf $(BUILD)
