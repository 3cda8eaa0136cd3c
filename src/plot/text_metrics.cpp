// The width estimate of text.
#include "plot/text_metrics.hpp"

#include <array>

namespace clonal::plot {
namespace {

// Advance widths in thousandths of the font size for the printable ASCII characters 32 to 126,
// rounded up from DejaVu Sans.
constexpr std::array<int, 95> kAdvance{318,  401, 461, 838, 637, 950, 780, 275,
                                       390,  390, 500, 838, 318, 361, 318, 337,  //  !"#$%&'()*+,-./
                                       637,  637, 637, 637, 637, 637, 637, 637,
                                       637,  637, 337, 337, 838, 838, 838, 531,  // 0-9 :;<=>?
                                       1000, 684, 686, 698, 770, 632, 575, 775,
                                       752,  295, 295, 656, 557, 863, 748, 787,  // @A-O
                                       603,  787, 695, 635, 611, 732, 684, 989,
                                       685,  611, 685, 390, 337, 390, 838, 500,  // P-Z [\]^_
                                       500,  613, 635, 550, 635, 615, 352, 635,
                                       634,  278, 278, 579, 278, 974, 634, 612,  // `a-o
                                       635,  635, 411, 521, 392, 634, 592, 818,
                                       592,  592, 525, 636, 337, 636, 838};  // p-z {|}~
// Any other character: as wide as the widest letters of most scripts.
constexpr int kOtherAdvance = 1000;

// The length of the UTF-8 character that starts with lead (1 for a stray byte).
std::size_t character_length(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

int advance(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character.front());
    if (character.size() == 1 && lead >= 32 && lead < 127) {
        return kAdvance[lead - 32];
    }
    return kOtherAdvance;
}

}  // namespace

double text_width(std::string_view text, double font_size) {
    long total = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            std::min(character_length(static_cast<unsigned char>(text[i])), text.size() - i);
        total += advance(text.substr(i, length));
        i += length;
    }
    return static_cast<double>(total) * font_size / 1000.0;
}

std::string fit_text(std::string_view text, double max_width, double font_size) {
    if (text_width(text, font_size) <= max_width) {
        return std::string(text);
    }
    constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
    const double room = max_width - text_width(kEllipsis, font_size);
    double used = 0.0;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length =
            std::min(character_length(static_cast<unsigned char>(text[end])), text.size() - end);
        const double width =
            static_cast<double>(advance(text.substr(end, length))) * font_size / 1000.0;
        if (used + width > room) {
            break;
        }
        used += width;
        end += length;
    }
    return std::string(text.substr(0, end)) + std::string(kEllipsis);
}

}  // namespace clonal::plot
