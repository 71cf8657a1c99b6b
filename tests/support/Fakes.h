#pragma once

#include "QtPrinters.h"
#include "core/ProgramDirectory.h"
#include "platform/FileChooser.h"
#include "platform/Notifier.h"
#include "platform/PlatformServices.h"
#include "platform/ProcessStarter.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

namespace menugeral::test {

// Records every box instead of showing it; answers at once.
class RecordingNotifier final : public Notifier
{
public:
    struct Box
    {
        enum Kind
        {
            Warning,
            Error
        } kind;
        QString caption;
        QString text;
    };

    void warning(const QString &text) override;
    void error(const QString &caption, const QString &text) override;

    QList<Box> boxes;
    QStringList warnings() const;
    // Called while a box would be on screen, e.g. to check what is visible.
    std::function<void(const Box &)> onBox;
};

// Answers the file-open dialog from a queue; records the initial names asked for.
class ScriptedFileChooser final : public FileChooser
{
public:
    std::optional<QString> chooseFile(QWidget *parent, const QString &initialFileName) override;

    std::deque<std::optional<QString>> answers; // nullopt = the user cancels
    QStringList initialFileNames;
};

// Records the starts instead of starting anything.
class RecordingProcessStarter final : public ProcessStarter
{
public:
    void startProgram(const LaunchRequest &request) override;
    void runCommandLine(const CommandLineRequest &request) override;

    QList<LaunchRequest> programs;
    QList<CommandLineRequest> commandLines;
};

// A program directory that is a test's temporary directory.
class FixedProgramDirectory final : public ProgramDirectory
{
public:
    explicit FixedProgramDirectory(QString directoryWithSeparator);
    QString path() const override;

private:
    QString m_path;
};

// All four fakes, ready to hand to a window.
struct FakeServices
{
    // Module paths in the syntax of the system the tests run on, unless told.
    explicit FakeServices(const QString &programDirectory, PathSyntax syntax = nativePathSyntax());

    RecordingNotifier notifier;
    ScriptedFileChooser fileChooser;
    RecordingProcessStarter processStarter;
    FixedProgramDirectory programDirectory;
    PlatformServices services;
};

} // namespace menugeral::test
