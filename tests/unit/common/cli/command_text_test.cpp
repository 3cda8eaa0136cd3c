// Commands as a shell reads them back: a report's command can be copied and run as it stands.
#include "common/cli/command_text.hpp"

#include <gtest/gtest.h>

namespace clonal::cli {
namespace {

TEST(CommandText, WordsAreQuotedOnlyWhereTheShellNeedsIt) {
    EXPECT_EQ(command_text({"kelvane", "amova", "data/plants.txt", "--seed", "12345,67890"}),
              "kelvane amova data/plants.txt --seed 12345,67890");
    EXPECT_EQ(command_text({"marsyl", "indices", "my clones.txt"}),
              "marsyl indices 'my clones.txt'");
    EXPECT_EQ(command_text({"a", "it's", "", "$HOME", "<x>"}), "a 'it'\\''s' '' '$HOME' '<x>'");
}

}  // namespace
}  // namespace clonal::cli
