#pragma once
// The six sections of the TPS Report, run by the driver in this order:
// header, career, rating, matrix, trophy room, quits. Each fills its tokens in
// the page from its statement for CurrentGamertag. For a player with stored
// games every token gets a value; for a player without, a section finds no
// rows and leaves its tokens as they are (the rating's take their fallbacks).
// Errors are AppErrors, which end the run through the driver's error path.

namespace tw {

struct ProgramState;
class ReportPage;

void HeaderSection(ProgramState& state, ReportPage& page);
void CareerSection(ProgramState& state, ReportPage& page);
void EgrSection(ProgramState& state, ReportPage& page);
void MatrixSection(ProgramState& state, ReportPage& page);
void TrophySection(ProgramState& state, ReportPage& page);
// Leaves rsWork open; the driver's clean-up closes it.
void QuitsSection(ProgramState& state, ReportPage& page);

}  // namespace tw
