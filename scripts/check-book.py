#!/usr/bin/env python3
"""Checks the book's records without building the program.

    check-book.py [--spelling] [N ...]

Every record (or the numbers given) must keep the record form, hold no
placeholder and keep the lengths of a finished text. With --spelling every
word is also checked by hunspell with the Czech dictionary; words of the
subject itself that the dictionary lacks are listed in
data/book/spelling-allow.txt, one per line. Exit 1 on any fault.
"""
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BOOK = os.path.join(HERE, "..", "data", "book")
PLACEHOLDER = "«zástupný text»"
LIMITS = {"symbol": (150, 400), "principle": (300, 900), "interpretation": (300, 900)}
PARAGRAPHS = {"symbol": (1, 2), "principle": (1, 3), "interpretation": (1, 2)}


def parse(path):
    sections, current = {}, None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n").rstrip()
            if line.startswith("#"):
                continue
            m = re.fullmatch(r"\[(symbol|principle|interpretation|line [1-6]|all lines)\]", line)
            if m:
                current = m.group(1)
                if current in sections:
                    raise ValueError(f"section [{current}] twice")
                sections[current] = []
                continue
            if not line:
                continue
            if current is None:
                raise ValueError(f"text outside a section: {line[:40]}")
            sections[current].append(line)
    return sections


def check(number, faults):
    path = os.path.join(BOOK, f"hex{number:02d}.txt")
    where = f"hex{number:02d}"
    try:
        s = parse(path)
    except (OSError, ValueError) as e:
        faults.append(f"{where}: {e}")
        return
    wanted = ["symbol", "principle", "interpretation"] + [f"line {k}" for k in range(1, 7)]
    if number in (1, 2):
        wanted.append("all lines")
    for name in wanted:
        if name not in s:
            faults.append(f"{where}: section [{name}] missing")
    for name in s:
        if name not in wanted:
            faults.append(f"{where}: section [{name}] does not belong here")
    for name, paras in s.items():
        text = "".join(paras)
        if PLACEHOLDER in text:
            faults.append(f"{where} [{name}]: placeholder")
        if name in LIMITS:
            lo, hi = LIMITS[name]
            if not lo <= len(text) <= hi:
                faults.append(f"{where} [{name}]: {len(text)} characters, not {lo}-{hi}")
            plo, phi = PARAGRAPHS[name]
            if not plo <= len(paras) <= phi:
                faults.append(f"{where} [{name}]: {len(paras)} paragraphs, not {plo}-{phi}")
        elif name in s and (name.startswith("line") or name == "all lines"):
            if len(paras) < 2 or len(paras) > 3:
                faults.append(f"{where} [{name}]: needs an image and one or two application paragraphs")
                continue
            if paras[0].startswith(" "):
                faults.append(f"{where} [{name}]: the image has leading spaces")
            app = "".join(paras[1:])
            if not all(p.startswith("  ") for p in paras[1:]):
                faults.append(f"{where} [{name}]: an application paragraph lacks its two leading spaces")
            if not 200 <= len(app) <= 600:
                faults.append(f"{where} [{name}]: application of {len(app)} characters, not 200-600")


def words_of(number):
    path = os.path.join(BOOK, f"hex{number:02d}.txt")
    with open(path, encoding="utf-8") as f:
        text = "\n".join(l for l in f.read().splitlines() if not l.startswith("#") and not l.startswith("["))
    return text


def spelling(numbers, faults):
    allow_path = os.path.join(BOOK, "spelling-allow.txt")
    allow = set()
    if os.path.exists(allow_path):
        with open(allow_path, encoding="utf-8") as f:
            allow = {w.strip() for w in f if w.strip() and not w.startswith("#")}
    # One hunspell run for the whole book: loading the dictionary is the slow part.
    texts = {n: words_of(n) for n in numbers}
    try:
        out = subprocess.run(["hunspell", "-d", "cs_CZ", "-l"], input="\n".join(texts.values()),
                             capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        faults.append(f"hunspell with the Czech dictionary is not available: {e}")
        return
    unknown = {w for w in out.split() if w not in allow}
    for n, text in texts.items():
        here = sorted(w for w in unknown if re.search(r"(?<!\w)" + re.escape(w) + r"(?!\w)", text))
        if here:
            faults.append(f"hex{n:02d}: unknown words: {' '.join(here)}")


def main(argv):
    spell = "--spelling" in argv
    numbers = [int(a) for a in argv if a.isdigit()] or list(range(1, 65))
    faults = []
    for n in numbers:
        check(n, faults)
    if spell:
        spelling(numbers, faults)
    for f in faults:
        print(f)
    print(f"{len(numbers)} records checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
