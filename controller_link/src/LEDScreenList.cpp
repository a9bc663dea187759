// Screen list and sender list (see LEDScreenList.h).
#include "LEDScreenList.h"

#include <cstring>

CLEDScreenList::~CLEDScreenList()
{
    for (auto& sender : m_senders)
        ReleaseLocalSender(*sender);
    m_senders.clear();
    RemoveAll();
}

void CLEDScreenList::Resize(int count)
{
    SetSize(count);
    for (INT_PTR i = 0; i < GetSize(); ++i)
        ElementAt(i).m_index = int(i);
}

int CLEDScreenList::AppendScreen()
{
    CLEDScreen screen;
    screen.m_index = int(GetSize());
    Add(screen);
    return int(GetSize());
}

CLEDScreen* CLEDScreenList::Screen(int number)
{
    if (number < 1 || number > GetSize())
        return nullptr;
    return &ElementAt(number - 1);
}

LocalSender* CLEDScreenList::FindSender(std::uint32_t ipv4)
{
    for (auto& sender : m_senders) {
        if (sender->ipv4 == ipv4)
            return sender.get();
    }
    return nullptr;
}

LocalSender& CLEDScreenList::AddSender(std::uint32_t ipv4, const std::uint8_t mac[6])
{
    auto sender = std::make_unique<LocalSender>();
    sender->ipv4 = ipv4;
    std::memcpy(sender->mac, mac, 6);
    m_senders.push_back(std::move(sender));
    return *m_senders.back();
}

void CLEDScreenList::DestroyOutsideSenders()
{
    for (auto& sender : m_senders)
        DestroyOutsideSender(*sender);
}
