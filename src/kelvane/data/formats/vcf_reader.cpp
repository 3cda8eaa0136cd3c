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
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/large_array.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"

namespace kelvane {
namespace {

using clonal::FatalError;

// Copies a chunk holds: 64 MB of bytes, given back when freed, so that joining the chunks into
// one block needs no more than one chunk beyond the copies themselves.
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

// The copies of the sites read so far, site after site: bytes while every code fits one. The
// chunks are written as they fill, uninitialized until then and in huge pages where the system
// gives them, so that memory is touched once per copy.
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
            clonal::advise_huge_pages(joined.data(), joined.capacity());
            for (auto& chunk : bytes_) {
                joined.insert(joined.end(), chunk->items.data(), chunk->items.data() + chunk->size);
                chunk.reset();
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
    struct Chunk {
        clonal::LargeArray<T> items{kChunkCopies};
        std::size_t size = 0;
    };

    template <class T>
    using Chunks = std::vector<std::unique_ptr<Chunk<T>>>;

    template <class T>
    static void append_to(Chunks<T>& chunks, const std::vector<int32_t>& site) {
        for (std::size_t from = 0; from < site.size();) {
            if (chunks.empty() || chunks.back()->size == kChunkCopies) {
                chunks.push_back(std::make_unique<Chunk<T>>());
            }
            Chunk<T>& chunk = *chunks.back();
            const std::size_t count = std::min(site.size() - from, kChunkCopies - chunk.size);
            T* to = chunk.items.data() + chunk.size;
            for (std::size_t c = 0; c < count; ++c) {
                to[c] = static_cast<T>(site[from + c]);
            }
            chunk.size += count;
            from += count;
        }
    }

    int32_t code(std::size_t index) const {
        const std::size_t chunk = index / kChunkCopies;
        const std::size_t at = index % kChunkCopies;
        return wide_ ? ints_[chunk]->items.data()[at] : bytes_[chunk]->items.data()[at];
    }

    void widen() {
        for (auto& chunk : bytes_) {
            ints_.push_back(std::make_unique<Chunk<int32_t>>());
            std::copy(chunk->items.data(), chunk->items.data() + chunk->size,
                      ints_.back()->items.data());
            ints_.back()->size = chunk->size;
            chunk.reset();
        }
        bytes_.clear();
        wide_ = true;
    }

    bool wide_ = false;
    int32_t most_ploidy_ = 0;
    int32_t largest_ = 0;
    std::vector<int32_t> ploidies_;
    Chunks<uint8_t> bytes_;
    Chunks<int32_t> ints_;
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

// The genotypes of a text VCF line whose GT column is plain, read without htslib's parse of the
// whole line: FORMAT starts with GT and names only FORMAT tags of the header, the line has exactly
// the header's columns, and every sample's GT is alleles (digits, or . for a missing one)
// separated by / or |. Such a line gives the genotypes htslib gives, its first eight columns
// parsed by htslib alone; its other FORMAT fields are not read, so not judged. Any other line is
// left to htslib, which reads and judges it whole.
struct PlainCalls {
    std::vector<int32_t>
        copies;  // every sample's copies one after the other: allele + 1, 0 missing
    std::vector<int32_t> counts;  // the number of copies of each sample
    std::size_t site_end = 0;     // where the eighth column (INFO) ends
    int32_t ploidy = 0;           // the most copies of a sample
    int32_t largest = 0;          // the largest copy
    int called = 0;               // samples with every copy present

    // The copies as the site's row of ploidy slots per sample, shorter calls padded with
    // missing copies, as the genotypes htslib gives are read.
    void lay_out(std::vector<int32_t>& site) {
        if (std::ranges::all_of(counts, [&](int32_t count) { return count == ploidy; })) {
            std::swap(site, copies);
            return;
        }
        site.assign(counts.size() * static_cast<std::size_t>(ploidy), 0);
        std::size_t from = 0;
        for (std::size_t s = 0; s < counts.size(); ++s) {
            for (int32_t c = 0; c < counts[s]; ++c) {
                site[s * static_cast<std::size_t>(ploidy) + static_cast<std::size_t>(c)] =
                    copies[from++];
            }
        }
    }
};

// Whether a FORMAT column starts with GT and names only FORMAT tags of the header (the last one
// judged is remembered, as files repeat one FORMAT on every line).
class PlainFormats {
  public:
    explicit PlainFormats(const bcf_hdr_t* header) : header_(header) {}

    bool plain(std::string_view format) {
        if (format != last_) {
            last_ = format;
            verdict_ = judge(format);
        }
        return verdict_;
    }

  private:
    bool judge(std::string_view format) const {
        if (format != "GT" && !format.starts_with("GT:")) {
            return false;
        }
        for (std::size_t at = 0; at <= format.size();) {
            std::size_t colon = format.find(':', at);
            colon = colon == std::string_view::npos ? format.size() : colon;
            const std::string tag(format.substr(at, colon - at));
            const int id = bcf_hdr_id2int(header_, BCF_DT_ID, tag.c_str());
            if (tag.empty() || id < 0 || !bcf_hdr_idinfo_exists(header_, BCF_HL_FMT, id)) {
                return false;
            }
            at = colon + 1;
        }
        return true;
    }

    const bcf_hdr_t* header_;
    std::string last_;
    bool verdict_ = false;
};

// A kstring that gives its text back.
struct TextBuffer {
    kstring_t text{0, 0, nullptr};
    TextBuffer() = default;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;
    ~TextBuffer() { std::free(text.s); }
};

bool plain_calls(std::string_view line, int samples, PlainFormats& formats, PlainCalls& calls) {
    std::size_t at = 0;
    for (int column = 0; column < 9; ++column) {
        const std::size_t tab = line.find('\t', at);
        if (tab == std::string_view::npos) {
            return false;
        }
        if (column == 7) {
            calls.site_end = tab;
        }
        at = tab + 1;
    }
    if (!formats.plain(line.substr(calls.site_end + 1, at - 1 - calls.site_end - 1))) {
        return false;
    }
    calls.copies.clear();
    calls.counts.assign(static_cast<std::size_t>(samples), 0);
    calls.ploidy = 0;
    calls.largest = 0;
    calls.called = 0;
    const std::size_t end = line.size();
    for (int s = 0; s < samples; ++s) {
        int32_t count = 0;
        bool complete = true;
        for (;;) {
            if (at < end && line[at] == '.') {
                calls.copies.push_back(0);
                complete = false;
                ++at;
            } else {
                int32_t allele = 0;
                int digits = 0;
                for (; at < end && line[at] >= '0' && line[at] <= '9'; ++at, ++digits) {
                    if (digits < 9) {
                        allele = allele * 10 + (line[at] - '0');
                    }
                }
                if (digits == 0 || digits > 9) {
                    return false;
                }
                calls.copies.push_back(allele + 1);
                calls.largest = std::max(calls.largest, allele + 1);
            }
            ++count;
            if (at < end && (line[at] == '/' || line[at] == '|')) {
                ++at;
                continue;
            }
            break;
        }
        calls.counts[static_cast<std::size_t>(s)] = count;
        calls.ploidy = std::max(calls.ploidy, count);
        calls.called += complete ? 1 : 0;
        if (at < end && line[at] == ':') {
            at = line.find('\t', at);
            at = at == std::string_view::npos ? end : at;
        }
        const bool last = s + 1 == samples;
        if (last ? at != end : at >= end || line[at] != '\t') {
            return false;
        }
        ++at;
    }
    return true;
}

// Reads the next site's text line, or for a BCF file the next record. columns is the count of
// the text line's columns, or 0 for a BCF record (read whole into record).
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
    return 0;
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

// The copies of a site decoded from htslib's genotype values (ploidy per sample, shorter ones
// ended early) into site, allele a as a + 1 and 0 for a missing copy; the number of samples called
// in full. refuse(sample, allele) is called for an allele the site, of n_allele alleles, lacks.
template <class Refuse>
int decoded_calls(const int32_t* values, int samples, int32_t ploidy, int n_allele,
                  std::vector<int32_t>& site, const Refuse& refuse) {
    site.assign(static_cast<std::size_t>(samples) * static_cast<std::size_t>(ploidy), 0);
    int called = 0;
    for (int s = 0; s < samples; ++s) {
        bool complete = true;
        int present = 0;
        for (int32_t c = 0; c < ploidy; ++c) {
            const int32_t value = values[s * ploidy + c];
            if (value == bcf_int32_vector_end) {
                break;
            }
            if (bcf_gt_is_missing(value)) {
                complete = false;
                continue;
            }
            const int32_t allele = bcf_gt_allele(value);
            if (allele < 0 || allele >= n_allele) {
                refuse(s, allele);
            }
            site[static_cast<std::size_t>(s * ploidy + c)] = allele + 1;
            ++present;
        }
        called += complete && present > 0 ? 1 : 0;
    }
    return called;
}

// Calls refuse(sample, allele) for the first copy of the plain calls naming an allele the site,
// of n_allele alleles, lacks.
template <class Refuse>
void check_alleles(const PlainCalls& calls, int n_allele, const Refuse& refuse) {
    if (calls.largest <= n_allele) {
        return;
    }
    for (std::size_t from = 0, s = 0; s < calls.counts.size(); ++s) {
        for (int32_t c = 0; c < calls.counts[s]; ++c, ++from) {
            if (calls.copies[from] > n_allele) {
                refuse(static_cast<int>(s), calls.copies[from] - 1);
            }
        }
    }
}

// The marker data of the sites kept: one population of the samples, a locus per site.
MarkerData vcf_marker_data(std::vector<std::string> sample_names,
                           std::vector<std::string> locus_names, SiteCopies& copies) {
    MarkerData data;
    const auto samples = static_cast<int32_t>(sample_names.size());
    data.title = "VCF data\n";
    data.n_individuals = samples;
    data.n_populations = 1;
    data.n_loci = static_cast<int32_t>(copies.sites());
    data.max_ploidy = std::max(copies.most_ploidy(), 1);
    data.digits = decimal_digits(copies.largest());
    data.pop_vector.assign(static_cast<std::size_t>(samples), 1);
    data.pop_names = {"pop1"};
    data.ind_names = std::move(sample_names);
    data.locus_names = std::move(locus_names);
    data.copies = copies.take(static_cast<std::size_t>(samples));
    return data;
}

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
    // The first eight columns of a line whose genotypes are read directly are parsed alone,
    // against the header without its samples.
    const std::unique_ptr<bcf_hdr_t, HeaderFree> site_header(
        bcf_hdr_subset(header.get(), 0, nullptr, nullptr));
    if (!site_header) {
        throw FatalError("the VCF header cannot be read");
    }
    PlainFormats formats(header.get());
    PlainCalls calls;
    TextBuffer site_text;
    std::vector<std::string> locus_names;
    SiteCopies copies;
    VcfData read;
    GenotypeBuffer genotypes;
    std::vector<int32_t> site;
    for (std::size_t number = 1;; ++number) {
        int64_t columns = 0;
        int status = read_site(file.get(), header.get(), record.get(), columns);
        if (status == -1) {
            break;
        }
        const bcf_hdr_t* names = header.get();  // the header the record's contig refers to
        bool plain = false;
        if (status == 0 && columns > 0) {
            const std::string_view line(file->line.s, file->line.l);
            plain = columns == 9 + samples && plain_calls(line, samples, formats, calls);
            if (plain) {
                site_text.text.l = 0;
                kputsn(line.data(), calls.site_end, &site_text.text);
                status = vcf_parse(&site_text.text, site_header.get(), record.get()) == 0 ? 0 : -2;
                names = site_header.get();
            } else {
                status = vcf_parse(&file->line, header.get(), record.get()) == 0 ? 0 : -2;
            }
        }
        if (status < -1) {
            throw FatalError(clonal::format("the VCF text of site %zu cannot be read", number));
        }
        check_record(names, record.get(), number);
        if (const int64_t expected = 9 + samples; columns > expected) {
            throw FatalError(clonal::format(
                "the VCF line of %s holds %lld columns; the header names %d samples, so %lld",
                where(names, record.get(), number).c_str(), static_cast<long long>(columns),
                samples, static_cast<long long>(expected)));
        }
        bcf_unpack(record.get(), BCF_UN_STR);
        // A copy naming an allele the site lacks, the first in the file's order.
        const auto refuse_allele = [&](int s, int32_t allele) {
            throw FatalError(
                clonal::format("the genotype of sample %s at %s names allele %d, the site has %d",
                               header->samples[s], where(names, record.get(), number).c_str(),
                               allele, record->n_allele));
        };
        int32_t ploidy = 0;
        int called = 0;
        if (plain) {
            check_alleles(calls, record->n_allele, refuse_allele);
            ploidy = calls.ploidy;
            called = calls.called;
            calls.lay_out(site);
        } else {
            const int values =
                bcf_get_genotypes(header.get(), record.get(), &genotypes.values, &genotypes.size);
            if (values <= 0 || values % samples != 0) {
                throw FatalError(clonal::format("%s has no genotypes (GT)",
                                                where(names, record.get(), number).c_str()));
            }
            ploidy = values / samples;
            called = decoded_calls(genotypes.values, samples, ploidy, record->n_allele, site,
                                   refuse_allele);
        }
        if (static_cast<double>(called) < settings.min_call_rate * samples) {
            ++read.sites_left_out;
            continue;
        }
        copies.append(site, ploidy);
        const char* id = record->d.id;
        locus_names.push_back(id != nullptr && std::string_view(id) != "."
                                  ? std::string(id)
                                  : site_name(names, record.get()));
    }
    if (copies.sites() == 0) {
        if (read.sites_left_out > 0) {
            throw FatalError("no site of the VCF file is called in enough samples ({setting})",
                             clonal::ErrorKind::kData, "min_call_rate");
        }
        throw FatalError("the VCF file has no sites");
    }
    std::vector<std::string> sample_names(header->samples, header->samples + samples);
    read.data = vcf_marker_data(std::move(sample_names), std::move(locus_names), copies);
    return read;
}

}  // namespace kelvane
