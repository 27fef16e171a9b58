#include "CommandLineArgs.h"

CommandLineArgs::CommandLineArgs(const QStringList& valueOptions, const QStringList& flagOptions)
    : valueOptions_(valueOptions.cbegin(), valueOptions.cend()),
      flagOptions_(flagOptions.cbegin(), flagOptions.cend())
{
}

bool CommandLineArgs::parse(const QStringList& arguments)
{
    bool optionsEnded = false;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments.at(index);
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            if (!takeOption(argument, arguments, index)) {
                return false;
            }
        } else {
            positionals_.append(argument);
        }
    }
    return true;
}

bool CommandLineArgs::takeOption(const QString& name, const QStringList& arguments,
                                 qsizetype& index)
{
    if (flags_.contains(name) || values_.contains(name)) {
        error_ = QStringLiteral("option %1 given twice").arg(name);
        return false;
    }
    if (flagOptions_.contains(name)) {
        flags_.insert(name);
        return true;
    }
    if (!valueOptions_.contains(name)) {
        error_ = QStringLiteral("unknown option %1").arg(name);
        return false;
    }
    if (index + 1 >= arguments.size()) {
        error_ = QStringLiteral("option %1 needs a value").arg(name);
        return false;
    }
    values_.insert(name, arguments.at(++index));
    return true;
}

bool CommandLineArgs::expectPositionals(qsizetype count)
{
    if (positionals_.size() < count) {
        error_ = QStringLiteral("missing argument");
        return false;
    }
    if (positionals_.size() > count) {
        error_ = QStringLiteral("unexpected argument \"%1\"").arg(positionals_.at(count));
        return false;
    }
    return true;
}

int RunAction(const QStringList& arguments, std::initializer_list<SubcommandAction> actions,
              const std::function<int(const QString& message)>& usageError)
{
    const QString name = arguments.value(0);
    for (const SubcommandAction& action : actions) {
        if (name == QLatin1String(action.name)) {
            return action.run(arguments.mid(1));
        }
    }
    return usageError(name.isEmpty() ? QStringLiteral("missing action")
                                     : QStringLiteral("unknown action \"%1\"").arg(name));
}
