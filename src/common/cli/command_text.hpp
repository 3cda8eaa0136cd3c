// A command as a person types it into a POSIX shell: the words that need it in single quotes,
// so that a report's command can be copied and run as it stands.
#pragma once

#include <string>
#include <vector>

namespace clonal::cli {

std::string command_text(const std::vector<std::string>& words);

}  // namespace clonal::cli
