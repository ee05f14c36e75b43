#!/usr/bin/python3
"""Start-up time and memory of Zendra beside a bare Qt Widgets window.

    bench/bench_startup.py [--build DIR] [--runs N] [--zendra NAME=PATH ...]

Both programs run on a private virtual display (Xvfb) under a real window
manager (openbox), so their windows are reparented, placed and focused as on
a desktop. The runs alternate, program by program, N times each (5 by
default), and the figures are medians with the ratios Zendra/bare.

Time to the first window: from just before the process is started to the
moment its first top-level window is viewable. The benchmark watches the X
server's structure events (windows created, reparented into the manager's
frames and mapped) and checks, at each event, whether a window carrying the
program's _NET_WM_PID has become viewable. Waiting on events rather than
polling xdotool or xwininfo adds no polling step to either program, and the
same outside observer times both the same way. For Zendra that window is the
logo.

Logo end to main window ready (Zendra only): the logo's own one to two
seconds are fixed by design and not counted. With ZENDRA_STARTUP_TRACE set,
Zendra prints monotonic timestamps when the logo's wait ends and when its
main window is first activated (the logo closes there and the question can
be typed); the difference is taken.

Memory: VmRSS from /proc/PID/status two seconds after the main window is
ready (the bare program's only window; Zendra's first activation).

Each Zendra run gets fresh, empty settings, data and cache folders, so no
stored state or crash recovery takes part. Several Zendra builds may be given
(--zendra before=PATH --zendra after=PATH) to compare them in the same run.
Needs xvfb, openbox and python3-xlib (scripts/setup.sh installs them).
"""

import argparse
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, display as xdisplay, error as xerror
except ImportError:
    # A python of its own (pyenv, a venv) may stand first on PATH without
    # Debian's python3-xlib; the system interpreter has it.
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    sys.exit("bench_startup: python3-xlib is missing (apt-get install python3-xlib)")

SCREEN = "1280x1024x24"
WINDOW_TIMEOUT_S = 30.0
SETTLE_S = 2.0


def start_display():
    """Starts Xvfb on a free display number and returns (process, ':N')."""
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN, "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    with os.fdopen(read_fd, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                sys.exit("bench_startup: Xvfb did not start")
            number += chunk
    return xvfb, ":" + number.decode().strip()


def wait_for_window_manager(disp, timeout=10.0):
    root = disp.screen().root
    check = disp.intern_atom("_NET_SUPPORTING_WM_CHECK")
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        prop = root.get_full_property(check, X.AnyPropertyType)
        if prop and prop.value:
            return
        time.sleep(0.05)
    sys.exit("bench_startup: openbox did not come up")


class WindowWatch:
    """Waits on X structure events for a viewable window of a given process."""

    def __init__(self, disp):
        self.disp = disp
        self.root = disp.screen().root
        self.pid_atom = disp.intern_atom("_NET_WM_PID")
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        disp.sync()

    def drain(self):
        while self.disp.pending_events():
            self.disp.next_event()

    def _pid_of(self, window):
        try:
            prop = window.get_full_property(self.pid_atom, X.AnyPropertyType)
        except xerror.XError:
            return None
        return prop.value[0] if prop and len(prop.value) else None

    def _viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def wait_viewable(self, pid, timeout=WINDOW_TIMEOUT_S):
        """Monotonic ns when a window of pid is first viewable, with its id;
        (None, None) on time-out."""
        candidates = []
        deadline = time.monotonic() + timeout
        fd = self.disp.fileno()
        while time.monotonic() < deadline:
            seen = False
            while self.disp.pending_events():
                event = self.disp.next_event()
                seen = True
                if event.type == X.CreateNotify:
                    # Its own map event comes to us too, should the frame's come first.
                    try:
                        event.window.change_attributes(event_mask=X.StructureNotifyMask)
                    except xerror.XError:
                        pass
                    candidates.append(event.window)
            if seen or candidates:
                for window in candidates:
                    if self._viewable(window) and self._pid_of(window) == pid:
                        return time.monotonic_ns(), window.id
            if not seen:
                # Events wake us; the short time-out only rechecks in case
                # the last map raised no event we listen to.
                select.select([fd], [], [], 0.005)
        return None, None


def rss_kib(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "RssAnon", "RssFile", "RssShmem"):
                fields[key] = int(value.split()[0])
    return fields


