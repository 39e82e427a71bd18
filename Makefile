# The two commands of the README, plus benchmarks and long fuzzing.
.PHONY: run check bench fuzz clean

run:
	scripts/run

check:
	scripts/check

bench:
	scripts/bench

fuzz:
	scripts/fuzz

clean:
	rm -rf build
