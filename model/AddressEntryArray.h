#pragma once

#include "RecordArray.h"

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// An address as its list holds it: views of the bytes, valid as long as the list lives.
struct AddressView
{
    std::string_view text;
    std::string_view label;

    AddressEntry copy() const { return {std::string(text), std::string(label)}; }
};

// The addresses of one list, kept compactly: the bytes stay in a few large blocks (a store
// file's bytes as they were read, blocks of the list's own for entries added later) and the
// list holds only where each label and text lie, 24 bytes an entry rather than two strings.
// Bytes an edit or a removal leaves behind stay until the list goes: they are few.
class AddressEntryArray
{
public:
    using Entry = AddressEntry;

    AddressEntryArray() = default;
    // Moving keeps the blocks where they are, and so every view of them.
    AddressEntryArray(AddressEntryArray &&) noexcept = default;
    AddressEntryArray &operator=(AddressEntryArray &&) noexcept = default;

    int GetSize() const { return int(m_slots.size()); }
    int GetCapacity() const { return m_capacity.value(); }
    AddressEntry GetAt(int i) const;
    // const, so that assigning to a view by mistake does not compile.
    const AddressView ElementAt(int i) const;

    void SetSize(int newSize, int growBy = -1);
    // Room for n entries ahead of appending them; the reported capacity is unaffected.
    void Reserve(int n);
    void SetAt(int i, const AddressEntry &entry);
    void SetAtGrow(int i, const AddressEntry &entry);
    void Append(const AddressEntry &entry);
    void RemoveAt(int i);

    // Index of the first entry whose label equals key byte for byte, or -1.
    int FindByLabel(std::string_view key) const;

    // Entries whose bytes lie in a block the list keeps from now on (a store file as read)
    // are appended without copying them.
    void Keep(const QByteArray &block);
    void AppendKept(AddressView entry);

private:
    struct Slot // never null data, as a std::string never has
    {
        const char *text = "";
        const char *label = "";
        std::uint32_t textSize = 0;
        std::uint32_t labelSize = 0;
    };
    struct OwnBlock
    {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    static Slot slotOf(AddressView entry);
    std::string_view copied(std::string_view bytes);
    Slot copiedSlot(const AddressEntry &entry);

    std::vector<Slot> m_slots;
    ReportedCapacity m_capacity;
    std::vector<QByteArray> m_keptBlocks;
    std::vector<OwnBlock> m_ownBlocks;
};
