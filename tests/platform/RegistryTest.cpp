#include "platform/Registry.h"

#include "TempDir.h"
#include "platform/RegistryDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

constexpr auto kUser = RegistryHive::CurrentUser;
constexpr auto kMachine = RegistryHive::LocalMachine;
const QString kKey = QStringLiteral("SOFTWARE\\Pallidrome\\Книга");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Starts this test program again to run the child-process test below.
QProcess* startChild(const QString& mode, const QString& folder, const QString& tag)
{
    auto* child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISCSHELL_REGISTRY_CHILD"), mode);
    env.insert(QStringLiteral("DISCSHELL_REGISTRY_FOLDER"), folder);
    env.insert(QStringLiteral("DISCSHELL_REGISTRY_TAG"), tag);
    child->setProcessEnvironment(env);
    child->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_also_run_disabled_tests"),
                  QStringLiteral("--gtest_filter=DISABLED_RegistryChildProcess.Work")});
    return child;
}

// The last "committed N" line a saving child printed, or -1.
int lastCommitted(const QByteArray& output)
{
    int last = -1;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("committed ")) {
            last = line.mid(10).toInt();
        }
    }
    return last;
}

QList<RegistryValue> counterValues(int counter)
{
    QList<RegistryValue> values;
    for (int i = 0; i < 40; ++i) {
        values.append(RegistryValue::ofString(QStringLiteral("Value%1").arg(i),
                                              QStringLiteral("%1 Строка %2").arg(counter).arg(i)));
    }
    values.append(RegistryValue::ofInteger(QStringLiteral("Counter"), counter));
    return values;
}

} // namespace

// Not a test of its own: the body of the helper processes of the tests below.
TEST(DISABLED_RegistryChildProcess, Work)
{
    const QString mode = qEnvironmentVariable("DISCSHELL_REGISTRY_CHILD");
    Registry registry(qEnvironmentVariable("DISCSHELL_REGISTRY_FOLDER"));
    const QString tag = qEnvironmentVariable("DISCSHELL_REGISTRY_TAG");
    if (mode == QLatin1String("writer")) {
        for (int i = 0; i < 200; ++i) {
            ASSERT_TRUE(registry.writeInteger(kUser, kKey, tag + QString::number(i), i));
        }
    } else if (mode == QLatin1String("saver")) {
        int counter = registry.readInteger(kUser, kKey, QStringLiteral("Counter")).value_or(0);
        for (;;) {
            ++counter;
            if (registry.writeValues(kUser, kKey, counterValues(counter))) {
                std::printf("committed %d\n", counter);
                std::fflush(stdout);
            }
        }
    }
}

TEST(Registry, ReadsFailWhenTheTypeDiffers)
{
    TempDir dir;
    Registry registry(dir.path());
    ASSERT_TRUE(registry.writeString(kUser, kKey, QStringLiteral("Text"), QStringLiteral("5")));
    ASSERT_TRUE(registry.writeInteger(kUser, kKey, QStringLiteral("Number"), -7));
    ASSERT_TRUE(registry.writeBool(kUser, kKey, QStringLiteral("Flag"), true));
    ASSERT_TRUE(
        registry.writeBinary(kUser, kKey, QStringLiteral("Bytes"), QByteArray("\x00\xFF", 2)));

    EXPECT_EQ(registry.readString(kUser, kKey, QStringLiteral("Text")), QStringLiteral("5"));
    EXPECT_FALSE(registry.readInteger(kUser, kKey, QStringLiteral("Text")));
    EXPECT_FALSE(registry.readBool(kUser, kKey, QStringLiteral("Text")));
    EXPECT_FALSE(registry.readBinary(kUser, kKey, QStringLiteral("Text")));
    EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("Number")), -7);
    EXPECT_FALSE(registry.readString(kUser, kKey, QStringLiteral("Number")));
    EXPECT_EQ(registry.readBool(kUser, kKey, QStringLiteral("Number")), true);
    EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("Flag")), 1);
    EXPECT_EQ(registry.readBinary(kUser, kKey, QStringLiteral("Bytes")), QByteArray("\x00\xFF", 2));
    EXPECT_FALSE(registry.readString(kUser, kKey, QStringLiteral("Bytes")));
    EXPECT_FALSE(registry.readString(kUser, kKey, QStringLiteral("Missing")));
    EXPECT_FALSE(
        registry.readString(kUser, QStringLiteral("SOFTWARE\\Other"), QStringLiteral("Text")));
    EXPECT_FALSE(registry.readString(kMachine, kKey, QStringLiteral("Text")));
}

