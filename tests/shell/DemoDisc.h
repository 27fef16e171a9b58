#pragma once

// The demo disc of the build tree as the program would open it, with a
// registry and an instance folder of its own. Its intro clip is switched off
// in the settings, so that the window starts at once, as the window's tests
// want it.

#include "TempDir.h"
#include "data/ProcessPaths.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"
#include "shell/ShellGlobals.h"
#include "shell/StartupContext.h"

#include <memory>

namespace shelltest {

class DemoDisc {
public:
    DemoDisc() : registry_(std::make_unique<Registry>(config_.path()))
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        appDir_ =
            VirtualFs::fromHostPath(QStringLiteral(DISCSHELL_TEST_DEMO_DISC)) + QLatin1Char('\\');
        Paths().AppDir = appDir_;
        Paths().CdRoot = QStringLiteral("z:\\");
        registry_->writeBool(RegistryHive::CurrentUser,
                             SettingsKey(QStringLiteral("Демонстрационный диск")),
                             QStringLiteral("Clip"), false);
    }

    TStartupContext context() const
    {
        TStartupContext context;
        context.AppDir = appDir_;
        context.CdRoot = QStringLiteral("z:\\");
        context.ProgramFile = appDir_ + QStringLiteral("discshell.exe");
        context.RawCommandLine = QLatin1Char('"') + context.ProgramFile + QLatin1Char('"');
        context.Store = registry_.get();
        context.LockFolder = locks_.path();
        return context;
    }

    const QString& appDir() const { return appDir_; }

private:
    TempDir config_;
    TempDir locks_;
    std::unique_ptr<Registry> registry_;
    QString appDir_;
};

} // namespace shelltest
