#include "RecordArray.h"

#include "Prefault.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>

void ReportedCapacity::growFor(int size, int newSize)
{
    if (newSize <= m_capacity)
        return;
    int capacity = newSize;
    if (m_capacity > 0) {
        const int step = m_nGrowBy != 0 ? m_nGrowBy : std::clamp(size / 8, 4, 1024);
        capacity = std::max(m_capacity + step, newSize);
    }
    m_capacity = capacity;
}

template <typename T> void RecordArray<T>::SetSize(int newSize, int growBy)
{
    Q_ASSERT(newSize >= 0);
    if (growBy != -1)
        m_capacity.setStep(growBy);
    if (newSize <= 0) {
        std::vector<T>().swap(m_elements); // releases the block
        m_capacity.clear();
        return;
    }
    m_capacity.growFor(GetSize(), newSize);
    m_elements.resize(std::size_t(newSize));
}

template <typename T> void RecordArray<T>::Reserve(int n)
{
    if (std::size_t(n) <= m_elements.capacity())
        return;
    m_elements.reserve(std::size_t(n));
    prefault(m_elements.data() + m_elements.size(),
             (m_elements.capacity() - m_elements.size()) * sizeof(T));
}

template <typename T> void RecordArray<T>::SetAtGrow(int i, const T &element)
{
    if (i >= GetSize()) {
        T copy = element; // element may live in the block that is about to move
        SetSize(i + 1);
        m_elements[std::size_t(i)] = std::move(copy);
        return;
    }
    m_elements[std::size_t(i)] = element;
}

template <typename T> void RecordArray<T>::Append(const T &element)
{
    SetAtGrow(GetSize(), element);
}

template <typename T> void RecordArray<T>::Append(T &&element)
{
    m_capacity.growFor(GetSize(), GetSize() + 1);
    m_elements.push_back(std::move(element));
}

template <typename T> void RecordArray<T>::RemoveAt(int i)
{
    m_elements.erase(m_elements.begin() + i);
}

template <typename T> int RecordArray<T>::FindByLabel(std::string_view key) const
{
    const auto found = std::find_if(m_elements.begin(), m_elements.end(),
                                    [key](const T &element) { return element.label == key; });
    return found == m_elements.end() ? -1 : int(found - m_elements.begin());
}

template class RecordArray<EnvelopeFormat>;