TEST(Registry, NamesIgnoreCaseAndKeepTheFirstSpelling)
{
    TempDir dir;
    Registry registry(dir.path());
    ASSERT_TRUE(registry.createKey(kUser, kKey));
    ASSERT_TRUE(registry.writeString(kUser, QStringLiteral("software\\PALLIDROME\\книга\\"),
                                     QStringLiteral("FontName"), QStringLiteral("Arial")));
    ASSERT_TRUE(
        registry.writeString(kUser, kKey, QStringLiteral("FONTNAME"), QStringLiteral("Times")));
    EXPECT_EQ(registry.valueNames(kUser, kKey), QStringList{QStringLiteral("FontName")});
    EXPECT_EQ(registry.readString(kUser, QStringLiteral("Software\\pallidrome\\КНИГА"),
                                  QStringLiteral("fontname")),
              QStringLiteral("Times"));
    EXPECT_EQ(registry.subKeyNames(kUser, QStringLiteral("software")),
              QStringList{QStringLiteral("Pallidrome")});
    EXPECT_TRUE(registry.keyExists(kUser, QStringLiteral("SOFTWARE\\pallidrome")));
    const QString text = QString::fromUtf8(readAll(registry.hiveFile(kUser)));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Windows Registry Editor Version 5.00\n\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\Книга]\n"
                                             "\"FontName\"=\"Times\"\n")));
}

TEST(Registry, TextsSurviveEscapingAndReloading)
{
    TempDir dir;
    const QStringList texts = {QStringLiteral("c:\\path\\"), QStringLiteral("say \"hi\"\\\""),
                               QStringLiteral(""),           QStringLiteral("два\nстроки\tи\r"),
                               QStringLiteral("]\"=[x"),     QStringLiteral("@")};
    {
        Registry writer(dir.path());
        for (int i = 0; i < texts.size(); ++i) {
            ASSERT_TRUE(
                writer.writeString(kUser, kKey, QStringLiteral("n\"\\%1").arg(i), texts[i]));
        }
        ASSERT_TRUE(writer.writeString(kUser, kKey, QString(), QStringLiteral("default")));
        ASSERT_TRUE(writer.writeInteger(kUser, kKey, QStringLiteral("Max"), -1));
    }
    Registry reader(dir.path());
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(reader.readString(kUser, kKey, QStringLiteral("n\"\\%1").arg(i)), texts[i]) << i;
    }
    EXPECT_EQ(reader.readString(kUser, kKey, QString()), QStringLiteral("default"));
    EXPECT_EQ(reader.readInteger(kUser, kKey, QStringLiteral("Max")), -1);
    const QByteArray file = readAll(reader.hiveFile(kUser));
    EXPECT_TRUE(file.contains("\"Max\"=dword:ffffffff\n"));
    EXPECT_TRUE(file.contains("\"n\\\"\\\\0\"=\"c:\\\\path\\\\\"\n"));
    EXPECT_EQ(file.count('\n'), 4 + 3 + texts.size() + 2 + 1); // one line per value
}

