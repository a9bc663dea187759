// The library's screens, numbered from 1 by callers (index + 1), and the
// local senders the screens are bound to. Senders never move once created,
// because screens point at them.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "LEDScreen.h"
#include "LocalSender.h"

class CLEDScreenList : public CArray<CLEDScreen, CLEDScreen&> {
public:
    CLEDScreenList() = default;
    ~CLEDScreenList() override;

    // Resizes to `count` screens (new ones default) and renumbers every index.
    void Resize(int count);
    // Appends a default screen; returns the new count.
    int AppendScreen();

    // Screen n (1..count) or nullptr.
    CLEDScreen* Screen(int number);

    // Applies f to screen n, or to every screen for 0; -1 for any other
    // number, before anything changes.
    template <class F> int ForScreens(int number, F&& f)
    {
        if (number < 0 || number > GetSize())
            return -1;
        if (number == 0) {
            for (INT_PTR i = 0; i < GetSize(); ++i)
                f(ElementAt(i));
        } else {
            f(ElementAt(number - 1));
        }
        return 0;
    }

    // The sender of this network-order address, or nullptr.
    LocalSender* FindSender(std::uint32_t ipv4);
    LocalSender& AddSender(std::uint32_t ipv4, const std::uint8_t mac[6]);
    // Destroys every sender's outside CSend_Udp (library end).
    void DestroyOutsideSenders();
    std::size_t SenderCount() const { return m_senders.size(); }

private:
    std::vector<std::unique_ptr<LocalSender>> m_senders;
};
