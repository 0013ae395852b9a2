#!/usr/bin/env python3
"""Whole-process CPU time (user + sys) of velmora and velmora-chart against
a floor, in interleaved paired runs; prints min and median of each side and
their ratios.

    bench/whole_process.py [--build DIR] [--runs N] [--only NAME]

Pairs: velmora-chart with --out png / svg / pdf and without --out against the
minimal Qt Widgets program; the desktop program's first paint against the
minimal program's first paint; --list on 100,000 positions, and an --open
followed by a --save, against the sqlcipher command line running the listing
query; the one-page report (--report) against --out chart.pdf for the same
position, and a report of 100 saved positions against a report of one of
them. Everything runs on Qt's offscreen platform; where Xvfb is installed,
the first-paint pair also runs on an X display of its own.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

COVERED_CALL = ["--strategy", "0", "--set", "Text1=IBM", "--set", "Text4(1)=20",
                "--set", "Text4(2)=100", "--set", "Text5(1)=25", "--set", "Text5(2)=2"]
LIST_QUERY = "PRAGMA key = 'QZ';\nSELECT ID, fName FROM Chart WHERE sID = 0 ORDER BY ID;\n"


def cpu_ms(command, env, stdin_text=None):
    """Runs the command to its end; its user + sys CPU time in ms."""
    process = subprocess.Popen(command, env=env, stdin=subprocess.PIPE if stdin_text else None,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if stdin_text:
        process.stdin.write(stdin_text.encode())
        process.stdin.close()
    error = process.stderr.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({process.returncode}): {error.decode()}")
    return (usage.ru_utime + usage.ru_stime) * 1000


def pairs(build, work, display):
    chart = [os.path.join(build, "programs", "velmora-chart")] + COVERED_CALL
    desktop = [os.path.join(build, "programs", "velmora")]
    minimal = [os.path.join(build, "bench", "minimal_widgets")]
    db = os.path.join(work, "positions.db")
    sqlcipher = [shutil.which("sqlcipher") or "sqlcipher", db]
    first_paint = {"VELMORA_EXIT_AFTER_FIRST_PAINT": "1"}
    out = os.path.join(work, "chart")
    return [
        ("chart --out png", (chart + ["--out", out + ".png"], {}), (minimal, {})),
        ("chart --out svg", (chart + ["--out", out + ".svg"], {}), (minimal, {})),
        ("chart --out pdf", (chart + ["--out", out + ".pdf"], {}), (minimal, {})),
        ("chart, no --out", (chart, {}), (minimal, {})),
        ("desktop first paint", (desktop, first_paint), (minimal, first_paint)),
    ] + ([
        ("desktop first paint, Xvfb", (desktop, dict(first_paint, **display)),
         (minimal, dict(first_paint, **display))),
    ] if display else []) + [
        ("--list, 100,000 positions", (chart[:1] + ["--db", db, "--list", "0"], {}),
         (sqlcipher, {}, LIST_QUERY)),
        ("--open X --save X", (chart[:1] + ["--db", db, "--open", "position 5",
                                            "--save", "position 5"], {}),
         (sqlcipher, {}, LIST_QUERY)),
        ("--report, one position", (chart + ["--report", out + "-report.pdf"], {}),
         (chart + ["--out", out + ".pdf"], {})),
        ("--report, 100 positions", (chart[:1] + ["--db", REPORT_DB.format(work), "--report",
                                                  out + "-100.pdf", "--open-all", "0"], {}),
         (chart[:1] + ["--db", REPORT_DB.format(work), "--report", out + "-1.pdf",
                       "--open", "position 000"], {})),
    ]


REPORT_DB = "{}/hundred.db"


def write_hundred(build, work):
    """100 saved Covered Calls, each a little different, for the report pair."""
    chart = os.path.join(build, "programs", "velmora-chart")
    for i in range(100):
        subprocess.run([chart, "--db", REPORT_DB.format(work)] + COVERED_CALL
                       + ["--set", f"Text5(2)={1 + i % 4}", "--save", f"position {i:03}"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))


def start_xvfb():
    """An X server on a free display, or None without Xvfb; and its process."""
    if not shutil.which("Xvfb"):
        return None, None
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        return None, None
    return {"DISPLAY": ":" + number, "QT_QPA_PLATFORM": "xcb"}, server


def summary(values):
    return min(values), statistics.median(values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--only", help="run only the pairs whose name contains this")
    args = parser.parse_args()
    build = os.path.abspath(args.build)

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    display, server = start_xvfb() if not args.only or "first paint" in args.only \
        else (None, None)
    with tempfile.TemporaryDirectory() as work:
        env["XDG_RUNTIME_DIR"] = work
        chosen = [p for p in pairs(build, work, display)
                  if not args.only or args.only in p[0]]
        if any("--open-all" in p[1][0] for p in chosen):
            write_hundred(build, work)
        if any("--db" in p[1][0] and "--open-all" not in p[1][0] for p in chosen):
            subprocess.run([os.path.join(build, "bench", "bench_store"), "--write",
                            os.path.join(work, "positions.db")], check=True)
        times = {name: ([], []) for name, *_ in chosen}
        for run in range(args.runs):
            for name, program, floor in chosen:
                sides = [(0, program), (1, floor)]
                if run % 2:
                    sides.reverse()  # neither side always runs second
                for side, (command, extra, *stdin) in sides:
                    times[name][side].append(
                        cpu_ms(command, dict(env, **extra), stdin[0] if stdin else None))

    if server:
        server.terminate()
        server.wait()

    print(f"CPU time (user + sys), {args.runs} interleaved paired runs, ms")
    print(f"{'pair':28} {'program min/median':>20} {'floor min/median':>18} "
          f"{'ratio min':>9} {'ratio median':>12}")
    for name, (program, floor) in times.items():
        pmin, pmed = summary(program)
        fmin, fmed = summary(floor)
        print(f"{name:28} {pmin:9.1f} {pmed:9.1f} {fmin:8.1f} {fmed:9.1f} "
              f"{pmin / fmin:8.2f}x {pmed / fmed:11.2f}x")


if __name__ == "__main__":
    main()
