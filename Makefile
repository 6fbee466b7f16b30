# MERIDAN: `make run` shows the main job, `make test` builds and tests both targets.
.PHONY: all run test build native windows deps test-native test-windows clean fuzz

all: build

deps:
	@scripts/install-deps.sh

build: deps
	scripts/build.sh all

native: deps
	scripts/build.sh native

windows: deps
	scripts/build.sh windows

run: native
	build/native/bin/meridan-cli --help

test: build
	scripts/run-tests.sh all

test-native: native
	scripts/run-tests.sh native

test-windows: windows
	scripts/run-tests.sh windows

clean:
	rm -rf build

# libFuzzer targets of the table layer (clang, ASan, UBSan); not part of test.
fuzz: deps
	fuzz/run.sh
