#pragma once

#include "convert/Convert.h"
#include "platform/OutputTarget.h"

#include <string>
#include <vector>

namespace wavemark {

enum class InputProblem {
    None,
    TwoStandardInputs, // "-" given twice
    TooManyFiles,      // more than two files of a format that keeps its readings apart
    NoReadingsFile,    // the file of readings missing while tracks are wanted
};

// The inputs of a run without the window, as a command line lists them,
// told apart once: the first is opened, and its first bytes tell whether
// they are the two files of a format that keeps its readings apart (a
// summary and a text export) or survey files that hold their readings. A
// first input of no known kind, or one that cannot be read, is taken for
// the first of two when a second stands beside it, and the conversion then
// says what is wrong with it.
struct InputPlan {
    FirstInput first;
    bool twoFiles = false;
    // What to read: survey files given again, under the same or another
    // name, are read once, as merging a file with itself would double its
    // readings; those left out are in `repeated`.
    std::vector<std::string> paths;
    std::vector<std::string> repeated;
    InputProblem problem = InputProblem::None;

    // The inputs by the roles the output's description and its checks name
    // them by ("summary export", "survey").
    std::vector<InputFile> files() const;
};

// `readings`: whether a file of readings is wanted, for tracks or for
// estimated positions.
void PlanInputs(const std::vector<std::string>& inputs, bool readings, InputPlan& plan);

} // namespace wavemark
