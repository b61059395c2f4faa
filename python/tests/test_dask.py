"""The Dask example on a local cluster of 2 worker processes, against zelto.validate."""

import collections
import importlib.machinery
import json
import pathlib
import sys
import types

import pytest

import zelto

EXAMPLE = pathlib.Path(__file__).resolve().parents[1] / "examples" / "dask_validate.py"


@pytest.fixture(scope="module")
def example():
    pytest.importorskip("distributed")
    # Registered under its name before it runs, so Dask's workers can unpickle its functions.
    loader = importlib.machinery.SourceFileLoader("dask_validate", str(EXAMPLE))
    module = types.ModuleType(loader.name)
    module.__file__ = str(EXAMPLE)
    sys.modules[loader.name] = module
    loader.exec_module(module)
    return module


def collection(folder):
    """Three files: valid and broken payloads with CRLF and empty lines, and an empty file."""
    good = zelto.encode({"merchantName": "ABC Store", "zeltoMerchantID": "4111111111111111",
                         "merchantCategoryCode": "5411", "cityName": "Mumbai",
                         "countryCode": "IN", "currencyCode": "356"})
    wrong_crc = good[:-1] + ("0" if good[-1] != "0" else "1")
    files = {
        "a.txt": [good] * 50 + [wrong_crc] * 7 + ["x"] * 3,
        "b.txt": [zelto.encode({"merchantName": f"Shop {i}"}) for i in range(40)],
        "c.txt": [],
    }
    for name, lines in files.items():
        text = "".join(line + ("\r\n" if i % 3 == 0 else "\n") for i, line in enumerate(lines))
        (folder / name).write_text(text + ("\n" if lines else ""), encoding="utf-8")
    return files


def expected_summary(lines):
    errors = collections.Counter(str(c) for line in lines for c in zelto.validate(line))
    return {"count": len(lines), "valid": sum(not zelto.validate(line) for line in lines),
            "errors": dict(errors)}


def test_local_cluster_writes_one_summary_a_partition(example, tmp_path):
    files = collection(tmp_path)
    output = tmp_path / "summary.jsonl"
    example.main([str(tmp_path / "*.txt"), str(output), "--workers", "2"])
    summaries = [json.loads(line) for line in output.read_text().splitlines()]
    assert [s["partition"] for s in summaries] == list(range(len(summaries)))
    by_file = collections.defaultdict(list)
    for summary in summaries:
        by_file[pathlib.Path(summary["path"]).name].append(summary)
    for name, lines in files.items():
        if not lines:
            continue
        (summary,) = by_file[name]
        expected = expected_summary(lines)
        assert summary["count"] == expected["count"]
        assert summary["valid"] == expected["valid"]
        assert summary["errors"] == expected["errors"]
    assert by_file["a.txt"][0]["errors"]["48"] == 7
    assert by_file["a.txt"][0]["errors"]["0"] == 3


def test_small_blocks_split_a_file_into_partitions_that_add_up(example, tmp_path):
    from distributed import Client, LocalCluster

    files = collection(tmp_path)
    with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
            Client(cluster) as client:
        summaries = example.validate_collection(str(tmp_path / "a.txt"), client, blocksize=1000)
    assert len(summaries) > 3
    assert sum(s["count"] for s in summaries) == len(files["a.txt"])
    assert sum(s["valid"] for s in summaries) == 50


def test_summarize_is_what_a_spark_partition_would_run(example):
    lines = ["x\n", "\n", "0002016304AAE6\r\n", "0002016304AAE6"]
    assert example.summarize(iter(lines)) == {
        "count": 3, "valid": 0, "errors": {"0": 1, "7": 2, "9": 2, "11": 2, "13": 2, "15": 2}}
