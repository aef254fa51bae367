#pragma once
// The delivered saved-query library over a program run the simulated site has
// filled: the queries as the delivered settings file holds them, installed as
// the program's saved queries, with small pictures for every level and medal
// the queries name.

#include <QString>
#include <vector>

#include "download/SiteProgram.h"
#include "query/QueryFilters.h"

namespace tw::testing {

struct Delivered {
    QString name;
    QString sql;
};

// The saved queries of assets/tallywick110.ini, Query_1 to Query_Count.
std::vector<Delivered> deliveredQueries();

// The filters of option button 1 (All), 2 and 3 of each filter group.
PlayerFilter playerFilterAt(int option);
GameFilter gameFilterAt(int option);

class LibraryProgramTest : public SiteProgramTest {
  protected:
    // The saved queries are `queries`, numbered 1, 2, ...
    void installLibrary(const std::vector<Delivered>& queries);
    // Small pictures for every level and medal the queries can name.
    void drawPictures();
    // Three players' world downloaded from the site (seed 7) and the
    // delivered library installed over it, with its pictures.
    void downloadWorldWithLibrary(std::vector<Delivered>* queries);
};

}  // namespace tw::testing
