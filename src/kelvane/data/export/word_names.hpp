// Names made fit for formats that separate everything by white space and limit the length of a
// name: white space becomes _, an empty name takes a stand-in, a long one is cut. The number of
// names changed is counted for the note that tells the user.
#pragma once

#include <cstddef>
#include <string>

namespace kelvane {

class WordNames {
  public:
    explicit WordNames(std::size_t longest) : longest_(longest) {}

    // name fit for the format; stand_in when it is empty.
    std::string fit(const std::string& name, const std::string& stand_in);

    int changed() const { return changed_; }

  private:
    std::size_t longest_;
    int changed_ = 0;
};

}  // namespace kelvane
