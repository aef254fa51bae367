#pragma once
// The six sections of the TPS Report, run by the driver in this order:
// header, career, rating, matrix, trophy room, quits. Each fills its tokens in
// the page from its statement for CurrentGamertag; a statement without rows
// leaves its tokens as they are (the rating's tokens take their fallbacks).
// Errors are AppErrors, which end the run through the driver's error path.

#include <QByteArray>

namespace tw {

struct ProgramState;

void HeaderSection(ProgramState& state, QByteArray& reportText);
void CareerSection(ProgramState& state, QByteArray& reportText);
void EgrSection(ProgramState& state, QByteArray& reportText);
void MatrixSection(ProgramState& state, QByteArray& reportText);
void TrophySection(ProgramState& state, QByteArray& reportText);
// Leaves rsWork open; the driver's clean-up closes it.
void QuitsSection(ProgramState& state, QByteArray& reportText);

}  // namespace tw
