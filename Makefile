# The two commands a newcomer needs: `make play` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps build test play sanitize bench fuzz clean

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

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	@ctest --preset sanitize -j$(JOBS)

bench: build
	@build/default/bench/kelmora_bench
	@QT_QPA_PLATFORM=offscreen build/default/bench/kelmora_answer_latency 2>/dev/null
	@bench/startup.sh

# A short run of every libFuzzer target (clang); FUZZ_SECONDS sets how long each runs.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j$(JOBS)
	@fuzz/run-all build/fuzz/fuzz $${FUZZ_SECONDS:-20}

clean:
	rm -rf build
