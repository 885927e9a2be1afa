#pragma once

#include "data/FatalError.h"

#include <string>

namespace cubrava::test {

// What the FatalError the action raises says; empty when it raises none.
template <typename Action> std::string fatalMessageOf(Action&& action)
{
    try {
        action();
    } catch (const FatalError& e) {
        return e.what();
    }
    return "";
}

} // namespace cubrava::test
