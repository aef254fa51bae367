#pragma once
// The six sections of the TPS Report, run by the driver in this order:
// header, career, rating, matrix, trophy room, quits. Each fills its tokens in
// the page from its statement for the run's player. For a player with stored
// games every token gets a value; for a player without, a section finds no
// rows and leaves its tokens as they are (the rating's take their fallbacks).
// Errors are AppErrors, which end the run through the driver's error path.

namespace tw {

class ReportPage;
struct ReportRun;

void headerSection(ReportRun& run, ReportPage& page);
void careerSection(ReportRun& run, ReportPage& page);
void egrSection(ReportRun& run, ReportPage& page);
void matrixSection(ReportRun& run, ReportPage& page);
void trophySection(ReportRun& run, ReportPage& page);
// Leaves the run's recordset open; the driver's clean-up closes it.
void quitsSection(ReportRun& run, ReportPage& page);

}  // namespace tw
