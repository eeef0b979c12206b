#!/usr/bin/env python3
"""zelgrep's manual page: cmake --install puts it in man1 beside the program, and it names
every option that zelgrep --help names.

Usage: manual_test.py CMAKE BUILD_DIR ZELGREP
"""
import os
import re
import subprocess
import sys
import tempfile


def options(text):
    return set(re.findall(r"(?<![\w-])(--?[A-Za-z][\w-]*)", text))


def main():
    cmake, build, zelgrep = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True,
                       capture_output=True)
        page = os.path.join(prefix, "share", "man", "man1", "zelgrep.1")
        program = os.path.join(prefix, "bin", "zelgrep")
        with open(page, encoding="utf-8") as f:
            manual = f.read().replace("\\-", "-")
        failures = [] if os.access(program, os.X_OK) else ["the program is not installed"]
    help_text = subprocess.run([zelgrep, "--help"], capture_output=True, text=True).stdout
    failures += [f"{option} is not in the manual page"
                 for option in sorted(options(help_text) - options(manual))]
    for failure in failures:
        print(failure)
    print(f"{1 if not failures else 0} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
