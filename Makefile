# make run  — install what is missing, build, start the editor
# make test — install what is missing, build, run every test
BUILD ?= build
PROGRAM = $(BUILD)/bin/tupalo

.PHONY: run test build setup bench clean

run: build
	$(PROGRAM)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j2

setup:
	./scripts/setup.sh

bench: build
	$(BUILD)/bin/tupalo_bench

clean:
	rm -rf $(BUILD)
