#!/usr/bin/python3
"""Parses the generated SRT files of subtitles_bench with Quorvane's parser and with
Debian's python3-srt and python3-pysrt, in one run, and prints the times and ratios.

Usage: /usr/bin/python3 bench/compare_python.py [build/native/bench/subtitles_bench]
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import pysrt
import srt


def best_seconds(parse, text, min_total=1.0, min_runs=3):
    """Fastest of repeated runs, for at least min_total seconds and min_runs runs."""
    runs, spent, best = 0, 0.0, float("inf")
    while runs < min_runs or spent < min_total:
        began = time.process_time()
        parse(text)
        took = time.process_time() - began
        best, spent, runs = min(best, took), spent + took, runs + 1
    return best


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    bench = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "build", "native", "bench", "subtitles_bench")
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, QUORVANE_SRT_BENCH_DIR=folder)
        result = subprocess.run(
            [bench, "--benchmark_filter=ParseSrt", "--benchmark_format=json",
             "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
            env=env, check=True, capture_output=True, text=True)
        cpp = {}
        for b in json.loads(result.stdout)["benchmarks"]:
            if b.get("aggregate_name") == "median":
                # CPU time, as on the Python side: the machine may be shared.
                cpp[b["run_name"]] = b["cpu_time"] / 1000.0  # ms -> s
        print(f"{'file':24} {'MB':>6} {'quorvane ms':>12} {'srt ms':>10} {'pysrt ms':>10}"
              f" {'srt/q':>7} {'pysrt/q':>8}")
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            text = data.decode("utf-8")
            ours = cpp["ParseSrt/" + name]
            with_srt = best_seconds(lambda t: list(srt.parse(t)), text)
            with_pysrt = best_seconds(pysrt.from_string, text)
            print(f"{name:24} {len(data) / 1e6:6.2f} {ours * 1e3:12.2f} {with_srt * 1e3:10.1f}"
                  f" {with_pysrt * 1e3:10.1f} {with_srt / ours:7.1f} {with_pysrt / ours:8.1f}")


if __name__ == "__main__":
    main()
