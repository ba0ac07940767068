// Support of the level tool tests: the game started headless in the run
// folder, and small levels written in the level source format.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MoveScript.h"
#include "ReplayRunner.h"
#include "test_support.h"
#include "level/Level.h"

namespace leveltest {

// A level source whose map ends with the given rows (row 23 last), each
// padded to 32 cells with empty ones.
std::string levelSource(const std::vector<std::string>& bottomRows, const std::string& extra = "");

// Reads a level source into the level; the test fails on a problem.
void readLevel(CLevel& level, const std::string& source, const char* name = "tst001");

std::vector<levelpack::Move> script(const std::string& text);

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<testsupport::ScopedChdir> m_chdir;
    std::unique_ptr<replay::HeadlessGame> m_game;
};

} // namespace leveltest
