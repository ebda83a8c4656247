"""Runs commands alternately, several times, and reports medians.

Used by image.sh: each comparison is a pair (ours, peer) of shell-free
argument lists; wall time and peak memory (max RSS of the child, from
wait4) are taken per run.
"""
import statistics
import subprocess
import sys
import time


def run_once(argv):
    """Wall seconds of one run."""
    start = time.perf_counter()
    code = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    elapsed = time.perf_counter() - start
    if code != 0:
        raise SystemExit(f"failed ({code}): {' '.join(argv)}")
    return elapsed


def peak_kb(argv):
    """Peak resident KB of one run. Measured through /usr/bin/time, whose own
    small image is what the child starts from (a child forked from Python
    would report Python's size as its peak)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def compare(ours, peer, runs):
    """Median wall seconds and peak KB of both, run alternately after one warm-up each."""
    run_once(ours)
    run_once(peer)
    times = {"ours": [], "peer": []}
    for _ in range(runs):
        for key, argv in (("ours", ours), ("peer", peer)):
            times[key].append(run_once(argv))
    return {k: statistics.median(v) for k, v in times.items()}


def compare_memory(ours, peer, runs=3):
    """Median peak KB of both."""
    return {"ours": statistics.median(peak_kb(ours) for _ in range(runs)),
            "peer": statistics.median(peak_kb(peer) for _ in range(runs))}


def idle_kb(argv):
    """Peak KB of a run that does no work (start-up and shared libraries)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def line(name, ratio, op, target, note=""):
    ok = ratio <= target if op == "<=" else ratio >= target
    print(f"{name}: ratio {ratio:.3f} target {op} {target} {'ok' if ok else 'SHORT'}", flush=True)
    if note:
        print(f"  {note}", flush=True)


def ms(t):
    return f"ours {t['ours'] * 1000:.1f} ms, peer {t['peer'] * 1000:.1f} ms"


if __name__ == "__main__":
    sys.exit("imported by image.sh")
