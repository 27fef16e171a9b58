#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Line reading of the disc's single-byte text files (the index files, the
// thesaurus index). A line ends at a carriage return (13); a line feed (10)
// anywhere is dropped, so CR LF and bare CR both end lines.
//
// The result is true when more lines may follow, false when the end of the
// stream (or a read failure) was reached while reading this line; the line is
// valid either way, so a file ending in CR yields a final empty line and a
// last line without a line end is returned in full.
//
// Reads in blocks, not byte by byte; an in-memory stream (TComprStream, any
// QBuffer) is scanned in place.
bool ReadStreamLine(QIODevice& stream, QByteArray& line);

// The same, decoded from Windows-1251.
bool ReadStreamLine(QIODevice& stream, QString& line);