TEST(Registry, ReadsTheEditorsExportFormat)
{
    TempDir dir;
    const QString export_ =
        QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n\"Skip\"=\"other hive\"\r\n\r\n"
                       "[-HKEY_CURRENT_USER\\SOFTWARE\\Gone]\r\n\"Skip\"=\"deleted key\"\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Pallidrome\\Книга]\r\n"
                       "@=\"default\"\r\n"
                       "\"Long\"=hex:01,02,03,\\\r\n  04,05\r\n"
                       "\"Sz\"=hex(1):41,00,0a,00,42,00,00,00\r\n"
                       "\"Dw\"=hex(4):2a,00,00,00\r\n"
                       "\"Small\"=dword:2A\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(export_.utf16()), export_.size() * 2);
    dir.write(QStringLiteral("user.reg"), utf16);
    Registry registry(dir.path());
    EXPECT_EQ(registry.readString(kUser, kKey, QString()), QStringLiteral("default"));
    EXPECT_EQ(registry.readBinary(kUser, kKey, QStringLiteral("long")), QByteArray("\1\2\3\4\5"));
    EXPECT_EQ(registry.readString(kUser, kKey, QStringLiteral("Sz")), QStringLiteral("A\nB"));
    EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("Dw")), 42);
    EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("Small")), 42);
    EXPECT_FALSE(registry.keyExists(kUser, QStringLiteral("SOFTWARE\\Other")));
    EXPECT_FALSE(registry.keyExists(kUser, QStringLiteral("SOFTWARE\\Gone")));
}

TEST(Registry, DamagedFilesKeepWhatCanBeReadAndNeverCrash)
{
    TempDir dir;
    const QByteArray damaged =
        "\"Orphan\"=\"before any key\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0]\n"
        "\"Good\"=\"yes\"\n\"Open\"=\"never closed\n\"BadDword\"=dword:zz\n"
        "\"BadHex\"=hex:1,2,xyz\n\"NoEquals\" \"x\"\n=\"no name\"\n\xFF\xFE\x00garbage\n"
        "\"Huge\"=dword:123456789\n\"Kind\"=hex(zz):01\n[HKEY_CURRENT_USER\\Broken\n"
        "\"AfterBroken\"=\"dropped\"\n";
    dir.write(QStringLiteral("user.reg"), damaged);
    Registry registry(dir.path());
    EXPECT_EQ(registry.readString(kUser, kKey, QStringLiteral("Good")), QStringLiteral("yes"));
    EXPECT_EQ(registry.valueNames(kUser, kKey), QStringList{QStringLiteral("Good")});
    ASSERT_TRUE(registry.writeInteger(kUser, kKey, QStringLiteral("New"), 3));
    Registry reread(dir.path());
    EXPECT_EQ(reread.readString(kUser, kKey, QStringLiteral("Good")), QStringLiteral("yes"));
    EXPECT_EQ(reread.readInteger(kUser, kKey, QStringLiteral("New")), 3);
    const QByteArray rewritten = readAll(reread.hiveFile(kUser));
    for (const char* kept : {"\"Orphan\"=\"before any key\"\n", "\"Open\"=\"never closed\n",
                             "\"BadDword\"=dword:zz\n"}) {
        EXPECT_TRUE(rewritten.contains(kept)) << "kept as it stood: " << kept;
    }

    // Random damage to a valid file: every variant parses quietly.
    const QByteArray valid = readAll(reread.hiveFile(kUser));
    QRandomGenerator random(42);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = valid;
        for (int cut = 0; cut < 4; ++cut) {
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        }
        bytes.truncate(random.bounded(int(bytes.size())) + 1);
        const RegistryDocument document = RegistryDocument::parse(bytes, "HKEY_CURRENT_USER");
        EXPECT_LE(document.valueNames(kKey).size(), bytes.count('='));
    }
}

TEST(Registry, ChangesByAnotherInstanceAreSeenAndKept)
{
    TempDir dir;
    Registry first(dir.path());
    Registry second(dir.path());
    ASSERT_TRUE(first.writeInteger(kUser, kKey, QStringLiteral("A"), 1));
    EXPECT_EQ(second.readInteger(kUser, kKey, QStringLiteral("A")), 1);
    ASSERT_TRUE(second.writeInteger(kUser, kKey, QStringLiteral("B"), 2));
    ASSERT_TRUE(first.writeInteger(kUser, kKey, QStringLiteral("A"), 3));
    EXPECT_EQ(second.readInteger(kUser, kKey, QStringLiteral("A")), 3);
    EXPECT_EQ(first.readInteger(kUser, kKey, QStringLiteral("B")), 2);
}

