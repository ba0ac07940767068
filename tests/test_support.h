// Helpers shared by the tests: temporary folders, file contents, and a
// private home folder for the whole test process.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string m_path;
};

// Points HOME and the XDG folders at a temporary folder for as long as the
// object lives.
class PrivateHome {
public:
    PrivateHome();
    const std::string& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
};

// Changes the working folder for as long as the object lives.
class ScopedChdir {
public:
    explicit ScopedChdir(const std::string& dir);
    ~ScopedChdir();

private:
    std::string m_old;
};

void writeFile(const std::string& path, const std::string& bytes);
void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// The folder of the built game with its generated resources.
std::string runDir();
// The project's source folder.
std::string sourceDir();

// What a shell command printed on its standard output and its exit status
// (-1 when it did not exit normally).
struct CommandResult {
    int exitCode;
    std::string output;
};
CommandResult runCommand(const std::string& command);

// Runs fn once the current test has ended, after its fixture's TearDown;
// functions given during one test run last first. For process-wide services
// that a helper brings up on first use inside a test: the next test must find
// the process as the first test did, whatever ran before it.
void atTestEnd(std::function<void()> fn);
// Runs and forgets what atTestEnd was given (the test entry's listener calls
// it after every test).
void runTestEndHooks();

// Starts the text system with the generated string table and font of the
// run folder.
void startTextSystem();

} // namespace testsupport
