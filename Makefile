# The two commands a newcomer needs: `make play` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps build test play sanitize bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j$(JOBS)

test: build
	@ctest --preset default -j$(JOBS)

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	@ctest --preset sanitize -j$(JOBS)

bench: build
	@build/default/bench/kelmora_bench

clean:
	rm -rf build
