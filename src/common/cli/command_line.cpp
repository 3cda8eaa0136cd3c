// Parsing a program's command line and running the command it names.
#include "common/cli/command_line.hpp"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/partial_files.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "common/text/number_text.hpp"

namespace clonal::cli {

std::string start_seeds_help(const std::string& more) {
    const Random start;
    return seeds_text(start) + ", as the dialogue starts" + more;
}

void add_work_options(CLI::App& command, CommonOptions& options) {
    command.add_option("--threads", options.threads, "worker threads (0: every core)")
        ->check(setting_check("threads"))
        ->capture_default_str();
    command.add_flag("--progress", options.progress,
                     "show progress on standard error even when it is not a terminal");
    command.add_flag("--quiet", options.quiet, "show no progress");
}

void add_common_options(CLI::App& command, CommonOptions& options) {
    add_work_options(command, options);
    command.add_option("--out", options.out, "where the table goes (-: standard output)")
        ->capture_default_str();
}

void add_seed_option(CLI::App& command, SeedOption& seeds, const std::string& when_absent) {
    command.add_option("--seed", seeds.text,
                       "two integers S1,S2 that seed the generator (default: " + when_absent + ")");
}

std::optional<std::pair<int32_t, int32_t>> parse_seeds(const SeedOption& seeds) {
    if (seeds.text.empty()) {
        return std::nullopt;
    }
    const std::size_t comma = seeds.text.find(',');
    if (comma != std::string::npos) {
        const std::string_view text(seeds.text);
        const auto first = whole_int(text.substr(0, comma));
        const auto second = whole_int(text.substr(comma + 1));
        if (first && second && seeds_in_range(*first, *second)) {
            return std::make_pair(*first, *second);
        }
    }
    throw UsageError("--seed takes " + seeds_words() + ", as S1,S2, not '" + seeds.text + "'");
}

std::string seeds_text(const Random& random) {
    return std::to_string(random.seed1()) + "," + std::to_string(random.seed2());
}

void record_seeds(const Terminal& terminal, const Random& random) {
    terminal.err << "# seeds: " << seeds_text(random) << '\n' << std::flush;
}

namespace {

int fail(const ProgramInfo& info, const Terminal& terminal, const std::string& message,
         int status) {
    terminal.out.flush();
    terminal.err << info.name << ": error: " << printable(message) << '\n' << std::flush;
    return status;
}

// Whether what went to standard output reached it (not a full disk or a closed pipe); when it
// did not, says so.
bool printed(const ProgramInfo& info, const Terminal& terminal) {
    terminal.out.flush();
    if (terminal.out.good()) {
        return true;
    }
    fail(info, terminal, "standard output could not be written", kDataFailure);
    return false;
}

// The number of single-character edits that turn a into b.
std::size_t edit_distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1] ? 1 : 0)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The usage error of a first word that names no command, with the closest command.
std::optional<std::string> unknown_command(const std::string& word,
                                           const std::vector<Command>& commands) {
    if (word.empty() || word[0] == '-') {
        return std::nullopt;
    }
    const Command* closest = nullptr;
    std::size_t best = SIZE_MAX;
    for (const Command& command : commands) {
        if (command.name == word) {
            return std::nullopt;
        }
        const std::size_t distance = edit_distance(word, command.name);
        if (distance < best) {
            best = distance;
            closest = &command;
        }
    }
    std::string message = "'" + word + "' is not a command";
    if (closest != nullptr && best <= std::max<std::size_t>(2, word.size() / 3)) {
        message += "; did you mean '" + closest->name + "'?";
    }
    return message;
}

}  // namespace

int run_command_line(const ProgramInfo& info, const CommandList& commands,
                     const std::vector<std::string>& arguments, const Terminal& terminal) {
    fail_writes_instead_of_signals();
    const std::vector<Command>& listed = commands;
    CLI::App app(info.help, info.name);
    app.require_subcommand(0, 1);
    app.footer("\nRun '" + info.name + " COMMAND --help' for the options of a command.");
    bool version = false;
    app.add_flag("--version", version, "print the version and exit");
    // Only a command named on the line can run or be asked for its help: the others are listed
    // with their summaries but get no options, which keeps the start of every run short.
    const auto named = [&arguments](const std::string& name) {
        return std::ranges::find(arguments, name) != arguments.end();
    };
    std::vector<std::pair<CLI::App*, Action>> actions;
    for (const Command& command : listed) {
        CLI::App* sub = app.add_subcommand(command.name, command.summary);
        sub->footer("");
        if (named(command.name)) {
            actions.emplace_back(sub, command.setup(*sub));
        }
    }

    if (!arguments.empty()) {
        if (const auto unknown = unknown_command(arguments[0], listed)) {
            return fail(info, terminal, *unknown + " (run '" + info.name + " --help' for the list)",
                        kUsageFailure);
        }
    }
    std::vector<const char*> argv{info.name.c_str()};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp& help) {
        const int status = app.exit(help, terminal.out, terminal.err);
        return printed(info, terminal) ? status : kDataFailure;
    } catch (const CLI::ParseError& error) {
        return fail(info, terminal, one_line(error.what()), kUsageFailure);
    }
    if (version) {
        terminal.out << info.name << ' ' << info.version << '\n';
        return printed(info, terminal) ? 0 : kDataFailure;
    }
    for (const auto& [sub, action] : actions) {
        if (!sub->parsed()) {
            continue;
        }
        try {
            action(terminal);
            return 0;
        } catch (const UsageError& error) {
            return fail(info, terminal, error.what(), kUsageFailure);
        } catch (const DataError& error) {
            return fail(info, terminal, error.what(), kDataFailure);
        } catch (const FatalError& error) {
            return fail(info, terminal, message_of(error),
                        error.kind() == ErrorKind::kSetting ? kUsageFailure : kDataFailure);
        } catch (const std::bad_alloc&) {
            return fail(info, terminal, "out of memory", kDataFailure);
        } catch (const std::length_error&) {
            return fail(info, terminal, "out of memory", kDataFailure);
        }
    }
    return fail(info, terminal, "a command is needed; run '" + info.name + " --help' for the list",
                kUsageFailure);
}

}  // namespace clonal::cli
