# The two commands of the README, plus benchmarks and long fuzzing.
.PHONY: run check bench fuzz clean

run:
	scripts/bootstrap
	for p in win32 win64 native; do cmake --preset $$p >/dev/null && cmake --build --preset $$p || exit 1; done

check:
	scripts/check

bench:
	scripts/bench

fuzz:
	scripts/fuzz

clean:
	rm -rf build
