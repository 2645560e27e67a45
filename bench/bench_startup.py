#!/usr/bin/env python3
"""Start-up of the wizard against a dialog holding one label, as whole processes.

Each program quits right after its first paint; they run in turns A B A B.
Prints the median wall time of each, their ratio, and the ratio of their
peak memory (ru_maxrss of the child), offscreen and, when xvfb-run is
there, under Xvfb.

    bench/bench_startup.py BUILD_DIR [PAIRS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(argv, env):
    start = time.perf_counter()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        sys.exit(f"{argv[0]} ended with {proc.returncode}")
    return elapsed * 1000.0, usage.ru_maxrss / 1024.0


def measure(wizard, peer, pairs, platform):
    env = dict(os.environ, VANTREL_QUIT_ON_FIRST_PAINT="1")
    if platform == "offscreen":
        env["QT_QPA_PLATFORM"] = "offscreen"
    else:
        env.pop("QT_QPA_PLATFORM", None)
    # Settings written by the wizard go to a scratch home, the same for every run.
    home = tempfile.mkdtemp(prefix="vantrel-startup-")
    env["HOME"] = home
    env["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
    try:
        # One unmeasured run each warms the caches.
        run_once([wizard], env)
        run_once([peer], env)
        times = {"wizard": [], "peer": []}
        memory = {"wizard": [], "peer": []}
        for _ in range(pairs):
            for name, argv in (("wizard", [wizard]), ("peer", [peer])):
                ms, mib = run_once(argv, env)
                times[name].append(ms)
                memory[name].append(mib)
    finally:
        shutil.rmtree(home, ignore_errors=True)
    tw, tp = statistics.median(times["wizard"]), statistics.median(times["peer"])
    mw, mp = statistics.median(memory["wizard"]), statistics.median(memory["peer"])
    print(f"{platform:9} first paint: wizard {tw:6.1f} ms, one-label dialog {tp:6.1f} ms, "
          f"ratio {tw / tp:.2f}x")
    print(f"{platform:9} peak memory: wizard {mw:6.1f} MiB, one-label dialog {mp:6.1f} MiB, "
          f"ratio {mw / mp:.2f}x")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    wizard = os.path.join(build, "bin", "Vantrel")
    peer = os.path.join(build, "bench", "label_dialog")
    if len(sys.argv) > 3 and sys.argv[3] == "--xvfb-inner":
        measure(wizard, peer, pairs, "xvfb")
        return
    measure(wizard, peer, pairs, "offscreen")
    if shutil.which("xvfb-run"):
        subprocess.run(["xvfb-run", "-a", sys.executable, os.path.abspath(__file__), build,
                        str(pairs), "--xvfb-inner"], check=True)
    else:
        print("xvfb-run not found: no Xvfb figures")


if __name__ == "__main__":
    main()
