// GraphML and DOT text of the network.
#include "kelvane/grouping/spanning/network_files.hpp"

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/markup_escape.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane {
namespace {

// Text as a quoted DOT string.
std::string dot_string(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    return quoted + "\"";
}

}  // namespace

NetworkNodes network_nodes(const MarkerData& data, const Genotypes& genotypes) {
    NetworkNodes content;
    const auto k = static_cast<std::size_t>(genotypes.count);
    content.individuals.resize(k);
    content.per_population.resize(k);
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        const auto g = static_cast<std::size_t>(genotypes.numbers[i] - 1);
        std::string& names = content.individuals[g];
        names += names.empty() ? "" : " ";
        names += data.ind_names[i];
        const int32_t p = data.pop_vector[i];
        if (p >= 1 && p <= data.n_populations) {
            ++content.per_population[g][p];
        }
    }
    return content;
}

int64_t NetworkNodes::size(std::size_t g) const {
    int64_t size = 0;
    for (const auto& [population, count] : per_population[g]) {
        size += count;
    }
    return size;
}

void write_network_graphml(const MarkerData& data, const Genotypes& genotypes,
                           std::span<const NetworkEdge> edges, std::ostream& out) {
    const NetworkNodes content = network_nodes(data, genotypes);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\"\n"
           "    xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
           "    xsi:schemaLocation=\"http://graphml.graphdrawing.org/xmlns "
           "http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd\">\n"
           "  <key id=\"genotype\" for=\"node\" attr.name=\"genotype\" attr.type=\"int\"/>\n"
           "  <key id=\"size\" for=\"node\" attr.name=\"size\" attr.type=\"int\"/>\n"
           "  <key id=\"individuals\" for=\"node\" attr.name=\"individuals\" "
           "attr.type=\"string\"/>\n";
    for (int p = 1; p <= data.n_populations; ++p) {
        out << "  <key id=\"p" << p << "\" for=\"node\" attr.name=\"pop_"
            << clonal::escape_markup(data.population_name(p))
            << "\" attr.type=\"int\"><default>0</default></key>\n";
    }
    out << "  <key id=\"weight\" for=\"edge\" attr.name=\"weight\" attr.type=\"int\"/>\n"
           "  <graph id=\"network\" edgedefault=\"undirected\">\n";
    for (std::size_t g = 0; g < content.individuals.size(); ++g) {
        out << "    <node id=\"g" << g + 1 << "\">\n"
            << "      <data key=\"genotype\">" << g + 1 << "</data>\n"
            << "      <data key=\"size\">" << content.size(g) << "</data>\n"
            << "      <data key=\"individuals\">" << clonal::escape_markup(content.individuals[g])
            << "</data>\n";
        for (const auto& [population, count] : content.per_population[g]) {
            out << "      <data key=\"p" << population << "\">" << count << "</data>\n";
        }
        out << "    </node>\n";
    }
    for (const NetworkEdge& edge : edges) {
        out << "    <edge source=\"g" << edge.a + 1 << "\" target=\"g" << edge.b + 1 << "\">\n"
            << "      <data key=\"weight\">" << clonal::distance_text(edge.distance) << "</data>\n"
            << "    </edge>\n";
    }
    out << "  </graph>\n</graphml>\n";
}

void write_network_dot(const MarkerData& data, const Genotypes& genotypes,
                       std::span<const NetworkEdge> edges, std::ostream& out) {
    const NetworkNodes content = network_nodes(data, genotypes);
    out << "graph network {\n";
    for (std::size_t g = 0; g < content.individuals.size(); ++g) {
        out << "  g" << g + 1 << " [label=\"" << g + 1 << "\", genotype=" << g + 1
            << ", size=" << content.size(g)
            << ", individuals=" << dot_string(content.individuals[g]);
        for (const auto& [population, count] : content.per_population[g]) {
            out << ", " << dot_string("pop_" + data.population_name(population)) << '=' << count;
        }
        out << "];\n";
    }
    for (const NetworkEdge& edge : edges) {
        const std::string distance = clonal::distance_text(edge.distance);
        out << "  g" << edge.a + 1 << " -- g" << edge.b + 1 << " [weight=" << distance
            << ", label=\"" << distance << "\"];\n";
    }
    out << "}\n";
}

}  // namespace kelvane
