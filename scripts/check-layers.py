#!/usr/bin/env python3
"""Checks that the source folders include one another in one direction only.

The folders form layers, bottom to top. A file may include headers of its own folder and of the
layers below it, never of a layer above nor of another folder on its own layer. The lobby server
stands on the wire codec alone. A test folder follows the folder it tests; the end-to-end tests
and the fuzzers sit above everything. Any test folder may use tests/support (the launchers of the
real lobby and bot, the lobby's test clients, the short card and table notation) as far as what
the helper includes is allowed to the folder itself: the card notation serves tests/cards, the
table row only the tests above the table.

Usage: check-layers.py [ROOT]   (exit 0 when every include goes down, 1 with a list when not)
"""
import pathlib
import re
import sys

LAYERS = [
    ["cards", "protocol"],
    ["table"],
    ["players"],
    ["flow"],
    ["online"],
    ["record"],
    ["ui", "server"],
    ["tools", "app"],
]
# Folders that may stand only on the named folders, whatever their layer.
ONLY_ON = {"server": {"protocol"}}
TOP_TEST_FOLDERS = {"e2e", "fuzz"}
# Folders that stand on Qt but must not draw: no Qt Widgets header, so that a program without a
# window (the simulator, a test) can use them.
NO_WIDGETS = {"record"}
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s+<([^>]+)>', re.MULTILINE)
# Qt Widgets' headers: its module folder, or one of its classes by name.
WIDGET_HEADER = re.compile(
    r"^(QtWidgets/.*|Q(Widget|Dialog|MessageBox|CheckBox|GroupBox|Label|PushButton|MainWindow|"
    r"Application|Menu|MenuBar|Action|LineEdit|ComboBox|FileDialog|Layout|[HV]BoxLayout|"
    r"GridLayout|Frame|ScrollArea|TextEdit|PlainTextEdit|TableWidget|ListWidget|AbstractButton|"
    r"SpinBox|Slider|ToolButton|StatusBar|Splitter|StackedWidget|TabWidget|Style|"
    r"GraphicsView|GraphicsScene))$"
)
# Test helpers that every test folder may include, and the folders they stand on.
SHARED_TEST_FOLDERS = {"support": {"protocol", "cards", "table"}}

LAYER_OF = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def allowed(owner: str, target: str) -> bool:
    """May a file of folder `owner` include a header of folder `target`?"""
    if owner == target:
        return True
    if owner in ONLY_ON:
        return target in ONLY_ON[owner]
    return LAYER_OF[target] < LAYER_OF[owner]


def owner_of(path: pathlib.PurePosixPath):
    """The folder whose rules a file follows, and whether it is a test; None when unchecked."""
    parts = path.parts
    if parts[0] == "tests" and len(parts) > 2:
        folder = parts[1]
        if folder in TOP_TEST_FOLDERS:
            return None
        if folder in SHARED_TEST_FOLDERS:
            return (folder, True)
        return (folder, True) if folder in LAYER_OF else None
    return (parts[0], False) if parts[0] in LAYER_OF else None


def support_violations(root: pathlib.Path, folder: str, helper: str, seen: set):
    """What the helper `helper` (tests/support/...) includes that folder `folder` may not."""
    if helper in seen:
        return
    seen.add(helper)
    path = root / helper
    if not path.is_file():
        return
    for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
        inc = pathlib.PurePosixPath(included).parts
        if len(inc) > 2 and inc[:2] == ("tests", "support"):
            yield from support_violations(root, folder, included, seen)
        elif len(inc) >= 2 and inc[0] in LAYER_OF and not allowed(folder, inc[0]):
            yield f"{helper} includes {inc[0]}/, which {folder}/ may not"


def violations(root: pathlib.Path):
    for path in sorted(root.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        rel = pathlib.PurePosixPath(path.relative_to(root).as_posix())
        if rel.parts[0] in ("build", ".git") or rel.parts[0].startswith("build"):
            continue
        owner = owner_of(rel)
        if owner is None:
            continue
        folder, is_test = owner
        text = path.read_text(encoding="utf-8", errors="replace")
        if not is_test and folder in NO_WIDGETS:
            for header in SYSTEM_INCLUDE.findall(text):
                if WIDGET_HEADER.match(header):
                    yield rel, header, f"{folder}/ may not include Qt Widgets"
        for included in INCLUDE.findall(text):
            inc = pathlib.PurePosixPath(included).parts
            if len(inc) < 2:
                continue  # a header beside the file, or a generated .moc
            if is_test and len(inc) > 2 and inc[:2] == ("tests", "support") and folder in LAYER_OF:
                for why in support_violations(root, folder, included, set()):
                    yield rel, included, why
                continue
            if is_test and inc[0] == "tests":
                shared = inc[1] in SHARED_TEST_FOLDERS and folder not in SHARED_TEST_FOLDERS
                if len(inc) > 2 and inc[1] != folder and not shared:
                    yield rel, included, f"tests/{folder} reaches into tests/{inc[1]}"
                continue
            target = inc[0]
            if target not in LAYER_OF:
                continue  # not one of ours (a library header written with quotes)
            if folder in SHARED_TEST_FOLDERS:
                if target not in SHARED_TEST_FOLDERS[folder]:
                    yield rel, included, f"tests/{folder} may not include {target}/"
            elif not allowed(folder, target):
                yield rel, included, f"{folder}/ may not include {target}/"


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(violations(root))
    for rel, included, why in found:
        print(f'{rel}: #include "{included}": {why}')
    if found:
        print(f"{len(found)} include(s) go up the layers", file=sys.stderr)
        return 1
    print("every include goes down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
