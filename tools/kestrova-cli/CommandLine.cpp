#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <climits>
#include <istream>
#include <ostream>
#include <sstream>

namespace kestrova::cli {

namespace {

constexpr const char* kName = "kestrova-cli";

// The usage line first, as manual pages and the other programs have it.
class HelpFormatter final : public CLI::Formatter {
public:
    HelpFormatter() {
        label("SUBCOMMAND", "COMMAND");
        column_width(34);
    }
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        if (mode == CLI::AppFormatMode::Sub)
            return make_expanded(app);
        return make_usage(app, name) + '\n' + make_description(app) + make_positionals(app) +
               make_groups(app, mode) + make_subcommands(app, mode) + '\n' + make_footer(app);
    }
    // A command with what follows it: "db list|add|remove ...", "open NAME [OPTIONS]".
    std::string make_subcommand(const CLI::App* command) const override {
        std::string synopsis = command->get_name();
        const auto commands =
            command->get_subcommands([](const CLI::App* sub) { return !sub->get_group().empty(); });
        for (std::size_t i = 0; i < commands.size(); ++i)
            synopsis += (i == 0 ? " " : "|") + commands[i]->get_name();
        if (!commands.empty())
            synopsis += " ...";
        for (const CLI::Option* option : command->get_options())
            if (option->get_positional())
                synopsis += ' ' + option->get_name();
        if (command->get_options().size() >
            command->get_options([](const CLI::Option* option) { return option->get_positional(); })
                    .size() +
                1)
            synopsis += " [OPTIONS]";
        std::stringstream out;
        CLI::detail::format_help(out, synopsis, command->get_description(), get_column_width());
        return out.str();
    }
    // The usage line names the positional arguments already, all of them texts.
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_positional() ? std::string() : CLI::Formatter::make_option_opts(option);
    }
};

// The innermost command the arguments chose, and its name as typed.
std::pair<const CLI::App*, std::string> chosenCommand(const CLI::App& app) {
    const CLI::App* command = &app;
    std::string name = app.get_name();
    while (!command->get_subcommands().empty()) {
        command = command->get_subcommands().front();
        name += ' ' + command->get_name();
    }
    return {command, name};
}

std::string quotedList(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "\"" : " \"") + word + '"';
    return text;
}

// CLI11 checks what is required before it complains about what is left over:
// "lookup -x" would say NAME is missing without naming "-x".
std::string usageProblem(const CLI::App& app, const CLI::App& command, const CLI::Error& error) {
    const bool wantsCommand = command.get_require_subcommand_min() > 0;
    const std::vector<std::string> extra = app.remaining(true);
    if (extra.empty() ||
        (error.get_name() != "RequiredError" && error.get_name() != "ExtrasError")) {
        if (wantsCommand && error.get_name() == "RequiredError")
            return "no command given";
        return error.what();
    }
    if (extra.front().starts_with('-'))
        return (extra.size() == 1 ? "unknown option " : "unknown options ") + quotedList(extra);
    if (wantsCommand)
        return "unknown command " + quotedList({extra.front()});
    return (extra.size() == 1 ? "unexpected argument " : "unexpected arguments ") +
           quotedList(extra);
}

// An option given twice would have one of its values quietly ignored.
void refuseRepeats(const CLI::App& command) {
    for (const CLI::Option* option : command.get_options())
        if (option->count() > 1)
            throw CLI::ArgumentMismatch(option->get_name() + " given twice");
}

}  // namespace

