# Two entry points for a fresh Debian machine: `make run` and `make test`.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
PREFIX    ?= /usr/local
JOBS      ?= $(shell nproc)
# WERROR=ON makes every compiler warning an error (CI sets it); unset keeps what the build
# folder was configured with.
WERROR    ?=

.PHONY: run test deps configure build bench install asan fuzz sample clean

run: build
	./$(BUILD)/src/app/tessavorn

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILDTYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
		$(if $(WERROR),-DTESSAVORN_WERROR=$(WERROR)) $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# A small vorn to try the program with: five boxes, four entries, written by
# scripts/sample-vorn.py into the build folder and opened.
sample: build
	./scripts/sample-vorn.py > $(BUILD)/sample.vorn
	./$(BUILD)/src/app/tessavorn $(BUILD)/sample.vorn

bench: build
	./scripts/run-benchmarks $(BUILD)
	./scripts/measure-startup $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The file reader's libFuzzer target alone, optimised, built with clang, run for FUZZ_TIME
# seconds over fuzz/corpus (which git ignores) and the seeds. An input that breaks a promise
# is written to fuzz/crashes; keep it there with the fix, and seed_replay runs it from then on.
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 60
fuzz:
	./scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ \
		-DTESSAVORN_FUZZ=ON -DTESSAVORN_TESTS=OFF -DTESSAVORN_BENCH=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz_vornfile -j$(JOBS)
	mkdir -p fuzz/corpus
	./$(FUZZ_BUILD)/fuzz/fuzz_vornfile -max_total_time=$(FUZZ_TIME) \
		-artifact_prefix=fuzz/crashes/ fuzz/corpus fuzz/seeds

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) test BUILD=build-asan BUILDTYPE=Debug CMAKE_EXTRA=-DTESSAVORN_SANITIZE=ON

clean:
	rm -rf build build-asan build-fuzz
