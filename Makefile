# The two commands of the README. Both install what is missing, configure and
# build; `run` then starts the program, `test` runs every test headless.
# `sanitize` is the third check CI runs, after `test`.
BUILD ?= build
BUILD_TYPE ?= Release
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 45
DEB_BUILD ?= build-deb

# A sanitizer's report ends the program with a failure; leaks count too.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: run test build deps clean sanitize deb

run: build
	$(BUILD)/quadrivel/quadrivel

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD)

# Every test again under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, then a short run of the INI fuzz target.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUADRIVEL_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD)
	QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --test-dir $(SANITIZE_BUILD) --output-on-failure
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD)
	$(SANITIZER_ENV) fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Debian package, built from a copy of the files git tracks or would track in $(DEB_BUILD)/
# so that nothing of the package build lands in the tree; the .deb is left in
# $(DEB_BUILD)/ and checked by lintian.
deb:
	./scripts/install-deps --deb
	rm -rf $(DEB_BUILD)
	mkdir -p $(DEB_BUILD)/quadrivel
	git ls-files -z --cached --others --exclude-standard | xargs -0 tar --ignore-failed-read -cf - | tar -xf - -C $(DEB_BUILD)/quadrivel
	cd $(DEB_BUILD)/quadrivel && dpkg-buildpackage -us -uc -b
	lintian --fail-on error --info $(DEB_BUILD)/quadrivel_*.deb

deps:
	./scripts/install-deps

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
