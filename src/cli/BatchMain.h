#pragma once
// `tallywick COMMAND ...`: one job without the window, then exit. The job runs
// the same services the window binds, on a core application: no display, no
// platform plugin.

namespace tw::batch {

// argv as main() received it, with at least one argument after the program's
// name. Returns the exit code.
int batchMain(int argc, char* argv[]);

}  // namespace tw::batch
