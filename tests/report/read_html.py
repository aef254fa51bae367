"""Reads an HTML page the way a browser's parser does and prints its elements.

Usage: python3 read_html.py PAGE. Prints one JSON array: for every element in
document order its tag, its attributes (character references decoded) and
the text inside it (descendants included, references decoded).
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

    def handle_starttag(self, tag, attrs):
        element = {"tag": tag, "attrs": {name: value or "" for name, value in attrs}, "text": ""}
        self.elements.append(element)
        if tag not in VOID:
            self.open.append(element)

    def handle_startendtag(self, tag, attrs):
        self.elements.append(
            {"tag": tag, "attrs": {name: value or "" for name, value in attrs}, "text": ""})

    def handle_endtag(self, tag):
        for depth in range(len(self.open) - 1, -1, -1):
            if self.open[depth]["tag"] == tag:
                del self.open[depth:]
                return

    def handle_data(self, data):
        for element in self.open:
            element["text"] += data


def main():
    with open(sys.argv[1], encoding="utf-8") as page:
        reader = Reader()
        reader.feed(page.read())
        reader.close()
    json.dump(reader.elements, sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main())
