#!/usr/bin/python3
"""The real program driven through the accessibility tree, as a screen reader
user drives it: every control is found by its role and accessible name over
AT-SPI. Adds a gamertag, downloads it from the simulated site, runs a saved
query, reads the grid's cells, exports them, opens the report and exits.

Run under an X server with a session bus that knows it (the bus starts the
AT-SPI registry, which needs the display to press keys and click):
    own-display.sh accessibility_tree.py <program folder> <statsite>
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

QUERY = "Career Totals"


def wait_for(what, probe, timeout=120.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find_where(root, matches):
    """The first node under root that matches, breadth first."""
    queue = [root]
    while queue:
        node = queue.pop(0)
        try:
            if matches(node):
                return node
            queue.extend(child for child in node if child is not None)
        except Exception:  # a node that went away while walking
            continue
    return None


def find(root, role, name=None, visible=True):
    """The first node of `role` (and `name`) under root."""
    return find_where(root, lambda node: node.getRoleName() == role
                      and (name is None or node.name == name)
                      and (not visible or showing(node)))


def press(node):
    """Does the node's first action. An action that opens a modal dialog (or
    ends the program) answers only when that is over: no reply is no error."""
    try:
        node.queryAction().doAction(0)
    except GLib.GError as error:
        if not any(late in str(error) for late in ("Did not receive a reply",
                                                   "disconnected from message bus")):
            raise


def choose(combo, name):
    """Opens the combo box's list and clicks the entry where the tree says it
    lies (Qt's list offers no selection over AT-SPI, and with no window
    manager the keyboard stays with no window)."""
    actions = combo.queryAction()
    opened = [i for i in range(actions.nActions) if actions.getName(i) in ("ShowMenu", "Press")]
    actions.doAction(opened[0])
    wait_for("the open list", lambda: showing(combo[0]), 10)
    item = wait_for("the entry " + name,
                    lambda: find_where(combo[0], lambda n: n.name == name and showing(n)), 10)
    box = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")


def application(run):
    def probe():
        if run.poll() is not None:
            raise AssertionError("the program ended (status %d) before it showed its window"
                                 % run.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Tallywick":
                return app
        return None
    return wait_for("the program on the accessibility bus", probe)


def dialog_with(app, role, name):
    """A control in any window but the main one (a dialog the program opened)."""
    def probe():
        for window in app:
            if window is not None and window.name != "Tallywick":
                found = find(window, role, name)
                if found:
                    return found
        return None
    return wait_for("%s %r in a dialog" % (role, name), probe)


def stage(folder, site):
    with open(os.path.join(folder, "tallywick110.ini"), "rb") as f:
        ini = f.read().decode("latin-1")
    ini = re.sub(r"(?m)^Direct_Port=.*?(\r?)$", r"Direct_Port=%d\1" % site, ini)
    ini = re.sub(r"(?m)^Query_Export_Format=.*?(\r?)$", r"Query_Export_Format=2\1", ini)
    with open(os.path.join(folder, "tallywick110.ini"), "wb") as f:
        f.write(ini.encode("latin-1"))


def start_site(statsite, work):
    log = open(os.path.join(work, "statsite.log"), "w+")
    site = subprocess.Popen([statsite, "--port", "0", "--seed", "1"], stdout=log,
                            stderr=subprocess.STDOUT)

    def port():
        log.seek(0)
        match = re.search(r"statsite listening on [0-9.]+:(\d+)", log.read())
        return int(match.group(1)) if match else None
    return site, wait_for("the simulated site", port, 20)


def featured_gamertag(statsite):
    listing = subprocess.run([statsite, "--seed", "1", "--list"], capture_output=True,
                             text=True, check=True).stdout
    for line in listing.splitlines():
        fields = line.split("\t")
        if not line.startswith("#") and len(fields) > 3 and fields[3] == "yes":
            return fields[0]
    raise AssertionError("the site has no featured player")


def journey(app, folder, tag):
    main = wait_for("the main window", lambda: find(app, "frame", "Tallywick"))
    assert find(main, "label", "Add a player with + to begin."), "no first-run hint"

    press(find(main, "push button", "Add a gamertag"))
    entry = dialog_with(app, "text", None)
    entry.queryEditableText().setTextContents(tag)
    press(dialog_with(app, "push button", "OK"))
    wait_for("the gamertag in the tag list",
             lambda: find(main, "combo box", tag) or find(main, "combo box", "Tag list")
             and find(main, "combo box", tag))

    press(find(main, "push button", "Download"))
    wait_for("the download's end", lambda: find(main, "label", "Process complete"), 300)
    games = find_where(main, lambda node: node.getRoleName() == "label"
                       and node.description == "Downloaded games")
    assert games and int(games.name) > 0, "no downloaded games shown"

    queries = find(main, "combo box", "- Select a Query -")
    choose(queries, QUERY)
    wait_for("the query chosen", lambda: find(main, "combo box", QUERY), 10)
    press(find(main, "push button", "Run"))
    table = find(main, "table", "Query results").queryTable()
    wait_for("rows in the grid", lambda: table.nRows > 1, 30)
    cells = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
             for r in range(table.nRows)]
    assert any(row[0] == tag and row[1] == games.name for row in cells), cells

    out = os.path.join(folder, "career.csv")
    press(find(main, "push button", "Export"))
    name = dialog_with(app, "text", None)
    name.queryEditableText().setTextContents(out)
    press(dialog_with(app, "push button", "Save"))
    press(dialog_with(app, "push button", "OK"))
    with open(out, encoding="utf-8", errors="replace") as f:
        assert tag in f.read(), "the export lacks the player"

    report = find(main, "menu item", "TPS Report", visible=False)
    press(report)
    press(dialog_with(app, "push button", "Yes"))
    opened = os.path.join(folder, "opened.txt")
    wait_for("the report handed to the desktop", lambda: os.path.exists(opened), 30)
    with open(opened) as f:
        path = f.read().strip()
    assert path.endswith(".html") and os.path.exists(path.replace("file://", "")), path

    press(find(main, "menu item", "Exit", visible=False))


def main():
    program, statsite = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="tallywick-a11y-")
    site = None
    run = None
    try:
        folder = os.path.join(work, "program")
        shutil.copytree(program, folder)
        # The desktop's opener, replaced by one that notes what it was asked.
        bin_dir = os.path.join(work, "bin")
        os.mkdir(bin_dir)
        opener = os.path.join(bin_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$1" > "%s/opened.txt"\n' % folder)
        os.chmod(opener, 0o755)
        site, port = start_site(statsite, work)
        stage(folder, port)
        tag = featured_gamertag(statsite)
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb", PATH=bin_dir + os.pathsep + os.environ["PATH"])
        run = subprocess.Popen([os.path.join(folder, "tallywick")], cwd=folder, env=env)
        journey(application(run), folder, tag)
        assert run.wait(30) == 0, "the program did not exit cleanly"
        print("accessibility tree journey passed")
    finally:
        if run and run.poll() is None:
            run.kill()
            run.wait()
        if site:
            site.terminate()
            site.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
