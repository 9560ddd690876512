# The two commands a newcomer needs: `make play` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps build test play package package-check sanitize bench fuzz fuzz-replay clean

all: build

deps:
	@scripts/install-deps

# Configures the default preset and builds the given targets; with none, `all`: everything
# that is installed, and nothing else.
define build_default
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j$(JOBS) $(if $(strip $(1)),--target $(1))
endef

# `make build TARGETS="kelmora_app_tests kelmora_screenshots"` builds just those.
build: deps
	$(call build_default,$(TARGETS))

# Only the game, its launcher, its content and its sounds: the tests wait for `make test`.
play: deps
	$(call build_default,kelmora kelmora_launcher kelmora_data kelmora_sounds)
	@scripts/play

# kelmora_tests is every program the tests run and everything they run it on, built before
# CTest starts, so that no test runs a stale or missing program.
test: deps
	$(call build_default,kelmora_tests)
	@ctest --preset default -j$(JOBS)

# The Debian package, made by CPack from the install rules: build/default/kelmora_*.deb.
package: build
	@cd build/default && { cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }; } && tail -1 cpack.log

# The package's file list, desktop entry, AppStream metadata, manual pages and lintian.
package-check: package
	@packaging/check-package build/default

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS) --target kelmora_tests
	@ctest --preset sanitize -j$(JOBS)

bench: deps
	$(call build_default,kelmora_benchmarks)
	@build/default/bench/kelmora_bench
	@build/default/bench/kelmora_import_bench
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
	@for t in main_base topics accounts records log text import_csv import_siq; do \
	  build/fuzz/fuzz/fuzz_$$t -runs=0 fuzz/corpus/$$t >build/fuzz/replay-$$t.log 2>&1 \
	    || { echo "fuzz_$$t failed on its corpus: build/fuzz/replay-$$t.log"; exit 1; }; \
	done; echo "fuzz corpora replayed: ok"

clean:
	rm -rf build

# A developer's mutation run (scripts/mutants.txt): not part of `make test` or CI.
.PHONY: mutate
mutate:
	@scripts/mutate
