#pragma once
// The schema.ini of a folder of text tables: one section per file.

#include <QByteArray>
#include <QString>
#include <vector>

#include "db/TextTableWriter.h"

namespace tw {

inline constexpr char kSchemaFileName[] = "schema.ini";

// The section describing one file, CR LF line ends.
QByteArray schemaSection(const QString& fileName, const std::vector<TextColumn>& columns);

// `existing` with the section of `fileName` (found ignoring case) replaced by
// `section`, or `section` appended; all other bytes kept.
QByteArray mergeSchema(const QByteArray& existing, const QString& fileName,
                       const QByteArray& section);

// Reads, merges and rewrites the schema file at `schemaPath` (3051 when it
// cannot be read or written).
void recordInSchema(const QString& schemaPath, const QString& fileName,
                    const std::vector<TextColumn>& columns);

}  // namespace tw
