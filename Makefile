# Marrowvale's two everyday commands, plus the optional benchmark and fuzz runs.
#   make demo   install what is missing, build optimised, write a report from the bundled sample
#   make test   install what is missing, build with ASan and UBSan, run every test
#   make fuzz   run every fuzz harness for FUZZ_SECONDS (default 60) each
#   make lint   check every source file against the house style in .clang-tidy

DEMO_INPUT  ?= samples/demo-sequence.xml
DEMO_OUTPUT ?= build/demo/Demo Report.xlsx

FUZZ_SECONDS ?= 60

.PHONY: all deps demo test bench fuzz lint clean

all: test

deps:
	@scripts/install-deps

demo: deps
	cmake --preset release
	cmake --build --preset release
	@scripts/run-demo "build/release" "$(DEMO_INPUT)" "$(DEMO_OUTPUT)"

test: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	@for b in build/bench/bench/*_bench; do [ -x "$$b" ] && "$$b"; done

# Every fuzz harness for FUZZ_SECONDS each (make fuzz FUZZ_SECONDS=600).
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	@scripts/run-fuzz build/fuzz $(FUZZ_SECONDS)

# clang-tidy over the compile database of the "lint" preset (configured, never built), LINT_JOBS
# files at a time. `make lint LINT_FLAGS=-fix` applies the fixes the checks offer.
LINT_JOBS  ?= $(shell nproc)
LINT_FLAGS ?=
LINT_FILES  = ^$(CURDIR)/(src|tests|bench|fuzz|examples)/

lint: deps
	cmake --preset lint
	run-clang-tidy -p build/lint -quiet -j $(LINT_JOBS) $(LINT_FLAGS) \
	    -header-filter='$(LINT_FILES)' '$(LINT_FILES)'

clean:
	rm -rf build
