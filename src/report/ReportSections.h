#pragma once
// The six sections of the TPS Report, run by the driver in this order:
// header, career, rating, matrix, trophy room, quits. Each fills its tokens in
// the page from its statement for CurrentGamertag. For a player with stored
// games every token gets a value; for a player without, a section finds no
// rows and leaves its tokens as they are (the rating's take their fallbacks).
// Errors are AppErrors, which end the run through the driver's error path.

namespace tw {

struct Session;
class ReportPage;

void HeaderSection(Session& state, ReportPage& page);
void CareerSection(Session& state, ReportPage& page);
void EgrSection(Session& state, ReportPage& page);
void MatrixSection(Session& state, ReportPage& page);
void TrophySection(Session& state, ReportPage& page);
// Leaves rsWork open; the driver's clean-up closes it.
void QuitsSection(Session& state, ReportPage& page);

}  // namespace tw
