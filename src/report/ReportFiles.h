#pragma once
// The report's files: the template it reads and the page it writes, both in
// the report folder (tpsDir), and the file-name stem of a gamertag.

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace tw {

struct Session;

inline constexpr const char* kTemplateFileName = "template.html";

// The gamertag with every blank as "_" (and slashes too, so the name stays
// inside its folder, as the avatar pictures do).
QString reportFileStem(const QString& gamertag);

// tpsDir + stem + ".html". The page never takes the template's name: for the
// gamertag "template" it is "template_.html".
QString reportOutputPath(const Session& state, const QString& gamertag);

// The whole template as bytes. A missing file is error 53, any other read
// failure error 75.
QByteArray readTemplate(const Session& state);

// The page followed by one CR LF.
void writeReportTo(QIODevice& device, const QByteArray& reportText);
// Writes the page to `path` whole or not at all: an older page there stays as
// it was when the write fails (error 75).
void writeReportFile(const QString& path, const QByteArray& reportText);

}  // namespace tw
