// The VCF and BCF reader: sites are read one after the other and their copies appended, a byte
// each, in chunks that are joined once the file is read, so that memory stays near the size of
// the copies themselves.
#include "kelvane/data/formats/vcf_reader.hpp"

#include <htslib/hts.h>
#include <htslib/hts_log.h>
#include <htslib/kseq.h>
#include <htslib/vcf.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"

namespace kelvane {
namespace {

using clonal::FatalError;

// Copies a chunk holds: 64 MB of bytes, above the size from which the C library maps memory of
// its own for a block and gives it back when freed, so that joining the chunks into one block
// needs no more than one chunk beyond the copies themselves.
constexpr std::size_t kChunkCopies = std::size_t{1} << 26;

struct HtsFileCloser {
    void operator()(htsFile* file) const { hts_close(file); }
};
struct HeaderFree {
    void operator()(bcf_hdr_t* header) const { bcf_hdr_destroy(header); }
};
struct RecordFree {
    void operator()(bcf1_t* record) const { bcf_destroy(record); }
};
// The genotype array htslib fills and grows.
struct GenotypeBuffer {
    int32_t* values = nullptr;
    int size = 0;
    GenotypeBuffer() = default;
    GenotypeBuffer(const GenotypeBuffer&) = delete;
    GenotypeBuffer& operator=(const GenotypeBuffer&) = delete;
    ~GenotypeBuffer() { std::free(values); }
};

// The copies of the sites read so far, site after site: bytes while every code fits one.
class SiteCopies {
  public:
    void append(const std::vector<int32_t>& site, int32_t ploidy) {
        ploidies_.push_back(ploidy);
        most_ploidy_ = std::max(most_ploidy_, ploidy);
        const int32_t largest = site.empty() ? 0 : std::ranges::max(site);
        largest_ = std::max(largest_, largest);
        if (!wide_ && !AlleleCopies::fits_byte(largest)) {
            widen();
        }
        if (wide_) {
            append_to(ints_, site);
        } else {
            append_to(bytes_, site);
        }
    }

    int32_t most_ploidy() const { return most_ploidy_; }
    int32_t largest() const { return largest_; }
    std::size_t sites() const { return ploidies_.size(); }

    // The copies laid out with slots of the largest ploidy; every chunk is given back as it is
    // taken over.
    AlleleCopies take(std::size_t samples) {
        AlleleCopies copies;
        const auto slots = static_cast<std::size_t>(std::max(most_ploidy_, 1));
        const bool uniform = std::ranges::all_of(
            ploidies_, [&](int32_t p) { return static_cast<std::size_t>(p) == slots; });
        if (uniform && !wide_) {
            std::vector<uint8_t> joined;
            joined.reserve(samples * slots * ploidies_.size());
            for (auto& chunk : bytes_) {
                joined.insert(joined.end(), chunk.begin(), chunk.end());
                std::vector<uint8_t>().swap(chunk);
            }
            copies.assign_bytes(std::move(joined));
            return copies;
        }
        copies.assign(samples * slots * ploidies_.size(), 0);
        std::size_t from = 0;
        for (std::size_t site = 0; site < ploidies_.size(); ++site) {
            const auto ploidy = static_cast<std::size_t>(ploidies_[site]);
            for (std::size_t s = 0; s < samples; ++s) {
                for (std::size_t c = 0; c < ploidy; ++c, ++from) {
                    copies.set((site * samples + s) * slots + c, code(from));
                }
            }
        }
        return copies;
    }

  private:
    template <class T>
    static void append_to(std::vector<std::vector<T>>& chunks, const std::vector<int32_t>& site) {
        for (std::size_t from = 0; from < site.size();) {
            if (chunks.empty() || chunks.back().size() == kChunkCopies) {
                chunks.emplace_back();
                chunks.back().reserve(kChunkCopies);
            }
            std::vector<T>& chunk = chunks.back();
            const std::size_t count = std::min(site.size() - from, kChunkCopies - chunk.size());
            const std::size_t end = chunk.size();
            chunk.resize(end + count);
            for (std::size_t c = 0; c < count; ++c) {
                chunk[end + c] = static_cast<T>(site[from + c]);
            }
            from += count;
        }
    }

    int32_t code(std::size_t index) const {
        const std::size_t chunk = index / kChunkCopies;
        const std::size_t at = index % kChunkCopies;
        return wide_ ? ints_[chunk][at] : bytes_[chunk][at];
    }

