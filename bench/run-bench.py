#!/usr/bin/python3
"""make bench: builds Release in its own folder and prints, whole process, the wall time (median),
processor time (median, user + system) and peak resident memory of
`ordemcompra ORDER --rpf|--pdf|--xls|--xlsx` for orders 1, 6, 7 and a 100,000-item order written into a temporary directory; start-up alone; the
preview's page flip; and the ReportLab peer against `ordemcompra 7 --pdf`, run alternately.

    run-bench.py [--build DIR] [--runs N] [--large-items N] [--no-build]
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLES = ["OrdemCompra", "OrdemCompraItens", "Parametr", "Acadforn", "Acadtran", "Acadprod"]
FORMATS = ["rpf", "pdf", "xls", "xlsx"]
LARGE_ORDER = 9
MISSING_ORDER = 999999
TARGETS = {
    "order 7 to PDF": 0.25,
    "order 7 to XLS": 0.5,
    "order 7 to XLSX": 0.5,
    "peer ratio": 2.5,
    "memory MB": 100,
    "large / order 6 memory": 1.2,
    "page flip ms": 30,
}


class Run:
    def __init__(self, wall, cpu, rss_kb):
        self.wall, self.cpu, self.rss_kb = wall, cpu, rss_kb


def measure(command, env, expect=(0,)):
    """One whole-process run: wall seconds, processor seconds of it and its children, peak KB."""
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    stderr = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode not in expect:
        raise SystemExit(f"bench: {' '.join(command)} ended with {process.returncode}:\n{stderr}")
    return Run(wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss)


def summary(runs):
    return Run(statistics.median(r.wall for r in runs), statistics.median(r.cpu for r in runs),
               max(r.rss_kb for r in runs))


def build(build_dir):
    flags = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"]
    if shutil.which("ccache"):
        flags.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, *flags], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "-j", "2", "--target", "ordemcompra", "pxdump",
                    "sampledb", "sampledb_generator", "bench_preview"], check=True)


def row(label, run):
    return f"{label:<34} {run.wall:8.3f} {run.cpu:8.3f} {run.rss_kb / 1024:8.1f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build-bench"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--large-items", type=int, default=100000)
    parser.add_argument("--no-build", action="store_true")
    args = parser.parse_args()
    if args.runs < 1 or args.large_items < 1:
        raise SystemExit("bench: --runs and --large-items must be at least 1")
    build_dir = os.path.abspath(args.build)
    if not args.no_build:
        build(build_dir)
    program = os.path.join(build_dir, "app", "ordemcompra")
    sample_db = os.path.join(build_dir, "sampledb")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SOURCE_DATE_EPOCH="1700000000")
    env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())

    with tempfile.TemporaryDirectory(prefix="ordemcompra-bench-") as work:
        large_db = os.path.join(work, "large-db")
        subprocess.run([os.path.join(build_dir, "tools", "sampledb", "sampledb_generator"), "--large-order",
                        str(args.large_items), large_db], check=True, env=env)
        json_dir = os.path.join(work, "json")
        os.mkdir(json_dir)
        for table in TABLES:
            with open(os.path.join(json_dir, table + ".json"), "wb") as out:
                subprocess.run([os.path.join(build_dir, "tools", "pxdump", "pxdump"), "--json",
                                os.path.join(sample_db, table + ".DB")], check=True, stdout=out, env=env)

        print(f"machine: {os.cpu_count()} cores, {cpu_model()}; load average {os.getloadavg()[0]:.1f}")
        print(f"medians of {args.runs} runs, whole process; CPU = user + system; peak = max RSS\n")
        print(f"{'run':<34} {'wall s':>8} {'CPU s':>8} {'peak MB':>8}")
        results = {}
        cases = [(order, sample_db, str(order)) for order in (1, 6, 7)]
        cases.append((f"{args.large_items}-item", large_db, str(LARGE_ORDER)))
        for label, data, order in cases:
            for kind in FORMATS:
                out = os.path.join(work, f"out.{kind}")
                command = [program, order, "--data", data, f"--{kind}", out]
                results[(str(label), kind)] = run = summary([measure(command, env) for _ in range(args.runs)])
                print(row(f"order {label} --{kind}", run))
                os.remove(out)

        startup = summary([measure([program, "--version"], env) for _ in range(args.runs)])
        print(row("start-up: --version", startup))
        missing = summary([measure([program, str(MISSING_ORDER), "--data", sample_db, "--rpf",
                                    os.path.join(work, "none.rpf")], env, expect=(1,))
                           for _ in range(args.runs)])
        print(row("start-up: order not found", missing))

        # Alternating, so that both see the same load on a shared machine.
        peer_script = os.path.join(ROOT, "bench", "peer", "order_reportlab.py")
        ours, peer = [], []
        for _ in range(args.runs):
            ours.append(measure([program, "7", "--data", sample_db, "--pdf", os.path.join(work, "o.pdf")], env))
            peer.append(measure(["/usr/bin/python3", peer_script, json_dir, "7", os.path.join(work, "p.pdf")],
                                env))
        ours, peer = summary(ours), summary(peer)
        print(row("order 7 --pdf (beside the peer)", ours))
        print(row("ReportLab peer, order 7", peer))
        print(f"{'peer / ordemcompra':<34} {peer.wall / ours.wall:7.2f}x {peer.cpu / ours.cpu:7.2f}x")

        flip = subprocess.run([os.path.join(build_dir, "bench", "preview", "bench_preview")], env=env,
                              check=True, capture_output=True, text=True).stdout.strip()
        print(f"\npreview (offscreen): {flip}")

        flip_median = float(re.search(r"median ([0-9.]+) ms", flip).group(1))
        peak = max(r.rss_kb for r in results.values()) / 1024
        print("\ntargets:")
        check("order 7 --pdf wall", results[("7", "pdf")].wall, TARGETS["order 7 to PDF"], "s")
        check("order 7 --xls wall", results[("7", "xls")].wall, TARGETS["order 7 to XLS"], "s")
        check("order 7 --xlsx wall", results[("7", "xlsx")].wall, TARGETS["order 7 to XLSX"], "s")
        check("peer / ordemcompra (wall)", peer.wall / ours.wall, TARGETS["peer ratio"], "x", at_least=True)
        check("peak memory of every run", peak, TARGETS["memory MB"], "MB")
        for kind in FORMATS:
            ratio = results[(f"{args.large_items}-item", kind)].rss_kb / results[("6", kind)].rss_kb
            check(f"large / order 6 memory, --{kind}", ratio, TARGETS["large / order 6 memory"], "x")
        check("page flip, median", flip_median, TARGETS["page flip ms"], "ms")

def check(label, value, target, unit, at_least=False):
    met = value >= target if at_least else value <= target
    relation = "at least" if at_least else "at most"
    print(f"  {label:<40} {value:8.2f} {unit:<3} ({relation} {target} {unit}): {'met' if met else 'NOT met'}")


def cpu_model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown processor"


if __name__ == "__main__":
    sys.exit(main())
