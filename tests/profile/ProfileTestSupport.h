// The fixture of the profile tests: fresh user folders for each test under
// the test process's private home.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "test_support.h"

class ProfileFolderTest : public ::testing::Test {
protected:
    void SetUp() override { useFolders(m_home); }

    // Puts the user folders under home (with the log quiet) and creates them.
    void useFolders(const testsupport::TempDir& home)
    {
        setenv("XDG_DATA_HOME", home.file("data").c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", home.file("docs").c_str(), 1);
        logInit(false);
        InitUserDirectories();
        m_dir = GetProfileDirectory();
    }

    testsupport::TempDir m_home;
    std::string m_dir; // the profile folder, ending in '/'
};
