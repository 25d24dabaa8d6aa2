#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <iostream>
#include <optional>

namespace kestrova::sim {

// Answers --help and --version, and refuses a command line the parser does not
// take (exit status 2, with the usage), before the program starts its GUI
// application object, which aborts without a display. `describe` adds the
// program's options and positional arguments; `positional` is how many of
// those it needs (-1: any number). Nullopt: go on and start.
inline std::optional<int> answerProgramArguments(
    int& argc, char* argv[], const char* name, const char* version,
    const std::function<void(QCommandLineParser&)>& describe, int positional) {
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QString::fromUtf8(name));
    QCommandLineParser args;
    describe(args);
    const QCommandLineOption help = args.addHelpOption();
    const QCommandLineOption showVersion = args.addVersionOption();
    const bool parsed = args.parse(QCoreApplication::arguments());
    if (parsed && args.isSet(help)) {
        std::cout << args.helpText().toStdString();
        return 0;
    }
    if (parsed && args.isSet(showVersion)) {
        std::cout << name << ' ' << version << '\n';
        return 0;
    }
    QString problem = args.errorText();
    if (!args.unknownOptionNames().isEmpty()) {
        const QString option = args.unknownOptionNames().constFirst();
        problem = QStringLiteral("unknown option \"%1%2\"")
                      .arg(option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), option);
    }
    const auto given = args.positionalArguments().size();
    if (parsed && positional >= 0 && given != positional) {
        problem = given < positional ? QStringLiteral("missing argument")
                                     : QStringLiteral("unexpected argument \"%1\"")
                                           .arg(args.positionalArguments().at(positional));
    }
    if (parsed && problem.isEmpty()) {
        return std::nullopt;
    }
    std::cerr << name << ": " << problem.toStdString() << '\n' << args.helpText().toStdString();
    return 2;
}

}  // namespace kestrova::sim
