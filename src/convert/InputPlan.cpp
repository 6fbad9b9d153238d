#include "convert/InputPlan.h"

#include "platform/FileSystem.h"
#include "survey/SurveyFormat.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace wavemark {
namespace {

bool givesTwoFiles(const FirstInput& first, size_t inputs) {
    if (first.error != 0 || first.format == nullptr) {
        return inputs == 2;
    }
    return !HoldsReadings(first.format);
}

void leaveOutRepeats(const std::vector<std::string>& inputs, InputPlan& plan) {
    std::vector<std::pair<uint64_t, uint64_t>> seen;
    for (const std::string& path : inputs) {
        platform::FileFacts facts;
        if (platform::InspectInput(path, facts) == 0 && facts.kind == platform::FileKind::Regular) {
            const std::pair file(facts.device, facts.inode);
            if (std::ranges::find(seen, file) != seen.end()) {
                plan.repeated.push_back(path);
                continue;
            }
            seen.push_back(file);
        }
        plan.paths.push_back(path);
    }
}

} // namespace

std::vector<InputFile> InputPlan::files() const {
    std::vector<InputFile> files;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (first.format == nullptr) {
            files.push_back({"input", paths[i]});
        } else {
            files.push_back(
                {twoFiles && i > 0 ? first.format->readingsRole : first.format->role, paths[i]});
        }
    }
    return files;
}

void PlanInputs(const std::vector<std::string>& inputs, bool readings, InputPlan& plan) {
    if (std::ranges::count(inputs, std::string(platform::kStandardInput)) > 1) {
        plan.problem = InputProblem::TwoStandardInputs;
        return;
    }
    // A pipe cannot be read twice: the bytes that tell the kind are read on.
    OpenFirstInput(inputs[0], plan.first);
    plan.twoFiles = givesTwoFiles(plan.first, inputs.size());
    if (!plan.twoFiles) {
        leaveOutRepeats(inputs, plan);
        return;
    }
    plan.paths = inputs;
    if (plan.paths.size() > 2) {
        plan.problem = InputProblem::TooManyFiles;
    } else if (readings && plan.paths.size() < 2) {
        plan.problem = InputProblem::NoReadingsFile;
    }
}

} // namespace wavemark
