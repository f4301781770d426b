#!/usr/bin/env python3
"""Lists the texts in the window's sources that a person may see but that do not go through
Qt's translation (tr(), QCoreApplication::translate(), QT_TR_NOOP()), and fails when there is one.

A string literal counts as such a text when it holds a word and is not an identifier-like key
(an object name, a property, a settings key: no space, starting in lower case), a file name or
the argument of a call that never shows text. The program's name is never translated; any other literal
shown as it stands on purpose (a language under its own name) carries the comment
"// untranslated" on a line of its statement.
Usage: scripts/check-texts.py [root]   (the repository's root; by default this script's parent)
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["ui"]
TRANSLATED = {"tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "QT_TR_N_NOOP"}
# Calls whose text arguments are names for the program, not words for a person.
NOT_SHOWN = {
    "setObjectName", "setProperty", "property", "addControllingSignal", "QLatin1String",
    "QLatin1Char", "setStyleSheet", "value", "setValue", "remove", "contains", "startsWith",
    "endsWith", "findChild", "findChildren", "inherits", "qgetenv", "qputenv", "qEnvironmentVariable",
    "qEnvironmentVariableIsSet", "qWarning", "qDebug", "qCritical", "qInfo", "fromUtf8",
    "QRegularExpression", "load", "exec", "prepare", "bindValue", "setOrganizationName",
    "setApplicationName", "setDesktopFileName", "Q_ARG", "invokeMethod", "QUrl", "QFile",
    "QSettings", "setFamilies", "QFont", "QFontDatabase", "fprintf", "printf",
}
# Files whose every literal is a name for the program: font families.
EXEMPT = {"ui/table/table_fonts.cpp"}
KEY = re.compile(r"^[a-z_][A-Za-z0-9_.:/%-]*$|^[A-Z0-9_]+$|^[A-Za-z]+[0-9_]\w*$|^\W*$|^:?/|"
                 r"\.(htm|qm|png|svg|db|ts|txt)$|^Corvane$|^(<[^<>]*>)+$")
WORD = re.compile(r"[A-Za-z]{2,}")


def literals(text: str):
    """Yields (line, offset, literal, enclosing call names) for every string literal outside
    comments."""
    i, line, calls, ident = 0, 1, [], ""
    while i < len(text):
        c = text[i]
        if text.startswith("//", i) or (c == "#" and text[:i].rstrip(" ").endswith("\n")):
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i)
            line += text.count("\n", i, end)
            i = end + 2
            continue
        if c == "'":
            i = text.index("'", i + 1 + (text[i + 1] == "\\")) + 1
            continue
        if c == '"':
            j = i + 1
            while text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            prefix = text[max(0, i - 1)]
            if prefix != "R":
                yield line, i, text[i + 1:j], [name for name, _ in calls]
            i = j + 1
            continue
        if c.isalnum() or c == "_":
            ident = ident + c if text[i - 1].isalnum() or text[i - 1] == "_" else c
        else:
            if c == "(":
                calls.append((ident, line))
            elif c == ")" and calls:
                calls.pop()
            elif c == ";" or c == "{":
                calls = [] if c == ";" else calls
            if c == "\n":
                line += 1
            if not c.isspace():
                ident = ""
        i += 1


def untranslated(path: pathlib.Path):
    text = path.read_text(encoding="utf-8")
    for line, offset, literal, calls in literals(text):
        if not WORD.search(literal) or KEY.search(literal):
            continue
        if TRANSLATED & set(calls) or NOT_SHOWN & set(calls):
            continue
        # The marker may sit anywhere from the literal's line to the end of its statement.
        start = text.rfind("\n", 0, offset) + 1
        end = text.find("\n", max(text.find(";", offset), offset))
        if "// untranslated" in text[start:end if end >= 0 else len(text)]:
            continue
        yield line, literal


def main() -> int:
    found = 0
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h") or str(path.relative_to(ROOT)) in EXEMPT:
                continue
            for line, literal in untranslated(path):
                print(f"{path.relative_to(ROOT)}:{line}: \"{literal}\" is not translated")
                found += 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
