# MERIDAN: `make run` shows the main job, `make test` builds and tests both targets.
.PHONY: all run bench test build native windows deps test-native test-windows clean fuzz

all: build

deps:
	@scripts/install-deps.sh

build: deps
	scripts/build.sh all

native: deps
	scripts/build.sh native

windows: deps
	scripts/build.sh windows

# The sample table is copied into the build tree first, so its info file
# never lands in samples/; the file is Windows-1252, shown here in UTF-8.
run: native
	@rm -rf build/native/run && mkdir -p build/native/run
	@cp samples/kunden.dbf samples/kunden.dbt build/native/run/
	cd build/native/run && ../bin/meridan-cli kunden.dbf
	@echo
	@iconv -f WINDOWS-1252 -t UTF-8 build/native/run/KUNDEN.STR 2>/dev/null || cat build/native/run/KUNDEN.STR
	@echo

# meridan-cli over 10,000 generated tables against the bare file work; not part of test.
bench: native
	cmake --build build/native --target meridan_bench
	build/native/bin/meridan_bench build/native/bin/meridan-cli

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
