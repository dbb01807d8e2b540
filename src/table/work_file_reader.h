#pragma once
// readWorkFile: reads a data packet written by WorkFileWriter (or of the same form).
//
// The file is read in blocks and its rows parsed a block at a time, so memory stays
// small whatever the file's size. The field definitions come first, then every row in
// file order, each as one value per field (absent for a null). Anything that is not
// such a packet, or is cut short, throws an Error naming the file.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "table/record_table.h"

namespace gravmark {

struct PacketValue {
    bool present = false;
    std::string_view text;  // strings
    int32_t integer = 0;
    double real = 0;
};

void readWorkFile(const std::string& path, const std::function<void(std::vector<FieldDef>)>& onFields,
                  const std::function<void(const std::vector<PacketValue>&)>& onRow);

}  // namespace gravmark
