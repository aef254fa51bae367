#pragma once
// The Compound File container of an Excel 97-2003 workbook, holding exactly
// one stream named "Workbook" (version 3, 512-byte sectors, no mini stream).

#include <QByteArray>

namespace tw {

// A container holding `workbookStream`. The stream is padded with zero bytes
// to whole sectors and to at least 4096 bytes, so it never belongs in the mini
// stream; readers find sheets by their recorded offsets and never parse the
// padding. Files of any size are written (DIFAT sectors past 109 FAT sectors).
QByteArray writeCompoundFile(const QByteArray& workbookStream);

// The "Workbook" stream (name matched ignoring case) of a container, padding
// included. Anything that is no well-formed container with such a stream
// raises error 3274.
QByteArray readWorkbookStream(const QByteArray& file);

}  // namespace tw
