#pragma once

#include <QString>

#include <functional>

// Seam for tests of SafeFile: the superuser may make files in any folder, so a folder
// that refuses new files cannot be set up everywhere a test runs.
namespace SafeFile {

// While it lives, making the temporary file of every write fails with the system error
// `code` (an errno value such as EACCES), as in a folder that takes no new file.
class TemporaryFileFailure
{
public:
    explicit TemporaryFileFailure(int code);
    ~TemporaryFileFailure();
    TemporaryFileFailure(const TemporaryFileFailure &) = delete;
    TemporaryFileFailure &operator=(const TemporaryFileFailure &) = delete;

private:
    int m_previous;
};

// While it lives, `step` is called at each step of every write with the path written:
// "temporary made" (before its first byte), "bytes written" (before it replaces the
// file) and "replaced". A test looks at the folder there, as a kill at that moment
// would leave it.
class StepObserver
{
public:
    using Step = std::function<void(const QString &step, const QString &path)>;
    explicit StepObserver(Step step);
    ~StepObserver();
    StepObserver(const StepObserver &) = delete;
    StepObserver &operator=(const StepObserver &) = delete;

private:
    Step m_previous;
};

} // namespace SafeFile
