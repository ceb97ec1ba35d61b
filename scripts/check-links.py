#!/usr/bin/python3
# Every relative link in README.md and docs/*.md leads somewhere: to a file of the project, and to a
# heading of that page (or of the page itself) where it names one after '#', by the anchor a
# Markdown host gives the heading (lower case, spaces as hyphens, punctuation dropped). Code blocks
# are neither links nor headings. Prints each broken link; the exit status is 1 if there is one.
# Usage: scripts/check-links.py [PAGE...]   (the README and every page in docs/ unless given)
import pathlib, re, sys

root = pathlib.Path(__file__).resolve().parent.parent


def prose(page):  # the page without its fenced code blocks
    return re.sub(r"^```.*?^```", "", page.read_text(), flags=re.M | re.S)


def anchors(page):
    return {re.sub(r"[^\w\- ]", "", title.strip().lower()).replace(" ", "-")
            for title in re.findall(r"^#+ (.+)$", prose(page), re.M)}


pages = [pathlib.Path(p).resolve() for p in sys.argv[1:]] or [root / "README.md", *sorted(root.glob("docs/*.md"))]
broken = 0
for page in pages:
    for link in re.findall(r"\]\(([^)\s]+)\)", prose(page)):
        if re.match(r"[a-z]+:", link):  # a web address, not the project's
            continue
        path, _, anchor = link.partition("#")
        target = (page.parent / path).resolve() if path else page
        if not target.is_relative_to(root) or not target.exists() or (
                anchor and (target.suffix != ".md" or anchor not in anchors(target))):
            print(f"{page.relative_to(root)}: broken link {link}")
            broken += 1
sys.exit(1 if broken else 0)
