#!/usr/bin/env python3
"""Checks the user guide in docs/help before it ships.

- Every link, image and style sheet of every page names a file of the guide
  that exists, and every #fragment an id on its page. Nothing is loaded from
  outside: no address with a scheme or a host, no script.
- Every page is reachable from index.html, every picture in img/ is used,
  every picture has a text alternative.
- Every caption marked <span class="ui"> is one the program shows: a string
  of the program's sources with its accelerator "&" removed. A guide that
  quotes a renamed menu item fails here.

Usage: check-help.py [GUIDE_FOLDER [SOURCE_ROOT]]; prints one line per fault
and exits 1 when there is any.
"""

import html.parser
import pathlib
import re
import sys
import urllib.parse

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_FOLDERS = ("app", "casting", "reading", "files", "notes", "tools", "print", "ui")
# Captions of commands that arrive with work still under way.
CAPTIONS_NOT_IN_SOURCES = {"Obnovit", "Zahodit"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids = set()
        self.refs = []       # (tag, attribute, value, line)
        self.images = []     # (src, alt, line)
        self.captions = []   # (text, line)
        self.scripts = 0
        self.lang = None
        self.title = False
        self._caption = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        line = self.getpos()[0]
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "title":
            self.title = True
        if tag == "script":
            self.scripts += 1
        for name in ("href", "src"):
            if name in a and a[name] is not None:
                self.refs.append((tag, name, a[name], line))
        if tag == "img":
            self.images.append((a.get("src", ""), a.get("alt"), line))
        if tag == "span" and "ui" in (a.get("class") or "").split():
            self._caption = ["", line]

    def handle_data(self, data):
        if self._caption is not None:
            self._caption[0] += data

    def handle_endtag(self, tag):
        if tag == "span" and self._caption is not None:
            self.captions.append((self._caption[0], self._caption[1]))
            self._caption = None


def program_captions(source_root):
    """The strings of the program's sources as shown: without the accelerator
    "&"; a string with %1 (filled at run time) as a pattern."""
    literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
    plain, patterns = set(), []
    for folder in SOURCE_FOLDERS:
        for path in (source_root / folder).glob("*.[ch]*"):
            for text in literal.findall(path.read_text(encoding="utf-8", errors="replace")):
                shown = text.replace("&&", "\0").replace("&", "").replace("\0", "&").strip()
                if re.search(r"%\d", shown):
                    parts = re.split(r"%\d", shown)
                    # A bare "%1" is a number put into a caption ("&%1": the coin buttons).
                    fill = "(.+)" if "".join(parts) else r"(\d+)"
                    patterns.append(re.compile("^" + fill.join(map(re.escape, parts)) + "$"))
                else:
                    plain.add(shown)
    return lambda caption: caption in plain or any(p.match(caption) for p in patterns)


def main():
    guide = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "docs" / "help"
    source_root = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT
    guide = guide.resolve()
    faults = []
    pages = {}
    for path in sorted(guide.glob("*.html")):
        parser = Page()
        parser.feed(path.read_text(encoding="utf-8"))
        pages[path.name] = parser
    if "index.html" not in pages:
        print(f"{guide}: no index.html")
        return 1

    shown_by_program = program_captions(source_root)
    linked = {"index.html"}
    used_images = set()
    for name, page in pages.items():
        if page.lang != "cs":
            faults.append(f"{name}: <html> without lang=\"cs\"")
        if not page.title:
            faults.append(f"{name}: no <title>")
        if page.scripts:
            faults.append(f"{name}: has a script")
        for tag, attribute, value, line in page.refs:
            url = urllib.parse.urlsplit(value)
            where = f"{name}:{line}: <{tag} {attribute}=\"{value}\">"
            if url.scheme or url.netloc:
                faults.append(f"{where} leaves the guide")
                continue
            target = (guide / urllib.parse.unquote(url.path)).resolve() if url.path else guide / name
            if guide not in target.parents:
                faults.append(f"{where} points outside the guide")
                continue
            if not target.is_file():
                faults.append(f"{where}: no such file")
                continue
            relative = target.relative_to(guide).as_posix()
            linked.add(relative)
            if tag == "img":
                used_images.add(relative)
            if url.fragment:
                ids = pages[relative].ids if relative in pages else set()
                if url.fragment not in ids:
                    faults.append(f"{where}: no id \"{url.fragment}\" in {relative}")
        for src, alt, line in page.images:
            if not (alt or "").strip():
                faults.append(f"{name}:{line}: picture {src} without alt text")
        for text, line in page.captions:
            caption = " ".join(text.split())
            if not shown_by_program(caption) and caption not in CAPTIONS_NOT_IN_SOURCES:
                faults.append(f"{name}:{line}: the program shows no caption \"{caption}\"")

    for name in pages:
        if name not in linked:
            faults.append(f"{name}: no page links to it")
    for picture in sorted((guide / "img").glob("*")):
        if picture.relative_to(guide).as_posix() not in used_images:
            faults.append(f"img/{picture.name}: no page shows it")
    css = guide / "zendra.css"
    if css.is_file():
        for ref in re.findall(r"url\(([^)]*)\)", css.read_text(encoding="utf-8")):
            faults.append(f"zendra.css: loads {ref.strip()} (the guide loads nothing)")

    for fault in faults:
        print(fault)
    print(f"{len(pages)} pages, {len(used_images)} pictures: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
