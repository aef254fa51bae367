#!/usr/bin/env python3
"""The source tree keeps its layers: nothing below the window includes a widget
or chart header or a window header, the command line and the window meet only in
main.cpp, and no control-prefixed or event-handler names of the old form style
remain in code (object names in strings are where those names belong)."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
src = root / "src"
below_window = ["db", "core", "taglist", "download", "query", "report", "maintenance", "cli"]
widget_include = re.compile(
    r'#\s*include\s*<(QtWidgets|QtCharts|QWidget|QMainWindow|QDialog|QLabel|QPushButton|QComboBox|'
    r'QTableView|QTableWidget|QChartView|QApplication|QPixmap|QMessageBox|QAction|QMenu)\b')
old_name = re.compile(r'\b((frm|cmd|lbl|mnu|txt|chk|opt|img|shp|pic|cmb|flx|cht|rs)[A-Z]\w*|\w+_Click|'
                      r'\w+_MouseUp|\w+_MouseDown|Form_(Load|Resize|Unload)|Winsock1\w*|Vb\w+|\w+Vb\b|'
                      r'ControlArray|Label\d+|Line\d+)\b')
string_or_comment = re.compile(r"'(?:\\.|[^'\\])'|" r'"(?:\\.|[^"\\])*"|//[^\n]*|/\*.*?\*/', re.S)

problems = []


def sources(folder):
    return sorted(p for p in folder.rglob("*") if p.suffix in (".cpp", ".h"))


for name in below_window:
    for path in sources(src / name):
        text = path.read_text(encoding="utf-8")
        for line_number, line in enumerate(text.splitlines(), 1):
            where = f"{path.relative_to(root)}:{line_number}"
            if widget_include.search(line):
                problems.append(f"{where}: widget include below the window: {line.strip()}")
            if re.search(r'#\s*include\s*"gui/', line):
                problems.append(f"{where}: window header below the window: {line.strip()}")
            if name != "cli" and re.search(r'#\s*include\s*"cli/', line):
                problems.append(f"{where}: command-line header outside it: {line.strip()}")

for path in sources(src):
    text = path.read_text(encoding="utf-8")
    rel = path.relative_to(root)
    if str(rel) != "src/main.cpp" and '#include "gui/' in text and '#include "cli/' in text:
        problems.append(f"{rel}: includes both gui/ and cli/")
    code = string_or_comment.sub(lambda m: "\n" * m.group(0).count("\n"), text)
    for line_number, line in enumerate(code.splitlines(), 1):
        for match in old_name.finditer(line):
            problems.append(f"{rel}:{line_number}: old-style name {match.group(0)}")

for problem in problems:
    print(problem)
print(f"{len(problems)} layering problem(s)")
sys.exit(1 if problems else 0)
