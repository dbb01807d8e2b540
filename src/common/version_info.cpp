#include "common/version_info.h"

namespace gravmark {

const std::optional<VersionRecord>& builtInVersionRecord() {
    static const std::optional<VersionRecord> record = VersionRecord{
        std::string("Thornvale Clan"),
        std::string("Gravmark Parser"),
        std::string("1.0.2.11"),
        std::string("GravmarkParser"),
        std::string(),
        std::string(),
        std::string("GravmarkParser"),
        std::string("Gravmark Parser"),
        std::string("1.0.2.11"),
        std::string(),
    };
    return record;
}

VersionInfo::VersionInfo() : VersionInfo(builtInVersionRecord()) {}

VersionInfo::VersionInfo(std::optional<VersionRecord> record) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (!record) items_[i] = "Value Not Available";
        else items_[i] = (*record)[i].value_or(std::string());
    }
}

std::string VersionInfo::item(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return {};
    return items_[static_cast<size_t>(index)];
}

}  // namespace gravmark
