#include "Fakes.h"

#include <QDir>

namespace menugeral::test {

void RecordingNotifier::warning(const QString &text)
{
    boxes.append({Box::Warning, kWarningCaption.toString(), text});
    if (onBox)
        onBox(boxes.back());
}

void RecordingNotifier::error(const QString &caption, const QString &text)
{
    boxes.append({Box::Error, caption, text});
    if (onBox)
        onBox(boxes.back());
}

QStringList RecordingNotifier::warnings() const
{
    QStringList texts;
    for (const Box &box : boxes) {
        if (box.kind == Box::Warning)
            texts.append(box.text);
    }
    return texts;
}

std::optional<QString> ScriptedFileChooser::chooseFile(QWidget *, const QString &initialFileName)
{
    initialFileNames.append(initialFileName);
    if (answers.empty())
        return std::nullopt;
    const bool cancelled = !answers.front().has_value();
    QString chosen = cancelled ? QString() : *answers.front();
    answers.pop_front();
    if (cancelled)
        return std::nullopt;
    return chosen;
}

void RecordingProcessStarter::startProgram(const LaunchRequest &request)
{
    programs.append(request);
}

void RecordingProcessStarter::runCommandLine(const CommandLineRequest &request)
{
    commandLines.append(request);
}

FixedProgramDirectory::FixedProgramDirectory(QString directoryWithSeparator) : m_path(std::move(directoryWithSeparator))
{}

QString FixedProgramDirectory::path() const
{
    return m_path;
}

FakeServices::FakeServices(const QString &programDirectory, PathSyntax syntax)
    : programDirectory(QDir::toNativeSeparators(programDirectory + u'/')), services{notifier, fileChooser,
                                                                                    processStarter,
                                                                                    this->programDirectory, syntax}
{}

} // namespace menugeral::test