def trace_marks(path):
    marks = {}
    with open(path, errors="replace") as log:
        for line in log:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "zendra-startup":
                marks.setdefault(parts[1], int(parts[2]))
    return marks


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def run_once(watch, display, path, is_zendra):
    home = tempfile.mkdtemp(prefix="bench-startup-")
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_"))}
    env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
               XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=os.path.join(home, "run"))
    for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
        os.makedirs(env[key], mode=0o700)
    if is_zendra:
        env["ZENDRA_STARTUP_TRACE"] = "1"
    log_path = os.path.join(home, "stderr.log")
    result = {}
    with open(log_path, "wb") as log:
        watch.drain()
        start = time.monotonic_ns()
        process = subprocess.Popen([path], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=log, cwd=home)
        try:
            shown, first = watch.wait_viewable(process.pid)
            if shown is None:
                raise RuntimeError(f"{path}: no window within {WINDOW_TIMEOUT_S:.0f} s")
            result["first_ms"] = (shown - start) / 1e6
            if is_zendra:
                deadline = time.monotonic() + WINDOW_TIMEOUT_S
                marks = {}
                while "main-ready" not in marks and time.monotonic() < deadline and process.poll() is None:
                    time.sleep(0.005)
                    marks = trace_marks(log_path)
                if "main-ready" not in marks or "logo-end" not in marks:
                    raise RuntimeError(f"{path}: no start-up marks (built without the trace?)")
                result["main_ms"] = (marks["main-ready"] - marks["logo-end"]) / 1e6
            time.sleep(SETTLE_S)
            result.update(rss_kib(process.pid))
        finally:
            stop(process)
    shutil.rmtree(home, ignore_errors=True)
    return result


def median(values):
    return statistics.median(values) if values else float("nan")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=os.path.join(os.path.dirname(here), "build"),
                        help="build folder holding zendra and bench/bare_window")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--zendra", action="append", metavar="NAME=PATH",
                        help="a Zendra build to measure; may be given more than once")
    args = parser.parse_args()

    programs = []
    for spec in args.zendra or [f"zendra={os.path.join(args.build, 'zendra')}"]:
        name, _, path = spec.partition("=")
        programs.append((name, os.path.abspath(path or name), True))
    programs.insert(0, ("bare", os.path.join(args.build, "bench", "bare_window"), False))
    for name, path, _ in programs:
        if not os.access(path, os.X_OK):
            sys.exit(f"bench_startup: {path} is missing; build the 'benchmarks' target")

    xvfb, display = start_display()
    openbox = None
    try:
        os.environ["DISPLAY"] = display
        openbox = subprocess.Popen(["openbox", "--sm-disable"], env=dict(os.environ, DISPLAY=display),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        disp = xdisplay.Display(display)
        wait_for_window_manager(disp)
        watch = WindowWatch(disp)

        # One unmeasured start of each warms the page cache and the font cache.
        for name, path, is_zendra in programs:
            run_once(watch, display, path, is_zendra)

        results = {name: [] for name, _, _ in programs}
        for run in range(args.runs):
            for name, path, is_zendra in programs:
                r = run_once(watch, display, path, is_zendra)
                results[name].append(r)
                detail = f"  logo end to main ready {r['main_ms']:7.1f} ms" if is_zendra else ""
                print(f"run {run + 1} {name:>8}: first window {r['first_ms']:7.1f} ms{detail}"
                      f"  VmRSS {r['VmRSS'] / 1024:6.1f} MiB (anon {r['RssAnon'] / 1024:.1f},"
                      f" file {r['RssFile'] / 1024:.1f}, shmem {r['RssShmem'] / 1024:.1f})", flush=True)
    finally:
        if openbox:
            stop(openbox)
        stop(xvfb)

    bare = results["bare"]
    bare_first = median([r["first_ms"] for r in bare])
    bare_rss = median([r["VmRSS"] for r in bare]) / 1024
    print(f"\nmedians of {args.runs} runs each on {SCREEN} under openbox")
    print(f"{'program':>8}  {'first window':>12}  {'logo end->main ready':>20}  {'VmRSS':>10}"
          f"  {'first/bare':>10}  {'RSS/bare':>8}")
    print(f"{'bare':>8}  {bare_first:9.1f} ms  {'':>20}  {bare_rss:6.1f} MiB  {1:10.2f}  {1:8.2f}")
    for name, _, is_zendra in programs:
        if not is_zendra:
            continue
        runs = results[name]
        first = median([r["first_ms"] for r in runs])
        main_ms = median([r["main_ms"] for r in runs])
        rss = median([r["VmRSS"] for r in runs]) / 1024
        print(f"{name:>8}  {first:9.1f} ms  {main_ms:17.1f} ms  {rss:6.1f} MiB"
              f"  {first / bare_first:10.2f}  {rss / bare_rss:8.2f}")


if __name__ == "__main__":
    main()
