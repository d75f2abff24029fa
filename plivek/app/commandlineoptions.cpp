#include "commandlineoptions.h"

#include <QFile>

namespace {

enum class ValueKind { Path, Number };

struct ValueOption
{
    const char *name;
    ValueKind kind;
    QString CommandLineOptions::*path;
    int CommandLineOptions::*number;
};

const ValueOption valueOptions[] = {
    { "--edit-prog", ValueKind::Path, &CommandLineOptions::editProg, nullptr },
    { "--controller-config", ValueKind::Path, &CommandLineOptions::controllerConfig, nullptr },
    { "--object-id", ValueKind::Number, nullptr, &CommandLineOptions::objectId },
    { "--prog-id", ValueKind::Number, nullptr, &CommandLineOptions::progId },
    { "--get-prog-list", ValueKind::Path, &CommandLineOptions::progListFile, nullptr },
    { "--report-dir", ValueKind::Path, &CommandLineOptions::reportDir, nullptr },
    { "--config-dir", ValueKind::Path, &CommandLineOptions::configDir, nullptr },
};

struct FlagOption
{
    const char *name;
    bool CommandLineOptions::*flag;
};

const FlagOption flagOptions[] = {
    { "--create-report", &CommandLineOptions::createReport },
    { "--batch-report", &CommandLineOptions::batchReport },
    { "--alg-list", &CommandLineOptions::algList },
};

// Through the codec Qt encodes file names with, so that the path names the same file.
QString decodePath(const QByteArray &bytes)
{
    return QFile::decodeName(bytes);
}

} // namespace

CommandLineOptions CommandLineOptions::parse(const QByteArrayList &arguments)
{
    CommandLineOptions options;
    if (arguments.size() < 2)
        return options;
    options.document = decodePath(arguments.at(1));

    for (int i = 1; i < arguments.size(); ++i) {
        const QByteArray name = arguments.at(i).toLower();
        bool matched = false;
        for (const FlagOption &option : flagOptions) {
            if (name == option.name) {
                options.*option.flag = true;
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        for (const ValueOption &option : valueOptions) {
            if (name != option.name)
                continue;
            // The value is the next argument whatever it looks like; a value option
            // at the very end has nothing to take.
            if (i + 1 >= arguments.size())
                break;
            const QByteArray &value = arguments.at(++i);
            if (option.kind == ValueKind::Path)
                options.*option.path = decodePath(value);
            else
                options.*option.number = value.toInt(); // not a number gives 0
            break;
        }
    }
    return options;
}

CommandLineOptions::Mode CommandLineOptions::mode() const
{
    if (algList)
        return AlgorithmList;
    if (!editProg.isEmpty())
        return EditProgram;
    if (!progListFile.isEmpty())
        return ProgramList;
    // A flag without its companion value does not count: the search goes on.
    if (batchReport && !configDir.isEmpty())
        return BatchReport;
    if (createReport && !controllerConfig.isEmpty())
        return CreateReport;
    return Window;
}
