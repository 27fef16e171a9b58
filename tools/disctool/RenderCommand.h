#pragma once

#include "CommandIo.h"

#include <QStringList>

// "render DISC PAGE -o OUT.png [--width W] [--height H] [--appdir DIR]
// [--font NAME] [--font-size PT]": one page of a disc drawn by the viewer's
// page engine at a viewport, in the page font a reader chose,
// offscreen, the page and its files read as the shell reads them (the
// packed archive first, the disc's files otherwise). For disc authors'
// previews and for tests.
class RenderCommand {
public:
    explicit RenderCommand(CommandIo& io) : io_(io) {}

    int run(const QStringList& arguments);
    static QString usage();

private:
    int usageError(const QString& message);

    CommandIo& io_;
};
