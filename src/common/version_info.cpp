#include "common/version_info.h"

namespace gravmark {

const std::optional<VersionRecord>& builtInVersionRecord() {
    static const std::optional<VersionRecord> record = VersionRecord{
        "Thornvale Clan",   // CompanyName
        "Gravmark Parser",  // FileDescription
        "1.0.2.11",         // FileVersion
        "GravmarkParser",   // InternalName
        "",                 // LegalCopyright
        "",                 // LegalTrademarks
        "GravmarkParser",   // OriginalFilename
        "Gravmark Parser",  // ProductName
        "1.0.2.11",         // ProductVersion
        "",                 // Comments
    };
    return record;
}

VersionInfo::VersionInfo() : VersionInfo(builtInVersionRecord()) {}

VersionInfo::VersionInfo(std::optional<VersionRecord> record) {
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i] = record ? (*record)[i].value_or(std::string()) : "Value Not Available";
    }
}

std::string VersionInfo::item(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return {};
    return items_[static_cast<size_t>(index)];
}

}  // namespace gravmark
