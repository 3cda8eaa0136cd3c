// The error that ends an analysis, as data: what kind of failure it is, one plain sentence, and
// where it was met (file, line, column, item) as far as the code that met it knows. The library
// never words an error for a face: the dialogue prints it as its frozen "..." text, the
// command line as "program: error: ..." with its option names, a binding as its language's
// error. Only a face catches it.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace clonal {

enum class ErrorKind {
    kFile,     // a file cannot be opened or read
    kData,     // the content of an input (a data file, a matrix, a populations file) is wrong
    kMemory,   // a working array of the size the data ask for cannot be had
    kLimit,    // a value or a size beyond what the analysis can represent
    kSetting,  // a setting of an analysis out of range, or not going with the data or the model
};

// Where the dialogue prints an error (the frozen texts put one on standard error) and the word
// it leads with: a colon after it for almost every error, a blank for one of the FSTAT reader's,
// no word at all for the working table of all thresholds.
enum class ErrorStream { kConsole, kErrorStream };
enum class ErrorLead { kColon, kWord, kNone };

class FatalError : public std::exception {
  public:
    // The sentence of an error about a setting names it, where it must, as the mark "{setting}",
    // and any other setting as "{name}" (the library's name in braces): each face puts its own
    // name for a setting there (see sentence()). A sentence without a setting is taken as it is.
    static constexpr std::string_view kSettingMark = "{setting}";

    explicit FatalError(const std::string& sentence, ErrorKind kind = ErrorKind::kData,
                        std::string setting = {})
        : kind_(kind),
          marked_(sentence),
          setting_(std::move(setting)),
          text_(naming(marked_, setting_, {})) {}

    const char* what() const noexcept override { return text_.c_str(); }

    ErrorKind kind() const { return kind_; }

    // The sentence with the setting, if any, named by the library's name for it (the field of
    // the settings struct: "structure_rows"). Same as what().
    std::string sentence() const { return what(); }
    // The sentence with every setting named as name_of says (a face's own name for it).
    std::string sentence(const std::function<std::string(std::string_view)>& name_of) const;

    // The setting the sentence names, or empty.
    const std::string& setting() const { return setting_; }

    // Advice that follows the error and its place, naming settings as "{name}":
    // "(the file looks like a genalex file: give {format} genalex)"; empty when there is none.
    std::string advice(const std::function<std::string(std::string_view)>& name_of = {}) const;
    FatalError& advised(std::string advice) {
        advice_ = std::move(advice);
        return *this;
    }

    // The line (from 1) and column (from 1) of the input where reading stopped: 0 when unknown.
    int64_t line() const { return line_; }
    int64_t column() const { return column_; }
    FatalError& at(int64_t line, int64_t column = 0) {
        line_ = line;
        column_ = column;
        return *this;
    }

    // The file the error was met in, when the code that met it read a file by its name.
    const std::string& file() const { return file_; }
    FatalError& in_file(std::string file) {
        file_ = std::move(file);
        return *this;
    }

    ErrorStream stream() const { return stream_; }
    ErrorLead lead() const { return lead_; }
    FatalError& printed(ErrorStream stream, ErrorLead lead) {
        stream_ = stream;
        lead_ = lead;
        return *this;
    }

  private:
    // The sentence with every setting named by name_of (by its own name when name_of is empty).
    static std::string naming(std::string_view sentence, std::string_view setting,
                              const std::function<std::string(std::string_view)>& name_of);

    ErrorKind kind_;
    std::string marked_;
    std::string setting_;
    std::string text_;
    std::string advice_;
    std::string file_;
    int64_t line_ = 0;
    int64_t column_ = 0;
    ErrorStream stream_ = ErrorStream::kConsole;
    ErrorLead lead_ = ErrorLead::kColon;
};

// Memory that ran out where a working array is allocated; the sentence names the array.
class MemoryError : public FatalError {
  public:
    explicit MemoryError(const std::string& sentence) : FatalError(sentence, ErrorKind::kMemory) {}
};

// A setting that does not go with the data: the sentence names it with kSettingMark.
class SettingError : public FatalError {
  public:
    SettingError(const std::string& sentence, std::string setting)
        : FatalError(sentence, ErrorKind::kSetting, std::move(setting)) {}
};

// An error in the text of an input, at the line (from 1) and, where a reader knows it, the column
// (from 1; 0 when unknown); the sentence may name a setting of the reader (see kSettingMark).
class InputError : public FatalError {
  public:
    InputError(const std::string& sentence, int64_t line, int64_t column = 0,
               std::string setting = {})
        : FatalError(sentence, ErrorKind::kData, std::move(setting)) {
        at(line, column);
    }
};

// Runs read; a FatalError it throws without a line gets line(). Memory errors pass as they are.
template <class Read, class Line>
auto reporting_line(Read&& read, Line&& line) -> decltype(read()) {
    try {
        return read();
    } catch (FatalError& error) {
        if (error.kind() != ErrorKind::kMemory && error.line() == 0) {
            error.at(line());
        }
        throw;
    }
}

}  // namespace clonal
