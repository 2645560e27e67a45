#!/usr/bin/env python3
"""Start-up of the wizard against two plain Qt peers, as whole processes.

The peers: a dialog holding one label (bench/label_dialog) and a dialog
showing the wizard's first page, its texts, picture, buttons and window
(bench/same_page). Each program quits right after its first paint; they run
in turns (wizard, one peer, the other). Prints the median CPU time (user and
system, of the child) and wall time of each, the wizard's ratio to each peer,
and the ratio of their peak memory (ru_maxrss), offscreen and, when xvfb-run
is there, under Xvfb.

    bench/bench_startup.py BUILD_DIR [PAIRS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PEERS = (("label_dialog", "one-label dialog"), ("same_page", "same page"))


def run_once(argv, env):
    start = time.perf_counter()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        sys.exit(f"{argv[0]} ended with {proc.returncode}")
    cpu = usage.ru_utime + usage.ru_stime
    return cpu * 1000.0, elapsed * 1000.0, usage.ru_maxrss / 1024.0


def measure(build, pairs, platform):
    programs = {"wizard": os.path.join(build, "bin", "Vantrel")}
    for name, _ in PEERS:
        programs[name] = os.path.join(build, "bench", name)
    env = dict(os.environ, VANTREL_QUIT_ON_FIRST_PAINT="1")
    if platform == "offscreen":
        env["QT_QPA_PLATFORM"] = "offscreen"
    else:
        env.pop("QT_QPA_PLATFORM", None)
    # Settings written by the wizard go to a scratch home, the same for every run.
    home = tempfile.mkdtemp(prefix="vantrel-startup-")
    env["HOME"] = home
    env["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
    runs = {name: {"cpu": [], "wall": [], "memory": []} for name in programs}
    try:
        # One unmeasured run each warms the caches.
        for path in programs.values():
            run_once([path], env)
        for _ in range(pairs):
            for name, path in programs.items():
                cpu, wall, mib = run_once([path], env)
                runs[name]["cpu"].append(cpu)
                runs[name]["wall"].append(wall)
                runs[name]["memory"].append(mib)
    finally:
        shutil.rmtree(home, ignore_errors=True)
    median = {name: {k: statistics.median(v) for k, v in r.items()} for name, r in runs.items()}
    w = median["wizard"]
    print(f"{platform}: wizard CPU {w['cpu']:.1f} ms, wall {w['wall']:.1f} ms, "
          f"peak memory {w['memory']:.1f} MiB")
    for name, label in PEERS:
        p = median[name]
        print(f"{platform}: {label}: CPU {p['cpu']:.1f} ms, wall {p['wall']:.1f} ms, "
              f"peak memory {p['memory']:.1f} MiB; wizard / {label}: "
              f"CPU {w['cpu'] / p['cpu']:.2f}x, wall {w['wall'] / p['wall']:.2f}x, "
              f"memory {w['memory'] / p['memory']:.2f}x")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    if len(sys.argv) > 3 and sys.argv[3] == "--xvfb-inner":
        measure(build, pairs, "xvfb")
        return
    measure(build, pairs, "offscreen")
    if shutil.which("xvfb-run"):
        subprocess.run(["xvfb-run", "-a", sys.executable, os.path.abspath(__file__), build,
                        str(pairs), "--xvfb-inner"], check=True)
    else:
        print("xvfb-run not found: no Xvfb figures")


if __name__ == "__main__":
    main()
