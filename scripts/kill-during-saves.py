#!/usr/bin/env python3
"""Kills zendra-cli with SIGKILL in the middle of saves of a growing consultation.

    kill-during-saves.py ZENDRA_CLI [SAVES]

Each save of the plain file adds a line to the consultation and is killed at
a random moment of its run, from its start to a little past its usual end,
half of them in its last fifth, so kills land before, during and after the
write. After each, the file must
hold either the content it had or the new one, whole, byte for byte as the
code page and CR LF make it (computed here, not by the program). A tenth as
many saves of an encrypted file are checked the same way through "open".
Temporary files that a killed save could not remove are counted and
reported. Exit 1 on the first file that is neither.
"""
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

PASSWORD = "Heslo na zkoušku"


def line(i):
    # Czech letters of the code page and a no-break space, and some length,
    # so a large part of each run is spent writing.
    return f"{i:04}. Otázka: kudy dál? Žluťoučký kůň úpěl ďábelské ódy,\u00a0" + "čas " * 40


def text_of(lines):
    return "".join(f"{l}\n" for l in lines).encode("utf-8")


def saved_bytes(lines):
    return "".join(f"{l}\r\n" for l in lines).encode("cp1250")


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def save(cli, path, lines, extra, kill_after):
    """Runs one save; kills it after kill_after seconds unless it ended. True when killed."""
    p = subprocess.Popen([cli, "save", path] + extra, stdin=subprocess.PIPE,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    start = time.monotonic()
    try:
        p.stdin.write(text_of(lines))
        p.stdin.close()
    except BrokenPipeError:
        pass
    if kill_after is None:
        return p.wait() != 0
    left = kill_after - (time.monotonic() - start)
    if left > 0:
        time.sleep(left)
    killed = p.poll() is None
    if killed:
        p.send_signal(signal.SIGKILL)
    p.wait()
    return killed


def timed_save(cli, path, lines, extra):
    start = time.monotonic()
    if save(cli, path, lines, extra, None):
        sys.exit("a save without a kill failed")
    return time.monotonic() - start


def opened(cli, path):
    r = subprocess.run([cli, "open", path, "--password", PASSWORD], capture_output=True)
    return r.stdout if r.returncode == 0 else None


def run(cli, folder, name, saves, check, extra):
    path = os.path.join(folder, name)
    rng = random.Random(18)
    lines = [line(0)]
    usual = timed_save(cli, path, lines, extra)
    current = lines[:]
    killed = kept_old = 0
    for i in range(1, saves):
        lines.append(line(i))
        if i % 100 == 0:  # the file grows: measure a run again
            usual = timed_save(cli, path, lines, extra)
            current = lines[:]
            continue
        # Half the kills aim at the end of a run, where the file is written.
        late = rng.random() < 0.5
        killed += save(cli, path, lines, extra, usual * (rng.uniform(0.8, 1.05) if late else rng.uniform(0, 1.2)))
        state = check(path, current, lines)
        if state is None:
            sys.exit(f"{name}, save {i}: the file is neither the old content nor the new")
        if state == "old":
            kept_old += 1
        else:
            current = lines[:]
    strays = [f for f in os.listdir(folder) if f.startswith(name + ".")]
    print(f"{name}: {saves} saves, {killed} killed while running, {kept_old} left the old content, "
          f"every file whole; {len(strays)} temporary files left by killed saves")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    saves = int(sys.argv[2]) if len(sys.argv) > 2 else 1000

    def plain(path, old, new):
        data = read(path)
        return "old" if data == saved_bytes(old) else "new" if data == saved_bytes(new) else None

    def encrypted(path, old, new):
        data = opened(cli, path)
        return "old" if data == text_of(old) else "new" if data == text_of(new) else None

    with tempfile.TemporaryDirectory(dir=os.environ.get("KILL_TEST_DIR")) as folder:
        run(cli, folder, "rostouci.txt", saves, plain, [])
        run(cli, folder, "rostouci.txg", max(saves // 10, 2), encrypted, ["--password", PASSWORD])


if __name__ == "__main__":
    main()
