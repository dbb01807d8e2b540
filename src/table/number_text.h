#pragma once
// A number as the table spells it wherever a number becomes text (a number given to a
// string field, a prefix filter on a number field): decimal integers, floats as the
// shortest text that reads back to the same value. The work file spells them alike.
#include <charconv>
#include <string>

namespace gravmark {

template <class T>
std::string numberText(T value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

}  // namespace gravmark
