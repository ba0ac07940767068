// The recorded solution of a level: the keys that solve it, each stamped
// with the level frame at which it was handled, and the replay position.
#include "engine/Log.h"
#include "level/Level.h"

void CLevel::AddReplayKey(int frame, int key, bool released)
{
    logPrint(LOG_STACK, "CLevel::AddReplayKey(%i,%i,%i)\n", frame, key, released ? 1 : 0);
    m_solution.push_back(ReplayKey{frame, key, released});
}

ReplayKey CLevel::GetReplayKey() const
{
    if (m_replayPosition < 0 || m_replayPosition >= static_cast<int>(m_solution.size()))
        return ReplayKey{-1, 0, false};
    return m_solution[m_replayPosition];
}

bool CLevel::AdvanceReplay()
{
    logPrint(LOG_STACK, "CLevel::AdvanceReplay()\n");
    int count = static_cast<int>(m_solution.size());
    if (m_replayPosition + 1 < count) {
        ++m_replayPosition;
        return true;
    }
    m_replayPosition = count - 1;
    return false;
}

void CLevel::ResetReplay()
{
    logPrint(LOG_STACK, "CLevel::ResetReplay()\n");
    m_replayPosition = 0;
}

void CLevel::EraseReplayAfter(int frame)
{
    for (size_t i = 0; i < m_solution.size(); ++i) {
        if (m_solution[i].frame >= frame) {
            logPrint(LOG_DEBUG, "Erasing all after frame %i  (key:%i)\n", frame, m_solution[i].key);
            m_solution.erase(m_solution.begin() + static_cast<long>(i), m_solution.end());
            return;
        }
    }
}

void CLevel::ClearSolution()
{
    logPrint(LOG_STACK, "CLevel::ClearSolution()\n");
    if (m_solutionRecorded)
        m_modified = true;
    m_solutionRecorded = false;
    m_solution.clear();
}

bool CLevel::IsSolutionRecorded() const
{
    logPrint(LOG_STACK, "CLevel::IsSolutionRecorded()\n");
    return m_solutionRecorded;
}

void CLevel::SetSolutionRecorded()
{
    logPrint(LOG_STACK, "CLevel::SetSolutionRecorded()\n");
    m_solutionRecorded = true;
    m_modified = true;
}

void CLevel::DumpSolution() const
{
    logPrint(LOG_LEVEL, "   %10s  |  %4s  |  %s\n", "Frame", "Key", "Released");
    for (const ReplayKey& key : m_solution)
        logPrint(LOG_LEVEL, "   %10i  |  %4i  |  %i\n", key.frame, key.key, key.released ? 1 : 0);
}
