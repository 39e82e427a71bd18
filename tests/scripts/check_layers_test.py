#!/usr/bin/env python3
"""check-layers on small trees: each upward include, and each symbol an object uses from a layer
above, is named once; each allowed one not at all.

check_layers_test.py [CXX NM]: with the toolchain's compiler and nm, the objects of link_fixture
are compiled and checked too.
"""
import json
import pathlib
import subprocess
import sys
import tempfile

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

# Every use of a symbol from above that the objects of link_fixture must show: object, the
# function's name, the layer that defines it. Any other line is a fault too.
EXPECTED_LINKS = {
    ("kit/uses_addin.o", "AddinPart", "addin"),         # up two layers
    ("addin/core.o", "EditorPart", "editor"),           # up one
    ("sandbox/host.o", "CodetoolsPart", "codetools"),   # the sandbox takes kit/ and win/ only
}


def run(*args):
    return subprocess.run([sys.executable, str(SCRIPT), *args], capture_output=True, text=True)


def include_failures():
    failures = []
    fixture = run(str(HERE / "layer_fixture"))
    reported = set(fixture.stdout.splitlines())
    if fixture.returncode == 0:
        failures.append("the fixture passed")
    failures += [f"not reported: {line}" for line in sorted(EXPECTED - reported)]
    failures += [f"reported wrongly: {line}" for line in sorted(reported - EXPECTED)]
    if run().returncode == 0:
        failures.append("no root given, yet it passed")
    return failures


def compile_fixture(root, build, cxx):
    """Compiles every source of the fixture and lists it as CMake would in compile_commands.json."""
    commands = []
    for source in sorted(root.rglob("*.cpp")):
        output = build / source.relative_to(root).with_suffix(".o")
        output.parent.mkdir(parents=True, exist_ok=True)
        command = [cxx, "-c", str(source), "-o", str(output)]
        subprocess.run(command, check=True)
        commands.append({"directory": str(build), "command": " ".join(command), "file": str(source)})
    (build / "compile_commands.json").write_text(json.dumps(commands), encoding="utf-8")


def link_failures(cxx, nm):
    root = HERE / "link_fixture"
    with tempfile.TemporaryDirectory() as folder:
        build = pathlib.Path(folder)
        compile_fixture(root, build, cxx)
        fixture = run(str(root), str(build), nm)
        failures = [] if fixture.returncode else ["the link fixture passed"]
        lines = fixture.stdout.splitlines()
        for obj, name, layer in sorted(EXPECTED_LINKS):
            shown = [line for line in lines
                     if line.startswith(f"{obj}: ") and name in line and line.endswith(f"defined in {layer}")]
            if not shown:
                failures.append(f"not reported: {obj} using {name} of {layer}")
            lines = [line for line in lines if line not in shown]
        failures += [f"reported wrongly: {line}" for line in lines]
        # The objects of the layers below alone break no rule.
        for obj in build.glob("**/*.o"):
            if obj.parent.name not in {"kit", "codetools"}:
                obj.unlink()
        if run(str(root), str(build), nm).returncode:
            failures.append("kit/ and codetools/ alone were reported")
    return failures


def main():
    failures = include_failures()
    if len(sys.argv) == 3:
        failures += link_failures(sys.argv[1], sys.argv[2])
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
