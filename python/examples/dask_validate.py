"""Validates a partitioned collection of payloads (files of one payload a line) on a Dask
cluster and writes one summary a partition: how many payloads, how many valid, and how many
times each QR error code was found.

    # a local cluster of 2 worker processes on this machine
    /usr/bin/python3 python/examples/dask_validate.py 'payloads/*.txt' summary.jsonl
    # an existing cluster: its scheduler's address instead
    /usr/bin/python3 python/examples/dask_validate.py 'payloads/*.txt' summary.jsonl \\
        --scheduler tcp://scheduler.example:8786

Each file is split into blocks of --blocksize bytes (whole lines), one partition a block. A
worker reads its block as bytes, splits it into lines and hands them to zelto.validate_many,
which spreads them over the worker's threads without holding the GIL. summary.jsonl gets one JSON object a partition, in
partition order:

    {"partition": 0, "path": "payloads/a.txt", "count": 1000, "valid": 990,
     "errors": {"48": 7, "0": 3}}

The same summarize() serves other engines: with Spark, rdd.mapPartitions(lambda lines:
[summarize(lines)]) over sc.textFile(...).
"""

import argparse
import collections
import itertools
import json
import sys
import time


def summarize_payloads(payloads):
    """The summary of a list of payloads: count, valid, and each error code's count."""
    import zelto

    results = zelto.validate_many(payloads)
    errors = collections.Counter(itertools.chain.from_iterable(results))
    return {"count": len(results), "valid": results.count([]),
            "errors": {str(code): errors[code] for code in sorted(errors)}}


def summarize(lines):
    """The summary of one partition's lines (with or without their line breaks). Empty lines,
    and one "\r" before a line break, are left out, as `zelto validate --lines` does."""
    payloads = []
    for line in lines:
        line = line[:-1] if line.endswith("\n") else line
        line = line[:-1] if line.endswith("\r") else line
        if line:
            payloads.append(line)
    return summarize_payloads(payloads)


def summarize_block(block, path):
    """The summary of a block of whole lines of a file, as bytes, with the file's path."""
    text = block.decode("utf-8", errors="replace").replace("\r\n", "\n")
    return {"path": path, **summarize_payloads([line for line in text.split("\n") if line])}


def validate_collection(paths, client, blocksize="64MiB"):
    """The per-partition summaries of the files `paths` (a glob or a list), computed on the
    cluster `client` is connected to: a partition is a block of whole lines of one file."""
    import dask
    from dask.bytes import read_bytes

    # The workers have the package, not this file: it travels to them (and onto their path).
    client.upload_file(__file__)
    _, blocks, names = read_bytes(paths, delimiter=b"\n", blocksize=blocksize,
                                  include_path=True)
    tasks = [dask.delayed(summarize_block)(block, name)
             for file_blocks, name in zip(blocks, names) for block in file_blocks]
    summaries = client.gather(client.compute(tasks))
    return [{"partition": index, **summary} for index, summary in enumerate(summaries)]


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("paths", help="files of payloads, one a line: a path or a glob")
    parser.add_argument("output", help="where the summaries go, one JSON object a line")
    parser.add_argument("--scheduler", help="address of a running scheduler "
                        "(tcp://host:8786); without it a local cluster is started")
    parser.add_argument("--workers", type=int, default=2,
                        help="worker processes of the local cluster (default 2)")
    parser.add_argument("--blocksize", default="64MiB", help="bytes a partition (default 64MiB)")
    args = parser.parse_args(argv)

    from distributed import Client, LocalCluster

    if args.scheduler:
        client = Client(args.scheduler)
        cluster = None
    else:
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1,
                               dashboard_address=None)
        client = Client(cluster)
    start = time.perf_counter()
    try:
        summaries = validate_collection(args.paths, client, args.blocksize)
        seconds = time.perf_counter() - start
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
    with open(args.output, "w", encoding="utf-8") as out:
        for summary in summaries:
            out.write(json.dumps(summary) + "\n")
    total = sum(s["count"] for s in summaries)
    valid = sum(s["valid"] for s in summaries)
    print(f"{len(summaries)} partitions, {total} payloads, {valid} valid, in {seconds:.2f} s "
          f"({total / seconds / 1e6:.2f} M/s)", file=sys.stderr)


if __name__ == "__main__":
    main()
