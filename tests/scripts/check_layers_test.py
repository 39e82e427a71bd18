#!/usr/bin/env python3
"""check-layers on a small tree: each upward include is named once, each allowed one not at all."""
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
SCRIPT = HERE.parents[1] / "scripts" / "check-layers"

# Every include of the fixture that must be reported; any other line is a fault too.
EXPECTED = {
    "kit/a.h:4: includes addin/b.h",             # upward
    "codetools/d.cpp:3: includes win/e.h",       # upward by one
    "addin/b.h:3: includes tests/kit/g.h",       # product code includes no test
    "addin/b.h:4: includes sandbox/ui/h.h",      # nor the sandbox
    "sandbox/ui/h.h:6: includes codetools/d.h",  # the sandbox takes kit/ and win/ only
    "installer/i.h:3: includes fuzz/k.h",        # nor a fuzz target
}


def run(*args):
    return subprocess.run([sys.executable, str(SCRIPT), *args], capture_output=True, text=True)


def main():
    failures = []
    fixture = run(str(HERE / "layer_fixture"))
    reported = set(fixture.stdout.splitlines())
    if fixture.returncode == 0:
        failures.append("the fixture passed")
    failures += [f"not reported: {line}" for line in sorted(EXPECTED - reported)]
    failures += [f"reported wrongly: {line}" for line in sorted(reported - EXPECTED)]
    if run().returncode == 0:
        failures.append("no root given, yet it passed")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
