#!/usr/bin/env python3
"""Every program's command line as a shell user and a packager meet it.

Each program answers --version with "NAME VERSION" on standard output, refuses an unknown
option on standard error as "NAME: ..." with a hint to --help, and exits 1 when its help
cannot be written. Each manual page documents exactly the options its program's --help lists,
under a title line whose date mandoc reads.

Usage: command_lines_test.py VERSION NAME=PROGRAM[=PAGE] ...
"""
import re
import subprocess
import sys
import unittest

VERSION = sys.argv[1]
PROGRAMS = [arg.split("=") for arg in sys.argv[2:]]


def run(program, *args, stdout=subprocess.PIPE):
    return subprocess.run([program, *args], stdout=stdout, stderr=subprocess.PIPE, text=True,
                          timeout=60)


def long_options(roff_lines):
    return {m.replace("\\-", "-") for line in roff_lines
            for m in re.findall(r"(?:\\-){2}[a-z][a-z\\-]*", line)}


class Conventions(unittest.TestCase):
    def test_version_unknown_option_and_lost_output(self):
        for name, program, *_ in PROGRAMS:
            with self.subTest(program=name):
                version = run(program, "--version")
                self.assertEqual((version.returncode, version.stdout, version.stderr),
                                 (0, f"{name} {VERSION}\n", ""))
                refused = run(program, "--bogus")
                self.assertEqual((refused.returncode, refused.stdout), (2, ""))
                self.assertRegex(refused.stderr, f"^{name}: .*--bogus.*\n.*{name} --help")
                with open("/dev/full", "w") as full:
                    lost = run(program, "--help", stdout=full)
                self.assertEqual(lost.returncode, 1)
                self.assertRegex(lost.stderr, f"^{name}: cannot write to standard output")


class ManualPages(unittest.TestCase):
    def test_each_page_documents_the_options_of_its_help(self):
        for name, program, *page in PROGRAMS:
            if not page:
                continue
            with self.subTest(program=name):
                shown = run(program, "--help")
                self.assertEqual(shown.returncode, 0, shown.stderr)
                helped = {m.group(1) for m in map(re.compile(r"\s+(?:-\w,)?(--[\w-]+)").match,
                                                  shown.stdout.splitlines()) if m}
                with open(page[0], encoding="utf-8") as f:
                    roff = f.read().splitlines()
                self.assertRegex(roff[0], r'^\.TH \S+ \d \"\d{4}-\d\d-\d\d\" ')
                tags = [roff[i + 1] for i, line in enumerate(roff[:-1]) if line == ".TP"]
                self.assertEqual(long_options(tags), helped)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
