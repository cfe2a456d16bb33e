#include "FeedFiles.h"
#include "core/feed/FeedText.h"

namespace {

void addTeam(std::vector<FeedFile>& files, const std::string& prefix, const TeamState& team) {
    files.push_back({prefix + "_name.txt", team.name});
    files.push_back({prefix + "_score.txt", numberText(team.scoreDigits)});
    files.push_back({prefix + "_penalty1.txt", penaltyText(team.penalties[0].digits)});
    files.push_back({prefix + "_penalty2.txt", penaltyText(team.penalties[1].digits)});
}

} // namespace

std::vector<FeedFile> feedFiles(const BoardState& state) {
    std::vector<FeedFile> files;
    files.reserve(10);
    files.push_back({"clock.txt", gameClockText(state.clock.digits)});
    files.push_back({"period.txt", numberText(state.periodDigits)});
    addTeam(files, "home", state.home);
    addTeam(files, "visitor", state.visitor);
    return files;
}

std::vector<FeedFile> FeedFileChanges::changed(const std::vector<FeedFile>& files) const {
    std::vector<FeedFile> out;
    for (const FeedFile& f : files) {
        const auto it = m_written.find(f.name);
        if (it == m_written.end() || it->second != f.text) {
            out.push_back(f);
        }
    }
    return out;
}

void FeedFileChanges::recordWritten(const FeedFile& file) {
    m_written[file.name] = file.text;
}
