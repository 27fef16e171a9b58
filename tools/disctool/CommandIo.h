#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Exit statuses of every disctool command.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitMissing = 1,  // the named entry or member is not there
    ExitBadInput = 2, // bad arguments, unreadable or damaged input, failed output
};

// Where a command writes: its output (text as UTF-8, or raw bytes) and its
// one-line failure messages.
class CommandIo {
public:
    CommandIo(QIODevice& out, QIODevice& err);

    void writeText(const QString& text);
    void writeLine(const QString& line);
    void writeBytes(const QByteArray& bytes);

    // Writes "disctool: message" to the error device and returns status.
    int fail(int status, const QString& message);
    // The same with ExitBadInput.
    int badInput(const QString& message) { return fail(ExitBadInput, message); }
    // The same with ExitMissing.
    int missing(const QString& message) { return fail(ExitMissing, message); }

    QIODevice& out() { return out_; }
    QIODevice& err() { return err_; }

private:
    QIODevice& out_;
    QIODevice& err_;
};
