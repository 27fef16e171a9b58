#include "CommandIo.h"

CommandIo::CommandIo(QIODevice& out, QIODevice& err) : out_(out), err_(err) {}

void CommandIo::writeText(const QString& text)
{
    out_.write(text.toUtf8());
}

void CommandIo::writeLine(const QString& line)
{
    writeText(line + QLatin1Char('\n'));
}

void CommandIo::writeBytes(const QByteArray& bytes)
{
    out_.write(bytes);
}

int CommandIo::fail(int status, const QString& message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    err_.write((QStringLiteral("disctool: ") + line + QLatin1Char('\n')).toUtf8());
    return status;
}