TEST(Registry, DeletesValuesAndWholeKeys)
{
    TempDir dir;
    Registry registry(dir.path());
    const QString games = QStringLiteral("SOFTWARE\\Pallidrome\\Games");
    ASSERT_TRUE(registry.writeValues(
        kUser, kKey,
        {RegistryValue::ofBool(QStringLiteral("SwOne112"), true),
         RegistryValue::ofString(QStringLiteral("Favorite0"), QStringLiteral("page.htm"))}));
    ASSERT_TRUE(registry.writeString(kUser, games + QStringLiteral("\\One"), QStringLiteral("x"),
                                     QStringLiteral("y")));
    EXPECT_EQ(registry.subKeyNames(kUser, QStringLiteral("software\\pallidrome")),
              QStringList({QStringLiteral("Games"), QStringLiteral("Книга")}));

    EXPECT_TRUE(registry.deleteValue(kUser, kKey, QStringLiteral("swone112")));
    EXPECT_FALSE(registry.deleteValue(kUser, kKey, QStringLiteral("SwOne112")));
    EXPECT_FALSE(registry.valueExists(kUser, kKey, QStringLiteral("SwOne112")));
    EXPECT_TRUE(registry.valueExists(kUser, kKey, QStringLiteral("Favorite0")));

    EXPECT_TRUE(registry.deleteKey(kUser, QStringLiteral("software\\PALLIDROME\\games")));
    EXPECT_FALSE(registry.keyExists(kUser, games + QStringLiteral("\\One")));
    EXPECT_FALSE(registry.keyExists(kUser, games));
    EXPECT_TRUE(registry.keyExists(kUser, kKey));
    EXPECT_FALSE(registry.deleteKey(kUser, games));
    EXPECT_FALSE(registry.deleteKey(kUser, QString()));
}

TEST(Registry, ClassesRootAcceptsWritesAndKeepsNothing)
{
    TempDir dir;
    Registry registry(dir.path());
    const auto classes = RegistryHive::ClassesRoot;
    EXPECT_TRUE(registry.writeString(classes, QStringLiteral("CLSID\\{x}"), QStringLiteral("a"),
                                     QStringLiteral("b")));
    EXPECT_TRUE(registry.createKey(classes, QStringLiteral("CLSID")));
    EXPECT_FALSE(registry.readString(classes, QStringLiteral("CLSID\\{x}"), QStringLiteral("a")));
    EXPECT_FALSE(registry.keyExists(classes, QStringLiteral("CLSID")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("user.reg"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("machine.reg"))));
}

TEST(Registry, RefusesNamesThatWouldBreakTheFile)
{
    TempDir dir;
    Registry registry(dir.path());
    EXPECT_FALSE(registry.writeString(kUser, QStringLiteral("A\nB"), QStringLiteral("x"),
                                      QStringLiteral("y")));
    EXPECT_FALSE(registry.writeString(kUser, kKey, QStringLiteral("x\ny"), QStringLiteral("y")));
    EXPECT_FALSE(registry.createKey(kUser, QStringLiteral("A\rB")));
    EXPECT_TRUE(registry.writeString(kUser, QStringLiteral("A]B"), QStringLiteral("x"),
                                     QStringLiteral("y")));
    Registry reread(dir.path());
    EXPECT_EQ(reread.readString(kUser, QStringLiteral("a]b"), QStringLiteral("X")),
              QStringLiteral("y"));
}

