#include "shell/CommandText.h"

#include "data/ValueReaders.h"

TCommandText::TCommandText(const QString& command)
    : Command(command), Keyword(KeyOfLine(command).toLower()), Value(ValueBetweenEquals(command)),
      Param(ValueAfterLastEquals(command))
{
}

bool TCommandText::Equals(const char* word) const
{
    return Command == QLatin1String(word);
}

bool TCommandText::Contains(const char* word) const
{
    return Command.contains(QLatin1String(word));
}

bool TCommandText::KeywordEquals(const char* word) const
{
    return Keyword == QLatin1String(word);
}

bool TCommandText::KeywordContains(const char* word) const
{
    return Keyword.contains(QLatin1String(word));
}

int TCommandText::NumberFrom(const QString& text, int position)
{
    return ReadIntValue(text, position);
}
