"""Reads an HTML page the way a browser's parser does.

Usage: python3 read_html.py PAGE prints one JSON array: for every element in
document order its tag, its attributes (character references decoded) and
the text inside it (descendants included, references decoded).
python3 read_html.py --check PAGE prints "ok" and the number of elements and
exits 0 when the page opens with a doctype and closes every element in order;
otherwise it prints the first problem and exits 1.
"""
import json
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}


class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.elements = []
        self.open = []
        self.problem = None

    def fail(self, text):
        if self.problem is None:
            line, column = self.getpos()
            self.problem = "line %d, column %d: %s" % (line, column + 1, text)

    def handle_starttag(self, tag, attrs):
        element = {"tag": tag, "attrs": {name: value or "" for name, value in attrs}, "text": ""}
        self.elements.append(element)
        if tag not in VOID:
            self.open.append(element)

    def handle_startendtag(self, tag, attrs):
        self.elements.append(
            {"tag": tag, "attrs": {name: value or "" for name, value in attrs}, "text": ""})

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.open:
            self.fail("</%s> without an open element" % tag)
        elif self.open[-1]["tag"] != tag:
            self.fail("</%s> closes <%s>" % (tag, self.open[-1]["tag"]))
        # As a browser does: the nearest open element of that name closes with
        # everything still open inside it.
        for depth in range(len(self.open) - 1, -1, -1):
            if self.open[depth]["tag"] == tag:
                del self.open[depth:]
                return

    def handle_data(self, data):
        for element in self.open:
            element["text"] += data


def main():
    check = sys.argv[1] == "--check"
    with open(sys.argv[-1], encoding="utf-8") as page:
        text = page.read()
    reader = Reader()
    reader.feed(text)
    reader.close()
    if not check:
        json.dump(reader.elements, sys.stdout)
        return 0
    if reader.open:
        reader.fail("unclosed: " + " ".join(element["tag"] for element in reader.open))
    if not text.lstrip().lower().startswith("<!doctype html>"):
        reader.fail("no doctype")
    if reader.problem:
        print(reader.problem)
        return 1
    print("ok %d" % len(reader.elements))
    return 0


if __name__ == "__main__":
    sys.exit(main())