TEST(Registry, LocalMachineReadsThroughWinesHive)
{
    TempDir dir;
    const QString wine = dir.write(
        QStringLiteral("wine/system.reg"),
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
        "[Software\\\\Games\\\\\\x418\\x433\\x440\\x430] 1700000000\n#time=1d9\n"
        "\"instdir\"=\"C:\\\\Games\\\\\\x418\\x433\\x440\\x430\"\n"
        "\"exename\"=str(2):\"%ProgramFiles%\\\\run.exe\"\n"
        "\"Version\"=dword:00000003\n\n"
        "[Software\\\\Wow6432Node\\\\Old\\\\Game] 1700000000\n\"instdir\"=\"C:\\\\Old\\tDir\"\n");
    const QByteArray wineBefore = readAll(wine);
    Registry registry(dir.path() + QStringLiteral("/config"), wine);
    const QString game = QStringLiteral("SOFTWARE\\Games\\Игра");
    EXPECT_EQ(registry.readString(kMachine, game, QStringLiteral("INSTDIR")),
              QStringLiteral("C:\\Games\\Игра"));
    EXPECT_EQ(registry.readString(kMachine, game, QStringLiteral("exename")),
              QStringLiteral("%ProgramFiles%\\run.exe"));
    EXPECT_EQ(registry.readInteger(kMachine, game, QStringLiteral("Version")), 3);
    EXPECT_EQ(registry.readString(kMachine, QStringLiteral("software\\old\\game"),
                                  QStringLiteral("instdir")),
              QStringLiteral("C:\\Old\tDir"));
    EXPECT_EQ(registry.subKeyNames(kMachine, QStringLiteral("SOFTWARE\\games")),
              QStringList{QStringLiteral("Игра")});

    ASSERT_TRUE(registry.writeInteger(kMachine, game, QStringLiteral("Version"), 4));
    EXPECT_EQ(registry.readInteger(kMachine, game, QStringLiteral("Version")), 4);
    EXPECT_EQ(registry.readString(kMachine, game, QStringLiteral("instdir")),
              QStringLiteral("C:\\Games\\Игра"));
    EXPECT_EQ(readAll(wine), wineBefore);
    EXPECT_FALSE(registry.readString(kUser, game, QStringLiteral("instdir")));
}

TEST(Registry, TwoProcessesWritingAtOnceLoseNothing)
{
    TempDir dir;
    std::unique_ptr<QProcess> first(
        startChild(QStringLiteral("writer"), dir.path(), QStringLiteral("first")));
    std::unique_ptr<QProcess> second(
        startChild(QStringLiteral("writer"), dir.path(), QStringLiteral("second")));
    ASSERT_TRUE(first->waitForFinished(120000));
    ASSERT_TRUE(second->waitForFinished(120000));
    ASSERT_EQ(first->exitCode(), 0) << first->readAllStandardOutput().constData();
    ASSERT_EQ(second->exitCode(), 0) << second->readAllStandardOutput().constData();

    Registry registry(dir.path());
    EXPECT_EQ(registry.valueNames(kUser, kKey).size(), 400);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("first%1").arg(i)), i);
        EXPECT_EQ(registry.readInteger(kUser, kKey, QStringLiteral("second%1").arg(i)), i);
    }
}

TEST(Registry, AKillDuringASaveLeavesTheLastOrPreviousState)
{
    TempDir dir;
    QRandomGenerator random(7);
    int known = 0;
    for (int round = 0; round < 8; ++round) {
        std::unique_ptr<QProcess> child(startChild(QStringLiteral("saver"), dir.path(), QString()));
        ASSERT_TRUE(child->waitForStarted());
        QThread::msleep(150 + random.bounded(250));
        ::kill(pid_t(child->processId()), SIGKILL);
        child->waitForFinished();
        const int committed = lastCommitted(child->readAllStandardOutput());
        known = qMax(known, committed);

        Registry registry(dir.path());
        const std::optional<qint32> counter =
            registry.readInteger(kUser, kKey, QStringLiteral("Counter"));
        ASSERT_TRUE(counter) << "round " << round;
        EXPECT_TRUE(*counter == known || *counter == known + 1) << *counter << " vs " << known;
        const QList<RegistryValue> expected = counterValues(*counter);
        for (const RegistryValue& value : expected.mid(0, 40)) {
            EXPECT_EQ(registry.readString(kUser, kKey, value.name), value.text);
        }
        known = *counter;
    }
    EXPECT_GT(known, 8);
}

