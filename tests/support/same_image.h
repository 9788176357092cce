// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GoogleTest's comparison of two whole images: on failure it lists the differing bytes with
// their owners (tests/support/image_bytes.h) instead of printing both images.
#include <gtest/gtest.h>

#include "support/image_bytes.h"

namespace radioprog::test {

inline ::testing::AssertionResult SameImage(const char* aText, const char* bText, const RadioImage& a,
                                            const RadioImage& b) {
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << aText << " and " << bText << " differ: " << ImageByteDifferences(a, b);
}

}  // namespace radioprog::test

#define EXPECT_SAME_IMAGE(a, b) EXPECT_PRED_FORMAT2(::radioprog::test::SameImage, a, b)
#define ASSERT_SAME_IMAGE(a, b) ASSERT_PRED_FORMAT2(::radioprog::test::SameImage, a, b)
