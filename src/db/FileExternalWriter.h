#pragma once
// The outside-file writer the program installs on its database: Excel 8.0
// targets go to XlsWriter, Text targets to TextTableWriter.

#include "db/ExternalWriter.h"

namespace tw {

class FileExternalWriter : public ExternalWriter {
  public:
    int64_t writeTable(const ExternalTarget& target, Recordset& rows) override;
};

}  // namespace tw
