#!/usr/bin/env python3
"""What TBQ costs while the user just works, beside the floor program.

Runs under one Wine session (scripts/wine-session) against Wine's notepad:
the floor program (tbq_floor.exe floor, the least a title clock can do) and
TBQ.exe in turn, on the same timer, and reports side by side

  own CPU     the program's processes (TBQ with its plug-in hosts)
  stack CPU   every process of the Wine session (wineserver, notepad, Wine's
              services) and the X server, the window switcher left out
  peak memory the program's peak resident set (VmHWM), plug-in hosts apart

CPU is the kernel's run-time account of every thread (schedstat, nanoseconds),
as a percentage of one core over the measured seconds; start-up is left out.

  bench/idle_cost.py ticks      the clock list (the floor's own text) at 10, 100
                                and 500 ms, one notepad in front
  bench/idle_cost.py profiles   the shipped samples at a 10 ms tick while three
                                notepads take turns in front every 200 ms
  bench/idle_cost.py soak       TBQ with the HostStat sample and the pseudo
                                title bar at 10 ms for 10 minutes, switching;
                                memory, handles and GDI objects after the first
                                minute and at the end

Run after the win64 build (cmake --build --preset win64); --bin names another
folder with TBQ.exe, TBQ.dll, TBQPluginHost.exe, Plugins\\HostStat.tbqp and
tbq_floor.exe (to measure an earlier build).
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WINE64 = "/usr/lib/wine/wine64"
SAMPLES = ROOT / "data" / "sample"
CP = "cp932"  # settings files are in the Japanese code page


# ---- the Wine session ---------------------------------------------------------

class Session:
    def __init__(self):
        out = subprocess.check_output([str(ROOT / "scripts" / "wine-session"), "start"], text=True)
        self.env = dict(os.environ)
        for m in re.finditer(r"export (\w+)='?([^'\n]*)'?", out):
            self.env[m.group(1)] = m.group(2)
        self.env.update(LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
        self.dir = Path(self.env["TBQ_WINE_SESSION"])
        self.xvfb = int((self.dir / "xvfb.pid").read_text())
        self.started = []

    def start(self, args, cwd=None):
        p = subprocess.Popen([WINE64] + [str(a) for a in args], cwd=cwd, env=self.env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        self.started.append(p)
        return p

    def end(self, p):
        """Ends a program this session started, and the plug-in hosts it started."""
        hosts = self.named("TBQPluginHost")
        for pid in [p.pid] + hosts:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        p.wait()
        time.sleep(0.5)

    def stop(self):
        for p in self.started:
            if p.poll() is None:
                self.end(p)
        subprocess.run([str(ROOT / "scripts" / "wine-session"), "stop", str(self.dir)],
                       env=self.env, check=False)

    def stack_pids(self):
        """Every process of this session: Wine's (by prefix) and the X server."""
        mark = ("WINEPREFIX=" + self.env["WINEPREFIX"]).encode()
        pids = {self.xvfb}
        for d in Path("/proc").iterdir():
            if not d.name.isdigit():
                continue
            try:
                if mark in (d / "environ").read_bytes().split(b"\0"):
                    pids.add(int(d.name))
            except OSError:
                pass
        return pids


    def named(self, prefix):
        """The processes of this session whose name starts with `prefix`."""
        found = []
        for pid in self.stack_pids():
            try:
                if Path(f"/proc/{pid}/comm").read_text().startswith(prefix):
                    found.append(pid)
            except OSError:
                pass
        return found


def cpu_ns(pid):
    total = 0
    try:
        for task in Path(f"/proc/{pid}/task").iterdir():
            try:
                total += int((task / "schedstat").read_text().split()[0])
            except (OSError, ValueError, IndexError):
                pass
    except OSError:
        pass
    return total


