"""Checks that an HTML page parses with every element closed in order.

Usage: python3 check_html.py PAGE. Prints the first problem and exits 1, or
prints "ok" and the number of elements and exits 0.
"""
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}


class Balance(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.count = 0
        self.problem = None

    def fail(self, text):
        if self.problem is None:
            line, column = self.getpos()
            self.problem = "line %d, column %d: %s" % (line, column + 1, text)

    def handle_starttag(self, tag, attrs):
        self.count += 1
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.count += 1

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack:
            self.fail("</%s> without an open element" % tag)
        elif self.stack[-1] != tag:
            self.fail("</%s> closes <%s>" % (tag, self.stack[-1]))
        else:
            self.stack.pop()


def main():
    with open(sys.argv[1], encoding="utf-8") as page:
        text = page.read()
    parser = Balance()
    parser.feed(text)
    parser.close()
    if parser.stack and parser.problem is None:
        parser.fail("unclosed: " + " ".join(parser.stack))
    if not text.lstrip().lower().startswith("<!doctype html>"):
        parser.fail("no doctype")
    if parser.problem:
        print(parser.problem)
        return 1
    print("ok %d" % parser.count)
    return 0


if __name__ == "__main__":
    sys.exit(main())
