#pragma once

#include "survey/Survey.h"
#include "survey/SurveyFile.h"

#include <string>

namespace wavemark::test {

// A reader's outcome as text, to compare whole: the problem, then (unless a
// read failed, when the caller drops the survey) a line per access point,
// per reading and per count left out, and the log date.
std::string SurveyText(const SurveyProblem& problem, const Survey& survey);

} // namespace wavemark::test
