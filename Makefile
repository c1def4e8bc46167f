# Two entry points for a fresh Debian machine: `make run` and `make test`.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
PREFIX    ?= /usr/local
JOBS      ?= $(shell nproc)
# WERROR=ON makes every compiler warning an error (CI sets it); unset keeps what the build
# folder was configured with.
WERROR    ?=

.PHONY: run test deps configure build bench install asan clean

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

bench: build
	./scripts/run-benchmarks $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) test BUILD=build-asan BUILDTYPE=Debug CMAKE_EXTRA=-DTESSAVORN_SANITIZE=ON

clean:
	rm -rf build build-asan build-fuzz
