// Runs one whole case: copies the case's input files into a fresh temporary folder and runs the
// program there in-process, either its dialogue with answers.txt as its console input (less the
// lines that start with '#': comments that name the prompt each answer goes to) or its command
// line with the arguments of args.txt (one a line, '#' lines left out as well), and compares the
// exit status, the console output and every file the run created or changed with expected/, and the
// files it removed with expected/removed.txt (one name a line; none when it is missing). A
// difference is shown as a unified diff.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/dialogue/kelvane_program.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"

namespace fs = std::filesystem;

namespace {

using Dialogue = std::function<int(std::istream&, std::ostream&, std::ostream&)>;
using CommandLine =
    std::function<int(const std::vector<std::string>&, const clonal::cli::Terminal&)>;

struct Program {
    Dialogue dialogue;
    CommandLine command_line;
};

std::map<std::string, Program> programs() {
    std::map<std::string, Program> table;
    table["kelvane"] = {kelvane::dialogue::run_kelvane, kelvane::cli::run_kelvane_command_line};
    table["marsyl"] = {marsyl::dialogue::run_marsyl_for_tests,
                       marsyl::cli::run_marsyl_command_line};
    return table;
}

// The lines of a text, each without its line end.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void write_bytes(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// Every regular file under root, by its path relative to root.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = read_bytes(entry.path());
        }
    }
    return files;
}

// Prints the unified diff of expected against actual; false when they differ.
bool same(const std::string& what, const std::string& expected, const std::string& actual,
          const fs::path& scratch) {
    if (expected == actual) {
        return true;
    }
    const fs::path want = scratch / "expected.diff-input";
    const fs::path got = scratch / "actual.diff-input";
    write_bytes(want, expected);
    write_bytes(got, actual);
    std::cout << "--- difference in " << what << " (expected, then actual) ---\n" << std::flush;
    const std::string command =
        "diff -u --label expected --label actual '" + want.string() + "' '" + got.string() + "'";
    [[maybe_unused]] const int ignored = std::system(command.c_str());
    return false;
}

// The answers as the program reads them: every line that starts with '#' left out.
std::string answers_without_comments(const std::string& text) {
    std::string answers;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        const std::size_t end = newline == std::string::npos ? text.size() : newline + 1;
        if (text[start] != '#') {
            answers.append(text, start, end - start);
        }
        start = end;
    }
    return answers;
}

fs::path make_work_folder() {
    std::string pattern = (fs::temp_directory_path() / "session-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "cannot make a temporary folder\n";
        std::exit(2);
    }
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: case_runner PROGRAM CASE_FOLDER\n";
        return 2;
    }
    const auto table = programs();
    const auto program = table.find(argv[1]);
    if (program == table.end()) {
        std::cerr << "unknown program " << argv[1] << "\n";
        return 2;
    }
    const fs::path case_dir = fs::absolute(argv[2]);
    const fs::path expected_dir = case_dir / "expected";
    const fs::path work = make_work_folder();
    const fs::path scratch = make_work_folder();

    for (const auto& entry : fs::directory_iterator(case_dir)) {
        const std::string name = entry.path().filename().string();
        if (name != "answers.txt" && name != "args.txt" && name != "expected") {
            fs::copy(entry.path(), work / name, fs::copy_options::recursive);
        }
    }
    const auto before = snapshot(work);

    std::ostringstream out;
    std::ostringstream err;
    const fs::path home = fs::current_path();
    fs::current_path(work);
    int status = 0;
    if (fs::exists(case_dir / "args.txt")) {
        const auto arguments =
            lines_of(answers_without_comments(read_bytes(case_dir / "args.txt")));
        status = program->second.command_line(arguments, {out, err, false});
    } else {
        std::istringstream in(answers_without_comments(read_bytes(case_dir / "answers.txt")));
        status = program->second.dialogue(in, out, err);
    }
    fs::current_path(home);

    bool ok = true;
    const std::string want_status =
        fs::exists(expected_dir / "status.txt") ? read_bytes(expected_dir / "status.txt") : "0\n";
    ok &= same("exit status", want_status, std::to_string(status) + "\n", scratch);
    ok &= same("console output", read_bytes(expected_dir / "stdout.txt"), out.str(), scratch);
    if (fs::exists(expected_dir / "stderr.txt") || !err.str().empty()) {
        const std::string want_err = fs::exists(expected_dir / "stderr.txt")
                                         ? read_bytes(expected_dir / "stderr.txt")
                                         : std::string();
        ok &= same("error output", want_err, err.str(), scratch);
    }

    const auto after = snapshot(work);
    std::map<std::string, std::string> written;
    for (const auto& [name, content] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != content) {
            written[name] = content;
        }
    }
    const auto expected_files = fs::exists(expected_dir / "files")
                                    ? snapshot(expected_dir / "files")
                                    : std::map<std::string, std::string>{};
    for (const auto& [name, content] : expected_files) {
        const auto got = written.find(name);
        ok &= same("file " + name, content, got == written.end() ? "<not written>" : got->second,
                   scratch);
    }
    for (const auto& [name, content] : written) {
        if (expected_files.count(name) == 0) {
            std::cout << "unexpected file written: " << name << "\n";
            ok = false;
        }
    }
    std::string removed;
    for (const auto& [name, content] : before) {
        if (after.count(name) == 0) {
            removed += name + "\n";
        }
    }
    const std::string want_removed = fs::exists(expected_dir / "removed.txt")
                                         ? read_bytes(expected_dir / "removed.txt")
                                         : std::string();
    ok &= same("files removed", want_removed, removed, scratch);

    fs::remove_all(work);
    fs::remove_all(scratch);
    return ok ? 0 : 1;
}
