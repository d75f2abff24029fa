#pragma once

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

} // namespace SafeFile
