#include "shell/SourceFilesCheck.h"

#include "platform/VirtualFs.h"
#include "shell/MessageBoxes.h"

#include <utility>

bool CheckSourceFiles(const QString& appDir)
{
    static const std::pair<const char*, const char*> sources[] = {
        {"Struct.txt", "Файл Struct.txt не удален"},
        {"About.txt", "Файл About.txt не удален"},
        {"Dialog.txt", "Файл Dialog.txt не удален"},
        {"Coder.exe", "А зачем тут кодер лежит?"},
    };
    bool found = false;
    for (const auto& [file, message] : sources) {
        if (VirtualFs::instance().fileExists(appDir + QString::fromUtf8(file))) {
            ShowWarningBox(QStringLiteral("Предупреждение"), QString::fromUtf8(message));
            found = true;
        }
    }
    return found;
}
