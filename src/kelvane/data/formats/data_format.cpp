// Names of the formats and the format a file name tells.
#include "kelvane/data/formats/data_format.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "kelvane/data/marker_data_loader.hpp"

namespace kelvane {
namespace {

constexpr std::array<std::pair<DataFormat, std::string_view>, 6> kNames{{
    {DataFormat::kMarker, "marker"},
    {DataFormat::kFstat, "fstat"},
    {DataFormat::kGenalex, "genalex"},
    {DataFormat::kGenepop, "genepop"},
    {DataFormat::kStructure, "structure"},
    {DataFormat::kVcf, "vcf"},
}};

// Whether name ends in suffix, letters compared without case (".CSV" is a GenAlEx file too).
bool ends_with_folded(const std::string& name, std::string_view suffix) {
    if (name.size() <= suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(),
                      name.end() - static_cast<std::ptrdiff_t>(suffix.size()), [](char a, char b) {
                          const auto lower = [](char c) {
                              return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                          };
                          return lower(a) == lower(b);
                      });
}

}  // namespace

std::string_view format_name(DataFormat format) {
    for (const auto& [known, name] : kNames) {
        if (known == format) {
            return name;
        }
    }
    return "marker";
}

std::optional<DataFormat> format_named(std::string_view name) {
    for (const auto& [format, known] : kNames) {
        if (known == name) {
            return format;
        }
    }
    return std::nullopt;
}

DataFormat format_of_file_name(const std::string& name) {
    // The FSTAT rule is the dialogue's, lower case only, and stays so.
    if (is_fstat_name(name)) {
        return DataFormat::kFstat;
    }
    if (ends_with_folded(name, ".csv")) {
        return DataFormat::kGenalex;
    }
    if (ends_with_folded(name, ".gen")) {
        return DataFormat::kGenepop;
    }
    if (ends_with_folded(name, ".str")) {
        return DataFormat::kStructure;
    }
    for (const std::string_view vcf : {".vcf", ".vcf.gz", ".vcf.bgz", ".bcf"}) {
        if (ends_with_folded(name, vcf)) {
            return DataFormat::kVcf;
        }
    }
    return DataFormat::kMarker;
}

std::optional<std::vector<StructureColumn>> structure_columns_named(std::string_view list) {
    std::vector<StructureColumn> columns;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "label") {
            columns.push_back(StructureColumn::kLabel);
        } else if (name == "population") {
            columns.push_back(StructureColumn::kPopulation);
        } else if (name == "skip") {
            columns.push_back(StructureColumn::kSkip);
        } else {
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
        if (list.empty()) {
            return std::nullopt;
        }
    }
    for (const StructureColumn once : {StructureColumn::kLabel, StructureColumn::kPopulation}) {
        if (std::ranges::count(columns, once) > 1) {
            return std::nullopt;
        }
    }
    return columns;
}

}  // namespace kelvane