    void widen() {
        for (auto& chunk : bytes_) {
            ints_.emplace_back(chunk.begin(), chunk.end());
            ints_.back().reserve(kChunkCopies);
            std::vector<uint8_t>().swap(chunk);
        }
        bytes_.clear();
        wide_ = true;
    }

    bool wide_ = false;
    int32_t most_ploidy_ = 0;
    int32_t largest_ = 0;
    std::vector<int32_t> ploidies_;
    std::vector<std::vector<uint8_t>> bytes_;
    std::vector<std::vector<int32_t>> ints_;
};

std::string site_name(const bcf_hdr_t* header, const bcf1_t* record) {
    return clonal::format("%s:%lld", bcf_seqname_safe(header, record),
                          static_cast<long long>(record->pos) + 1);
}

std::string where(const bcf_hdr_t* header, const bcf1_t* record, std::size_t site) {
    return clonal::format("site %zu (%s)", site, site_name(header, record).c_str());
}

// The errors of a site htslib read with a complaint that makes its content doubtful.
void check_record(const bcf_hdr_t* header, const bcf1_t* record, std::size_t site) {
    constexpr int kFatal =
        BCF_ERR_NCOLS | BCF_ERR_LIMITS | BCF_ERR_CHAR | BCF_ERR_CTG_INVALID | BCF_ERR_TAG_INVALID;
    if ((record->errcode & kFatal) != 0) {
        const char* what = (record->errcode & BCF_ERR_NCOLS) != 0    ? "has too few columns"
                           : (record->errcode & BCF_ERR_LIMITS) != 0 ? "exceeds htslib's limits"
                           : (record->errcode & BCF_ERR_CHAR) != 0   ? "holds invalid characters"
                                                                     : "names an invalid contig "
                                                                       "or tag";
        throw FatalError(
            clonal::format("the VCF line of %s %s", where(header, record, site).c_str(), what));
    }
}

// Reads the next site as bcf_read does. A text VCF line is read here before htslib parses it,
// so that its columns can be counted: htslib reads the columns the header names and would drop
// the rest without a word. columns is the count, or 0 for a BCF record.
int read_site(htsFile* file, bcf_hdr_t* header, bcf1_t* record, int64_t& columns) {
    columns = 0;
    if (hts_get_format(file)->format != vcf) {
        return bcf_read(file, header, record);
    }
    const int status = hts_getline(file, KS_SEP_LINE, &file->line);
    if (status < 0) {
        return status;
    }
    // A CR at the end of the file, with no LF after it, ends the line as CR LF does.
    if (file->line.l > 0 && file->line.s[file->line.l - 1] == '\r') {
        file->line.s[--file->line.l] = '\0';
    }
    const std::string_view line(file->line.s, file->line.l);
    columns = static_cast<int64_t>(std::count(line.begin(), line.end(), '\t')) + 1;
    return vcf_parse(&file->line, header, record) == 0 ? 0 : -2;
}

// A text file that starts with a UTF-8 byte-order mark, which htslib does not recognise, is read
// from a copy without it; the copy is removed when the reading ends.
class WithoutByteOrderMark {
  public:
    explicit WithoutByteOrderMark(const std::string& path) : path_(path) {
        std::ifstream in(path, std::ios::binary);
        char mark[3] = {};
        in.read(mark, 3);
        if (in.gcount() != 3 || std::string_view(mark, 3) != "\xEF\xBB\xBF") {
            return;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "vcf-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            throw FatalError("no room for a copy of the file without its byte-order mark");
        }
        close(fd);
        copy_ = pattern;
        std::ofstream out(copy_, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        if (!out.flush()) {
            throw FatalError("no room for a copy of the file without its byte-order mark");
        }
        path_ = copy_;
    }
    ~WithoutByteOrderMark() {
        if (!copy_.empty()) {
            std::remove(copy_.c_str());
        }
    }
    WithoutByteOrderMark(const WithoutByteOrderMark&) = delete;
    WithoutByteOrderMark& operator=(const WithoutByteOrderMark&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string copy_;
};

}  // namespace

VcfData read_vcf(const std::string& path, const FormatSettings& settings, int threads) {
    // htslib would write its complaints to standard error; the reader reports them itself.
    hts_set_log_level(HTS_LOG_OFF);
    const WithoutByteOrderMark readable(path);
    const std::unique_ptr<htsFile, HtsFileCloser> file(hts_open(readable.path().c_str(), "r"));
    if (!file) {
        throw FatalError("cannot be opened as a VCF or BCF file");
    }
    if (hts_get_format(file.get())->category != variant_data) {
        throw FatalError("not a VCF or BCF file");
    }
    if (threads > 0) {
        hts_set_threads(file.get(), threads);
    }
    const std::unique_ptr<bcf_hdr_t, HeaderFree> header(bcf_hdr_read(file.get()));
    if (!header) {
        throw FatalError("the VCF header cannot be read");
    }
    const int samples = bcf_hdr_nsamples(header.get());
    if (samples < 1) {
        throw FatalError("the VCF file has no samples");
    }
    const std::unique_ptr<bcf1_t, RecordFree> record(bcf_init());
    std::vector<std::string> locus_names;
    SiteCopies copies;
    VcfData read;
    GenotypeBuffer genotypes;
    std::vector<int32_t> site;
    for (std::size_t number = 1;; ++number) {
        int64_t columns = 0;
        const int status = read_site(file.get(), header.get(), record.get(), columns);
        if (status == -1) {
            break;
        }
        if (status < -1) {
            throw FatalError(clonal::format("the VCF text of site %zu cannot be read", number));
        }
        check_record(header.get(), record.get(), number);
        if (const int64_t expected = 9 + samples; columns > expected) {
            throw FatalError(clonal::format(
                "the VCF line of %s holds %lld columns; the header names %d samples, so %lld",
                where(header.get(), record.get(), number).c_str(), static_cast<long long>(columns),
                samples, static_cast<long long>(expected)));
        }
        bcf_unpack(record.get(), BCF_UN_STR);
        const int values =
            bcf_get_genotypes(header.get(), record.get(), &genotypes.values, &genotypes.size);
        if (values <= 0 || values % samples != 0) {
            throw FatalError(clonal::format("%s has no genotypes (GT)",
                                            where(header.get(), record.get(), number).c_str()));
        }
        const int32_t ploidy = values / samples;
        site.assign(static_cast<std::size_t>(values), 0);
        int called = 0;
        for (int s = 0; s < samples; ++s) {
            bool complete = true;
            int present = 0;
            for (int32_t c = 0; c < ploidy; ++c) {
                const int32_t value = genotypes.values[s * ploidy + c];
                if (value == bcf_int32_vector_end) {
                    break;
                }
                if (bcf_gt_is_missing(value)) {
                    complete = false;
                    continue;
                }
                const int32_t allele = bcf_gt_allele(value);
                if (allele < 0 || allele >= record->n_allele) {
                    throw FatalError(clonal::format(
                        "the genotype of sample %s at %s names allele %d, the site has %d",
                        header->samples[s], where(header.get(), record.get(), number).c_str(),
                        allele, record->n_allele));
                }
                site[static_cast<std::size_t>(s * ploidy + c)] = allele + 1;
                ++present;
            }
            called += complete && present > 0 ? 1 : 0;
        }
        if (static_cast<double>(called) < settings.min_call_rate * samples) {
            ++read.sites_left_out;
            continue;
        }
        copies.append(site, ploidy);
        const char* id = record->d.id;
        locus_names.push_back(id != nullptr && std::string_view(id) != "."
                                  ? std::string(id)
                                  : site_name(header.get(), record.get()));
    }
    if (copies.sites() == 0) {
        if (read.sites_left_out > 0) {
            throw FatalError("no site of the VCF file is called in enough samples ({setting})",
                             clonal::ErrorKind::kData, "min_call_rate");
        }
        throw FatalError("the VCF file has no sites");
    }
    MarkerData& data = read.data;
    data.title = "VCF data\n";
    data.n_individuals = samples;
    data.n_populations = 1;
    data.n_loci = static_cast<int32_t>(copies.sites());
    data.max_ploidy = std::max(copies.most_ploidy(), 1);
    data.digits = decimal_digits(copies.largest());
    data.pop_vector.assign(static_cast<std::size_t>(samples), 1);
    data.pop_names = {"pop1"};
    for (int s = 0; s < samples; ++s) {
        data.ind_names.emplace_back(header->samples[s]);
    }
    data.locus_names = std::move(locus_names);
    data.copies = copies.take(static_cast<std::size_t>(samples));
    return read;
}

}  // namespace kelvane
