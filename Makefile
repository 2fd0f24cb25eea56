# make run   installs what is missing, builds and starts Lanceron
# make test  installs what is missing, builds with ASan/UBSan and runs every test offscreen
# make bench builds optimised and runs the benchmarks
# make package builds the Debian package lanceron_<version>_amd64.deb in build/package
# make fuzz  builds the libFuzzer targets with clang (build/fuzz/fuzz/fuzz_*), see fuzz/README
BUILD ?= build
CMAKE_GEN = -G Ninja -Wno-dev
JOBS ?= 2

.PHONY: all deps run build test bench package fuzz install clean format

all: build

deps:
	@sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD)/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANCERON_TESTS=OFF
	cmake --build $(BUILD)/release -j $(JOBS)

run: build
	$(BUILD)/release/src/app/lanceron

test: deps
	cmake -S . -B $(BUILD)/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLANCERON_SANITIZE=ON
	cmake --build $(BUILD)/asan -j $(JOBS)
	cd $(BUILD)/asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLANCERON_TESTS=OFF -DLANCERON_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	cd $(BUILD)/bench && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L bench -V

package: deps
	cmake -S . -B $(BUILD)/package $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLANCERON_TESTS=OFF
	cmake --build $(BUILD)/package -j $(JOBS)
	cd $(BUILD)/package && cpack -G DEB
	@ls $(BUILD)/package/lanceron_*.deb

fuzz:
	@sh scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLANCERON_TESTS=OFF -DLANCERON_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target fuzz_profil_prive fuzz_icones fuzz_images

install: build
	cmake --install $(BUILD)/release

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
