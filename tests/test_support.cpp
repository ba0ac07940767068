#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <ftw.h>

#include "engine/TextRender.h"

namespace testsupport {

namespace {

std::vector<std::function<void()>>& testEndHooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}
} // namespace

CommandResult runCommand(const std::string& command)
{
    CommandResult r{-1, ""};
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

void atTestEnd(std::function<void()> fn)
{
    testEndHooks().push_back(std::move(fn));
}

void runTestEndHooks()
{
    std::vector<std::function<void()>> hooks;
    hooks.swap(testEndHooks());
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
        (*it)();
}

TempDir::TempDir()
{
    const char* base = getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/bramblecot-test-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = buf.data();
}

TempDir::~TempDir()
{
    nftw(m_path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::file(const std::string& name) const
{
    return m_path + "/" + name;
}

PrivateHome::PrivateHome()
{
    setenv("HOME", m_dir.path().c_str(), 1);
    setenv("XDG_DATA_HOME", (m_dir.path() + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_dir.path() + "/.config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (m_dir.path() + "/Documents").c_str(), 1);
    setenv("XDG_CACHE_HOME", (m_dir.path() + "/.cache").c_str(), 1);
}

ScopedChdir::ScopedChdir(const std::string& dir)
{
    char buf[4096];
    if (getcwd(buf, sizeof buf))
        m_old = buf;
    if (chdir(dir.c_str()) != 0)
        throw std::runtime_error("cannot enter " + dir);
}

ScopedChdir::~ScopedChdir()
{
    if (!m_old.empty() && chdir(m_old.c_str()) != 0)
        perror("chdir");
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string runDir() { return BRAMBLECOT_RUN_DIR; }
std::string sourceDir() { return BRAMBLECOT_SOURCE_DIR; }

void startTextSystem()
{
    std::string run = runDir() + "/";
    initFontSystem(run.c_str(), (run + "resource5.dat").c_str());
}

} // namespace testsupport
