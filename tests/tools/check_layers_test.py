#!/usr/bin/env python3
"""The layer check refuses an include that goes up, sideways or into another test folder."""
import pathlib
import subprocess
import sys
import tempfile

SCRIPT = pathlib.Path(sys.argv[1])

CASES = [
    # (file, its include, should pass)
    ("flow/engine.cpp", "table/table.h", True),
    ("flow/engine.cpp", "online/host.h", False),
    ("table/table.h", "players/card_play.h", False),
    ("cards/card.h", "protocol/messages.h", False),
    ("server/lobby.cpp", "protocol/decoder.h", True),
    ("server/lobby.cpp", "cards/card.h", False),
    ("ui/table/table_view.cpp", "server/lobby.h", False),
    ("tools/sim/simulation.cpp", "flow/engine.h", True),
    ("tests/flow/scoring_test.cpp", "tests/flow/engine_fixture.h", True),
    ("tests/flow/scoring_test.cpp", "tests/online/host_fixture.h", False),
    ("tests/table/table_test.cpp", "flow/engine.h", False),
    ("tests/e2e/games_test.cpp", "tools/bot/bot_table.h", True),
    ("ui/record/statistics_window.cpp", "record/record_store.h", True),
    ("record/record_store.cpp", "ui/record/game_record.h", False),
]


# A test's shared helper in tests/support, which includes table/: fine for a test above the
# table, not for one below it.
HELPER = ("tests/support/table_row.h", "table/table.h")
CASES += [
    ("tests/flow/auction_test.cpp", HELPER[0], True),
    ("tests/cards/legal_play_test.cpp", HELPER[0], False),
    ("record/record_store.cpp", "<QSqlQuery>", True),
    ("record/record_writer.cpp", "<QMessageBox>", False),
]


def run(file: str, include: str) -> int:
    with tempfile.TemporaryDirectory() as root:
        for name, its_include in ((file, include), HELPER):
            path = pathlib.Path(root, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            quoted = f"<{its_include[1:-1]}>" if its_include.startswith("<") else f'"{its_include}"'
            path.write_text(f"#include {quoted}\n")
        return subprocess.run([sys.executable, SCRIPT, root], capture_output=True).returncode


failures = [(f, i, ok) for f, i, ok in CASES if (run(f, i) == 0) != ok]
for f, i, ok in failures:
    print(f"{f} including {i}: expected {'pass' if ok else 'refusal'}")
sys.exit(1 if failures else 0)
