"""Throughput of zelto.validate_many on payloads shaped like the worked example (112
characters; the bill number and terminal label vary), with one thread and with the default
(the cores), as the median of ROUNDS runs; next to it, a Python loop of zelto.validate.

    /usr/bin/python3 python/bench/validate_many.py          # N = 1,000,000, 5 rounds
    N=200000 ROUNDS=3 /usr/bin/python3 python/bench/validate_many.py
"""

import os
import statistics
import time

import zelto


def payloads(count):
    request = {
        "pointOfInitiation": "11", "zeltoMerchantID": "4111111111111111",
        "merchantName": "ABC Store", "merchantCategoryCode": "5411", "cityName": "Mumbai",
        "countryCode": "IN", "currencyCode": "356", "transactionAmount": "10.00",
    }
    distinct = [zelto.encode({**request, "billID": f"{i % 10000:04d}",
                              "terminalID": f"T{i // 10000 % 100:02d}"})
                for i in range(min(count, 1000000))]
    return (distinct * (count // len(distinct) + 1))[:count]


def median_seconds(call, rounds):
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    count = int(os.environ.get("N", "1000000"))
    rounds = int(os.environ.get("ROUNDS", "5"))
    items = payloads(count)
    assert zelto.validate_many(items[:3]) == [[], [], []]
    print(f"{count} payloads, median of {rounds} rounds, {os.cpu_count()} cores, "
          f"load average {os.getloadavg()[0]:.2f}")
    one = median_seconds(lambda: zelto.validate_many(items, threads=1), rounds)
    every = median_seconds(lambda: zelto.validate_many(items), rounds)
    loop = median_seconds(lambda: [zelto.validate(p) for p in items], max(1, rounds // 2))
    for name, seconds in (("validate_many, 1 thread", one), ("validate_many, all cores", every),
                          ("loop of validate", loop)):
        print(f"{name:26} {seconds:7.3f} s  {count / seconds / 1e6:6.2f} M/s")
    print(f"all cores / 1 thread: {one / every:.2f}x; load average after "
          f"{os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
