# The two commands of the README:
#   make run    start the calculator (under Wine on Linux)
#   make test   build everything and run every test
# Both first install whatever is missing (tools/install-deps.sh).
# make bench times the calculator against its floors (not a test).

JOBS ?= 2
NATIVE := build/native
ASAN := build/asan
WIN := build/win
OUT := $(CURDIR)/build

.PHONY: all deps native windows asan test run preview bench clean

all: native windows

deps:
	@tools/install-deps.sh

native: deps
	@test -f $(NATIVE)/CMakeCache.txt || cmake -S . -B $(NATIVE) -DORVANTA_OUT_DIR=$(OUT)
	cmake --build $(NATIVE) -j$(JOBS)

windows: deps
	@test -f $(WIN)/CMakeCache.txt || cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DORVANTA_OUT_DIR=$(OUT)
	cmake --build $(WIN) -j$(JOBS)

asan: deps
	@test -f $(ASAN)/CMakeCache.txt || cmake -S . -B $(ASAN) -DORVANTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN) -j$(JOBS)

test: all asan
	ctest --test-dir $(NATIVE) --output-on-failure
	ctest --test-dir $(ASAN) --output-on-failure
	tools/wine-tests.sh $(WIN)

run: all
	@tools/run.sh build/orvanta.exe

bench: all
	cmake --build $(NATIVE) --target core_bench -j$(JOBS)
	cmake --build $(WIN) --target ui_bench -j$(JOBS)
	bench/run.sh

preview: windows
	cmake --build $(WIN) --target preview

clean:
	rm -rf build
