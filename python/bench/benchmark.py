"""Times the orvalen module: loading the GBK dictionary (index included),
one lookalikes() call, and the whole table. Medians of repeated runs.

    PYTHONPATH=build/native/python /usr/bin/python3 python/bench/benchmark.py

(or, with the package installed, v/bin/python python/bench/benchmark.py).
"""

import statistics
import sys
import time

import orvalen


def median_seconds(action, runs):
    """Medians of the wall time and of the processor time the process took:
    on a machine busy with other work the second is the fairer figure."""
    wall, cpu = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        action()
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return statistics.median(wall), statistics.median(cpu)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    load = median_seconds(lambda: orvalen.Dictionary.bundled("gbk"), runs)
    d = orvalen.Dictionary.bundled("gbk")

    # One call per character of the dictionary, each timed on its own, the
    # Python call and the conversion of its answer included.
    chars = [char for char, _ in d.table(top=1)]
    calls = []
    for char in chars:
        start = time.perf_counter_ns()
        d.lookalikes(char)
        calls.append(time.perf_counter_ns() - start)
    table = median_seconds(lambda: sum(1 for _ in d.table()), max(3, runs // 2))

    print(f"Dictionary.bundled('gbk'), index included: {load[0] * 1000:.1f} ms wall, "
          f"{load[1] * 1000:.1f} ms processor (medians of {runs})")
    print(f"d.lookalikes(char) on hz-gbk.txt: {statistics.median(calls) / 1000:.1f} µs median, "
          f"{sorted(calls)[len(calls) * 9 // 10] / 1000:.1f} µs 90th percentile ({len(calls)} characters)")
    print(f"the whole d.table() of hz-gbk.txt: {table[0]:.2f} s wall, {table[1]:.2f} s processor "
          f"(medians of {max(3, runs // 2)})")


if __name__ == "__main__":
    main()
