#pragma once

#include "Records.h"

#include <string_view>
#include <vector>

// The capacity the original collection reports as it grows: what was asked at first, then
// steps of size / 8 clamped to 4..1024 (or the step a caller set). Callers observe it; the
// storage underneath grows geometrically, so a million appends do not copy the list a
// thousand times.
class ReportedCapacity
{
public:
    int value() const { return m_capacity; }
    void setStep(int growBy) { m_nGrowBy = growBy; }
    void growFor(int size, int newSize);
    void clear() { m_capacity = 0; }

private:
    int m_capacity = 0;
    int m_nGrowBy = 0;
};

// A growable array of records with the original collection's reported capacity.
template <typename T> class RecordArray
{
public:
    using Entry = T;

    int GetSize() const { return int(m_elements.size()); }
    int GetCapacity() const { return m_capacity.value(); }
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
    std::vector<T> m_elements;
    ReportedCapacity m_capacity;
};

using EnvelopeFormatArray = RecordArray<EnvelopeFormat>;

extern template class RecordArray<EnvelopeFormat>;
