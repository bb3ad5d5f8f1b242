# The two set-up commands of the README, and a few conveniences.
BUILD ?= build
JOBS ?= 2

.PHONY: deps build run test test-sanitize bench bench-build fuzz fuzz-build package package-contents clean

deps:
	bash scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLNX_WERROR=ON

# Test discovery runs the Qt test programs at build time: no display is needed for that.
build: deps $(BUILD)/build.ninja
	QT_QPA_PLATFORM=offscreen cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/gui/qlnx

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, the random use of the
# window at 10,000 steps. Any finding stops the program that ran into it. The sanitizer
# options hold for the test discovery at build time too.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
test-sanitize: deps
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQLNX_SANITIZE=ON
	QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) \
	    QLNX_RANDOM_USE_STEPS=10000 ctest --output-on-failure -j $(JOBS)

# Fuzz every target for FUZZ_SECONDS (default 600) each.
fuzz:
	bash fuzz/run.sh $(or $(FUZZ_SECONDS),600)

# The fuzz targets built with clang and libFuzzer, not run (their checks run in the test
# suites as the replay of the committed corpus).
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQLNX_FUZZ=ON -DQLNX_GUI=OFF -DQLNX_TESTS=OFF -DQLNX_WERROR=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_curve_import fuzz_analysis fuzz_workbook

# The benchmark programs (build-bench/bench/), built as released; they are run by hand.
bench-build: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQLNX_BENCH=ON -DQLNX_TESTS=OFF
	QT_QPA_PLATFORM=offscreen cmake --build build-bench -j $(JOBS)

# The benchmarks built, then the Python module's benchmark, and a whole batch run beside the
# bare single-thread read + parse + store of 1M and 10M rows (records written to a temporary
# folder): the times, their ratio and the peak memory.
bench: bench-build
	/usr/bin/python3 bench/python_module.py build-bench
	/usr/bin/python3 bench/whole_run/whole_run.py --batch build-bench/src/cli/qlnx-batch \
	    --bare build-bench/bench/bare_read_parse_store

# A Debian package of the program (build/qlnx_<version>_amd64.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# What the package installs, file by file.
package-contents: package
	dpkg-deb --info $(BUILD)/qlnx_*_amd64.deb
	dpkg-deb --contents $(BUILD)/qlnx_*_amd64.deb

clean:
	rm -rf $(BUILD) build-bench build-sanitize build-fuzz
