# make run  — install what is missing, build, start the editor
# make test — install what is missing, build, run every test and replay the
#             fuzz targets' seed corpora
# make package — install what is missing, build the Debian package
#             (apt install ./build/tupalo_*.deb installs it)
BUILD ?= build
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 60
PROGRAM = $(BUILD)/bin/tupalo

.PHONY: run test build setup bench sanitize fuzz fuzz-build package clean

run: build
	$(PROGRAM)

test: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
	./scripts/fuzz.sh replay $(FUZZ_BUILD)

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j2

setup:
	./scripts/setup.sh

# The Debian package, in $(BUILD)/: tupalo_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD) --target package

# The whole suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (the formatting and install checks need no second
# run).
sanitize: setup
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DTUPALO_SANITIZE=ON
	cmake --build $(BUILD)-asan -j2 --target raster_tests files_tests editor_tests launcher_tests
	cd $(BUILD)-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j2 -E '^(format|install_layout)$$'

# The libFuzzer targets (tests/fuzz), built with clang in their own folder.
fuzz-build: setup
	./scripts/fuzz.sh build $(FUZZ_BUILD)

# Fuzzes each target for FUZZ_SECONDS and adds what it finds to its corpus.
fuzz: fuzz-build
	./scripts/fuzz.sh run $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	$(BUILD)/bin/tupalo_bench

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(FUZZ_BUILD)
