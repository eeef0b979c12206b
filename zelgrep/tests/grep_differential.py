#!/usr/bin/env python3
"""zelgrep against GNU grep: every option set of a table on every fixture file, standard output
and exit status compared byte for byte.

The peer is `grep -P` where the pattern means the same to both engines, `grep -F` for -F and
`grep -E` where grep -P refuses several patterns. Where zelgrep means to differ from GNU grep,
the difference is listed in DIFFERENCES below, with how the peer is brought to zelgrep's
meaning; anything else that differs is a bug.

Usage: grep_differential.py ZELGREP [GREP]
"""
import os
import subprocess
import sys
import tempfile

FIXTURES = {
    "english.txt": b"alpha\nbeta gamma\nAlphabet soup\n\na.b word wordy\nend\n",
    "japanese.txt": "カナ漢字\nかな ｶﾅ\nＡＢＣ全角 abc\n日本語のテキスト\nend\n".encode(),
    "crlf.txt": b"alpha\r\nbeta\r\n\r\nword end\r\n",
    "bom.txt": b"\xef\xbb\xbfalpha\nbeta\n",
    "binary.dat": b"alpha\0beta\nend\n",
    "empty.txt": b"",
    "nofinal.txt": b"alpha\nword end",
    "sub/deeper.txt": b"end\nbeta\n",
}

# Patterns for -f, beside the folder of fixtures. A CR before LF is no part of a pattern to
# zelgrep, as in a line searched (a documented difference): the peer's file has LF alone.
PATTERNS = b"beta\r\nword end\n"
NO_PATTERNS = b""


def strip_cr(data):
    return data.replace(b"\r\n", b"\n")


# The documented differences. Each names the fixture it shows in, what zelgrep does that GNU
# grep does not, and how the peer's input and zelgrep's output are brought together.
DIFFERENCES = {
    "bom.txt": (
        "A UTF-8 byte order mark is no part of the first line: zelgrep neither prints it nor "
        "lets it stop ^ or -x from matching there; GNU grep keeps it as text. The peer reads "
        "the file without the mark.",
        lambda data: data.removeprefix(b"\xef\xbb\xbf"),
        lambda out: out,
    ),
    "crlf.txt": (
        "A CR before LF is no part of the line for the search ($, -x, -w, . and -o stop "
        "before it), though a printed line keeps it; GNU grep on Linux searches the CR too. "
        "The peer reads the file with LF alone, and zelgrep's output is compared without CRs.",
        strip_cr,
        strip_cr,
    ),
}

# Differences the table does not reach, listed for the manual page and the README:
# - An invalid UTF-8 file is an error naming the file and the byte offset (exit status 2;
#   with -r the next file is searched); GNU grep treats such a file as binary.
# - With -r, files are searched in name order; GNU grep takes the folder's order.
# - -w and \w count every Unicode letter and digit as a word character; GNU grep -P only
#   ASCII ones (pattern pairs where this shows are kept out of the table).
# - The regular expressions are zelgrep's own dialect (Perl-like, with -W and -K); grep's
#   basic and extended syntax (-G, -E) are not offered.

