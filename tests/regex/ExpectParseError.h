// Runs a piece of code that must raise a pattern error, and checks the error's message
// and, when given, its position; failures name the case by its label.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "regex/CharCode.h"

template <typename Code>
void ExpectParseError(Code&& code, std::string_view message, std::optional<int> position, std::string_view label)
{
    try {
        code();
        ADD_FAILURE() << "no error for " << label;
    } catch (const ERegExpParser& e) {
        EXPECT_EQ(std::string(e.what()), message) << label;
        if (position) {
            EXPECT_EQ(e.ErrorPos, *position) << label;
        }
    }
}
