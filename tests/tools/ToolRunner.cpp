#include "ToolRunner.h"

#include "CommandIo.h"
#include "DiscTool.h"
#include "platform/CodePage.h"

#include <QBuffer>

QStringList ToolResult::outLines() const
{
    QString text = outText();
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

ToolResult runTool(const QStringList& arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    CommandIo io(out, err);
    ToolResult result;
    result.status = DiscTool(io).run(arguments);
    result.out = out.data();
    result.err = QString::fromUtf8(err.data());
    return result;
}

QByteArray cp1251(const QString& text)
{
    return CodePage::toCp1251(text);
}
