// Fatal errors and the transcript of both programs' dialogues.
#include "common/dialogue/program_entry.hpp"

#include <new>
#include <stdexcept>

#include "common/core/fatal_error.hpp"

namespace clonal {

namespace {

// The working arrays whose size the user or the data decide carry their own messages; memory
// that runs out anywhere else ends the run in the same way.
constexpr const char* kOutOfMemory = "ERROR: malloc failed, more memory needed";

int report(std::ostream& stream, std::ostream& out, const std::string& message) {
    out.flush();
    stream << message;
    stream.flush();
    return 1;
}

// The frozen wording of an error of the library: its sentence after the word the error asks for.
std::string dialogue_text(const FatalError& error) {
    switch (error.lead()) {
        case ErrorLead::kColon:
            return "ERROR: " + error.sentence();
        case ErrorLead::kWord:
            return "ERROR " + error.sentence();
        case ErrorLead::kNone:
            break;
    }
    return error.sentence();
}

}  // namespace

int run_reporting_fatal_errors(const std::function<int()>& dialogue, std::ostream& out,
                               std::ostream& err) {
    try {
        return dialogue();
    } catch (const FatalError& error) {
        return report(error.stream() == ErrorStream::kErrorStream ? err : out, out,
                      dialogue_text(error));
    } catch (const std::bad_alloc&) {
        return report(out, out, kOutOfMemory);
    } catch (const std::length_error&) {
        return report(out, out, kOutOfMemory);
    }
}

int finish_output(std::ostream& out, std::ostream& err, const ProgramInfo& info, int status) {
    out.flush();
    if (!out.fail()) {
        return status;
    }
    err << info.name << ": could not write to standard output\n";
    err.flush();
    return status == 0 ? 1 : status;
}

}  // namespace clonal
