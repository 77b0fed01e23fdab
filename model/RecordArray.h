#pragma once

#include "Records.h"

#include <string_view>
#include <vector>

// A growable array that reports the original collection's growth rule (capacity 1, then
// steps of size / 8 clamped to 4..1024); the storage underneath grows geometrically.
template <typename T> class RecordArray
{
public:
    int GetSize() const { return int(m_elements.size()); }
    int GetCapacity() const { return m_capacity; }
    T GetAt(int i) const { return m_elements[std::size_t(i)]; }
    T &ElementAt(int i) { return m_elements[std::size_t(i)]; }
    const T &ElementAt(int i) const { return m_elements[std::size_t(i)]; }

    void SetSize(int newSize, int growBy = -1);
    // Storage for n elements ahead of appending them; the reported capacity is unaffected.
    void Reserve(int n);
    void SetAtGrow(int i, const T &element);
    void Append(const T &element);
    void Append(T &&element); // loading hands over each scratch entry without a copy
    void RemoveAt(int i);

    // Index of the first element whose label equals key byte for byte, or -1.
    int FindByLabel(std::string_view key) const;

private:
    void ReportCapacityFor(int newSize);

    std::vector<T> m_elements;
    int m_capacity = 0;
    int m_nGrowBy = 0;
};

using EnvelopeFormatArray = RecordArray<EnvelopeFormat>;
using AddressEntryArray = RecordArray<AddressEntry>;

extern template class RecordArray<EnvelopeFormat>;
extern template class RecordArray<AddressEntry>;