TEST(Registry, LinesAndTypesItDoesNotReadSurviveARewriteInPlace)
{
    TempDir dir;
    const QByteArray original =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "; written by hand\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n\"Foreign\"=\"other hive\"\r\n\r\n"
        "[-HKEY_CURRENT_USER\\SOFTWARE\\Gone]\r\n\r\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0]\r\n"
        "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
        "; between values\r\n"
        "\"Lines\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n"
        "\"Quad\"=qword:0000000000000001\r\n"
        "\"Plain\"=\"text\"\r\n";
    dir.write(QStringLiteral("user.reg"), original);
    Registry registry(dir.path());
    EXPECT_EQ(registry.readString(kUser, kKey, QStringLiteral("Path")), QStringLiteral("%A%"));
    ASSERT_TRUE(registry.writeString(kUser, kKey, QStringLiteral("Added"), QStringLiteral("new")));

    const QByteArray rewritten = readAll(registry.hiveFile(kUser));
    for (const char* kept : {"; written by hand\n",
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n\"Foreign\"=\"other hive\"\n",
                             "[-HKEY_CURRENT_USER\\SOFTWARE\\Gone]\n",
                             "\"Path\"=hex(2):25,00,41,00,25,00,00,00\n; between values\n"
                             "\"Lines\"=hex(7):61,00,00,00,62,00,00,00,00,00\n",
                             "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n",
                             "\"Quad\"=qword:0000000000000001\n", "\"Plain\"=\"text\"\n"}) {
        EXPECT_TRUE(rewritten.contains(kept)) << "kept: " << kept << "\n" << rewritten.constData();
    }
    EXPECT_FALSE(registry.keyExists(kUser, QStringLiteral("SOFTWARE\\Other")));

    // A value the program sets or deletes replaces the line it was read from.
    ASSERT_TRUE(registry.writeString(kUser, kKey, QStringLiteral("path"), QStringLiteral("C:\\")));
    ASSERT_TRUE(registry.deleteValue(kUser, kKey, QStringLiteral("Quad")));
    const QByteArray changed = readAll(registry.hiveFile(kUser));
    EXPECT_FALSE(changed.contains("hex(2)"));
    EXPECT_FALSE(changed.contains("qword"));
    EXPECT_TRUE(changed.contains("\"Path\"=\"C:\\\\\"\n"));
    EXPECT_TRUE(changed.contains("hex(7)"));
    Registry reread(dir.path());
    EXPECT_EQ(reread.readString(kUser, kKey, QStringLiteral("Path")), QStringLiteral("C:\\"));
}

TEST(Registry, AWindows1251FileIsReadAndWrittenBackInItsCodePage)
{
    TempDir dir;
    // "Книга" and "Привет" in the Windows code page, as old editors exported them.
    const QByteArray keyLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\\xCA\xED\xE8\xE3\xE0]";
    const QByteArray valueLine = "\"\xC8\xEC\xFF\"=\"\xCF\xF0\xE8\xE2\xE5\xF2\"";
    dir.write(QStringLiteral("user.reg"),
              "REGEDIT4\r\n\r\n" + keyLine + "\r\n" + valueLine + "\r\n\"Odd\"=hex(2):41\r\n");
    Registry registry(dir.path());
    EXPECT_EQ(registry.readString(kUser, kKey, QStringLiteral("Имя")), QStringLiteral("Привет"));
    ASSERT_TRUE(registry.writeString(kUser, kKey, QStringLiteral("Ещё"), QStringLiteral("да")));

    const QByteArray rewritten = readAll(registry.hiveFile(kUser));
    EXPECT_TRUE(rewritten.startsWith("REGEDIT4\n"));
    EXPECT_TRUE(rewritten.contains(keyLine + "\n" + valueLine + "\n\"Odd\"=hex(2):41\n"))
        << rewritten.toHex().constData();
    EXPECT_TRUE(rewritten.contains("\"\xC5\xF9\xB8\"=\"\xE4\xE0\"")) << "new text in the code page";
    Registry reread(dir.path());
    EXPECT_EQ(reread.readString(kUser, kKey, QStringLiteral("Ещё")), QStringLiteral("да"));

    // Text the code page cannot hold turns the file into UTF-8 rather than lose it.
    ASSERT_TRUE(reread.writeString(kUser, kKey, QStringLiteral("Греческий"), QStringLiteral("Ω")));
    Registry third(dir.path());
    EXPECT_EQ(third.readString(kUser, kKey, QStringLiteral("Греческий")), QStringLiteral("Ω"));
    EXPECT_EQ(third.readString(kUser, kKey, QStringLiteral("Имя")), QStringLiteral("Привет"));
}

