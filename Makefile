# Marrowvale's two everyday commands, plus the optional benchmark and fuzz runs.
#   make demo   install what is missing, build optimised, write a report from the bundled sample
#   make test   install what is missing, build with ASan and UBSan, run every test

DEMO_INPUT  ?= samples/demo-sequence.xml
DEMO_OUTPUT ?= build/demo/Demo Report.xlsx

.PHONY: all deps demo test bench clean

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

clean:
	rm -rf build
