// Undo and Redo of the layout's history, and the recording of one edit's
// commands as one step within the history's limits.
#include <algorithm>

#include "LayoutData.h"
#include "LayoutEditCommands.h"

namespace {

void Destroy(ICLCommand* command)
{
    if (command != nullptr) {
        command->Release();
        delete command;
    }
}

} // namespace

bool CLayoutData::UndoStep()
{
    if (m_currentStep <= 0 || m_currentStep > GetStepCount())
        return false;
    --m_currentStep;
    const int size = m_stepSizes[static_cast<size_t>(m_currentStep)];
    for (int k = 0; k < size && m_commandCursor > 0; ++k) {
        --m_commandCursor;
        if (ICLCommand* command = m_commands[static_cast<size_t>(m_commandCursor)])
            command->Undo();
    }
    return true;
}

bool CLayoutData::RedoStep()
{
    if (m_currentStep < 0 || m_currentStep >= GetStepCount())
        return false;
    const int size = m_stepSizes[static_cast<size_t>(m_currentStep)];
    for (int k = 0; k < size && m_commandCursor < GetCommandCount(); ++k) {
        if (ICLCommand* command = m_commands[static_cast<size_t>(m_commandCursor)])
            command->Redo();
        ++m_commandCursor;
    }
    ++m_currentStep;
    return true;
}

void CLayoutData::RecordStep(std::vector<ICLCommand*> commands)
{
    commands.erase(std::remove(commands.begin(), commands.end(), nullptr), commands.end());
    // Whatever could still be redone goes before a new step (callers have
    // normally dropped it already).
    DropRedoTail(m_currentStep);
    const int k = static_cast<int>(commands.size());
    if (k > kMaxUndoCommands) {
        // One edit larger than the whole history cannot be kept; the steps
        // before it could no longer be undone in order either.
        for (ICLCommand* command : commands)
            Destroy(command);
        ClearUndoHistory();
        return;
    }
    if (k > 0) {
        // Make room by dropping the oldest steps with their commands.
        int dropSteps = 0;
        int dropCommands = 0;
        while (dropSteps < GetStepCount()
            && (GetStepCount() - dropSteps + 1 > kMaxUndoSteps
                || GetCommandCount() - dropCommands + k > kMaxUndoCommands)) {
            dropCommands += m_stepSizes[static_cast<size_t>(dropSteps)];
            ++dropSteps;
        }
        dropCommands = std::min(dropCommands, GetCommandCount());
        if (dropCommands > 0)
            FitSparesToLayout();
        for (int i = 0; i < dropCommands; ++i)
            Destroy(m_commands[static_cast<size_t>(i)]);
        m_commands.erase(m_commands.begin(), m_commands.begin() + dropCommands);
        m_stepSizes.erase(m_stepSizes.begin(), m_stepSizes.begin() + dropSteps);
        m_commands.insert(m_commands.end(), commands.begin(), commands.end());
        m_stepSizes.push_back(k);
    }
    m_currentStep = GetStepCount();
    m_commandCursor = GetCommandCount();
}
