#include "AddressEntryArray.h"

#include "Prefault.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kOwnBlockSize = 64 * 1024;
}

AddressEntry AddressEntryArray::GetAt(int i) const
{
    return ElementAt(i).copy();
}

const AddressView AddressEntryArray::ElementAt(int i) const
{
    const Slot &slot = m_slots[std::size_t(i)];
    return {{slot.text, slot.textSize}, {slot.label, slot.labelSize}};
}

void AddressEntryArray::SetSize(int newSize, int growBy)
{
    Q_ASSERT(newSize >= 0);
    if (growBy != -1)
        m_capacity.setStep(growBy);
    if (newSize <= 0) { // releases every block
        std::vector<Slot>().swap(m_slots);
        std::vector<QByteArray>().swap(m_keptBlocks);
        std::vector<OwnBlock>().swap(m_ownBlocks);
        m_capacity.clear();
        return;
    }
    m_capacity.growFor(GetSize(), newSize);
    m_slots.resize(std::size_t(newSize));
}

void AddressEntryArray::Reserve(int n)
{
    if (std::size_t(n) <= m_slots.capacity())
        return;
    m_slots.reserve(std::size_t(n));
    prefault(m_slots.data() + m_slots.size(), (m_slots.capacity() - m_slots.size()) * sizeof(Slot));
}

void AddressEntryArray::SetAt(int i, const AddressEntry &entry)
{
    m_slots[std::size_t(i)] = copiedSlot(entry);
}

void AddressEntryArray::SetAtGrow(int i, const AddressEntry &entry)
{
    if (i >= GetSize())
        SetSize(i + 1);
    SetAt(i, entry);
}

void AddressEntryArray::Append(const AddressEntry &entry)
{
    m_capacity.growFor(GetSize(), GetSize() + 1);
    m_slots.push_back(copiedSlot(entry));
}

void AddressEntryArray::RemoveAt(int i)
{
    m_slots.erase(m_slots.begin() + i);
}

int AddressEntryArray::FindByLabel(std::string_view key) const
{
    for (int i = 0; i < GetSize(); ++i)
        if (ElementAt(i).label == key)
            return i;
    return -1;
}

void AddressEntryArray::Keep(const QByteArray &block)
{
    m_keptBlocks.push_back(block); // shared, not copied
}

void AddressEntryArray::AppendKept(AddressView entry)
{
    m_capacity.growFor(GetSize(), GetSize() + 1);
    m_slots.push_back(slotOf(entry));
}

AddressEntryArray::Slot AddressEntryArray::slotOf(AddressView entry)
{
    // Store files give string lengths in 32 bits, and no one types four gigabytes.
    return {entry.text.data(), entry.label.data(), std::uint32_t(entry.text.size()),
            std::uint32_t(entry.label.size())};
}

std::string_view AddressEntryArray::copied(std::string_view bytes)
{
    if (bytes.empty())
        return std::string_view("", 0);
    if (m_ownBlocks.empty() || m_ownBlocks.back().size - m_ownBlocks.back().used < bytes.size()) {
        const std::size_t size = std::max(bytes.size(), kOwnBlockSize);
        m_ownBlocks.push_back({std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    OwnBlock &block = m_ownBlocks.back();
    char *const at = block.bytes.get() + block.used;
    std::memcpy(at, bytes.data(), bytes.size());
    block.used += bytes.size();
    return {at, bytes.size()};
}

AddressEntryArray::Slot AddressEntryArray::copiedSlot(const AddressEntry &entry)
{
    return slotOf({copied(entry.text), copied(entry.label)});
}
