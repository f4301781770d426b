#!/usr/bin/env python3
"""The command lines of corvane-bot and corvane-sim, run as a person would run them.

A refused argument exits 2 with a message that names the option and the value; a run that
cannot reach its lobby, write its trace or set up its tables, or a damaged record to replay,
exits 1; and corvane-bot --tables plays whole games through a real
corvane-lobby, each table from its own loopback address or all from one.

Usage: command_line_test.py BOT SIM LOBBY
"""
import resource
import socket
import subprocess
import sys
import tempfile
import unittest

BOT, SIM, LOBBY = sys.argv[1:4]
TIME_LIMIT = 120


def run(program, *args, limit_files=None):
    def lower_limit():
        if limit_files:
            resource.setrlimit(resource.RLIMIT_NOFILE, (limit_files, limit_files))

    return subprocess.run([program, *args], capture_output=True, text=True, timeout=TIME_LIMIT,
                          preexec_fn=lower_limit)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def ports_args(ports):
    return ["--list-port", str(ports[0]), "--host-port", str(ports[1]),
            "--player-port", str(ports[2])]


class RefusedArguments(unittest.TestCase):
    CASES = [
        # program, arguments, words the message must hold
        (BOT, ["--host", "T", "--games", "0"], ["--games", "0"]),
        (BOT, ["--join", "T", "--seat", "4"], ["--seat", "4"]),
        (BOT, ["--join", "T", "--seat", "0"], ["--seat", "0"]),
        (BOT, ["--host", "T", "--pace", "turbo"], ["--pace", "turbo"]),
        (BOT, ["--host", "A", "--join", "B", "--seat", "1"], ["--host", "--join"]),
        (BOT, ["--host", "A", "--tables", "3"], ["--host", "--tables"]),
        (BOT, ["--host", "T", "--list-port", "70000"], ["--list-port", "70000"]),
        (BOT, ["--host", "T", "--player-port", "-1"], ["--player-port", "-1"]),
        (BOT, ["--host", "T", "--wait-for", "5"], ["--wait-for", "5"]),
        (BOT, ["--host", "T", "--seed", "-1"], ["--seed", "-1"]),
        (BOT, ["--host", "T", "--seed", "18446744073709551616"],
         ["--seed", "18446744073709551616"]),
        (BOT, ["--host", "T", "--name", "elevenchars"], ["--name", "elevenchars"]),
        (BOT, ["--tables", "0"], ["--tables", "0"]),
        (BOT, ["--tables", "2", "--threads", "0"], ["--threads", "0"]),
        (BOT, ["--join", "T"], ["--join", "--seat"]),
        (BOT, [], ["--host", "--join", "--tables"]),
        (BOT, ["--host", "T", "--bogus"], ["--bogus"]),
        (SIM, ["--games", "0"], ["--games", "0"]),
        (SIM, ["--games", "many"], ["--games", "many"]),
        (SIM, ["--seed", "-5"], ["--seed", "-5"]),
        (SIM, ["--seed", "18446744073709551616"], ["--seed", "18446744073709551616"]),
        (SIM, ["--frobnicate"], ["--frobnicate"]),
    ]

    def test_refused_with_the_option_and_value_named(self):
        for program, args, words in self.CASES:
            with self.subTest(program=program, args=args):
                result = run(program, *args)
                self.assertEqual(result.returncode, 2, result.stderr)
                self.assertEqual(result.stdout, "")
                for word in words:
                    self.assertIn(word, result.stderr)

    def test_descriptor_limit_checked_before_any_table(self):
        result = run(BOT, "--tables", "100000", "--pace", "fast", limit_files=1024)
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertIn("--tables 100000", result.stderr)
        self.assertIn("1024", result.stderr)
        self.assertNotIn("set-up", result.stderr)


class RunFailures(unittest.TestCase):
    def test_no_lobby(self):
        ports = [free_port() for _ in range(3)]
        for args in (["--host", "T"], ["--join", "T", "--seat", "2"],
                     ["--tables", "2", "--pace", "fast"]):
            with self.subTest(args=args):
                result = run(BOT, *args, *ports_args(ports))
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("could not", result.stderr)
                self.assertNotIn("games per second", result.stdout)

    def test_set_up_that_stalls_times_out(self):
        # Three ports that take connections and never answer.
        listeners = []
        for _ in range(3):
            s = socket.socket()
            s.bind(("127.0.0.1", 0))
            s.listen(64)
            listeners.append(s)
        try:
            ports = [s.getsockname()[1] for s in listeners]
            result = run(BOT, "--tables", "3", "--pace", "fast", "--setup-timeout", "1",
                         *ports_args(ports))
        finally:
            for s in listeners:
                s.close()
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertIn("set-up timed out: 0 of 3 tables ready", result.stderr)
        self.assertIn("--setup-timeout", result.stderr)

    def test_trace_that_cannot_be_written(self):
        for path in ("/dev/full", "/nonexistent-folder/trace.jsonl"):
            with self.subTest(path=path):
                result = run(SIM, "--games", "20", "--trace", path)
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("--trace " + path, result.stderr)

    def test_damaged_record_refused_before_a_word_is_told(self):
        with tempfile.TemporaryDirectory() as folder:
            record = folder + "/game.jsonl"
            self.assertEqual(run(SIM, "--games", "1", "--trace", record).returncode, 0)
            with open(record) as f:
                lines = f.read().splitlines()
            lines[-1] = '{"ev":"end","winner":3,"scores":[120,0]}'  # a side that is not
            with open(record, "w") as f:
                f.write("\n".join(lines) + "\n")
            result = run(SIM, "--replay", record, "--verbose")
            self.assertEqual(result.returncode, 1, result.stderr)
            self.assertIn("line %d: " % len(lines), result.stderr)
            self.assertEqual(result.stdout, "")

    def test_whole_seed_range(self):
        result = run(SIM, "--games", "1", "--seed", "18446744073709551615")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("games 1", result.stdout)


class TablesThroughALobby(unittest.TestCase):
    def test_tables_play_whole_games(self):
        for extra in (["--threads", "2"], ["--shared-address", "--threads", "1"]):
            with self.subTest(extra=extra):
                lobby = subprocess.Popen([LOBBY, "--quiet", "--list-port", "0", "--host-port",
                                          "0", "--player-port", "0"],
                                         stdout=subprocess.PIPE, text=True)
                try:
                    first = lobby.stdout.readline()
                    ports = [int(first.split(key + "=")[1].split()[0])
                             for key in ("list", "host", "player")]
                    result = run(BOT, "--tables", "6", "--pace", "fast", "--games", "1", *extra,
                                 *ports_args(ports))
                finally:
                    lobby.terminate()
                    lobby.wait(timeout=10)
                    lobby.stdout.close()
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertIn("games finished: 6", result.stdout)
                self.assertIn("move to answer", result.stdout)
                own = "one address" if "--shared-address" in extra else "own address"
                self.assertIn(own, result.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
