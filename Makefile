# The project's entry points. `make test` and `make demo` work on a fresh Debian 12
# machine as root: they install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20
export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS = 1

.PHONY: all deps configure build test unit-test asan fuzz fuzz-smoke demo bench soak clean format \
	package package-check

all: build

deps:
	@tools/deps/install.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

# Everything: the test suite, a short run of every fuzz target, and the Debian package
# installed, run and removed.
test: unit-test fuzz-smoke package-check

# The Debian package (build/package/saverhost_VERSION_ARCH.deb) of the build there is.
package: build
	cd $(BUILD) && cpack --config CPackConfig.cmake

package-check: package
	tools/package/check-package.sh $(BUILD)

# The unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan -G Ninja -DSAVER_SANITIZE=ON -DSAVER_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS) --timeout 900

# libFuzzer targets, built by clang; `make fuzz FUZZ_SECONDS=600` for a long run.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSAVER_FUZZ=ON -DSAVER_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	tools/fuzz/run-all.sh build-fuzz $(FUZZ_SECONDS)

fuzz-smoke:
	@if [ -d fuzz ] && ls fuzz/*/CMakeLists.txt >/dev/null 2>&1; then $(MAKE) fuzz FUZZ_SECONDS=$(FUZZ_SECONDS); fi

demo: build
	tools/demo/run-demo.sh $(BUILD)

bench: build
	tools/bench/run-all.sh $(BUILD)

soak: build
	@if [ -x tools/soak/run-soak.sh ]; then tools/soak/run-soak.sh $(BUILD); else echo "soak: no soak run yet"; fi

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz
