#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

// The arguments of one subcommand: positionals and options. Options are
// either flags ("--json") or take the next argument as value ("-o FILE");
// "--" ends the options, so positionals may begin with "-".
class CommandLineArgs {
public:
    CommandLineArgs(const QStringList& valueOptions, const QStringList& flagOptions);

    // False with error() on an unknown option, a repeated option or a value
    // option without its value.
    bool parse(const QStringList& arguments);
    // False with error() unless exactly count positionals were given.
    bool expectPositionals(qsizetype count);

    const QStringList& positionals() const { return positionals_; }
    bool hasFlag(const QString& name) const { return flags_.contains(name); }
    bool hasValue(const QString& name) const { return values_.contains(name); }
    QString value(const QString& name) const { return values_.value(name); }
    const QString& error() const { return error_; }

private:
    bool takeOption(const QString& name, const QStringList& arguments, qsizetype& index);

    QSet<QString> valueOptions_;
    QSet<QString> flagOptions_;
    QStringList positionals_;
    QSet<QString> flags_;
    QHash<QString, QString> values_;
    QString error_;
};

// One action of a subcommand group ("list", "cat", ...) and what runs it with
// the arguments after its name.
struct SubcommandAction {
    const char* name;
    std::function<int(const QStringList& rest)> run;
};

// Runs the action the first argument names; a missing or unknown action goes
// to usageError with a message saying which.
int RunAction(const QStringList& arguments, std::initializer_list<SubcommandAction> actions,
              const std::function<int(const QString& message)>& usageError);
