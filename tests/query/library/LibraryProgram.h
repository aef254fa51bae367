#pragma once
// The delivered saved-query library over a program run the simulated site has
// filled: the queries as the delivered settings file holds them, installed in
// the window's query list, with small pictures for every level and medal the
// queries name.

#include <QString>
#include <vector>

#include "download/SiteProgram.h"

namespace tw::testing {

struct Delivered {
    QString name;
    QString sql;
};

// The saved queries of assets/tallywick110.ini, Query_1 to Query_Count.
std::vector<Delivered> DeliveredQueries();

class LibraryProgramTest : public SiteProgramTest {
  protected:
    // queryList and the query arrays hold `queries` as items 1, 2, ...
    void InstallLibrary(const std::vector<Delivered>& queries);
    // Small pictures for every level and medal the queries can name.
    void DrawPictures();
    // The count at the start of recordCount.
    int64_t ShownCount() const;
    // Three players' world downloaded from the site (seed 7) and the
    // delivered library installed over it, with its pictures.
    void DownloadWorldWithLibrary(std::vector<Delivered>* queries);
};

}  // namespace tw::testing