# One row: zelgrep's arguments before the file operands, and the peer's: P for the same ones
# after -P, or else the peer's own.
P = "P"
CASES = [
    (["a"], P),
    (["-n", "b.t"], P),
    (["-i", "ALPHA"], P),
    (["-v", "a"], P),
    (["-c", "a"], P),
    (["-vc", "a"], P),
    (["-vn", "^$"], P),
    (["-c", ""], P),
    (["-w", "word"], P),
    (["-w", "alpha|end"], P),
    (["-x", "alpha"], P),
    (["-xv", "alpha|end"], P),
    (["-o", "[a-z]+a"], P),
    (["-on", "a"], P),
    (["-o", "-i", "a.*?b"], P),
    (["-o", "\\p{Han}+|\\p{Katakana}+"], P),
    (["-i", "ａｂｃ"], P),
    (["カナ|end"], P),
    (["-c", "^.{4}$"], P),
    (["-n", "(?<=l)p"], P),
    (["-n", "(a)\\1|ph"], P),
    (["-e", "alpha", "-e", "end"], ["-E", "-e", "alpha", "-e", "end"]),
    (["-c", "-e", "beta", "-e", "^$"], ["-c", "-E", "-e", "beta", "-e", "^$"]),
    (["-F", "a.b"], ["-F", "a.b"]),
    (["-Fi", "ALPHA"], ["-Fi", "ALPHA"]),
    (["-Fx", "-e", "end", "-e", "beta"], ["-Fx", "-e", "end", "-e", "beta"]),
    (["-Fw", "word"], ["-Fw", "word"]),
    (["-Fo", "ａｂｃ"], ["-Fo", "ａｂｃ"]),
    (["-Fc", ""], ["-Fc", ""]),
    (["-l", "a"], P),
    (["-L", "a"], P),
    (["-q", "a"], P),
    (["-q", "zzz"], P),
    (["-H", "end"], P),
    (["-Hn", "-h", "end"], P),
    (["-m1", "a"], P),
    (["-m2", "-c", "a"], P),
    (["-m", "1", "-A1", "a"], P),
    (["-m0", "a"], P),
    (["-m0", "-c", "a"], P),
    (["-m0", "-L", "a"], P),
    (["-vc", ""], P),
    (["-vxc", ""], P),
    (["-A1", "alpha"], P),
    (["-B1", "end"], P),
    (["-C1", "-n", "beta"], P),
    (["-C0", "a"], P),
    (["-1n", "beta"], P),
    (["-n2", "-A0", "end"], P),
    (["-nA", "1", "-B0", "^a"], P),
    (["-vC1", "a"], P),
    (["-oC1", "end"], P),
    (["-c", "-C2", "a"], P),
    (["--color=always", "-n", "a"], P),
    (["--color=always", "-A1", "-H", "beta"], P),
    (["--color=always", "-v", "-C1", "beta"], P),
    (["--color=always", "-o", "al"], P),
    (["--color=always", "-c", "a"], P),
    (["--color=never", "a"], P),
    (["--", "-a|a"], P),
    (["-o", "a*"], P),
    (["-c", "-o", "-v", "a"], P),
    (["-x", ""], P),
    (["-vm1", "a"], P),
    (["-m2", "-A1", "-v", "beta"], P),
    (["--color=always", "-i", "A|l"], P),
    (["--color=always", "a*"], P),
    (["--color=always", "-x", "end"], P),
    (["--color=always", "-w", "-C1", "-n", "word"], P),
    (["-f", "../patterns"], ["-E", "-f", "../patterns"]),
    (["-Ff", "../patterns", "-c"], ["-F", "-f", "../patterns", "-c"]),
    (["-f", "../no-patterns", "-c"], ["-f", "../no-patterns", "-c"]),
]

# Rows over every fixture at once.
MULTI_FILE_CASES = [
    (["a"], P),
    (["-c", "a"], P),
    (["-l", "end"], P),
    (["-L", "end"], P),
    (["-h", "-n", "end"], P),
    (["-q", "end"], P),
    (["-C1", "beta"], P),
    (["--color=always", "-l", "end"], P),
    (["--color=always", "-c", "end"], P),
    (["end", "missing.txt"], P),
    (["-s", "end", "missing.txt"], P),
    (["-q", "end", "missing.txt"], P),
    (["-q", "zzz", "missing.txt"], P),
    (["end", "sub"], P),
]

# Rows over the folder with -r, whose order of files is no part of the comparison: the lines
# of the output are compared sorted (zelgrep goes in name order, grep in the folder's order).
RECURSIVE_CASES = [
    (["-r", "end", "."], P),
    (["-rn", "a"], P),
    (["-rc", "end", "sub", "english.txt"], P),
    (["-rl", "beta"], P),
    (["-rL", "beta"], P),
    (["-rh", "alpha"], P),
    (["-rq", "end"], P),
]

# Rows with the fixture on standard input, named "-".
STDIN_CASES = [
    (["-H", "a", "-"], P),
    (["-c", "a"], P),
]


# Command lines that grep refuses: status, standard output and the messages on standard error
# compared, the program's name aside. (An invalid --color argument is left out: zelgrep refuses
# it with status 2 as it does an invalid --encoding, where GNU grep 3.8 prints its help and
# exits with 0.)
USAGE_CASES = [
    [],
    ["-i"],
    ["-k", "a"],
    ["-ik", "a"],
    ["--bogus", "a"],
    ["-m", "x", "a"],
    ["-m5x", "a"],
    ["-m"],
    ["-C", "-1", "a"],
    ["-A0x1", "a"],
    ["-B", "two", "a"],
    ["a", "-e"],
    ["a", "-f"],
]


