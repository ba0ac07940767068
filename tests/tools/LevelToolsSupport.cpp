#include "LevelToolsSupport.h"

#include "LevelSource.h"
#include "ui/CController.h"

namespace leveltest {

std::string levelSource(const std::vector<std::string>& bottomRows, const std::string& extra)
{
    std::string text = "heading A Test Level\nbackground 2\nmap\n";
    for (size_t row = 0; row < 24; ++row) {
        std::string line(32, '.');
        size_t first = 24 - bottomRows.size();
        if (row >= first) {
            const std::string& given = bottomRows[row - first];
            line.replace(0, given.size(), given);
        }
        text += line + "\n";
    }
    return text + extra;
}

void readLevel(CLevel& level, const std::string& source, const char* name)
{
    std::vector<std::string> errors;
    levelpack::parseLevelSource("test.txt", source, name, level, errors);
    for (const std::string& e : errors)
        ADD_FAILURE() << e;
}

std::vector<levelpack::Move> script(const std::string& text)
{
    std::vector<std::string> errors;
    std::vector<levelpack::Move> moves = levelpack::parseMoveScript("test.moves", text, errors);
    for (const std::string& e : errors)
        ADD_FAILURE() << e;
    return moves;
}

void HeadlessTest::SetUp()
{
    m_chdir.reset(new testsupport::ScopedChdir(testsupport::runDir()));
    m_game.reset(new replay::HeadlessGame(false));
}

void HeadlessTest::TearDown()
{
    m_game.reset();
    m_chdir.reset();
    CController::ResetStack();
}

} // namespace leveltest
