# The two commands of the README:
#   make run    start the calculator (under Wine on Linux)
#   make test   build everything and run every test
# Both first install whatever is missing (tools/install-deps.sh).
# make bench times the calculator against its floors (not a test);
# make dist writes the release archives.

JOBS ?= 2
NATIVE := build/native
ASAN := build/asan
WIN := build/win
WIN64 := build/win64
OUT := $(CURDIR)/build

.PHONY: all deps native windows windows64 asan test run preview bench dist clean

all: native windows windows64

# Asked for by name, deps also retries what an earlier set-up could not
# install (32-bit Wine); as a step of the other targets it does not.
deps:
	@tools/install-deps.sh $(if $(filter deps,$(MAKECMDGOALS)),--retry)

native: deps
	@test -f $(NATIVE)/CMakeCache.txt || cmake -S . -B $(NATIVE) -DORVANTA_OUT_DIR=$(OUT)
	cmake --build $(NATIVE) -j$(JOBS)

windows: deps
	@test -f $(WIN)/CMakeCache.txt || cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DORVANTA_OUT_DIR=$(OUT)
	cmake --build $(WIN) -j$(JOBS)

windows64: deps
	@test -f $(WIN64)/CMakeCache.txt || cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake -DORVANTA_OUT_DIR=$(OUT)/x64
	cmake --build $(WIN64) -j$(JOBS)

asan: deps
	@test -f $(ASAN)/CMakeCache.txt || cmake -S . -B $(ASAN) -DORVANTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN) -j$(JOBS)

test: all asan
	ctest --test-dir $(NATIVE) --output-on-failure
	ctest --test-dir $(ASAN) --output-on-failure
	tools/wine-tests.sh

run: all
	@tools/run.sh

bench: all
	cmake --build $(NATIVE) --target core_bench -j$(JOBS)
	cmake --build $(WIN) --target ui_bench -j$(JOBS)
	cmake --build $(WIN64) --target ui_bench -j$(JOBS)
	bench/run.sh

# Release archives of both Windows programs, with SHA256SUMS, in build/dist.
dist: windows windows64
	/usr/bin/python3 tools/dist.py $(CURDIR) $(OUT)/dist
	cd $(OUT)/dist && sha256sum -c SHA256SUMS

preview: windows
	cmake --build $(WIN) --target preview

clean:
	rm -rf build
