"""What the tests share: the `zelto` tool built from the same sources (ZELTO_CLI), and the
payload collection in ../shared next to the project (ZELTO_SHARED_DIR), when present."""

import json
import os
import pathlib
import subprocess

import pytest

REPO = pathlib.Path(__file__).resolve().parents[2]


def _tool():
    path = os.environ.get("ZELTO_CLI") or str(REPO / "build" / "zelto")
    return path if os.access(path, os.X_OK) else None


@pytest.fixture(scope="session")
def run_tool():
    """Runs the tool with arguments and standard input; returns (status, stdout)."""
    tool = _tool()
    if tool is None:
        pytest.skip("the zelto tool is not built (set ZELTO_CLI)")

    def run(args, stdin=""):
        done = subprocess.run([tool, *args], input=stdin.encode(), capture_output=True)
        return done.returncode, done.stdout.decode()

    return run


@pytest.fixture(scope="session")
def tool_lines(run_tool):
    """The tool's --lines results for inputs, one a line, as parsed JSON in input order."""

    def lines(args, inputs):
        _, out = run_tool([*args, "--lines"], "".join(i + "\n" for i in inputs))
        results = [json.loads(line) for line in out.splitlines()]
        assert [r["line"] for r in results] == list(range(1, len(inputs) + 1))
        return results

    return lines


@pytest.fixture(scope="session")
def corpus():
    """The payloads of the shared collection."""
    shared = pathlib.Path(os.environ.get("ZELTO_SHARED_DIR") or REPO.parent / "shared")
    path = shared / "corpus" / "emv-mpm-payloads.tsv"
    if not path.exists():
        pytest.skip(f"no payload collection at {path}")
    rows = path.read_text(encoding="utf-8").splitlines()[1:]
    return [row.split("\t")[0] for row in rows if row]
