#include "document/setup_document.h"

#include <gtest/gtest.h>

TEST(SetupDocument, Placeholder) { SetupDocument d; EXPECT_EQ(d.aeqMode, 96); }
