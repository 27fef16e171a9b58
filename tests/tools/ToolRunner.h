#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs disctool's command line in process, capturing what it writes.
struct ToolResult {
    int status = -1;
    QByteArray out;
    QString err;

    QString outText() const { return QString::fromUtf8(out); }
    QStringList outLines() const;
};

ToolResult runTool(const QStringList& arguments);

// The Windows-1251 bytes of a text.
QByteArray cp1251(const QString& text);
