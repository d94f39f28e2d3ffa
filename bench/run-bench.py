#!/usr/bin/python3
"""make bench: builds Release in its own folder and prints, whole process, the wall time (median),
processor time (median, user + system) and peak resident memory of
`ordemcompra ORDER --rpf|--pdf|--xls|--xlsx` for orders 1, 6, 7 and large orders of 100,000, 300,000
and 970,000 items written into a temporary directory; start-up alone; the preview's page flip; and
`ordemcompra 7 --pdf` against two ReportLab peers, run alternately: one that reads the tables and
lays the order out, and one that only draws the same pages from a drawing list made beforehand.
Then each target and whether it is met.

    run-bench.py [--build DIR] [--runs N] [--large-runs N] [--quick] [--no-build]
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
LARGE_FORMATS = ["rpf", "pdf", "xls"]
LARGE_ORDER = 9
MISSING_ORDER = 999999
LARGE_ITEMS = [100000, 300000]
LARGEST_ITEMS = 970000
PEER_ORDER = 7


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
    parser.add_argument("--runs", type=int, default=5, help="runs of the sample orders and the peers")
    parser.add_argument("--large-runs", type=int, default=2, help="runs of the 100,000-item order")
    parser.add_argument("--quick", action="store_true", help="leave out the 970,000-item order")
    parser.add_argument("--no-build", action="store_true")
    args = parser.parse_args()
    if args.runs < 1 or args.large_runs < 1:
        raise SystemExit("bench: --runs and --large-runs must be at least 1")
    build_dir = os.path.abspath(args.build)
    if not args.no_build:
        build(build_dir)
    program = os.path.join(build_dir, "app", "ordemcompra")
    sample_db = os.path.join(build_dir, "sampledb")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SOURCE_DATE_EPOCH="1700000000")
    env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())
    large_sizes = LARGE_ITEMS + ([] if args.quick else [LARGEST_ITEMS])

    with tempfile.TemporaryDirectory(prefix="ordemcompra-bench-") as work:
        large_dbs = {}
        for items in large_sizes:
            large_dbs[items] = os.path.join(work, f"large-{items}")
            subprocess.run([os.path.join(build_dir, "tools", "sampledb", "sampledb_generator"), "--large-order",
                            str(items), large_dbs[items]], check=True, env=env, stdout=subprocess.DEVNULL)
        json_dir = os.path.join(work, "json")
        os.mkdir(json_dir)
        for table in TABLES:
            with open(os.path.join(json_dir, table + ".json"), "wb") as out:
                subprocess.run([os.path.join(build_dir, "tools", "pxdump", "pxdump"), "--json",
                                os.path.join(sample_db, table + ".DB")], check=True, stdout=out, env=env)
        peer_dir = os.path.join(ROOT, "bench", "peer")
        drawing_list = os.path.join(work, "drawing-list.json")
        subprocess.run(["/usr/bin/python3", os.path.join(peer_dir, "canvas_reportlab.py"), "--export", json_dir,
                        str(PEER_ORDER), drawing_list], check=True, env=env, stdout=subprocess.DEVNULL)

        print(f"machine: {os.cpu_count()} cores, {cpu_model()}; load average {os.getloadavg()[0]:.1f}")
        print(f"medians of {args.runs} runs ({args.large_runs} for 100,000 items, 1 for more), "
              "whole process; CPU = user + system; peak = max RSS\n")
        print(f"{'run':<34} {'wall s':>8} {'CPU s':>8} {'peak MB':>8}")
        results = {}
        # A workbook of a sheet per page takes minutes and gigabytes past 100,000 items, and no
        # target asks for it there.
        cases = [(str(order), sample_db, str(order), args.runs, FORMATS) for order in (1, 6, 7)]
        cases += [(f"{items}-item", large_dbs[items], str(LARGE_ORDER),
                   args.large_runs if items == LARGE_ITEMS[0] else 1,
                   FORMATS if items == LARGE_ITEMS[0] else LARGE_FORMATS) for items in large_sizes]
        for label, data, order, runs, formats in cases:
            for kind in formats:
                out = os.path.join(work, f"out.{kind}")
                command = [program, order, "--data", data, f"--{kind}", out]
                results[(label, kind)] = run = summary([measure(command, env) for _ in range(runs)])
                print(row(f"order {label} --{kind}", run))
                os.remove(out)

        startup = summary([measure([program, "--version"], env) for _ in range(args.runs)])
        print(row("start-up: --version", startup))
        missing = summary([measure([program, str(MISSING_ORDER), "--data", sample_db, "--rpf",
                                    os.path.join(work, "none.rpf")], env, expect=(1,))
                           for _ in range(args.runs)])
        print(row("start-up: order not found", missing))

        # Alternating, so that all three see the same load on a shared machine.
        ours, canvas_peer, layout_peer = [], [], []
        for _ in range(args.runs):
            ours.append(measure([program, str(PEER_ORDER), "--data", sample_db, "--pdf",
                                 os.path.join(work, "o.pdf")], env))
            canvas_peer.append(measure(["/usr/bin/python3", os.path.join(peer_dir, "canvas_reportlab.py"),
                                        drawing_list, os.path.join(work, "c.pdf")], env))
            layout_peer.append(measure(["/usr/bin/python3", os.path.join(peer_dir, "order_reportlab.py"), json_dir,
                                        str(PEER_ORDER), os.path.join(work, "p.pdf")], env))
        ours, canvas_peer, layout_peer = summary(ours), summary(canvas_peer), summary(layout_peer)
        print(row("order 7 --pdf (beside the peers)", ours))
        print(row("ReportLab, drawing only", canvas_peer))
        print(row("ReportLab, tables and layout", layout_peer))
        print(f"{'drawing-only peer / ordemcompra':<34} {canvas_peer.wall / ours.wall:7.2f}x "
              f"{canvas_peer.cpu / ours.cpu:7.2f}x")
        print(f"{'layout peer / ordemcompra':<34} {layout_peer.wall / ours.wall:7.2f}x "
              f"{layout_peer.cpu / ours.cpu:7.2f}x")

        flip = subprocess.run([os.path.join(build_dir, "bench", "preview", "bench_preview")], env=env,
                              check=True, capture_output=True, text=True).stdout.strip()
        print(f"\npreview (offscreen): {flip}")
        flip_median = float(re.search(r"median ([0-9.]+) ms", flip).group(1))

        def mb(label, kind):
            return results[(label, kind)].rss_kb / 1024

        print(f"\nload average at the end: {os.getloadavg()[0]:.1f}")
        print("\ntargets:")
        check("order 7 --pdf wall", results[("7", "pdf")].wall, 0.25, "s")
        check("drawing-only peer / ordemcompra (wall)", canvas_peer.wall / ours.wall, 2.5, "x", at_least=True)
        print(f"  {'layout peer / ordemcompra (wall)':<40} {layout_peer.wall / ours.wall:8.2f} x   (shown only)")
        check("order 1 --pdf wall", results[("1", "pdf")].wall, 0.05, "s")
        check("order 7 --xls wall", results[("7", "xls")].wall, 0.5, "s")
        check("order 7 --xlsx wall", results[("7", "xlsx")].wall, 0.5, "s")
        for kind in ("rpf", "pdf"):
            check(f"300,000 / order 7 peak memory, --{kind}", mb("300000-item", kind) / mb("7", kind), 1.2, "x")
        check("300,000-item peak memory, --xls", mb("300000-item", "xls"), 100, "MB")
        largest = f"{LARGEST_ITEMS}-item"
        for kind, limit in (("pdf", 60), ("rpf", 60), ("xls", 150)):
            if args.quick:
                print(f"  {'970,000-item peak memory, --' + kind:<40} skipped (--quick)")
            else:
                check(f"970,000-item peak memory, --{kind}", mb(largest, kind), limit, "MB")
        for kind in LARGE_FORMATS:
            if args.quick:
                print(f"  {'970,000 / 100,000 wall, --' + kind:<40} skipped (--quick)")
            else:
                check(f"970,000 / 100,000 wall, --{kind}",
                      results[(largest, kind)].wall / results[("100000-item", kind)].wall, 11, "x")
        check("page flip, median", flip_median, 30, "ms")


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
