#!/usr/bin/env python3
"""Every relative link in README.md and docs/*.md names a file or folder that exists.

Usage: check-links.py [REPO_ROOT]   (default: the folder above this script)
Links to other sites (a scheme such as https:) and links within a page (#...) are not checked;
a link's own #part is ignored. Code spans and fenced blocks are skipped, as Markdown shows them
as text. Exits 1 naming each broken link as page:line: target.
"""
import pathlib
import re
import sys

LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
REFERENCE = re.compile(r"^\s{0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s+.*)?$")
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
CODE_SPAN = re.compile(r"(`+).*?\1")


def links(text):
    """(line number, target) of every link outside code."""
    fenced = False
    for number, line in enumerate(text.splitlines(), 1):
        if re.match(r"^\s{0,3}(```|~~~)", line):
            fenced = not fenced
            continue
        if fenced:
            continue
        line = CODE_SPAN.sub("", line)
        for match in LINK.finditer(line):
            yield number, match.group(1)
        reference = REFERENCE.match(line)
        if reference:
            yield number, reference.group(1)


def broken(root):
    pages = [root / "README.md"] + sorted((root / "docs").glob("*.md"))
    for page in pages:
        if not page.is_file():
            continue
        for number, target in links(page.read_text(encoding="utf-8")):
            if SCHEME.match(target) or target.startswith("#"):
                continue
            path = target.split("#", 1)[0].split("?", 1)[0]
            if not (page.parent / path).exists():
                yield f"{page.relative_to(root)}:{number}: {target}"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    found = list(broken(root.resolve()))
    for line in found:
        print(f"broken link: {line}", file=sys.stderr)
    if found:
        return 1
    print("every relative link resolves")
    return 0


if __name__ == "__main__":
    sys.exit(main())