def status_kb(pid, key):
    try:
        for line in Path(f"/proc/{pid}/status").read_text().splitlines():
            if line.startswith(key + ":"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


def wait_for(predicate, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.1)
    return False


# ---- program folders ------------------------------------------------------------

CLOCK_LIST = """#
[ViewData0001]
DataType=TITLE
FontColor=0x80000009
Enable=1
Type=Title
Style=0
Num=1
Char=
[ViewData0002]
DataType=CLOCK
FontColor=0x80000009
Enable=1
Format="  hh:nn:ss"
TimeZone=TYO
OffsetYear=0
OffsetMonth=0
OffsetDay=0
OffsetHour=0
OffsetMinute=0
OffsetSecond=0
OffsetType=1
Flag=0
[ViewData0003]
DataType=NONE
"""

# profile -> (sample folder for TBQ_Setting.ini and TBQ_ViewData.ini, painted)
PROFILES = {
    "clock": ("era", False),
    "default": ("era", False),
    "hoststat": ("hoststat", False),
    "painting": ("pseudobar", True),
    "hoststat+bar": ("hoststat", True),
}


def program_folder(base, bin_dir, profile, tick):
    folder = Path(base) / f"{profile}-{tick}"
    shutil.rmtree(folder, ignore_errors=True)
    (folder / "Plugins").mkdir(parents=True)
    for name in ("TBQ.exe", "TBQ.dll", "TBQPluginHost.exe"):
        shutil.copy(bin_dir / name, folder / name)
    shutil.copy(bin_dir / "Plugins" / "HostStat.tbqp", folder / "Plugins" / "HostStat.tbqp")
    shutil.copy(ROOT / "data" / "TBQ_Data.ini", folder / "TBQ_Data.ini")
    sample, painted = PROFILES[profile]
    setting = (SAMPLES / sample / "TBQ_Setting.ini").read_bytes().decode(CP)
    setting = re.sub(r"(?m)^Timing=\d+", f"Timing={tick}", setting)
    if painted:
        setting = re.sub(r"UseDrawBar=\d", "UseDrawBar=1", setting)
        setting = re.sub(r"(\[DrawBar\][^\[]*?)Default=[^\r\n]*", r"\1Default=夜空", setting)
        shutil.copy(SAMPLES / "pseudobar" / "TBQ_DrawBar.ini", folder / "TBQ_DrawBar.ini")
    (folder / "TBQ_Setting.ini").write_bytes(setting.encode(CP))
    if profile == "clock":
        (folder / "TBQ_ViewData.ini").write_bytes(CLOCK_LIST.replace("\n", "\r\n").encode(CP))
    else:
        shutil.copy(SAMPLES / sample / "TBQ_ViewData.ini", folder / "TBQ_ViewData.ini")
    if sample == "hoststat":
        (folder / "Plugins" / "HostStat").mkdir()
        shutil.copy(SAMPLES / "hoststat" / "Setting.ini", folder / "Plugins" / "HostStat" / "Setting.ini")
    return folder


# ---- one measured phase --------------------------------------------------------------

def measure(session, args, cwd, seconds, warmup, exclude):
    p = session.start(args, cwd)
    time.sleep(warmup)
    own = [p.pid] + [h for h in session.named("TBQPluginHost")]
    stack = session.stack_pids() - exclude
    own0 = {pid: cpu_ns(pid) for pid in own}
    stack0 = {pid: cpu_ns(pid) for pid in stack}
    t0 = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - t0
    own1 = {pid: cpu_ns(pid) for pid in own}
    stack1 = {pid: cpu_ns(pid) for pid in stack}
    pct = lambda a, b, pids: sum(max(0, b[x] - a[x]) for x in pids) / (elapsed * 1e9) * 100
    result = {
        "own": pct(own0, own1, [p.pid]),
        "hosts": pct(own0, own1, own[1:]),
        "stack": pct(stack0, stack1, stack),
        "peak_mb": status_kb(p.pid, "VmHWM") / 1024,
        "rss_mb": status_kb(p.pid, "VmRSS") / 1024,
        "alive": p.poll() is None,
    }
    session.end(p)
    return result


def median_of(session, rounds, phases):
    """Runs the phases (name -> (args, cwd, warm-up, exclude)) in turn `rounds`
    times, and gives each figure's median per phase: other work on the machine
    disturbs one phase more than another, and alternating evens it out."""
    results = {name: [] for name in phases}
    for _ in range(rounds):
        for name, (args, cwd, warmup, exclude, seconds) in phases.items():
            results[name].append(measure(session, args, cwd, seconds, warmup, exclude))
    med = lambda xs: sorted(xs)[len(xs) // 2]
    return {name: {k: med([r[k] for r in rs]) for k in rs[0]} for name, rs in results.items()}


def open_notepads(session, count):
    for _ in range(count):
        session.start(["notepad"])
        time.sleep(1.5)
    time.sleep(1)


# ---- commands --------------------------------------------------------------------

def ratio(a, b):
    return f"{a / b:.2f}×" if b > 0 else "–"


def cmd_ticks(args, session, base):
    open_notepads(session, 1)
    print("| tick | TBQ's own CPU | floor's own CPU | ratio | whole stack, TBQ vs floor | ratio "
          "| peak memory, TBQ vs floor | ratio |")
    print("| --- | --- | --- | --- | --- | --- | --- | --- |")
    for tick in args.tick:
        folder = program_folder(base, args.bin, "clock", tick)
        r = median_of(session, args.rounds, {
            "floor": ([args.bin / "tbq_floor.exe", "floor", tick], None, 2, set(), args.seconds),
            "tbq": ([folder / "TBQ.exe"], folder, args.warmup, set(), args.seconds)})
        floor, tbq = r["floor"], r["tbq"]
        print(f"| {tick} ms | {tbq['own']:.2f} % | {floor['own']:.2f} % | {ratio(tbq['own'], floor['own'])} "
              f"| {tbq['stack']:.2f} % vs {floor['stack']:.2f} % | {ratio(tbq['stack'], floor['stack'])} "
              f"| {tbq['peak_mb']:.1f} MB vs {floor['peak_mb']:.1f} MB | {ratio(tbq['peak_mb'], floor['peak_mb'])} |",
              flush=True)


def start_switcher(session, args):
    switcher = session.start([args.bin / "tbq_floor.exe", "switch", 200])
    time.sleep(1)
    return switcher


def cmd_profiles(args, session, base):
    open_notepads(session, 3)
    switcher = start_switcher(session, args)
    exclude = {switcher.pid}
    tick = args.tick[0]
    phases = {"floor": ([args.bin / "tbq_floor.exe", "floor", tick], None, 2, exclude, args.seconds)}
    for profile in args.profile:
        folder = program_folder(base, args.bin, profile, tick)
        phases[profile] = ([folder / "TBQ.exe"], folder, args.warmup, exclude, args.seconds)
    results = median_of(session, args.rounds, phases)
    floor = results["floor"]
    print(f"floor at {tick} ms: own {floor['own']:.2f} %, stack {floor['stack']:.2f} %, "
          f"peak {floor['peak_mb']:.1f} MB")
    print(f"| program folder ({tick} ms, three windows) | TBQ | plug-in host | TBQ + host vs floor "
          f"| whole stack | ratio | peak memory | ratio |")
    print("| --- | --- | --- | --- | --- | --- | --- | --- |")
    for profile in args.profile:
        r = results[profile]
        both = r["own"] + r["hosts"]
        host = f"{r['hosts']:.2f} %" if r["hosts"] else "–"
        print(f"| {profile} | {r['own']:.2f} % | {host} | {ratio(both, floor['own'])} "
              f"| {r['stack']:.2f} % | {ratio(r['stack'], floor['stack'])} "
              f"| {r['peak_mb']:.1f} MB | {ratio(r['peak_mb'], floor['peak_mb'])} |", flush=True)
    session.end(switcher)


def windows_counts(session, args):
    """Handles and GDI objects of TBQ.exe, as Windows reports them."""
    out = subprocess.run([WINE64, str(args.bin / "tbq_floor.exe"), "count", "TBQ.exe"], env=session.env,
                         capture_output=True, text=True, timeout=30).stdout.split()
    return (int(out[0]), int(out[1])) if len(out) >= 2 else (-1, -1)


def cmd_soak(args, session, base):
    open_notepads(session, 3)
    switcher = start_switcher(session, args)
    folder = program_folder(base, args.bin, "hoststat+bar", args.tick[0])
    p = session.start([folder / "TBQ.exe"], folder)
    rows = []
    start = time.monotonic()
    for minute in range(1, args.minutes + 1):
        time.sleep(max(0, start + 60 * minute - time.monotonic()))
        handles, gdi = windows_counts(session, args)
        rows.append((minute, status_kb(p.pid, "VmRSS") / 1024, handles, gdi,
                     sum(status_kb(h, "VmRSS") for h in session.named("TBQPluginHost")) / 1024))
        print(f"minute {minute:2}: TBQ {rows[-1][1]:.1f} MB, handles {handles}, GDI objects {gdi}, "
              f"plug-in host {rows[-1][4]:.1f} MB", flush=True)
    alive = p.poll() is None
    session.end(p)
    session.end(switcher)
    first, last = rows[0], rows[-1]
    print(f"after the first minute: {first[1]:.1f} MB, {first[2]} handles, {first[3]} GDI objects; "
          f"at the end: {last[1]:.1f} MB ({last[1] - first[1]:+.1f}), {last[2]} handles "
          f"({last[2] - first[2]:+d}), {last[3]} GDI objects ({last[3] - first[3]:+d}); "
          f"{'still running' if alive else 'ENDED EARLY'}")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("command", choices=["ticks", "profiles", "soak"])
    ap.add_argument("--bin", type=Path, default=ROOT / "build" / "win64" / "bin")
    ap.add_argument("--seconds", type=float, default=20, help="measured seconds a phase")
    ap.add_argument("--rounds", type=int, default=3, help="phases alternate this often; medians are shown")
    ap.add_argument("--warmup", type=float, default=5, help="seconds TBQ runs before measuring")
    ap.add_argument("--tick", type=int, action="append", help="tick in ms (ticks: 10, 100, 500)")
    ap.add_argument("--profile", action="append", choices=list(PROFILES),
                    help="program folders (profiles: all but clock)")
    ap.add_argument("--minutes", type=int, default=10, help="soak length")
    args = ap.parse_args()
    args.bin = args.bin.resolve()
    args.tick = args.tick or ([10, 100, 500] if args.command == "ticks" else [10])
    args.profile = args.profile or ["default", "hoststat", "painting", "hoststat+bar"]
    session = Session()
    base = tempfile.mkdtemp(prefix="tbq-idle.")
    try:
        {"ticks": cmd_ticks, "profiles": cmd_profiles, "soak": cmd_soak}[args.command](args, session, base)
    finally:
        session.stop()
        shutil.rmtree(base, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