TEST(Registry, AKeyWithManyValuesReadsInLinearTime)
{
    QByteArray text = "[HKEY_CURRENT_USER\\Software\\Big]\n";
    for (int i = 0; text.size() < 1024 * 1024; ++i) {
        text += "\"Value" + QByteArray::number(i) + "\"=dword:00000001\n";
    }
    const RegistryDocument document = RegistryDocument::parse(text, "HKEY_CURRENT_USER");
    const QStringList names = document.valueNames(QStringLiteral("Software\\Big"));
    ASSERT_GT(names.size(), 30000);
    EXPECT_NE(document.value(QStringLiteral("software\\big"), names.last().toUpper()), nullptr);
}

// Worst cases of a hostile hive file, 1 MB each: a key line of 500,000
// levels, deep keys under many different parents, many values under a deep
// key. Each reads in well under a second and keeps its memory bounded; a
// line it does not take comes back as read.
TEST(Registry, DeepKeysReadInLinearTimeAndSpace)
{
    const QByteArray root = "[HKEY_CURRENT_USER";
    QByteArray deepest = root;
    while (deepest.size() < 1024 * 1024) {
        deepest += "\\a";
    }
    deepest += "]";
    QByteArray underMany;
    for (int parent = 0; underMany.size() < 1024 * 1024; ++parent) {
        underMany += root + "\\p" + QByteArray::number(parent) +
                     QByteArray("\\a").repeated(RegistryDocument::MaxKeyDepth - 1) + "]\n";
    }
    const QByteArray deepKey =
        root + QByteArray("\\k").repeated(RegistryDocument::MaxKeyDepth) + "]\n";
    QByteArray manyValues = deepKey;
    for (int i = 0; manyValues.size() < 1024 * 1024; ++i) {
        manyValues += "\"v" + QByteArray::number(i) + "\"=dword:00000001\n";
    }
    for (const QByteArray& text : {deepest + "\n\"v\"=\"1\"\n", underMany, manyValues}) {
        QElapsedTimer timer;
        timer.start();
        const RegistryDocument document = RegistryDocument::parse(text, "HKEY_CURRENT_USER");
        const QByteArray rewrite = document.serialize("HKEY_CURRENT_USER");
        EXPECT_LT(timer.elapsed(), 900);
        EXPECT_LT(rewrite.size(), RegistryDocument::MaxKeyPathCharacters * 2);
        // The rewrite lists every key with its whole path (up to ten times the
        // file here): read again, each key costs its own line.
        timer.restart();
        RegistryDocument::parse(rewrite, "HKEY_CURRENT_USER");
        EXPECT_LT(timer.elapsed(), 2000);
    }

    // Deeper than Windows allows: not taken, kept with its value as read.
    const RegistryDocument deep =
        RegistryDocument::parse(deepest + "\n\"v\"=\"1\"\n", "HKEY_CURRENT_USER");
    EXPECT_FALSE(deep.keyExists(QStringLiteral("a")));
    EXPECT_TRUE(deep.serialize("HKEY_CURRENT_USER").contains(deepest + "\n\"v\"=\"1\"\n"));
    // As deep as Windows allows: taken, with every value.
    const RegistryDocument many = RegistryDocument::parse(manyValues, "HKEY_CURRENT_USER");
    const QString deepPath =
        QStringLiteral("k\\").repeated(RegistryDocument::MaxKeyDepth).chopped(1);
    EXPECT_GT(many.valueNames(deepPath).size(), 40000);
    // Past the budget of path characters, parents are kept as read too.
    const RegistryDocument parents = RegistryDocument::parse(underMany, "HKEY_CURRENT_USER");
    EXPECT_TRUE(parents.keyExists(QStringLiteral("p0\\a")));
    EXPECT_FALSE(parents.keyExists(QStringLiteral("p1000")));
}

