// Interface of one recorded change of the layout's undo history. Each
// command records a change to one port, referring to the port by its slot.
#pragma once

class ICLCommand {
public:
    virtual ~ICLCommand() = default;
    // Applies the change again.
    virtual void Redo() = 0;
    // Takes the change back.
    virtual void Undo() = 0;
    // Frees what the command owns, or hands its buffers to the layout for
    // later edits; called right before the command is deleted.
    virtual void Release() = 0;
};