def peer_arguments(args, peer):
    if peer != P:
        return list(peer)
    return ["-P"] + list(args)


class Runner:
    def __init__(self, zelgrep, grep, root):
        self.zelgrep, self.grep, self.root = zelgrep, grep, root
        self.env = dict(os.environ, LC_ALL="C.UTF-8")
        for name in ("GREP_COLOR", "GREP_COLORS", "GREP_OPTIONS"):
            self.env.pop(name, None)
        self.passed, self.failed = 0, []

    def run(self, command, folder, stdin):
        result = subprocess.run(command, cwd=os.path.join(self.root, folder, "files"), input=stdin,
                                capture_output=True, env=self.env, timeout=60)
        return result.returncode, result.stdout

    def compare(self, args, peer, files, stdin_file=None, sort_lines=False, names=None):
        """Compares one command line; names: the fixtures it reads, when not the operands."""
        names = names or (files if stdin_file is None else [stdin_file])
        mine = self.run([self.zelgrep] + args + files, "zelgrep", self.read("zelgrep", stdin_file))
        theirs = self.run([self.grep] + peer_arguments(args, peer) + files, "peer",
                          self.read("peer", stdin_file))
        adapted = mine[1]
        for name in names:
            if name in DIFFERENCES:
                adapted = DIFFERENCES[name][2](adapted)
        if sort_lines:
            adapted = b"".join(sorted(adapted.splitlines(True)))
            theirs = (theirs[0], b"".join(sorted(theirs[1].splitlines(True))))
        if (mine[0], adapted) == theirs:
            self.passed += 1
        else:
            self.failed.append((args, names, mine, theirs))

    def compare_refusal(self, args):
        mine, theirs = (subprocess.run([program] + args, stdin=subprocess.DEVNULL,
                                       capture_output=True, env=self.env, timeout=60)
                        for program in (self.zelgrep, self.grep))
        named = theirs.stderr.replace(b"grep", b"zelgrep")
        if (mine.returncode, mine.stdout, mine.stderr) == (theirs.returncode, theirs.stdout,
                                                           named):
            self.passed += 1
        else:
            self.failed.append((args, [], (mine.returncode, mine.stderr),
                                (theirs.returncode, named)))

    def read(self, folder, name):
        if name is None:
            return b""
        with open(os.path.join(self.root, folder, "files", name), "rb") as f:
            return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def write_fixtures(root):
    for folder in ("zelgrep", "peer"):
        os.makedirs(os.path.join(root, folder, "files", "sub"))
        patterns = PATTERNS if folder == "zelgrep" else strip_cr(PATTERNS)
        for name, data in (("patterns", patterns), ("no-patterns", NO_PATTERNS)):
            write(os.path.join(root, folder, name), data)
        for name, data in FIXTURES.items():
            if folder == "peer" and name in DIFFERENCES:
                data = DIFFERENCES[name][1](data)
            write(os.path.join(root, folder, "files", name), data)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    zelgrep = os.path.abspath(sys.argv[1])
    grep = sys.argv[2] if len(sys.argv) == 3 else "grep"
    with tempfile.TemporaryDirectory() as root:
        write_fixtures(root)
        runner = Runner(zelgrep, grep, root)
        for args, peer in CASES:
            for name in FIXTURES:
                runner.compare(args, peer, [name])
        for args, peer in MULTI_FILE_CASES:
            runner.compare(args, peer, sorted(FIXTURES))
        for args, peer in RECURSIVE_CASES:
            runner.compare(args, peer, [], sort_lines=True, names=list(FIXTURES))
        for args, peer in STDIN_CASES:
            for name in FIXTURES:
                runner.compare(args, peer, [], stdin_file=name)
        for args in USAGE_CASES:
            runner.compare_refusal(args)
    for args, names, mine, theirs in runner.failed:
        print(f"DIFFERS: zelgrep {' '.join(args)} on {', '.join(names)}")
        print(f"  zelgrep: status {mine[0]}, {mine[1]!r}")
        print(f"  grep:    status {theirs[0]}, {theirs[1]!r}")
    print(f"{runner.passed} passed, {len(runner.failed)} failed")
    return 1 if runner.failed else 0


if __name__ == "__main__":
    sys.exit(main())
