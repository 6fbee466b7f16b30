# MERIDAN: make run shows the main job, make test builds and tests both targets.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
WIN32 := build/win32

.PHONY: all run test build native win32 deps test-native test-win32 clean

all: build

deps:
	@scripts/install-deps.sh

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN32)/CMakeCache.txt:
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

native: deps $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win32: deps $(WIN32)/CMakeCache.txt
	cmake --build $(WIN32) -j $(JOBS)

build: native win32

run: native
	$(NATIVE)/bin/meridan-cli --help

test: build
	scripts/run-tests.sh

test-native: native
	scripts/run-tests.sh native

test-win32: win32
	scripts/run-tests.sh win32

clean:
	rm -rf build
