// The work one frame may take, counted in units of about one pixel or cell
// touched. A fill is drawn whole or not at all: it asks for its share before
// it starts, and once a share is refused the budget is spent and the rest of
// the frame is left out. So a frame that cannot be drawn in time shows what
// was drawn before, and the same frame always comes out the same.
#pragma once

#include <cstdint>

namespace flossar {

class WorkBudget {
public:
    explicit WorkBudget(uint64_t units)
        : m_left(units)
    {
    }

    // Takes units (a count worked out in floating point, so that no sum can
    // overflow); false, and the budget spent, when fewer are left.
    bool Spend(double units)
    {
        if (m_spent || !(units <= static_cast<double>(m_left))) {
            m_spent = true;
            m_left = 0;
            return false;
        }
        m_left -= static_cast<uint64_t>(units);
        return true;
    }
    bool Spent() const { return m_spent; }

private:
    uint64_t m_left;
    bool m_spent = false;
};

} // namespace flossar
