# The two commands a newcomer needs: `make play` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps build test play package package-check sanitize bench fuzz fuzz-replay clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j$(JOBS)

play: build
	@scripts/play

test: build
	@ctest --preset default -j$(JOBS)

# The Debian package, made by CPack from the install rules: build/default/kelmora_*.deb.
package: build
	@cd build/default && { cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }; } && tail -1 cpack.log

# The package's file list, desktop entry, AppStream metadata, manual pages and lintian.
package-check: package
	@packaging/check-package build/default

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	@ctest --preset sanitize -j$(JOBS)

bench: build
	@build/default/bench/kelmora_bench
	@QT_QPA_PLATFORM=offscreen build/default/bench/kelmora_answer_latency 2>/dev/null
	@tests/app/on-accessibility-bus build/default/bench/kelmora_speech_latency 2>/dev/null
	@bench/startup.sh

# A short run of every libFuzzer target (clang); FUZZ_SECONDS sets how long each runs.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j$(JOBS) --target kelmora_fuzz
	@fuzz/run-all build/fuzz/fuzz $${FUZZ_SECONDS:-20}

# Every fuzz target once over its seed corpus: quick and repeatable, so CI runs it.
fuzz-replay: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j$(JOBS) --target kelmora_fuzz
	@for t in main_base topics accounts records log text; do \
	  build/fuzz/fuzz/fuzz_$$t -runs=0 fuzz/corpus/$$t >build/fuzz/replay-$$t.log 2>&1 \
	    || { echo "fuzz_$$t failed on its corpus: build/fuzz/replay-$$t.log"; exit 1; }; \
	done; echo "fuzz corpora replayed: ok"

clean:
	rm -rf build

# A developer's mutation run (scripts/mutants.txt): not part of `make test` or CI.
.PHONY: mutate
mutate:
	@scripts/mutate
