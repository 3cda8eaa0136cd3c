// Names made fit for formats that separate everything by white space and limit the length of a
// name: white space becomes _, an empty name takes a stand-in, a long one is cut (between UTF-8
// characters), and a name already given (two long names cut alike, or a name that repeats) takes a
// number, _2, _3, ..., so that no two names are alike. The names changed are kept for the note that
// tells the user.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kelvane {

class WordNames {
  public:
    explicit WordNames(std::size_t longest) : longest_(longest) {}

    // name fit for the format; stand_in when it is empty.
    std::string fit(const std::string& name, const std::string& stand_in);

    int changed() const { return static_cast<int>(changes_.size()); }

    // The first few changes as "'North Lake' as North_Lake, ...".
    std::string changes_text(std::size_t shown = 5) const;

  private:
    std::size_t longest_;
    std::unordered_set<std::string> given_;
    std::vector<std::pair<std::string, std::string>> changes_;
};

}  // namespace kelvane