// A Windows-1251 file is told from UTF-8 by its bytes. When a rewrite drops
// what told them apart (here a repeated value replaced by its last line, in
// UTF-8 bytes read as the code page), the file is written as UTF-8 rather
// than read back as different text.
TEST(Registry, ARewriteOfAWindows1251FileReadsBackTheSame)
{
    const QByteArray first = "\"Name\"=\"\xC4\xE5\xEC\xEE \xE4\xE8\xF1\xEA\"\n"; // "Демо диск"
    const QByteArray last = "\"Name\"=\"\xD0\x94\xD0\xB5\xD0\xBC\xD0\xBE\"\n"; // UTF-8 bytes
    const QByteArray text = "[HKEY_CURRENT_USER\\Disc]\n" + first + last;
    const RegistryDocument read = RegistryDocument::parse(text, "HKEY_CURRENT_USER");
    ASSERT_EQ(read.encoding(), RegistryDocument::Encoding::Windows1251);
    const QString name = read.value(QStringLiteral("Disc"), QStringLiteral("name"))->text;
    EXPECT_EQ(name, QStringLiteral("Р”РµРјРѕ"));

    const RegistryDocument reread =
        RegistryDocument::parse(read.serialize("HKEY_CURRENT_USER"), "HKEY_CURRENT_USER");
    const RegistryValue* value = reread.value(QStringLiteral("Disc"), QStringLiteral("Name"));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text, name);
}

// A string reads back the same after a rewrite: NULs ending it (literal in
// the file, or from a Wine escape) are its terminator in every form, half a
// surrogate pair from a Wine escape reads as U+FFFD, and a line with more
// after the closing quote is kept as read, not cut.
TEST(Registry, StringsReadTheSameAfterARewrite)
{
    const QByteArray values = QByteArray("\"Nul\"=\"a\\001b\\0\\0\"\n\"Raw\"=\"c\x01") +
                              QByteArray(3, '\0') +
                              "\"\n\"Junk\"=\"x\"\"Odd\"=y\n\"Half\"=\"\\xdefaok\"\n"
                              "\"Pair\"=\"\\xd83d\\xde00\"\n";
    const QList<std::pair<RegistryDocument::Dialect, QByteArray>> files = {
        {RegistryDocument::Dialect::Wine, "[Disc] 1700000000\n" + values},
        {RegistryDocument::Dialect::Export, "[HKEY_CURRENT_USER\\Disc]\n" + values}};
    for (const auto& [dialect, text] : files) {
        const RegistryDocument read = RegistryDocument::parse(text, "HKEY_CURRENT_USER", dialect);
        const QByteArray rewrite = read.serialize("HKEY_CURRENT_USER");
        const RegistryDocument reread = RegistryDocument::parse(rewrite, "HKEY_CURRENT_USER");
        for (const QString& name : {QStringLiteral("Nul"), QStringLiteral("Raw"),
                                    QStringLiteral("Half"), QStringLiteral("Pair")}) {
            const RegistryValue* before = read.value(QStringLiteral("Disc"), name);
            const RegistryValue* after = reread.value(QStringLiteral("Disc"), name);
            ASSERT_NE(before, nullptr) << name.toStdString();
            ASSERT_NE(after, nullptr) << name.toStdString();
            EXPECT_EQ(after->text, before->text) << name.toStdString();
            EXPECT_FALSE(before->text.endsWith(QChar(0))) << name.toStdString();
        }
        EXPECT_EQ(read.value(QStringLiteral("Disc"), QStringLiteral("Junk")), nullptr);
        EXPECT_TRUE(rewrite.contains("\n\"Junk\"=\"x\"\"Odd\"=y\n"));
        if (dialect == RegistryDocument::Dialect::Wine) {
            EXPECT_EQ(read.value(QStringLiteral("Disc"), QStringLiteral("Nul"))->text,
                      QStringLiteral("a\001b"));
            EXPECT_EQ(read.value(QStringLiteral("Disc"), QStringLiteral("Half"))->text,
                      QStringLiteral("\uFFFDok"));
            EXPECT_EQ(read.value(QStringLiteral("Disc"), QStringLiteral("Pair"))->text,
                      QStringLiteral("\U0001F600"));
        }
    }
}
