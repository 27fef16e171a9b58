#pragma once

#include <QString>
#include <functional>

// Hands the lines of a UTF-8 source file, without carriage returns, to
// parse with their numbers (from 1). Stops at the first line parse refuses;
// error then says where ("file:line: " in front of what parse left in it).
bool ReadSourceLines(const QString& path, QString& error,
                     const std::function<bool(const QString& line, int number)>& parse);
