#!/usr/bin/env python3
"""The user guide: every page well-formed, every link and picture resolving, every picture
one the screenshot program makes, every page within two clicks of the contents, every menu
caption and toolbar hint of the main window in the guide, and every command and option of
`paginor --help` on the command-line page."""
import argparse
import html
import html.parser
import os
import re
import subprocess
import sys

VOID = {"meta", "link", "img", "br", "hr", "input", "col", "area", "base", "wbr", "source"}
# Elements whose end tag HTML lets a page leave out; the guide closes them all the same.
problems = []


class Page(html.parser.HTMLParser):
    def __init__(self, name):
        super().__init__(convert_charrefs=True)
        self.name, self.stack, self.links, self.images, self.ids, self.text = name, [], [], [], set(), []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag == "img":
            self.images.append(a.get("src", ""))
            if not a.get("alt"):
                problems.append(f"{self.name}: a picture without alt text")
        if tag not in VOID:
            self.stack.append((tag, self.getpos()[0]))

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1][0] != tag:
            open_tag = self.stack[-1] if self.stack else ("nothing", 0)
            problems.append(f"{self.name}:{self.getpos()[0]}: </{tag}> closes <{open_tag[0]}> of line {open_tag[1]}")
            return
        self.stack.pop()

    def handle_data(self, data):
        self.text.append(data)


def words(text):
    return " ".join(text.replace("&&", "&").replace("&", " & ").split()).rstrip(" .").lower()


def run(cmd):
    r = subprocess.run(cmd, capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        sys.exit(f"{' '.join(cmd)} ended with {r.returncode}:\n{r.stdout}{r.stderr}")
    return r.stdout


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--help-dir", required=True)
    ap.add_argument("--shots", required=True)
    ap.add_argument("--paginor", required=True)
    args = ap.parse_args()
    folder = args.help_dir
    pages = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".html"):
            p = Page(name)
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                p.feed(f.read())
            p.close()
            if p.stack:
                problems.append(f"{name}: <{p.stack[-1][0]}> of line {p.stack[-1][1]} is never closed")
            pages[name] = p

    made = set(run([args.shots, "--list"]).split())
    for name, p in pages.items():
        for href in p.links:
            if re.match(r"^[a-z]+:", href):
                continue
            target, _, anchor = href.partition("#")
            target = target or name
            if target not in pages:
                problems.append(f"{name}: link to missing page {href}")
            elif anchor and anchor not in pages[target].ids:
                problems.append(f"{name}: link to missing anchor {href}")
        for src in p.images:
            if not os.path.isfile(os.path.join(folder, src)):
                problems.append(f"{name}: picture {src} is not in the help folder")
            if os.path.dirname(src) != "images" or os.path.basename(src) not in made:
                problems.append(f"{name}: picture {src} is not one the screenshot program makes")

    # Clicks from the contents page.
    depth, frontier = {"Chooseatopic.html": 0}, ["Chooseatopic.html"]
    while frontier:
        page = frontier.pop(0)
        for href in pages[page].links:
            target = href.partition("#")[0]
            if target in pages and target not in depth:
                depth[target] = depth[page] + 1
                frontier.append(target)
    for name in pages:
        if depth.get(name, 99) > 2:
            problems.append(f"{name} is not reached from the contents within two clicks")

    near = words(" ".join(" ".join(pages[n].text) for n in pages if depth.get(n, 99) <= 1))
    for caption in run([args.shots, "--captions"]).splitlines():
        if caption.strip() and words(caption) not in near:
            problems.append(f"the caption '{caption.strip()}' appears in no page of the guide")

    command_page = words(" ".join(pages["commandline.html"].text))
    usage = run([args.paginor, "--help"])
    for item in sorted(set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*)", usage))):
        if item not in command_page:
            problems.append(f"commandline.html does not explain {item}")
    for command in re.findall(r"^  ([a-z]+) ", usage, re.M):
        if f"paginor {command}" not in command_page:
            problems.append(f"commandline.html does not explain the command {command}")

    for p in problems:
        print("FAIL:", p)
    print(f"{len(pages)} pages, {len(made)} screenshots, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
