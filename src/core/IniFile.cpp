#include "core/IniFile.h"

#include <QFile>
#include <optional>
#include <vector>

#include "db/SafeFile.h"

namespace tw {
namespace {

// One line of the file: its text and the line end that followed it ("\r\n",
// "\n" or nothing for a last line without one).
struct Line {
    QByteArray text;
    QByteArray ending;
};

std::vector<Line> splitLines(const QByteArray& bytes) {
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        if (nl < 0) {
            lines.push_back({bytes.mid(start), {}});
            break;
        }
        qsizetype textEnd = (nl > start && bytes[nl - 1] == '\r') ? nl - 1 : nl;
        lines.push_back({bytes.mid(start, textEnd - start), bytes.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
    return lines;
}

QByteArray trimBlanks(const QByteArray& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) {
        ++begin;
    }
    while (end > begin &&
           (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r')) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> sectionName(const QByteArray& text) {
    QByteArray trimmed = trimBlanks(text);
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    qsizetype close = trimmed.indexOf(']');
    QByteArray name = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    return QString::fromUtf8(trimBlanks(name));
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<QString> keyName(const QByteArray& text) {
    QByteArray trimmed = trimBlanks(text);
    if (trimmed.startsWith(';') || trimmed.startsWith('[')) {
        return std::nullopt;
    }
    qsizetype eq = trimmed.indexOf('=');
    if (eq < 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(trimBlanks(trimmed.left(eq)));
}

QString valueOf(const QByteArray& text) {
    QByteArray value = trimBlanks(text.mid(text.indexOf('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return QString::fromUtf8(value);
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section and a key stand in the file: indexes into the lines, -1 when
// absent. `lastEntry` is the last non-blank line of the section (its header
// when it is empty), where a new key goes.
struct Place {
    int section = -1;
    int key = -1;
    int lastEntry = -1;
};

Place locate(const std::vector<Line>& lines, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (auto name = sectionName(lines[i].text)) {
            if (inSection) {
                break;  // the first section of that name is the one used
            }
            inSection = sameName(*name, section);
            if (inSection) {
                place.section = place.lastEntry = i;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trimBlanks(lines[i].text).isEmpty()) {
            place.lastEntry = i;
        }
        auto name = keyName(lines[i].text);
        if (name && sameName(*name, key)) {
            place.key = i;
            break;
        }
    }
    return place;
}

std::optional<QByteArray> readAll(const QString& path, QString* reason = nullptr) {
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason) {
            *reason = file.errorString();
        }
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    // A read cut short must not be written back as the whole file.
    if (file.error() != QFileDevice::NoError) {
        if (reason) {
            *reason = file.errorString();
        }
        return std::nullopt;
    }
    return bytes;
}

// The file's own line end; a new file gets the platform file's CR LF.
QByteArray lineEndingOf(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.ending.isEmpty()) {
            return line.ending;
        }
    }
    return "\r\n";
}

void insert(std::vector<Line>& lines, int after, Line line, const QByteArray& ending) {
    if (after >= 0 && lines[after].ending.isEmpty()) {
        lines[after].ending = ending;
    }
    lines.insert(lines.begin() + (after + 1), std::move(line));
}

void setValue(std::vector<Line>& lines, const IniEntry& entry, const QByteArray& ending) {
    // A line break inside a value would start a new key of its own.
    QString oneLine = entry.value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray keyLine = entry.key.toUtf8() + '=' + oneLine.toUtf8();
    Place place = locate(lines, entry.section, entry.key);
    if (place.key >= 0) {
        QByteArray& text = lines[place.key].text;
        text = trimBlanks(text.left(text.indexOf('='))) + '=' + oneLine.toUtf8();
    } else if (place.section >= 0) {
        insert(lines, place.lastEntry, {keyLine, ending}, ending);
    } else {
        int last = static_cast<int>(lines.size()) - 1;
        if (last >= 0 && !trimBlanks(lines[last].text).isEmpty()) {
            insert(lines, last, {{}, ending}, ending);
            ++last;
        }
        insert(lines, last, {'[' + entry.section.toUtf8() + ']', ending}, ending);
        insert(lines, last + 1, {keyLine, ending}, ending);
    }
}

}  // namespace

QString IniFile::read(const QString& section, const QString& key) const {
    std::optional<QByteArray> bytes = readAll(path_);
    if (!bytes) {
        return {};
    }
    std::vector<Line> lines = splitLines(*bytes);
    Place place = locate(lines, section, key);
    if (place.key < 0) {
        return {};
    }
    return valueOf(lines[place.key].text).left(kMaxValueLength);
}

bool IniFile::write(const QString& section, const QString& key, const QString& value,
                    QString* reason) const {
    return write({{section, key, value}}, reason);
}

bool IniFile::write(const std::vector<IniEntry>& entries, QString* reason) const {
    std::optional<QByteArray> bytes = readAll(path_, reason);
    if (!bytes) {
        return false;
    }
    std::vector<Line> lines = splitLines(*bytes);
    const QByteArray ending = lineEndingOf(lines);
    for (const IniEntry& entry : entries) {
        setValue(lines, entry, ending);
    }
    QByteArray out;
    for (const Line& line : lines) {
        out += line.text + line.ending;
    }
    // Never written in place: a write that fails half-way (a full disk) would
    // leave a cut or empty settings file, losing every setting and query.
    return writeFileSafely(path_, out, reason);
}

}  // namespace tw
