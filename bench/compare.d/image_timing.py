# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs commands alternately, several times, and reports medians.

Used by image.sh: each comparison is a pair (ours, peer) of shell-free
argument lists; wall time and peak memory (max RSS of the child, from
wait4) are taken per run.
"""
import os
import statistics
import subprocess
import sys
import time


def run_once(argv, check=True, fresh=()):
    """Wall seconds and CPU seconds (user + system, all threads) of one run.
    Those files of `fresh` that the command names are removed first,
    untimed: each run writes a new output file as the clock does, minutes
    after its last one, instead of waiting for the disk to finish writing the
    file the run before left."""
    for name in fresh:
        if any(name in arg for arg in argv) and os.path.exists(name):
            os.unlink(name)
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if check and proc.returncode != 0:
        raise SystemExit(f"failed ({proc.returncode}): {' '.join(argv)}")
    return elapsed, usage.ru_utime + usage.ru_stime


def peak_kb(argv):
    """Peak resident KB of one run. Measured through /usr/bin/time, whose own
    small image is what the child starts from (a child forked from Python
    would report Python's size as its peak)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def startup(argv, runs=15):
    """Median wall seconds of a run that starts, loads its libraries and does
    no work (the running program has paid this long before it converts)."""
    return statistics.median(run_once(argv, check=False)[0] for _ in range(runs))


def compare_work(ours, peer, ours_idle, peer_idle, runs, fresh=()):
    """compare(), plus "ours_work" and "peer_work": wall time less start-up."""
    t = compare(ours, peer, runs, fresh)
    t["ours_work"] = max(t["ours"] - ours_idle, 1e-6)
    t["peer_work"] = max(t["peer"] - peer_idle, 1e-6)
    return t


def compare(ours, peer, runs, fresh=()):
    """Median wall seconds of both, run alternately after one warm-up each;
    the median CPU seconds ride along under "ours_cpu" and "peer_cpu"."""
    run_once(ours, fresh=fresh)
    run_once(peer, fresh=fresh)
    wall = {"ours": [], "peer": []}
    cpu = {"ours": [], "peer": []}
    for _ in range(runs):
        for key, argv in (("ours", ours), ("peer", peer)):
            w, c = run_once(argv, fresh=fresh)
            wall[key].append(w)
            cpu[key].append(c)
    result = {k: statistics.median(v) for k, v in wall.items()}
    result.update({k + "_cpu": statistics.median(v) for k, v in cpu.items()})
    return result


def compare_memory(ours, peer, runs=3):
    """Median peak KB of both."""
    return {"ours": statistics.median(peak_kb(ours) for _ in range(runs)),
            "peer": statistics.median(peak_kb(peer) for _ in range(runs))}


def idle_kb(argv, runs=5):
    """Median peak KB of runs that do no work (start-up and shared libraries):
    one run alone can read a few hundred KB off, which is a tenth of a small
    picture's working memory."""
    def once():
        out = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True)
        return int(out.stderr.strip().splitlines()[-1])
    return statistics.median(once() for _ in range(runs))


def line(name, ratio, op, target, note=""):
    ok = ratio <= target if op == "<=" else ratio >= target
    print(f"{name}: ratio {ratio:.3f} target {op} {target} {'ok' if ok else 'SHORT'}", flush=True)
    if note:
        print(f"  {note}", flush=True)


def ms(t):
    work = ""
    if "ours_work" in t:
        work = (f"less start-up: ours {t['ours_work'] * 1000:.1f} ms, peer {t['peer_work'] * 1000:.1f} ms; "
                f"whole-process ratio {t['ours'] / t['peer']:.3f}; ")
    return (work + f"wall: ours {t['ours'] * 1000:.1f} ms, peer {t['peer'] * 1000:.1f} ms; "
            f"cpu: ours {t['ours_cpu'] * 1000:.1f} ms, peer {t['peer_cpu'] * 1000:.1f} ms "
            f"(ratio {t['ours_cpu'] / max(t['peer_cpu'], 1e-9):.3f})")


if __name__ == "__main__":
    sys.exit("imported by image.sh")
