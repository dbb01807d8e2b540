#pragma once
// The text of the gravmark::Error a call throws, or "no error" when it returns.
#include <string>

#include "common/error.h"

namespace gravmark::test {

template <typename Call>
std::string errorText(Call&& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace gravmark::test
