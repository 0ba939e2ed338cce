# Thin wrapper over CMake. `make run` and `make test` install what a fresh
# Debian machine lacks (tools/setup.sh), configure once, build and go.
BUILD ?= build
JOBS  ?= 2

.PHONY: setup configure build run test bench fuzz package clean

setup:
	@sh tools/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	cd data && ../$(BUILD)/app/kelvo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	cd data && ../$(BUILD)/bench/kelvo_bench

# Each fuzz target for FUZZ_SECONDS (default 600) under ASan and UBSan.
FUZZ_SECONDS ?= 600
fuzz: setup
	sh tools/fuzz.sh $(FUZZ_SECONDS)

# A Debian package of the installation (build/kelvo_*.deb).
package: build
	@sh tools/setup.sh package
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