CommandLine::CommandLine(std::istream& in, std::ostream& out, std::ostream& err)
    : app_(std::make_unique<CLI::App>(
          "Kestrova Everest from the command line: reads the Everest lobby, scans its\n"
          "tables and looks players up in the tracking databases, printing JSON.",
          kName)),
      in_(in),
      out_(out),
      err_(err) {
    app_->formatter(std::make_shared<HelpFormatter>());
    app_->set_help_flag("-h,--help", "prints this help");
    app_->allow_windows_style_options(false);
    app_->require_subcommand(1);
    // Repeats are refused with a message of their own (refuseRepeats).
    app_->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app_->footer(
        "\"kestrova-cli COMMAND --help\" tells the arguments of a command. An argument\n"
        "that starts with \"-\" but is no option follows \"--\".\n"
        "\n"
        "Files:\n"
        "The settings are $XDG_CONFIG_HOME/kestrova/Velloran.ini (~/.config when unset);\n"
        "db.conf, mofofish, the profiles and the window's other files are in\n"
        "$XDG_DATA_HOME/kestrova (~/.local/share when unset), shared with the window.\n"
        "\n"
        "Tables and players:\n"
        "The objects of \"tables\" and \"scan\" hold the window's cells as texts in\n"
        "\"columns\" and by name, numbers as numbers: a table's \"name\", \"stakes\",\n"
        "\"players\", \"seats\", \"waiting\" and \"avgPot\"; after a scan its \"avgVpip\",\n"
        "\"avgPfr\", \"avgAf\", \"avgWtsd\", \"reads\", \"known\", \"buddies\", \"losers\",\n"
        "\"totalStacks\", \"waitingCut\" (the seat area showed only part of the waiting\n"
        "list) and \"score\", and a player's \"table\", \"seat\", \"name\", \"autorate\",\n"
        "\"buddy\", \"waiting\" (true for a player on the waiting list, who has no seat),\n"
        "\"stack\", \"hands\", \"vpip\", \"won\", \"pfr\", \"af\", \"wtsd\", \"wonSd\",\n"
        "\"flopAf\", \"turnAf\", \"riverAf\", \"attSteal\", \"foldSbToSteal\",\n"
        "\"foldBbToSteal\", \"contiBetFlop\" and \"weak\". What is not known is null: the\n"
        "averages of a table without a player of enough hands, the statistics of a\n"
        "player without hands (his \"hands\" and \"vpip\" are 0).");
    // The spelling of earlier releases.
    addCommand(*app_, "help", "", [this] {
        out_ << app_->get_formatter()->make_help(app_.get(), kName, CLI::AppFormatMode::Normal);
        return 0;
    }).group("");
}

CommandLine::~CommandLine() = default;

void CommandLine::setVersion(const std::string& text) {
    app_->set_version_flag("--version", text, "the version");
}

CLI::App& CommandLine::addCommand(CLI::App& parent, const std::string& name,
                                  const std::string& description, std::function<int()> work) {
    CLI::App& command = addGroup(parent, name, description);
    command.require_subcommand(0);
    command.callback([this, &command, work = std::move(work)] {
        refuseRepeats(command);
        chosen_ = work;
    });
    return command;
}

CLI::App& CommandLine::addGroup(CLI::App& parent, const std::string& name,
                                const std::string& description) {
    CLI::App& command = *parent.add_subcommand(name, description);
    command.group("Commands");
    command.footer("");
    command.require_subcommand(1);
    return command;
}

int CommandLine::run(const std::vector<std::string>& args) {
    chosen_ = nullptr;
    try {
        app_->parse(std::vector<std::string>(args.rbegin(), args.rend()));
        return chosen_();
    } catch (const CLI::Success& success) {
        app_->exit(success, out_, err_);
        return 0;
    } catch (const CLI::ParseError& error) {
        const auto [command, name] = chosenCommand(*app_);
        err_ << name << ": " << usageProblem(*app_, *command, error) << '\n'
             << static_cast<const CLI::Formatter&>(*command->get_formatter())
                    .make_usage(command, name)
             << "Run \"" << name << " --help\" for more information.\n";
        return 2;
    }
}

CLI::Option& addNumber(CLI::App& command, const std::string& name, int& value, int minimum,
                       int maximum, const std::string& description) {
    const std::string range =
        minimum == INT_MIN && maximum == INT_MAX ? "a 32-bit whole number"
        : maximum == INT_MAX
            ? "a whole number of at least " + std::to_string(minimum)
            : "a whole number from " + std::to_string(minimum) + " to " + std::to_string(maximum);
    auto take = [&value, name, minimum, maximum, range](const std::string& text) {
        const bool signOk = minimum < 0 && text.starts_with('-');
        const std::string_view digits = std::string_view(text).substr(signOk ? 1 : 0);
        int parsed = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, parsed);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos ||
            error != std::errc() || ptr != end || parsed < minimum || parsed > maximum)
            throw CLI::ValidationError(name, "\"" + text + "\" is not " + range);
        value = parsed;
    };
    CLI::Option* option = command.add_option_function<std::string>(name, take, description);
    option->type_name(name.starts_with('-') ? "N" : "");
    return *option;
}

}  // namespace kestrova::cli
